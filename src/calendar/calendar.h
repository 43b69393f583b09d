// Calendar knowledge: weekdays, month lengths, the default lesson rule, the fixed
// holiday table and the marking of holidays into a year being built.
#pragma once

#include <array>
#include <string>

#include "model/schoolyear.h"

namespace tly {

bool isLeapYear(int y);
// Weekday 1 (Sunday) .. 7 (Saturday) of the date, 0 when day exceeds the month's length.
int Youbi(int year, int month, int day);
// Length of month m in year y (28..31).
int monthLengthOf(int year, int month);
// Code of period p on day d of month m for grade g of a school with ggn grades, weekday w:
// 0 (free) or 10*w + p.
int LessonRule(int ggn, int g, int m, int d, int w, int p);

struct Holiday {
  int month;
  int day;
  const char* text;   // written into the events column
  const char* label;  // the line shown in the new-year dialog's holiday list
};
extern const std::array<Holiday, 14> kHolidays;
extern const char* const kSubstituteHolidayText;  // "振替休日"

// Frees periods 1..Jigen of day d of month m in every grade 1..Ggn and writes name into
// the events column; nothing else.
void markHoliday(SchoolYear& y, int month, int day, const std::string& name);
// Marks one holiday (and a Sunday's following day) in grades 1..Ggn of y.
void Hatabi(SchoolYear& y, int year, int month, int day, const std::string& name);

// Where the build takes the national holidays from: the fixed table, or the holiday law
// as it stood in the year (school years 1949..2098; others take the table).
enum class HolidaySource { Table, Law };

struct NewYearOptions {
  int nendo = 2000;
  HolidaySource holidays = HolidaySource::Table;
  int grades = 3;   // Ggn
  int periods = 6;  // Jigen
  std::array<bool, 5> closedSaturdays{false, true, false, true, false};
};
// Builds the tables of a new school year in y (the table-level steps of the build:
// texts cleared, year, default lessons, closed Saturdays, holidays, timetables emptied).
// What the build leaves alone (items, settings, cells above Jigen ...) stays as it was.
void buildNewYear(SchoolYear& y, const NewYearOptions& opt);

}  // namespace tly
