// The source folders are layers that depend one way: a file may include headers of its own
// folder and of the folders before it, never of a later one (and the two fronts, cli and
// ui, never each other).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

// The session layer is itself ranked by its sub-folders: the typed state, the files, the
// windows' procedures, the output runs.
const std::map<std::string, int> kRank = {
    {"model", 0},          {"io", 1},           {"calendar", 2},         {"rules", 3},
    {"session/state", 4},  {"session/files", 5}, {"session/windows", 6}, {"session/output", 7},
    {"cli", 8},            {"ui", 8},           {"app", 9}};

// The layer of a path below src: its first folder, or for session its first two.
std::string layerOf(const std::string& path) {
  const auto slash = path.find('/');
  const std::string top = path.substr(0, slash);
  if (top != "session" || slash == std::string::npos) return top;
  const auto next = path.find('/', slash + 1);
  return next == std::string::npos ? path : path.substr(0, next);
}

// Every include of the project's own headers that breaks the order, as "file: header".
std::vector<std::string> upwardIncludes(const fs::path& src) {
  std::vector<std::string> bad;
  const std::regex include(R"re(^\s*#\s*include\s*"([a-z]+/[^"]+)")re");
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file()) continue;
    const std::string layer = layerOf(fs::relative(e.path(), src).generic_string());
    auto own = kRank.find(layer);
    if (own == kRank.end()) {
      bad.push_back(e.path().string() + ": folder outside the layers");
      continue;
    }
    std::ifstream in(e.path());
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, include)) continue;
      auto dep = kRank.find(layerOf(m[1].str()));
      bool ok = dep != kRank.end() && (dep->first == layer || dep->second < own->second);
      if (!ok) bad.push_back(e.path().string() + ": " + line);
    }
  }
  return bad;
}

TEST(Layering, NoFileIncludesALaterLayer) {
  std::vector<std::string> bad = upwardIncludes(TLY_SOURCE_DIR);
  std::string all;
  for (const auto& b : bad) all += b + "\n";
  EXPECT_TRUE(bad.empty()) << all;
}

// The system is reached through model/os.h alone, so that every layer builds on Windows
// too; the one exception is the desktop's Unix signal pipe, compiled on Unix only.
TEST(Layering, OnlyTheSystemSeamIncludesSystemHeaders) {
  const std::regex systemHeader(R"re(^\s*#\s*include\s*<(unistd|fcntl|iconv|dirent|pwd|signal|sys/[a-z]+)\.h>)re");
  const fs::path src = TLY_SOURCE_DIR;
  std::string bad;
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file()) continue;
    const std::string rel = fs::relative(e.path(), src).generic_string();
    if (rel == "model/os_posix.cpp" || rel == "model/os_win32.cpp" || rel == "ui/desktop.cpp") continue;
    std::ifstream in(e.path());
    std::string line;
    while (std::getline(in, line))
      if (std::regex_search(line, systemHeader)) bad += rel + ": " + line + "\n";
  }
  EXPECT_TRUE(bad.empty()) << bad;
}

}  // namespace
