// The file menu's list of recently used data files and the folder the file dialogs start
// in. Both live in the per-user settings store (section "Settings"), so they survive a
// restart: keys "Recent1" .. "Recent8" (most recent first, "" for an empty place) and
// "LastFolder".
#pragma once

#include <string>
#include <vector>

#include "session/state/app.h"

namespace tly {

constexpr int kRecentFiles = 8;

// The remembered files, most recent first, without empty or repeated entries.
std::vector<std::string> recentFiles(App& app);
// Puts path first in the list (dropping its older place and any file past the eighth)
// and remembers its folder as the last used one ("LastFolder", where the Open and Save As
// dialogs start when no file is open). The working file is not listed.
void rememberRecentFile(App& app, const std::string& path);
// Drops path from the list.
void forgetRecentFile(App& app, const std::string& path);

// The file menu entry of a remembered file: its number and file name ("&1 2024.DAT").
std::string recentFileCaption(int index, const std::string& path);

// Opens remembered file `index` (0-based) as Open would open it. A file that is no longer
// there is reported and offered for removal from the list. True when a year was read.
bool openRecentFile(App& app, int index);

extern const char* const kMsgRecentMissing;  // "... が見つかりません。" + the removal question

}  // namespace tly
