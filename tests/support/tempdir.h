// A temporary folder removed with everything in it, and whole-file reads and writes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace tly::test {

class TempDir {
 public:
  TempDir() {
    // A new folder of a random name (create_directory says false for one already there).
    static std::mt19937_64 random{std::random_device{}()};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int tries = 0; tries < 100; ++tries) {
      const std::filesystem::path p = base / ("tly-test-" + std::to_string(random() % 1000000000));
      if (std::filesystem::create_directory(p)) {
        path_ = p.generic_string();
        return;
      }
    }
    throw std::runtime_error("no temporary folder");
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder without and with a trailing "/" (AppPath ends in one).
  const std::string& path() const { return path_; }
  std::string dir() const { return path_ + "/"; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A path of UTF-8 bytes (the program's paths) as the file system's path, also on
// Windows, where a plain std::string is taken in the ANSI code page.
inline std::filesystem::path fsPath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
// A file name as UTF-8 bytes.
inline std::string utf8Name(const std::filesystem::path& p) {
  const std::u8string s = p.filename().u8string();
  return std::string(s.begin(), s.end());
}

// The whole file; "" when it cannot be read.
inline std::string readBytes(const std::string& path) {
  std::ifstream in(fsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool fileExists(const std::string& path) { return std::filesystem::exists(fsPath(path)); }

}  // namespace tly::test
