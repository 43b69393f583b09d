#include "session/windows/frmmain/tallyview.h"

#include <algorithm>

#include "session/windows/frmmain/menus.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/timetablemode.h"
#include "session/windows/frmjw/timetablewindow.h"

namespace tly {

namespace {

constexpr int kKeptMonthColumns = 10;  // JJColWidth(0..9)

void switchOn(App& app) {
  ViewState& v = app.V;
  Grid& g = app.Grid1;
  app.E.InputMode = EditStart::None;  // no cell edit continues into the tally view
  const int keep = std::min(g.cols(), static_cast<int>(app.Y.Fs.FsColWidth.size()));
  for (int i = 0; i < keep; ++i) app.Y.Fs.FsColWidth[static_cast<size_t>(i)] = static_cast<int16_t>(g.colWidth(i));

  app.S.JWMode = JWModeKind::None;
  if (v.timetableText()) {
    // The timetable tally of the timetable the month view shows.
    const bool cls = v.timetable == TimetableView::Class;
    v.timetableMode = true;
    app.S.JWMode = cls ? JWModeKind::Class : JWModeKind::Teacher;
    app.S.JWNo = std::max(0, app.W.cmbDispJW.index) + 1;
    app.Y.Fs.FsJWClass = cls ? -1 : 0;
    // The timetable window opens on the timetable the month showed.
    if (!app.JWF.open) openTimetableWindowAt(app, std::max(0, app.W.cmbDispJW.index));
  }

  for (int i = 0; i < kKeptMonthColumns; ++i) app.S.JJColWidth[static_cast<size_t>(i)] = g.colWidth(i);
  v.tally = true;
  v.copyAllRenamed = true;
}

void switchOff(App& app) {
  Grid& g = app.Grid1;
  app.S.JWMode = JWModeKind::None;
  app.V.timetableMode = false;
  app.V.tally = false;
  app.V.copyAllRenamed = true;

  g.Redraw = false;
  SetJJGrid(app);
  SetRowHeight(app);
  // A width never remembered (0) would hide its column: the layout's own width stays then.
  for (int i = 0; i < kKeptMonthColumns && i < g.cols(); ++i)
    if (app.S.JJColWidth[static_cast<size_t>(i)] >= 1) g.setColWidth(i, app.S.JJColWidth[static_cast<size_t>(i)]);
  g.Redraw = true;
  DispJJ(app, app.S.CurYear, app.S.CurMonth);
  EnableMenu(app);

  app.W.txtInput.clear();
  g.setCurrent(1, 2);
  // The timetable window closes with the tally view.
  JW_Form_Unload(app);
}

}  // namespace

void mnuKei_Click(App& app) {
  if (tallyViewOn(app))
    switchOff(app);
  else
    switchOn(app);
}

void leaveTallyView(App& app) {
  if (tallyViewOn(app)) mnuKei_Click(app);
}

}  // namespace tly
