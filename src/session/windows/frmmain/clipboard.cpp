#include "session/windows/frmmain/clipboard.h"

#include "rules/celltext.h"

#include <algorithm>
#include <utility>

#include "model/cellcode.h"
#include "session/windows/celledit.h"
#include "session/windows/cellstore.h"
#include "session/windows/history.h"
#include "rules/clipboardtext.h"
#include "session/windows/frmmain/tallyview.h"

namespace tly {

namespace {

const char* const kMsgBadRange = "この範囲指定はできません。";
const char* const kMsgCannotDelete = "削除できません。";
const char* const kMsgNothingToPaste = "貼り付けるデータがありません。";
const char* const kMsgBadPastePosition = "貼り付け開始位置が不適当です。";

int shownMonth(const App& app) { return (app.S.CurMonth >= 1 && app.S.CurMonth <= 12) ? app.S.CurMonth : 0; }

bool otherView(const App& app) { return tallyViewShown(app) || timetableSettingShown(app); }

// Copy, cut and delete refuse the whole period column of a 31-day month, selected from
// its header.
bool refusedRange(const App& app) { return app.Grid1.RowSel == 31 && app.Grid1.Row == 1; }

void setClipboard(App& app, const std::string& text) {
  if (!app.P.clipboard) return;
  app.P.clipboard->clear();
  app.P.clipboard->setText(text);
}

std::string selectionClipText(const App& app) {
  const Grid& g = app.Grid1;
  std::vector<std::vector<std::string>> rows;
  for (int r = g.selTop(); r <= g.selBottom(); ++r) {
    std::vector<std::string> cells;
    for (int c = g.selLeft(); c <= g.selRight(); ++c) cells.push_back(clipCellText(app, r, c));
    rows.push_back(std::move(cells));
  }
  return clipboardText(rows);
}

// Clears the selected cells of the shown month for the grades of editGrades.
void clearSelection(App& app) {
  int m = shownMonth(app);
  if (m == 0) return;
  const Grid& g = app.Grid1;
  GradeRange gr = editGrades(app);
  for (int r = g.selTop(); r <= g.selBottom(); ++r) {
    if (!isDayRow(app, r)) continue;
    for (int c = g.selLeft(); c <= g.selRight(); ++c) {
      for (int gi = gr.first; gi <= gr.last; ++gi) {
        if (isEventsColumn(app, c)) app.Y.JJText[gi][m][r][0].clear();
        else if (isRemarksColumn(app, c)) app.Y.JJText[gi][m][r][1].clear();
        else if (isPeriodColumn(app, c)) app.Y.JJ[gi][m][r][c - 2] = 0;
      }
    }
  }
}

}  // namespace

std::string clipCellText(const App& app, int row, int col) {
  const Grid& g = app.Grid1;
  int m = shownMonth(app);
  if (!isPeriodColumn(app, col) || copyModeOn(app) || !isDayRow(app, row) || m == 0) return g.text(row, col);
  int gi = std::clamp(app.S.CurGr, 1, kGrades) - 1;
  return clipboardCellText(app.Y, app.Y.JJ[gi][m][row][col - 2]);
}

bool mnuCopy_Click(App& app) {
  const Grid& g = app.Grid1;
  if (otherView(app)) {
    setClipboard(app, gridRectText(g, g.selTop(), g.selLeft(), g.selBottom(), g.selRight()));
    return true;
  }
  if (refusedRange(app)) {
    app.msg(kMsgBadRange);
    return false;
  }
  setClipboard(app, selectionClipText(app));
  return true;
}

bool mnuCut_Click(App& app) {
  if (otherView(app)) return false;
  if (refusedRange(app)) {
    app.msg(kMsgBadRange);
    return false;
  }
  StepRecorder step(app, kStepCut);
  step.month(shownMonth(app));
  setClipboard(app, selectionClipText(app));
  clearSelection(app);
  step.commit(app);
  redrawMonth(app);
  return false;
}

bool mnuDel_Click(App& app) {
  if (otherView(app)) {
    app.msg(kMsgCannotDelete);
    return false;
  }
  if (refusedRange(app)) {
    app.msg(kMsgBadRange);
    return false;
  }
  StepRecorder step(app, kStepDelete);
  step.month(shownMonth(app));
  clearSelection(app);
  step.commit(app);
  redrawMonth(app);
  return true;
}

bool pasteText(App& app, std::string_view text) {
  if (otherView(app)) return false;
  if (text.empty()) {
    app.msg(kMsgNothingToPaste);
    return false;
  }
  Grid& g = app.Grid1;
  PasteShape shape = pasteShape(text);
  long roomCols = static_cast<long>(g.cols()) - g.Col, roomRows = static_cast<long>(g.rows()) - g.Row;
  if (roomCols < 0 || roomRows < 0 || static_cast<size_t>(roomCols) < shape.cols ||
      static_cast<size_t>(roomRows) < shape.rows) {
    app.msg(kMsgBadPastePosition);
    return false;
  }
  StepRecorder step(app, kStepPaste);
  step.month(shownMonth(app));
  int top = g.selTop(), left = g.selLeft(), bottom = g.selBottom(), right = g.selRight();
  int undecoded = 0;
  std::string firstUndecoded;
  auto count = [&](CellStore r, std::string_view v) {
    if (r != CellStore::Undecoded) return;
    if (undecoded++ == 0) firstUndecoded = std::string(v);
  };
  if (shape.cols == 1 && shape.rows == 1) {
    // One value fills the whole selection.
    std::string_view v = text.substr(0, text.find_first_of("\t\r\n"));
    std::string clean = cleanCellText(v);
    for (int r = top; r <= bottom; ++r)
      for (int c = left; c <= right; ++c) count(storePastedValue(app, r, c, clean), clean);
    g.setCurrent(bottom, right);
  } else {
    // A block from the selection's top-left cell. A line with fewer fields than the
    // first leaves its remaining cells as they are; extra fields are ignored.
    auto lines = pasteFields(text, shape.rows, shape.cols);
    for (size_t i = 0; i < lines.size(); ++i)
      for (size_t j = 0; j < lines[i].size(); ++j)
        count(storePastedValue(app, top + static_cast<int>(i), left + static_cast<int>(j), lines[i][j]), lines[i][j]);
  }
  // Cells whose text decoded to nothing kept their lessons: the status bar says so.
  if (undecoded == 1)
    app.W.panel[0] = undecodedCellMessage(app, firstUndecoded);
  else if (undecoded > 1)
    app.W.panel[0] = undecodedCellMessage(app, firstUndecoded) + "（ほか " + std::to_string(undecoded - 1) +
                     " か所も変更されていません）";
  else
    app.W.panel[0].clear();
  step.commit(app);
  redrawMonth(app);
  return true;
}

bool mnuPaste_Click(App& app) {
  if (otherView(app)) return false;
  std::string t = app.P.clipboard ? app.P.clipboard->text() : std::string();
  return pasteText(app, t);
}

bool mnuCopyAll_Click(App& app) {
  setClipboard(app, gridToClipboardText(app.Grid1));
  return true;
}

bool copyModeOn(const App& app) { return app.V.copyMode; }

void mnuCopyMode_Click(App& app) {
  app.V.copyMode = !app.V.copyMode;
}

}  // namespace tly
