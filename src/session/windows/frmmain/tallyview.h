// The tally view of the main grid and its command.
#pragma once

#include "session/state/app.h"
#include "session/windows/frmmain/tally.h"

namespace tly {

// The tally command: switches the tally view on or off. Switching on leaves the grid
// showing the month; the window then opens the tally dialog (and, when JWMode became
// 1 or 2, the timetable window on timetable JWNo). Switching off also closes the
// timetable window: timetable mode ends, and the window closes it if open.
void mnuKei_Click(App& app);
// Leaves the tally view if it is showing (used by shut-down, Exit and view commands).
void leaveTallyView(App& app);
// True while the tally view is on.
inline bool tallyViewOn(const App& app) { return app.V.tally; }

}  // namespace tly
