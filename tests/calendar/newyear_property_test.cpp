// Builds many years and compares every cell and text with a direct reading of the rules:
// weekdays counted from a known Monday, vacations as date ranges, the n-th Saturday as
// (day - 1) / 7 + 1, holidays resolved as "the last table entry that touches the day".
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "calendar/calendar.h"

namespace tly {
namespace {

bool leap(int y) { return (y % 400 == 0) || (y % 4 == 0 && y % 100 != 0); }
int monthDays(int y, int m) {
  static const int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leap(y) ? 29 : kDays[m];
}
// 1 January 1900 was a Monday (2); weekdays 1 = Sunday .. 7 = Saturday.
int weekday(int y, int m, int d) {
  long days = d - 1;
  for (int yy = 1900; yy < y; ++yy) days += leap(yy) ? 366 : 365;
  for (int mm = 1; mm < m; ++mm) days += monthDays(y, mm);
  return static_cast<int>((days + 1) % 7) + 1;
}

struct HolidayEntry {
  int m, d;
  const char* name;
};
const HolidayEntry kTable[14] = {{1, 1, "元旦"},       {1, 15, "成人の日"},   {2, 11, "建国記念の日"},
                                 {3, 20, "春分の日"},   {4, 29, "みどりの日"}, {5, 3, "憲法記念の日"},
                                 {5, 4, "国民の休日"},  {5, 5, "こどもの日"},  {9, 15, "敬老の日"},
                                 {9, 23, "秋分の日"},   {10, 10, "体育の日"},  {11, 3, "文化の日"},
                                 {11, 23, "勤労感謝の日"}, {12, 23, "天皇誕生日"}};

// Text of the events column and whether the day is a holiday, for the date's calendar year.
const char* holidayText(int cy, int m, int d) {
  const char* text = nullptr;
  for (const auto& h : kTable) {
    if (h.m != m) continue;
    if (h.d == d) text = h.name;
    if (h.d + 1 == d && weekday(cy, m, h.d) == 1) text = "振替休日";
  }
  return text;
}

bool vacation(int m, int d) {
  return (m == 4 && d <= 8) || (m == 7 && d >= 19) || m == 8 || (m == 12 && d >= 21) || (m == 1 && d <= 7) ||
         (m == 3 && d >= 23);
}

int expectedCode(int ggn, int g, int n, int m, int d, int p, const std::array<bool, 5>& sat) {
  const int cy = m <= 3 ? n + 1 : n;
  const int w = weekday(cy, m, d);
  if (w == 1 || vacation(m, d) || holidayText(cy, m, d)) return 0;
  if (w == 7 && (p >= 4 || sat[static_cast<size_t>((d - 1) / 7)])) return 0;
  if (ggn <= 5 && g == 3 && m == 3 && d >= 6) return 0;
  return w * 10 + p;
}

TEST(NewYearProperty, EveryCellAndTextFollowsTheRules) {
  std::mt19937 rng(20261208);
  std::vector<int> years = {1900, 1901, 1998, 1999, 2000, 2099, 2100, 2399, 2400, 2900};
  std::uniform_int_distribution<int> anyYear(1900, 2900);
  for (int i = 0; i < 30; ++i) years.push_back(anyYear(rng));

  auto y = std::make_unique<SchoolYear>();
  for (int n : years) {
    NewYearOptions o;
    o.nendo = n;
    o.grades = std::uniform_int_distribution<int>(3, 6)(rng);
    o.periods = std::uniform_int_distribution<int>(5, 7)(rng);
    for (auto& f : o.closedSaturdays) f = rng() % 2;
    // Build over what an earlier year left, as the program does.
    buildNewYear(*y, o);
    SCOPED_TRACE("year " + std::to_string(n) + " grades " + std::to_string(o.grades) + " periods " +
                 std::to_string(o.periods));
    ASSERT_EQ(y->nendo(), n);
    for (int g = 1; g <= o.grades; ++g)
      for (int m = 1; m <= 12; ++m) {
        const int cy = m <= 3 ? n + 1 : n;
        const int len = monthDays(cy, m);
        ASSERT_EQ(y->JJ[g - 1][m][0][0], len) << "month " << m;
        for (int d = 1; d <= len; ++d) {
          for (int p = 1; p <= o.periods; ++p)
            ASSERT_EQ(y->JJ[g - 1][m][d][p], expectedCode(o.grades, g, n, m, d, p, o.closedSaturdays))
                << "grade " << g << " " << m << "/" << d << " period " << p;
          const char* h = holidayText(cy, m, d);
          ASSERT_EQ(y->JJText[g - 1][m][d][0], h ? h : "") << m << "/" << d;
          ASSERT_EQ(y->JJText[g - 1][m][d][1], "");
        }
      }
  }
}

TEST(NewYearProperty, WeekdayAgreesWithCountedDays) {
  std::mt19937 rng(7);
  for (int i = 0; i < 3000; ++i) {
    int yy = std::uniform_int_distribution<int>(1900, 2901)(rng);
    int m = std::uniform_int_distribution<int>(1, 12)(rng);
    int d = std::uniform_int_distribution<int>(1, 31)(rng);
    int expect = d <= monthDays(yy, m) ? weekday(yy, m, d) : 0;
    ASSERT_EQ(Youbi(yy, m, d), expect) << yy << "-" << m << "-" << d;
  }
}

}  // namespace
}  // namespace tly
