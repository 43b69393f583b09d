// The window "標準時数との比較" as the procedures see it: what each table line shows, which
// lines are shortfalls or totals, which standard can be edited, the grade selector's state
// and the note under the table. The window only paints this.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "rules/hoursreport.h"
#include "session/state/app.h"

namespace tly {

struct ReportLine {
  enum class Kind {
    Subject,    // a subject of the standard
    Total,      // a class's total
    Unmatched,  // a text that matches no subject
    NoGrade,    // a class whose grade is not known: only a note
  };
  Kind kind = Kind::Subject;
  std::string className, subject;
  std::array<std::string, kReportNumberColumns> values;  // 標準時数 .. 消化率
  bool shortfall = false;
  int editGrade = 0;  // the grade whose target an edit of 標準時数 sets; 0: not editable
};

struct ReportTable {
  std::vector<ReportLine> lines;
  bool classColumnHidden = false;  // one class is shown
  bool gradeSelectorEnabled = false;
  int gradeIndex = 0;              // 0: not set, else the grade
  std::string note;
};

// The table of the report for class list position classIndex (0 the whole school).
ReportTable reportTable(const SchoolYear& y, const std::vector<ClassReport>& report, int classIndex,
                        const ReportOptions& o);

// An edit of a 標準時数 cell: a whole number 0..9999 becomes the school's target for the
// grade and subject, anything else is refused with a message. True when stored.
bool standardEdited(App& app, ReportOptions o, int grade, const std::string& subject, const std::string& text);

}  // namespace tly
