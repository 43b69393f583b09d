// The weekly plan page (週案): one A4 page per class and week, Monday .. Saturday as
// columns and periods as rows, each cell the lesson of that day through the class
// timetable (or the item), the day's events above and its remarks below, and under the
// grid each subject's hours this week, from 1 April to the week's end, the year's
// standard and what remains of it (as the standard-hours report counts them).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "rules/hoursreport.h"
#include "rules/printlayout.h"
#include "session/state/app.h"

namespace tly {

struct CalendarDate {
  int year = 0, month = 0, day = 0;
  bool operator==(const CalendarDate&) const = default;
};

// "YYYY-MM-DD" as a real date of the calendar; nothing for anything else.
std::optional<CalendarDate> parseIsoDate(const std::string& s);
// The Monday of the week that holds d, and the day n days after d.
CalendarDate mondayOf(const CalendarDate& d);
CalendarDate addDays(const CalendarDate& d, int n);

struct WeekDay {
  CalendarDate date;
  bool inYear = false;             // a day of the school year (else the column is empty)
  std::string events, remarks;     // the day's texts
  std::vector<std::string> cells;  // periods 1..periods; "" for no lesson
};

struct WeekRow {
  std::string subject;
  bool matched = true;  // a subject of the standard (else no standard and no remainder)
  int week = 0, sofar = 0, standard = 0;
  int remaining() const { return standard - sofar; }
};

struct WeekPlan {
  int nendo = 0;
  int classNumber = 0, grade = 0;
  std::string className;
  int periods = 0;
  std::array<WeekDay, 6> days;  // Monday .. Saturday
  TallyRange week;              // the week's days within the school year
  std::vector<WeekRow> rows;    // subjects, then texts that match none
  WeekRow total;                // 総授業時数
};

// The week of monday for class timetable classNumber (of grade `grade`); nothing when no
// day of the week lies in the school year.
std::optional<WeekPlan> buildWeekPlan(const SchoolYear& y, int classNumber, int grade, const CalendarDate& monday,
                                      const ReportOptions& o);

// Prints one plan as one page. Margins below 10 mm are taken as 10 mm.
void printWeekPlan(PrintDevice& dev, const WeekPlan& w, const PageFrame& f, const FontInfo& gridFont);

// What a weekly run prints: these classes (numbers of class timetables), each for the
// weeks from the Monday of `from` to that of `to`, class by class.
struct WeekRun {
  std::vector<int> classes;
  CalendarDate from, to;
};

// The class timetables a weekly run can print (those whose grade is known and built).
std::vector<int> weekPlanClasses(const SchoolYear& y, const ReportOptions& o);
// The report options the weekly page counts with: the school kind of the year's grades
// (elementary for 6, junior for 3), the targets and short names kept in the settings.
ReportOptions weekPlanOptions(App& app);

// The print dialog's 週案 command: `weeks` weeks from the week of `from`, for the class the
// main window shows through its class timetable view, else for every class.
WeekRun weekRunOfView(const App& app, const ReportOptions& o, const CalendarDate& from, int weeks);
// The day the dialog proposes: today within the school year, else its first day.
CalendarDate proposedWeek(const App& app);

// The whole run into one document of dev; returns the pages printed, or a Japanese
// message in *error (the document is then dropped).
int runWeekPlans(const App& app, PrintDevice& dev, const WeekRun& run, const ReportOptions& o, const PageFrame& f,
                 std::string* error);

}  // namespace tly
