// The class and teacher timetables of a school year: adding, inserting, deleting and
// renaming timetables, the transfer between a timetable and the timetable window's grid,
// and that grid's copy, cut, delete and paste in clipboard text. Toolkit-free; the
// timetable window and the command line call these.
#pragma once

#include <string>
#include <string_view>

#include "model/grid.h"
#include "model/schoolyear.h"

namespace tly {

// Kind 0 holds class timetables, kind 1 teacher timetables.
constexpr int kClassTimetables = 0;
constexpr int kTeacherTimetables = 1;
// Weekday rows the timetable window shows: 1 Monday .. 6 Saturday.
constexpr int kTimetableFirstRow = 1;
constexpr int kTimetableLastRow = 6;

extern const char* const kMsgTimetableFull;  // "これ以上登録できません。（最大200件）"

// Count of timetables of a kind, clamped to 0..200 (a damaged header never reaches past
// the store).
int timetableCountOf(const SchoolYear& y, int kind);
// The periods a day the timetable grids show, clamped to 1..9.
int timetablePeriods(const SchoolYear& y);

// Empties every cell of a record (rows 0..6, periods 0..9).
void clearTimetableCells(JWRec& rec);

// Appends timetable `name` of a kind. Returns its number, or 0 when the kind already has
// 200 (nothing changes then).
int appendTimetable(SchoolYear& y, int kind, const std::string& name);
// Inserts timetable `name` before list position pos (0-based): records pos+1..count move
// one number up, whole; the new record pos+1 is empty. A position at or past the end
// appends. Returns the new number, or 0 when the kind is full.
int insertTimetable(SchoolYear& y, int kind, int pos, const std::string& name);
// Deletes timetable `number`: the records above it move one number down, whole, and the
// record that falls free is emptied. False when there is no such timetable.
bool deleteTimetable(SchoolYear& y, int kind, int number);
// Renames timetable `number`; false when there is no such timetable.
bool renameTimetable(SchoolYear& y, int kind, int number, const std::string& name);

// Lays a timetable grid out: 7 rows, periods + 1 columns, the period numbers in row 0,
// 月..土 in column 0, and `corner` in cell (0, 0).
void layoutTimetableGrid(Grid& g, int periods, const std::string& corner = "");
// Column widths for a grid `gridWidth` twips wide: w = gridWidth / columns (whole
// twips) for every period column, the rest less 80 twips for column 0.
void sizeTimetableColumns(Grid& g, int gridWidth);
// Shows timetable `rec` in rows 1..6, columns 1..periods (texts trimmed).
void timetableToGrid(const JWRec& rec, Grid& g, int periods);
// Empties rows 1..6, columns 1..periods.
void clearTimetableGrid(Grid& g, int periods);
// Stores rows 1..6, columns 1..periods of the grid, untrimmed, into `rec` (FData2JWData).
void gridToTimetable(const Grid& g, JWRec& rec, int periods);

// The selection of a timetable grid without its fixed row and column.
struct CellBlock {
  int top = 1, left = 1, bottom = 0, right = 0;
  bool empty() const { return bottom < top || right < left; }
};
CellBlock timetableSelection(const Grid& g);
// 複写: the selected cells, trimmed, as clipboard text.
std::string copyTimetableCells(const Grid& g);
// 削除: empties the selected cells.
void clearSelectedTimetableCells(Grid& g);

enum class TimetablePaste {
  Pasted,
  NothingToPaste,  // empty text: "貼り付けるデータがありません。"
  DoesNotFit,      // "貼り付け開始位置が不適当です。"
  NoLines,         // text without a line break: nothing happens, nothing is said
};
// 貼り付け of clipboard text at the selection's top-left cell: one field fills the whole
// selection, a block is laid from the origin. Cells receive the text made safe to store
// (no control characters, valid UTF-8). The grid changes only when Pasted is returned.
TimetablePaste pasteTimetableCells(Grid& g, std::string_view text);

extern const char* const kMsgPasteNothing;  // "貼り付けるデータがありません。"
extern const char* const kMsgPasteOrigin;   // "貼り付け開始位置が不適当です。"

}  // namespace tly
