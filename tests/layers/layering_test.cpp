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

const std::map<std::string, int> kRank = {{"model", 0}, {"io", 1},  {"calendar", 2}, {"rules", 3},
                                          {"session", 4}, {"cli", 5}, {"ui", 5},      {"app", 6}};

// Every include of the project's own headers that breaks the order, as "file: header".
std::vector<std::string> upwardIncludes(const fs::path& src) {
  std::vector<std::string> bad;
  const std::regex include(R"(^\s*#\s*include\s*"([a-z]+)/[^"]+")");
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file()) continue;
    const std::string layer = fs::relative(e.path(), src).begin()->string();
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
      auto dep = kRank.find(m[1].str());
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

}  // namespace
