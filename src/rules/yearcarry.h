// Building the next school year from an open one: the calendar is built afresh as for
// any new year, then the chosen contents of the old year are copied in: its class and
// teacher timetables (optionally with every class moved up one grade), its tally items
// and its view and print settings. Day texts, lessons and dates are never copied.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/calendar.h"
#include "model/schoolyear.h"

namespace tly {

// What is copied into the new year.
struct CarryChoice {
  bool classTimetables = true;
  bool teacherTimetables = true;
  bool advanceGrades = false;  // class timetables move up one grade (with classTimetables)
  bool items = true;           // the tally item list
  bool settings = true;        // view and print settings, column widths, fonts
  bool standards = true;       // the standard-hours targets, short names and class grades
  bool operator==(const CarryChoice&) const = default;
};

// How many timetables of each kind the new year received.
struct CarryCounts {
  int classes = 0;
  int teachers = 0;
  bool operator==(const CarryCounts&) const = default;
};

// The contents taken from the old year, ready to be put into the new one.
struct CarriedParts {
  CarryChoice choice;
  std::vector<JWRec> classes, teachers;  // in list order, without the header record
  std::array<std::string, kItemSlots> items;
  int16_t itemCount = 0;
  FileSettings settings;
};

// The grade a class name starts with, for moving it up: its first character after any
// leading blanks is a digit 1..9, half- or full-width, and the next one is no digit
// ("12組" is a class number, not grade 1). 0 when the name has no such grade.
int classNameGrade(std::string_view name);
// The name with its grade digit replaced by grade (1..9), in the same width; the name as
// it is when it has no grade.
std::string nameWithGrade(std::string_view name, int grade);

// The class timetables moved up one grade in a school of `topGrade` grades: a class of
// grade g < topGrade becomes grade g + 1 with its cells; classes of the top grade (or
// above) are left out; the first grade gets an empty timetable under each first-grade
// name of the old list, placed where the first of them stood; names without a grade are
// kept as they are. The list keeps at most 200 timetables: empty first-grade ones are
// left out before any that holds cells.
std::vector<JWRec> advanceClassTimetables(std::vector<JWRec> classes, int topGrade);

// Takes the chosen contents of `source` (timetables already advanced to a school of
// topGrade grades when the choice says so).
CarriedParts takeCarried(const SchoolYear& source, const CarryChoice& choice, int topGrade);
// Puts the parts into `built`, a year just made by buildNewYear: timetables replace its
// empty lists, the items and settings (all but what the build decides: the column widths
// stay as the build left them when settings are not carried) replace its own. Items not
// carried become the default list. The parts are moved from.
CarryCounts putCarried(SchoolYear& built, CarriedParts&& parts);

// The build of the next year in one: buildNewYear(built, opt) and the chosen contents of
// source copied in. built may be source itself: the contents are taken before the build.
CarryCounts buildCarriedYear(SchoolYear& built, const SchoolYear& source, const NewYearOptions& opt,
                             const CarryChoice& choice);

// "N件の学級時間割、M件の教師時間割を引き継ぎました。"
std::string carrySummary(const CarryCounts& c);

}  // namespace tly
