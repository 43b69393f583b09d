// School years written straight into the tables, without the new-year build, so that the
// tests of reading, editing and tallying do not depend on it. The calendar here is worked
// out independently of the program's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "session/state/app.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly::test {

// Weekday 1 (Sunday) .. 7 (Saturday), by Zeller's congruence.
inline int weekdayOf(int y, int m, int d) {
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  int k = y % 100, j = y / 100;
  int h = (d + 13 * (m + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7;  // 0 = Saturday
  return h == 0 ? 7 : h;
}

inline int daysIn(int y, int m) {
  static const int kLen[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : kLen[m];
}

// The calendar year of month m of school year nendo (April .. March).
inline int calendarYear(int nendo, int m) { return m < 4 ? nendo + 1 : nendo; }

enum class Lessons {
  None,        // cells left as they are
  EveryDay,    // every period of every day refers to its own weekday's slot
  SchoolWeek,  // Monday..Friday every period, Saturday periods 1..4, Sunday free
};

struct YearShape {
  int nendo = 1999;
  int grades = 3;
  int periods = 6;
  int monthLength = 0;  // 0: each month as long as in the calendar
  Lessons lessons = Lessons::None;
  bool defaultItems = false;
};

inline void setDefaultItems(SchoolYear& y) {
  y.JItemCount = static_cast<int16_t>(kDefaultItemNames.size());
  for (size_t i = 0; i < kDefaultItemNames.size(); ++i) y.JItem[i] = kDefaultItemNames[i];
}

// The year number, grade and period counts, each grade's month lengths, and the lessons.
inline void fillYear(SchoolYear& y, const YearShape& s) {
  y.JJ[0][0][0][0] = static_cast<int16_t>(s.nendo);
  y.Ggn = static_cast<int16_t>(s.grades);
  y.Jigen = static_cast<int16_t>(s.periods);
  for (int m = 1; m <= 12; ++m) {
    const int cy = calendarYear(s.nendo, m);
    const int len = s.monthLength ? s.monthLength : daysIn(cy, m);
    for (int g = 0; g < s.grades; ++g) {
      y.JJ[g][m][0][0] = static_cast<int16_t>(len);
      if (s.lessons == Lessons::None) continue;
      for (int d = 1; d <= len; ++d) {
        const int w = weekdayOf(cy, m, d);
        for (int p = 1; p <= s.periods; ++p) {
          bool lesson = s.lessons == Lessons::EveryDay || (w >= 2 && (w < 7 || p <= 4));
          y.JJ[g][m][d][p] = static_cast<int16_t>(lesson ? 10 * w + p : 0);
        }
      }
    }
  }
  if (s.defaultItems) setDefaultItems(y);
}

// The grade and month selectors filled as reading or building a year leaves them.
inline void fillSelectors(App& app) {
  app.W.cmbGr.clear();
  for (int g = 1; g <= app.Y.Ggn; ++g) app.W.cmbGr.items.push_back(std::to_string(g) + "年");
  app.W.cmbMonth.clear();
  for (int m : {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}) app.W.cmbMonth.items.push_back(std::to_string(m) + "月");
}

// The year's tables and selectors, as after reading it.
inline void makeYear(App& app, int nendo, int grades, int periods = 6) {
  fillYear(app.Y, {.nendo = nendo, .grades = grades, .periods = periods});
  fillSelectors(app);
}

// Lays out the month grid and draws `month` of `grade`.
inline void showMonth(App& app, int grade, int month) {
  app.S.CurGr = grade;
  app.S.CurMonth = month;
  app.S.CurYear = calendarYear(app.Y.nendo(), month);
  SetJJGrid(app);
  DispJJ(app, app.S.CurYear, app.S.CurMonth);
}

// App on the heap (the tables are large) with a school-week year and the default items,
// at April of grade 1; the grid is not laid out.
inline std::unique_ptr<App> makeYearApp(int nendo, int grades, int periods) {
  auto app = std::make_unique<App>();
  fillYear(app->Y, {.nendo = nendo, .grades = grades, .periods = periods, .lessons = Lessons::SchoolWeek,
                    .defaultItems = true});
  app->S.CurGr = 1;
  app->S.CurMonth = 4;
  app->S.CurYear = nendo;
  return app;
}

// Appends a timetable of kind 0 (class) or 1 (teacher) named `name`.
inline void addTimetable(App& app, int kind, const std::string& name) {
  int n = ++app.Y.JW[kind][0].JWKind;
  app.Y.JW[kind][n].JWKind = static_cast<int16_t>(kind + 1);
  app.Y.JW[kind][n].JWName = name;
}

// Appends a timetable of a kind to the tables, every slot of weekdays 0..6 and periods
// 1..9 holding "<tag><weekday><period>", so each record's cells tell where they came from.
inline int addFullTimetable(SchoolYear& y, int kind, const std::string& name, const std::string& tag) {
  int n = ++y.JW[kind][0].JWKind;
  JWRec& r = y.JW[kind][n];
  r.JWKind = static_cast<int16_t>(kind + 1);
  r.JWName = name;
  for (int w = 0; w < 7; ++w)
    for (int p = 1; p < kPeriodSlots; ++p)
      r.JWCell[size_t(w)][size_t(p)] = tag + std::to_string(w) + std::to_string(p);
  return n;
}

// Every day of grade index g holds item 1 in period 1 and nothing else, so the item's
// count is the number of days a tally visits.
inline void markEveryDayOnce(SchoolYear& y, int g) {
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= y.JJ[g][m][0][0]; ++d)
      for (int p = 1; p < kPeriodSlots; ++p) y.JJ[g][m][d][p] = static_cast<int16_t>(p == 1 ? -1 : 0);
}

}  // namespace tly::test
