#include "io/yearfile.h"

#include "io/safesave.h"

namespace tly {

Result<std::unique_ptr<SchoolYear>> readYearFile(const std::string& path, const SchoolYear& base,
                                                 FileStamp* stamp) {
  Result<std::string> bytes = readFileContents(path);
  if (!bytes) return bytes.failure();
  if (stamp) *stamp = stampOf(*bytes);
  auto year = std::make_unique<SchoolYear>(base);
  if (Result<void> d = decodeDataFile(*bytes, *year); !d) return d.failure();
  return year;
}

}  // namespace tly
