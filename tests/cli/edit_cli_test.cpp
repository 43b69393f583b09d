#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "io/safesave.h"
#include "session/files/datafile.h"
#include "edit/edit_fixture.h"
#include "support/tempdir.h"

namespace tly {
namespace {

namespace fs = std::filesystem;
using testing::EditFixture;

class EditCli : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.file("year.DAT");
    auto f = std::make_unique<EditFixture>();
    f->app.Y.Fs.FsEditAll = 0;
    // The item names travel in the file's settings record.
    f->app.Y.Fs.FsJItemCount = f->app.Y.JItemCount;
    for (size_t i = 0; i < 8; ++i) f->app.Y.Fs.FsJItem[i] = f->app.Y.JItem[i];
    ASSERT_TRUE(replaceFileContents(file_, encodeDataFile(f->app.Y)).ok());
  }

  // The year as stored in the file now.
  std::unique_ptr<SchoolYear> stored() {
    Result<std::string> bytes = readFileContents(file_);
    EXPECT_TRUE(bytes.ok());
    auto y = std::make_unique<SchoolYear>();
    EXPECT_TRUE(decodeDataFile(bytes ? *bytes : std::string(), *y).ok());
    return y;
  }
  std::string bytes() {
    Result<std::string> b = readFileContents(file_);
    return b ? *b : std::string();
  }
  int run(cli::Args args, std::string* outText = nullptr, const std::string& input = "") {
    std::ostringstream out, err;
    std::istringstream in(input);
    int rc = cli::finish(args[0] == "paste" ? cli::runPaste(args, in, out, err) : cli::cmdEdit(args, out, err), err);
    if (outText) *outText = out.str();
    lastErr_ = err.str();
    return rc;
  }

  test::TempDir dir_;
  std::string file_;
  std::string lastErr_;
};

TEST_F(EditCli, ControlCharactersRemovedFromTheTextAreToldOnTheErrorOutput) {
  struct Case {
    const char* period;
    const char* text;
    const char* printed;   // the stored value on the output
    const char* told;      // on the error output ("" for nothing)
  } cases[] = {
      {"events", "遠足\t雨天延期", "遠足雨天延期\n", "遠足\\t雨天延期"},
      {"remarks", "一行目\n二行目\r", "一行目二行目\n", "一行目\\n二行目\\r"},
      {"events", "遠足", "遠足\n", ""},
      {"2", "道\x01徳", "-5\n", "道\\x01徳"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string out;
    ASSERT_EQ(run({"edit", file_, "--grade", "1", "--month", "5", "--day", "6", "--period", c.period, "--text", c.text},
                  &out),
              0)
        << lastErr_;
    EXPECT_EQ(out, c.printed);
    if (*c.told) {
      EXPECT_NE(lastErr_.find("制御文字"), std::string::npos) << lastErr_;
      EXPECT_NE(lastErr_.find(c.told), std::string::npos) << lastErr_;
    } else {
      EXPECT_EQ(lastErr_, "");
    }
  }
}

TEST_F(EditCli, EditStoresAsTypingAndEnterWould) {
  std::string out;
  ASSERT_EQ(run({"edit", file_, "--grade", "2", "--month", "5", "--day", "3", "--period", "3", "--text", "道徳の時間"}, &out), 0)
      << lastErr_;
  EXPECT_EQ(out, "-5\n");
  auto y = stored();
  EXPECT_EQ(y->JJ[1][5][3][3], -5);
  EXPECT_EQ(y->JJ[0][5][3][3], 10 * EditFixture::weekday(5, 3) + 3);

  ASSERT_EQ(run({"edit", file_, "--grade", "1", "--month", "2", "--day", "29", "--period", "1", "--text", "月 4",
                 "--all-grades"}),
            0)
      << lastErr_;
  y = stored();
  for (int g = 0; g < 3; ++g) EXPECT_EQ(y->JJ[g][2][29][1], 24);
  EXPECT_EQ(y->Fs.FsEditAll, 0);  // the run's edit-all does not become the file's setting

  ASSERT_EQ(run({"edit", file_, "--grade", "3", "--month", "4", "--day", "30", "--period", "remarks", "--text", "終業"}), 0);
  ASSERT_EQ(run({"edit", file_, "--grade", "3", "--month", "4", "--day", "29", "--period", "events", "--text", "昭和の日"}), 0);
  y = stored();
  EXPECT_EQ(y->JJText[2][4][30][1], "終業");
  EXPECT_EQ(y->JJText[2][4][29][0], "昭和の日");
}

TEST_F(EditCli, RefusalsLeaveTheFileAsItWas) {
  std::string before = bytes();
  EXPECT_EQ(run({"edit", file_, "--grade", "1", "--month", "5", "--day", "3", "--period", "3", "--text", "月7"}), 1);
  EXPECT_EQ(run({"edit", file_, "--grade", "4", "--month", "5", "--day", "3", "--period", "3", "--text", "月1"}), 1);
  EXPECT_EQ(run({"edit", file_, "--grade", "1", "--month", "6", "--day", "31", "--period", "3", "--text", "月1"}), 1);
  EXPECT_EQ(run({"edit", file_, "--grade", "1", "--month", "6", "--day", "3", "--period", "7", "--text", "月1"}), 1);
  EXPECT_EQ(run({"edit", file_, "--grade", "1", "--month", "6", "--day", "3"}), 2);
  EXPECT_EQ(run({"paste", file_, "--grade", "1", "--month", "5", "--row", "31", "--col", "3"}, nullptr, "a\r\nb\r\n"), 1);
  EXPECT_NE(lastErr_.find("貼り付け開始位置が不適当です。"), std::string::npos);
  EXPECT_EQ(run({"paste", file_, "--grade", "1", "--month", "5", "--row", "3", "--col", "3"}, nullptr, ""), 1);
  EXPECT_EQ(bytes(), before);
  std::string missing = dir_.file("none.DAT");
  EXPECT_EQ(run({"edit", missing, "--grade", "1", "--month", "5", "--day", "3", "--period", "3", "--text", "月1"}), 1);
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(EditCli, PasteWritesABlockAtTheCell) {
  ASSERT_EQ(run({"paste", file_, "--grade", "1", "--month", "5", "--row", "20", "--col", "3", "--all-grades"}, nullptr,
                "月 3\t道徳\r\n／\t月 4\r\n"),
            0)
      << lastErr_;
  auto y = stored();
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(y->JJ[g][5][20][1], 23);
    EXPECT_EQ(y->JJ[g][5][20][2], -5);
    EXPECT_EQ(y->JJ[g][5][21][1], 0);
    EXPECT_EQ(y->JJ[g][5][21][2], 24);
  }
}

}  // namespace
}  // namespace tly
