// National holidays of a year two ways: the holiday law as it stood in each year
// (fixed and weekday-based days, equinoxes, substitute holidays, 国民の休日, one-off days),
// and the fixed fourteen-day table as the new-year build marks it.
#pragma once

#include <string>
#include <vector>


namespace tly {

struct DatedHoliday {
  int year, month, day;
  std::string name;
  bool operator==(const DatedHoliday&) const = default;
};

// School years whose holidays the law can give (April 1949 .. March 2099).
constexpr int kLawFirstNendo = 1949;
constexpr int kLawLastNendo = 2098;
inline bool lawHolidaysAvailable(int nendo) { return nendo >= kLawFirstNendo && nendo <= kLawLastNendo; }

// Day of March of the vernal equinox and of September of the autumnal equinox in year y,
// by the usual approximation; 0 outside 1900..2150, where its constants are not known.
int vernalEquinoxDay(int y);
int autumnalEquinoxDay(int y);

// The holidays of calendar year y by the law then in force, in date order. Empty for a
// year outside 1949..2099.
std::vector<DatedHoliday> lawHolidaysOfYear(int y);
// The same for school year n: April of n to March of n + 1, in date order. Empty when
// !lawHolidaysAvailable(n).
std::vector<DatedHoliday> lawHolidaysOfSchoolYear(int n);
// What the fixed table marks in school year n, the days after Sunday holidays included,
// with the text each day ends with, in date order.
std::vector<DatedHoliday> tableHolidaysOfSchoolYear(int n);

// The line of the new-year dialog's holiday list for a holiday: " M D name".
std::string holidayLabel(const DatedHoliday& h);

}  // namespace tly
