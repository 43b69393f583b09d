// The edit tests' open year: school year 1999 with the scripted platform services.
#pragma once

#include <string>

#include "session/state/app.h"
#include "model/cellcode.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/fake_platform.h"
#include "support/years.h"
#include "support/viewstate.h"

namespace tly::testing {

// School year 1999 (April 1999 .. March 2000) with three grades and six periods; every
// day of every month of every grade follows the timetable of its weekday. Shows May of
// grade 1 (May 1999 starts on a Saturday).
struct EditFixture : test::TestApp {
  EditFixture() {
    test::fillYear(app.Y, {.nendo = 1999, .lessons = test::Lessons::EveryDay, .defaultItems = true});
    test::showMonth(app, 1, 5);
  }

  // Weekday 1..7 of a date of school year 1999.
  static int weekday(int m, int d) { return test::weekdayOf(test::calendarYear(1999, m), m, d); }

  int16_t& cell(int grade, int day, int period) { return app.Y.JJ[grade - 1][app.S.CurMonth][day][period]; }
  std::string& text(int grade, int day, int kind) { return app.Y.JJText[grade - 1][app.S.CurMonth][day][kind]; }
  void select(int row, int col, int rowSel, int colSel) {
    app.Grid1.setCurrent(row, col);
    app.Grid1.RowSel = rowSel;
    app.Grid1.ColSel = colSel;
  }
  void setEditAll(bool on) { testing::setView(app, Command::EditAll, on); }
};

}  // namespace tly::testing
