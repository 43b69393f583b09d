#include "session/windows/frmmain/tally.h"

#include <algorithm>
#include <cstring>

#include "model/basic.h"
#include "model/cellcode.h"

namespace tly {

namespace {

const char* const kTotalLabel = "総時間数";

int clampInt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }


// The shown grade's index, or -1 when no school year has been built for it.
int builtGradeIndex(const App& app) {
  int g = app.S.CurGr;
  if (g < 1 || g > kGrades) return -1;
  if (app.Y.JJ[g - 1][4][0][0] < 30) return -1;
  return g - 1;
}

bool wholeYear(const TallyState& t) { return !t.KikanSet; }

void recordUsedRange(TallyState& t, const TallyRange& r) {
  t.DFromMonth = r.fromMonth;
  t.DFromDay = r.fromDay;
  t.DToMonth = r.toMonth;
  t.DToDay = r.toDay;
}

}  // namespace

TallyRange rangeInForce(const TallyState& t) {
  if (wholeYear(t)) return TallyRange{4, 1, 3, 31};
  return TallyRange{t.KFromMonth, t.KFromDay, t.KToMonth, t.KToDay};
}

void DispJisuu(App& app) {
  const int gi = builtGradeIndex(app);
  if (gi < 0) return;
  const SchoolYear& y = app.Y;
  const TallyRange r = rangeInForce(app.T);
  recordUsedRange(app.T, clampRangeToGrade(y, gi, r));

  std::memset(app.T.KeiCnt, 0, sizeof app.T.KeiCnt);
  app.T.KeiTotal = 0;

  const int periods = tallyPeriods(y);
  const int items = clampInt(y.JItemCount, 0, kItemSlots);
  const bool whole = wholeYear(app.T);
  Grid& g = app.Grid1;
  g.Redraw = false;
  g.setCols(periods + 1);
  g.setRows(items + 7 + (whole ? 1 : 0));
  g.FixedRows = 1;
  g.FixedCols = 1;
  // No text of the previous layout may survive in the cells the tally leaves empty.
  g.clearAll();
  g.setColWidth(0, 1200);
  for (int p = 1; p <= periods; ++p) {
    g.setColWidth(p, 800);
    g.setText(0, p, numText(p));
  }
  for (int w = 2; w <= 7; ++w) g.setText(w - 1, 0, youbiLetter(w));
  for (int i = 0; i < items; ++i) g.setText(i + 7, 0, y.JItem[static_cast<size_t>(i)]);
  if (whole) g.setText(items + 7, 0, kTotalLabel);

  app.T.KeiTotal = countGradeRange(y, gi, r, app.T.KeiCnt);

  // Monday..Saturday rows; Saturday shows periods 1..4 only.
  for (int row = 1; row <= 6; ++row)
    for (int p = 1; p <= periods; ++p)
      if (row < 6 || p <= 4) g.setText(row, p, numText(app.T.KeiCnt[row][p]));
  for (int row = 7; row < items + 7; ++row) g.setText(row, 1, numText(app.T.KeiCnt[row][1]));
  if (whole) g.setText(items + 7, 1, numText(app.T.KeiTotal));

  g.setCurrent(1, 1);
  g.Redraw = true;
}

void CountJisuu(App& app) {
  const int gi = builtGradeIndex(app);
  if (gi < 0) return;
  const TallyRange r = rangeInForce(app.T);
  recordUsedRange(app.T, clampRangeToGrade(app.Y, gi, r));
  std::memset(app.T.JisuuCnt, 0, sizeof app.T.JisuuCnt);
  const int grades = clampInt(app.Y.Ggn, 0, kGrades);
  for (int g = 0; g < grades; ++g) countGradeRange(app.Y, g, r, app.T.JisuuCnt[g]);
}

void DispJWJisuu(App& app) {
  if (app.S.JWMode != JWModeKind::Class && app.S.JWMode != JWModeKind::Teacher) return;
  if (app.S.JWNo < 0 || app.S.JWNo > kMaxTimetables) return;
  const SchoolYear& y = app.Y;
  const JWRec& tt = y.JW[timetableKindOf(app.S.JWMode)][app.S.JWNo];
  const int periods = tallyPeriods(y);
  const int grades = clampInt(y.Ggn, 0, kGrades);
  const int cur = clampInt(app.S.CurGr, 1, kGrades);

  // Distinct entries in the order of first appearance, Monday period 1 first.
  app.T.KeiName.clear();
  app.T.KeiSum.clear();
  for (int j = 1; j <= 6; ++j) {
    for (int p = 1; p <= periods; ++p) {
      std::string t = trimBlanks(tt.JWCell[static_cast<size_t>(j)][static_cast<size_t>(p)]);
      if (t.empty()) continue;
      size_t i = 0;
      while (i < app.T.KeiName.size() && app.T.KeiName[i] != t) ++i;
      if (i == app.T.KeiName.size()) {
        app.T.KeiName.push_back(std::move(t));
        app.T.KeiSum.push_back(0);
      }
      int b = cur;
      if (app.S.JWMode == JWModeKind::Teacher) {
        // A teacher's entry such as "3-1国語" counts grade 3's days.
        int k = leadingGradeDigit(app.T.KeiName[i]);
        if (k >= 1 && k <= grades) b = k;
      }
      app.T.KeiSum[i] += app.T.JisuuCnt[b - 1][j][p];
    }
  }

  // Largest first; a stable bubble sort, so equal sums keep their first-appearance order.
  const size_t n = app.T.KeiName.size();
  for (size_t pass = 1; pass < n; ++pass) {
    bool swapped = false;
    for (size_t k = 0; k + 1 < n; ++k) {
      if (app.T.KeiSum[k] < app.T.KeiSum[k + 1]) {
        std::swap(app.T.KeiSum[k], app.T.KeiSum[k + 1]);
        std::swap(app.T.KeiName[k], app.T.KeiName[k + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }

  const int items = clampInt(y.JItemCount, 0, kItemSlots);
  const bool whole = wholeYear(app.T);
  const int entries = static_cast<int>(n);
  const int rows = std::max(entries, items) + 1 + (whole ? 1 : 0);
  Grid& g = app.Grid1;
  g.Redraw = false;
  g.setCols(5);
  g.setRows(rows);
  g.FixedRows = 1;
  g.FixedCols = 1;
  g.clearAll();
  static const int kWidths[5] = {400, 1200, 800, 1200, 800};
  static const char* const kHeads[5] = {"No.", "教科/学級", "時数", "集計項目", "時数"};
  for (int c = 0; c < 5; ++c) {
    g.setColWidth(c, kWidths[c]);
    g.setText(0, c, kHeads[c]);
  }

  long total = 0;
  for (int row = 1; row < rows; ++row) g.setText(row, 0, numText(row));
  for (int row = 1; row <= entries; ++row) {
    g.setText(row, 1, app.T.KeiName[static_cast<size_t>(row - 1)]);
    g.setText(row, 2, numText(app.T.KeiSum[static_cast<size_t>(row - 1)]));
    total += app.T.KeiSum[static_cast<size_t>(row - 1)];
  }
  for (int row = 1; row <= items; ++row) {
    const int v = app.T.JisuuCnt[cur - 1][row + kItemSlot0][1];
    g.setText(row, 3, y.JItem[static_cast<size_t>(row - 1)]);
    g.setText(row, 4, numText(v));
    total += v;
  }
  app.T.KeiTotal = static_cast<int>(total);
  if (whole) {
    g.setText(rows - 1, 1, kTotalLabel);
    g.setText(rows - 1, 2, numText(app.T.KeiTotal));
  }

  g.setCurrent(1, 1);
  g.Redraw = true;
}

}  // namespace tly
