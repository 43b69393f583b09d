// Tests set up and read the main window's view the way a user sees it: by the names of
// its menu entries and toolbar buttons. Reading goes through the one derivation the
// window uses (mainControls); setting maps a name onto the typed view state.
#pragma once

#include <stdexcept>
#include <string>

#include "session/windows/frmmain/controls.h"

namespace tly::testing {

// Sets the view option that the menu entry or toolbar button `name` shows.
inline void setView(App& app, const std::string& name, bool on) {
  ViewState& v = app.V;
  auto timetable = [&](TimetableView t) {
    if (on)
      v.timetable = t;
    else if (v.timetable == t)
      v.timetable = TimetableView::None;
  };
  if (name == "mnuKei" || name == "Kei") v.tally = on;
  else if (name == "mnuJikanwari" || name == "JW") v.timetableMode = on;
  else if (name == "mnuUDisp" || name == "DispAll") v.changesOnly = on;
  else if (name == "mnuDispJWC" || name == "JWC") timetable(TimetableView::Class);
  else if (name == "mnuDispJWS" || name == "JWS") timetable(TimetableView::Teacher);
  else if (name == "mnuEditAll" || name == "pmnuEditAll") v.editAll = on;
  else if (name == "mnuCopyMode" || name == "pmnuCopyMode") v.copyMode = on;
  else if (name == "mnuShowToolBar") v.toolBar = on;
  else throw std::invalid_argument("no view option behind " + name);
}

}  // namespace tly::testing
