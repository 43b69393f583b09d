#include "session/output/weekplan.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "calendar/calendar.h"
#include "model/basic.h"
#include "model/cellcode.h"
#include "rules/celltext.h"
#include "session/windows/frmstdhours/standards.h"

namespace tly {

namespace {

namespace chr = std::chrono;

chr::sys_days toDays(const CalendarDate& d) {
  return chr::sys_days(chr::year_month_day(chr::year(d.year), chr::month(static_cast<unsigned>(d.month)),
                                           chr::day(static_cast<unsigned>(d.day))));
}

CalendarDate fromDays(chr::sys_days s) {
  const chr::year_month_day ymd(s);
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

long dateKey(const CalendarDate& d) { return d.year * 10000L + d.month * 100L + d.day; }

const char* const kWeekdays[6] = {"月", "火", "水", "木", "金", "土"};

std::string md(const CalendarDate& d) { return std::to_string(d.month) + "月" + std::to_string(d.day) + "日"; }

}  // namespace

std::optional<CalendarDate> parseIsoDate(const std::string& s) {
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
  const CalendarDate d{std::stoi(s.substr(0, 4)), std::stoi(s.substr(5, 2)), std::stoi(s.substr(8, 2))};
  const chr::year_month_day ymd(chr::year(d.year), chr::month(static_cast<unsigned>(d.month)),
                                chr::day(static_cast<unsigned>(d.day)));
  if (!ymd.ok() || d.year < 1900 || d.year > 2200) return std::nullopt;
  return d;
}

CalendarDate addDays(const CalendarDate& d, int n) { return fromDays(toDays(d) + chr::days(n)); }

CalendarDate mondayOf(const CalendarDate& d) {
  const chr::weekday wd(toDays(d));
  const int back = (static_cast<int>(wd.c_encoding()) + 6) % 7;  // Monday 0 .. Sunday 6
  return addDays(d, -back);
}

std::optional<WeekPlan> buildWeekPlan(const SchoolYear& y, int classNumber, int grade, const CalendarDate& monday,
                                      const ReportOptions& o) {
  if (classNumber < 1 || classNumber > std::min(y.timetableCount(0), kMaxTimetables)) return std::nullopt;
  if (grade < 1 || grade > std::clamp<int>(y.Ggn, 0, kGrades)) return std::nullopt;
  const int gi = grade - 1;
  const int nendo = y.nendo();
  const long first = nendo * 10000L + 401, last = (nendo + 1) * 10000L + 331;
  WeekPlan w;
  w.nendo = nendo;
  w.classNumber = classNumber;
  w.grade = grade;
  w.className = trimBlanks(y.JW[0][classNumber].JWName);
  w.periods = tallyPeriods(y);
  CellView view;
  view.grade = grade;
  view.timetableKind = 0;
  view.timetable = classNumber;
  std::optional<CalendarDate> from, to;
  for (int i = 0; i < 6; ++i) {
    WeekDay& day = w.days[static_cast<size_t>(i)];
    day.date = addDays(monday, i);
    const long key = dateKey(day.date);
    const int m = day.date.month, d = day.date.day;
    day.inYear = key >= first && key <= last && d <= std::clamp<int>(y.JJ[gi][m][0][0], 0, 31);
    day.cells.assign(static_cast<size_t>(w.periods), std::string());
    if (!day.inYear) continue;
    if (!from) from = day.date;
    to = day.date;
    day.events = y.JJText[gi][m][d][0];
    day.remarks = y.JJText[gi][m][d][1];
    const int wd = Youbi(day.date.year, m, d);
    for (int p = 1; p <= w.periods; ++p) {
      const int c = y.JJ[gi][m][d][p];
      if (isEmptyCode(c)) continue;
      day.cells[static_cast<size_t>(p - 1)] = cellText(y, view, m, d, wd, p, c);
    }
  }
  if (!from) return std::nullopt;
  w.week = TallyRange{from->month, from->day, to->month, to->day};

  // The report counts, once up to the week's end and once over the week alone; both
  // list the same rows in the same order, since rows depend on the year's plan only.
  ReportOptions sofar = o, thisWeek = o;
  sofar.held = TallyRange{4, 1, to->month, to->day};
  thisWeek.held = w.week;
  const auto a = buildHoursReport(y, sofar, classNumber), b = buildHoursReport(y, thisWeek, classNumber);
  if (a.size() != 1 || b.size() != 1) return std::nullopt;
  const ClassReport &ca = a[0], &cb = b[0];
  auto row = [](const ReportRow& s, const ReportRow& t) {
    WeekRow r;
    r.subject = s.subject;
    r.matched = s.matched;
    r.standard = s.standard;
    r.sofar = s.held;
    r.week = t.held;
    return r;
  };
  for (size_t i = 0; i < ca.rows.size() && i < cb.rows.size(); ++i) w.rows.push_back(row(ca.rows[i], cb.rows[i]));
  for (size_t i = 0; i < ca.unmatched.size() && i < cb.unmatched.size(); ++i)
    w.rows.push_back(row(ca.unmatched[i], cb.unmatched[i]));
  w.total = row(ca.total, cb.total);
  return w;
}

void printWeekPlan(PrintDevice& dev, const WeekPlan& w, const PageFrame& f, const FontInfo& gridFont) {
  const int minMargin = marginTwips(10);
  const int left = std::max(f.left, minMargin), right = std::max(f.right, minMargin);
  const int top = std::max(f.top, minMargin), bottom = std::max(f.bottom, minMargin);
  const int width = usablePageWidth(dev.pageWidth()) - left - right;
  const int height = usablePageHeight(dev.pageHeight()) - top - bottom;
  dev.beginPage();
  FontInfo title = f.titleFont;
  title.underline = false;
  dev.setFont(title);
  const WeekDay &mon = w.days[0], &sat = w.days[5];
  dev.text(left, top,
           std::to_string(w.nendo) + "年度  週案  " + w.className + "    " + md(mon.date) + "（月）～ " + md(sat.date) +
               "（土）");
  int y = top + 2 * dev.textHeight("週案");

  FontInfo cellFont = gridFont;
  cellFont.underline = false;
  dev.setFont(cellFont);
  dev.setLineWidth(gridLineWidth(dev.twipsPerPixel()));
  const int line = dev.textHeight("国");
  const int headH = line + 2 * kCellInset, textH = 2 * line + 2 * kCellInset;
  const int summaryRows = static_cast<int>(w.rows.size()) + 2;  // heads and total
  int rowH = line + 2 * kCellInset;
  const int fixed = 2 * dev.textHeight("週案") + headH + 2 * textH + line;
  int periodH = w.periods > 0 ? (height - fixed - summaryRows * rowH) / w.periods : 0;
  periodH = std::clamp(periodH, 2 * line, 6 * line);
  // A long list of subjects is made to fit under the grid.
  if (fixed + w.periods * periodH + summaryRows * rowH > height)
    rowH = std::max(line, (height - fixed - w.periods * periodH) / summaryRows);

  const int labelW = std::max(dev.textWidth("備考") + 2 * kCellInset, width / 14);
  const int dayW = (width - labelW) / 6;
  auto cell = [&](int x, int cy, int cw, int ch, const std::string& s, bool centre) {
    dev.rectangle(x, cy, x + cw, cy + ch);
    const std::string t = fitText(dev, s, cw - kFitMarginSchedule);
    if (t.empty()) return;
    const int tx = centre ? alignedTextX(Align::Center, x, cw, dev.textWidth(t)) : x + kCellInset;
    dev.text(tx, cy + kCellInset, t);
  };
  // Head: the date and weekday of each column.
  cell(left, y, labelW, headH, "", false);
  for (int i = 0; i < 6; ++i) {
    const WeekDay& d = w.days[static_cast<size_t>(i)];
    cell(left + labelW + i * dayW, y, dayW, headH,
         std::to_string(d.date.month) + "/" + std::to_string(d.date.day) + "（" + kWeekdays[i] + "）", true);
  }
  y += headH;
  auto textRow = [&](const char* label, std::string WeekDay::*field) {
    cell(left, y, labelW, textH, label, true);
    for (int i = 0; i < 6; ++i) {
      const WeekDay& d = w.days[static_cast<size_t>(i)];
      const int x = left + labelW + i * dayW;
      dev.rectangle(x, y, x + dayW, y + textH);
      // Two lines: the text is broken where the first line is full.
      const std::string all = d.*field;
      const std::string first = fitText(dev, all, dayW - kFitMarginSchedule);
      if (!first.empty()) dev.text(x + kCellInset, y + kCellInset, first);
      const std::string rest = fitText(dev, all.substr(first.size()), dayW - kFitMarginSchedule);
      if (!rest.empty()) dev.text(x + kCellInset, y + kCellInset + line, rest);
    }
    y += textH;
  };
  textRow("行事", &WeekDay::events);
  for (int p = 1; p <= w.periods; ++p) {
    cell(left, y, labelW, periodH, std::to_string(p), true);
    for (int i = 0; i < 6; ++i) {
      const WeekDay& d = w.days[static_cast<size_t>(i)];
      cell(left + labelW + i * dayW, y, dayW, periodH, d.inYear ? d.cells[static_cast<size_t>(p - 1)] : "", false);
    }
    y += periodH;
  }
  textRow("備考", &WeekDay::remarks);

  // The hours: this week, 1 April to the week's end, the standard and what remains.
  y += line;
  const int nameW = width * 3 / 10, numW = (width - nameW) / 4;
  const char* heads[5] = {"教科", "今週", "累計", "標準時数", "残り"};
  for (int c = 0; c < 5; ++c) cell(left + (c ? nameW + (c - 1) * numW : 0), y, c ? numW : nameW, rowH, heads[c], true);
  y += rowH;
  auto numbers = [&](const WeekRow& r) {
    const std::string v[5] = {r.subject, std::to_string(r.week), std::to_string(r.sofar),
                              r.matched ? std::to_string(r.standard) : "", r.matched ? std::to_string(r.remaining()) : ""};
    for (int c = 0; c < 5; ++c) {
      const int x = left + (c ? nameW + (c - 1) * numW : 0), cw = c ? numW : nameW;
      dev.rectangle(x, y, x + cw, y + rowH);
      const std::string t = fitText(dev, v[c], cw - kFitMarginSchedule);
      if (t.empty()) continue;
      dev.text(c ? alignedTextX(Align::Right, x, cw, dev.textWidth(t)) : x + kCellInset, y + kCellInset, t);
    }
    y += rowH;
  };
  for (const WeekRow& r : w.rows) numbers(r);
  numbers(w.total);
  dev.endPage();
}

std::vector<int> weekPlanClasses(const SchoolYear& y, const ReportOptions& o) {
  std::vector<int> out;
  const int grades = std::clamp<int>(y.Ggn, 0, kGrades);
  const int n = std::min(y.timetableCount(0), kMaxTimetables);
  for (int c = 1; c <= n; ++c) {
    const int g = classGrade(y.JW[0][c].JWName, grades, o.gradeOf);
    if (g >= 1 && y.JJ[g - 1][4][0][0] >= 30) out.push_back(c);
  }
  return out;
}

WeekRun weekRunOfView(const App& app, const ReportOptions& o, const CalendarDate& from, int weeks) {
  WeekRun run;
  run.from = from;
  run.to = addDays(from, 7 * (std::max(weeks, 1) - 1));
  const std::vector<int> all = weekPlanClasses(app.Y, o);
  const int shown = app.W.cmbDispJW.index + 1;
  if (app.V.timetable == TimetableView::Class && std::find(all.begin(), all.end(), shown) != all.end())
    run.classes = {shown};
  else
    run.classes = all;
  return run;
}

CalendarDate proposedWeek(const App& app) {
  const int nendo = app.Y.nendo();
  const CalendarDate today{app.S.Today.year, app.S.Today.month, app.S.Today.day};
  const long key = dateKey(today);
  if (key >= nendo * 10000L + 401 && key <= (nendo + 1) * 10000L + 331) return today;
  return CalendarDate{nendo, 4, 1};
}

ReportOptions weekPlanOptions(App& app) {
  StoredReportSettings s = loadReportSettings(app, Date{app.Y.nendo(), 4, 1});
  ReportOptions o = std::move(s.options);
  o.kind = s.kind.value_or(SchoolKind::Elementary);
  return o;
}

int runWeekPlans(const App& app, PrintDevice& dev, const WeekRun& run, const ReportOptions& o, const PageFrame& f,
                 std::string* error) {
  const SchoolYear& y = app.Y;
  const int grades = std::clamp<int>(y.Ggn, 0, kGrades);
  FontInfo gridFont{y.Fs.FsFontName.empty() ? "ＭＳ Ｐ明朝" : y.Fs.FsFontName, 10.5f};
  int pages = 0;
  try {
    dev.beginDocument();
    const CalendarDate firstMonday = mondayOf(run.from), lastMonday = mondayOf(run.to);
    for (int c : run.classes) {
      const int g = classGrade(y.JW[0][c].JWName, grades, o.gradeOf);
      for (CalendarDate m = firstMonday; dateKey(m) <= dateKey(lastMonday); m = addDays(m, 7)) {
        const auto plan = buildWeekPlan(y, c, g, m, o);
        if (!plan) continue;
        printWeekPlan(dev, *plan, f, gridFont);
        ++pages;
      }
    }
    if (pages == 0) throw std::runtime_error("印刷する週がありません（年度の外か、学年のわかる学級時間割がありません）。");
    dev.endDocument();
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    try {
      dev.abortDocument();
    } catch (...) {
      // The document is gone either way.
    }
    return 0;
  }
  return pages;
}

}  // namespace tly
