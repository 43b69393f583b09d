// What the timetable window frmJW shows and remembers while it is open: its kind options,
// list, name box, reference area, the two grids, the entry box and its cell edit, and
// where it is on screen. The window's procedures (session/timetablewindow.h) work on it;
// the desktop program shows it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/grid.h"
#include "model/schoolyear.h"
#include "session/state/editstate.h"

namespace tly {

// The control that a procedure of the timetable window gives the focus to.
enum class JWFocus { None, Grid1, TxtInput, TxtJW, LstJW, CmdJWAdd, CmdJWIns };

// Window heights in twips: as opened, with the reference area hidden and shown.
constexpr int kJWHeightOpened = 4200;
constexpr int kJWHeightNoRef = 4170;
constexpr int kJWHeightRef = 6000;
constexpr int kJWGridWidth = 4155;  // both grids, as designed

struct JWListState {
  std::vector<std::string> items;
  int index = -1;  // selected position, -1 none
  int size() const { return static_cast<int>(items.size()); }
  bool selected() const { return index >= 0 && index < size(); }
};

struct JWForm {
  bool open = false;
  bool optClass = true;     // class timetables are edited (else teacher timetables)
  bool optRefClass = true;  // the reference shows class timetables
  JWListState lstJW;
  std::string txtJW;        // the name box
  JWListState cmbRef;
  bool refShown = false;    // optRefClass, optRefSubject and cmbRef are visible
  std::string label1 = "学級名：";
  std::string label2 = "時間割名";
  Grid Grid1, Grid2;
  std::string txtInput;     // the entry box; the overlay GText1 mirrors it
  bool overlayShown = false;
  CellEditState edit;       // InputMode, InputKey, InputShift of this window
  int JWNameMode = 0;       // Enter in the name box: 0 add, 1 rename, 2 insert
  std::string NewJWName;
  int JWListPos = 0, JWRefPos = 0;
  // Placement in twips; windowState 0 normal, 1 minimised, 2 maximised.
  int left = 2000, top = 2000, height = kJWHeightOpened, windowState = 0;
  JWFocus focus = JWFocus::None;  // the focus the last procedure asked for
  // While the timetable tally is shown from this window the main window's grade and month
  // selectors are off and its timetable selector is shown disabled.
  bool mainSelectorsLocked = false;
};

}  // namespace tly
