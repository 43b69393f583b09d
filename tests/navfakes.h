// The platform fakes wired into one App, and a small year builder, for the start-up,
// file-command and navigation tests.
#pragma once

#include <string>

#include "session/appstate.h"
#include "fakes.h"

namespace tly::navtest {

using test::TempDir;

struct Rig {
  App app;
  test::FakePlatform fakes;
  test::FakeMessageBox& msg = fakes.msg;
  test::FakeSettingsStore& settings = fakes.settings;
  test::FakeFileDialog& dialog = fakes.fileDialog;
  test::FakeClock& clock = fakes.clock;
  Rig() { fakes.install(app); }
  // A value of the program's "Settings" section, "<none>" when never written.
  std::string stored(const std::string& key) const { return settings.value(key).value_or("<none>"); }
};

inline int daysIn(int year, int month) {
  static const int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month];
}

// School year `nendo` with `grades` grades: the year number, every month's length, and the
// grade and month selectors filled as a read or a build leaves them.
inline void makeYear(App& app, int nendo, int grades, int periods = 6) {
  app.Y.JJ[0][0][0][0] = static_cast<int16_t>(nendo);
  app.Y.Ggn = static_cast<int16_t>(grades);
  app.Y.Jigen = static_cast<int16_t>(periods);
  for (int g = 0; g < grades; ++g)
    for (int m = 1; m <= 12; ++m)
      app.Y.JJ[g][m][0][0] = static_cast<int16_t>(daysIn(m >= 4 ? nendo : nendo + 1, m));
  app.W.cmbGr.clear();
  for (int g = 1; g <= grades; ++g) app.W.cmbGr.items.push_back(std::to_string(g) + "年");
  app.W.cmbMonth.clear();
  for (int m : {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}) app.W.cmbMonth.items.push_back(std::to_string(m) + "月");
}

inline void addTimetable(App& app, int kind, const std::string& name) {
  int n = ++app.Y.JW[kind][0].JWKind;
  app.Y.JW[kind][n].JWKind = static_cast<int16_t>(kind + 1);
  app.Y.JW[kind][n].JWName = name;
}

}  // namespace tly::navtest
