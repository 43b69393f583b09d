// The main window's commands that timetable mode forbids: DisableMenu turns them off
// while the timetable window is open, EnableMenu turns them on again.
#pragma once

#include <array>

#include "session/appstate.h"

namespace tly {

// The menu entries (by control name) that the two procedures switch.
extern const std::array<const char*, 18> kTimetableModeMenus;

void EnableMenu(App& app);
void DisableMenu(App& app);

}  // namespace tly
