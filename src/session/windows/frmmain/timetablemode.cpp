#include "session/windows/frmmain/timetablemode.h"

#include <algorithm>

#include "session/windows/frmmain/menus.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/files/settingsfile.h"
#include "session/windows/frmmain/tallyview.h"
#include "session/windows/frmjw/timetablewindow.h"

namespace tly {

namespace {

void enter(App& app) {
  leaveTallyView(app);
  const int n = std::min(app.Grid1.cols(), static_cast<int>(app.S.JJColWidth.size()));
  for (int i = 0; i < n; ++i) app.S.JJColWidth[static_cast<size_t>(i)] = app.Grid1.colWidth(i);
  app.V.timetableMode = true;
  app.V.copyAllRenamed = true;
  DisableMenu(app);
  app.E.InputMode = EditStart::None;
  JW_Form_Load(app);
}

void leave(App& app) {
  Grid& g = app.Grid1;
  leaveTallyView(app);
  const JWForm& f = app.JWF;
  JWIniState ini;
  ini.left = f.left;
  ini.top = f.top;
  ini.optClass = f.optClass;
  ini.lstJW = f.lstJW.selected() ? f.lstJW.index : -1;
  ini.optRefClass = f.optRefClass;
  ini.cmbRef = f.cmbRef.selected() ? f.cmbRef.index : -1;
  PutJWIni(app, ini);
  app.V.timetableMode = false;
  app.V.copyAllRenamed = true;
  app.S.JWMode = JWModeKind::None;
  SetJJGrid(app);
  SetRowHeight(app);
  // The widths the month view had when the mode began; one never taken (0) would hide
  // its column, so the layout's own width stays then.
  const int n = std::min(g.cols(), static_cast<int>(app.S.JJColWidth.size()));
  for (int i = 0; i < n; ++i)
    if (app.S.JJColWidth[static_cast<size_t>(i)] >= 1) g.setColWidth(i, app.S.JJColWidth[static_cast<size_t>(i)]);
  DispJJ(app, app.S.CurYear, app.S.CurMonth);
  app.W.txtInput.clear();
  EnableMenu(app);
  g.setCurrent(1, 2);
  JW_Form_Unload(app);
}

}  // namespace

void mnuJikanwari_Click(App& app) {
  if (app.V.timetableMode || app.JWF.open)
    leave(app);
  else
    enter(app);
}

void openTimetableWindowAt(App& app, int index) {
  JW_Form_Load(app);
  if (index >= 0 && index < app.JWF.lstJW.size()) lstJW_Click(app, index);
}

void ToolBarRefresh(App&) {}

}  // namespace tly
