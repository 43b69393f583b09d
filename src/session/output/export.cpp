#include "session/output/export.h"

#include <algorithm>
#include <memory>

#include "calendar/calendar.h"
#include "model/basic.h"
#include "model/cellcode.h"
#include "model/months.h"
#include "rules/classhours.h"
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

// A month of grade g as the scratch session's grid shows it (codes or a timetable's texts,
// as its view options say), under a title line; Sundays and holidays shaded.
WorkSheet monthSheet(App& s, int g, int m, const std::string& name, const std::string& title) {
  const SchoolYear& y = s.Y;
  const int cy = calendarYearOf(y.nendo(), m);
  const int periods = tallyPeriods(y);
  s.S.CurGr = g;
  s.S.CurMonth = m;
  s.S.CurYear = cy;
  SetJJGrid(s);
  DispJJ(s, cy, m);
  WorkSheet ws;
  ws.name = name;
  ws.rows.push_back({text(title)});
  const Grid& gr = s.Grid1;
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
  // The title and the column heads stay in view and on every page; so do day and weekday.
  ws.freezeRows = 2;
  ws.freezeCols = 2;
  ws.headRows = 2;
  return ws;
}

// The whole year of a class by subject and month: rows the timetable's texts in the order
// of the timetable tally, then the tally items, then the total; columns April .. March
// and the year. The year column is the timetable tally of the whole year.
WorkSheet classTallySheet(const SchoolYear& y, int classNumber, int grade, const std::string& name) {
  const JWRec& tt = y.JW[0][classNumber];
  const int gi = grade - 1;
  const std::vector<EntryHours> year = classHours(y, tt, gi, TallyRange{4, 1, 3, 31});
  std::vector<std::vector<EntryHours>> months;
  for (int pos = 0; pos < kSchoolMonths; ++pos) {
    const int m = monthAtPosition(pos);
    months.push_back(classHours(y, tt, gi, TallyRange{m, 1, m, 31}));
  }
  WorkSheet ws;
  ws.name = name + " 集計";
  ws.rows.push_back({text(std::to_string(y.nendo()) + "年度 " + name + " 授業時数集計表（教科・月別）")});
  std::vector<WorkCell> head{text("教科/集計項目", S::Head)};
  for (int pos = 0; pos < kSchoolMonths; ++pos) head.push_back(text(std::to_string(monthAtPosition(pos)) + "月", S::Head));
  head.push_back(text("合計", S::Head));
  ws.rows.push_back(std::move(head));
  std::vector<size_t> rows = tallyOrder(year);
  for (size_t i = 0; i < year.size(); ++i)
    if (year[i].item) rows.push_back(i);
  std::vector<long> totals(kSchoolMonths + 1, 0);
  for (size_t i : rows) {
    std::vector<WorkCell> row{text(year[i].name, S::Head)};
    for (int pos = 0; pos < kSchoolMonths; ++pos) {
      const int h = months[static_cast<size_t>(pos)][i].hours;
      row.push_back(number(h));
      totals[static_cast<size_t>(pos)] += h;
    }
    row.push_back(number(year[i].hours));
    totals[kSchoolMonths] += year[i].hours;
    ws.rows.push_back(std::move(row));
  }
  std::vector<WorkCell> sum{text("総時間数", S::Head)};
  for (long t : totals) sum.push_back(number(static_cast<double>(t), S::Head));
  ws.rows.push_back(std::move(sum));
  ws.colWidths = {14};
  for (int pos = 0; pos <= kSchoolMonths; ++pos) ws.colWidths.push_back(6);
  ws.freezeRows = 2;
  ws.freezeCols = 1;
  ws.headRows = 2;
  return ws;
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
  ws.freezeRows = 2;
  ws.freezeCols = 1;
  ws.headRows = 2;
  ws.header = std::to_string(nendo) + "年度 標準時数との比較";
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
  const std::string nendoText = std::to_string(y.nendo()) + "年度";
  for (int g = 1; g <= grades; ++g) {
    for (int pos = 0; pos < kSchoolMonths; ++pos) {
      const int m = monthAtPosition(pos);
      const int cy = calendarYearOf(y.nendo(), m);
      WorkSheet ws = monthSheet(*s, g, m, std::to_string(g) + "年" + std::to_string(m) + "月",
                                std::to_string(cy) + "年" + std::to_string(m) + "月 " + std::to_string(g) + "年 予定表");
      ws.header = nendoText + " " + std::to_string(g) + "年";
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
    ws.freezeRows = 2;
    ws.freezeCols = 1;
    ws.headRows = 2;
    ws.header = nendoText + " " + std::to_string(g) + "年";
    wb.sheets.push_back(std::move(ws));
  }

  WorkSheet classes;
  classes.name = "学級時間割";
  appendTimetables(classes, y, 0);
  classes.header = nendoText + " 学級時間割";
  wb.sheets.push_back(std::move(classes));
  WorkSheet teachers;
  teachers.name = "教師時間割";
  appendTimetables(teachers, y, 1);
  teachers.header = nendoText + " 教師時間割";
  wb.sheets.push_back(std::move(teachers));

  // Every class timetable of a known grade: its grade's months through the timetable,
  // then its year by subject and month.
  s->V.timetable = TimetableView::Class;
  s->V.changesOnly = false;
  s->W.cmbDispJW.clear();
  const int classCount = std::min(y.timetableCount(0), kMaxTimetables);
  for (int n = 1; n <= classCount; ++n) s->W.cmbDispJW.items.push_back(y.JW[0][n].JWName);
  for (int n = 1; n <= classCount; ++n) {
    const std::string name = trimBlanks(y.JW[0][n].JWName);
    const int g = classGrade(name, grades, o.gradeOf);
    if (g == 0 || y.JJ[g - 1][4][0][0] < 30) continue;
    s->W.cmbDispJW.select(n - 1);
    for (int pos = 0; pos < kSchoolMonths; ++pos) {
      const int m = monthAtPosition(pos);
      WorkSheet ws = monthSheet(*s, g, m, name + " " + std::to_string(m) + "月",
                                std::to_string(calendarYearOf(y.nendo(), m)) + "年" + std::to_string(m) + "月 " + name +
                                    " 予定表");
      ws.header = nendoText + " " + name;
      wb.sheets.push_back(std::move(ws));
    }
    WorkSheet tally = classTallySheet(y, n, g, name);
    tally.header = nendoText + " " + name;
    wb.sheets.push_back(std::move(tally));
  }
  return wb;
}

}  // namespace tly
