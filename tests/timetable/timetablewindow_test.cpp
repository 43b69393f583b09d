// The timetable window's procedures and timetable mode, on the fake platform.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "io/yearfile.h"
#include "rules/timetablestore.h"
#include "session/files/datafile.h"
#include "support/tempdir.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/controls.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/navigation.h"
#include "session/windows/frmmain/tally.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmmain/timetablemode.h"
#include "session/windows/frmjw/timetablewindow.h"
#include "support/fake_platform.h"
#include "support/years.h"

namespace tly {
namespace {

struct Fixture : test::FakePlatform {
  std::unique_ptr<App> app;
  explicit Fixture(int periods = 6) {
    app = test::makeYearApp(1999, 3, periods);
    app->Y.Fs.FsJWClass = -1;  // class timetables, as the window is designed
    install(*app);
    test::fillSelectors(*app);
    test::showMonth(*app, 1, 4);
  }
  App& a() { return *app; }
  JWForm& f() { return app->JWF; }
  // Types `text` into the name box and presses Enter, with the focus moves the window makes.
  void enterName(const std::string& text) {
    txtJW_GotFocus(a());
    f().txtJW = text;
    txtJW_Enter(a());
    if (f().focus == JWFocus::CmdJWAdd) cmdJWAdd_GotFocus(a());
    else if (f().focus == JWFocus::CmdJWIns) cmdJWIns_GotFocus(a());
  }
  // F2 (or a typed key), the text, then the key that ends the edit; the grid gets focus.
  void editCell(int r, int c, const std::string& text, int endKey = kKeyEnter, int shift = 0) {
    f().Grid1.setCurrent(r, c);
    ASSERT_EQ(JW_Grid1_KeyDown(a(), kKeyF2, 0), JWGridKey::StartEdit);
    ASSERT_TRUE(JW_txtInput_GotFocus(a()));
    f().txtInput = text;
    ASSERT_TRUE(JW_txtInput_KeyDown(a(), endKey, shift));
    JW_Grid1_GotFocus(a());
  }
  std::string names() {
    std::string s;
    for (const auto& n : f().lstJW.items) s += n + "|";
    return s;
  }
};

TEST(TimetableWindow, EnterAddsInsertsAndRenames) {
  Fixture x;
  mnuJikanwari_Click(x.a());
  ASSERT_TRUE(x.f().open);
  EXPECT_EQ(x.a().S.JWMode, JWModeKind::Class);
  // Insert into an empty list appends; an empty name asks for one and waits for Enter.
  x.f().txtJW.clear();
  cmdJWIns_Click(x.a());
  EXPECT_TRUE(x.msg.saw("時間割名（学級名）を入力してください。"));
  EXPECT_EQ(x.f().JWNameMode, 2);
  x.enterName("1年1組");
  EXPECT_EQ(x.names(), "1年1組|");
  EXPECT_EQ(x.f().lstJW.index, 0);
  x.enterName(" 1年3組 ");
  EXPECT_EQ(x.f().focus, JWFocus::TxtJW);
  EXPECT_EQ(x.a().Y.JW[0][2].JWName, " 1年3組 ");  // stored as typed, listed trimmed
  EXPECT_EQ(x.names(), "1年1組|1年3組|");
  // Insert before the selected one.
  x.a().Y.JW[0][2].JWCell[1][1] = "国語";
  lstJW_Click(x.a(), 1);
  x.f().txtJW.clear();
  cmdJWIns_Click(x.a());
  x.enterName("1年2組");
  EXPECT_EQ(x.names(), "1年1組|1年2組|1年3組|");
  EXPECT_EQ(x.a().Y.JW[0][3].JWCell[1][1], "国語");
  EXPECT_EQ(x.a().S.JWNo, 2);
  // Rename: the list commands are off until Enter; an empty name is taken.
  pmnuListED_Click(x.a());
  EXPECT_EQ(x.f().txtJW, "1年2組");
  EXPECT_FALSE(jwListCommandsEnabled(x.a()));
  EXPECT_FALSE(cmdKei_Click(x.a()));
  x.f().txtJW = "  ";
  txtJW_Enter(x.a());
  EXPECT_TRUE(jwListCommandsEnabled(x.a()));
  EXPECT_EQ(x.names(), "1年1組||1年3組|");
  EXPECT_EQ(x.f().lstJW.index, 1);  // the renamed one stays selected
  // Delete asks; Cancel keeps everything, OK deletes and selects the one before the last.
  lstJW_Click(x.a(), 2);
  x.msg.answers = {MsgResult::Cancel, MsgResult::OK};
  cmdJWDel_Click(x.a());
  EXPECT_EQ(x.names(), "1年1組||1年3組|");
  cmdJWDel_Click(x.a());
  EXPECT_TRUE(x.msg.saw("1年3組 の時間割を削除します。"));
  EXPECT_EQ(x.names(), "1年1組||");
  EXPECT_EQ(x.f().lstJW.index, 1);
  EXPECT_EQ(x.a().Y.JW[0][3].JWCell[1][1], "");
}

// Every list operation at every position of a list of three, with and without choosing
// another timetable and coming back afterwards. A model of the list (name and a marker
// cell per timetable) says what each record, the list and the grid must show. Every
// operation is then undone: the list and every record are back as they were, and the
// timetable selected before the operation is selected again.
TEST(TimetableWindow, ListOperationsAtEveryPositionKeepRecordsWhole) {
  enum class Op { Add, Insert, Delete, Rename, PasteThenUndo };
  struct Entry {
    std::string name, marker;
  };
  for (Op op : {Op::Add, Op::Insert, Op::Delete, Op::Rename, Op::PasteThenUndo})
    for (int pos = 0; pos < 3; ++pos)
      for (bool reselect : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "op " << static_cast<int>(op) << " at " << pos << " reselect "
                                          << reselect);
        Fixture x;
        std::vector<Entry> model{{"A", "mA"}, {"B", "mB"}, {"C", "mC"}};
        for (size_t i = 0; i < model.size(); ++i) {
          test::addTimetable(x.a(), 0, model[i].name);
          x.a().Y.JW[0][i + 1].JWCell[1][1] = model[i].marker;
        }
        mnuJikanwari_Click(x.a());
        lstJW_Click(x.a(), pos);
        int selected = pos;
        std::string shown = model[static_cast<size_t>(pos)].marker;
        switch (op) {
          case Op::Add:
            x.enterName("N");
            model.push_back({"N", ""});
            selected = 3;
            break;
          case Op::Insert:
            x.f().txtJW.clear();
            cmdJWIns_Click(x.a());
            x.enterName("N");
            model.insert(model.begin() + pos, Entry{"N", ""});
            break;
          case Op::Delete:
            cmdJWDel_Click(x.a());
            model.erase(model.begin() + pos);
            selected = pos < 2 ? pos : pos - 1;
            break;
          case Op::Rename:
            pmnuListED_Click(x.a());
            x.f().txtJW = "N";
            txtJW_Enter(x.a());
            model[static_cast<size_t>(pos)].name = "N";
            break;
          case Op::PasteThenUndo:
            x.clipboard.content = "X\r\n";
            x.f().Grid1.setCurrent(1, 1);
            JW_pmnuPaste_Click(x.a());
            ASSERT_TRUE(jwUndoAvailable(x.a()));
            break;
        }
        if (reselect) {
          lstJW_Click(x.a(), selected == 0 ? 1 : 0);
          lstJW_Click(x.a(), selected);
        }
        if (op == Op::PasteThenUndo) {
          // Choosing another timetable in between does not lose the step; the undo shows
          // the pasted timetable again.
          EXPECT_TRUE(jwUndoAvailable(x.a()));
          JW_pmnuUndo_Click(x.a());
        }
        shown = model[static_cast<size_t>(selected)].marker;

        std::string want;
        for (const Entry& e : model) want += e.name + "|";
        EXPECT_EQ(x.names(), want);
        EXPECT_EQ(x.f().lstJW.index, selected);
        EXPECT_EQ(x.a().S.JWNo, selected + 1);
        EXPECT_EQ(x.f().Grid1.text(1, 1), shown);
        EXPECT_EQ(x.a().Y.timetableCount(0), static_cast<int>(model.size()));
        for (size_t i = 0; i < model.size(); ++i) {
          EXPECT_EQ(x.a().Y.JW[0][i + 1].JWName, model[i].name) << "record " << i + 1;
          EXPECT_EQ(x.a().Y.JW[0][i + 1].JWCell[1][1], model[i].marker) << "record " << i + 1;
        }
        // The record past the list is empty: nothing of a moved or deleted one stays.
        const JWRec& freed = x.a().Y.JW[0][model.size() + 1];
        EXPECT_EQ(freed.JWName, "");
        EXPECT_EQ(freed.JWCell[1][1], "");
        if (op == Op::PasteThenUndo) continue;
        // 取り消し gives the list back as it was, with its selection.
        ASSERT_TRUE(jwUndoAvailable(x.a()));
        JW_pmnuUndo_Click(x.a());
        EXPECT_EQ(x.names(), "A|B|C|");
        EXPECT_EQ(x.f().lstJW.index, pos);
        EXPECT_EQ(x.f().Grid1.text(1, 1), std::string("m") + "ABC"[pos]);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(x.a().Y.JW[0][i + 1].JWName, std::string(1, "ABC"[i]));
        EXPECT_EQ(x.a().Y.timetableCount(0), 3);
        EXPECT_EQ(x.a().Y.JW[0][4].JWName, "");
      }
}

TEST(TimetableWindow, CellEditKeysAndStore) {
  Fixture x(7);
  test::addTimetable(x.a(), 0, "1年1組");
  mnuJikanwari_Click(x.a());
  ASSERT_EQ(x.f().Grid1.cols(), 8);
  EXPECT_EQ(x.f().Grid1.colWidth(1), 4155 / 8);
  EXPECT_EQ(x.f().Grid2.colWidth(0), 4155 - 7 * (4155 / 8) - 80);
  x.editCell(1, 2, "数学");  // Monday period 2, Enter moves down
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[1][2], "数学");
  EXPECT_EQ(x.f().Grid1.Row, 2);
  x.editCell(3, 7, "理科 ", kKeyEnter, kShiftBit);  // period 7; Shift+Enter moves up
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[3][7], "理科 ");
  EXPECT_EQ(x.f().Grid1.Row, 2);
  x.editCell(2, 2, "消えない", kKeyEscape);
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[2][2], "");
  EXPECT_EQ(x.f().Grid1.text(2, 2), "");
  // F2 edits move the caret with arrows; a typed edit ends with them and moves.
  x.f().Grid1.setCurrent(1, 2);
  JW_Grid1_KeyDown(x.a(), kKeyF2, 0);
  JW_txtInput_GotFocus(x.a());
  EXPECT_EQ(x.f().txtInput, "数学");
  EXPECT_FALSE(JW_txtInput_KeyDown(x.a(), kKeyLeft, 0));
  JW_txtInput_KeyDown(x.a(), kKeyEscape, 0);
  JW_Grid1_GotFocus(x.a());
  for (int col : {2, 1}) {
    x.f().Grid1.setCurrent(4, col);
    EXPECT_FALSE(JW_Grid1_KeyPressText(x.a(), "a"));  // the key's release starts it
    EXPECT_TRUE(JW_Grid1_KeyUp(x.a(), 'A', 0));
    ASSERT_TRUE(JW_txtInput_GotFocus(x.a()));
    EXPECT_EQ(x.f().txtInput, "a");
    ASSERT_TRUE(JW_txtInput_KeyDown(x.a(), kKeyLeft, 0));
    JW_Grid1_GotFocus(x.a());
    EXPECT_EQ(x.f().Grid1.Col, 1) << "from column " << col;
  }
  // Ctrl+C copies (its late release is left out by the window).
  x.f().Grid1.setCurrent(4, 1);
  x.clipboard.content.clear();
  EXPECT_EQ(JW_Grid1_KeyDown(x.a(), 'C', kCtrlBit), JWGridKey::Handled);
  EXPECT_EQ(x.clipboard.content, "a\r\n");
  EXPECT_EQ(x.f().edit.InputMode, EditStart::None);
  // Editing needs a timetable.
  deleteTimetable(x.a().Y, 0, 1);
  SetJWList(x.a());
  DispJWGrid(x.a());
  JW_Grid1_KeyDown(x.a(), kKeyF2, 0);
  EXPECT_FALSE(JW_txtInput_GotFocus(x.a()));
  EXPECT_TRUE(x.msg.saw("時間割名（学級名）の登録が必要です。"));
  EXPECT_EQ(x.f().edit.InputMode, EditStart::None);
  EXPECT_EQ(x.f().focus, JWFocus::TxtJW);
}

TEST(TimetableWindow, ClipboardCommandsStoreAndUndo) {
  Fixture x;
  test::addTimetable(x.a(), 0, "A");
  test::addTimetable(x.a(), 0, "B");
  x.a().Y.JW[0][1].JWCell[1][1] = "国語";
  x.a().Y.JW[0][1].JWCell[2][3] = "数学";
  mnuJikanwari_Click(x.a());
  Grid& g = x.f().Grid1;
  EXPECT_FALSE(jwUndoAvailable(x.a()));
  g.setCurrent(1, 1);
  g.RowSel = 2;
  g.ColSel = 3;
  JW_pmnuCut_Click(x.a());
  EXPECT_EQ(x.clipboard.content, "国語\t\t\r\n\t\t数学\r\n");
  EXPECT_EQ(g.RowSel, g.Row);
  lstJW_Click(x.a(), 1);
  lstJW_Click(x.a(), 0);
  EXPECT_EQ(g.text(1, 1), "");  // cut cells stay empty after switching away and back
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[2][3], "");
  g.setCurrent(5, 4);
  JW_pmnuPaste_Click(x.a());
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[5][4], "国語");
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[6][6], "数学");
  ASSERT_TRUE(jwUndoAvailable(x.a()));
  JW_pmnuUndo_Click(x.a());
  EXPECT_EQ(x.a().Y.JW[0][1].JWCell[5][4], "");
  g.setCurrent(6, 6);
  JW_pmnuPaste_Click(x.a());
  EXPECT_TRUE(x.msg.saw("貼り付け開始位置が不適当です。"));
  x.clipboard.content.clear();
  JW_pmnuPaste_Click(x.a());
  EXPECT_TRUE(x.msg.saw("貼り付けるデータがありません。"));
  // The reference copies into the clipboard and hands focus to the edited grid.
  frameRef_Click(x.a());
  EXPECT_EQ(x.f().height, kJWHeightRef);
  cmbRef_Click(x.a(), 1);
  x.a().Y.JW[0][2].JWCell[1][1] = "英語";
  DispRefGrid(x.a());
  x.f().Grid2.setCurrent(1, 1);
  pmnuRefCopy_Click(x.a());
  EXPECT_EQ(x.clipboard.content, "英語\r\n");
  EXPECT_EQ(x.f().focus, JWFocus::Grid1);
  frameRef_Click(x.a());
  EXPECT_EQ(x.f().height, kJWHeightNoRef);
}

TEST(TimetableWindow, ReferenceFallsBackToTheOtherKindOrExplains) {
  Fixture x;
  mnuJikanwari_Click(x.a());
  x.msg.answers = {MsgResult::Cancel};
  frameRef_Click(x.a());
  ASSERT_EQ(x.msg.shown.size(), 1u);
  EXPECT_EQ(x.msg.shown[0].title, "MOKTA");
  EXPECT_EQ(x.msg.shown[0].buttons, MsgButtons::OKCancel);
  EXPECT_EQ(x.msg.shown[0].text,
            "参照するための時間割が登録されていません。\n学級名を追加後、時間割に教科名を設定してください。");
  EXPECT_FALSE(x.f().refShown);
  test::addTimetable(x.a(), 1, "山田");
  frameRef_Click(x.a());
  EXPECT_TRUE(x.f().refShown);
  EXPECT_FALSE(x.f().optRefClass);
  EXPECT_EQ(x.f().cmbRef.items, std::vector<std::string>{"山田"});
}

TEST(TimetableMode, EnterAndEveryCloseGiveTheMainWindowBack) {
  enum class Close { Menu, OK, Box, TallyOff, Month };
  for (Close how : {Close::Menu, Close::OK, Close::Box, Close::TallyOff, Close::Month}) {
    Fixture x;
    test::addTimetable(x.a(), 0, "1年1組");
    test::addTimetable(x.a(), 1, "山田");
    for (int c = 0; c < x.a().Grid1.cols(); ++c) x.a().Grid1.setColWidth(c, 400 + c);
    mnuJikanwari_Click(x.a());
    auto w = [&] { return mainControls(x.a()); };
    EXPECT_TRUE(w().checked(Command::Jikanwari));
    EXPECT_TRUE(w().pressed(Command::Jikanwari));
    EXPECT_EQ(w().item(Command::CopyAll).caption, "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ");
    for (Command m : {Command::Open, Command::End, Command::ViewMenu, Command::PopupPaste})
      EXPECT_FALSE(w().enabled(m)) << controlName(m);
    for (Command b :
         {Command::Open, Command::Save, Command::New, Command::Undo, Command::Cut, Command::Paste, Command::Del})
      EXPECT_FALSE(w().tool(b).enabled) << controlName(b);
    EXPECT_TRUE(w().enabled(Command::Kei));
    EXPECT_TRUE(w().gradeMonthSelectorsEnabled);
    optClass_Click(x.a(), false);
    EXPECT_EQ(x.a().S.JWMode, JWModeKind::Teacher);
    EXPECT_TRUE(w().checked(Command::DispJWS));
    lstJW_Click(x.a(), 0);
    if (how == Close::TallyOff) {
      ASSERT_TRUE(cmdKei_Click(x.a()));
      EXPECT_TRUE(w().checked(Command::Kei));
      EXPECT_TRUE(w().timetableSelectorVisible);
      EXPECT_FALSE(w().timetableSelectorEnabled);
      EXPECT_FALSE(w().gradeMonthSelectorsEnabled);
      x.a().Grid1.setCols(3);  // as the timetable tally lays the grid out
      mnuKei_Click(x.a());
    } else if (how == Close::Menu) {
      mnuJikanwari_Click(x.a());
    } else if (how == Close::Month) {
      // Another month in the month selector leaves the mode, showing that month.
      x.a().W.cmbMonth.select(1);
      cmbMonth_Click(x.a());
      EXPECT_EQ(x.a().S.CurMonth, 5);
      EXPECT_EQ(x.a().S.CurYear, 1999);
    } else if (how == Close::OK) {
      cmdOK_Click(x.a());
    } else {
      JW_Form_Unload(x.a());
    }
    EXPECT_FALSE(x.f().open);
    EXPECT_FALSE(w().checked(Command::Jikanwari));
    EXPECT_FALSE(w().checked(Command::Kei));
    EXPECT_EQ(x.a().S.JWMode, JWModeKind::None);
    EXPECT_EQ(w().item(Command::CopyAll).caption, "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ");
    for (Command m : {Command::Open, Command::End, Command::ViewMenu, Command::Save})
      EXPECT_TRUE(w().enabled(m)) << controlName(m);
    for (Command b : {Command::Open, Command::Cut, Command::DispJWC})
      EXPECT_TRUE(w().tool(b).enabled) << controlName(b);
    EXPECT_TRUE(w().gradeMonthSelectorsEnabled);
    EXPECT_EQ(x.a().Y.Fs.FsJWClass, 0);  // teacher timetables were chosen
    EXPECT_EQ(x.settings.stored("JWLeft"), "2000");
    EXPECT_TRUE(w().timetableSelectorVisible);  // the teacher view shows its selector
    if (how == Close::Menu || how == Close::TallyOff || how == Close::Month) {
      ASSERT_EQ(x.a().Grid1.cols(), 10);
      for (int c = 0; c < 10; ++c) EXPECT_EQ(x.a().Grid1.colWidth(c), 400 + c) << c;
    }
  }
}

TEST(TimetableMode, LeavingGivesBackEveryColumnWidth) {
  for (int periods : {5, 6, 7}) {
    Fixture x(periods);
    Grid& g = x.a().Grid1;
    ASSERT_EQ(g.cols(), periods + 4);
    for (int c = 0; c < g.cols(); ++c) g.setColWidth(c, 300 + 7 * c);
    test::addTimetable(x.a(), 0, "1年1組");
    mnuJikanwari_Click(x.a());
    ASSERT_TRUE(cmdKei_Click(x.a()));
    g.setCols(3);  // the timetable tally's layout
    mnuJikanwari_Click(x.a());
    ASSERT_EQ(g.cols(), periods + 4);
    for (int c = 0; c < g.cols(); ++c) EXPECT_EQ(g.colWidth(c), 300 + 7 * c) << periods << " periods, column " << c;
  }
}

TEST(TimetableMode, TallyCommandOpensTheWindowOnTheShownTimetable) {
  Fixture x;
  test::addTimetable(x.a(), 0, "1年1組");
  test::addTimetable(x.a(), 0, "1年2組");
  x.a().C.IniDspJWIndex = 1;
  mnuDispJWC_Click(x.a());
  ASSERT_EQ(x.a().W.cmbDispJW.index, 1);
  mnuKei_Click(x.a());
  EXPECT_TRUE(x.f().open);
  EXPECT_EQ(x.f().lstJW.index, 1);
  EXPECT_EQ(x.a().S.JWNo, 2);
  // A view command leaves the tally by the same path: nothing stays greyed out.
  mnuDispJWC_Click(x.a());
  auto w = mainControls(x.a());
  EXPECT_FALSE(x.f().open);
  for (Command m : {Command::Open, Command::Save, Command::New, Command::ColWidth, Command::End})
    EXPECT_TRUE(w.enabled(m)) << controlName(m);
}

TEST(TimetableMode, ChoicesAndListPositionsTravelInFileSettings) {
  Fixture x;
  for (const char* n : {"a", "b", "c"}) test::addTimetable(x.a(), 1, n);
  test::addTimetable(x.a(), 0, "k");
  test::addTimetable(x.a(), 0, "l");
  x.a().Y.Fs.FsJWClass = 0;
  mnuJikanwari_Click(x.a());
  lstJW_Click(x.a(), 2);
  frameRef_Click(x.a());
  optRefClass_Click(x.a(), true);
  cmbRef_Click(x.a(), 1);
  mnuJikanwari_Click(x.a());
  EXPECT_EQ(x.a().Y.Fs.FsLstJW, 2);
  EXPECT_EQ(x.a().Y.Fs.FsCmbRef, 1);
  EXPECT_EQ(x.a().Y.Fs.FsRefClass, -1);
  mnuJikanwari_Click(x.a());
  EXPECT_FALSE(x.f().optClass);
  EXPECT_EQ(x.f().lstJW.index, 2);
  EXPECT_EQ(x.a().S.JWNo, 3);
}

// Saved and read again: the timetables, the kind choices and the list positions.
TEST(TimetableMode, ChoicesComeBackFromTheDataFile) {
  test::TempDir dir;
  const std::string path = dir.dir() + "y.dat";
  {
    Fixture x;
    for (const char* n : {"a", "b", "c"}) test::addTimetable(x.a(), 1, n);
    mnuJikanwari_Click(x.a());
    optClass_Click(x.a(), false);
    lstJW_Click(x.a(), 1);
    x.editCell(2, 3, "1-1国語");
    cmdOK_Click(x.a());
    ASSERT_TRUE(writeDataFileAt(x.a(), path).ok());
  }
  Fixture y;
  auto r = readYearFile(path, y.a().Y);
  ASSERT_TRUE(r.ok());
  openReadYear(y.a(), std::move(*r));
  mnuJikanwari_Click(y.a());
  EXPECT_FALSE(y.f().optClass);
  EXPECT_EQ(y.f().lstJW.index, 1);
  EXPECT_EQ(y.f().Grid1.text(2, 3), "1-1国語");
}

// Editing Monday period 2 of a class timetable changes every Monday period 2 the month
// shows through it and the tally of that subject, and never a lesson cell.
TEST(TimetableMode, ATimetableEditReachesTheYearByReference) {
  Fixture x;
  test::addTimetable(x.a(), 0, "1年1組");
  auto before = std::make_unique<SchoolYear>();
  std::memcpy(before->JJ, x.a().Y.JJ, sizeof before->JJ);
  mnuJikanwari_Click(x.a());
  x.editCell(1, 2, "技術");
  ASSERT_TRUE(cmdKei_Click(x.a()));
  x.a().T.KikanSet = false;
  CountJisuu(x.a());
  DispJWJisuu(x.a());
  ASSERT_EQ(x.a().T.KeiName.size(), 1u);
  EXPECT_EQ(x.a().T.KeiName[0], "技術");
  EXPECT_GT(x.a().T.KeiSum[0], 30);
  cmdOK_Click(x.a());
  EXPECT_EQ(std::memcmp(before->JJ, x.a().Y.JJ, sizeof before->JJ), 0);
  SetCmbDispJW(x.a());
  test::showMonth(x.a(), 1, 4);
  int mondays = 0;
  for (int d = 1; d <= 30; ++d)
    if (x.a().Grid1.text(d, 1) == "月") {
      EXPECT_EQ(x.a().Grid1.text(d, 4), "技術") << d;
      ++mondays;
    }
  EXPECT_GE(mondays, 4);
}

TEST(TimetableWindow, StoredSizeTakesOnlyASizeAScreenCouldHold) {
  struct Case {
    const char* stored;
    int twips;
  } cases[] = {{"9000", 9000}, {" 9000\t", 9000}, {"60000", 60000}, {"60001", 0}, {"0", 0},
               {"-3000", 0},   {"9000px", 0},     {"", 0},          {"99999999999999999999", 0}};
  for (const Case& c : cases) {
    test::TestApp t;
    t.settings.set("TLY", "Settings", "JWWidth", c.stored);
    t.settings.set("TLY", "Settings", "JWHeight", "4000");
    const JWStoredSize s = storedJWSize(t.app);
    EXPECT_EQ(s.width, c.twips) << c.stored;
    EXPECT_EQ(s.height, 4000);
  }
  // What is stored comes back.
  test::TestApp t;
  storeJWSize(t.app, {7200, 5100});
  EXPECT_EQ(storedJWSize(t.app).width, 7200);
  EXPECT_EQ(storedJWSize(t.app).height, 5100);
}

}  // namespace
}  // namespace tly
