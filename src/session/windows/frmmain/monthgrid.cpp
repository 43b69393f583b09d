#include "session/windows/frmmain/monthgrid.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "model/basic.h"
#include "model/months.h"
#include "model/cellcode.h"

namespace tly {

namespace {

// Periods the month layout shows, kept to what a day row of the tables can hold.
int shownPeriods(const App& app) { return std::clamp<int>(app.Y.Jigen, 0, kPeriodSlots - 1); }

// The grade the grid shows: CurGr brought into the year's grades (into the table's grades
// when no year is open), so the tables are never read outside their bounds.
int clampedGrade(const App& app) {
  const int top = (app.Y.Ggn >= 1 && app.Y.Ggn <= kGrades) ? app.Y.Ggn : kGrades;
  return std::clamp(app.S.CurGr, 1, top);
}


}  // namespace

int defaultMonthColWidth(int col, int cols) {
  if (col < 0 || col >= cols) return 0;
  if (col <= 1) return 336;
  if (col == 2) return 2150;
  if (col == cols - 1) return 2688;
  return 560;
}

void SetJJGrid(App& app) {
  Grid& gr = app.Grid1;
  const int jigen = shownPeriods(app);
  const int cols = jigen + 4;
  gr.setCols(cols);
  gr.setRows(32);
  gr.FixedCols = 2;
  gr.FixedRows = 1;
  // The grid may come back from another layout: nothing of that one stays visible.
  gr.clearAll();

  const auto& saved = app.Y.Fs.FsColWidth;
  bool useSaved = true;
  for (int i = 0; i < cols; ++i)
    if (saved[static_cast<size_t>(i)] < 1) useSaved = false;
  for (int i = 0; i < cols; ++i)
    gr.setColWidth(i, useSaved ? saved[static_cast<size_t>(i)] : defaultMonthColWidth(i, cols));

  const char* heads[3] = {"日", "曜", "行　事"};
  for (int c = 0; c < 3; ++c) {
    gr.setFixedAlignment(c, Align::Center);
    gr.setText(0, c, heads[c]);
  }
  gr.setColAlignment(0, Align::Center);
  gr.setColAlignment(1, Align::Center);
  gr.setColAlignment(2, Align::Left);
  for (int p = 1; p <= jigen; ++p) {
    gr.setFixedAlignment(p + 2, Align::Center);
    gr.setText(0, p + 2, std::to_string(p));
    gr.setColAlignment(p + 2, Align::Left);
  }
  gr.setFixedAlignment(jigen + 3, Align::Center);
  gr.setText(0, jigen + 3, "備　考");
  gr.setColAlignment(jigen + 3, Align::Left);
  gr.setCurrent(0, jigen + 3);
}

std::string schoolYearStatusText(int nendo) { return numText(nendo, true) + " 年度"; }

CellView cellViewOf(const App& app) {
  CellView v;
  v.grade = app.S.CurGr;
  v.changesOnly = app.V.changesOnly;
  if (app.V.timetableText()) {
    v.timetableKind = app.V.timetableKind();
    v.timetable = app.W.cmbDispJW.index + 1;  // list position 0 is timetable 1
  }
  return v;
}

void DispJJ(App& app, int year, int month) {
  if (app.S.CurGr < 1) app.S.CurGr = 1;
  app.S.CurGr = clampedGrade(app);
  const int g = app.S.CurGr;
  Grid& gr = app.Grid1;
  const bool monthOk = month >= 1 && month <= 12;
  const int jigen = shownPeriods(app);

  gr.Redraw = false;
  const int c0 = gr.Col;
  int r0 = gr.Row == 0 ? 1 : gr.Row;

  app.W.panel[1] = schoolYearStatusText(app.Y.nendo());

  // A stored length outside 0..31 cannot come from a built year; it is read as its bound.
  const int len = monthOk ? std::clamp<int>(app.Y.JJ[g - 1][month][0][0], 0, 31) : 0;
  const int rows = len + 1 >= 29 ? len + 1 : 32;
  gr.setRows(rows);
  if (r0 >= rows) r0 = rows - 1;
  // Rows no day is written to show nothing left from before.
  for (int r = len + 1; r < rows; ++r)
    for (int c = 0; c < gr.cols(); ++c) gr.setText(r, c, {});

  const CellView view = cellViewOf(app);
  for (int d = 1; d <= len; ++d) {
    const int wd = Youbi(year, month, d);
    gr.setText(d, 0, std::to_string(d));
    gr.setText(d, 1, youbiLetter(wd));
    gr.setText(d, 2, app.Y.JJText[g - 1][month][d][0]);
    for (int p = 1; p <= jigen; ++p) gr.setText(d, p + 2, cellText(app.Y, view, month, d, wd, p, app.Y.JJ[g - 1][month][d][p]));
    gr.setText(d, jigen + 3, app.Y.JJText[g - 1][month][d][1]);
  }

  const int h = gr.rowHeight(27);
  for (int r = 28; r < rows; ++r) gr.setRowHeight(r, h);

  gr.setCurrent(r0, c0);

  if (g - 1 < static_cast<int>(app.W.cmbGr.items.size())) app.W.cmbGr.select(g - 1);
  if (monthOk && positionOfMonth(month) < static_cast<int>(app.W.cmbMonth.items.size()))
    app.W.cmbMonth.select(positionOfMonth(month));

  gr.Redraw = true;
}

int rowHeightForFont(float size) {
  const double h = roundHalfEven(static_cast<double>(size) * 22.0);
  return static_cast<int>(std::clamp(h, 0.0, 32767.0));
}

void ResetRowHeight(App& app) {
  const int h = rowHeightForFont(app.Grid1.Font.size);
  for (int r = 0; r < app.Grid1.rows(); ++r) app.Grid1.setRowHeight(r, h);
}

void SetRowHeight(App& app) {
  Grid& gr = app.Grid1;
  const int row = gr.Row, col = gr.Col, rowSel = gr.RowSel, colSel = gr.ColSel;
  gr.setCurrent(0, 2);
  ResetRowHeight(app);
  gr.Row = row;
  gr.Col = col;
  gr.RowSel = rowSel;
  gr.ColSel = colSel;
}

}  // namespace tly
