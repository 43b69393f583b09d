// The commands of the main window and the timetable window: every menu, menu entry,
// pop-up entry and toolbar button, one row each, with its designed control name,
// caption, shortcut and toolbar button. The view state (mainControls) and the window
// code both name a control by its Command, so a misspelt name does not compile.
#pragma once

#include <cstddef>

namespace tly {

enum class Command {
  // The main window's menus and their entries, in menu order.
  FileMenu, New, NextYear, Open, Save, NSave, Print, End,
  EditMenu, Undo, Redo, Cut, Copy, Paste, Del, CopyAll, CopyMode, EditAll,
  ViewMenu, LastMonth, Today, NextMonth, Font, ColWidth, UDisp, DispJWC, DispJWS, ShowToolBar,
  ToolMenu, Kei, Jikanwari, JItem, StdHours,
  HelpMenu, Help, About,
  // The grid's pop-up menu pmnu1; the timetable window's grid pop-up has the first five.
  PopupUndo, PopupCut, PopupCopy, PopupPaste, PopupDel, PopupEditAll, PopupCopyMode,
  PopupSp7,  // the separator above the tally items
  PopupItem1, PopupItem2, PopupItem3, PopupItem4, PopupItem5, PopupItem6, PopupItem7, PopupItem8,
  PopupItem9, PopupItem10, PopupItem11, PopupItem12, PopupItem13, PopupItem14, PopupItem15, PopupItem16,
  // The timetable window's list and reference pop-ups.
  PopupListED, PopupListDel, PopupRefCopy, PopupRefEnd,
};

// PopupRefEnd stays the last value: the count follows from it.
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::PopupRefEnd) + 1;

struct CommandInfo {
  Command command;
  const char* name;      // designed control name ("mnuKei"): object name and messages
  const char* caption;   // designed caption; nullptr for the separator and the tally items
  const char* shortcut;  // nullptr: none
  bool checkable;        // the entry carries a check mark, its button stays pressed
  const char* toolKey;   // toolbar key ("Kei"); nullptr: no button
  const char* tip;       // the button's tip
  const char* glyph;     // drawn on the button when no standard icon fits
};

const CommandInfo& commandInfo(Command c);
inline const char* controlName(Command c) { return commandInfo(c).name; }
constexpr std::size_t commandIndex(Command c) { return static_cast<std::size_t>(c); }

// The pop-up menu's tally item entry n (1..16).
constexpr Command popupItem(int n) { return static_cast<Command>(static_cast<int>(Command::PopupItem1) + n - 1); }

}  // namespace tly
