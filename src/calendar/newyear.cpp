#include "calendar/newyear.h"

#include <algorithm>
#include <limits>

#include "calendar/holidays.h"
#include "model/basic.h"
#include "model/months.h"

namespace tly {

int currentSchoolYear(const Date& today) { return today.month <= 3 ? today.year - 1 : today.year; }

std::optional<int> nendoFromText(const std::string& text) {
  double v = Val(text);
  if (v < 1900) return std::nullopt;
  // The year is stored in a 16-bit cell; a larger one would be saved as another year
  // than the one whose calendar was built, so it is refused like a year below 1900.
  double r = roundHalfEven(v);
  if (r > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int>(r);
}

std::optional<int> spinValueFromText(const std::string& text) {
  double v = Val(text);
  if (v < 1900 || v > 2900) return std::nullopt;
  return static_cast<int>(roundHalfEven(v));
}

void buildNewYear(SchoolYear& y, const NewYearOptions& opt) {
  // Counts outside what the tables can hold are brought to their nearest limit, so the
  // loops below never leave the arrays (the dialog itself only offers 2..6 and 4..7).
  y.Ggn = static_cast<int16_t>(std::clamp(opt.grades, 1, kGrades));
  y.Jigen = static_cast<int16_t>(std::clamp(opt.periods, 1, kPeriodSlots - 1));
  const int ggn = y.Ggn, jigen = y.Jigen;
  const int n = opt.nendo;

  // Day texts of every month and day of the year's grades.
  for (int g = 0; g < ggn; ++g)
    for (int m = 0; m < kMonthSlots; ++m)
      for (int d = 0; d < kDaySlots; ++d)
        for (int k = 0; k < kTextKinds; ++k) y.JJText[g][m][d][k].clear();

  y.JJ[0][0][0][0] = cint16(n);

  // Default lessons and month lengths; January..March lie in the following calendar year.
  for (int m = 1; m <= 12; ++m) {
    const int cy = calendarYearOf(n, m);
    for (int d = 1; d <= 31; ++d) {
      const int w = Youbi(cy, m, d);
      if (w == 0) {
        for (int g = 0; g < ggn; ++g) y.JJ[g][m][0][0] = static_cast<int16_t>(d - 1);
        break;
      }
      for (int p = 1; p <= jigen; ++p)
        for (int g = 1; g <= ggn; ++g) y.JJ[g - 1][m][d][p] = static_cast<int16_t>(LessonRule(ggn, g, m, d, w, p));
      if (d == 31)
        for (int g = 0; g < ggn; ++g) y.JJ[g][m][0][0] = 31;
    }
  }

  // Closed Saturdays: the n-th Saturday of every month is free when flag n is set.
  for (int m = 1; m <= 12; ++m) {
    const int cy = calendarYearOf(n, m);
    const int len = std::clamp<int>(y.JJ[0][m][0][0], 0, 31);
    int saturday = 0;
    for (int d = 1; d <= len; ++d) {
      if (Youbi(cy, m, d) != 7) continue;
      ++saturday;
      if (saturday <= 5 && opt.closedSaturdays[static_cast<size_t>(saturday - 1)])
        for (int g = 0; g < ggn; ++g)
          for (int p = 1; p <= jigen; ++p) y.JJ[g][m][d][p] = 0;
    }
  }

  if (opt.holidays == HolidaySource::Law && lawHolidaysAvailable(n)) {
    // The law's list already holds its substitute days and 国民の休日.
    for (const DatedHoliday& h : lawHolidaysOfSchoolYear(n)) markHoliday(y, h.month, h.day, h.name);
  } else {
    // National holidays in table order, so a later entry overwrites an earlier substitute text.
    for (const Holiday& h : kHolidays) Hatabi(y, calendarYearOf(n, h.month), h.month, h.day, h.text);
  }

  // No weekly timetables; the header records count none of either kind.
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i <= kMaxTimetables; ++i) {
      JWRec& r = y.JW[k][i];
      r.JWKind = 0;
      r.JWName.clear();
      for (int w = 0; w < 7; ++w)
        for (int p = 0; p <= jigen; ++p) r.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)].clear();
    }
}

}  // namespace tly
