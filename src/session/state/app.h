// Everything one run of the program works on: the open year and the run-time parts
// around it. The desktop program shows this state; the command line and tests read it
// directly.
#pragma once

#include <string>

#include "model/grid.h"
#include "model/platform.h"
#include "model/schoolyear.h"
#include "session/state/appstate.h"
#include "session/state/editstate.h"
#include "session/state/history.h"
#include "session/state/jwform.h"
#include "session/state/view.h"

namespace tly {

// Everything one run of the program works on.
struct App {
  SchoolYear Y;
  Shown S;
  ProgramFiles F;
  CellEditState E;  // the main grid's cell edit (InputText is also used by the item dialog)
  TallyState T;
  CarriedSettings C;
  History H;  // the steps of the open year, for 取り消し and やり直し
  ViewState V;
  MainView W;
  Grid Grid1;
  Platform P;
  JWForm JWF;  // the timetable window

  // Message box through the platform; OK when no message service is installed.
  MsgResult msg(const std::string& text, MsgButtons b = MsgButtons::OK, MsgIcon i = MsgIcon::None,
                const std::string& title = "TLY") {
    return P.msg ? P.msg->show(text, b, i, title) : (b == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::OK);
  }
  // A value of the per-user settings store (application "TLY", section "Settings");
  // def when there is no store or no such value.
  std::string setting(const std::string& key, const std::string& def) {
    return P.settings ? P.settings->get("TLY", "Settings", key, def) : def;
  }
  void storeSetting(const std::string& key, const std::string& value) {
    if (P.settings) P.settings->set("TLY", "Settings", key, value);
  }
};

}  // namespace tly
