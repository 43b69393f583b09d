#include "session/windows/frmmain/menus.h"

namespace tly {

void EnableMenu(App& app) { app.V.timetableCommandsOff = false; }
void DisableMenu(App& app) { app.V.timetableCommandsOff = true; }

}  // namespace tly
