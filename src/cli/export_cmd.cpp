// `tly export FILE --xlsx OUT | --csv DIR [--to M/D] [--school elementary|junior]
// [--targets CSV]`: the report, schedules, tally tables and timetables as a workbook.
#include <ostream>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/report_args.h"
#include "session/output/export.h"

namespace tly::cli {

Outcome cmdExport(const Args& args, std::ostream& out, std::ostream& err) {
  const char* const usage =
      "使い方: tly export FILE --xlsx OUT | --csv DIR [--to M/D] [--school elementary|junior] [--targets CSV]";
  ReportArgs a;
  if (!parseReportArgs(args, a, err, false) || a.xlsx.empty() == a.csvDir.empty()) {
    err << usage << "\n";
    return badArguments();
  }
  ReportOptions o;
  if (!loadReportInputs(a, o, err)) return stopped();
  // Opened as the Open command would, so the schedules follow the file's view options.
  Context c(err);
  if (!openYear(c, a.file)) return stopped();
  const auto report = buildHoursReport(c.app->Y, o);
  const Workbook wb = buildWorkbook(*c.app, report, o);
  std::string warning;
  const std::string why = a.xlsx.empty() ? writeCsvFolder(a.csvDir, wb) : writeXlsx(a.xlsx, wb, &warning);
  if (!why.empty()) {
    err << why << "\n";
    return stopped();
  }
  if (!warning.empty()) err << warning << "\n";
  out << wb.sheets.size() << " シートを書きました: " << (a.xlsx.empty() ? a.csvDir : a.xlsx) << "\n";
  return {};
}

}  // namespace tly::cli
