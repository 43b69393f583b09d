// The month view of the main grid: layout, fill, row heights, cell texts.
#pragma once

#include <string>

#include "rules/celltext.h"
#include "session/state/app.h"

namespace tly {

// Default month-grid column widths (twips) for a given column index and column count.
int defaultMonthColWidth(int col, int cols);
// Lays the grid out for the month view.
void SetJJGrid(App& app);
// Fills the grid with month `month` (calendar year `year`) of grade CurGr.
void DispJJ(App& app, int year, int month);
// Row heights from the grid font: size * 22 twips, rounded half to even.
void SetRowHeight(App& app);
void ResetRowHeight(App& app);
int rowHeightForFont(float size);
// " 1999 年度"
std::string schoolYearStatusText(int nendo);
// How the shown grade's period cells show their codes with the view options in force.
CellView cellViewOf(const App& app);

}  // namespace tly
