// The timetable store, the grid transfer and the timetable grid's clipboard commands.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/schoolyear.h"
#include "rules/timetablestore.h"

namespace tly {
namespace {

std::unique_ptr<SchoolYear> yearWith(int periods, std::initializer_list<const char*> classes) {
  auto y = std::make_unique<SchoolYear>();
  y->Jigen = static_cast<int16_t>(periods);
  for (const char* n : classes) appendTimetable(*y, kClassTimetables, n);
  return y;
}

std::string names(const SchoolYear& y, int kind) {
  std::string s;
  for (int n = 1; n <= timetableCountOf(y, kind); ++n) s += y.JW[kind][n].JWName + "|";
  return s;
}

TEST(TimetableStore, AddInsertDeleteMoveWholeRecordsAndEmptyFreedOnes) {
  auto y = yearWith(7, {"1年1組", " 1年2組 "});
  y->JW[0][1].JWCell[2][7] = "理科";  // Tuesday period 7 of the first
  y->JW[0][2].JWCell[6][1] = "体育";

  // Inserting before position 0 moves every record up, cells and all; the new one is empty.
  EXPECT_EQ(insertTimetable(*y, 0, 0, "新"), 1);
  EXPECT_EQ(names(*y, 0), "新|1年1組| 1年2組 |");
  EXPECT_EQ(y->JW[0][2].JWCell[2][7], "理科");
  EXPECT_EQ(y->JW[0][3].JWCell[6][1], "体育");
  EXPECT_EQ(y->JW[0][1].JWCell[2][7], "");
  EXPECT_EQ(y->JW[0][1].JWKind, 1);
  // Past the end, insert appends.
  EXPECT_EQ(insertTimetable(*y, 0, 9, "末"), 4);

  // Deleting moves the rest down and empties the record that fell free.
  EXPECT_TRUE(deleteTimetable(*y, 0, 2));
  EXPECT_EQ(names(*y, 0), "新| 1年2組 |末|");
  EXPECT_EQ(y->JW[0][2].JWCell[6][1], "体育");
  y->JW[0][3].JWCell[1][7] = "残り";
  EXPECT_TRUE(deleteTimetable(*y, 0, 3));
  EXPECT_EQ(y->JW[0][3].JWCell[1][7], "");
  EXPECT_EQ(y->JW[0][3].JWName, "");
  // A timetable added into the freed number starts empty in every period.
  EXPECT_EQ(appendTimetable(*y, 0, "再"), 3);
  for (const auto& day : y->JW[0][3].JWCell)
    for (const auto& cell : day) EXPECT_EQ(cell, "");

  EXPECT_FALSE(deleteTimetable(*y, 0, 4));
  EXPECT_FALSE(renameTimetable(*y, 0, 0, "x"));
  EXPECT_TRUE(renameTimetable(*y, 0, 1, ""));
  EXPECT_EQ(names(*y, 0), "| 1年2組 |再|");
  EXPECT_EQ(timetableCountOf(*y, 1), 0);  // the other kind untouched
}

TEST(TimetableStore, TwoHundredPerKind) {
  auto y = yearWith(6, {});
  for (int i = 1; i <= 200; ++i) ASSERT_EQ(appendTimetable(*y, 1, "T" + std::to_string(i)), i);
  EXPECT_EQ(appendTimetable(*y, 1, "201"), 0);
  EXPECT_EQ(insertTimetable(*y, 1, 0, "201"), 0);
  EXPECT_EQ(timetableCountOf(*y, 1), 200);
  EXPECT_EQ(y->JW[1][1].JWName, "T1");
  // A damaged count never reaches past the store.
  y->JW[0][0].JWKind = 999;
  EXPECT_EQ(timetableCountOf(*y, 0), 200);
  EXPECT_EQ(appendTimetable(*y, 0, "x"), 0);
  y->JW[0][0].JWKind = -3;
  EXPECT_FALSE(deleteTimetable(*y, 0, 1));
}

TEST(TimetableGrid, TransferTouchesOnlyTheYearsPeriods) {
  for (int periods : {5, 7}) {
    JWRec rec;
    for (int r = 0; r < 7; ++r)
      for (int p = 0; p < kPeriodSlots; ++p) rec.JWCell[r][p] = " c" + std::to_string(r) + std::to_string(p) + " ";
    Grid g;
    layoutTimetableGrid(g, periods, "参照");
    EXPECT_EQ(g.cols(), periods + 1);
    EXPECT_EQ(g.text(0, 0), "参照");
    EXPECT_EQ(g.text(0, periods), std::to_string(periods));
    EXPECT_EQ(g.text(6, 0), "土");
    timetableToGrid(rec, g, periods);
    EXPECT_EQ(g.text(1, 1), "c11");  // trimmed
    EXPECT_EQ(g.text(6, periods), "c6" + std::to_string(periods));
    g.setText(2, periods, " 新 ");
    JWRec back = rec;
    gridToTimetable(g, back, periods);
    EXPECT_EQ(back.JWCell[2][periods], " 新 ");        // stored untrimmed
    EXPECT_EQ(back.JWCell[3][1], "c31");               // trimmed by the round trip
    EXPECT_EQ(back.JWCell[0][1], rec.JWCell[0][1]);    // Sunday never touched
    EXPECT_EQ(back.JWCell[1][0], rec.JWCell[1][0]);    // period 0 never touched
    if (periods < 9) {
      EXPECT_EQ(back.JWCell[1][periods + 1], rec.JWCell[1][periods + 1]);
    }
  }
}

Grid gridOf(int periods) {
  Grid g;
  layoutTimetableGrid(g, periods);
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= periods; ++c) g.setText(r, c, std::string(1, static_cast<char>('a' + r)) + std::to_string(c));
  return g;
}

void select(Grid& g, int r, int c, int r2, int c2) {
  g.setCurrent(r, c);
  g.RowSel = r2;
  g.ColSel = c2;
}

TEST(TimetableGrid, CopyAndPasteABlock) {
  Grid g = gridOf(6);
  g.setText(1, 2, " 国語 ");
  select(g, 2, 3, 1, 1);  // made from right to left
  const std::string text = copyTimetableCells(g);
  EXPECT_EQ(text, "b1\t国語\tb3\r\nc1\tc2\tc3\r\n");

  Grid h = g;
  select(h, 4, 4, 4, 4);
  ASSERT_EQ(pasteTimetableCells(h, text), TimetablePaste::Pasted);
  EXPECT_EQ(h.text(4, 4), "b1");
  EXPECT_EQ(h.text(4, 5), "国語");
  EXPECT_EQ(h.text(5, 6), "c3");
  EXPECT_EQ(h.text(6, 6), "g6");  // outside the block

  // A selection from the other corner pastes the same.
  Grid k = g;
  select(k, 5, 6, 4, 4);
  ASSERT_EQ(pasteTimetableCells(k, text), TimetablePaste::Pasted);
  for (int r = 1; r <= 6; ++r)
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(k.text(r, c), h.text(r, c)) << r << "," << c;
}

TEST(TimetableGrid, PasteRefusalsAndOneValue) {
  struct Case {
    const char* text;
    int row, col;
    TimetablePaste want;
  };
  const Case cases[] = {
      {"", 1, 1, TimetablePaste::NothingToPaste},
      {"a\tb\tc\r\n", 1, 5, TimetablePaste::DoesNotFit},  // past the last period
      {"a\r\nb\r\n", 6, 1, TimetablePaste::DoesNotFit},   // past Saturday
      {"a\tb", 1, 1, TimetablePaste::NoLines},
  };
  for (const Case& c : cases) {
    Grid g = gridOf(6);
    const Grid before = g;
    select(g, c.row, c.col, c.row, c.col);
    EXPECT_EQ(pasteTimetableCells(g, c.text), c.want) << c.text;
    for (int r = 0; r <= 6; ++r)
      for (int col = 0; col <= 6; ++col) EXPECT_EQ(g.text(r, col), before.text(r, col));
  }
  // One value fills every selected cell.
  Grid g = gridOf(7);
  select(g, 2, 7, 3, 6);
  ASSERT_EQ(pasteTimetableCells(g, "音楽\r\n"), TimetablePaste::Pasted);
  EXPECT_EQ(g.text(2, 6), "音楽");
  EXPECT_EQ(g.text(3, 7), "音楽");
  EXPECT_EQ(g.text(4, 7), "e7");
}

TEST(TimetableGrid, HostileTextNeverEscapesTheGrid) {
  Grid g = gridOf(6);
  select(g, 1, 1, 1, 1);
  std::string nul("x\0y\t\xff\xfe\r\n", 8);
  ASSERT_EQ(pasteTimetableCells(g, nul), TimetablePaste::Pasted);
  EXPECT_EQ(g.text(1, 1), "xy");
  EXPECT_EQ(g.text(1, 2), "\xEF\xBF\xBD\xEF\xBF\xBD");  // invalid bytes replaced
  std::string big(10 * 1024 * 1024, 'z');
  big += "\r\n";
  select(g, 1, 1, 1, 1);
  ASSERT_EQ(pasteTimetableCells(g, big), TimetablePaste::Pasted);
  EXPECT_LE(g.text(1, 1).size(), 32000u);
  std::string rows;
  for (int i = 0; i < 100000; ++i) rows += "a\r\n";
  EXPECT_EQ(pasteTimetableCells(g, rows), TimetablePaste::DoesNotFit);
}

TEST(TimetableGrid, DeleteAndCutEmptyTheSelectionOnly) {
  Grid g = gridOf(6);
  select(g, 3, 2, 2, 3);
  clearSelectedTimetableCells(g);
  EXPECT_EQ(g.text(2, 2), "");
  EXPECT_EQ(g.text(3, 3), "");
  EXPECT_EQ(g.text(2, 1), "c1");
  // A selection reaching into the headers never empties them.
  select(g, 0, 0, 1, 1);
  clearSelectedTimetableCells(g);
  EXPECT_EQ(g.text(0, 1), "1");
  EXPECT_EQ(g.text(1, 0), "月");
  EXPECT_EQ(g.text(1, 1), "");
  EXPECT_EQ(copyTimetableCells(g), "\r\n");
}

}  // namespace
}  // namespace tly
