#include "session/windows/frmmain/controls.h"

#include <algorithm>

#include "session/windows/celledit.h"

namespace tly {

const char* const kCopyAllMonthCaption = "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";
const char* const kCopyAllTallyCaption = "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ";

namespace {

// Commands that would replace or resize the year under the tally.
const char* const kTallyLockedMenus[] = {"mnuOpen", "mnuSave", "mnuNSave", "mnuNew", "mnuColWidth"};
const char* const kTallyLockedButtons[] = {"Open", "Save", "New"};

// The commands that timetable mode forbids.
const char* const kTimetableLockedMenus[] = {
    "mnuOpen",  "mnuSave", "mnuNSave", "mnuNew",    "mnuEnd",      "mnuUndo",      "mnuCut",  "mnuDel",     "mnuPaste",
    "mnuEditAll", "mnuCopyMode", "mnuView", "pmnuUndo", "pmnuCut", "pmnuDel", "pmnuPaste", "pmnuEditAll", "pmnuCopyMode"};

// Their toolbar buttons: the file and edit commands and the View menu's.
const char* const kTimetableLockedButtons[] = {"New", "Open", "Save", "Undo", "Cut", "Paste", "Del",
                                               "Font", "JWC", "JWS", "DispAll"};

}  // namespace

MenuItemState ControlStates::item(const std::string& name) const {
  auto it = menu.find(name);
  return it == menu.end() ? MenuItemState{} : it->second;
}

ToolButtonState ControlStates::tool(const std::string& key) const {
  auto it = button.find(key);
  return it == button.end() ? ToolButtonState{} : it->second;
}

std::string popupItemKey(int n) { return "pmnuJItem" + std::to_string(n); }

ControlStates mainControls(const App& app) {
  const ViewState& v = app.V;
  ControlStates c;
  auto check = [&](const char* name, bool on) { c.menu[name].checked = on; };
  auto press = [&](const char* key, bool on) { c.button[key].pressed = on; };

  check("mnuKei", v.tally);
  press("Kei", v.tally);
  check("mnuJikanwari", v.timetableMode);
  press("JW", v.timetableMode);
  check("mnuUDisp", v.changesOnly);
  press("DispAll", v.changesOnly);
  check("mnuDispJWC", v.timetable == TimetableView::Class);
  press("JWC", v.timetable == TimetableView::Class);
  check("mnuDispJWS", v.timetable == TimetableView::Teacher);
  press("JWS", v.timetable == TimetableView::Teacher);
  check("mnuEditAll", v.editAll);
  check("pmnuEditAll", v.editAll);
  check("mnuCopyMode", v.copyMode);
  check("pmnuCopyMode", v.copyMode);
  check("mnuShowToolBar", v.toolBar);

  if (v.tally) {
    for (const char* m : kTallyLockedMenus) c.menu[m].enabled = false;
    for (const char* b : kTallyLockedButtons) c.button[b].enabled = false;
  }
  if (v.timetableCommandsOff) {
    for (const char* m : kTimetableLockedMenus) c.menu[m].enabled = false;
    for (const char* b : kTimetableLockedButtons) c.button[b].enabled = false;
  }
  if (v.copyAllRenamed)
    c.menu["mnuCopyAll"].caption = v.tally || v.timetableMode ? kCopyAllTallyCaption : kCopyAllMonthCaption;

  // The pop-up menu's tally items: the item names, shown when the right-click offered them.
  const int items = std::clamp<int>(app.Y.JItemCount, 0, kPopupItems);
  c.menu["pmnuSp7"].visible = v.popupOffersItems;
  for (int n = 1; n <= kPopupItems; ++n) {
    MenuItemState& m = c.menu[popupItemKey(n)];
    m.caption = app.Y.JItem[static_cast<size_t>(n - 1)];
    m.visible = v.popupOffersItems && n <= items;
  }

  c.toolBarVisible = v.toolBar;
  // Timetable mode hides the timetable selector; the timetable window's tally shows it
  // again, disabled, with the grade and month selectors.
  const bool locked = app.JWF.mainSelectorsLocked;
  c.timetableSelectorVisible = v.timetableText() && ((!v.tally && !v.timetableMode) || locked);
  c.timetableSelectorEnabled = !locked;
  c.gradeMonthSelectorsEnabled = !locked;
  return c;
}

}  // namespace tly
