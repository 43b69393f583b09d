// The state of a cell edit through an entry box, kept by the main grid and by the
// timetable grid alike.
#pragma once

#include <string>

namespace tly {

// How the cell edit in progress began (InputMode).
enum class EditStart : int {
  None = 0,         // no edit
  Typed = 1,        // a character typed into the grid
  KeyOrClick = 2,   // F2 or a double-click
  MirrorClick = 3,  // a click on the mirror box over the cell
};

// A cell edit through an entry box, as the main grid and the timetable grid keep it.
// InputMode: how the edit in progress began. InputKey: the character code typed in the
// grid before the edit, the key that ended it afterwards. InputShift: the Shift state of
// the last key in the entry box. InputText: the entry box's text on its way to the grid.
struct CellEditState {
  EditStart InputMode = EditStart::None;
  int InputKey = 0;
  int InputShift = 0;
  std::string InputText;
  std::string InputKeyText;  // the typed character itself, UTF-8 (any script)
};

}  // namespace tly
