// Replays the kept fuzzing inputs (tests/fuzz/seeds/<target>/*) through the fuzz checks.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/tempdir.h"
#include "fuzz/fuzz_targets.h"

namespace tly {
namespace {

size_t replay(const char* target, bool (*check)(const uint8_t*, size_t)) {
  size_t n = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::string(TLY_TEST_DATA_DIR) + "/" + target)) {
    if (!e.is_regular_file()) continue;
    std::string bytes = test::readBytes(e.path().string());
    EXPECT_TRUE(check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) << e.path();
    ++n;
  }
  return n;
}

TEST(FuzzSeeds, OlderFormatSeedsReadSafely) { EXPECT_GE(replay("ver2", fuzz::ver2Check), 5u); }
TEST(FuzzSeeds, SettingsFileSeedsReadSafely) { EXPECT_GE(replay("ini", fuzz::iniCheck), 5u); }
TEST(FuzzSeeds, PasteSeedsPasteSafely) { EXPECT_GE(replay("paste", fuzz::pasteCheck), 5u); }
TEST(FuzzSeeds, CellTextSeedsDecodeSafely) { EXPECT_GE(replay("celltext", fuzz::celltextCheck), 5u); }

}  // namespace
}  // namespace tly
