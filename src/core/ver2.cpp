#include "core/ver2.h"

namespace tly {

const char* const kOldWorkFileName = "JJTEMP.DAT";

// The older-format reader and writer are not wired in yet: reading finds nothing.
void LoadJJ(App&, std::string& name) { name.clear(); }
void SaveJJ(App&, std::string& name) { name.clear(); }

}  // namespace tly
