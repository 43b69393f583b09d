// Editing the month grid in place: decoding typed or pasted text into a cell code,
// storing it for the shown grade or every grade, the start and end of an edit through
// the entry box txtInput, keyboard moves in the grid, the right-click pop-up's item
// entries and the edit-all switch. Everything here works on App; the desktop program
// forwards its events and then shows the state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/celltext.h"
#include "session/state/app.h"

namespace tly {

// Key codes as the edit handlers see them (the old virtual-key numbering).
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyDelete = 46;
constexpr int kKeyTab = 9;
constexpr int kKeyF2 = 113;
constexpr int kKeyPadEnter = 108;
// Shift state bits.
constexpr int kShiftBit = 1;
constexpr int kCtrlBit = 2;
constexpr int kAltBit = 4;

// ---- The edit machinery, shared by the main grid and the timetable grid ---------------
// Both start an edit by a typed character, F2, a double-click or a click on the mirror
// box, end it with Enter, Esc or (unless it began with F2 or a double-click) an arrow, and
// then move the cursor. They differ in where the text goes and in the leftmost column the
// cursor may move to, which the callers pass in.

// Records a character typed in a grid (UTF-8, one character): the single-byte range of
// the old code page and any other printable character (the latter starts the edit at
// once: InputMode becomes Typed).
void recordTypedChar(CellEditState& e, const std::string& ch);
void recordTypedCode(CellEditState& e, int charCode);
// A key released in the grid with this Shift state starts an edit (InputMode Typed).
bool keyReleaseStartsEdit(CellEditState& e, int keyCode, int shift);
// The entry box's text as an edit starts (InputMode Typed, KeyOrClick or MirrorClick):
// the typed character, the cell's text, or the box's own text when the mirror box was
// clicked (which continues the edit as KeyOrClick).
std::string editStartText(CellEditState& e, const std::string& cellText, const std::string& boxText);
// A key in the entry box: true when it ends the edit (InputKey, InputShift and InputText
// are then set).
bool editEndKey(CellEditState& e, int keyCode, int shift, const std::string& boxText);
// The edit ended with a key that stores the text (Enter, or an arrow unless it began
// with F2 or a double-click).
bool editEndStores(const CellEditState& e);
// Moves the cursor for the key that ended a storing edit; firstCol is the leftmost
// column the cursor may move to.
void moveAfterEdit(const CellEditState& e, Grid& g, int firstCol);
// Forgets the edit: no mode, no key, no text.
void resetEdit(CellEditState& e);

// Grade indexes (0-based, inclusive) that a store reaches: every grade of the year in
// edit-all mode, the shown grade otherwise. first > last when there is none.
struct GradeRange {
  int first = 0, last = -1;
};
GradeRange editGrades(const App& app);
bool editAllMode(const App& app);
// The month view is read-only while the tally view is shown.
bool tallyViewShown(const App& app);
bool timetableSettingShown(const App& app);

// Column kinds of the month grid.
bool isEventsColumn(const App& app, int col);
bool isRemarksColumn(const App& app, int col);
bool isPeriodColumn(const App& app, int col);
// A grid row that is a day of the tables (1..31 and inside the grid).
bool isDayRow(const App& app, int row);

// Stores a text into the day-text column or decodes it into a period cell of the shown
// month at (row, col), for the grades of editGrades. Period cells ignore an empty text
// and text that decodes to nothing. Returns true when a period code was stored.
// This is the store of a pasted value; typing goes through Grid1_GotFocus.
bool storeCellValue(App& app, int row, int col, std::string_view text);

// Redraws the shown month of the shown grade.
void redrawMonth(App& app);

// ---- Starting an edit -------------------------------------------------------------

// A character typed in the grid (code 32..126 or 160..223, the old single-byte range).
void Grid1_KeyPress(App& app, int charCode);
// A character typed in the grid given as UTF-8 text (any script, e.g. committed by an
// input method): codes in the single-byte range behave as Grid1_KeyPress, other
// printable characters become the first character of the edit as well.
void Grid1_KeyPressText(App& app, const std::string& ch);
// Key release in the grid: true when an edit starts (focus goes to the entry box).
bool Grid1_KeyUp(App& app, int keyCode, int shift);
// Double-click in the grid: true when an edit starts.
bool Grid1_DblClick(App& app);
// Click into the mirror box: the edit continues in the entry box.
void GText1_GotFocus(App& app);

enum class GridKeyAction {
  None,       // not handled here (the grid moves as usual)
  Handled,    // handled (moved, or swallowed in the tally view)
  StartEdit,  // F2: focus to the entry box
};
// Key down in the grid: F2, Tab, Enter, Delete.
GridKeyAction Grid1_KeyDown(App& app, int keyCode, int shift);

// ---- The edit in the entry box ----------------------------------------------------

// The entry box got focus. Sets W.txtInput (the entry box and mirror text) by
// InputMode. Returns false when no edit was started: focus goes straight back to the
// grid.
bool txtInput_GotFocus(App& app);
// A key in the entry box: true when the key ends the edit (it is swallowed and focus
// goes to the grid). The entry box's text must be in W.txtInput.
bool txtInput_KeyDown(App& app, int keyCode, int shift);

// ---- Commit ----------------------------------------------------------------------

// The grid got focus: stores the handed-over text when the edit ended with Enter or
// (for a typed edit) an arrow key, moves the current cell, and resets the edit state.
// Returns true when something was stored. A stored text that lost control characters
// (tabs, line breaks) says so in status panel 1 (kMsgControlsRemoved).
bool Grid1_GotFocus(App& app);
extern const char* const kMsgControlsRemoved;

// ---- Pop-up menu and edit-all ---------------------------------------------------------

constexpr int kPopupItems = 16;
// Caption of pop-up item entry n: the item's current name (also after a file was opened,
// when the captions kept in W.menu may still name the previous year's items).
std::string popupItemCaption(const App& app, int n);
// Right button in the grid: sets the visibility of pmnuSp7 and pmnuJItem(1..16) in
// W.menu. Returns false in the tally view (no pop-up).
bool Grid1_RightMouseDown(App& app);
// Assigns tally item `index` to the selected period cells (undo copy first).
void pmnuJItem_Click(App& app, int index);
// Switches edit-all mode (menu, pop-up twin and status panel 3).
void mnuEditAll_Click(App& app);
// Status panel 3 and the pop-up twin from the menu's check state (window load).
void showEditAllState(App& app);

extern const char* const kEditAllText;  // "全学年一括編集"

}  // namespace tly
