#include "session/output/printrun.h"

#include <algorithm>
#include <stdexcept>

#include "model/months.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/tally.h"

namespace tly {

namespace {

const char* const kMsgNoPages = "印刷するページがありません。";
const char* const kMsgBadMonths = "印刷範囲の月は 1～12 で指定してください。";
const char* const kMsgFailed = "印刷できませんでした。";

std::string yearText(const App& app) { return schoolYearStatusText(app.Y.nendo()); }

std::string rangeText(const TallyState& t) { return tallyRangeTitle(t.DFromMonth, t.DFromDay, t.DToMonth, t.DToDay); }

void selectGrade(App& app, int g) {
  app.S.CurGr = g;
  app.W.cmbGr.select(g - 1);
}

// What the run borrows from the main window.
struct ShownBefore {
  int grade, month, year;
  Grid grid;
  ComboState cmbGr, cmbMonth;
};

void report(const PrintHooks& h, const std::string& text) {
  if (h.progress) h.progress(text);
}

struct Aborted {};

void checkAbort(const PrintHooks& h) {
  if (h.abortRequested && h.abortRequested()) throw Aborted{};
}

}  // namespace

PageFrame frameOf(const PrintParams& p) {
  PageFrame f;
  f.top = marginTwips(p.top);
  f.bottom = marginTwips(p.bottom);
  f.left = marginTwips(p.left);
  f.right = marginTwips(p.right);
  f.titleFont = p.titleFont;
  f.fit = p.fit;
  return f;
}

PrintKind printKind(const App& app) {
  if (!app.V.tally && !app.V.timetableMode) return PrintKind::Schedule;
  return app.S.JWMode != JWModeKind::None ? PrintKind::TimetableTally : PrintKind::Tally;
}

std::vector<int> printGrades(const App& app, int grade) {
  const int ggn = std::clamp<int>(app.Y.Ggn, 0, kGrades);
  std::vector<int> out;
  if (grade == PrintParams::kAllGrades) {
    for (int g = 1; g <= ggn; ++g) out.push_back(g);
  } else if (grade == PrintParams::kShownGrade) {
    out.push_back(std::clamp(app.S.CurGr, 1, std::max(1, ggn)));
  } else if (grade >= 1 && grade <= ggn) {
    out.push_back(grade);
  }
  return out;
}

std::vector<int> printMonths(int fromMonth, int toMonth) {
  std::vector<int> out;
  if (fromMonth < 1 || fromMonth > 12 || toMonth < 1 || toMonth > 12) return out;
  for (int m = fromMonth;; m = m == 12 ? 1 : m + 1) {
    out.push_back(m);
    if (m == toMonth) break;
  }
  return out;
}

int PrintJJ(App& app, PrintDevice& dev, int month, const PageFrame& f) {
  const Grid& g = app.Grid1;
  const int lastRow = month >= 1 && month <= 12 ? app.Y.JJ[0][month][0][0] : 0;
  const std::string title = scheduleTitle(yearText(app), app.W.cmbGr.text, app.W.cmbMonth.text);
  return printGrid(dev, g, lastRow, app.Y.Jigen + 3, title, kFitMarginSchedule, f);
}

int PrintSK(App& app, PrintDevice& dev, const PageFrame& f) {
  const Grid& g = app.Grid1;
  const std::string title = tallyTitle(yearText(app), app.W.cmbGr.text, rangeText(app.T));
  return printGrid(dev, g, g.rows() - 1, g.cols() - 1, title, kFitMarginTally, f);
}

int PrintJW(App& app, PrintDevice& dev, const PageFrame& f) {
  const Grid& g = app.Grid1;
  std::string name;
  if (app.S.JWMode != JWModeKind::None && app.S.JWNo >= 0 && app.S.JWNo <= kMaxTimetables)
    name = app.Y.JW[timetableKindOf(app.S.JWMode)][app.S.JWNo].JWName;
  const std::string title = timetableTallyTitle(yearText(app), name, rangeText(app.T));
  return printGrid(dev, g, g.rows() - 1, g.cols() - 1, title, kFitMarginSchedule, f);
}

PrintOutcome runPrintJob(App& app, PrintDevice& dev, const PrintParams& p, const PrintHooks& hooks) {
  const PrintKind kind = printKind(app);
  const PageFrame frame = frameOf(p);
  const std::vector<int> grades = printGrades(app, p.grade);
  const std::vector<int> months = printMonths(p.fromMonth, p.toMonth);
  if (kind == PrintKind::Schedule && months.empty()) {
    app.msg(kMsgBadMonths, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return PrintOutcome::Failed;
  }
  const ShownBefore shown{app.S.CurGr, app.S.CurMonth, app.S.CurYear, app.Grid1, app.W.cmbGr, app.W.cmbMonth};
  auto restore = [&] {
    app.S.CurGr = shown.grade;
    app.S.CurMonth = shown.month;
    app.S.CurYear = shown.year;
    app.W.cmbGr = shown.cmbGr;
    app.W.cmbMonth = shown.cmbMonth;
    if (kind == PrintKind::Schedule) {
      DispJJ(app, app.S.CurYear, app.S.CurMonth);
    } else {
      // The tables give back exactly what was shown, the grid's cursor included.
      app.Grid1 = shown.grid;
    }
  };

  int pages = 0;
  std::string failure;
  bool aborted = false;
  try {
    dev.beginDocument();
    if (kind == PrintKind::TimetableTally) {
      // The timetable tally is counted for the run: the grid may still show the month
      // when the tally has not been asked for yet.
      CountJisuu(app);
      DispJWJisuu(app);
      for (int k = 0; k < p.copies; ++k) {
        checkAbort(hooks);
        report(hooks, "学級・教師時間割　集計表印刷中");
        pages += PrintJW(app, dev, frame);
      }
    } else if (kind == PrintKind::Tally) {
      for (int g : grades) {
        selectGrade(app, g);
        DispJisuu(app);
        for (int k = 0; k < p.copies; ++k) {
          checkAbort(hooks);
          report(hooks, app.W.cmbGr.text + " 授業時数集計表印刷中");
          pages += PrintSK(app, dev, frame);
        }
      }
    } else {
      int previous = app.S.CurMonth;
      for (int g : grades) {
        for (int m : months) {
          // The calendar year follows the month across the turn of the year.
          if (previous >= 4 && m < 4) ++app.S.CurYear;
          else if (previous < 4 && m >= 4) --app.S.CurYear;
          previous = m;
          app.S.CurMonth = m;
          selectGrade(app, g);
          app.W.cmbMonth.select(positionOfMonth(m));
          DispJJ(app, app.S.CurYear, m);
          for (int k = 0; k < p.copies; ++k) {
            checkAbort(hooks);
            report(hooks, app.W.cmbGr.text + " " + app.W.cmbMonth.text + "予定表印刷中");
            pages += PrintJJ(app, dev, m, frame);
          }
        }
      }
    }
    if (pages == 0) throw std::runtime_error(kMsgNoPages);
    dev.endDocument();
  } catch (const Aborted&) {
    aborted = true;
  } catch (const std::exception& e) {
    failure = e.what();
    if (failure.empty()) failure = kMsgFailed;
  }
  if (aborted || !failure.empty()) {
    try {
      dev.abortDocument();
    } catch (...) {
      // The document is gone either way.
    }
  }
  restore();
  if (aborted) return PrintOutcome::Aborted;
  if (!failure.empty()) {
    const std::string text = failure == kMsgNoPages ? failure : std::string(kMsgFailed) + "\r" + failure;
    app.msg(text, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return PrintOutcome::Failed;
  }
  if (app.Grid1.valid(1, 2)) app.Grid1.setCurrent(1, 2);
  return PrintOutcome::Printed;
}

}  // namespace tly
