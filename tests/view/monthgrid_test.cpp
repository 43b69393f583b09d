#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calendar/calendar.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/years.h"
#include "support/viewstate.h"

namespace tly {
namespace {

std::unique_ptr<App> appWithYear(int nendo, int grades = 3, int periods = 6) {
  auto app = std::make_unique<App>();
  NewYearOptions o;
  o.nendo = nendo;
  o.grades = grades;
  o.periods = periods;
  buildNewYear(app->Y, o);
  test::setDefaultItems(app->Y);
  test::fillSelectors(*app);
  app->S.CurYear = nendo;
  SetJJGrid(*app);
  return app;
}

TEST(MonthGrid, LayoutHeadersAndWidths) {
  auto app = appWithYear(1999);
  const Grid& g = app->Grid1;
  EXPECT_EQ(g.cols(), 10);
  EXPECT_EQ(g.rows(), 32);
  EXPECT_EQ(g.FixedCols, 2);
  EXPECT_EQ(g.FixedRows, 1);
  EXPECT_EQ(g.Row, 0);
  EXPECT_EQ(g.Col, 9);
  const char* heads[] = {"日", "曜", "行　事", "1", "2", "3", "4", "5", "6", "備　考"};
  const int widths[] = {336, 336, 2150, 560, 560, 560, 560, 560, 560, 2688};
  for (int c = 0; c < 10; ++c) {
    EXPECT_EQ(g.text(0, c), heads[c]);
    EXPECT_EQ(g.colWidth(c), widths[c]);
    EXPECT_EQ(g.fixedAlignment(c), Align::Center);
    EXPECT_EQ(g.colAlignment(c), c < 2 ? Align::Center : Align::Left);
  }
  // Saved widths only when every column has one.
  for (int i = 0; i < 10; ++i) app->Y.Fs.FsColWidth[static_cast<size_t>(i)] = static_cast<int16_t>(100 + i);
  SetJJGrid(*app);
  EXPECT_EQ(app->Grid1.colWidth(9), 109);
  app->Y.Fs.FsColWidth[9] = 0;
  SetJJGrid(*app);
  EXPECT_EQ(app->Grid1.colWidth(0), 336);
  EXPECT_EQ(app->Grid1.colWidth(9), 2688);
  // A seven-period year uses one more column; the eleventh saved width now counts.
  app->Y.Jigen = 7;
  app->Y.Fs.FsColWidth[9] = 109;
  SetJJGrid(*app);
  EXPECT_EQ(app->Grid1.cols(), 11);
  EXPECT_EQ(app->Grid1.colWidth(10), 2688);
  EXPECT_EQ(app->Grid1.text(0, 10), "備　考");
  EXPECT_EQ(defaultMonthColWidth(-1, 10), 0);
  EXPECT_EQ(defaultMonthColWidth(10, 10), 0);
}

TEST(MonthGrid, RowsFollowTheMonthAndTheCurrentCellIsClamped) {
  auto app = appWithYear(1999);
  DispJJ(*app, 2000, 2);
  EXPECT_EQ(app->Grid1.rows(), 30);
  EXPECT_EQ(app->Grid1.text(29, 0), "29");
  EXPECT_EQ(app->Grid1.text(29, 1), "火");
  DispJJ(*app, 1999, 4);
  EXPECT_EQ(app->Grid1.rows(), 31);
  EXPECT_EQ(app->W.cmbMonth.text, "4月");
  EXPECT_EQ(app->W.cmbGr.text, "1年");
  EXPECT_EQ(app->W.panel[1], " 1999 年度");
  EXPECT_EQ(appWithYear(1998)->Y.JJ[0][2][0][0], 28);
  auto app98 = appWithYear(1998);
  DispJJ(*app98, 1999, 2);
  EXPECT_EQ(app98->Grid1.rows(), 29);

  // Day 31 stays day 31 in another 31-day month, becomes 30 in a 30-day month.
  DispJJ(*app, 1999, 5);
  app->Grid1.setCurrent(31, 4);
  DispJJ(*app, 1999, 7);
  EXPECT_EQ(app->Grid1.Row, 31);
  EXPECT_EQ(app->Grid1.Col, 4);
  DispJJ(*app, 1999, 6);
  EXPECT_EQ(app->Grid1.Row, 30);
  EXPECT_EQ(app->W.cmbMonth.text, "6月");
  DispJJ(*app, 2000, 1);
  EXPECT_EQ(app->W.cmbMonth.text, "1月");
  // The header row as current cell comes back as day 1.
  app->Grid1.setCurrent(0, 3);
  DispJJ(*app, 2000, 1);
  EXPECT_EQ(app->Grid1.Row, 1);

  // Rows added for a longer month take the height of the rows before.
  DispJJ(*app, 2000, 2);
  for (int r = 0; r < app->Grid1.rows(); ++r) app->Grid1.setRowHeight(r, 250);
  DispJJ(*app, 2000, 3);
  EXPECT_EQ(app->Grid1.rowHeight(31), 250);

  // No year open: 32 rows, no day written, nothing left of the month before.
  auto none = std::make_unique<App>();
  SetJJGrid(*none);
  EXPECT_EQ(none->Grid1.cols(), 4);
  none->Grid1.setText(5, 2, "stale");
  none->S.CurGr = 0;
  DispJJ(*none, 2000, 4);
  EXPECT_EQ(none->S.CurGr, 1);
  EXPECT_EQ(none->Grid1.rows(), 32);
  for (int r = 1; r < 32; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(none->Grid1.text(r, c), "");
  DispJJ(*none, 2000, 13);  // a month outside the year shows nothing, reads nothing
  DispJJ(*none, 2000, -1);
  EXPECT_EQ(none->Grid1.rows(), 32);
}

TEST(MonthGrid, ShownGradeStaysInsideTheYear) {
  auto app = appWithYear(1999, 3);
  app->Y.JJText[2][4][29][1] = "三年";
  app->S.CurGr = 6;
  DispJJ(*app, 1999, 4);
  EXPECT_EQ(app->S.CurGr, 3);
  EXPECT_EQ(app->W.cmbGr.text, "3年");
  EXPECT_EQ(app->Grid1.text(29, 9), "三年");
  // A corrupt month length reads as its bound instead of walking past the tables.
  app->Y.JJ[2][5][0][0] = 500;
  DispJJ(*app, 1999, 5);
  EXPECT_EQ(app->Grid1.rows(), 32);
  app->Y.JJ[2][5][0][0] = -5;
  DispJJ(*app, 1999, 5);
  EXPECT_EQ(app->Grid1.rows(), 32);
}

TEST(MonthGrid, CellTextsInTheFourViews) {
  auto app = appWithYear(1999);
  App& a = *app;
  a.S.CurGr = 2;
  // 12 April 1999 is a Monday (weekday 2).
  ASSERT_EQ(Youbi(1999, 4, 12), 2);
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 0), "／");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, -3), "学裁");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 5), "道徳");  // a positive code below 11 is an item too
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "月 3");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 33), "火 3");

  testing::setView(a, Command::UDisp, true);
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 33), "火 3");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 4, 23), "月 3");

  // Class view: list position 1 is timetable 2; blanks around the subject are dropped.
  a.Y.JW[0][2].JWCell[2][3] = " 理科 ";
  a.Y.JW[0][2].JWCell[1][3] = "算数";
  a.Y.JW[0][2].JWCell[6][7] = "土曜7";
  a.W.cmbDispJW.items = {"1年1組", "2年1組"};
  a.W.cmbDispJW.select(1);
  testing::setView(a, Command::DispJWC, true);
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 33), "理科");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");  // changes only: unchanged lesson blank
  testing::setView(a, Command::UDisp, false);
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "算数");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 76), "");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 77), "土 7");  // past Saturday's sixth period: always plain
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 79), "土 9");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, -1), "行事");

  // Teacher view, grade 2 shown.
  testing::setView(a, Command::DispJWC, false);
  testing::setView(a, Command::DispJWS, true);
  a.W.cmbDispJW.select(0);
  auto& t = a.Y.JW[1][1].JWCell;
  t[1][1] = "2年1組";
  t[1][2] = "２年2組";
  t[1][3] = "3年1組";
  t[1][4] = "A組";
  t[1][5] = "0組";
  t[1][6] = "9組";
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 1, 21), "2年1組");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 2, 22), "２年2組");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 4, 24), "A組");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 5, 25), "0組");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 6, 26), "9組");
  // Grade 3 is shown only when grade 3 really has this lesson at this day and period.
  a.Y.JJ[2][4][12][3] = 23;
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "3年1組");
  a.Y.JJ[2][4][12][3] = -2;
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");
  a.Y.JJ[2][4][13][3] = 23;  // another day does not count
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 77), "土 7");

  // Codes no writer produces show something and never read outside the tables.
  a.W.cmbDispJW.index = 500;
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");
  a.W.cmbDispJW.index = -7;
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 23), "");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, -21), "-21");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, -32768), "-32768");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 80), "80");
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 32767), "32767");
  testing::setView(a, Command::DispJWS, false);
  EXPECT_EQ(cellText(a.Y, cellViewOf(a), 4, 12, 2, 3, 20), "月 0");
}

TEST(MonthGrid, RowHeightsFromTheFont) {
  EXPECT_EQ(rowHeightForFont(9), 198);
  EXPECT_EQ(rowHeightForFont(9.5f), 209);
  EXPECT_EQ(rowHeightForFont(9.25f), 204);   // 203.5 rounds to the even neighbour
  EXPECT_EQ(rowHeightForFont(9.75f), 214);   // 214.5 likewise
  EXPECT_EQ(rowHeightForFont(-3), 0);
  EXPECT_EQ(rowHeightForFont(1e9f), 32767);

  auto app = appWithYear(1999);
  app->Grid1.Font.size = 12;
  DispJJ(*app, 1999, 5);
  app->Grid1.setCurrent(17, 5);
  SetRowHeight(*app);
  EXPECT_EQ(app->Grid1.Row, 17);
  EXPECT_EQ(app->Grid1.Col, 5);
  for (int r = 0; r < app->Grid1.rows(); ++r) ASSERT_EQ(app->Grid1.rowHeight(r), 264);
  app->Grid1.Font.size = 10;
  ResetRowHeight(*app);
  EXPECT_EQ(app->Grid1.rowHeight(31), 220);
  EXPECT_EQ(app->Grid1.Row, 17);
  EXPECT_EQ(schoolYearStatusText(1999), " 1999 年度");
}

}  // namespace
}  // namespace tly
