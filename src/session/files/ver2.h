// The older three-file "Ver.2" format (main file, ".das" texts, ".daj" timetables).
#pragma once

#include <string>
#include <string_view>

#include "io/ver2format.h"
#include "model/result.h"
#include "session/state/app.h"

namespace tly {

extern const char* const kOldWorkFileName;  // "JJTEMP.DAT"
// The refusal of a main-file name that is one of its companions' names (then the name).
extern const char* const kMsgVer2NameClash;

// name in/out, always "" on return.
void LoadJJ(App& app, std::string& name);
void SaveJJ(App& app, std::string& name);

// ---- The same procedures with their outcome, for callers that need it (command line).

// How far a read of the older format got. Each replaces the open year.
enum class Ver2Read {
  Whole,                // all three files read
  StoppedNoTexts,       // the text file is missing: the lesson cells were taken, texts cleared
  StoppedNoTimetables,  // the timetable file is missing: cells and texts were taken
};
// Fails NotFound (the main file is missing or empty) or Cancelled (the Open dialog was
// cancelled or failed): nothing changed; or Damaged / Unreadable with the error number in
// error, already shown to the user, with the open year unchanged.
Result<Ver2Read> loadVer2(App& app, std::string& name);

// Fails Cancelled (the dialog, or the overwrite question answered No), or, shown to the
// user, WriteFailed (error: the error number) or BadArguments (a main-file name that
// clashes with a companion's).
Result<void> saveVer2(App& app, std::string& name);

}  // namespace tly
