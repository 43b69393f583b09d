#include "core/settingsfile.h"

namespace tly {

// Not wired in yet.
void GetMainIni(App&) {}
void PutMainIni(App&) {}

}  // namespace tly
