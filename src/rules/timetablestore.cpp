#include "rules/timetablestore.h"

#include <algorithm>
#include <utility>

#include "model/basic.h"
#include "rules/celltext.h"
#include "rules/clipboardtext.h"

namespace tly {

const char* const kMsgTimetableFull = "これ以上登録できません。（最大200件）";
const char* const kMsgPasteNothing = "貼り付けるデータがありません。";
const char* const kMsgPasteOrigin = "貼り付け開始位置が不適当です。";

namespace {

const char* const kRowLetters[] = {"月", "火", "水", "木", "金", "土"};

bool validKind(int kind) { return kind == kClassTimetables || kind == kTeacherTimetables; }

void setCount(SchoolYear& y, int kind, int n) { y.JW[kind][0].JWKind = static_cast<int16_t>(n); }

// Fills the new record `number` of a kind: kind mark, name, empty cells.
void fillNew(SchoolYear& y, int kind, int number, const std::string& name) {
  JWRec& rec = y.JW[kind][number];
  clearTimetableCells(rec);
  rec.JWKind = static_cast<int16_t>(kind + 1);
  rec.JWName = name;
}

}  // namespace

int timetableCountOf(const SchoolYear& y, int kind) {
  if (!validKind(kind)) return 0;
  return std::clamp<int>(y.JW[kind][0].JWKind, 0, kMaxTimetables);
}

int timetablePeriods(const SchoolYear& y) { return std::clamp<int>(y.Jigen, 1, kPeriodSlots - 1); }

void clearTimetableCells(JWRec& rec) {
  for (auto& day : rec.JWCell)
    for (auto& cell : day) cell.clear();
}

int appendTimetable(SchoolYear& y, int kind, const std::string& name) {
  if (!validKind(kind)) return 0;
  const int count = timetableCountOf(y, kind);
  if (count >= kMaxTimetables) return 0;
  fillNew(y, kind, count + 1, name);
  setCount(y, kind, count + 1);
  return count + 1;
}

int insertTimetable(SchoolYear& y, int kind, int pos, const std::string& name) {
  if (!validKind(kind)) return 0;
  const int count = timetableCountOf(y, kind);
  if (count >= kMaxTimetables) return 0;
  if (pos < 0) pos = 0;
  if (pos >= count) return appendTimetable(y, kind, name);
  // Records pos+1..count move one number up, kind, name and cells together.
  for (int n = count; n >= pos + 1; --n) y.JW[kind][n + 1] = std::move(y.JW[kind][n]);
  fillNew(y, kind, pos + 1, name);
  setCount(y, kind, count + 1);
  return pos + 1;
}

bool deleteTimetable(SchoolYear& y, int kind, int number) {
  const int count = timetableCountOf(y, kind);
  if (number < 1 || number > count) return false;
  for (int n = number + 1; n <= count; ++n) y.JW[kind][n - 1] = std::move(y.JW[kind][n]);
  // The record that fell free keeps nothing a later add could bring back.
  JWRec& freed = y.JW[kind][count];
  clearTimetableCells(freed);
  freed.JWName.clear();
  freed.JWKind = 0;
  setCount(y, kind, count - 1);
  return true;
}

bool renameTimetable(SchoolYear& y, int kind, int number, const std::string& name) {
  if (number < 1 || number > timetableCountOf(y, kind)) return false;
  y.JW[kind][number].JWName = name;
  return true;
}

void layoutTimetableGrid(Grid& g, int periods, const std::string& corner) {
  g.setRows(7);
  g.setCols(periods + 1);
  g.FixedRows = 1;
  g.FixedCols = 1;
  g.setText(0, 0, corner);
  for (int c = 1; c <= periods; ++c) g.setText(0, c, std::to_string(c));
  for (int r = 1; r <= 6; ++r) g.setText(r, 0, kRowLetters[r - 1]);
  for (int c = 0; c <= periods; ++c) {
    g.setFixedAlignment(c, Align::Center);
    g.setColAlignment(c, c == 0 ? Align::Center : Align::Left);
  }
}

void sizeTimetableColumns(Grid& g, int gridWidth) {
  const int cols = g.cols();
  if (cols <= 0) return;
  const int w = gridWidth / cols;
  g.setColWidth(0, gridWidth - (cols - 1) * w - 80);
  for (int c = 1; c < cols; ++c) g.setColWidth(c, w);
}

void timetableToGrid(const JWRec& rec, Grid& g, int periods) {
  for (int r = kTimetableFirstRow; r <= kTimetableLastRow; ++r)
    for (int c = 1; c <= periods && c < kPeriodSlots; ++c) g.setText(r, c, trimBlanks(rec.JWCell[r][c]));
}

void clearTimetableGrid(Grid& g, int periods) {
  for (int r = kTimetableFirstRow; r <= kTimetableLastRow; ++r)
    for (int c = 1; c <= periods; ++c) g.setText(r, c, "");
}

void gridToTimetable(const Grid& g, JWRec& rec, int periods) {
  for (int r = kTimetableFirstRow; r <= kTimetableLastRow; ++r)
    for (int c = 1; c <= periods && c < kPeriodSlots; ++c) rec.JWCell[r][c] = g.text(r, c);
}

CellBlock timetableSelection(const Grid& g) {
  CellBlock b;
  b.top = std::max(g.selTop(), g.FixedRows);
  b.left = std::max(g.selLeft(), g.FixedCols);
  b.bottom = std::min(g.selBottom(), g.rows() - 1);
  b.right = std::min(g.selRight(), g.cols() - 1);
  return b;
}

std::string copyTimetableCells(const Grid& g) {
  CellBlock b = timetableSelection(g);
  if (b.empty()) return {};
  return gridToClipboardText(g, b.top, b.left, b.bottom, b.right);
}

void clearSelectedTimetableCells(Grid& g) {
  CellBlock b = timetableSelection(g);
  for (int r = b.top; r <= b.bottom; ++r)
    for (int c = b.left; c <= b.right; ++c) g.setText(r, c, "");
}

TimetablePaste pasteTimetableCells(Grid& g, std::string_view text) {
  if (text.empty()) return TimetablePaste::NothingToPaste;
  CellBlock b = timetableSelection(g);
  if (b.empty()) return TimetablePaste::DoesNotFit;
  const PasteShape shape = pasteShape(text);
  const size_t roomCols = static_cast<size_t>(g.cols() - b.left);
  const size_t roomRows = static_cast<size_t>(g.rows() - b.top);
  if (roomCols < shape.cols || roomRows < shape.rows) return TimetablePaste::DoesNotFit;
  if (shape.rows == 0) return TimetablePaste::NoLines;
  const auto lines = pasteFields(text, shape.rows, shape.cols);
  if (shape.cols == 1 && shape.rows == 1) {
    // One value fills the whole selection.
    const std::string v = lines.empty() || lines[0].empty() ? std::string() : cleanCellText(lines[0][0]);
    for (int r = b.top; r <= b.bottom; ++r)
      for (int c = b.left; c <= b.right; ++c) g.setText(r, c, v);
    return TimetablePaste::Pasted;
  }
  for (size_t i = 0; i < lines.size(); ++i)
    for (size_t j = 0; j < lines[i].size(); ++j)
      g.setText(b.top + static_cast<int>(i), b.left + static_cast<int>(j), cleanCellText(lines[i][j]));
  return TimetablePaste::Pasted;
}

}  // namespace tly
