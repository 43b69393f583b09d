// The main window's menu entries and toolbar buttons as they follow from the view state:
// check marks, enabled states, captions, visibility and pressed buttons, keyed by the
// controls' names. The window shows this after every command; nothing else in the
// toolkit-free code names a control.
#pragma once

#include <map>
#include <string>

#include "session/state/app.h"

namespace tly {

struct MenuItemState {
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::string caption;  // empty: the entry keeps its designed caption
};

struct ToolButtonState {
  bool pressed = false;
  bool enabled = true;
};

struct ControlStates {
  std::map<std::string, MenuItemState> menu;      // by control name: "mnuUDisp", "mnuKei", ...
  std::map<std::string, ToolButtonState> button;  // by toolbar key: "DispAll", "JWC", ...
  bool toolBarVisible = false;
  bool timetableSelectorVisible = false;  // cmbDispJW
  bool timetableSelectorEnabled = true;
  bool gradeMonthSelectorsEnabled = true;  // cmbGr, cmbMonth

  // An entry or button not listed has the designed state (enabled, unchecked, visible).
  MenuItemState item(const std::string& name) const;
  ToolButtonState tool(const std::string& key) const;
  bool checked(const std::string& name) const { return item(name).checked; }
  bool enabled(const std::string& name) const { return item(name).enabled; }
  bool pressed(const std::string& key) const { return tool(key).pressed; }
};

// Caption of "mnuCopyAll" in the month view and in the tally view.
extern const char* const kCopyAllMonthCaption;  // "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"
extern const char* const kCopyAllTallyCaption;  // "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"

ControlStates mainControls(const App& app);

// Control name of the pop-up menu's tally item entry n (1..16): "pmnuJItem1" .. "pmnuJItem16".
std::string popupItemKey(int n);

}  // namespace tly
