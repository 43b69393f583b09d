// Checks run on arbitrary bytes by the fuzzers and, for the kept seeds, by the test suite.
// Each returns false when a property is broken; crashing is the other way to fail.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tly::fuzz {

// Bytes split into the three files of the older set (two little-endian lengths first).
bool ver2Check(const uint8_t* data, size_t size);
// Bytes taken as a settings file.
bool iniCheck(const uint8_t* data, size_t size);
// Clipboard text pasted at a position chosen by the first four bytes.
bool pasteCheck(const uint8_t* data, size_t size);
// Text typed into a period cell (the first byte chooses the period count).
bool celltextCheck(const uint8_t* data, size_t size);

}  // namespace tly::fuzz
