// The Edit menu of the main window: copy, cut, paste, delete, undo, copy of the whole
// grid and the copy-mode switch.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/clipboardtext.h"
#include "session/state/app.h"

namespace tly {

// Text a month-view cell gives to the clipboard: day texts and (in copy mode) period
// cells as shown, otherwise a period cell's code as it would be typed.
std::string clipCellText(const App& app, int row, int col);

// The commands. Each returns true when the grid should get focus afterwards; each that
// changes the year is one step of the history (取り消し is in session/windows/history.h).
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
