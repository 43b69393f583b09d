// Replays every stored seed of the data-file fuzz target through the reader, both through
// the fuzz entry point and through the read procedure with a year open.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "session/files/datafile.h"
#include "support/fake_platform.h"
#include "support/tempdir.h"
#include "support/years.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace tly {
namespace {

TEST(DataFileFuzzSeeds, EverySeedIsReadOrRefusedSafely) {
  const std::filesystem::path dir = std::filesystem::path(TLY_TEST_DATA_DIR) / "datafile";
  test::TempDir tmp;
  int seeds = 0, refused = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    const std::string bytes = test::readBytes(e.path().string());
    SCOPED_TRACE(e.path().filename().string());
    // The entry point aborts on any broken rule.
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);

    test::TestApp t;
    test::fillYear(t.app.Y, {.nendo = 2000, .grades = 2});
    t.app.Y.JJ[1][4][3][2] = -7;
    t.app.Y.JJText[0][4][3][0] = "遠足";
    const std::string before = encodeDataFile(t.app.Y);
    const std::string path = tmp.file("seed.DAT");
    test::writeBytes(path, bytes);
    Result<FileRead> o = readDataFileAt(t.app, path);
    if (bytes.compare(0, 6, kFileSig) != 0) {
      EXPECT_TRUE(holds(o, FileRead::OlderFormat));
    } else if (!o) {
      ++refused;
      ASSERT_EQ(t.msg.shown.size(), 1u);
      EXPECT_EQ(t.msg.shown[0].text.rfind(std::string(kMsgReadError) + "\rError Code ", 0), 0u);
      EXPECT_EQ(encodeDataFile(t.app.Y), before);
    } else {
      EXPECT_TRUE(holds(o, FileRead::Current));
      EXPECT_TRUE(t.msg.shown.empty());
    }
    ++seeds;
  }
  EXPECT_GE(seeds, 5);
  EXPECT_GE(refused, 3);
}

}  // namespace
}  // namespace tly
