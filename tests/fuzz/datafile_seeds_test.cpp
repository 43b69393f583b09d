// Replays every stored seed of the data-file fuzz target through the reader.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

TEST(DataFileFuzzSeeds, EverySeedIsReadOrRefusedSafely) {
  const std::filesystem::path dir = std::filesystem::path(TLY_TEST_DATA_DIR) / "datafile";
  int seeds = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    SCOPED_TRACE(e.path().filename().string());
    // The entry point aborts on any broken rule; reaching the next line is the check.
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
}

}  // namespace
