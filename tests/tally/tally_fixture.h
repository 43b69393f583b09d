// A school year filled directly into the tables for the tally tests: month lengths of
// the real calendar, every Monday..Friday period and Saturday periods 1..4 referring to
// their own timetable slot, Sundays free.
#pragma once

#include <memory>

#include "session/appstate.h"

namespace tly::testing {

// Weekday 1 (Sunday) .. 7 (Saturday) by Zeller's congruence.
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

// App on the heap: the tables are large.
inline std::unique_ptr<App> makeYearApp(int nendo, int ggn, int jigen) {
  auto app = std::make_unique<App>();
  SchoolYear& y = app->Y;
  y.JJ[0][0][0][0] = static_cast<int16_t>(nendo);
  y.Ggn = static_cast<int16_t>(ggn);
  y.Jigen = static_cast<int16_t>(jigen);
  y.JItemCount = 8;
  for (int i = 0; i < 8; ++i) y.JItem[static_cast<size_t>(i)] = kDefaultItemNames[static_cast<size_t>(i)];
  for (int g = 0; g < ggn; ++g) {
    for (int m = 1; m <= 12; ++m) {
      int cy = m < 4 ? nendo + 1 : nendo;
      int len = daysIn(cy, m);
      y.JJ[g][m][0][0] = static_cast<int16_t>(len);
      for (int d = 1; d <= len; ++d) {
        int w = weekdayOf(cy, m, d);
        for (int p = 1; p <= jigen; ++p) {
          bool school = w >= 2 && (w < 7 || p <= 4);
          y.JJ[g][m][d][p] = static_cast<int16_t>(school ? w * 10 + p : 0);
        }
      }
    }
  }
  app->S.CurGr = 1;
  app->S.CurMonth = 4;
  app->S.CurYear = nendo;
  return app;
}

// Every day of grade index g holds item 1 in period 1 and nothing else, so the item's
// count is the number of days a tally visits.
inline void markEveryDayOnce(SchoolYear& y, int g) {
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= y.JJ[g][m][0][0]; ++d)
      for (int p = 1; p < kPeriodSlots; ++p) y.JJ[g][m][d][p] = static_cast<int16_t>(p == 1 ? -1 : 0);
}

inline void setRange(App& app, int fm, int fd, int tm, int td) {
  app.S.KikanSet = true;
  app.S.KFromMonth = fm;
  app.S.KFromDay = fd;
  app.S.KToMonth = tm;
  app.S.KToDay = td;
}

}  // namespace tly::testing
