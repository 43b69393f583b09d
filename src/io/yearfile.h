// Reading a current-format data file from disk into a year, with nothing else touched:
// the caller decides what becomes of the year and how a failure is reported.
#pragma once

#include <memory>
#include <string>

#include "io/datafile_format.h"

namespace tly {

struct YearRead {
  enum class Status {
    Ok,           // year holds the file's year
    Missing,      // there is no such file
    Unreadable,   // the file could not be read: error is the errno value
    NoSignature,  // the file is not in the current format (empty files included)
    Damaged,      // the file ends early or holds a value out of range: error and why say so
  };
  Status status = Status::Missing;
  std::unique_ptr<SchoolYear> year;
  int error = 0;    // errno (Unreadable) or the damage's error number (Damaged)
  std::string why;  // a Japanese description (Unreadable, Damaged)
};

// Reads path into a copy of base: cells of periods above the file's period count keep
// base's contents, as the open year's did when a file was read over it.
YearRead readYearFile(const std::string& path, const SchoolYear& base);

}  // namespace tly
