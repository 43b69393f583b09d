#include "session/windows/frmmain/navigation.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "support/years.h"
#include "session/windows/frmmain/monthgrid.h"
#include "model/months.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using Rig = test::TestApp;

// Year 1999 with `grades` grades laid out and showing `month` of grade `grade`.
void showing(Rig& r, int month, int grades = 3, int grade = 1) {
  test::makeYear(r.app, 1999, grades);
  test::showMonth(r.app, grade, month);
}

struct Shown {
  int year, month;
};
void expectShown(const Rig& r, Shown s) {
  EXPECT_EQ(r.app.S.CurYear, s.year);
  EXPECT_EQ(r.app.S.CurMonth, s.month);
  EXPECT_EQ(r.app.W.cmbMonth.text, std::to_string(s.month) + "月");
  EXPECT_EQ(r.app.Grid1.rows(), test::daysIn(s.year, s.month) + 1) << "the month is drawn";
}

TEST(MonthSelector, EntriesRunFromAprilToMarch) {
  Rig r;
  r.app.Y.Ggn = 4;
  r.app.S.CurGr = 2;
  r.app.S.CurMonth = 1;
  fillGradeSelector(r.app);
  fillMonthSelector(r.app);
  EXPECT_EQ(r.app.W.cmbGr.items, (std::vector<std::string>{"1年", "2年", "3年", "4年"}));
  EXPECT_EQ(r.app.W.cmbGr.text, "2年");
  EXPECT_EQ(r.app.W.cmbMonth.items, (std::vector<std::string>{"4月", "5月", "6月", "7月", "8月", "9月", "10月", "11月",
                                                               "12月", "1月", "2月", "3月"}));
  EXPECT_EQ(r.app.W.cmbMonth.text, "1月");
  for (int p : {-1, 12}) EXPECT_EQ(monthAtPosition(p), 0) << "no month for position " << p;
  for (int m : {0, 13}) EXPECT_EQ(positionOfMonth(m), -1) << "no position for month " << m;
  for (int p = 0; p < kSchoolMonths; ++p) EXPECT_EQ(positionOfMonth(monthAtPosition(p)), p);
}

TEST(MonthNavigation, StaysInsideTheSchoolYear) {
  Rig r;
  showing(r, 4);
  r.app.Grid1.setRows(5);
  mnuLastMonth_Click(r.app);
  expectShown(r, {1999, 4});  // April is the first month: stays, redrawn

  showing(r, 3);
  mnuNextMonth_Click(r.app);
  expectShown(r, {2000, 3});  // March is the last month

  showing(r, 1);
  mnuLastMonth_Click(r.app);
  expectShown(r, {1999, 12});
  mnuNextMonth_Click(r.app);
  expectShown(r, {2000, 1});
  mnuNextMonth_Click(r.app);
  expectShown(r, {2000, 2});
  EXPECT_EQ(r.app.Grid1.Row, 1);
  EXPECT_EQ(r.app.Grid1.Col, 2);

  // Picking a month: January 2000 -> 4月 is April 1999, and back to 3月 is March 2000.
  showing(r, 1);
  r.app.Grid1.setCurrent(20, 5);
  r.app.W.cmbMonth.index = 0;
  cmbMonth_Click(r.app);
  expectShown(r, {1999, 4});
  EXPECT_EQ(r.app.Grid1.Row, 1);
  EXPECT_EQ(r.app.Grid1.Col, 2);
  EXPECT_TRUE(r.app.W.focusGrid);
  r.app.W.cmbMonth.index = 11;
  cmbMonth_Click(r.app);
  expectShown(r, {2000, 3});
  r.app.W.cmbMonth.index = 10;  // Feb: both within January..March, year unchanged
  cmbMonth_Click(r.app);
  expectShown(r, {2000, 2});
}

TEST(MonthNavigation, ThisMonthMovesWithinTheShownYear) {
  Rig r;
  showing(r, 2);
  r.app.Y.JJ[0][0][0][0] = 1998;  // school year 1998 shown at February 1999
  r.app.S.CurYear = 1999;
  r.app.S.Today = {2000, 6, 15};
  mnuToday_Click(r.app);
  EXPECT_EQ(r.app.S.CurYear, 1998);
  EXPECT_EQ(r.app.S.CurMonth, 6);
  EXPECT_EQ(r.app.W.cmbMonth.text, "6月");

  r.app.S.Today = {2005, 3, 1};
  mnuToday_Click(r.app);
  EXPECT_EQ(r.app.S.CurYear, 1999);
  EXPECT_EQ(r.app.S.CurMonth, 3);
  mnuToday_Click(r.app);
  EXPECT_EQ(r.app.S.CurYear, 1999);
}

TEST(MonthNavigation, MonthChangeInTimetableModeLeavesItAndShowsTheNewMonth) {
  Rig r;
  showing(r, 5);
  testing::setView(r.app, Command::Jikanwari, true);
  r.app.W.cmbMonth.index = 3;
  cmbMonth_Click(r.app);
  EXPECT_EQ(r.app.S.CurMonth, 7);
  EXPECT_FALSE(mainControls(r.app).checked(Command::Jikanwari));
  EXPECT_EQ(r.app.Grid1.text(0, 0), "日");
  EXPECT_EQ(r.app.Grid1.text(31, 0), "31");  // July's last day is drawn
}

TEST(GradeSelector, PickingAndTyping) {
  Rig r;
  showing(r, 5, 3, 2);
  r.app.W.cmbGr.select(2);
  cmbGr_Click(r.app);
  EXPECT_EQ(r.app.S.CurGr, 3);
  EXPECT_EQ(r.app.W.cmbGr.text, "3年");

  // Out-of-range or unreadable text goes back to the shown grade.
  for (const char* typed : {"9", "0", "abc", "", "-1"}) {
    r.app.W.cmbGr.text = typed;
    r.app.W.focusGrid = false;
    cmbGr_Enter(r.app);
    EXPECT_EQ(r.app.S.CurGr, 3) << typed;
    EXPECT_EQ(r.app.W.cmbGr.text, "3年") << typed;
    EXPECT_EQ(r.app.W.cmbGr.index, 2) << typed;
    EXPECT_TRUE(r.app.W.focusGrid);
  }
  // A valid typed number does not change the shown grade either.
  r.app.W.cmbGr.text = "1";
  cmbGr_Enter(r.app);
  EXPECT_EQ(r.app.S.CurGr, 3);
  EXPECT_EQ(r.app.W.cmbGr.text, "3年");
}

TEST(TimetableSelector, TheNameChoosesTheGrade) {
  Rig r;
  showing(r, 5, 3, 1);
  r.app.W.cmbDispJW.items = {"３年1組", "２年", "7年1組", "A先生", "3-1"};
  struct Case {
    int index, grade;
  };
  for (Case c : {Case{0, 3}, Case{1, 2}, Case{2, 2}, Case{3, 2}, Case{4, 3}}) {
    r.app.W.cmbDispJW.select(c.index);
    cmbDispJW_Click(r.app);
    EXPECT_EQ(r.app.S.CurGr, c.grade) << c.index;
    EXPECT_EQ(r.app.W.cmbGr.text, std::to_string(c.grade) + "年");
    EXPECT_EQ(r.app.C.IniDspJWIndex, c.index);
  }
  // A grade the year does not have leaves the grade alone.
  showing(r, 5, 2, 1);
  r.app.W.cmbDispJW.select(0);
  cmbDispJW_Click(r.app);
  EXPECT_EQ(r.app.S.CurGr, 1);
}

TEST(TimetableViews, ToggleWithTheirButtonsAndSelector) {
  Rig r;
  showing(r, 5, 3, 3);

  // No class timetable: only the message.
  mnuDispJWC_Click(r.app);
  ASSERT_EQ(r.msg.shown.size(), 1u);
  EXPECT_EQ(r.msg.shown[0].text, "学級時間割の設定が必要です。");
  EXPECT_EQ(r.msg.shown[0].buttons, MsgButtons::OK);
  EXPECT_EQ(r.msg.shown[0].title, "TLY");
  EXPECT_FALSE(mainControls(r.app).checked(Command::DispJWC));
  EXPECT_FALSE(mainControls(r.app).timetableSelectorVisible);
  mnuDispJWS_Click(r.app);
  ASSERT_EQ(r.msg.shown.size(), 2u);
  EXPECT_EQ(r.msg.shown[1].text, "教師時間割の設定が必要です。");

  test::addTimetable(r.app, 0, " 1年1組 ");
  test::addTimetable(r.app, 0, "2年1組");
  test::addTimetable(r.app, 1, "山田");
  testing::setView(r.app, Command::UDisp, true);

  mnuDispJWS_Click(r.app);
  EXPECT_TRUE(mainControls(r.app).checked(Command::DispJWS));
  EXPECT_TRUE(mainControls(r.app).pressed(Command::DispJWS));
  EXPECT_TRUE(mainControls(r.app).pressed(Command::UDisp));
  EXPECT_EQ(r.app.Y.Fs.FsJWClass, 0);
  EXPECT_TRUE(mainControls(r.app).timetableSelectorVisible);
  EXPECT_EQ(r.app.W.cmbDispJW.items, std::vector<std::string>{"山田"});
  EXPECT_EQ(r.app.S.CurGr, 3) << "a teacher's name names no grade";

  // Class view while the teacher view is on: the teacher view goes off; the remembered
  // position 0 is 1年1組, which moves the grid to grade 1.
  mnuDispJWC_Click(r.app);
  EXPECT_TRUE(mainControls(r.app).checked(Command::DispJWC));
  EXPECT_FALSE(mainControls(r.app).checked(Command::DispJWS));
  EXPECT_TRUE(mainControls(r.app).pressed(Command::DispJWC));
  EXPECT_FALSE(mainControls(r.app).pressed(Command::DispJWS));
  EXPECT_EQ(r.app.Y.Fs.FsJWClass, -1);
  EXPECT_EQ(r.app.W.cmbDispJW.items, (std::vector<std::string>{"1年1組", "2年1組"}));
  EXPECT_EQ(r.app.W.cmbDispJW.text, "1年1組");
  EXPECT_EQ(r.app.S.CurGr, 1);
  EXPECT_EQ(r.app.W.cmbGr.text, "1年");

  // Second click: off, selector hidden.
  mnuDispJWC_Click(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::DispJWC));
  EXPECT_FALSE(mainControls(r.app).pressed(Command::DispJWC));
  EXPECT_FALSE(mainControls(r.app).timetableSelectorVisible);
  EXPECT_EQ(r.msg.shown.size(), 2u);

  // A remembered position past the list falls back to the first entry.
  r.app.C.IniDspJWIndex = 1;
  mnuDispJWC_Click(r.app);
  EXPECT_EQ(r.app.W.cmbDispJW.text, "2年1組");
  EXPECT_EQ(r.app.S.CurGr, 2);
  mnuDispJWS_Click(r.app);
  EXPECT_EQ(r.app.W.cmbDispJW.index, 0);
  EXPECT_EQ(r.app.C.IniDspJWIndex, 0);
}

TEST(TimetableViews, SwitchingOnLeavesTheTallyViewWithTheMonthWidths) {
  Rig r;
  showing(r, 5);
  test::addTimetable(r.app, 0, "1年1組");
  for (int i = 0; i < 14; ++i) r.app.S.JJColWidth[static_cast<size_t>(i)] = 100 + i;
  r.app.S.JJColWidth[3] = 0;  // never remembered: the layout's own width stays
  testing::setView(r.app, Command::Kei, true);
  r.app.Grid1.setCols(7);

  mnuDispJWC_Click(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::Kei));
  EXPECT_FALSE(mainControls(r.app).pressed(Command::Kei));
  EXPECT_EQ(r.app.Grid1.cols(), r.app.Y.Jigen + 4);
  EXPECT_EQ(r.app.Grid1.colWidth(0), 100);
  EXPECT_EQ(r.app.Grid1.colWidth(9), 109);
  EXPECT_GT(r.app.Grid1.colWidth(3), 0);
  EXPECT_FALSE(mainControls(r.app).pressed(Command::UDisp));
}

TEST(TimetableViews, ARefillWithoutTimetablesSwitchesTheViewOff) {
  Rig r;
  showing(r, 5);
  testing::setView(r.app, Command::DispJWS, true);
  r.app.W.cmbDispJW.items = {"old"};
  SetCmbDispJW(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::DispJWS));
  EXPECT_FALSE(mainControls(r.app).pressed(Command::DispJWS));
  EXPECT_TRUE(r.app.W.cmbDispJW.items.empty());
  EXPECT_FALSE(mainControls(r.app).timetableSelectorVisible);

  // Neither view on: the selector is left as it is.
  r.app.W.cmbDispJW.items = {"keep"};
  SetCmbDispJW(r.app);
  EXPECT_EQ(r.app.W.cmbDispJW.items, std::vector<std::string>{"keep"});
}

TEST(ViewOptions, ChangesOnlyAndToolBar) {
  Rig r;
  showing(r, 5);
  r.app.Grid1.setRows(3);
  mnuUDisp_Click(r.app);
  EXPECT_TRUE(mainControls(r.app).checked(Command::UDisp));
  EXPECT_TRUE(mainControls(r.app).pressed(Command::UDisp));
  EXPECT_EQ(r.app.Grid1.rows(), 32) << "redrawn";
  EXPECT_TRUE(r.app.W.focusGrid);

  // In the tally view the grid keeps the tally.
  testing::setView(r.app, Command::Kei, true);
  r.app.Grid1.setRows(3);
  mnuUDisp_Click(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::UDisp));
  EXPECT_FALSE(mainControls(r.app).pressed(Command::UDisp));
  EXPECT_EQ(r.app.Grid1.rows(), 3);

  testing::setView(r.app, Command::ShowToolBar, true);
  mnuShowToolBar_Click(r.app);
  EXPECT_FALSE(mainControls(r.app).checked(Command::ShowToolBar));
  EXPECT_FALSE(mainControls(r.app).toolBarVisible);
  mnuShowToolBar_Click(r.app);
  EXPECT_TRUE(mainControls(r.app).toolBarVisible);
}

TEST(ViewOptions, ResizeFillsTheWindowAboveTheStatusBar) {
  MainLayoutIn in;
  in.clientWidth = 9000;
  in.clientHeight = 6000;
  in.toolBarHeight = 420;
  in.statusBarHeight = 300;
  in.gridTop = 735;
  MainLayoutOut shown = Form_Resize(in);
  EXPECT_EQ(shown.topBarTop, 420);
  EXPECT_EQ(shown.gridTop, 735);
  EXPECT_EQ(shown.gridWidth, 8940);
  EXPECT_EQ(shown.gridHeight, 6000 - 735 - 300);

  in.toolBarVisible = false;
  MainLayoutOut hidden = Form_Resize(in);
  EXPECT_EQ(hidden.topBarTop, 0);
  EXPECT_EQ(hidden.gridTop, 315);
  EXPECT_EQ(hidden.gridHeight, shown.gridHeight + 420);

  // A window too small for anything leaves every size alone.
  MainLayoutIn tiny;
  tiny.clientWidth = 30;
  tiny.clientHeight = 100;
  tiny.toolBarHeight = 420;
  tiny.gridTop = 735;
  MainLayoutOut t = Form_Resize(tiny);
  EXPECT_EQ(t.topBarTop, -1);
  EXPECT_EQ(t.gridTop, -1);
  EXPECT_EQ(t.gridWidth, -1);
  EXPECT_EQ(t.gridHeight, -1);
}

}  // namespace
}  // namespace tly
