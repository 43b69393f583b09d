#include "session/output/export.h"

#include <algorithm>
#include <memory>

#include "calendar/calendar.h"
#include "model/basic.h"
#include "model/cellcode.h"
#include "model/months.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/tally.h"

namespace tly {

namespace {

using S = WorkCell::Style;

WorkCell text(std::string t, S s = S::Plain) { return WorkCell{std::move(t), std::nullopt, s}; }
WorkCell number(double v, S s = S::Plain) { return WorkCell{{}, v, s}; }
// A grid text of plain digits (a count, a day) as a number, so that a spreadsheet can add it.
WorkCell gridCell(const std::string& t, S s) {
  const bool digits = !t.empty() && t.size() <= 6 && t.find_first_not_of("0123456789") == std::string::npos;
  return digits ? number(std::stoi(t), s) : text(t, s);
}

// A day off that the schedule shades: Sunday, a holiday the calendar marked, or a
// weekday without lessons that carries a named event (a holiday entered by hand).
bool isDayOff(const SchoolYear& y, int gi, int month, int d, int wd, int periods) {
  if (wd == 1) return true;
  const std::string& ev = y.JJText[gi][month][d][0];
  if (ev.empty()) return false;
  if (ev == kSubstituteHolidayText) return true;
  for (const auto& h : kHolidays)
    if (ev == h.text) return true;
  if (wd == 7) return false;
  for (int p = 1; p <= periods; ++p)
    if (y.JJ[gi][month][d][p] != 0) return false;
  return true;
}

// The grid's cells as a sheet's rows, the first row as column heads.
void appendGrid(WorkSheet& ws, const Grid& g) {
  for (int r = 0; r < g.rows(); ++r) {
    std::vector<WorkCell> row;
    for (int c = 0; c < g.cols(); ++c)
      row.push_back(r == 0 || c == 0 ? text(g.text(r, c), S::Head) : gridCell(g.text(r, c), S::Plain));
    ws.rows.push_back(std::move(row));
  }
}

void appendTimetables(WorkSheet& ws, const SchoolYear& y, int kind) {
  const int periods = tallyPeriods(y);
  const int count = std::min(y.timetableCount(kind), kMaxTimetables);
  for (int n = 1; n <= count; ++n) {
    const JWRec& t = y.JW[kind][n];
    ws.rows.push_back({text(trimBlanks(t.JWName), S::Head)});
    std::vector<WorkCell> head{text("", S::Head)};
    for (int w = 2; w <= 7; ++w) head.push_back(text(youbiLetter(w), S::Head));
    ws.rows.push_back(std::move(head));
    for (int p = 1; p <= periods; ++p) {
      std::vector<WorkCell> row{text(std::to_string(p), S::Head)};
      for (int w = 1; w <= 6; ++w) row.push_back(text(trimBlanks(t.JWCell[static_cast<size_t>(w)][static_cast<size_t>(p)])));
      ws.rows.push_back(std::move(row));
    }
    ws.rows.emplace_back();
  }
  ws.colWidths = {6, 14, 14, 14, 14, 14, 14};
}

}  // namespace

WorkSheet reportSheet(const std::vector<ClassReport>& report, const ReportOptions& o, int nendo) {
  WorkSheet ws;
  ws.name = "標準時数との比較";
  ws.rows.push_back({text(std::to_string(nendo) + "年度 " + schoolKindName(o.kind) + " 標準時数との比較（実施済み: " +
                          heldRangeText(o) + "）")});
  std::vector<WorkCell> head;
  for (const char* h : {"学級", "学年", "教科", "標準時数", "年間計画", "実施済み", "残り", "過不足", "消化率"})
    head.push_back(text(h, S::Head));
  ws.rows.push_back(std::move(head));
  for (const auto& c : report) {
    if (!c.grade) {
      ws.rows.push_back({text(c.name), text("学年未設定")});
      continue;
    }
    auto add = [&](const ReportRow& r, bool total) {
      std::vector<WorkCell> row{text(c.name), number(c.grade), text(r.subject, total ? S::Head : S::Plain)};
      if (r.matched) {
        const S red = r.shortfall() ? S::Red : S::Plain;
        row.push_back(number(r.standard));
        row.push_back(number(r.planned, red));
        row.push_back(number(r.held));
        row.push_back(number(r.remaining()));
        row.push_back(number(r.surplus(), red));
        if (auto v = r.rate())
          row.push_back(number(*v / 100.0, S::Percent));
        else
          row.push_back(text(""));
      } else {
        row.push_back(text(""));
        row.push_back(number(r.planned));
        row.push_back(number(r.held));
        row.push_back(text(""));
        row.push_back(text(""));
        row.push_back(text(""));
      }
      ws.rows.push_back(std::move(row));
    };
    for (const auto& r : c.rows) add(r, false);
    add(c.total, true);
    for (const auto& r : c.unmatched) add(r, false);
  }
  ws.colWidths = {12, 6, 20, 10, 10, 10, 10, 10, 10};
  return ws;
}

Workbook buildWorkbook(const App& app, const std::vector<ClassReport>& report, const ReportOptions& o) {
  Workbook wb;
  const SchoolYear& y = app.Y;
  wb.sheets.push_back(reportSheet(report, o, y.nendo()));
  if (!y.isOpen()) return wb;

  // A scratch session lays the grid out as the main window would, leaving app as it is.
  auto s = std::make_unique<App>(app);
  s->P = Platform{};
  const int grades = std::clamp<int>(y.Ggn, 0, kGrades);
  const int periods = tallyPeriods(y);
  for (int g = 1; g <= grades; ++g) {
    for (int pos = 0; pos < kSchoolMonths; ++pos) {
      const int m = monthAtPosition(pos);
      const int cy = calendarYearOf(y.nendo(), m);
      s->S.CurGr = g;
      s->S.CurMonth = m;
      s->S.CurYear = cy;
      SetJJGrid(*s);
      DispJJ(*s, cy, m);
      WorkSheet ws;
      ws.name = std::to_string(g) + "年" + std::to_string(m) + "月";
      ws.rows.push_back({text(std::to_string(cy) + "年" + std::to_string(m) + "月 " + std::to_string(g) + "年 予定表")});
      const Grid& gr = s->Grid1;
      const int len = std::clamp<int>(y.JJ[g - 1][m][0][0], 0, 31);
      for (int r = 0; r <= len && r < gr.rows(); ++r) {
        const bool off = r > 0 && isDayOff(y, g - 1, m, r, Youbi(cy, m, r), periods);
        std::vector<WorkCell> row;
        for (int c = 0; c < gr.cols(); ++c) {
          const S style = r == 0 ? S::Head : off ? S::Shaded : S::Plain;
          row.push_back(r > 0 && c == 0 ? gridCell(gr.text(r, c), style) : text(gr.text(r, c), style));
        }
        ws.rows.push_back(std::move(row));
      }
      ws.colWidths = {4, 4, 16};
      for (int p = 1; p <= periods; ++p) ws.colWidths.push_back(8);
      ws.colWidths.push_back(20);
      wb.sheets.push_back(std::move(ws));
    }
  }

  for (int g = 1; g <= grades; ++g) {
    s->S.CurGr = g;
    s->T.KikanSet = false;
    DispJisuu(*s);
    WorkSheet ws;
    ws.name = "集計 " + std::to_string(g) + "年";
    ws.rows.push_back({text(std::to_string(y.nendo()) + "年度 " + std::to_string(g) + "年 授業時数集計表（年間）")});
    appendGrid(ws, s->Grid1);
    ws.colWidths = {12};
    wb.sheets.push_back(std::move(ws));
  }

  WorkSheet classes;
  classes.name = "学級時間割";
  appendTimetables(classes, y, 0);
  wb.sheets.push_back(std::move(classes));
  WorkSheet teachers;
  teachers.name = "教師時間割";
  appendTimetables(teachers, y, 1);
  wb.sheets.push_back(std::move(teachers));
  return wb;
}

}  // namespace tly
