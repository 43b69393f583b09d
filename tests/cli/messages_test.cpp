// What the command line says when it refuses or fails: the file, what failed in words,
// and nothing printed as done before it is done.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>
#include <streambuf>

#include "cli/cli.h"
#include "cli/commands.h"
#include "session/files/datafile.h"
#include "support/cli_run.h"
#include "support/tempdir.h"
#include "support/years.h"

namespace tly {
namespace {

using test::readBytes;
using test::TempDir;

using test::CliRun;
CliRun run(const std::vector<std::string>& args) { return test::runCli(args); }

std::string newYear(const TempDir& dir, const char* name) {
  std::string f = dir.file(name);
  EXPECT_EQ(run({"new", "2024", "-o", f}).rc, 0);
  return f;
}

TEST(CliMessages, RefusalsNameWhatIsWrong) {
  TempDir dir;
  const std::string y = newYear(dir, "y.dat");
  const std::string before = readBytes(y);
  std::string huge(40000, 'a');
  struct Case {
    std::vector<std::string> args;
    int rc;
    std::string says;
  } cases[] = {
      {{"resave", y, ""}, 2, "出力ファイル名が空です"},
      {{"convert", y, "", "--to", "v2"}, 2, "出力ファイル名が空です"},
      {{"new", "2024", "-o", ""}, 2, "出力ファイル名が空です"},
      {{"convert", y, dir.file("o.DAT"), "--to", "v2", "--dir", dir.file("none")}, 1,
       "フォルダーが見つかりません: " + dir.file("none")},
      {{"edit", y, "--grade", "1", "--month", "6", "--day", "3", "--period", "events", "--text", huge}, 1,
       "--text が長すぎます: 40000 バイト"},
      {{"dump", dir.path()}, 1, dir.path() + ": フォルダーです"},
  };
  for (const auto& c : cases) {
    CliRun r = run(c.args);
    EXPECT_EQ(r.rc, c.rc) << c.args[0] << " " << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args[0] << ": " << r.err;
  }
  EXPECT_EQ(readBytes(y), before);
  EXPECT_FALSE(test::fileExists(dir.file("o.DAT")));
}

TEST(CliMessages, AFailedSaveSaysWhichFileAndWhyAndPrintsNoNewValue) {
  TempDir dir;
  const std::string y = newYear(dir, "y.dat");
  ::chmod(y.c_str(), 0444);
  CliRun r = run({"edit", y, "--grade", "1", "--month", "6", "--day", "3", "--period", "events", "--text", "遠足"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(r.out, "") << "nothing printed as stored";
  EXPECT_NE(r.err.find("Error Code"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(y + ": アクセスが拒否されました"), std::string::npos) << r.err;
}

// A stream whose reading fails part-way, as a read error on standard input does.
class FailingBuf : public std::streambuf {
  std::string first_ = "道徳\r\n";
  bool given_ = false;

 protected:
  int_type underflow() override {
    if (given_) throw std::ios_base::failure("read error");
    given_ = true;
    setg(first_.data(), first_.data(), first_.data() + first_.size());
    return traits_type::to_int_type(first_[0]);
  }
};

TEST(CliMessages, APasteWhoseInputFailsPastesNothing) {
  TempDir dir;
  const std::string y = newYear(dir, "y.dat");
  const std::string before = readBytes(y);
  FailingBuf buf;
  std::istream in(&buf);
  std::ostringstream out, err;
  int rc = cli::finish(
      cli::runPaste({"paste", y, "--grade", "1", "--month", "6", "--row", "3", "--col", "3"}, in, out, err), err);
  EXPECT_EQ(rc, 1);
  EXPECT_NE(err.str().find("読み込めませんでした"), std::string::npos) << err.str();
  EXPECT_EQ(readBytes(y), before);
}

// Every way a subcommand ends gets its exit status and last line from finish(): wrong
// arguments 2, anything else 1, and a procedure's failure adds nothing to what it showed.
TEST(CliMessages, EachFailureEndsWithItsStatusAndOneMessage) {
  const Failure written{Fault::WriteFailed, 28, "No space left on device"};
  const struct {
    cli::Outcome outcome;
    int rc;
    const char* err;
  } cases[] = {
      {cli::Outcome(), 0, ""},
      {cli::badArguments("月は 1～12 で指定してください。"), 2, "月は 1～12 で指定してください。\n"},
      {cli::badArguments(), 2, ""},
      {cli::stopped("ファイルが空です: a"), 1, "ファイルが空です: a\n"},
      {cli::shown(written), 1, ""},
      {cli::shown(Failure{Fault::Cancelled, 0, "x"}), 1, ""},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(cli::finish(c.outcome, err), c.rc) << c.err;
    EXPECT_EQ(err.str(), c.err);
  }
}

}  // namespace
}  // namespace tly
