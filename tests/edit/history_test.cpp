// The history of the open year under long random sequences of everything a user can change:
// undoing every step gives back the year as it was saved at the start, byte for byte, and
// redoing every step gives the year after the last action.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "io/datafile_format.h"
#include "session/files/datafile.h"
#include "session/windows/celledit.h"
#include "session/windows/frmcolwidth/colwidth.h"
#include "session/windows/frmjitem/jitem.h"
#include "session/windows/frmjw/timetablewindow.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmmain/timetablemode.h"
#include "session/windows/history.h"
#include "edit/edit_fixture.h"

namespace tly::testing {
namespace {

// The data file's bytes of the year with the font and column widths the grid has now. The
// choices a file carries along (shown grade, list positions, view options) are taken from
// `choices`: moving around is not a change of the year, and no step records it.
std::string savedBytes(App& app, const FileSettings& choices) {
  refreshFileSettings(app);
  SchoolYear copy = app.Y;
  FileSettings fs = choices;
  fs.FsFontName = copy.Fs.FsFontName;
  fs.FsFontSize = copy.Fs.FsFontSize;
  fs.FsFontBold = copy.Fs.FsFontBold;
  fs.FsFontItalic = copy.Fs.FsFontItalic;
  copy.Fs = fs;
  std::string widths;
  for (int c = 0; c < app.Grid1.cols(); ++c) widths += std::to_string(app.Grid1.colWidth(c)) + ",";
  return encodeDataFile(copy) + widths;
}

void typeAndEnd(App& app, const std::string& text) {
  ASSERT_EQ(Grid1_KeyDown(app, kKeyF2, 0), GridKeyAction::StartEdit);
  ASSERT_TRUE(txtInput_GotFocus(app));
  app.W.txtInput = text;
  ASSERT_TRUE(txtInput_KeyDown(app, kKeyEnter, 0));
  Grid1_GotFocus(app);
}

struct Runner {
  EditFixture f;
  std::mt19937 rnd;
  explicit Runner(unsigned seed) : rnd(seed) {
    test::fillSelectors(f.app);
    test::addTimetable(f.app, 0, "1年1組");
    test::addTimetable(f.app, 0, "2年1組");
    f.app.Y.JW[0][1].JWCell[2][1] = "国語";
  }
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd); }
  // Another grade and month picked in the selectors (month list position 0 is April).
  void goTo(int grade, int monthPosition) {
    app().W.cmbGr.index = grade - 1;
    cmbGr_Click(app());
    app().W.cmbMonth.index = monthPosition;
    cmbMonth_Click(app());
  }
  App& app() { return f.app; }
  void selectSome() {
    Grid& g = app().Grid1;
    const int r = pick(1, 28), c = pick(2, g.cols() - 1);
    f.select(r, c, std::min(r + pick(0, 3), 28), std::min(c + pick(0, 2), g.cols() - 1));
  }
  const char* someText() {
    static const char* const texts[] = {"道徳", "行事", "月3", "火 2", "／", "遠足", "学活", "水1\t木2\r\n道徳\t／\r\n"};
    return texts[pick(0, 7)];
  }

  // One action of a user: a change, or moving to another grade or month in between.
  void act() {
    App& a = app();
    switch (pick(0, 11)) {
      case 0:
      case 1: {
        Grid& g = a.Grid1;
        g.setCurrent(pick(1, 28), pick(2, g.cols() - 1));
        typeAndEnd(a, someText());
        break;
      }
      case 2:
        selectSome();
        (void)pasteText(a, someText());
        break;
      case 3:
        selectSome();
        mnuCut_Click(a);
        break;
      case 4:
        selectSome();
        mnuDel_Click(a);
        break;
      case 5:
        selectSome();
        Grid1_RightMouseDown(a);
        pmnuJItem_Click(a, pick(1, 4));
        break;
      case 6:
        goTo(pick(1, 3), pick(0, 11));
        break;
      case 7:
        f.setEditAll(!a.V.editAll);
        break;
      case 8: {
        JItemDialog d;
        frmJItem_Load(a, d);
        if (pick(0, 1)) cmdDel_Click(a, d);
        d.nameBox = "特活" + std::to_string(pick(0, 9));
        (void)cmdAdd_Click(a, d);
        cmdOK_Click(a, d);
        break;
      }
      case 9: {
        FontInfo font = a.Grid1.Font;
        font.size = static_cast<float>(pick(9, 14));
        f.fonts.answers.push_back(font);
        mnuFont_Click(a);
        break;
      }
      case 10:
        (void)dragColumnWidth(a, pick(0, a.Grid1.cols() - 1), pick(200, 900));
        break;
      case 11:
        timetableWork();
        break;
    }
  }

  // A visit to the timetable window: a few of its changes, then the window closes.
  void timetableWork() {
    App& a = app();
    mnuJikanwari_Click(a);
    for (int n = pick(1, 4); n > 0; --n) {
      JWForm& w = a.JWF;
      if (w.lstJW.size()) lstJW_Click(a, pick(0, w.lstJW.size() - 1));
      switch (pick(0, 4)) {
        case 0:
          w.txtJW = "3年" + std::to_string(pick(1, 9)) + "組";
          cmdJWAdd_Click(a);
          break;
        case 1:
          w.txtJW = "X" + std::to_string(pick(1, 9));
          cmdJWIns_Click(a);
          break;
        case 2:
          f.msg.answers.push_back(MsgResult::OK);
          cmdJWDel_Click(a);
          break;
        case 3:
          pmnuListED_Click(a);
          w.txtJW = "改" + std::to_string(pick(1, 9));
          txtJW_Enter(a);
          break;
        case 4:
          w.Grid1.setCurrent(pick(1, 6), pick(1, 6));
          f.clipboard.content = "算数\t理科\r\n";
          JW_pmnuPaste_Click(a);
          break;
      }
    }
    mnuJikanwari_Click(a);
  }
};

TEST(History, UndoingEveryStepGivesBackTheSavedYearAndRedoingGivesTheLast) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    Runner run(seed);
    App& a = run.app();
    refreshFileSettings(a);
    const FileSettings choices = a.Y.Fs;
    const std::string start = savedBytes(a, choices);
    for (int i = 0; i < 200; ++i) run.act();
    run.goTo(1, 0);
    const std::string last = savedBytes(a, choices);
    ASSERT_NE(last, start);
    ASSERT_GT(a.H.size(), 50u);
    size_t undone = 0;
    while (a.H.canUndo()) {
      ASSERT_TRUE(mnuUndo_Click(a));
      ++undone;
    }
    EXPECT_EQ(undone, a.H.size());
    EXPECT_FALSE(a.H.modified());
    EXPECT_TRUE(savedBytes(a, choices) == start);
    while (a.H.canRedo()) ASSERT_TRUE(mnuRedo_Click(a));
    EXPECT_TRUE(savedBytes(a, choices) == last);
    EXPECT_TRUE(a.H.modified());
  }
}

// The history keeps at most its depth; the oldest steps go first, and the saved point
// goes with them.
TEST(History, DepthAndSavedPoint) {
  History h;
  auto step = [](int n) {
    Step s;
    s.name = "入力";
    s.lessons.push_back({0, 4, 1, 1, 0, static_cast<int16_t>(n)});
    return s;
  };
  EXPECT_FALSE(h.modified());
  h.push(step(1));
  EXPECT_TRUE(h.modified());
  h.markSaved();
  EXPECT_FALSE(h.modified());
  (void)h.stepBack();
  EXPECT_TRUE(h.modified());
  (void)h.stepForward();
  EXPECT_FALSE(h.modified());
  (void)h.stepBack();
  h.push(step(2));  // the saved year cannot be reached any more
  EXPECT_TRUE(h.modified());
  while (h.canUndo()) (void)h.stepBack();
  EXPECT_TRUE(h.modified());

  History deep;
  for (int n = 0; n < static_cast<int>(History::kDepth) + 10; ++n) deep.push(step(n));
  EXPECT_EQ(deep.size(), History::kDepth);
  int undone = 0;
  int16_t oldest = 0;
  while (deep.canUndo()) {
    oldest = deep.stepBack().lessons[0].after;
    ++undone;
  }
  EXPECT_EQ(undone, static_cast<int>(History::kDepth));
  EXPECT_EQ(oldest, 10);
}

}  // namespace
}  // namespace tly::testing
