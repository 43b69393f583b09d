// The older three-file "Ver.2" format (main file, ".das" texts, ".daj" timetables).
#pragma once

#include <string>
#include <string_view>

#include "io/ver2format.h"
#include "session/state/app.h"

namespace tly {

extern const char* const kOldWorkFileName;  // "JJTEMP.DAT"
// The refusal of a main-file name that is one of its companions' names (then the name).
extern const char* const kMsgVer2NameClash;

// name in/out, always "" on return.
void LoadJJ(App& app, std::string& name);
void SaveJJ(App& app, std::string& name);

// ---- The same procedures with their outcome, for callers that need it (command line).

enum class Ver2LoadOutcome {
  Read,            // all three files read; the year is replaced
  NoFile,          // the main file is missing or empty: nothing changed
  Cancelled,       // the Open dialog was cancelled (or failed): nothing changed
  StoppedNoTexts,  // the text file is missing: the lesson cells were taken, texts cleared
  StoppedNoTimetables,  // the timetable file is missing: cells and texts were taken
  Failed,          // an error was reported; the open year is unchanged
};
Ver2LoadOutcome loadVer2(App& app, std::string& name);

enum class Ver2SaveOutcome { Written, Cancelled, Failed };
Ver2SaveOutcome saveVer2(App& app, std::string& name);

}  // namespace tly
