#include "calendar/holidays.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "calendar/calendar.h"

namespace tly {

namespace {

// Equinox day: floor(c + 0.242194 (y - 1980) - floor((y - 1980) / 4)) with the constant of
// the year's range.
int equinoxDay(int y, double c1900, double c1980, double c2100) {
  if (y < 1900 || y > 2150) return 0;
  const double c = y < 1980 ? c1900 : y < 2100 ? c1980 : c2100;
  const int leaps = static_cast<int>(std::floor((y - 1980) / 4.0));
  return static_cast<int>(std::floor(c + 0.242194 * (y - 1980) - leaps));
}

// Day of the n-th Monday of month m of year y.
int nthMonday(int y, int m, int n) {
  const int w1 = Youbi(y, m, 1);               // 1 = Sunday, 2 = Monday
  const int first = 1 + (2 - w1 + 7) % 7;
  return first + 7 * (n - 1);
}

// Dates within one year as (month, day) keys; the day after 31 December is month 13.
using Key = std::pair<int, int>;

Key nextDay(int y, Key k) {
  if (k.second < monthLengthOf(y, k.first)) return {k.first, k.second + 1};
  return {k.first + 1, 1};
}

// The days the law names in year y (the 国民の祝日 and the one-off days treated alike).
std::map<Key, std::string> namedDays(int y) {
  std::map<Key, std::string> h;
  auto add = [&](int m, int d, const char* name) { h[{m, d}] = name; };

  add(1, 1, "元日");
  add(1, y < 2000 ? 15 : nthMonday(y, 1, 2), "成人の日");
  if (y >= 1967) add(2, 11, "建国記念の日");
  if (y >= 2020) add(2, 23, "天皇誕生日");
  add(3, vernalEquinoxDay(y), "春分の日");
  if (y <= 1988) add(4, 29, "天皇誕生日");
  else if (y <= 2006) add(4, 29, "みどりの日");
  else add(4, 29, "昭和の日");
  add(5, 3, "憲法記念日");
  if (y >= 2007) add(5, 4, "みどりの日");
  add(5, 5, "こどもの日");

  // 海の日, スポーツの日 and 山の日 were moved for the Olympic Games of 2020 (held in 2021).
  if (y == 2020) {
    add(7, 23, "海の日");
    add(7, 24, "スポーツの日");
    add(8, 10, "山の日");
  } else if (y == 2021) {
    add(7, 22, "海の日");
    add(7, 23, "スポーツの日");
    add(8, 8, "山の日");
  } else {
    if (y >= 1996) add(7, y < 2003 ? 20 : nthMonday(y, 7, 3), "海の日");
    if (y >= 2016) add(8, 11, "山の日");
    if (y >= 1966) {
      const char* name = y < 2020 ? "体育の日" : "スポーツの日";
      add(10, y < 2000 ? 10 : nthMonday(y, 10, 2), name);
    }
  }
  if (y >= 1966) add(9, y < 2003 ? 15 : nthMonday(y, 9, 3), "敬老の日");
  add(9, autumnalEquinoxDay(y), "秋分の日");
  add(11, 3, "文化の日");
  add(11, 23, "勤労感謝の日");
  if (y >= 1989 && y <= 2018) add(12, 23, "天皇誕生日");

  // Days made holidays by laws of their own.
  switch (y) {
    case 1959: add(4, 10, "皇太子明仁親王の結婚の儀"); break;
    case 1989: add(2, 24, "昭和天皇の大喪の礼"); break;
    case 1990: add(11, 12, "即位礼正殿の儀"); break;
    case 1993: add(6, 9, "皇太子徳仁親王の結婚の儀"); break;
    case 2019:
      add(5, 1, "即位の日");
      add(10, 22, "即位礼正殿の儀");
      break;
    default: break;
  }
  return h;
}

}  // namespace

int vernalEquinoxDay(int y) { return equinoxDay(y, 20.8357, 20.8431, 21.8510); }
int autumnalEquinoxDay(int y) { return equinoxDay(y, 23.2588, 23.2488, 24.2488); }

std::vector<DatedHoliday> lawHolidaysOfYear(int y) {
  if (y < kLawFirstNendo || y > kLawLastNendo + 1) return {};
  const std::map<Key, std::string> named = namedDays(y);
  std::map<Key, std::string> all = named;
  auto isNamed = [&](Key k) { return named.count(k) != 0; };

  // Substitute holidays, for a named day on a Sunday from 12 April 1973: the Monday after
  // it (unless that is a named day itself); from 2007 the first following day that is
  // not a named day. No named day late in December reaches into the next year.
  for (const auto& [k, name] : named) {
    if (Youbi(y, k.first, k.second) != 1) continue;
    if (y < 1973 || (y == 1973 && k < Key{4, 12})) continue;
    Key next = nextDay(y, k);
    if (y >= 2007)
      while (next.first <= 12 && isNamed(next)) next = nextDay(y, next);
    if (next.first <= 12 && !isNamed(next)) all[next] = kSubstituteHolidayText;
  }

  // 国民の休日: a day between two named days that is no holiday itself (until 2006 not a
  // Sunday either), from 27 December 1985.
  if (y >= 1986) {
    for (const auto& entry : named) {
      const Key mid = nextDay(y, entry.first);
      if (mid.first > 12 || all.count(mid)) continue;
      if (!isNamed(nextDay(y, mid))) continue;
      if (y < 2007 && Youbi(y, mid.first, mid.second) == 1) continue;
      all[mid] = "国民の休日";
    }
  }

  std::vector<DatedHoliday> out;
  out.reserve(all.size());
  for (const auto& [k, name] : all) out.push_back({y, k.first, k.second, name});
  return out;
}

std::vector<DatedHoliday> lawHolidaysOfSchoolYear(int n) {
  if (!lawHolidaysAvailable(n)) return {};
  std::vector<DatedHoliday> out;
  for (const DatedHoliday& h : lawHolidaysOfYear(n))
    if (h.month >= 4) out.push_back(h);
  for (const DatedHoliday& h : lawHolidaysOfYear(n + 1))
    if (h.month < 4) out.push_back(h);
  return out;
}

std::vector<DatedHoliday> tableHolidaysOfSchoolYear(int n) {
  // The table in its order, each entry and a Sunday's following day of the same month,
  // later entries overwriting earlier texts, as the build writes them.
  std::map<std::tuple<int, int, int>, std::string> days;
  for (const Holiday& h : kHolidays) {
    const int y = h.month < 4 ? n + 1 : n;
    days[{y, h.month, h.day}] = h.text;
    if (Youbi(y, h.month, h.day) == 1 && Youbi(y, h.month, h.day + 1) != 0)
      days[{y, h.month, h.day + 1}] = kSubstituteHolidayText;
  }
  std::vector<DatedHoliday> out;
  for (const auto& [k, name] : days) out.push_back({std::get<0>(k), std::get<1>(k), std::get<2>(k), name});
  return out;
}

std::string holidayLabel(const DatedHoliday& h) {
  return " " + std::to_string(h.month) + " " + std::to_string(h.day) + " " + h.name;
}

}  // namespace tly
