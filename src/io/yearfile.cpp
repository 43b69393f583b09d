#include "io/yearfile.h"

#include <cerrno>
#include <cstring>

#include "io/safesave.h"

namespace tly {

YearRead readYearFile(const std::string& path, const SchoolYear& base) {
  YearRead r;
  std::string bytes;
  if (int e = readFileContents(path, &bytes); e != 0) {
    r.status = e == ENOENT ? YearRead::Status::Missing : YearRead::Status::Unreadable;
    r.error = e;
    r.why = std::strerror(e);
    return r;
  }
  auto year = std::make_unique<SchoolYear>(base);
  switch (decodeDataFile(bytes, *year, &r.why, &r.error)) {
    case DecodeResult::NoSignature:
      r.status = YearRead::Status::NoSignature;
      break;
    case DecodeResult::Damaged:
      r.status = YearRead::Status::Damaged;
      break;
    case DecodeResult::Ok:
      r.status = YearRead::Status::Ok;
      r.year = std::move(year);
      break;
  }
  return r;
}

}  // namespace tly
