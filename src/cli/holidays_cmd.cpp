// tly holidays 年度 [--law]: the holidays a new year of that school year is built with.
#include <cstdio>
#include <ostream>

#include "calendar/holidays.h"
#include "cli/commands.h"
#include "cli/context.h"

namespace tly::cli {

std::string lawRangeMessage() {
  return "祝日法による祝日は " + std::to_string(kLawFirstNendo) + "～" + std::to_string(kLawLastNendo) +
         " 年度で指定してください。\n";
}

Outcome cmdHolidays(const Args& args, std::ostream& out, std::ostream& err) {
  const char* usage = "使い方: tly holidays 年度 [--law]\n";
  bool law = false;
  std::string yearText;
  for (ArgWalk walk(args); walk.next();) {
    const std::string& a = walk.arg();
    if (a == "--law") {
      law = true;
    } else if (yearText.empty() && !a.empty() && a[0] != '-') {
      yearText = a;
    } else {
      err << "不明な指定です: " << a << "\n" << usage;
      return badArguments();
    }
  }
  if (yearText.empty()) {
    err << usage;
    return badArguments();
  }
  auto nendo = parseNumber(yearText, 1900, 2900);
  if (!nendo) {
    return badArguments("年度は 1900～2900 の西暦で指定してください。");
  }
  if (law && !lawHolidaysAvailable(*nendo)) {
    err << lawRangeMessage();
    return badArguments();
  }
  for (const DatedHoliday& h : law ? lawHolidaysOfSchoolYear(*nendo) : tableHolidaysOfSchoolYear(*nendo)) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", h.year, h.month, h.day);
    out << date << '\t' << h.name << '\n';
  }
  return {};
}

}  // namespace tly::cli
