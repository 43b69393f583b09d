// The main window's selectors, month navigation and view options. Each procedure works on
// the window state in App (selected positions, typed texts, check marks) and redraws.
// Where choosing a list entry runs that list's click handler, the procedures here call the
// handler themselves: the window must forward only the user's own picks, not the
// selection changes it makes while showing App.
#pragma once

#include "session/state/app.h"
#include "session/state/selectors.h"

namespace tly {


void cmbGr_Click(App& app);     // a grade was picked: W.cmbGr.index
void cmbGr_Enter(App& app);     // Enter pressed in the grade selector: W.cmbGr.text
void cmbMonth_Click(App& app);  // a month was picked: W.cmbMonth.index
void cmbDispJW_Click(App& app); // a timetable was picked: W.cmbDispJW.index
void mnuLastMonth_Click(App& app);
void mnuNextMonth_Click(App& app);
void mnuToday_Click(App& app);
void mnuUDisp_Click(App& app);
void mnuDispJWC_Click(App& app);
void mnuDispJWS_Click(App& app);
void mnuShowToolBar_Click(App& app);
void SetCmbDispJW(App& app);

// Where the resize handler puts the top bar and the grid (twips of the client area).
// A value of -1 means "leave as it is" (the step did not apply).
struct MainLayoutIn {
  int clientWidth = 0, clientHeight = 0;
  bool toolBarVisible = true;
  int toolBarHeight = 0;
  int txtInputHeight = 315;
  int statusBarHeight = 0;
  int gridLeft = 60;
  int gridTop = 0;  // the grid's top before the resize
};
struct MainLayoutOut {
  int topBarTop = -1;
  int gridTop = -1;
  int gridWidth = -1;
  int gridHeight = -1;
};
MainLayoutOut Form_Resize(const MainLayoutIn& in);

}  // namespace tly
