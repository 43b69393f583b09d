#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "calendar/calendar.h"
#include "session/windows/frmmain/tally.h"
#include "support/years.h"

namespace tly {
namespace {

using test::makeYearApp;
using test::markEveryDayOnce;

void setRange(App& app, int fm, int fd, int tm, int td) {
  app.T.KikanSet = true;
  app.T.KFromMonth = fm;
  app.T.KFromDay = fd;
  app.T.KToMonth = tm;
  app.T.KToDay = td;
}

// The count of item 1 after a slot tally of grade 1 whose days each hold item 1 once.
int daysVisited(App& app) {
  DispJisuu(app);
  return app.T.KeiCnt[7][1];
}

TEST(Tally, ReferenceCountsForTheSlotItNamesNotTheCellItSitsIn) {
  auto app = makeYearApp(1999, 3, 6);
  setRange(*app, 4, 7, 4, 7);  // Wednesday 7 April 1999
  DispJisuu(*app);
  EXPECT_EQ(app->T.KeiCnt[3][2], 1);  // slot Wednesday (weekday 4) period 2
  EXPECT_EQ(app->T.KeiCnt[1][3], 0);

  app->Y.JJ[0][4][7][2] = 23;  // 月3 in Wednesday period 2
  DispJisuu(*app);
  EXPECT_EQ(app->T.KeiCnt[3][2], 0);
  EXPECT_EQ(app->T.KeiCnt[1][3], 1);
  EXPECT_EQ(app->Grid1.text(1, 3), "1");  // Monday row, period 3
  EXPECT_EQ(app->Grid1.text(3, 2), "0");  // Wednesday row, period 2
  EXPECT_EQ(app->T.KeiTotal, 6);
}

TEST(Tally, SlotTableLayoutItemsSaturdayAndTotal) {
  auto app = makeYearApp(1999, 3, 7);
  // Items entered in any period land in column 1 of their row.
  app->Y.JJ[0][5][10][6] = -5;   // 道徳 in period 6
  app->Y.JJ[0][5][11][1] = -5;
  app->Y.JJ[0][6][1][3] = 3;     // a positive code below 11 reads as item 3
  app->Y.JJ[0][6][5][6] = 76;    // Saturday period 6 (5 June 1999 is a Saturday)
  app->Y.JJ[0][6][5][7] = 15;    // Sunday period 5
  app->T.KikanSet = false;
  app->Grid1.setCols(11);
  app->Grid1.setRows(32);
  app->Grid1.setText(20, 8, "stale");
  DispJisuu(*app);

  const Grid& g = app->Grid1;
  ASSERT_EQ(g.cols(), 8);
  ASSERT_EQ(g.rows(), 16);
  EXPECT_EQ(g.FixedRows, 1);
  EXPECT_EQ(g.FixedCols, 1);
  EXPECT_EQ(g.colWidth(0), 1200);
  for (int c = 1; c <= 7; ++c) {
    EXPECT_EQ(g.colWidth(c), 800);
    EXPECT_EQ(g.text(0, c), std::to_string(c));
  }
  EXPECT_EQ(g.text(0, 0), "");
  const char* days[6] = {"月", "火", "水", "木", "金", "土"};
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(g.text(r, 0), days[r - 1]);
  for (int r = 7; r <= 14; ++r) EXPECT_EQ(g.text(r, 0), kDefaultItemNames[static_cast<size_t>(r - 7)]);
  EXPECT_EQ(g.text(15, 0), "総時間数");

  EXPECT_EQ(g.text(11, 1), "2");  // 道徳, item 5
  EXPECT_EQ(g.text(9, 1), "1");   // 学裁, item 3
  EXPECT_EQ(g.text(7, 1), "0");
  for (int r = 7; r <= 14; ++r)
    for (int c = 2; c <= 7; ++c) EXPECT_EQ(g.text(r, c), "") << r << "," << c;
  // Saturday shows periods 1..4 only; the lessons beyond are in the total.
  EXPECT_EQ(app->T.KeiCnt[6][6], 1);
  EXPECT_EQ(g.text(6, 5), "");
  EXPECT_EQ(g.text(6, 6), "");
  EXPECT_EQ(g.text(6, 7), "");
  EXPECT_NE(g.text(6, 4), "");
  EXPECT_EQ(app->T.KeiCnt[0][5], 1);  // the Sunday reference: counted, never shown

  long sum = 0;
  for (auto& slot : app->T.KeiCnt)
    for (int v : slot) sum += v;
  EXPECT_EQ(app->T.KeiTotal, sum);
  EXPECT_EQ(g.text(15, 1), std::to_string(sum));
  for (int c = 2; c <= 7; ++c) EXPECT_EQ(g.text(15, c), "");
  EXPECT_EQ(g.Row, 1);
  EXPECT_EQ(g.Col, 1);
  EXPECT_EQ(g.RowSel, 1);
  EXPECT_EQ(g.ColSel, 1);
  EXPECT_TRUE(g.Redraw);

  // With a range the total row is gone.
  setRange(*app, 4, 1, 4, 30);
  DispJisuu(*app);
  EXPECT_EQ(app->Grid1.rows(), 15);
}

TEST(Tally, RangesCountExactlyTheirDays) {
  auto app = makeYearApp(1999, 3, 6);
  markEveryDayOnce(app->Y, 0);

  setRange(*app, 4, 1, 4, 1);
  EXPECT_EQ(daysVisited(*app), 1);
  setRange(*app, 3, 31, 4, 1);  // March 31, then April 1
  EXPECT_EQ(daysVisited(*app), 2);
  setRange(*app, 4, 20, 4, 10);  // the whole year except April 11..19
  EXPECT_EQ(daysVisited(*app), 366 - 9);  // 2000 is a leap year
  setRange(*app, 12, 25, 1, 5);
  EXPECT_EQ(daysVisited(*app), 12);
  // The range fields are the dialog's: the tally does not change them.
  EXPECT_EQ(app->T.KFromMonth, 12);
  EXPECT_EQ(app->T.KToDay, 5);
  EXPECT_EQ(app->T.DFromMonth, 12);
  EXPECT_EQ(app->T.DToDay, 5);

  app->T.KikanSet = false;
  EXPECT_EQ(daysVisited(*app), 366);
  EXPECT_EQ(app->T.KFromMonth, 12);
  EXPECT_EQ(app->T.KFromDay, 25);
  EXPECT_EQ(app->T.KToMonth, 1);
  EXPECT_EQ(app->T.KToDay, 5);
  EXPECT_EQ(app->T.DFromMonth, 4);
  EXPECT_EQ(app->T.DFromDay, 1);
  EXPECT_EQ(app->T.DToMonth, 3);
  EXPECT_EQ(app->T.DToDay, 31);
}

TEST(Tally, EndDayMissingFromTheYearEndsAtTheMonthsLastDay) {
  auto app = makeYearApp(2000, 3, 6);  // February 2001 has 28 days
  markEveryDayOnce(app->Y, 0);
  setRange(*app, 2, 1, 2, 29);
  EXPECT_EQ(daysVisited(*app), 28);
  EXPECT_EQ(app->T.DToDay, 28);
  EXPECT_EQ(app->T.KToDay, 29);
  setRange(*app, 4, 1, 2, 31);
  EXPECT_EQ(daysVisited(*app), 365 - 31);
  // Months and days outside any calendar stay inside the year.
  setRange(*app, 0, -3, 14, 40);
  EXPECT_EQ(daysVisited(*app), 365);
  setRange(*app, 4, 31, 4, 30);  // start beyond April's last day: April 30 only
  EXPECT_EQ(daysVisited(*app), 1);
}

TEST(Tally, NothingHappensWithoutABuiltYear) {
  auto app = std::make_unique<App>();
  app->Y.Jigen = 6;
  app->Y.Ggn = 3;
  app->Y.JJ[0][4][0][0] = 29;  // April not set up
  app->Grid1.setCols(3);
  app->Grid1.setRows(4);
  app->Grid1.setText(1, 1, "month");
  app->T.KeiTotal = 7;
  app->T.JisuuCnt[2][3][4] = 9;
  app->T.DFromMonth = 6;
  DispJisuu(*app);
  CountJisuu(*app);
  EXPECT_EQ(app->Grid1.rows(), 4);
  EXPECT_EQ(app->Grid1.text(1, 1), "month");
  EXPECT_EQ(app->T.KeiTotal, 7);
  EXPECT_EQ(app->T.JisuuCnt[2][3][4], 9);
  EXPECT_EQ(app->T.DFromMonth, 6);
}

// Counts the cells of grade index g between two days (from <= to in school-year order)
// month by month, the way a teacher would count them on paper.
int directCount(const SchoolYear& y, int g, int fm, int fd, int tm, int td, int (*cnt)[kPeriodSlots]) {
  auto order = [](int m, int d) { return (m >= 4 ? m - 4 : m + 8) * 32 + d; };
  std::memset(cnt, 0, sizeof(int) * TallyState::kTallySlots * kPeriodSlots);
  int total = 0;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= y.JJ[g][m][0][0]; ++d) {
      if (order(m, d) < order(fm, fd) || order(m, d) > order(tm, td)) continue;
      for (int p = 1; p <= y.Jigen; ++p) {
        int c = y.JJ[g][m][d][p];
        if (c == 0) continue;
        if (c >= 11) ++cnt[c / 10 - 1][c % 10];
        else ++cnt[(c < 0 ? -c : c) + 6][1];
        ++total;
      }
    }
  return total;
}

TEST(Tally, ANewlyBuiltYearCountsItsSchoolDaysInEveryGrade) {
  auto app = std::make_unique<App>();
  NewYearOptions opt;
  opt.nendo = 2024;
  opt.grades = 6;
  opt.periods = 7;
  buildNewYear(app->Y, opt);
  app->Y.JItemCount = 8;
  app->Y.JJ[4][10][7][3] = -2;  // one edited cell in grade 5
  app->T.KikanSet = false;
  CountJisuu(*app);
  int expect[TallyState::kTallySlots][kPeriodSlots];
  for (int g = 1; g <= 6; ++g) {
    app->S.CurGr = g;
    DispJisuu(*app);
    const int total = directCount(app->Y, g - 1, 4, 1, 3, 31, expect);
    EXPECT_GT(total, 1000) << "grade " << g;  // a school year has about 200 school days
    EXPECT_EQ(app->T.KeiTotal, total) << "grade " << g;
    EXPECT_EQ(std::memcmp(expect, app->T.KeiCnt, sizeof expect), 0) << "grade " << g;
    EXPECT_EQ(std::memcmp(expect, app->T.JisuuCnt[g - 1], sizeof expect), 0) << "grade " << g;
    EXPECT_EQ(app->Grid1.text(15, 1), std::to_string(total));
  }
  EXPECT_EQ(app->T.JisuuCnt[4][8][1], 1);
}

// A year whose cells hold every kind of code, tallied for every grade over the whole
// year and over a range, against a count of the cells made month by month.
TEST(Tally, WholeYearAndRangeAgreeWithADirectCountOfTheCells) {
  auto app = makeYearApp(2003, 6, 7);
  std::mt19937 rng(12345);
  SchoolYear& y = app->Y;
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= y.JJ[g][m][0][0]; ++d)
        for (int p = 1; p <= 9; ++p) {
          int k = static_cast<int>(rng() % 10);
          if (k == 0) y.JJ[g][m][d][p] = 0;
          else if (k <= 2) y.JJ[g][m][d][p] = static_cast<int16_t>(-1 - static_cast<int>(rng() % 20));
          else if (k == 3) y.JJ[g][m][d][p] = static_cast<int16_t>(10 * (1 + rng() % 7) + 1 + rng() % 9);
          // else: the day's own reference from the fixture
        }

  auto direct = [&](int g, int fm, int fd, int tm, int td, int (*cnt)[kPeriodSlots]) {
    return directCount(y, g, fm, fd, tm, td, cnt);
  };

  int expect[TallyState::kTallySlots][kPeriodSlots];
  for (bool ranged : {false, true}) {
    if (ranged) setRange(*app, 6, 15, 11, 3);
    else app->T.KikanSet = false;
    CountJisuu(*app);
    for (int g = 1; g <= 6; ++g) {
      app->S.CurGr = g;
      DispJisuu(*app);
      int total = ranged ? direct(g - 1, 6, 15, 11, 3, expect) : direct(g - 1, 4, 1, 3, 31, expect);
      EXPECT_EQ(app->T.KeiTotal, total) << "grade " << g;
      EXPECT_EQ(std::memcmp(expect, app->T.KeiCnt, sizeof expect), 0) << "grade " << g;
      EXPECT_EQ(std::memcmp(expect, app->T.JisuuCnt[g - 1], sizeof expect), 0) << "grade " << g;
      for (int r = 1; r <= 6; ++r)
        for (int p = 1; p <= 7; ++p) {
          const std::string want = (r < 6 || p <= 4) ? std::to_string(expect[r][p]) : "";
          EXPECT_EQ(app->Grid1.text(r, p), want);
        }
      for (int i = 1; i <= 8; ++i) EXPECT_EQ(app->Grid1.text(i + 6, 1), std::to_string(expect[i + 6][1]));
    }
  }
}

// Timetable JW(kind, 1) with the given cells (weekday index 1..6 = Monday..Saturday).
void putTimetable(App& app, int kind, std::initializer_list<std::tuple<int, int, const char*>> cells) {
  JWRec& r = app.Y.JW[kind][1];
  r.JWKind = static_cast<int16_t>(kind + 1);
  r.JWName = "1年1組";
  for (auto& [w, p, t] : cells) r.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)] = t;
  app.Y.JW[kind][0].JWKind = 1;
  app.S.JWMode = kind == 0 ? JWModeKind::Class : JWModeKind::Teacher;
  app.S.JWNo = 1;
}

TEST(TimetableTally, EntriesSumTheirSlotsLargestFirstTiesInFirstOrder) {
  auto app = makeYearApp(1999, 3, 6);
  setRange(*app, 4, 5, 4, 17);  // two full weeks, Monday 5 to Saturday 17 April 1999
  app->Y.JJ[0][4][11][1] = -5;  // one 道徳, entered on a Sunday
  app->Y.JJ[0][4][7][2] = 23;   // Wednesday period 2 holds 月3
  putTimetable(*app, 0, {{1, 1, "国語"}, {1, 2, " 算数 "}, {1, 3, "算数"}, {2, 1, "理科"},
                         {2, 2, "音楽"}, {3, 2, "国語"}, {6, 5, "体育"}, {0, 1, "日曜"}});
  CountJisuu(*app);
  DispJWJisuu(*app);

  // 算数 Mon 2 + Mon 3 = 2 + 3 (one more from 月3); 国語 Mon 1 + Wed 2 = 2 + 1;
  // 理科 Tue 1 = 2, 音楽 Tue 2 = 2 (tie: 理科 came first); 体育 Sat 5 = 0 (not a lesson).
  ASSERT_EQ(app->T.KeiName.size(), 5u);
  EXPECT_EQ(app->T.KeiName[0], "算数");
  EXPECT_EQ(app->T.KeiSum[0], 5);
  EXPECT_EQ(app->T.KeiName[1], "国語");
  EXPECT_EQ(app->T.KeiSum[1], 3);
  EXPECT_EQ(app->T.KeiName[2], "理科");
  EXPECT_EQ(app->T.KeiName[3], "音楽");
  EXPECT_EQ(app->T.KeiSum[3], 2);
  EXPECT_EQ(app->T.KeiName[4], "体育");
  EXPECT_EQ(app->T.KeiSum[4], 0);

  const Grid& g = app->Grid1;
  ASSERT_EQ(g.cols(), 5);
  ASSERT_EQ(g.rows(), 9);  // 8 items + header
  const int widths[5] = {400, 1200, 800, 1200, 800};
  const char* heads[5] = {"No.", "教科/学級", "時数", "集計項目", "時数"};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(g.colWidth(c), widths[c]);
    EXPECT_EQ(g.text(0, c), heads[c]);
  }
  for (int r = 1; r < 9; ++r) EXPECT_EQ(g.text(r, 0), std::to_string(r));
  EXPECT_EQ(g.text(1, 1), "算数");
  EXPECT_EQ(g.text(1, 2), "5");
  EXPECT_EQ(g.text(6, 1), "");
  EXPECT_EQ(g.text(5, 3), "道徳");
  EXPECT_EQ(g.text(5, 4), "1");
  EXPECT_EQ(g.text(8, 3), "事前");
  EXPECT_EQ(g.text(8, 4), "0");
  EXPECT_EQ(app->T.KeiTotal, 5 + 3 + 2 + 2 + 0 + 1);

  app->T.KikanSet = false;
  CountJisuu(*app);
  DispJWJisuu(*app);
  ASSERT_EQ(app->Grid1.rows(), 10);
  EXPECT_EQ(app->Grid1.text(9, 0), "9");
  EXPECT_EQ(app->Grid1.text(9, 1), "総時間数");
  EXPECT_EQ(app->Grid1.text(9, 2), std::to_string(app->T.KeiTotal));
  EXPECT_EQ(app->Grid1.text(9, 3), "");
}

TEST(TimetableTally, TeacherEntriesCountTheGradeTheyName) {
  auto app = makeYearApp(1999, 3, 6);
  setRange(*app, 4, 5, 4, 10);  // one week
  app->S.CurGr = 1;
  // Grade 3 drops Monday period 1 on the 5th; grade 2 drops Monday period 2.
  app->Y.JJ[2][4][5][1] = 0;
  app->Y.JJ[1][4][5][2] = 0;
  putTimetable(*app, 1, {{1, 1, "3-1国語"}, {1, 2, "２年算数"}, {1, 3, "会議"}, {1, 4, "7組"},
                         {2, 1, "0組"}, {2, 2, "1-2"}});
  app->Y.JJ[0][4][6][1] = 0;  // grade 1 drops Tuesday period 1 ("0組" counts grade 1)
  CountJisuu(*app);
  DispJWJisuu(*app);
  auto sumOf = [&](const std::string& n) {
    for (size_t i = 0; i < app->T.KeiName.size(); ++i)
      if (app->T.KeiName[i] == n) return app->T.KeiSum[i];
    return -1;
  };
  EXPECT_EQ(sumOf("3-1国語"), 0);
  EXPECT_EQ(sumOf("２年算数"), 0);
  EXPECT_EQ(sumOf("会議"), 1);
  EXPECT_EQ(sumOf("7組"), 1);  // no grade 7 in the year: the shown grade
  EXPECT_EQ(sumOf("0組"), 0);
  EXPECT_EQ(sumOf("1-2"), 1);
  app->S.CurGr = 3;
  DispJWJisuu(*app);
  EXPECT_EQ(sumOf("3-1国語"), 0);
  EXPECT_EQ(sumOf("0組"), 1);  // now grade 3's Tuesday
}

TEST(TimetableTally, EveryDistinctEntryIsListedEvenBeyondForty) {
  auto app = makeYearApp(1999, 3, 7);
  app->T.KikanSet = false;
  JWRec& r = app->Y.JW[0][1];
  for (int w = 1; w <= 6; ++w)
    for (int p = 1; p <= 7; ++p) r.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)] = "科目" + std::to_string(w * 10 + p);
  app->S.JWMode = JWModeKind::Class;
  app->S.JWNo = 1;
  CountJisuu(*app);
  DispJWJisuu(*app);
  ASSERT_EQ(app->T.KeiName.size(), 42u);
  EXPECT_EQ(app->Grid1.rows(), 44);
  long sum = 0;
  for (int v : app->T.KeiSum) sum += v;
  for (int i = 1; i <= 8; ++i) sum += app->T.JisuuCnt[0][i + 6][1];
  EXPECT_EQ(app->T.KeiTotal, sum);
  EXPECT_EQ(app->Grid1.text(43, 2), std::to_string(sum));
  // Saturday periods 5..7 are never school lessons here: the last rows hold 0 hours.
  EXPECT_EQ(app->Grid1.text(42, 2), "0");

  // Without a timetable kind nothing is laid out.
  app->S.JWMode = JWModeKind::None;
  app->Grid1.setRows(3);
  DispJWJisuu(*app);
  EXPECT_EQ(app->Grid1.rows(), 3);
}

}  // namespace
}  // namespace tly
