// The main window's menu entries and toolbar buttons as they follow from the view state:
// check marks, enabled states, captions, visibility and pressed buttons, by Command.
// The window shows this after every command.
#pragma once

#include <array>
#include <string>

#include "session/state/app.h"
#include "session/state/commands.h"

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
  std::array<MenuItemState, kCommandCount> menu{};      // every menu, entry and pop-up entry
  std::array<ToolButtonState, kCommandCount> button{};  // the toolbar button of the command
  bool toolBarVisible = false;
  bool timetableSelectorVisible = false;  // cmbDispJW
  bool timetableSelectorEnabled = true;
  bool gradeMonthSelectorsEnabled = true;  // cmbGr, cmbMonth
  bool modified = false;  // the year has changes not yet saved
  std::string title;      // the window title: the caption, with "*" while modified

  const MenuItemState& item(Command c) const { return menu[commandIndex(c)]; }
  const ToolButtonState& tool(Command c) const { return button[commandIndex(c)]; }
  bool checked(Command c) const { return item(c).checked; }
  bool enabled(Command c) const { return item(c).enabled; }
  bool pressed(Command c) const { return tool(c).pressed; }
};

// Caption of Command::CopyAll in the month view and in the tally view.
extern const char* const kCopyAllMonthCaption;  // "月間予定表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"
extern const char* const kCopyAllTallyCaption;  // "時数集計表をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"

ControlStates mainControls(const App& app);

}  // namespace tly
