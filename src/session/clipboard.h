// The Edit menu of the main window: copy, cut, paste, delete, undo, copy of the whole
// grid, the copy-mode switch, and the one-level undo copy of the shown month.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "session/appstate.h"

namespace tly {

// Clipboard text of rows of cells: a tab between cells, CR LF after every row (the last
// one included).
std::string clipboardText(const std::vector<std::vector<std::string>>& rows);
// Clipboard text of the grid rectangle top..bottom x left..right of the grid's own texts
// as they are (the whole grid, trimmed: gridToClipboardText). Cells outside the grid are
// empty.
std::string gridRectText(const Grid& g, int top, int left, int bottom, int right);

// Text a month-view cell gives to the clipboard: day texts and (in copy mode) period
// cells as shown, otherwise a period cell's code as it would be typed.
std::string clipCellText(const App& app, int row, int col);

// Shape of clipboard text as paste reads it: nCols = 1 + the tabs before the first
// CR LF (all tabs when there is none), nRows = the number of CR LF pairs.
struct PasteShape {
  size_t cols = 1;
  size_t rows = 0;
};
PasteShape pasteShape(std::string_view text);
// The fields of the first maxRows lines of clipboard text (each line ended by CR LF),
// split at tabs, at most maxCols per line.
std::vector<std::vector<std::string_view>> pasteFields(std::string_view text, size_t maxRows, size_t maxCols);

// The undo copy: takes the shown month of every grade.
void stJJ(App& app);
// Exchanges the undo copy with the copied month (grades as edit-all mode says).
void undo(App& app);
// Forgets the undo copy. Called when another school year is opened or created, so Undo
// never writes a month of one year into another.
void discardUndoCopy(App& app);

// The commands. Each returns true when the grid should get focus afterwards.
bool mnuUndo_Click(App& app);
bool mnuCopy_Click(App& app);
bool mnuCut_Click(App& app);
bool mnuDel_Click(App& app);
bool mnuPaste_Click(App& app);
bool mnuCopyAll_Click(App& app);
void mnuCopyMode_Click(App& app);
bool copyModeOn(const App& app);

// Pastes text at the current cell / selection exactly as 貼り付け does, without reading
// the clipboard (the command line uses this). Returns false when refused (a message was
// shown).
bool pasteText(App& app, std::string_view text);

}  // namespace tly
