#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calendar/calendar.h"

namespace tly {
namespace {

TEST(Calendar, WeekdaysAndMonthLengths) {
  EXPECT_EQ(Youbi(2000, 3, 1), 4);   // Wednesday
  EXPECT_EQ(Youbi(1999, 1, 1), 6);   // Friday, a January counted as month 13 of 1998
  EXPECT_EQ(Youbi(2000, 2, 29), 3);  // Tuesday
  EXPECT_EQ(Youbi(1999, 2, 29), 0);
  EXPECT_EQ(Youbi(1900, 2, 29), 0);
  EXPECT_EQ(Youbi(2004, 2, 29), 1);  // Sunday
  EXPECT_EQ(Youbi(2100, 2, 29), 0);
  EXPECT_EQ(Youbi(2400, 2, 29), 3);
  for (int y : {1999, 2000, 2023}) {
    EXPECT_EQ(Youbi(y, 4, 31), 0);
    EXPECT_EQ(Youbi(y, 11, 31), 0);
    EXPECT_NE(Youbi(y, 12, 31), 0);
  }
  EXPECT_EQ(Youbi(2000, 12, 32), 0);
  // Month numbers outside 1..12 count 31 days and still give a weekday 1..7.
  EXPECT_GE(Youbi(2000, 13, 31), 1);
  EXPECT_LE(Youbi(2000, 0, 31), 7);

  EXPECT_FALSE(isLeapYear(1900));
  EXPECT_TRUE(isLeapYear(2000));
  EXPECT_TRUE(isLeapYear(1996));
  EXPECT_FALSE(isLeapYear(1999));
  EXPECT_EQ(monthLengthOf(2000, 2), 29);
  EXPECT_EQ(monthLengthOf(2001, 2), 28);
  EXPECT_EQ(monthLengthOf(1999, 4), 30);
  EXPECT_EQ(monthLengthOf(1999, 7), 31);
}

TEST(Calendar, LessonRuleBoundaries) {
  const int mon = 2, sat = 7, sun = 1;
  EXPECT_EQ(LessonRule(3, 1, 4, 9, mon, 4), 24);
  EXPECT_EQ(LessonRule(3, 1, 4, 8, mon, 4), 0);
  EXPECT_EQ(LessonRule(3, 1, 7, 18, mon, 1), 21);
  EXPECT_EQ(LessonRule(3, 1, 7, 19, mon, 1), 0);
  EXPECT_EQ(LessonRule(3, 1, 8, 31, mon, 1), 0);
  EXPECT_EQ(LessonRule(3, 1, 9, 1, mon, 1), 21);
  EXPECT_EQ(LessonRule(3, 1, 12, 20, mon, 1), 21);
  EXPECT_EQ(LessonRule(3, 1, 12, 21, mon, 1), 0);
  EXPECT_EQ(LessonRule(3, 1, 1, 7, mon, 1), 0);
  EXPECT_EQ(LessonRule(3, 1, 1, 8, mon, 1), 21);
  EXPECT_EQ(LessonRule(3, 1, 3, 22, mon, 1), 21);
  EXPECT_EQ(LessonRule(3, 1, 3, 23, mon, 1), 0);
  // Saturdays teach periods 1..3, Sundays nothing.
  EXPECT_EQ(LessonRule(3, 1, 5, 15, sat, 3), 73);
  EXPECT_EQ(LessonRule(3, 1, 5, 15, sat, 4), 0);
  EXPECT_EQ(LessonRule(3, 1, 5, 16, sun, 1), 0);
  // The leaving grade of a school with fewer than six grades stops on 6 March.
  EXPECT_EQ(LessonRule(3, 3, 3, 5, mon, 2), 22);
  EXPECT_EQ(LessonRule(3, 3, 3, 6, mon, 2), 0);
  EXPECT_EQ(LessonRule(5, 3, 3, 6, mon, 2), 0);
  EXPECT_EQ(LessonRule(6, 3, 3, 6, mon, 2), 22);
  EXPECT_EQ(LessonRule(3, 2, 3, 6, mon, 2), 22);
  EXPECT_EQ(LessonRule(3, 3, 2, 6, mon, 2), 22);
}

TEST(Calendar, HolidayLabelsMatchTheirDates) {
  // Every dialog label is " month day text"; only 3 May's label shortens its name.
  int shortened = 0;
  for (const Holiday& h : kHolidays) {
    std::string expect = " " + std::to_string(h.month) + " " + std::to_string(h.day) + " " + h.text;
    if (expect != h.label) {
      ++shortened;
      EXPECT_EQ(std::string(h.label), " 5 3 憲法記念日");
      EXPECT_EQ(std::string(h.text), "憲法記念の日");
    }
    EXPECT_LT(h.day, monthLengthOf(2001, h.month)) << "a table date must not end its month";
  }
  EXPECT_EQ(shortened, 1);
  EXPECT_EQ(std::string(kSubstituteHolidayText), "振替休日");
}

TEST(Calendar, HatabiFreesTheHolidayAndTheDayAfterASunday) {
  auto y = std::make_unique<SchoolYear>();
  y->Ggn = 3;
  y->Jigen = 6;
  for (int g = 0; g < kGrades; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 31; ++d)
        for (int p = 0; p < kPeriodSlots; ++p) y->JJ[g][m][d][p] = 99;
  y->JJText[0][10][10][1] = "運動会";

  ASSERT_EQ(Youbi(1999, 10, 10), 1);
  Hatabi(*y, 1999, 10, 10, "体育の日");
  for (int g = 0; g < 3; ++g) {
    for (int p = 1; p <= 6; ++p) {
      EXPECT_EQ(y->JJ[g][10][10][p], 0);
      EXPECT_EQ(y->JJ[g][10][11][p], 0);
      EXPECT_EQ(y->JJ[g][10][12][p], 99);
    }
    EXPECT_EQ(y->JJ[g][10][10][0], 99);
    EXPECT_EQ(y->JJ[g][10][10][7], 99);
    EXPECT_EQ(y->JJText[g][10][10][0], "体育の日");
    EXPECT_EQ(y->JJText[g][10][11][0], "振替休日");
  }
  EXPECT_EQ(y->JJText[0][10][10][1], "運動会");
  EXPECT_EQ(y->JJ[3][10][10][1], 99);
  EXPECT_EQ(y->JJText[3][10][10][0], "");

  // A Sunday at the end of a month marks nothing past it, and nothing outside the tables.
  ASSERT_EQ(Youbi(2000, 4, 30), 1);
  Hatabi(*y, 2000, 4, 30, "X");
  EXPECT_EQ(y->JJ[0][4][31][1], 99);
  EXPECT_EQ(y->JJText[0][4][31][0], "");
  ASSERT_EQ(Youbi(2000, 12, 31), 1);
  Hatabi(*y, 2000, 12, 31, "Y");
  EXPECT_EQ(y->JJText[0][12][31][0], "Y");
  Hatabi(*y, 2000, 13, 1, "Z");
  Hatabi(*y, 2000, 0, 0, "Z");
  Hatabi(*y, 2000, 5, 40, "Z");
  EXPECT_EQ(y->JJText[0][0][0][0], "");
}

}  // namespace
}  // namespace tly
