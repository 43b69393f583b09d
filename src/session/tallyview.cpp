#include "session/tallyview.h"

#include <algorithm>

#include "session/menus.h"
#include "session/monthgrid.h"

namespace tly {

const char* const kCopyAllMonthCaption = "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";
const char* const kCopyAllTallyCaption = "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";

namespace {

// Commands that would replace or resize the year under the tally.
const char* const kTallyLockedMenus[] = {"mnuOpen", "mnuSave", "mnuNSave", "mnuNew", "mnuColWidth"};
const char* const kTallyLockedButtons[] = {"Open", "Save", "New"};

constexpr int kKeptMonthColumns = 10;  // JJColWidth(0..9)

void setLockedEnabled(MainView& w, bool on) {
  for (const char* m : kTallyLockedMenus) w.menu[m].enabled = on;
  for (const char* b : kTallyLockedButtons) w.button[b].enabled = on;
}

bool timetableTextShown(const MainView& w) { return w.checked("mnuDispJWC") || w.checked("mnuDispJWS"); }

void switchOn(App& app) {
  MainView& w = app.W;
  AppState& s = app.S;
  Grid& g = app.Grid1;
  s.InputMode = 0;  // no cell edit continues into the tally view
  const int keep = std::min(g.cols(), static_cast<int>(app.Y.Fs.FsColWidth.size()));
  for (int i = 0; i < keep; ++i) app.Y.Fs.FsColWidth[static_cast<size_t>(i)] = static_cast<int16_t>(g.colWidth(i));

  s.JWMode = 0;
  if (timetableTextShown(w)) {
    // The timetable tally of the timetable the month view shows.
    const bool cls = w.checked("mnuDispJWC");
    w.setChecked("mnuJikanwari", true);
    w.press("JW", true);
    s.JWMode = cls ? 1 : 2;
    s.JWNo = std::max(0, w.cmbDispJW.index) + 1;
    app.Y.Fs.FsJWClass = cls ? -1 : 0;
  }

  for (int i = 0; i < kKeptMonthColumns; ++i) s.JJColWidth[static_cast<size_t>(i)] = g.colWidth(i);
  w.setChecked("mnuKei", true);
  setLockedEnabled(w, false);
  w.press("Kei", true);
  if (timetableTextShown(w)) w.cmbDispJW.visible = false;
  w.menu["mnuCopyAll"].caption = kCopyAllTallyCaption;
}

void switchOff(App& app) {
  MainView& w = app.W;
  AppState& s = app.S;
  Grid& g = app.Grid1;
  s.JWMode = 0;
  setLockedEnabled(w, true);
  w.setChecked("mnuJikanwari", false);
  w.press("JW", false);
  w.setChecked("mnuKei", false);
  w.press("Kei", false);
  if (timetableTextShown(w)) w.cmbDispJW.visible = true;
  w.menu["mnuCopyAll"].caption = kCopyAllMonthCaption;

  g.Redraw = false;
  SetJJGrid(app);
  SetRowHeight(app);
  for (int i = 0; i < kKeptMonthColumns && i < g.cols(); ++i) g.setColWidth(i, s.JJColWidth[static_cast<size_t>(i)]);
  g.Redraw = true;
  DispJJ(app, s.CurYear, s.CurMonth);
  EnableMenu(app);

  w.txtInput.clear();
  g.setCurrent(1, 2);
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
