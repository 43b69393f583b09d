// The older three-file "Ver.2" format (main file, ".das" texts, ".daj" timetables).
#pragma once

#include <string>
#include <string_view>

#include "core/appstate.h"

namespace tly {

extern const char* const kOldWorkFileName;  // "JJTEMP.DAT"

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

// Refill the grade selector with 1..Ggn + "年" (keeping CurGr when it still exists, else
// grade 1) and the month selector with 4..12, 1..3 + "月" (selecting CurMonth).
void refillGradeList(App& app);
void refillMonthList(App& app);

// ---- File layout, without any window or dialog.

constexpr size_t kVer2MainRecord = 450;
constexpr size_t kVer2TimetableRecord = 1022;
constexpr size_t kVer2NameBytes = 20;
constexpr size_t kVer2CellBytes = 10;
constexpr int kVer2PeriodSlots = 7;  // slots 0..6

// Path of the companions' common part: the folder, then the file name up to its first
// "." (or the name's first 8 characters when it has no "." or starts with one).
std::string ver2BaseName(const std::string& path);

struct Ver2Bytes {
  std::string main, texts, timetables;
};
// The three files for y. oldTimetables is what the timetable file held before: record
// slots after the last one written keep those bytes. Sets *lossy when a text could not
// be held in CP932.
Ver2Bytes encodeVer2(const SchoolYear& y, std::string_view oldTimetables, bool* lossy = nullptr);

// Decoders. Each fills its section of y (which starts as a copy of the open year) and
// returns 0, or an error number when the bytes are damaged (then y must be thrown away).
// The main file also sets the school year and Ggn (the last grade with data).
int decodeVer2Main(std::string_view bytes, SchoolYear& y);
int decodeVer2Texts(std::string_view bytes, SchoolYear& y);
int decodeVer2Timetables(std::string_view bytes, SchoolYear& y);

// Error numbers reported for damaged or unreadable files (those of the older program).
constexpr int kErrSubscript = 9;     // a count or value outside its table
constexpr int kErrTypeMismatch = 13; // a text line without its four numbers
constexpr int kErrFileNotFound = 53;
constexpr int kErrIo = 57;
constexpr int kErrDiskFull = 61;
constexpr int kErrPastEnd = 62;
constexpr int kErrAccess = 75;
constexpr int kErrPathNotFound = 76;
// The error number for an errno value.
int errorNumberFor(int err);

}  // namespace tly
