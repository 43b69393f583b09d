// The settings file "tly.ini": a private-profile reader/writer and the main window's
// GetMainIni / PutMainIni.
#pragma once

#include <string>

#include "core/appstate.h"

namespace tly {

void GetMainIni(App& app);
void PutMainIni(App& app);

}  // namespace tly
