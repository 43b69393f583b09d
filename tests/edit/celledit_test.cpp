#include <gtest/gtest.h>

#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "edit/edit_fixture.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using testing::EditFixture;

// Types text into the current cell of the fixture's grid as the window does: F2 opens
// the edit, the text replaces the entry box, the ending key hands it to the grid.
void typeAndEnd(App& app, const std::string& text, int endKey, int shift = 0) {
  ASSERT_EQ(Grid1_KeyDown(app, kKeyF2, 0), GridKeyAction::StartEdit);
  ASSERT_TRUE(txtInput_GotFocus(app));
  app.W.txtInput = text;
  ASSERT_TRUE(txtInput_KeyDown(app, endKey, shift));
  Grid1_GotFocus(app);
}

TEST(CellDecode, EveryInputFormOfAReferenceAndAnItem) {
  EditFixture f;
  const SchoolYear& y = f.app.Y;
  auto code = [&](const char* t) -> int {
    auto d = decodeCellText(y, t);
    return d ? d->code : 999;
  };
  EXPECT_EQ(code("月3"), 23);
  EXPECT_EQ(code("月 3"), 23);
  EXPECT_EQ(code("月　3"), 23);
  EXPECT_EQ(code("月３"), 23);
  EXPECT_EQ(code("日1"), 11);
  EXPECT_EQ(code("土６"), 76);
  EXPECT_EQ(code("月3時間目"), 23);
  // Period digit missing, zero or above Jigen = 6.
  EXPECT_EQ(code("月7"), 999);
  EXPECT_EQ(code("月0"), 999);
  EXPECT_EQ(code("月０"), 999);
  EXPECT_EQ(code("月"), 999);
  EXPECT_EQ(code("月 "), 999);
  EXPECT_EQ(code("月  3"), 999);  // only one blank is dropped
  // A weekday letter first never falls back to the item names.
  EXPECT_EQ(code("月道徳"), 999);
  EXPECT_EQ(code("道徳"), -5);
  EXPECT_EQ(code("道徳の時間"), -5);
  EXPECT_EQ(code("ｸﾗﾌﾞ活動"), -6);
  EXPECT_EQ(code("/"), 0);
  EXPECT_EQ(code("／"), 0);
  EXPECT_EQ(code("//"), 999);
  EXPECT_EQ(code("国語"), 999);
  EXPECT_EQ(code(""), 999);
  EXPECT_EQ(decodeCellText(y, "月 3")->shown, "月3");
  EXPECT_EQ(decodeCellText(y, "/")->shown, "／");
}

TEST(CellDecode, FirstItemInListOrderWinsAndEmptyNamesNeverMatch) {
  EditFixture f;
  SchoolYear& y = f.app.Y;
  y.JItemCount = 3;
  y.JItem[0] = "";
  y.JItem[1] = "学業";
  y.JItem[2] = "学活";
  EXPECT_EQ(decodeCellText(y, "学活")->code, -3);
  EXPECT_EQ(decodeCellText(y, "学業と学活")->code, -2);
  EXPECT_FALSE(decodeCellText(y, "国語"));
  // Items beyond the count are not looked at, and a damaged count is bounded.
  EXPECT_FALSE(decodeCellText(y, "道徳"));
  y.JItemCount = 300;
  y.JItem[19] = "zz";
  EXPECT_EQ(decodeCellText(y, "zz")->code, -20);
}

TEST(CellEdit, TypingStoresForTheShownGradeAndMovesDown) {
  EditFixture f;
  App& app = f.app;
  app.Grid1.setCurrent(3, 5);  // May 3, period 3
  typeAndEnd(app, "道徳", kKeyEnter);
  EXPECT_EQ(f.cell(1, 3, 3), -5);
  EXPECT_EQ(f.cell(2, 3, 3), 10 * EditFixture::weekday(5, 3) + 3);
  EXPECT_EQ(app.Grid1.text(3, 5), "道徳");
  EXPECT_EQ(app.Grid1.Row, 4);
  EXPECT_EQ(app.E.InputMode, EditStart::None);
  EXPECT_TRUE(app.W.txtInput.empty());
  // Each stored cell is one step of the history.
  ASSERT_TRUE(app.H.canUndo());
  EXPECT_EQ(app.H.undoStep()->name, "入力");

  // "/" stores 0 and the cell shows ／ at once.
  typeAndEnd(app, "/", kKeyEnter);
  EXPECT_EQ(f.cell(1, 4, 3), 0);
  EXPECT_EQ(app.Grid1.text(4, 5), "／");

  // Text that decodes to nothing leaves the code and still moves.
  int16_t before = f.cell(1, 5, 3);
  typeAndEnd(app, "国語", kKeyEnter);
  EXPECT_EQ(f.cell(1, 5, 3), before);
  EXPECT_EQ(app.Grid1.Row, 6);
  // An empty entry leaves a period cell as it was and moves down.
  typeAndEnd(app, "", kKeyEnter);
  EXPECT_EQ(f.cell(1, 6, 3), 10 * EditFixture::weekday(5, 6) + 3);
  EXPECT_EQ(app.Grid1.Row, 7);
}

TEST(CellEdit, DayTextsAreSetAndClearedAndEscapeStoresNothing) {
  EditFixture f;
  App& app = f.app;
  int remarks = app.Grid1.cols() - 1;
  app.Grid1.setCurrent(10, 2);
  typeAndEnd(app, "遠足", kKeyEnter);
  EXPECT_EQ(f.text(1, 10, 0), "遠足");
  app.Grid1.setCurrent(10, 2);
  typeAndEnd(app, "", kKeyEnter);
  EXPECT_EQ(f.text(1, 10, 0), "");
  app.Grid1.setCurrent(10, remarks);
  typeAndEnd(app, "雨天延期\n", kKeyEnter);  // a line break never reaches the tables
  EXPECT_EQ(f.text(1, 10, 1), "雨天延期");

  app.Grid1.setCurrent(12, 4);
  int16_t before = f.cell(1, 12, 2);
  typeAndEnd(app, "道徳", kKeyEscape);
  EXPECT_EQ(f.cell(1, 12, 2), before);
  EXPECT_EQ(app.Grid1.Row, 12);
  EXPECT_EQ(app.Grid1.Col, 4);
}

TEST(CellEdit, RemovedControlCharactersAreToldInTheStatusBar) {
  struct Case {
    const char* typed;
    bool remarks;  // else a period cell
    const char* stored;
    bool told;
  } cases[] = {
      {"遠足\t雨天延期", true, "遠足雨天延期", true},
      {"遠足\r\n", true, "遠足", true},
      {"遠足", true, "遠足", false},
      {"道\x7F徳", false, "", true},
      {"道徳", false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EditFixture f;
    App& app = f.app;
    app.Grid1.setCurrent(10, c.remarks ? app.Grid1.cols() - 1 : 3);
    typeAndEnd(app, c.typed, kKeyEnter);
    if (c.remarks) {
      EXPECT_EQ(f.text(1, 10, 1), c.stored);
    } else {
      EXPECT_EQ(f.cell(1, 10, 1), -5) << "道徳 stored";
    }
    EXPECT_EQ(app.W.panel[0], c.told ? kMsgControlsRemoved : "");
  }
}

TEST(CellEdit, EndKeysDependOnHowTheEditStarted) {
  EditFixture f;
  App& app = f.app;
  // Typed start: the character becomes the entry text; an arrow stores and moves.
  app.Grid1.setCurrent(5, 4);
  Grid1_KeyPress(app, 'x');
  ASSERT_TRUE(Grid1_KeyUp(app, 'X', 0));
  ASSERT_TRUE(txtInput_GotFocus(app));
  EXPECT_EQ(app.W.txtInput, "x");
  app.W.txtInput = "/";
  EXPECT_TRUE(txtInput_KeyDown(app, kKeyRight, 0));
  Grid1_GotFocus(app);
  EXPECT_EQ(f.cell(1, 5, 2), 0);
  EXPECT_EQ(app.Grid1.Col, 5);

  // Half-width katakana typed in the grid arrive as their character.
  Grid1_KeyPress(app, 0xB6);
  ASSERT_TRUE(Grid1_KeyUp(app, 'T', 0));
  txtInput_GotFocus(app);
  EXPECT_EQ(app.W.txtInput, "ｶ");
  txtInput_KeyDown(app, kKeyEscape, 0);
  Grid1_GotFocus(app);

  // A double-click edit starts with the cell's text; arrows stay inside the box.
  app.Grid1.setCurrent(5, 3);
  ASSERT_TRUE(Grid1_DblClick(app));
  txtInput_GotFocus(app);
  EXPECT_EQ(app.W.txtInput, app.Grid1.text(5, 3));
  EXPECT_FALSE(txtInput_KeyDown(app, kKeyLeft, 0));
  EXPECT_TRUE(txtInput_KeyDown(app, kKeyPadEnter, kShiftBit));  // keypad Enter with Shift
  Grid1_GotFocus(app);
  EXPECT_EQ(app.Grid1.Row, 4);
  EXPECT_EQ(f.cell(1, 5, 1), 10 * EditFixture::weekday(5, 5) + 1);  // its own text stores itself

  // Focus reaching the entry box without an edit goes straight back and stores nothing.
  EXPECT_FALSE(txtInput_GotFocus(app));
  int16_t before = f.cell(1, 4, 1);
  Grid1_GotFocus(app);
  EXPECT_EQ(f.cell(1, 4, 1), before);
  // Ctrl or Alt with a letter starts nothing.
  EXPECT_FALSE(Grid1_KeyUp(app, 'C', kCtrlBit));
}

TEST(CellEdit, MovesStopAtTheEdgesOfTheMonth) {
  EditFixture f;
  App& app = f.app;
  int last = app.Grid1.rows() - 1;
  ASSERT_EQ(last, 31);
  app.Grid1.setCurrent(last, 3);
  typeAndEnd(app, "月1", kKeyEnter);
  EXPECT_EQ(f.cell(1, 31, 1), 21);
  EXPECT_EQ(app.Grid1.Row, last);
  app.Grid1.setCurrent(1, 3);
  typeAndEnd(app, "月1", kKeyEnter, kShiftBit);
  EXPECT_EQ(app.Grid1.Row, 1);
  // Grid keys: Tab does not go left of the events column, Enter not above day 1.
  app.Grid1.setCurrent(1, 2);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyTab, kShiftBit), GridKeyAction::Handled);
  EXPECT_EQ(app.Grid1.Col, 2);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyTab, 0), GridKeyAction::Handled);
  EXPECT_EQ(app.Grid1.Col, 3);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyEnter, kShiftBit), GridKeyAction::Handled);
  EXPECT_EQ(app.Grid1.Row, 1);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyEnter, 0), GridKeyAction::Handled);
  EXPECT_EQ(app.Grid1.Row, 2);
  EXPECT_EQ(Grid1_KeyDown(app, 'A', 0), GridKeyAction::None);
}

TEST(CellEdit, EditAllReachesEveryGradeAndTheTallyViewIsReadOnly) {
  EditFixture f;
  App& app = f.app;
  mnuEditAll_Click(app);
  EXPECT_TRUE(mainControls(app).checked(Command::EditAll));
  EXPECT_TRUE(mainControls(app).checked(Command::PopupEditAll));
  EXPECT_EQ(app.W.panel[2], "全学年一括編集");
  app.Grid1.setCurrent(6, 3);
  typeAndEnd(app, "学活", kKeyEnter);
  for (int g = 1; g <= 3; ++g) EXPECT_EQ(f.cell(g, 6, 1), -7) << g;
  EXPECT_EQ(app.Y.JJ[3][5][6][1], 0);  // no grade beyond Ggn
  mnuEditAll_Click(app);
  EXPECT_EQ(app.W.panel[2], "");

  testing::setView(app, Command::Kei, true);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyF2, 0), GridKeyAction::Handled);
  EXPECT_FALSE(Grid1_DblClick(app));
  EXPECT_FALSE(Grid1_KeyUp(app, 'A', 0));
  EXPECT_FALSE(Grid1_RightMouseDown(app));
  int16_t before = f.cell(1, 7, 1);
  app.Grid1.setCurrent(7, 3);
  EXPECT_EQ(Grid1_KeyDown(app, kKeyDelete, 0), GridKeyAction::Handled);
  EXPECT_EQ(f.cell(1, 7, 1), before);
}

TEST(CellEdit, PopupItemEntriesAndAssignment) {
  EditFixture f;
  App& app = f.app;
  auto shown = [&](int n) { return mainControls(app).item(popupItem(n)).visible; };
  f.select(3, 3, 5, 4);
  ASSERT_TRUE(Grid1_RightMouseDown(app));
  EXPECT_TRUE(mainControls(app).item(Command::PopupSp7).visible);
  EXPECT_TRUE(shown(8));
  EXPECT_FALSE(shown(9));
  EXPECT_EQ(popupItemCaption(app, 5), "道徳");
  // A selection touching a day-text column, a whole column, or an open timetable
  // window hides the items.
  f.select(3, 2, 5, 4);
  Grid1_RightMouseDown(app);
  EXPECT_FALSE(shown(1));
  f.select(1, 4, app.Grid1.rows() - 1, 4);
  Grid1_RightMouseDown(app);
  EXPECT_FALSE(shown(1));
  f.select(3, 3, 3, 3);
  app.S.JWMode = JWModeKind::Class;
  Grid1_RightMouseDown(app);
  EXPECT_FALSE(mainControls(app).item(Command::PopupSp7).visible);
  app.S.JWMode = JWModeKind::None;

  // Assigning an item is one step and reaches only the period cells.
  f.select(3, 2, 4, 4);
  pmnuJItem_Click(app, 2);
  EXPECT_EQ(app.H.undoStep()->name, "集計項目の割り当て");
  EXPECT_EQ(f.cell(1, 3, 1), -2);
  EXPECT_EQ(f.cell(1, 4, 2), -2);
  EXPECT_EQ(f.cell(1, 3, 0), 0);  // no code in the events column's slot
  EXPECT_EQ(app.Grid1.text(4, 4), "学業");
}

}  // namespace
}  // namespace tly
