#include "io/profile.h"


#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "io/safesave.h"
#include "model/cp932.h"

namespace tly {

namespace {

bool isBlankCh(char c) { return c == ' ' || c == '\t'; }

std::string_view trimWs(std::string_view s) {
  while (!s.empty() && isBlankCh(s.front())) s.remove_prefix(1);
  while (!s.empty() && (isBlankCh(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Names are compared without regard to the case of ASCII letters: each is kept and
// looked up with its letters made small.
std::string foldCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// What one line holds. Names are compared in UTF-8, where no byte of a double-byte
// character can pass for an ASCII letter.
struct LineInfo {
  enum Kind { Blank, Section, Entry, Other } kind = Other;
  std::string name;   // section or key name (UTF-8, trimmed)
  std::string_view value;  // raw CP932 value bytes, trimmed (entries only), in the line given
};

LineInfo classify(std::string_view raw) {
  LineInfo li;
  std::string_view t = trimWs(raw);
  if (t.empty()) {
    li.kind = LineInfo::Blank;
    return li;
  }
  if (t.front() == '[') {
    li.kind = LineInfo::Section;
    std::string_view n = t.substr(1);
    size_t close = n.find(']');
    if (close != std::string_view::npos) n = n.substr(0, close);
    li.name = fromCp932(trimWs(n));
    return li;
  }
  if (t.front() == ';') return li;  // comment
  // The key ends at the first "="; no CP932 trail byte is "=" (0x3D lies below 0x40).
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return li;
  li.kind = LineInfo::Entry;
  li.name = fromCp932(trimWs(t.substr(0, eq)));
  li.value = trimWs(t.substr(eq + 1));
  return li;
}

std::string oneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) {
      lines_.emplace_back(bytes.substr(start));
      finalBreak_ = false;
      return;
    }
    lines_.emplace_back(bytes.substr(start, lf - start));
    start = lf + 1;
    finalBreak_ = true;
  }
}

void ProfileText::index() const {
  if (lineKinds_.size() == lines_.size()) return;
  lineKinds_.clear();
  lineNames_.clear();
  sections_.clear();
  lineKinds_.reserve(lines_.size());
  lineNames_.reserve(lines_.size());
  for (const std::string& line : lines_) {
    LineInfo li = classify(line);
    lineKinds_.push_back(static_cast<signed char>(li.kind));
    lineNames_.push_back(foldCase(li.name));
  }
  // Only the first section of a name counts; it runs to the next section header.
  SectionIndex* in = nullptr;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto kind = static_cast<LineInfo::Kind>(lineKinds_[i]);
    const int at = static_cast<int>(i);
    if (kind == LineInfo::Section) {
      auto [it, first] = sections_.try_emplace(lineNames_[i]);
      in = first ? &it->second : nullptr;
      if (in) in->line = in->lastEntryLine = at;
      continue;
    }
    if (!in) continue;
    if (kind != LineInfo::Blank) in->lastEntryLine = at;
    if (kind == LineInfo::Entry) in->keys.try_emplace(lineNames_[i], at);
  }
}

ProfileText::Located ProfileText::locate(std::string_view section, std::string_view key) const {
  index();
  Located loc;
  auto s = sections_.find(foldCase(section));
  if (s == sections_.end()) return loc;
  loc.sectionLine = s->second.line;
  loc.lastEntryLine = s->second.lastEntryLine;
  auto k = s->second.keys.find(foldCase(key));
  if (k != s->second.keys.end()) loc.keyLine = k->second;
  return loc;
}

std::optional<std::string> ProfileText::find(std::string_view section, std::string_view key) const {
  Located loc = locate(section, key);
  if (loc.keyLine < 0) return std::nullopt;
  std::string v(classify(lines_[static_cast<size_t>(loc.keyLine)]).value);
  // One pair of enclosing quotes is dropped, as the platform's reader does.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return fromCp932(cutCp932(v, kProfileValueMax));
}

std::string ProfileText::getString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = find(section, key);
  return v ? *v : std::string(def);
}

long ProfileText::getInt(std::string_view section, std::string_view key, long def) const {
  auto v = find(section, key);
  if (!v || v->empty()) return def;
  std::string_view s = *v;
  bool neg = false;
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  long n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    int d = s[i] - '0';
    if (n > (LONG_MAX - d) / 10) {
      n = LONG_MAX;
      break;
    }
    n = n * 10 + d;
  }
  return neg ? -n : n;
}

void ProfileText::set(std::string_view section, std::string_view key, std::string_view value) {
  std::string sec = oneLine(section), k = oneLine(key), v = oneLine(value);
  Located loc = locate(sec, k);
  if (loc.keyLine >= 0) {
    // Keep the key as the file spells it and the line's own line end.
    std::string& line = lines_[static_cast<size_t>(loc.keyLine)];
    bool cr = !line.empty() && line.back() == '\r';
    size_t eq = line.find('=');
    std::string keyRaw(trimWs(std::string_view(line).substr(0, eq)));
    // The line keeps its key, so its kind and name in the index stay right.
    line = keyRaw + "=" + toCp932(v) + (cr ? "\r" : "");
    return;
  }
  // A line added after a last line that had no line end gives that line one (a line end
  // changes neither its kind nor its name).
  if (!lines_.empty() && !finalBreak_ && (lines_.back().empty() || lines_.back().back() != '\r'))
    lines_.back() += '\r';
  finalBreak_ = true;
  std::string entry = toCp932(k) + "=" + toCp932(v) + "\r";
  if (loc.sectionLine >= 0) {
    insertLine(static_cast<size_t>(loc.lastEntryLine + 1), std::move(entry));
    return;
  }
  bool needGap = false;
  for (signed char kind : lineKinds_)
    if (kind != LineInfo::Blank) needGap = true;
  if (needGap && lineKinds_.back() != LineInfo::Blank) insertLine(lines_.size(), "\r");
  insertLine(lines_.size(), "[" + toCp932(sec) + "]\r");
  insertLine(lines_.size(), std::move(entry));
}

void ProfileText::insertLine(size_t at, std::string line) {
  // The index is whole here: locate() built it, and every change since kept it whole.
  LineInfo li = classify(line);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  lineKinds_.insert(lineKinds_.begin() + static_cast<std::ptrdiff_t>(at), static_cast<signed char>(li.kind));
  lineNames_.insert(lineNames_.begin() + static_cast<std::ptrdiff_t>(at), foldCase(li.name));
  const int line0 = static_cast<int>(at);
  auto shift = [line0](int& n) {
    if (n >= line0) ++n;
  };
  if (at + 1 < lines_.size()) {  // no line follows one added at the end
    for (auto& [name, sec] : sections_) {
      shift(sec.line);
      shift(sec.lastEntryLine);
      for (auto& [key, n] : sec.keys) shift(n);
    }
  }
  if (li.kind == LineInfo::Blank) return;
  const std::string& name = lineNames_[at];
  if (li.kind == LineInfo::Section) {
    // Sections are added only at the end, so no line that was there moves into this one.
    auto [it, first] = sections_.try_emplace(name);
    if (first) it->second.line = it->second.lastEntryLine = line0;
    return;
  }
  // Any other line belongs to the section whose header comes last before it, when that is
  // the first section of its name.
  for (size_t h = at; h-- > 0;) {
    if (lineKinds_[h] != LineInfo::Section) continue;
    auto it = sections_.find(lineNames_[h]);
    if (it == sections_.end() || it->second.line != static_cast<int>(h)) return;
    SectionIndex& sec = it->second;
    sec.lastEntryLine = std::max(sec.lastEntryLine, line0);
    if (li.kind == LineInfo::Entry) {
      // The first key of a name wins: an earlier one keeps its place.
      auto [k, fresh] = sec.keys.try_emplace(name, line0);
      if (!fresh && k->second > line0) k->second = line0;
    }
    return;
  }
}

std::string ProfileText::bytes() const {
  std::string out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || finalBreak_) out += '\n';
  }
  return out;
}

bool loadProfile(const std::string& path, ProfileText* out) {
  Result<std::string> bytes = readFileContents(path);
  *out = bytes ? ProfileText(*bytes) : ProfileText();
  return bytes.ok();
}

Result<void> saveProfile(const std::string& path, const ProfileText& p) { return replaceFileContents(path, p.bytes()); }

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::string& path) {
  ProfileText p;
  loadProfile(path, &p);
  return p.getString(section, key, def);
}

long GetPrivateProfileInt(std::string_view section, std::string_view key, long def, const std::string& path) {
  ProfileText p;
  loadProfile(path, &p);
  return p.getInt(section, key, def);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path) {
  ProfileText p;
  loadProfile(path, &p);
  p.set(section, key, value);
  return saveProfile(path, p).ok();
}

}  // namespace tly
