// The command line's outputs against the golden files under tests/golden: each case runs
// its commands in-process on the files of tests/golden/inputs in a fresh temporary folder,
// and its standard output, standard error and every file left in that folder must equal,
// byte for byte, what tools/golden-make.sh recorded under tests/golden/expected/CASE.
// The cases here and in that script are the same commands; rerun the script with a tly
// binary only when an output is meant to change.
//
// In arguments @IN is the inputs folder and @TMP the case's temporary folder; in the
// recorded stdout and stderr both are written back as @IN and @TMP.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/tempdir.h"

namespace {

namespace fs = std::filesystem;

struct Step {
  int status;
  std::vector<std::string> args;  // args[0] is the subcommand
  const char* stdinFile = nullptr;  // under inputs/: the text paste reads
};

struct Case {
  std::string name;
  std::vector<std::pair<std::string, std::string>> copies;  // inputs/FIRST → @TMP/SECOND
  std::vector<Step> steps;
};

const std::string kY1998 = "@IN/y1998-g3-p5-satnone.dat";
const std::string kY1999 = "@IN/y1999-g6-p7-sat13.dat";
const std::string kY2024 = "@IN/y2024-g3-p6.dat";
const std::string kRich = "@IN/rich.dat";

// Names the case in gtest's messages instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      // New years: each year, grade and period count, and closed Saturdays.
      {"new-1998-g3-p5-satnone", {},
       {{0, {"new", "1998", "--grades", "3", "--periods", "5", "--closed-saturdays", "none", "-o", "@TMP/y.dat"}}}},
      {"new-1999-g6-p7-sat13", {},
       {{0, {"new", "1999", "--grades", "6", "--periods", "7", "--closed-saturdays", "1,3", "-o", "@TMP/y.dat"}}}},
      {"new-2024-defaults", {}, {{0, {"new", "2024", "-o", "@TMP/y.dat"}}}},
      {"new-2024-g6-p5-satall", {},
       {{0, {"new", "2024", "--grades", "6", "--periods", "5", "--closed-saturdays", "1,2,3,4,5", "-o",
             "@TMP/y.dat"}}}},

      {"dump-1998", {}, {{0, {"dump", kY1998}}}},
      {"dump-1999", {}, {{0, {"dump", kY1999}}}},
      {"dump-2024", {}, {{0, {"dump", kY2024}}}},
      {"dump-rich", {}, {{0, {"dump", kRich}}}},

      {"month-1998", {},
       {{0, {"month", kY1998, "--grade", "2", "--month", "4"}},
        {0, {"month", kY1998, "--grade", "3", "--month", "1", "--changes-only"}}}},
      {"month-1999", {},
       {{0, {"month", kY1999, "--grade", "6", "--month", "9"}},
        {0, {"month", kY1999, "--grade", "1", "--month", "2", "--changes-only"}}}},
      {"month-2024", {},
       {{0, {"month", kY2024, "--grade", "1", "--month", "5"}},
        {0, {"month", kY2024, "--grade", "3", "--month", "12", "--changes-only"}}}},
      {"month-rich-timetables", {},
       {{0, {"month", kRich, "--grade", "1", "--month", "4"}},
        {0, {"month", kRich, "--grade", "1", "--month", "4", "--class", "1"}},
        {0, {"month", kRich, "--grade", "3", "--month", "5", "--class", "2", "--changes-only"}},
        {0, {"month", kRich, "--grade", "1", "--month", "6", "--teacher", "1"}},
        {0, {"month", kRich, "--grade", "2", "--month", "10", "--class", "3"}}}},

      {"tally-1998", {},
       {{0, {"tally", kY1998, "--grade", "1"}},
        {0, {"tally", kY1998, "--grade", "3", "--from", "9/1", "--to", "12/25"}}}},
      {"tally-1999", {},
       {{0, {"tally", kY1999, "--grade", "6"}}, {0, {"tally", kY1999, "--grade", "2", "--from", "1/8", "--to", "3/31"}}}},
      {"tally-2024", {},
       {{0, {"tally", kY2024, "--grade", "2"}}, {0, {"tally", kY2024, "--grade", "2", "--from", "4/1", "--to", "7/19"}}}},
      {"tally-rich-timetables", {},
       {{0, {"tally", kRich, "--grade", "1"}},
        {0, {"tally", kRich, "--grade", "1", "--class", "1"}},
        {0, {"tally", kRich, "--grade", "3", "--class", "2", "--from", "5/1", "--to", "7/17"}},
        {0, {"tally", kRich, "--grade", "1", "--teacher", "1"}},
        {0, {"tally", kRich, "--grade", "2", "--teacher", "2", "--from", "4/6", "--to", "4/30"}},
        {0, {"tally", kRich, "--grade", "2", "--class", "3"}}}},

      {"edit-cells", {{"rich.dat", "y.dat"}},
       {{0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "3", "--period", "2", "--text", "金 5"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "3", "--period", "3", "--text", "月３"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "4", "--period", "1", "--text", "遠足へ",
             "--all-grades"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "4", "--period", "6", "--text", "/"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "5", "--period", "events", "--text",
             "歯科検診", "--all-grades"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "5", "--period", "remarks", "--text",
             "午後は短縮"}},
        {0, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "4", "--day", "8", "--period", "events", "--text", ""}},
        {0, {"month", "@TMP/y.dat", "--grade", "1", "--month", "6"}},
        {0, {"month", "@TMP/y.dat", "--grade", "2", "--month", "6", "--changes-only"}},
        {0, {"tally", "@TMP/y.dat", "--grade", "1", "--from", "6/1", "--to", "6/30"}}}},
      {"paste-cells", {{"rich.dat", "y.dat"}},
       {{0, {"paste", "@TMP/y.dat", "--grade", "2", "--month", "10", "--row", "9", "--col", "2"}, "paste-block.txt"},
        {0, {"paste", "@TMP/y.dat", "--grade", "2", "--month", "11", "--row", "4", "--col", "5", "--all-grades"},
         "paste-item.txt"},
        {0, {"month", "@TMP/y.dat", "--grade", "2", "--month", "10"}},
        {0, {"month", "@TMP/y.dat", "--grade", "1", "--month", "11", "--changes-only"}},
        {0, {"tally", "@TMP/y.dat", "--grade", "2"}}}},

      {"timetable-edit", {{"rich.dat", "y.dat"}},
       {{0, {"timetable", "@TMP/y.dat", "list", "--class"}},
        {0, {"timetable", "@TMP/y.dat", "list", "--teacher"}},
        {0, {"timetable", "@TMP/y.dat", "show", "--class", "1"}},
        {0, {"timetable", "@TMP/y.dat", "paste", "--class", "1", "--row", "1", "--col", "2"}, "timetable-block.txt"},
        {0, {"timetable", "@TMP/y.dat", "show", "--class", "1"}},
        {0, {"timetable", "@TMP/y.dat", "add", "--class", "--name", "1年2組"}},
        {0, {"timetable", "@TMP/y.dat", "add", "--class", "--name", " 2年1組 ", "--at", "1"}},
        {0, {"timetable", "@TMP/y.dat", "rename", "--teacher", "2", "--name", "佐藤 花子"}},
        {0, {"timetable", "@TMP/y.dat", "delete", "--class", "4"}},
        {0, {"timetable", "@TMP/y.dat", "list", "--class"}},
        {0, {"timetable", "@TMP/y.dat", "list", "--teacher"}},
        {0, {"month", "@TMP/y.dat", "--grade", "1", "--month", "4", "--class", "2"}},
        {0, {"tally", "@TMP/y.dat", "--grade", "1", "--class", "2"}}}},
      {"timetable-refusals", {{"rich.dat", "y.dat"}},
       {{1, {"timetable", "@TMP/y.dat", "delete", "--class", "9"}},
        {1, {"timetable", "@TMP/y.dat", "add", "--class", "--name", ""}},
        {1, {"timetable", "@TMP/y.dat", "paste", "--class", "1", "--row", "6", "--col", "5"}, "timetable-block.txt"},
        {2, {"timetable", "@TMP/y.dat", "show", "--class"}}}},

      {"resave-rich", {}, {{0, {"resave", kRich, "@TMP/out.dat"}}}},
      {"convert-rich-to-v2", {}, {{0, {"convert", kRich, "@TMP/OUT.DAT", "--to", "v2"}}}},
      {"convert-1999-to-v2-with-settings", {},
       {{0, {"convert", kY1999, "@TMP/Y1999.DAT", "--to", "v2", "--dir", "@TMP"}}}},
      {"convert-v2-to-v3-with-settings", {{"tly.ini", "settings/tly.ini"}},
       {{0, {"convert", "@IN/rich.DAT", "@TMP/rich.dat", "--to", "v3", "--periods", "6", "--dir", "@TMP/settings"}}}},
      {"convert-v2-to-v3-five-periods", {},
       {{0, {"convert", "@IN/rich.DAT", "@TMP/rich.dat", "--to", "v3", "--periods", "5"}}}},

      // National holidays: the fixed table's and the law's, and a year built with the law's.
      {"holidays-lists", {},
       {{0, {"holidays", "2026"}},
        {0, {"holidays", "2026", "--law"}},
        {0, {"holidays", "2019", "--law"}},
        {0, {"holidays", "1988", "--law"}}}},
      {"new-2026-law", {},
       {{0, {"new", "2026", "--holidays", "law", "-o", "@TMP/y.dat"}},
        {0, {"month", "@TMP/y.dat", "--grade", "1", "--month", "9"}},
        {0, {"month", "@TMP/y.dat", "--grade", "3", "--month", "3"}}}},
      {"new-from-rich", {},
       {{0, {"new", "2027", "--from", kRich, "-o", "@TMP/y.dat"}},
        {0, {"month", "@TMP/y.dat", "--grade", "1", "--month", "4", "--class", "1"}},
        {0, {"new", "2027", "--from", kRich, "--advance-grades", "--no-carry", "items", "-o", "@TMP/advanced.dat"}},
        {0, {"timetable", "@TMP/advanced.dat", "list", "--class"}},
        {1, {"new", "2027", "--from", "@TMP/missing.dat", "-o", "@TMP/never.dat"}}}},
      {"holidays-refusals", {},
       {{2, {"holidays", "1948", "--law"}},
        {2, {"holidays", "2099", "--law"}},
        {2, {"holidays", "1899"}},
        {2, {"new", "2099", "--holidays", "law", "-o", "@TMP/never.dat"}},
        {2, {"new", "2026", "--holidays", "moon", "-o", "@TMP/never.dat"}}}},
      {"report-rich", {},
       {{0, {"report", kRich, "--to", "7/17"}},
        {0, {"report", kRich, "--class", "2", "--to", "12/22", "--targets", "@IN/targets.csv"}},
        {0, {"report", kRich, "--school", "elementary", "--to", "3/31"}},
        {1, {"report", kRich, "--class", "4", "--to", "4/1"}},
        {2, {"report", kRich, "--school", "high"}},
        {1, {"report", kRich, "--targets", "@IN/paste-item.txt"}}}},

      {"refusals", {{"rich.dat", "y.dat"}},
       {{0, {"help"}},
        {2, {"new", "2024", "--periods", "8", "-o", "@TMP/never.dat"}},
        {2, {"month", kRich, "--grade", "1", "--month", "4", "--class", "4"}},
        {1, {"tally", "@IN/rich.DAT", "--grade", "1"}},
        {1, {"tally", kRich, "--grade", "2", "--teacher", "3"}},
        {1, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "3", "--period", "2", "--text", "理科"}},
        {1, {"edit", "@TMP/y.dat", "--grade", "1", "--month", "6", "--day", "31", "--period", "2", "--text", "月 1"}},
        {1, {"paste", "@TMP/y.dat", "--grade", "2", "--month", "10", "--row", "30", "--col", "2"}, "paste-block.txt"},
        {1, {"dump", "@TMP/missing.dat"}}}},
  };
  return all;
}

// ---------------------------------------------------------------- helpers

const fs::path kInputs = fs::path(TLY_GOLDEN_DIR) / "inputs";
const fs::path kExpected = fs::path(TLY_GOLDEN_DIR) / "expected";

bool readFile(const fs::path& p, std::string& out) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

void replaceAll(std::string& s, const std::string& from, const std::string& to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
}

// Files under dir, as paths relative to it.
std::set<std::string> filesUnder(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) out.insert(fs::relative(e.path(), dir).generic_string());
  return out;
}

// Where two byte strings first differ: the line around it for text, the bytes around it
// in hex for binary data.
std::string difference(const std::string& want, const std::string& got) {
  size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) ++at;
  const bool binary = want.find('\0') != std::string::npos || got.find('\0') != std::string::npos;
  auto around = [at, binary](const std::string& s) {
    std::ostringstream o;
    if (binary) {
      for (size_t i = at < 8 ? 0 : at - 8; i < std::min(s.size(), at + 8); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(s[i]));
        o << (i == at ? "[" : " ") << hex << (i == at ? "]" : "");
      }
      return o.str();
    }
    size_t from = at == 0 ? std::string::npos : s.rfind('\n', at - 1);
    from = from == std::string::npos ? 0 : from + 1;
    size_t to = std::min({s.find('\n', at), s.size(), from + 200});
    return s.substr(from, to - from);
  };
  std::ostringstream o;
  o << "expected " << want.size() << " bytes, got " << got.size() << "; first difference at byte " << at
    << "\n  expected: " << around(want) << "\n  actual:   " << around(got);
  return o.str();
}

// Runs one command as `tly ARGS < stdinText` would, with std::cin reading stdinText.
int runCommand(const std::vector<std::string>& args, const std::string& stdinText, std::ostream& out,
               std::ostream& err) {
  std::istringstream in(stdinText);
  std::streambuf* saved = std::cin.rdbuf(in.rdbuf());
  int status = tly::cli::run(args, out, err);
  std::cin.rdbuf(saved);
  std::cin.clear();
  return status;
}

// ---------------------------------------------------------------- the test

class GoldenOutputs : public testing::TestWithParam<Case> {};

TEST_P(GoldenOutputs, MatchRecordedBytes) {
  const Case& c = GetParam();
  tly::test::TempDir tmpDir;
  const fs::path tmp = tmpDir.path();
  const std::string tmpText = tmp.string(), inText = kInputs.string();

  for (const auto& [from, to] : c.copies) {
    fs::create_directories((tmp / to).parent_path());
    fs::copy_file(kInputs / from, tmp / to);
  }

  std::ostringstream out, err;
  for (const Step& step : c.steps) {
    std::vector<std::string> args = step.args;
    for (auto& a : args) {
      replaceAll(a, "@IN", inText);
      replaceAll(a, "@TMP", tmpText);
    }
    std::string stdinText;
    if (step.stdinFile) {
      ASSERT_TRUE(readFile(kInputs / step.stdinFile, stdinText)) << step.stdinFile;
    }
    std::ostringstream stepErr;
    int status = runCommand(args, stdinText, out, stepErr);
    EXPECT_EQ(status, step.status) << "tly " << testing::PrintToString(step.args) << "\n" << stepErr.str();
    err << stepErr.str();
  }

  const fs::path want = kExpected / c.name;
  auto compare = [&](const std::string& what, std::string got, const fs::path& file, bool optional) {
    replaceAll(got, tmpText, "@TMP");
    replaceAll(got, inText, "@IN");
    std::string expected;
    if (!readFile(file, expected) && !optional) ADD_FAILURE() << "no golden file " << file;
    if (got != expected) ADD_FAILURE() << what << " differs from " << file << ": " << difference(expected, got);
  };
  compare("stdout", out.str(), want / "stdout", false);
  compare("stderr", err.str(), want / "stderr", true);

  std::set<std::string> wantFiles = filesUnder(want);
  wantFiles.erase("stdout");
  wantFiles.erase("stderr");
  std::set<std::string> gotFiles = filesUnder(tmp);
  EXPECT_EQ(gotFiles, wantFiles) << "files left in the temporary folder";
  for (const auto& f : gotFiles) {
    if (!wantFiles.count(f)) continue;
    std::string bytes;
    ASSERT_TRUE(readFile(tmp / f, bytes)) << f;
    std::string expected;
    readFile(want / f, expected);
    if (bytes != expected) ADD_FAILURE() << f << " differs from its golden file: " << difference(expected, bytes);
  }
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (ch == '-') ch = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(Cli, GoldenOutputs, testing::ValuesIn(cases()), caseName);

// Every recorded case has its row above and every row its recording, so that the table
// and tools/golden-make.sh cannot drift apart unnoticed.
TEST(GoldenOutputsTable, ListsExactlyTheRecordedCases) {
  std::set<std::string> recorded, listed;
  for (const auto& e : fs::directory_iterator(kExpected))
    if (e.is_directory()) recorded.insert(e.path().filename().string());
  for (const Case& c : cases()) EXPECT_TRUE(listed.insert(c.name).second) << "listed twice: " << c.name;
  EXPECT_EQ(listed, recorded);
}

}  // namespace
