// Tests set up and read the main window's view the way a user sees it: by the commands
// of its menu entries and toolbar buttons. Reading goes through the one derivation the
// window uses (mainControls); setting maps a command onto the typed view state.
#pragma once

#include <stdexcept>
#include <string>

#include "session/windows/frmmain/controls.h"

namespace tly::testing {

// Sets the view option that the menu entry (or its button) of command c shows.
inline void setView(App& app, Command c, bool on) {
  ViewState& v = app.V;
  auto timetable = [&](TimetableView t) {
    if (on)
      v.timetable = t;
    else if (v.timetable == t)
      v.timetable = TimetableView::None;
  };
  switch (c) {
    case Command::Kei: v.tally = on; break;
    case Command::Jikanwari: v.timetableMode = on; break;
    case Command::UDisp: v.changesOnly = on; break;
    case Command::DispJWC: timetable(TimetableView::Class); break;
    case Command::DispJWS: timetable(TimetableView::Teacher); break;
    case Command::EditAll: case Command::PopupEditAll: v.editAll = on; break;
    case Command::CopyMode: case Command::PopupCopyMode: v.copyMode = on; break;
    case Command::ShowToolBar: v.toolBar = on; break;
    default: throw std::invalid_argument(std::string("no view option behind ") + controlName(c));
  }
}

}  // namespace tly::testing
