// The main window's selectors, month navigation and view options. Each procedure works on
// the window state in App (selected positions, typed texts, check marks) and redraws.
#pragma once

#include "core/appstate.h"

namespace tly {

// Month selector position of calendar month m (April = 0 .. March = 11), and back.
int monthToSelectorIndex(int month);
int selectorIndexToMonth(int index);
// Refills the grade selector with 1年..Ggn年 and the month selector with 4月..3月.
void fillGradeSelector(App& app);
void fillMonthSelector(App& app);

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

}  // namespace tly
