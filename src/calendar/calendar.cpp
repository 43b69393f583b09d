#include "calendar/calendar.h"

#include "model/cellcode.h"

#include <algorithm>

namespace tly {

bool isLeapYear(int y) { return y % 4 == 0 && !(y % 100 == 0 && y % 400 != 0); }

namespace {
// Days in month m of year y; any month number outside 2, 4, 6, 9, 11 counts as 31 days.
int daysIn(int y, int m) {
  switch (m) {
    case 2: return isLeapYear(y) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
  }
}
}  // namespace

int Youbi(int year, int month, int day) {
  if (day > daysIn(year, month)) return 0;
  int y = year, m = month;
  if (m < 3) {  // January and February count as months 13 and 14 of the previous year
    y -= 1;
    m += 12;
  }
  int s = y + y / 4 - y / 100 + y / 400 + (13 * m + 8) / 5 + day;
  return ((s % 7) + 7) % 7 + 1;  // kept non-negative for any input
}

int monthLengthOf(int year, int month) {
  for (int d = 31; d >= 1; --d)
    if (Youbi(year, month, d) != 0) return d;
  return 0;
}

int LessonRule(int ggn, int g, int m, int d, int w, int p) {
  if (w == 1) return 0;                        // Sunday
  if (w == 7 && p > 3) return 0;               // Saturday afternoon
  if (m == 4 && d < 9) return 0;               // spring vacation, 1..8 April
  if (m == 7 && d > 18) return 0;              // summer vacation from 19 July
  if (m == 8) return 0;                        // August
  if (m == 12 && d > 20) return 0;             // winter vacation from 21 December
  if (m == 1 && d < 8) return 0;               // ... until 7 January
  if (m == 3 && d > 22) return 0;              // spring vacation from 23 March
  if (g == 3 && ggn < 6 && m == 3 && d > 5) return 0;  // leaving grade of a short school
  return slotCode(w, p);
}

const std::array<Holiday, 14> kHolidays = {{
    {1, 1, "元旦", " 1 1 元旦"},
    {1, 15, "成人の日", " 1 15 成人の日"},
    {2, 11, "建国記念の日", " 2 11 建国記念の日"},
    {3, 20, "春分の日", " 3 20 春分の日"},
    {4, 29, "みどりの日", " 4 29 みどりの日"},
    {5, 3, "憲法記念の日", " 5 3 憲法記念日"},
    {5, 4, "国民の休日", " 5 4 国民の休日"},
    {5, 5, "こどもの日", " 5 5 こどもの日"},
    {9, 15, "敬老の日", " 9 15 敬老の日"},
    {9, 23, "秋分の日", " 9 23 秋分の日"},
    {10, 10, "体育の日", " 10 10 体育の日"},
    {11, 3, "文化の日", " 11 3 文化の日"},
    {11, 23, "勤労感謝の日", " 11 23 勤労感謝の日"},
    {12, 23, "天皇誕生日", " 12 23 天皇誕生日"},
}};

const char* const kSubstituteHolidayText = "振替休日";

namespace {
// Grades and periods the table loops may touch, kept inside the arrays whatever the counts say.
int gradeLimit(const SchoolYear& y) { return std::clamp<int>(y.Ggn, 0, kGrades); }
int periodLimit(const SchoolYear& y) { return std::clamp<int>(y.Jigen, 0, kPeriodSlots - 1); }

}  // namespace

void markHoliday(SchoolYear& y, int month, int day, const std::string& name) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return;
  const int gg = gradeLimit(y), jg = periodLimit(y);
  for (int g = 0; g < gg; ++g) {
    for (int p = 1; p <= jg; ++p) y.JJ[g][month][day][p] = 0;
    y.JJText[g][month][day][0] = name;
  }
}

void Hatabi(SchoolYear& y, int year, int month, int day, const std::string& name) {
  if (month < 1 || month > 12 || day < 1 || day > 31) return;
  markHoliday(y, month, day, name);
  // A holiday on a Sunday frees the following day of the same month. The holiday table
  // never needs a carry into the next month; a day past the month's end is left alone.
  if (Youbi(year, month, day) == 1 && Youbi(year, month, day + 1) != 0)
    markHoliday(y, month, day + 1, kSubstituteHolidayText);
}

}  // namespace tly
