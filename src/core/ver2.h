// The older three-file "Ver.2" format (main file, ".das" texts, ".daj" timetables).
#pragma once

#include <string>

#include "core/appstate.h"

namespace tly {

extern const char* const kOldWorkFileName;  // "JJTEMP.DAT"

// name in/out, always "" on return.
void LoadJJ(App& app, std::string& name);
void SaveJJ(App& app, std::string& name);

}  // namespace tly
