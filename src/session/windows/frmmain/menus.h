// The main window's commands that timetable mode forbids: DisableMenu turns them off
// while the timetable window is open, EnableMenu turns them on again.
#pragma once

#include "session/state/app.h"

namespace tly {

void EnableMenu(App& app);
void DisableMenu(App& app);

}  // namespace tly
