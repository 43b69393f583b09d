#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/fake_platform.h"
#include "support/viewstate.h"

namespace tly {
namespace {

std::unique_ptr<SchoolYear> built(int nendo, int grades = 3, int periods = 6,
                                  std::array<bool, 5> sat = {false, true, false, true, false}) {
  auto y = std::make_unique<SchoolYear>();
  NewYearOptions o;
  o.nendo = nendo;
  o.grades = grades;
  o.periods = periods;
  o.closedSaturdays = sat;
  buildNewYear(*y, o);
  return y;
}

TEST(NewYear, DefaultYear1999) {
  auto y = built(1999);
  EXPECT_EQ(y->nendo(), 1999);
  EXPECT_EQ(y->Ggn, 3);
  EXPECT_EQ(y->Jigen, 6);
  for (int g = 0; g < 3; ++g) {
    for (int d = 1; d <= 8; ++d)
      for (int p = 1; p <= 6; ++p) EXPECT_EQ(y->JJ[g][4][d][p], 0) << "April " << d;
    for (int p = 1; p <= 6; ++p) {
      EXPECT_EQ(y->JJ[g][4][9][p], 60 + p);           // Friday 9 April
      EXPECT_EQ(y->JJ[g][4][17][p], p <= 3 ? 70 + p : 0);  // third Saturday
      EXPECT_EQ(y->JJ[g][4][10][p], 0);                // second Saturday, closed
      EXPECT_EQ(y->JJ[g][4][24][p], 0);                // fourth Saturday, closed
      EXPECT_EQ(y->JJ[g][10][10][p], 0);
      EXPECT_EQ(y->JJ[g][10][11][p], 0);
    }
    EXPECT_EQ(y->JJText[g][10][10][0], "体育の日");
    EXPECT_EQ(y->JJText[g][10][11][0], "振替休日");
    EXPECT_EQ(y->JJ[g][4][0][0], 30);
    EXPECT_EQ(y->JJ[g][2][0][0], 29);  // February 2000
    EXPECT_EQ(y->JJ[g][5][0][0], 31);
  }
  EXPECT_EQ(built(2000)->JJ[0][2][0][0], 28);  // February 2001
  // January..March belong to the following calendar year: 1 January 2000 is a Saturday.
  ASSERT_EQ(Youbi(2000, 1, 11), 3);
  EXPECT_EQ(y->JJ[0][1][11][2], 32);
  // Grade 3 of a three-grade school stops on 6 March, the others go on to 22 March.
  ASSERT_EQ(Youbi(2000, 3, 6), 2);
  EXPECT_EQ(y->JJ[2][3][6][1], 0);
  EXPECT_EQ(y->JJ[1][3][6][1], 21);
  EXPECT_EQ(built(1999, 6)->JJ[2][3][6][1], 21);
}

TEST(NewYear, HolidaysOverwriteEarlierSubstitutesInTableOrder) {
  // 1998: 3 May is a Sunday; 4 May keeps its own name.
  auto y = built(1998);
  ASSERT_EQ(Youbi(1998, 5, 3), 1);
  EXPECT_EQ(y->JJText[0][5][3][0], "憲法記念の日");
  EXPECT_EQ(y->JJText[0][5][4][0], "国民の休日");
  EXPECT_EQ(y->JJText[0][5][5][0], "こどもの日");
  for (int d = 3; d <= 5; ++d) EXPECT_EQ(y->JJ[1][5][d][2], 0);
  EXPECT_EQ(y->JJText[0][5][6][0], "");
  // 2003: 4 May a Sunday, 5 May stays "こどもの日". 2002: 5 May a Sunday, 6 May substitute.
  ASSERT_EQ(Youbi(2003, 5, 4), 1);
  EXPECT_EQ(built(2003)->JJText[0][5][5][0], "こどもの日");
  ASSERT_EQ(Youbi(2002, 5, 5), 1);
  auto y2 = built(2002);
  EXPECT_EQ(y2->JJText[0][5][6][0], "振替休日");
  EXPECT_EQ(y2->JJ[0][5][6][1], 0);
  // The equinoxes are fixed dates whatever the year.
  for (int n : {1950, 2012, 2500}) {
    auto yy = built(n);
    EXPECT_EQ(yy->JJText[0][3][20][0], "春分の日");
    EXPECT_EQ(yy->JJText[0][9][23][0], "秋分の日");
  }
}

TEST(NewYear, LeavesWhatItDoesNotBuild) {
  auto y = std::make_unique<SchoolYear>();
  for (int g = 0; g < kGrades; ++g)
    for (int m = 0; m < kMonthSlots; ++m)
      for (int d = 0; d < kDaySlots; ++d) {
        for (int p = 0; p < kPeriodSlots; ++p) y->JJ[g][m][d][p] = -7;
        y->JJText[g][m][d][0] = "old";
        y->JJText[g][m][d][1] = "old";
      }
  y->JItem[0] = "行事";
  y->JItemCount = 1;
  y->Fs.FsColWidth = {400, 400, 400, 400};
  y->Fs.FsUDisp = kTrue;
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i <= kMaxTimetables; ++i) {
      y->JW[k][i].JWKind = 5;
      y->JW[k][i].JWName = "3年1組";
      for (auto& row : y->JW[k][i].JWCell)
        for (auto& c : row) c = "国語";
    }
  NewYearOptions o;
  o.nendo = 2001;
  o.grades = 4;
  o.periods = 5;
  buildNewYear(*y, o);

  EXPECT_EQ(y->JJ[0][0][0][0], 2001);
  EXPECT_EQ(y->JJ[0][0][3][2], -7);   // month index 0 of JJ
  EXPECT_EQ(y->JJ[0][4][9][6], -7);   // period above Jigen
  EXPECT_EQ(y->JJ[4][4][9][1], -7);   // grade above Ggn
  EXPECT_EQ(y->JJ[0][4][31][1], -7);  // day past the month's end
  EXPECT_EQ(y->JJ[0][4][9][0], -7);
  EXPECT_EQ(y->JJText[4][4][9][0], "old");
  EXPECT_EQ(y->JJText[3][0][0][0], "");  // texts of the built grades are all cleared
  EXPECT_EQ(y->JJText[3][4][31][1], "");
  EXPECT_EQ(y->JItem[0], "行事");
  EXPECT_EQ(y->JItemCount, 1);
  EXPECT_EQ(y->Fs.FsColWidth[0], 400);  // only the full build resets the widths
  EXPECT_EQ(y->Fs.FsUDisp, kTrue);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(y->timetableCount(k), 0);
    for (int i : {0, 1, 200}) {
      EXPECT_EQ(y->JW[k][i].JWKind, 0);
      EXPECT_EQ(y->JW[k][i].JWName, "");
      EXPECT_EQ(y->JW[k][i].JWCell[6][5], "");
      EXPECT_EQ(y->JW[k][i].JWCell[0][0], "");
      EXPECT_EQ(y->JW[k][i].JWCell[3][6], "国語");
    }
  }

  // Counts the tables cannot hold are kept inside them.
  auto big = built(2001, 9, 12);
  EXPECT_EQ(big->Ggn, kGrades);
  EXPECT_EQ(big->Jigen, kPeriodSlots - 1);
  auto small = built(2001, 2, 4);  // typed texts that match no entry
  EXPECT_EQ(small->Ggn, 2);
  EXPECT_EQ(small->Jigen, 4);
  ASSERT_EQ(Youbi(2001, 4, 9), 2);
  EXPECT_EQ(small->JJ[1][4][9][4], 24);
}

TEST(NewYear, YearTextAndProposedYear) {
  EXPECT_EQ(currentSchoolYear({2000, 3, 15}), 1999);
  EXPECT_EQ(currentSchoolYear({2000, 4, 1}), 2000);
  EXPECT_EQ(currentSchoolYear({2000, 12, 31}), 2000);
  EXPECT_EQ(currentSchoolYear({2001, 1, 1}), 2000);

  EXPECT_EQ(spinValueFromText("2001"), 2001);
  EXPECT_EQ(spinValueFromText("1800"), std::nullopt);
  EXPECT_EQ(spinValueFromText("3000"), std::nullopt);
  EXPECT_EQ(spinValueFromText("2900"), 2900);
  EXPECT_EQ(spinValueFromText("2000.5"), 2000);

  App app;
  test::ScriptedMessageBox msg;
  app.P.msg = &msg;
  EXPECT_EQ(checkNendoText(app, "1999年"), 1999);
  EXPECT_EQ(checkNendoText(app, "3000"), 3000);
  EXPECT_EQ(checkNendoText(app, "1999.5"), 2000);
  EXPECT_TRUE(msg.shown.empty());
  for (const char* bad : {"1800", "平成11", "", "1899.9", "-2000", "99999"}) {
    EXPECT_EQ(checkNendoText(app, bad), std::nullopt) << bad;
  }
  ASSERT_EQ(msg.shown.size(), 6u);
  EXPECT_EQ(msg.shown[0].text, "年度は西暦で指定してください。");
  EXPECT_EQ(msg.shown[0].title, "TLY");
  EXPECT_EQ(msg.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(gradesFromPosition(-1), 2);
  EXPECT_EQ(periodsFromPosition(1), 6);
}

TEST(NewYear, FullBuildShowsAprilWithTimetableViewsOff) {
  auto app = std::make_unique<App>();
  app->S.CurGr = 5;  // from a previous six-grade year
  testing::setView(*app, Command::DispJWC, true);
  testing::setView(*app, Command::DispJWS, true);
  app->W.cmbDispJW.items = {"1年1組", "2年1組"};
  app->W.cmbDispJW.select(1);
  app->W.cmbGr.items = {"1年", "2年", "3年", "4年", "5年", "6年"};
  app->Y.Fs.FsColWidth.fill(700);
  app->Grid1.Font.size = 9;

  NewYearOptions o;
  o.nendo = 1999;
  runNewYearBuild(*app, o);

  EXPECT_FALSE(mainControls(*app).checked(Command::DispJWC));
  EXPECT_FALSE(mainControls(*app).checked(Command::DispJWS));
  EXPECT_FALSE(mainControls(*app).pressed(Command::DispJWC));
  EXPECT_FALSE(mainControls(*app).pressed(Command::DispJWS));
  EXPECT_TRUE(app->W.cmbDispJW.items.empty());
  EXPECT_FALSE(mainControls(*app).timetableSelectorVisible);
  EXPECT_EQ(app->S.CurYear, 1999);
  EXPECT_EQ(app->S.CurMonth, 4);
  EXPECT_EQ(app->S.CurGr, 3);
  EXPECT_EQ(app->W.cmbGr.items, (std::vector<std::string>{"1年", "2年", "3年"}));
  EXPECT_EQ(app->W.cmbGr.text, "3年");
  ASSERT_EQ(app->W.cmbMonth.items.size(), 12u);
  EXPECT_EQ(app->W.cmbMonth.items[0], "4月");
  EXPECT_EQ(app->W.cmbMonth.items[8], "12月");
  EXPECT_EQ(app->W.cmbMonth.items[9], "1月");
  EXPECT_EQ(app->W.cmbMonth.items[11], "3月");
  EXPECT_EQ(app->W.cmbMonth.text, "4月");
  EXPECT_EQ(app->Y.Fs.FsColWidth[0], 0);
  EXPECT_EQ(app->Y.Fs.FsColWidth[1], 700);

  const Grid& g = app->Grid1;
  EXPECT_EQ(g.cols(), 10);
  EXPECT_EQ(g.rows(), 31);
  EXPECT_EQ(g.colWidth(0), 336);
  EXPECT_EQ(g.colWidth(9), 2688);
  EXPECT_EQ(g.rowHeight(0), 198);
  EXPECT_EQ(g.rowHeight(30), 198);
  EXPECT_EQ(g.text(9, 1), "金");
  EXPECT_EQ(g.text(9, 3), "金 1");
  EXPECT_EQ(g.text(1, 3), "／");
  EXPECT_EQ(g.text(29, 2), "みどりの日");
  EXPECT_EQ(app->W.panel[1], " 1999 年度");

  // A grade still in the new year stays shown; the month selector is filled afresh.
  app->S.CurGr = 2;
  app->W.cmbMonth.items[0] = "four";
  app->S.CurMonth = 7;
  o.nendo = 2000;
  o.grades = 6;
  runNewYearBuild(*app, o);
  EXPECT_EQ(app->S.CurGr, 2);
  EXPECT_EQ(app->W.cmbGr.items.size(), 6u);
  EXPECT_EQ(app->W.cmbMonth.items[0], "4月");
  EXPECT_EQ(app->W.cmbMonth.text, "4月");
  EXPECT_EQ(app->W.panel[1], " 2000 年度");
}

}  // namespace
}  // namespace tly
