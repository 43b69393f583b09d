#include "session/menus.h"

namespace tly {

const std::array<const char*, 18> kTimetableModeMenus = {
    "mnuOpen",  "mnuSave",    "mnuNSave",    "mnuNew",   "mnuEnd",   "mnuUndo",
    "mnuCut",   "mnuDel",     "mnuPaste",    "mnuEditAll", "mnuCopyMode", "mnuView",
    "pmnuUndo", "pmnuCut",    "pmnuDel",     "pmnuPaste", "pmnuEditAll", "pmnuCopyMode"};

namespace {
void setMenusEnabled(App& app, bool on) {
  for (const char* m : kTimetableModeMenus) app.W.menu[m].enabled = on;
}
}  // namespace

void EnableMenu(App& app) { setMenusEnabled(app, true); }
void DisableMenu(App& app) { setMenusEnabled(app, false); }

}  // namespace tly
