// Private-profile settings files ("tly.ini"): sections of key=value lines, CP932 text,
// CR LF line ends. Reading and writing follow the Windows profile functions the stored
// files come from: section and key names match without regard to ASCII case, the first
// section or key of a name wins, a read value is trimmed, loses one pair of enclosing
// quotes and is cut to 127 bytes, an integer read takes the number at the start of the
// value. A write changes or adds one line and keeps every other line byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/result.h"

namespace tly {

constexpr size_t kProfileValueMax = 127;

class ProfileText {
 public:
  ProfileText() = default;
  // Raw file bytes (CP932).
  explicit ProfileText(std::string_view bytes);

  // The value of key in section (UTF-8), or nullopt when either is missing.
  std::optional<std::string> find(std::string_view section, std::string_view key) const;
  // The value, or def when the key is missing.
  std::string getString(std::string_view section, std::string_view key, std::string_view def) const;
  // The integer at the start of the value; def when the key is missing or its value empty;
  // 0 when the value does not start with a number. Clamped to the range of long.
  long getInt(std::string_view section, std::string_view key, long def) const;
  // Sets key in section (UTF-8 names and value), adding the section and the key as needed.
  // Line breaks inside the value become blanks so that one key stays one line.
  void set(std::string_view section, std::string_view key, std::string_view value);

  // The file bytes (CP932, CR LF).
  std::string bytes() const;
  bool empty() const { return lines_.empty(); }

 private:
  struct Located {
    int sectionLine = -1;   // line of the section header, -1 none
    int keyLine = -1;       // line of the key, -1 none
    int lastEntryLine = -1; // last non-blank line of the section
  };
  Located locate(std::string_view section, std::string_view key) const;
  // Fills lineKinds_, lineNames_ and sections_ when they do not cover lines_.
  void index() const;
  // Adds a line before line `at` (at == size: at the end), keeping the index whole.
  void insertLine(size_t at, std::string line);

  std::vector<std::string> lines_;  // raw bytes of each line, without its line end
  // What each line is and its section or key name (UTF-8, ASCII letters made small),
  // worked out once rather than at every lookup and kept up to date by set().
  mutable std::vector<signed char> lineKinds_;
  mutable std::vector<std::string> lineNames_;
  // Where each section and its keys are, by name (as in lineNames_): a lookup costs the
  // same however long the file.
  struct SectionIndex {
    int line = -1;           // its header
    int lastEntryLine = -1;  // its last line that is not blank
    std::unordered_map<std::string, int> keys;  // the line of the first key of each name
  };
  mutable std::unordered_map<std::string, SectionIndex> sections_;  // the first section of each name
  bool finalBreak_ = false;         // the last line ended with a line break
};

// Whole-file helpers with the platform functions' semantics. A missing or unreadable
// file reads as empty. Writes go through a temporary file and a rename, so the old file
// stays whole when a write fails; they return false on failure.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::string& path);
long GetPrivateProfileInt(std::string_view section, std::string_view key, long def, const std::string& path);
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path);

// Loads a profile file; false when it cannot be read (then *out is empty).
bool loadProfile(const std::string& path, ProfileText* out);
// Writes a profile file atomically; fails WriteFailed with the errno value.
Result<void> saveProfile(const std::string& path, const ProfileText& p);

}  // namespace tly
