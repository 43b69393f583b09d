// Fuzz target for the settings file. Built as a libFuzzer program by tools/fuzz-readers.sh
// (TLY_LIBFUZZER defined); in the test suite only iniCheck is used.
#include <cstdlib>
#include <memory>
#include <string>

#include "io/profile.h"
#include "session/files/settingsfile.h"
#include "fuzz/fuzz_targets.h"
#include "support/viewstate.h"

namespace tly::fuzz {

bool iniCheck(const uint8_t* data, size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);

  // Whatever the file holds, what it gives stays inside the tables' ranges.
  // The App is large; one per run would make the fuzzer slow. Every value checked below
  // is set by the reader on each run.
  static App* const app = new App();
  app->Grid1.setCols(10);
  getMainIniFrom(*app, &raw);
  if (app->Y.Ggn < 1 || app->Y.Ggn > kGrades) return false;
  if (app->Y.JItemCount < 0 || app->Y.JItemCount > 16) return false;
  if (app->W.windowState < 0 || app->W.windowState > 2) return false;
  if (!(app->Grid1.Font.size >= 1 && app->Grid1.Font.size <= 200)) return false;
  if (app->W.cmbGr.items.size() != static_cast<size_t>(app->Y.Ggn)) return false;
  if (mainControls(*app).checked(Command::DispJWC) && mainControls(*app).checked(Command::DispJWS)) return false;

  // A key written into any file reads back, and the rest of the file is kept.
  ProfileText p(raw);
  if (p.bytes() != raw) return false;
  p.set("TLY", "FuzzKey", "value 1");
  ProfileText q(p.bytes());
  if (q.getString("tly", "fuzzkey", "") != "value 1") return false;
  const std::string written = p.bytes();
  if (written.size() < raw.size()) return false;

  // The main settings written over the file read back.
  app->Y.Ggn = 4;
  app->Y.JItemCount = 5;
  app->W.windowState = 1;
  testing::setView(*app, Command::UDisp, false);
  app->Grid1.Font.size = 12.5f;
  putMainIniTo(*app, p);
  const std::string again = p.bytes();
  static App* const back = new App();
  back->Grid1.setCols(10);
  getMainIniFrom(*back, &again);
  return back->Y.Ggn == 4 && back->Y.JItemCount == 5 && back->W.windowState == 1 &&
         !mainControls(*back).checked(Command::UDisp) && back->Grid1.Font.size == 12.5f;
}

}  // namespace tly::fuzz

#ifdef TLY_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!tly::fuzz::iniCheck(data, size)) std::abort();
  return 0;
}
#endif
