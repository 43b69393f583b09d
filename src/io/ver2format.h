// The older three-file "Ver.2" format as bytes (main file, ".das" texts, ".daj"
// timetables), without any window or dialog.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/result.h"
#include "model/schoolyear.h"

namespace tly {

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
  bool lossy = false;  // a text could not be held in CP932 and has "?" in its place
};
// The three files for y. oldTimetables is what the timetable file held before: record
// slots after the last one written keep those bytes.
Ver2Bytes encodeVer2(const SchoolYear& y, std::string_view oldTimetables);

// Decoders. Each fills its section of y (which starts as a copy of the open year). They
// fail Damaged with the error number in error when the bytes are damaged (then y must be
// thrown away). The main file also sets the school year and Ggn (the last grade with data).
Result<void> decodeVer2Main(std::string_view bytes, SchoolYear& y);
// A text line without its four numbers is skipped; the value is how many were.
Result<int> decodeVer2Texts(std::string_view bytes, SchoolYear& y);
Result<void> decodeVer2Timetables(std::string_view bytes, SchoolYear& y);

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
