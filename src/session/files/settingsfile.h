// The settings file "tly.ini": the main window's GetMainIni / PutMainIni (sections "TLY"
// and "TLYWindow", which go with the older data format) and the timetable window's
// PutJWIni (section "TLYJW").
#pragma once

#include <string>

#include "session/state/app.h"
#include "io/mainini.h"
#include "io/profile.h"

namespace tly {

void GetMainIni(App& app);
void PutMainIni(App& app);

// What the timetable window writes when timetable mode is left.
struct JWIniState {
  int left = 0, top = 0;   // window position, twips
  bool optClass = true;    // class timetables chosen
  int lstJW = -1;          // selected list position, -1 none
  bool optRefClass = true; // the reference shows class timetables
  int cmbRef = -1;         // selected reference position, -1 none
};
void PutJWIni(App& app, const JWIniState& s);

// The same readers and writers on file contents in memory. raw == nullptr means the
// file could not be opened. putMainIniTo updates p (the file as it stood) in place.
void getMainIniFrom(App& app, const std::string* raw);
void putMainIniTo(const App& app, ProfileText& p);

}  // namespace tly
