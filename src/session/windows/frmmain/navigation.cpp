#include "session/windows/frmmain/navigation.h"

#include <algorithm>

#include "model/basic.h"
#include "model/months.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmmain/timetablemode.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly {

namespace {

bool tallyShown(const App& app) { return app.V.tally; }

void redraw(App& app) { DispJJ(app, app.S.CurYear, app.S.CurMonth); }

void focusGrid(App& app) { app.W.focusGrid = true; }

// The selected entry of a list, or its text when nothing is selected.
std::string selectedEntry(const ComboState& c) {
  if (c.index >= 0 && c.index < static_cast<int>(c.items.size())) return c.items[static_cast<size_t>(c.index)];
  return c.text;
}

// Selects CurMonth's entry in the month selector (running its click handler, which finds
// the month already set), shows the entry as the text and redraws.
void showCurrentMonthEntry(App& app) {
  ComboState& m = app.W.cmbMonth;
  m.select(positionOfMonth(app.S.CurMonth));
  cmbMonth_Click(app);
  if (m.index >= 0) m.text = m.items[static_cast<size_t>(m.index)];
  redraw(app);
}

// The class view (kind 0) and the teacher view (kind 1) share one command: it switches
// its own view on or off, and switching it on switches the other one off.
void toggleTimetableView(App& app, int kind) {
  const TimetableView mine = kind == 0 ? TimetableView::Class : TimetableView::Teacher;
  ViewState& v = app.V;

  if (app.Y.timetableCount(kind) <= 0) {
    app.msg(kind == 0 ? "学級時間割の設定が必要です。" : "教師時間割の設定が必要です。", MsgButtons::OK, MsgIcon::None,
            "TLY");
    return;
  }
  bool on = v.timetable != mine;
  v.timetable = on ? mine : TimetableView::None;
  if (on) app.Y.Fs.FsJWClass = kind == 0 ? -1 : 0;

  // Back to the month view by the tally view's own leave path, which also gives back the
  // commands the tally view took away and the month view's column widths.
  leaveTallyView(app);
  SetCmbDispJW(app);
  redraw(app);
}

}  // namespace

void cmbGr_Click(App& app) {
  const ComboState& c = app.W.cmbGr;
  if (c.index < 0) return;
  app.S.CurGr = c.index + 1;
  if (tallyShown(app))
    DispJisuu(app);
  else
    redraw(app);
}

void cmbGr_Enter(App& app) {
  ComboState& c = app.W.cmbGr;
  double v = Val(c.text);
  if (v < 1 || v > app.Y.Ggn) {
    c.select(app.S.CurGr - 1);
    cmbGr_Click(app);
    if (c.index >= 0) c.text = c.items[static_cast<size_t>(c.index)];
  }
  if (tallyShown(app))
    mnuKei_Click(app);
  else
    redraw(app);
  focusGrid(app);
}

void cmbMonth_Click(App& app) {
  int next = monthAtPosition(app.W.cmbMonth.index);
  if (next == 0) return;
  int old = app.S.CurMonth;
  if (old < 4 && next > 3)
    --app.S.CurYear;
  else if (old > 3 && next <= 3)
    ++app.S.CurYear;
  app.S.CurMonth = next;

  if (tallyShown(app)) {
    mnuKei_Click(app);
  } else if (app.V.timetableMode) {
    // Another month ends timetable mode (the same leave as the menu command), which
    // shows the new month in the month layout.
    mnuJikanwari_Click(app);
  } else {
    redraw(app);
  }
  app.Grid1.setCurrent(1, 2);
  focusGrid(app);
}

void cmbDispJW_Click(App& app) {
  const ComboState& jw = app.W.cmbDispJW;
  int k = leadingGradeDigit(selectedEntry(jw));
  if (k >= 1 && k <= app.Y.Ggn) {
    app.S.CurGr = k;
    ComboState& gr = app.W.cmbGr;
    gr.select(k - 1);
    if (gr.index >= 0) gr.text = trimBlanks(gr.items[static_cast<size_t>(gr.index)]);
  }
  app.C.IniDspJWIndex = jw.index;
  redraw(app);
}

void mnuLastMonth_Click(App& app) {
  int m = app.S.CurMonth;
  if (m == 1) {
    app.S.CurMonth = 12;
    --app.S.CurYear;
  } else if (m != 4) {
    app.S.CurMonth = m - 1;  // April is the first month of the school year and stays
  }
  showCurrentMonthEntry(app);
}

void mnuNextMonth_Click(App& app) {
  int m = app.S.CurMonth;
  if (m == 12) {
    app.S.CurMonth = 1;
    ++app.S.CurYear;
  } else if (m != 3) {
    app.S.CurMonth = m + 1;  // March is the last month of the school year and stays
  }
  showCurrentMonthEntry(app);
}

void mnuToday_Click(App& app) {
  int t = app.S.Today.month;
  if (t < 1 || t > 12) return;
  // Today's month within the shown school year: the year does not change.
  if (t > 3 && app.S.CurMonth < 4)
    --app.S.CurYear;
  else if (t < 4 && app.S.CurMonth > 3)
    ++app.S.CurYear;
  app.S.CurMonth = t;
  showCurrentMonthEntry(app);
}

void mnuUDisp_Click(App& app) {
  app.V.changesOnly = !app.V.changesOnly;
  if (!tallyShown(app)) {
    redraw(app);
    focusGrid(app);
  }
}

void mnuDispJWC_Click(App& app) { toggleTimetableView(app, 0); }
void mnuDispJWS_Click(App& app) { toggleTimetableView(app, 1); }

void mnuShowToolBar_Click(App& app) {
  app.V.toolBar = !app.V.toolBar;
}

void SetCmbDispJW(App& app) {
  if (!app.V.timetableText()) return;
  ComboState& c = app.W.cmbDispJW;
  c.clear();
  int kind = app.V.timetableKind();
  int count = std::min(app.Y.timetableCount(kind), kMaxTimetables);
  if (count <= 0) {
    // The view has nothing to show any more: it switches itself off (which hides the
    // empty selector).
    app.V.timetable = TimetableView::None;
    return;
  }
  for (int i = 1; i <= count; ++i) c.items.push_back(trimBlanks(app.Y.JW[kind][i].JWName));
  if (app.C.IniDspJWIndex < 0) app.C.IniDspJWIndex = 0;
  int n = static_cast<int>(c.items.size());
  c.select(app.C.IniDspJWIndex < n ? app.C.IniDspJWIndex : 0);
  cmbDispJW_Click(app);
  if (c.index >= 0) c.text = c.items[static_cast<size_t>(c.index)];
}

MainLayoutOut Form_Resize(const MainLayoutIn& in) {
  MainLayoutOut out;
  if (in.clientWidth - in.gridLeft > 0) out.gridWidth = in.clientWidth - in.gridLeft;
  int gridTop = in.gridTop;
  if (in.toolBarVisible) {
    if (in.toolBarHeight <= in.clientHeight) out.topBarTop = in.toolBarHeight;
    if (in.toolBarHeight + in.txtInputHeight <= in.clientHeight) out.gridTop = in.toolBarHeight + in.txtInputHeight;
  } else {
    out.topBarTop = 0;
    if (in.txtInputHeight <= in.clientHeight) out.gridTop = in.txtInputHeight;
  }
  if (out.gridTop >= 0) gridTop = out.gridTop;
  int h = in.clientHeight - gridTop - in.statusBarHeight;
  if (h > 0) out.gridHeight = h;
  return out;
}

}  // namespace tly
