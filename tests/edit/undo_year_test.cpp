// The history belongs to one year: creating or reading another year drops it, so Undo
// never writes a month of the old year into the new one.
#include <gtest/gtest.h>

#include "session/windows/frmnew/newyear.h"
#include "session/files/datafile.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/history.h"
#include "edit_fixture.h"
#include "support/tempdir.h"

namespace tly::testing {
namespace {

TEST(UndoAcrossYears, ANewOrReadYearDropsTheHistory) {
  {
    EditFixture f;
    f.select(3, 3, 3, 3);
    ASSERT_TRUE(mnuDel_Click(f.app));
    ASSERT_TRUE(f.app.H.canUndo());
    NewYearOptions opt;
    opt.nendo = 2001;
    runNewYearBuild(f.app, opt);
    EXPECT_FALSE(f.app.H.canUndo());
    const int16_t before = f.app.Y.JJ[0][5][3][1];
    mnuUndo_Click(f.app);
    EXPECT_EQ(f.app.Y.JJ[0][5][3][1], before);
  }
  {
    EditFixture f;
    test::TempDir dir;
    std::string path = dir.file("other.dat");
    EditFixture other;
    other.app.Y.JJ[0][0][0][0] = 2005;
    std::string name = path;
    (void)SaveJJ3(other.app, name);
    f.select(3, 3, 3, 3);
    ASSERT_TRUE(mnuDel_Click(f.app));
    ASSERT_TRUE(f.app.H.canUndo());
    ASSERT_TRUE(holds(readDataFileAt(f.app, path), FileRead::Current));
    EXPECT_EQ(f.app.Y.nendo(), 2005);
    EXPECT_FALSE(f.app.H.canUndo());
  }
}

}  // namespace
}  // namespace tly::testing
