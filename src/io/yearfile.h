// Reading a current-format data file from disk into a year, with nothing else touched:
// the caller decides what becomes of the year and how a failure is reported.
#pragma once

#include <memory>
#include <string>

#include "io/datafile_format.h"
#include "io/filelock.h"
#include "model/result.h"

namespace tly {

// Reads path into a copy of base: cells of periods above the file's period count keep
// base's contents, as the open year's did when a file was read over it. Fails NotFound,
// Unreadable (error: the errno value, why: its text), NoSignature (not in the current
// format, empty files included) or Damaged (the file ends early or holds a value out of
// range: error and why say so). stamp, when given, gets the fingerprint of the bytes read
// (also when they were no year).
Result<std::unique_ptr<SchoolYear>> readYearFile(const std::string& path, const SchoolYear& base,
                                                 FileStamp* stamp = nullptr);

}  // namespace tly
