#include "session/windows/history.h"
#include "session/windows/frmcolwidth/colwidth.h"

#include <algorithm>
#include <cmath>

#include "model/basic.h"
#include "session/windows/frmmain/controls.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly {

namespace {

constexpr double kTwipsPerMm = 56.7;
constexpr int kNoPrinterCharWidth = 224;
constexpr int kMaxColumns = 101;  // the widths the dialog keeps

int roundedProduct(double factor, int v) {
  return static_cast<int>(std::clamp(roundHalfEven(factor * v), 0.0, 32767.0));
}

}  // namespace

int widthToMm(int twips) { return static_cast<int>(std::floor(twips / kTwipsPerMm + 0.5)); }

int mmToWidth(double mm) {
  const double w = std::floor(mm * kTwipsPerMm + 0.5);
  return static_cast<int>(std::clamp(w, 0.0, 32767.0));
}

void mnuFont_Click(App& app) {
  if (!app.P.fontDialog) return;
  Grid& g = app.Grid1;
  const auto chosen = app.P.fontDialog->choose(g.Font);
  if (!chosen) return;
  StepRecorder step(app, kStepFont);
  step.gridLook();
  const int row = g.Row, col = g.Col, rowSel = g.RowSel, colSel = g.ColSel;
  g.setCurrent(0, 0);
  g.Font = *chosen;
  ResetRowHeight(app);
  g.Row = row;
  g.Col = col;
  g.RowSel = rowSel;
  g.ColSel = colSel;
  step.commit(app);
}

void ColWidthForm_Load(App& app, ColWidthDialog& d) {
  d.left = static_cast<int>(Val(app.setting("SetColWidthLeft", "1000")));
  d.top = static_cast<int>(Val(app.setting("SetColWidthTop", "1000")));
  d.found.clear();
  const int n = std::min(app.Grid1.cols(), kMaxColumns);
  for (int c = 0; c < n; ++c) d.found.push_back(app.Grid1.colWidth(c));
}

void ColWidthForm_Activate(App& app, ColWidthDialog& d) {
  const Grid& g = app.Grid1;
  d.txtColWidth = g.Col >= 0 && g.Col < g.cols() ? std::to_string(widthToMm(g.colWidth(g.Col))) : "0";
}

void ColWidth_cmdOK_Click(App& app, ColWidthDialog& d) {
  Grid& g = app.Grid1;
  const int w = mmToWidth(Val(d.txtColWidth));
  StepRecorder step(app, kStepColWidth);
  step.gridLook();
  // From the current column to the selection's end column: a selection dragged leftwards
  // ends before it starts and changes nothing.
  for (int c = std::max(0, g.Col); c <= g.ColSel && c < g.cols(); ++c) g.setColWidth(c, w);
  step.commit(app);
}

void ColWidth_cmdCancel_Click(App& app, ColWidthDialog& d) {
  Grid& g = app.Grid1;
  StepRecorder step(app, kStepColWidth);
  step.gridLook();
  for (int c = 0; c < g.cols() && c < static_cast<int>(d.found.size()); ++c)
    g.setColWidth(c, d.found[static_cast<size_t>(c)]);
  step.commit(app);
}

bool ColWidth_cmdDefColWidth_Click(App& app, ColWidthDialog&, PrintDevice* measure) {
  if (app.V.tally) return false;
  Grid& g = app.Grid1;
  StepRecorder step(app, kStepColWidth);
  step.gridLook();
  int w = kNoPrinterCharWidth;
  int rowHeight = rowHeightForFont(g.Font.size);
  if (measure) {
    measure->setFont(g.Font);
    w = measure->textWidth("月");
    rowHeight = roundedProduct(1.2, measure->textHeight("日"));
  }
  const int jigen = std::clamp<int>(app.Y.Jigen, 0, kPeriodSlots - 1);
  const int last = std::min(jigen + 3, g.cols() - 1);
  for (int c = 0; c <= last; ++c) {
    double f = c <= 1 ? 1.5 : c == 2 ? 9.6 : c == jigen + 3 ? 12.0 : 2.5;
    g.setColWidth(c, roundedProduct(f, w));
  }
  const int gi = std::clamp(app.S.CurGr, 1, kGrades) - 1;
  const int month = std::clamp(app.S.CurMonth, 1, 12);
  const int len = std::clamp<int>(app.Y.JJ[gi][month][0][0], 0, 31);
  for (int r = 0; r <= len && r < g.rows(); ++r) g.setRowHeight(r, rowHeight);
  step.commit(app);
  return true;
}

void ColWidthForm_Unload(App& app, ColWidthDialog& d) {
  if (d.windowState != 0) return;
  app.storeSetting("SetColWidthLeft", std::to_string(d.left));
  app.storeSetting("SetColWidthTop", std::to_string(d.top));
}

bool dragColumnWidth(App& app, int col, int twips) {
  if (!mainControls(app).enabled(Command::ColWidth)) return false;
  Grid& g = app.Grid1;
  if (col < 0 || col >= g.cols()) return false;
  const int w = mmToWidth(widthToMm(std::max(0, twips)));
  if (w == g.colWidth(col)) return false;
  StepRecorder step(app, kStepColWidth);
  step.gridLook();
  g.setColWidth(col, w);
  step.commit(app);
  return true;
}

}  // namespace tly
