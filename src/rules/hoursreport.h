// The class hours of every class timetable against the standard: per subject the
// standard figure, the whole year's planned hours, the hours held up to a day, what
// remains, the surplus or shortfall and the share held.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/schoolyear.h"
#include "rules/standardhours.h"
#include "rules/tallycount.h"

namespace tly {

// One row of a class's block. Rows of texts that match no subject have no standard.
struct ReportRow {
  std::string subject;     // the subject's name, or the text as written when unmatched
  bool matched = true;
  int standard = 0;        // 標準時数
  int planned = 0;         // 年間計画: the whole year's count
  int held = 0;            // 実施済み: the count from 1 April to the chosen day
  int remaining() const { return standard - held; }  // 残り
  int surplus() const { return planned - standard; }  // 過不足
  // 消化率 in percent; nothing without a standard.
  std::optional<double> rate() const {
    if (!matched || standard <= 0) return std::nullopt;
    return 100.0 * held / standard;
  }
  bool shortfall() const { return matched && planned < standard; }
};

struct ClassReport {
  int number = 0;          // the class timetable's number 1..count
  std::string name;        // its name, trimmed
  int grade = 0;           // 1..Ggn; 0 when its grade is not known (no rows then)
  std::vector<ReportRow> rows;  // subjects in the table's order
  ReportRow total;              // "総授業時数" over the subject rows
  std::vector<ReportRow> unmatched;  // texts that match no subject, in order of appearance
};

struct ReportOptions {
  SchoolKind kind = SchoolKind::Elementary;
  // Days held: 1 April to this range's end; nothing when the chosen day lies before the
  // school year.
  std::optional<TallyRange> held;
  Targets targets;
  std::vector<ShortName> shortNames = defaultShortNames();
  // Grades chosen for class names that do not begin with a grade digit (trimmed name).
  std::map<std::string, int> gradeOf;
};

// The grade of a class timetable's name: its leading grade digit (half- or full-width)
// when within 1..grades, else the assigned grade when within 1..grades, else 0.
int classGrade(const std::string& name, int grades, const std::map<std::string, int>& assigned);

// The range of days held by a date: 1 April of the school year up to the date, the whole
// year after 31 March, nothing before 1 April.
std::optional<TallyRange> heldRangeUntil(int nendo, int year, int month, int day);

// One block per class timetable (all of them, or only number `onlyClass` when not 0).
std::vector<ClassReport> buildHoursReport(const SchoolYear& y, const ReportOptions& o, int onlyClass = 0);

// 消化率 as shown: one decimal and "%"; "" when there is none.
std::string rateText(const ReportRow& r);

// The text "4月1日～7月19日" of the days held ("なし" before the year begins).
std::string heldRangeText(const ReportOptions& o);

// How 過不足 is written: "-3" / "3" (tables of text), "-3" / "+3" (the window, which
// marks shortfalls red), "▲3" / "+3" (paper, where red may print grey). Zero is "0".
enum class SurplusStyle { Plain, Signed, Marked };
// The columns 標準時数 年間計画 実施済み 残り 過不足 消化率 of a row as text; a text that
// matches no subject has only 年間計画 and 実施済み (the others "").
constexpr int kReportNumberColumns = 6;
std::array<std::string, kReportNumberColumns> reportRowTexts(const ReportRow& r, SurplusStyle style);

// The report as tab-separated lines: per class a line with its name and grade, the
// column heads 教科 標準時数 年間計画 実施済み 残り 過不足 消化率, a line per row, the
// total row and the unmatched texts; an empty line between classes. Lines end in LF.
std::string reportToTsv(const std::vector<ClassReport>& report);

}  // namespace tly
