// Two copies of the desktop program on one program folder: the recovery copy is the
// first copy's, which holds the folder, and the second neither offers, removes nor
// replaces it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "session/files/datafile.h"
#include "session/files/workfile.h"
#include "session/windows/frmmain/lifecycle.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;
using test::TestApp;

const char* const kRecoveryQuestion = "復元しますか";
const char* const kAnotherCopy = "既に TLY が起動されている可能性があります。";

struct Second {
  const char* name;
  MsgResult toQuestions;  // every question the second copy is asked, the instance one first
  bool types;             // the second copy changes its year (and keeps a recovery copy)
  bool exits;             // and ends with its exit
};

class RunningCopies : public testing::TestWithParam<Second> {};

TEST_P(RunningCopies, TheSecondCopyLeavesTheFirstsRecoveryCopyAlone) {
  const Second& c = GetParam();
  TempDir dir;
  {
    TestApp maker;
    maker.app.F.AppPath = dir.dir();
    test::makeYear(maker.app, 2001, 3);
    std::string name = "JJTEMP3.DAT";
    ASSERT_TRUE(SaveJJ3(maker.app, name).ok());
  }
  std::filesystem::last_write_time(dir.file("JJTEMP3.DAT"),
                                   std::filesystem::file_time_type::clock::now() - std::chrono::seconds(60));

  auto first = std::make_unique<TestApp>();
  first->app.F.AppPath = dir.dir();
  ASSERT_EQ(Form_Load(first->app), StartOutcome::Ready);
  std::string last = recoveryBytes(first->app);
  first->app.Y.JJ[0][6][3][2] = -4;  // the first copy types
  ASSERT_TRUE(keepRecoveryCopy(first->app, &last).ok());
  const std::string firstsCopy = readBytes(dir.file(kRecoveryFileName));
  ASSERT_FALSE(firstsCopy.empty());

  {
    TestApp second;
    second.app.F.AppPath = dir.dir();
    second.settings.set("TLY", "Settings", "ExTLY", "1");
    second.msg.whenEmpty = c.toQuestions;
    Form_Load(second.app);
    ASSERT_FALSE(second.msg.shown.empty());
    EXPECT_NE(second.msg.shown[0].text.find(kAnotherCopy), std::string::npos);
    EXPECT_FALSE(second.msg.saw(kRecoveryQuestion)) << "another copy's work is not a crash's";
    if (c.types && second.app.Y.isOpen()) {
      std::string secondLast = recoveryBytes(second.app);
      second.app.Y.JJ[1][7][4][1] = -3;
      EXPECT_TRUE(keepRecoveryCopy(second.app, &secondLast).ok());
    }
    if (c.exits) Form_Unload(second.app);
    EXPECT_TRUE(readBytes(dir.file(kRecoveryFileName)) == firstsCopy);
  }
  EXPECT_TRUE(readBytes(dir.file(kRecoveryFileName)) == firstsCopy);

  // The first copy is killed: no exit. The next start offers what it typed.
  first.reset();
  std::filesystem::last_write_time(dir.file("JJTEMP3.DAT"),
                                   std::filesystem::file_time_type::clock::now() - std::chrono::seconds(60));
  TestApp next;
  next.app.F.AppPath = dir.dir();
  next.msg.answers = {MsgResult::Yes};
  Form_Load(next.app);
  EXPECT_TRUE(next.msg.saw(kRecoveryQuestion));
  EXPECT_EQ(next.app.Y.JJ[0][6][3][2], -4) << "the first copy's typing is back";
}

INSTANTIATE_TEST_SUITE_P(Cases, RunningCopies,
                         testing::Values(Second{"DeclinesEverything", MsgResult::No, false, false},
                                         Second{"AgreesToEverything", MsgResult::Yes, false, true},
                                         Second{"TypesAndExits", MsgResult::Yes, true, true},
                                         Second{"TypesAndIsKilled", MsgResult::Yes, true, false}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(RunningCopies, TheSecondCopyTakesOverTheFolderOnceTheFirstHasEnded) {
  TempDir dir;
  auto first = std::make_unique<TestApp>();
  first->app.F.AppPath = dir.dir();
  first->msg.whenEmpty = MsgResult::No;
  Form_Load(first->app);
  TestApp second;
  second.app.F.AppPath = dir.dir();
  second.msg.whenEmpty = MsgResult::Yes;
  Form_Load(second.app);
  test::makeYear(second.app, 2002, 3);
  std::string last;
  ASSERT_TRUE(keepRecoveryCopy(second.app, &last).ok());
  EXPECT_FALSE(test::fileExists(dir.file(kRecoveryFileName))) << "not while the first runs";
  Form_Unload(first->app);
  first.reset();
  ASSERT_TRUE(keepRecoveryCopy(second.app, &last).ok());
  EXPECT_TRUE(test::fileExists(dir.file(kRecoveryFileName))) << "the second copy now keeps it";
  Form_Unload(second.app);
  EXPECT_FALSE(test::fileExists(dir.file(kRecoveryFileName)));
}

}  // namespace
}  // namespace tly
