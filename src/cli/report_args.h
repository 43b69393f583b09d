// What `tly report` and `tly export` share: the data file, the day held up to, the school
// kind and the school's targets.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "rules/hoursreport.h"

namespace tly::cli {

struct ReportArgs {
  std::string file;
  int toMonth = 0, toDay = 0;  // 0: today
  std::optional<SchoolKind> school;
  std::string targets;  // CSV file of targets
  int onlyClass = 0;    // report: one class timetable
  std::string xlsx, csvDir;  // export
  std::string pdf;           // report: printed into a PDF file
};

// Reads the shared options (with --class for the report, --xlsx and --csv for export).
bool parseReportArgs(const Args& args, ReportArgs& a, std::ostream& err, bool forReport);
// Reads the year and the targets and fills o; nothing (after a message) on failure.
std::unique_ptr<SchoolYear> loadReportInputs(const ReportArgs& a, ReportOptions& o, std::ostream& err);

}  // namespace tly::cli
