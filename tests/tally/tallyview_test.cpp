#include <gtest/gtest.h>

#include <string>

#include "session/windows/frmjisuu/jisuudialog.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmmain/menus.h"
#include "session/windows/frmmain/navigation.h"
#include "support/fake_platform.h"
#include "support/years.h"
#include "support/viewstate.h"

namespace tly {
namespace {

using test::makeYearApp;
using test::markEveryDayOnce;
using test::MemorySettings;

// A month view of 6 periods with its own column widths.
void showMonth(App& app) {
  app.Grid1.setCols(app.Y.Jigen + 4);
  app.Grid1.setRows(31);
  for (int c = 0; c < app.Grid1.cols(); ++c) app.Grid1.setColWidth(c, 300 + 10 * c);
}

TEST(TallyView, SwitchingOnLocksFileCommandsAndOffRestoresTheMonth) {
  auto app = makeYearApp(1999, 3, 6);
  showMonth(*app);
  app->W.txtInput = "国語";
  DisableMenu(*app);  // as timetable mode would leave it

  mnuKei_Click(*app);
  auto w = [&] { return mainControls(*app); };
  EXPECT_TRUE(w().checked(Command::Kei));
  EXPECT_TRUE(w().pressed(Command::Kei));
  for (Command m : {Command::Open, Command::Save, Command::NSave, Command::New, Command::ColWidth})
    EXPECT_FALSE(w().item(m).enabled) << controlName(m);
  for (Command b : {Command::Open, Command::Save, Command::New}) EXPECT_FALSE(w().tool(b).enabled) << controlName(b);
  EXPECT_EQ(w().item(Command::CopyAll).caption, "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ");
  EXPECT_EQ(app->S.JWMode, JWModeKind::None);
  EXPECT_FALSE(w().checked(Command::Jikanwari));
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(app->S.JJColWidth[static_cast<size_t>(c)], 300 + 10 * c);
    EXPECT_EQ(app->Y.Fs.FsColWidth[static_cast<size_t>(c)], 300 + 10 * c);
  }
  EXPECT_EQ(app->Grid1.rows(), 31);  // the month stays until the tally runs

  DispJisuu(*app);
  ASSERT_EQ(app->Grid1.cols(), 7);
  app->Y.Fs.FsColWidth[0] = 0;  // whatever the file held, the kept widths come back
  mnuKei_Click(*app);
  EXPECT_FALSE(w().checked(Command::Kei));
  EXPECT_FALSE(w().pressed(Command::Kei));
  EXPECT_FALSE(w().pressed(Command::Jikanwari));
  for (Command m : {Command::Open, Command::Save, Command::NSave, Command::New, Command::ColWidth, Command::ViewMenu})
    EXPECT_TRUE(w().item(m).enabled) << controlName(m);
  for (Command b : {Command::Open, Command::Save, Command::New}) EXPECT_TRUE(w().tool(b).enabled) << controlName(b);
  EXPECT_EQ(w().item(Command::CopyAll).caption, "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ");
  ASSERT_EQ(app->Grid1.cols(), 10);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(app->Grid1.colWidth(c), 300 + 10 * c);
  EXPECT_EQ(app->W.txtInput, "");
  EXPECT_EQ(app->Grid1.Row, 1);
  EXPECT_EQ(app->Grid1.Col, 2);

  leaveTallyView(*app);  // already off: nothing changes
  EXPECT_FALSE(w().checked(Command::Kei));
  EXPECT_EQ(app->Grid1.cols(), 10);
}

TEST(TallyView, GradeChangeRetalliesAndMonthChangeLeaves) {
  auto app = makeYearApp(1999, 3, 6);
  markEveryDayOnce(app->Y, 1);  // grade 2: one item a day
  fillGradeSelector(*app);
  fillMonthSelector(*app);
  showMonth(*app);
  app->T.KikanSet = false;
  mnuKei_Click(*app);
  DispJisuu(*app);
  EXPECT_EQ(app->Grid1.text(7, 1), "0");
  app->W.cmbGr.select(1);
  cmbGr_Click(*app);
  EXPECT_TRUE(tallyViewOn(*app));
  EXPECT_EQ(app->Grid1.text(7, 1), "366");  // grade 2's days, same range

  app->W.cmbMonth.select(2);  // June
  cmbMonth_Click(*app);
  EXPECT_FALSE(tallyViewOn(*app));
  EXPECT_EQ(app->S.CurMonth, 6);
  EXPECT_EQ(app->Grid1.cols(), 10);
  EXPECT_EQ(app->Grid1.rows(), 31);  // June of the month view
  EXPECT_EQ(mainControls(*app).item(Command::CopyAll).caption, "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ");
}

TEST(TallyView, TimetableTextViewTurnsOnTheTimetableTally) {
  auto app = makeYearApp(1999, 3, 6);
  showMonth(*app);
  testing::setView(*app, Command::DispJWS, true);
  test::addTimetable(*app, 1, "山田");
  test::addTimetable(*app, 1, "佐藤");
  app->W.cmbDispJW.items = {"山田", "佐藤"};
  app->W.cmbDispJW.select(1);
  mnuKei_Click(*app);
  EXPECT_EQ(app->S.JWMode, JWModeKind::Teacher);
  EXPECT_EQ(app->S.JWNo, 2);
  EXPECT_TRUE(mainControls(*app).checked(Command::Jikanwari));
  EXPECT_TRUE(mainControls(*app).pressed(Command::Jikanwari));
  EXPECT_FALSE(mainControls(*app).timetableSelectorVisible);
  EXPECT_EQ(app->Y.Fs.FsJWClass, 0);
  // The timetable window opened on the timetable shown.
  EXPECT_TRUE(app->JWF.open);
  EXPECT_EQ(app->JWF.lstJW.index, 1);

  leaveTallyView(*app);
  EXPECT_FALSE(app->JWF.open);
  EXPECT_EQ(app->S.JWMode, JWModeKind::None);
  EXPECT_FALSE(mainControls(*app).checked(Command::Jikanwari));
  EXPECT_FALSE(mainControls(*app).pressed(Command::Jikanwari));
  EXPECT_TRUE(mainControls(*app).timetableSelectorVisible);
}

TEST(TallyView, TimetableModeMenusSwitchTogether) {
  App app;
  Step typed;  // something to undo, so that only the mode can switch 取り消し off
  typed.name = "入力";
  typed.lessons.push_back({0, 4, 1, 1, 0, 21});
  app.H.push(typed);
  DisableMenu(app);
  const Command kForbidden[] = {Command::Open,         Command::Save,         Command::NSave,    Command::New,
                                Command::End,          Command::Undo,         Command::Cut,      Command::Del,
                                Command::Paste,        Command::EditAll,      Command::CopyMode, Command::ViewMenu,
                                Command::PopupUndo,    Command::PopupCut,     Command::PopupDel, Command::PopupPaste,
                                Command::PopupEditAll, Command::PopupCopyMode};
  for (Command m : kForbidden) EXPECT_FALSE(mainControls(app).item(m).enabled) << controlName(m);
  EXPECT_TRUE(mainControls(app).item(Command::Print).enabled);
  EnableMenu(app);
  for (Command m : kForbidden) EXPECT_TRUE(mainControls(app).item(m).enabled) << controlName(m);
}

TEST(JisuuDialog, OpensOnTheStoredRangeAndTalliesIt) {
  auto app = makeYearApp(1999, 3, 6);
  markEveryDayOnce(app->Y, 0);
  MemorySettings store;
  store.values["TLY/Settings/JisuuLeft"] = "2500";
  app->P.settings = &store;
  app->Y.Fs.FsKikan = 1;
  app->T.KFromMonth = 4;
  app->T.KFromDay = 1;
  app->T.KToMonth = 12;
  app->T.KToDay = 7;
  JisuuDialog d;
  JisuuForm_Load(*app, d);
  EXPECT_EQ(d.left, 2500);
  EXPECT_EQ(d.top, 1000);
  EXPECT_EQ(d.txtStartMonth, "4");
  EXPECT_EQ(d.txtStartDay, "1");
  EXPECT_EQ(d.txtEndMonth, "12");
  EXPECT_EQ(d.txtEndDay, "7");
  EXPECT_EQ(d.spnStartMonth.value, 1);
  EXPECT_EQ(d.spnEndMonth.value, 9);
  EXPECT_EQ(d.spnEndDay.value, 7);
  EXPECT_EQ(d.spnEndDay.max, 31);
  EXPECT_EQ(d.option, 1);
  EXPECT_TRUE(d.rangeEnabled);

  // Outside the tally view the button lays nothing into the month grid.
  showMonth(*app);
  cmdJisuuOk_Click(*app, d);
  EXPECT_EQ(app->Grid1.cols(), 10);

  mnuKei_Click(*app);
  cmdJisuuOk_Click(*app, d);
  EXPECT_EQ(app->T.KeiCnt[7][1], 30 + 31 + 30 + 31 + 31 + 30 + 31 + 30 + 7);
  EXPECT_EQ(app->Grid1.cols(), 7);

  d.left = 3000;
  d.windowState = 2;  // maximised: the position is not stored
  JisuuForm_Unload(*app, d);
  EXPECT_EQ(store.writes, 0u);
  EXPECT_EQ(app->Y.Fs.FsKikan, 1);
  d.windowState = 0;
  optSyukei_Click(*app, d, 0);
  JisuuForm_Unload(*app, d);
  EXPECT_EQ(store.values["TLY/Settings/JisuuLeft"], "3000");
  EXPECT_EQ(store.values["TLY/Settings/JisuuTop"], "1000");
  EXPECT_EQ(app->Y.Fs.FsKikan, 0);

  // A stored choice other than 0 or 1 opens on the whole year.
  app->Y.Fs.FsKikan = 7;
  JisuuForm_Load(*app, d);
  EXPECT_EQ(d.option, 0);
  EXPECT_FALSE(app->T.KikanSet);
  EXPECT_FALSE(d.rangeEnabled);
}

TEST(JisuuDialog, TextBoxesKeepMonthsAndDaysInRange) {
  auto app = makeYearApp(1999, 3, 6);
  app->T.KFromMonth = 4;
  app->T.KFromDay = 1;
  app->T.KToMonth = 5;
  app->T.KToDay = 31;
  JisuuDialog d;
  JisuuForm_Load(*app, d);

  d.txtEndMonth = "13";
  txtEndMonth_LostFocus(*app, d);
  EXPECT_EQ(app->T.KToMonth, 5);
  EXPECT_EQ(d.txtEndMonth, "13");  // left in the box
  d.txtStartDay = "0";
  txtStartDay_LostFocus(*app, d);
  EXPECT_EQ(app->T.KFromDay, 1);
  EXPECT_EQ(d.txtStartDay, "1");
  d.txtStartDay = "35";  // April has 30 days
  txtStartDay_LostFocus(*app, d);
  EXPECT_EQ(app->T.KFromDay, 30);
  EXPECT_EQ(d.txtStartDay, "30");
  EXPECT_EQ(d.spnStartDay.value, 30);

  // A month typed into the box takes no notice of the order; the day spin follows it.
  d.txtEndMonth = "2";
  txtEndMonth_LostFocus(*app, d);
  EXPECT_EQ(app->T.KToMonth, 2);
  EXPECT_EQ(d.spnEndMonth.value, 11);
  EXPECT_EQ(d.spnEndDay.max, 29);  // February 2000
  EXPECT_EQ(app->T.KToDay, 29);
  EXPECT_EQ(d.txtEndDay, "29");

  // Keys: Enter on a month moves on only with a month in the box.
  d.txtStartMonth = "x";
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::StartMonth, JisuuKey::Enter), JisuuField::StartMonth);
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::StartMonth, JisuuKey::Up), JisuuField::Ok);
  EXPECT_EQ(app->T.KFromMonth, 4);
  d.txtEndMonth = "6";
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::EndMonth, JisuuKey::Enter), JisuuField::EndDay);
  EXPECT_EQ(app->T.KToMonth, 6);
  d.txtEndDay = "31";
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::EndDay, JisuuKey::Enter), JisuuField::Ok);
  EXPECT_EQ(app->T.KToDay, 30);
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::StartDay, JisuuKey::Down), JisuuField::EndMonth);
  EXPECT_EQ(jisuuKey(*app, d, JisuuField::EndDay, JisuuKey::Up), JisuuField::EndMonth);
}

TEST(JisuuDialog, MonthSpinsNeverPutTheEndBeforeTheStart) {
  auto app = makeYearApp(1999, 3, 6);
  app->T.KFromMonth = 6;
  app->T.KFromDay = 20;
  app->T.KToMonth = 9;
  app->T.KToDay = 5;
  JisuuDialog d;
  JisuuForm_Load(*app, d);

  d.spnEndMonth.value = 2;  // May, below June
  spnEndMonth_Change(*app, d);
  EXPECT_EQ(d.spnEndMonth.value, 3);
  EXPECT_EQ(app->T.KToMonth, 6);
  EXPECT_EQ(app->T.KToDay, 20);  // 5 was before the start day
  EXPECT_EQ(d.txtEndMonth, "6");
  EXPECT_EQ(d.txtEndDay, "20");

  d.spnStartMonth.value = 11;  // February pulls the end along
  spnStartMonth_Change(*app, d);
  EXPECT_EQ(app->T.KFromMonth, 2);
  EXPECT_EQ(app->T.KToMonth, 2);
  EXPECT_EQ(d.spnEndMonth.value, 11);
  EXPECT_EQ(d.spnStartDay.max, 29);
  EXPECT_EQ(app->T.KFromDay, 20);
  EXPECT_EQ(app->T.KToDay, 20);

  d.spnStartDay.value = 29;
  spnStartDay_Change(*app, d);
  EXPECT_EQ(app->T.KFromDay, 29);
  EXPECT_EQ(d.txtStartDay, "29");

  // Whole year: the controls go off, the range stays for next time.
  optSyukei_Click(*app, d, 0);
  EXPECT_FALSE(d.rangeEnabled);
  EXPECT_FALSE(app->T.KikanSet);
  EXPECT_EQ(app->T.KFromMonth, 2);
  EXPECT_EQ(monthToSchoolPosition(1), 10);
  EXPECT_EQ(schoolPositionToMonth(9), 12);
}

}  // namespace
}  // namespace tly
