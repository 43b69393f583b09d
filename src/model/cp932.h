// Conversion between the tables' UTF-8 and the files' CP932 (Shift-JIS), through iconv.
#pragma once

#include <string>
#include <string_view>

namespace tly {

// UTF-8 -> CP932. A character CP932 cannot hold becomes "?" and sets *lossy (when given).
std::string toCp932(std::string_view utf8, bool* lossy = nullptr);
// CP932 -> UTF-8. A byte sequence that is not CP932 becomes U+FFFD.
std::string fromCp932(std::string_view cp932);
// Cut CP932 bytes to at most maxBytes without splitting a double-byte character.
std::string cutCp932(std::string_view cp932, size_t maxBytes);
// True when b is a lead byte of a CP932 double-byte character.
bool isCp932Lead(unsigned char b);

}  // namespace tly
