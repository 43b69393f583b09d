// The year as a workbook: the report against the standard, the monthly schedule of every
// grade and month, the whole-year tally table of every grade, and the timetables.
#pragma once

#include <vector>

#include "io/workbook.h"
#include "rules/hoursreport.h"
#include "session/state/app.h"

namespace tly {

// The report as a sheet: a title line, the column heads 学級 学年 教科 標準時数 年間計画
// 実施済み 残り 過不足 消化率, then every class's rows, total and unmatched texts.
WorkSheet reportSheet(const std::vector<ClassReport>& report, const ReportOptions& o, int nendo);

// Every sheet. The schedules show the lessons as the month view does with the view
// options of app (codes, or the chosen timetable's texts); Sundays and holidays shaded.
Workbook buildWorkbook(const App& app, const std::vector<ClassReport>& report, const ReportOptions& o);


}  // namespace tly
