// The month view of the main grid: layout, fill, row heights, cell texts.
#pragma once

#include <string>

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
// Text a period cell shows for code c on day d (weekday wd) at period p of grade CurGr.
std::string cellText(const App& app, int month, int d, int wd, int p, int c);

}  // namespace tly
