#include "tally/tallyview.h"

namespace tly {

// The tally is not wired in yet; the tally menu entry stays disabled until it is.
void DispJisuu(App&) {}
void mnuKei_Click(App&) {}
void leaveTallyView(App& app) { app.W.setChecked("mnuKei", false); }

}  // namespace tly
