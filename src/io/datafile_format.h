// The current data file ("TLY300") as bytes: encoding a year and parsing bytes into a
// year. Nothing here touches a file, a window or the running state.
#pragma once

#include <cstddef>
#include <string>

#include "model/cp932.h"
#include "model/result.h"
#include "model/schoolyear.h"

namespace tly {

extern const char* const kFileSig;  // "TLY300"

// Bytes of the whole file for y (what had to change: the overload with EncodeNotes).
std::string encodeDataFile(const SchoolYear& y);

// Parses bytes into y (which starts as a copy of the open year, so periods above Jigen
// keep their contents). Fails NoSignature, or Damaged with a Japanese description in why
// and the number the error message shows in error; then y is unspecified and must be
// thrown away. The texts are converted all in one pass; Cp932Pass::OneByOne converts them
// one at a time instead, which gives the same year, more slowly.
Result<void> decodeDataFile(const std::string& bytes, SchoolYear& y, Cp932Pass pass = Cp932Pass::Joined);


// What an encoding had to change: a character CP932 cannot hold became "?" (lossy), a
// text longer than a length field allows was cut at a character boundary (cut).
struct EncodeNotes {
  bool lossy = false;
  bool cut = false;
};
// pass: as for decodeDataFile; both give the same bytes and notes.
std::string encodeDataFile(const SchoolYear& y, EncodeNotes& notes, Cp932Pass pass = Cp932Pass::Joined);

// Error numbers of a damaged file, numbered as the old runtime numbered them.
constexpr int kErrSubscriptOutOfRange = 9;  // a count or index outside the tables
constexpr int kErrInputPastEnd = 62;        // the file ends inside a record
// Longest text written (bytes): the 2-byte length is read unsigned, but the length FFFF
// is an escape to older readers, so 65534. Longer texts are cut when saved.
constexpr size_t kMaxTextBytes = 65534;

}  // namespace tly
