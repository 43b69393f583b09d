#include "session/windows/frmmain/lifecycle.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "session/files/datafile.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using test::TempDir;
using Rig = test::TestApp;

const char* const kNoData = "編集中のデータがありません。\nデータの新規作成をしますか？";
const char* const kAnotherCopy =
    "既に TLY が起動されている可能性があります。\n自動保存されるデータは、最後に終了させたものが有効となります。\n起動しますか";

// Leaves a working file holding school year `nendo` with `grades` grades, grade
// `shownGrade` selected, as the previous run's exit would.
void leaveWorkingFile(const TempDir& dir, int nendo, int grades, int shownGrade) {
  Rig prev;
  prev.app.F.AppPath = dir.dir();
  test::makeYear(prev.app, nendo, grades);
  prev.app.S.CurGr = shownGrade;
  prev.app.W.cmbGr.select(shownGrade - 1);
  std::string name = "JJTEMP3.DAT";
  (void)SaveJJ3(prev.app, name);
}

TEST(StartUp, FirstStartInAnEmptyFolderOffersANewYear) {
  for (MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
    TempDir dir;
    Rig r;
    r.app.F.AppPath = dir.dir().substr(0, dir.dir().size() - 1);  // no trailing slash
    r.clock.date = {2001, 5, 17};
    r.msg.answers = {answer};

    StartOutcome out = Form_Load(r.app);

    EXPECT_EQ(out, answer == MsgResult::Yes ? StartOutcome::OfferNewYear : StartOutcome::Empty);
    ASSERT_EQ(r.msg.shown.size(), 1u) << "no file: no error message, only the question";
    EXPECT_EQ(r.msg.shown[0].text, kNoData);
    EXPECT_EQ(r.msg.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(r.msg.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(r.msg.shown[0].title, "TLY");

    EXPECT_EQ(r.app.F.AppPath, dir.dir());
    EXPECT_EQ(r.app.F.IniFile, dir.dir() + "tly.ini");
    EXPECT_EQ(r.app.F.HelpFile, dir.dir() + "tly.hlp");
    EXPECT_EQ(r.settings.stored("ExTLY"), "1");
    EXPECT_EQ(r.app.F.InstanceCount, 0);
    EXPECT_TRUE(mainControls(r.app).toolBarVisible) << "with no settings file the toolbar is shown";
    EXPECT_EQ(r.app.S.Today, (Date{2001, 5, 17}));
    EXPECT_EQ(r.app.S.CurYear, 2001);
    EXPECT_EQ(r.app.S.CurMonth, 5);
    EXPECT_EQ(r.app.T.KToMonth, 5);
    EXPECT_EQ(r.app.T.KToDay, 17);
    EXPECT_EQ(r.app.Y.Jigen, 6) << "an impossible period count starts as 6";
    EXPECT_FALSE(mainControls(r.app).checked(Command::UDisp)) << "unchecked after the settings file turned it on";
    EXPECT_FALSE(mainControls(r.app).pressed(Command::UDisp));
    EXPECT_TRUE(std::filesystem::exists(dir.file("JJTEMP3.DAT")));
  }
}

TEST(StartUp, WorkingFileShowsTodaysMonthWithinTheOpenYear) {
  TempDir dir;
  leaveWorkingFile(dir, 1999, 4, 3);

  struct Case {
    Date today;
    int year, month;
  };
  // February of any later year shows February of the open school year, 2000.
  for (Case c : {Case{{2003, 2, 10}, 2000, 2}, Case{{2003, 7, 1}, 1999, 7}, Case{{1999, 4, 1}, 1999, 4}}) {
    Rig r;
    r.app.F.AppPath = dir.dir();
    r.clock.date = c.today;
    r.settings.values[{"TLY", "Settings", "MainLeft"}] = "2400";
    testing::setView(r.app, Command::ShowToolBar, false);

    EXPECT_EQ(Form_Load(r.app), StartOutcome::Ready);
    EXPECT_TRUE(r.msg.shown.empty());
    EXPECT_EQ(r.app.S.CurYear, c.year);
    EXPECT_EQ(r.app.S.CurMonth, c.month);
    EXPECT_EQ(r.app.S.CurGr, 3) << "the grade the file had selected";
    EXPECT_EQ(r.app.W.cmbMonth.text, std::to_string(c.month) + "月");
    EXPECT_EQ(r.app.W.cmbGr.text, "3年");
    EXPECT_EQ(r.app.Grid1.rows(), test::daysIn(c.year, c.month) + 1);
    EXPECT_EQ(r.app.Grid1.Row, 1);
    EXPECT_EQ(r.app.Grid1.Col, 2);
    EXPECT_FALSE(mainControls(r.app).timetableSelectorVisible) << "no timetable view is on";
    EXPECT_FALSE(mainControls(r.app).toolBarVisible);
    EXPECT_EQ(r.app.W.left, 2400);
    EXPECT_EQ(r.app.W.width, 6500);
  }
}

TEST(StartUp, RestoresTheTimetableViewAndItsSelection) {
  TempDir dir;
  {
    Rig prev;
    prev.app.F.AppPath = dir.dir();
    test::makeYear(prev.app, 1999, 3);
    test::addTimetable(prev.app, 0, "1年1組");
    test::addTimetable(prev.app, 0, "2年1組");
    testing::setView(prev.app, Command::DispJWC, true);
    prev.app.W.cmbGr.select(0);
    prev.app.W.cmbDispJW.items = {"1年1組", "2年1組"};
    prev.app.W.cmbDispJW.select(1);
    prev.app.C.IniDspJWIndex = 1;
    std::string name = "JJTEMP3.DAT";
    (void)SaveJJ3(prev.app, name);
  }
  Rig r;
  r.app.F.AppPath = dir.dir();
  r.clock.date = {1999, 9, 1};
  EXPECT_EQ(Form_Load(r.app), StartOutcome::Ready);
  EXPECT_TRUE(mainControls(r.app).checked(Command::DispJWC));
  EXPECT_TRUE(mainControls(r.app).timetableSelectorVisible);
  EXPECT_EQ(r.app.W.cmbDispJW.text, "2年1組") << "the file's choice, not the first timetable";
  EXPECT_EQ(r.app.S.CurGr, 2) << "the selected class timetable names grade 2";
  EXPECT_EQ(r.app.W.cmbGr.text, "2年");
}

TEST(StartUp, InstanceQuestionAnsweredNoTouchesNothing) {
  TempDir dir;
  leaveWorkingFile(dir, 1999, 3, 1);
  std::string before = test::readBytes(dir.file("JJTEMP3.DAT"));

  Rig r;
  r.app.F.AppPath = dir.dir();
  r.settings.values[{"TLY", "Settings", "ExTLY"}] = "1";
  r.msg.answers = {MsgResult::No};

  EXPECT_EQ(Form_Load(r.app), StartOutcome::Quit);
  ASSERT_EQ(r.msg.shown.size(), 1u);
  EXPECT_EQ(r.msg.shown[0].text, kAnotherCopy);
  EXPECT_EQ(r.msg.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(r.msg.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(r.msg.shown[0].title, "TLY");
  EXPECT_EQ(r.settings.stored("ExTLY"), "1") << "raised under the lock, given back on No";
  EXPECT_EQ(test::readBytes(dir.file("JJTEMP3.DAT")), before);
  EXPECT_FALSE(r.app.Y.isOpen()) << "nothing was read";

  // Yes counts on from the stored value and keeps it for the window cascade.
  Rig again;
  again.app.F.AppPath = dir.dir();
  again.settings.values[{"TLY", "Settings", "ExTLY"}] = "2";
  again.msg.answers = {MsgResult::Yes};
  EXPECT_EQ(Form_Load(again.app), StartOutcome::Ready);
  EXPECT_EQ(again.settings.stored("ExTLY"), "3");
  EXPECT_EQ(again.app.F.InstanceCount, 2);
}

TEST(ShutDown, WritesTheWorkingFileResetsTheCounterAndKeepsNormalPlacement) {
  TempDir dir;
  Rig r;
  r.app.F.AppPath = dir.dir();
  r.clock.date = {2000, 5, 1};
  r.msg.answers = {MsgResult::No};
  ASSERT_EQ(Form_Load(r.app), StartOutcome::Empty);
  test::makeYear(r.app, 2000, 3);  // as if a year had been built
  testing::setView(r.app, Command::Kei, true);
  r.app.W.left = 1200;
  r.app.W.top = 1300;
  r.app.W.width = 9000;
  r.app.W.height = 7000;

  Form_Unload(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::Kei)) << "the tally view is left first";
  EXPECT_EQ(r.settings.stored("ExTLY"), "0");
  EXPECT_EQ(r.settings.stored("MainLeft"), "1200");
  EXPECT_EQ(r.settings.stored("MainTop"), "1300");
  EXPECT_EQ(r.settings.stored("MainWidth"), "9000");
  EXPECT_EQ(r.settings.stored("MainHeight"), "7000");

  // The next run finds the year without any question.
  Rig next;
  next.app.F.AppPath = dir.dir();
  next.settings.values = r.settings.values;
  next.clock.date = {2000, 5, 2};
  EXPECT_EQ(Form_Load(next.app), StartOutcome::Ready);
  EXPECT_TRUE(next.msg.shown.empty());
  EXPECT_EQ(next.app.Y.nendo(), 2000);
  EXPECT_EQ(next.app.W.left, 1200);

  // Closing while maximised keeps the placement of the last normal exit.
  next.app.W.windowState = 2;
  next.app.W.left = 0;
  next.app.W.width = 20000;
  Form_Unload(next.app);
  EXPECT_EQ(next.settings.stored("ExTLY"), "0");
  EXPECT_EQ(next.settings.stored("MainLeft"), "1200");
  EXPECT_EQ(next.settings.stored("MainWidth"), "9000");
}

TEST(FileCommands, NewAsksOnlyWhenAYearIsOpen) {
  Rig r;
  r.app.F.CurFile = "/tmp/a.DAT";
  EXPECT_TRUE(mnuNew_Click(r.app)) << "no year: straight to the dialog";
  EXPECT_TRUE(r.msg.shown.empty());
  EXPECT_EQ(r.app.F.CurFile, "");

  test::makeYear(r.app, 1999, 3);
  r.app.F.CurFile = "/tmp/a.DAT";
  r.msg.answers = {MsgResult::Cancel};
  EXPECT_FALSE(mnuNew_Click(r.app));
  ASSERT_EQ(r.msg.shown.size(), 1u);
  EXPECT_EQ(r.msg.shown[0].text, "現在編集中のデータは失われます。");
  EXPECT_EQ(r.msg.shown[0].buttons, MsgButtons::OKCancel);
  EXPECT_EQ(r.msg.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(r.msg.shown[0].title, "TLY 新規作成");
  EXPECT_EQ(r.app.F.CurFile, "/tmp/a.DAT");
  EXPECT_EQ(r.app.Y.nendo(), 1999);

  r.msg.answers = {MsgResult::OK};
  EXPECT_TRUE(mnuNew_Click(r.app));
  EXPECT_EQ(r.app.F.CurFile, "") << "cleared before the dialog, so a later Save asks for a name";

  testing::setView(r.app, Command::Kei, true);
  r.msg.shown.clear();
  EXPECT_FALSE(mnuNew_Click(r.app)) << "nothing happens in the tally view";
  EXPECT_TRUE(r.msg.shown.empty());
}

TEST(FileCommands, SaveUsesTheNameOrAsksForOne) {
  TempDir dir;
  Rig r;
  r.app.F.AppPath = dir.dir();
  test::makeYear(r.app, 1999, 3);

  // No name yet: Save is Save As.
  r.files.choose(dir.file("year1999"));
  mnuSave_Click(r.app);
  ASSERT_EQ(r.files.asked.size(), 1u);
  EXPECT_TRUE(r.files.asked[0].save);
  EXPECT_EQ(r.files.asked[0].title, "ファイル名を付けて保存");
  EXPECT_EQ(r.app.F.CurFile, dir.file("year1999.dat"));
  EXPECT_TRUE(std::filesystem::exists(dir.file("year1999.dat")));
  EXPECT_TRUE(r.msg.shown.empty());

  // Named: replaced without dialog or question.
  r.app.Y.JJ[0][0][0][0] = 2001;
  mnuSave_Click(r.app);
  EXPECT_EQ(r.files.asked.size(), 1u);
  EXPECT_TRUE(r.msg.shown.empty());
  EXPECT_EQ(r.app.F.CurFile, dir.file("year1999.dat")) << "Save keeps the name";

  // Save As to the same name asks first; No leaves the file as it was.
  std::string saved = test::readBytes(dir.file("year1999.dat"));
  r.app.Y.JJ[0][0][0][0] = 2002;
  r.app.F.CurFile.clear();
  r.files.choose(dir.file("year1999.dat"));
  r.msg.answers = {MsgResult::No};
  mnuNSave_Click(r.app);
  ASSERT_EQ(r.msg.shown.size(), 1u);
  EXPECT_EQ(r.msg.shown[0].text, "同名のファイルが存在します。\r上書きしてよろしいですか？");
  EXPECT_EQ(r.msg.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(r.msg.shown[0].title, "TLY");
  EXPECT_EQ(test::readBytes(dir.file("year1999.dat")), saved);
  EXPECT_EQ(r.app.F.CurFile, "");

  // Cancelling the dialog writes nothing.
  mnuNSave_Click(r.app);
  EXPECT_EQ(test::readBytes(dir.file("year1999.dat")), saved);
}

TEST(FileCommands, OpenKeepsTheMonthAndFollowsTheOpenedYear) {
  TempDir dir;
  leaveWorkingFile(dir, 2004, 3, 1);
  std::filesystem::rename(dir.file("JJTEMP3.DAT"), dir.file("y2004.DAT"));

  Rig r;
  r.app.F.AppPath = dir.dir();
  test::makeYear(r.app, 1999, 6);
  r.app.S.CurMonth = 2;
  r.app.S.CurYear = 2000;
  r.app.S.CurGr = 6;

  r.files.choose(dir.file("y2004.DAT"));
  mnuOpen_Click(r.app);
  EXPECT_EQ(r.app.Y.nendo(), 2004);
  EXPECT_EQ(r.app.S.CurMonth, 2);
  EXPECT_EQ(r.app.S.CurYear, 2005);
  EXPECT_EQ(r.app.F.CurFile, dir.file("y2004.DAT"));
  EXPECT_EQ(r.app.W.caption, "TLY 授業時数集計 - " + dir.file("y2004.DAT"));
  EXPECT_EQ(r.app.S.CurGr, 1) << "grade 6 no longer exists: the file's selected grade is shown";
  EXPECT_EQ(r.app.W.cmbMonth.text, "2月");
  EXPECT_EQ(r.app.Grid1.rows(), test::daysIn(2005, 2) + 1);

  // Cancelled: nothing read; the calendar year still follows the open school year.
  r.app.S.CurYear = 1234;
  mnuOpen_Click(r.app);
  EXPECT_EQ(r.app.Y.nendo(), 2004);
  EXPECT_EQ(r.app.S.CurYear, 2005);
}

// Open shows the grade the file had selected, as the start-up read does; a selection the
// opened year lacks keeps the shown grade when the year has it.
TEST(FileCommands, OpenShowsTheGradeSelectedInTheFile) {
  struct Case {
    int fileGrades, fileShown, shownBefore, expected;
  };
  const Case cases[] = {{4, 3, 2, 3}, {4, 1, 4, 1}, {6, 6, 1, 6}, {3, 0, 2, 2}, {3, 0, 5, 1}};
  for (const Case& c : cases) {
    TempDir dir;
    leaveWorkingFile(dir, 2004, c.fileGrades, c.fileShown);
    Rig r;
    r.app.F.AppPath = dir.dir();
    test::makeYear(r.app, 1999, 6);
    r.app.S.CurGr = c.shownBefore;
    r.app.W.cmbGr.select(c.shownBefore - 1);
    r.files.choose(dir.file("JJTEMP3.DAT"));
    mnuOpen_Click(r.app);
    EXPECT_EQ(r.app.S.CurGr, c.expected) << c.fileShown;
    EXPECT_EQ(r.app.W.cmbGr.index, c.expected - 1);
    EXPECT_EQ(r.app.W.cmbGr.text, std::to_string(c.expected) + "年");
    // The next save writes the grade that is shown.
    std::string name = dir.file("again.DAT");
    (void)SaveJJ3(r.app, name);
    EXPECT_EQ(r.app.Y.Fs.FsGrIndex, c.expected - 1);
  }
}

// A file named on the command line opens as Open opens it; a name that is no file is
// reported and changes nothing (no empty file is created for it).
TEST(FileCommands, NamedFileOpensWithoutTheDialog) {
  TempDir dir;
  leaveWorkingFile(dir, 2004, 4, 3);
  Rig r;
  r.app.F.AppPath = dir.dir();
  test::makeYear(r.app, 1999, 3);
  r.app.S.CurMonth = 6;
  EXPECT_FALSE(openNamedFile(r.app, dir.file("missing.DAT")));
  EXPECT_EQ(r.msg.shown.back().text, "ファイルが見つかりません。");
  EXPECT_FALSE(test::fileExists(dir.file("missing.DAT")));
  EXPECT_EQ(r.app.Y.nendo(), 1999);
  EXPECT_TRUE(openNamedFile(r.app, dir.file("JJTEMP3.DAT")));
  EXPECT_EQ(r.app.Y.nendo(), 2004);
  EXPECT_EQ(r.app.S.CurGr, 3);
  EXPECT_EQ(r.app.F.CurFile, dir.file("JJTEMP3.DAT"));
  EXPECT_TRUE(r.files.asked.empty());
}

// The rows follow the grid font the opened file brings, whichever way it is opened.
TEST(FileCommands, OpenSetsTheRowHeightsOfTheFilesFont) {
  TempDir dir;
  {
    Rig prev;
    prev.app.F.AppPath = dir.dir();
    test::makeYear(prev.app, 2004, 3);
    prev.app.Grid1.Font.size = 14;
    std::string name = dir.file("big.DAT");
    (void)SaveJJ3(prev.app, name);
  }
  for (bool named : {false, true}) {
    Rig r;
    r.app.F.AppPath = dir.dir();
    test::makeYear(r.app, 1999, 3);
    r.app.Grid1.Font.size = 9;
    ResetRowHeight(r.app);
    if (named) {
      ASSERT_TRUE(openNamedFile(r.app, dir.file("big.DAT")));
    } else {
      r.files.choose(dir.file("big.DAT"));
      mnuOpen_Click(r.app);
    }
    ASSERT_EQ(r.app.Grid1.Font.size, 14);
    for (int row = 0; row < r.app.Grid1.rows(); ++row) ASSERT_EQ(r.app.Grid1.rowHeight(row), 308) << row;
  }
}

}  // namespace
}  // namespace tly
