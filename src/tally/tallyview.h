// The tally view of the main grid and its command.
#pragma once

#include "core/appstate.h"

namespace tly {

// Fills the grid with the slot tally of grade CurGr over the current range.
void DispJisuu(App& app);
// The tally command: switches the tally view on or off.
void mnuKei_Click(App& app);
// Leaves the tally view if it is showing (used by shut-down, Exit and view commands).
void leaveTallyView(App& app);

}  // namespace tly
