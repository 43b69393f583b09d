// The report against the standard on paper: per class a page set with a heading (school
// year, class, school kind and grade, the days counted as held) and the table of subjects
// with the window's columns. Shortfalls are printed bold with their 過不足 as "▲n", since
// the window's red may print grey. One document for the whole run, through the same
// device, margins and title font as the schedules.
#pragma once

#include <string>
#include <vector>

#include "model/grid.h"
#include "rules/hoursreport.h"
#include "session/output/printrun.h"

namespace tly {

// The cells of one class's table: the column heads, a row per subject, the total and the
// texts that match no subject (marked "※"). Widths are left to the page layout.
Grid reportTable(const ClassReport& c);
// Whether a table row (1..) is printed bold: a shortfall, or the total.
bool reportRowBold(const ClassReport& c, int row);

// The heading lines of a class's pages.
std::string reportPageTitle(int nendo, const ClassReport& c);
std::string reportPageSubtitle(const ClassReport& c, const ReportOptions& o);

// One class's pages from the top of a new page; the column heads repeat on every page.
// Returns the number of pages.
int printClassReport(PrintDevice& dev, const ClassReport& c, int nendo, const ReportOptions& o,
                     const PageFrame& frame, const FontInfo& tableFont);

// The whole report into one document of dev, with the margins and title font kept for
// printing. A failure is told in a message box and drops the document.
PrintOutcome runReportPrint(App& app, PrintDevice& dev, const std::vector<ClassReport>& report,
                            const ReportOptions& o);

}  // namespace tly
