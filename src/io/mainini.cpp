#include "io/mainini.h"

#include <vector>

#include "io/profile.h"
#include "model/basic.h"
#include "model/cp932.h"
#include "model/schoolyear.h"

namespace tly {

namespace {

constexpr const char* kSecMain = "TLY";
constexpr const char* kSecWindow = "TLYWindow";
constexpr const char* kDefaultFontName = "ＭＳ Ｐ明朝";

// Only the exact text "False" is false.
bool readBool(const ProfileText& p, const char* sec, const char* key, const char* def) {
  return p.getString(sec, key, def) != "False";
}

// An integer that must lie in [lo, hi]; anything else (a damaged file) gives def.
int readInt(const ProfileText& p, const char* sec, const char* key, int def, long lo, long hi) {
  long v = p.getInt(sec, key, def);
  return (v < lo || v > hi) ? def : static_cast<int>(v);
}

// The lines of the raw file (split at CR, LF or CR LF) that may hold `word`, as UTF-8: the
// bytes are searched before they are converted, which keeps every line that holds it (a
// line's bytes may hold it where its text does not, when a double-byte character ends in
// its first letter; the caller looks again in the text). No CP932 character holds a CR or
// LF byte.
std::vector<std::string> rawLinesWith(const std::string& raw, std::string_view word) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < raw.size()) {
    size_t e = raw.find_first_of("\r\n", i);
    if (e == std::string::npos) e = raw.size();
    const std::string_view line = std::string_view(raw).substr(i, e - i);
    if (line.find(word) != std::string_view::npos) out.push_back(fromCp932(line));
    if (e < raw.size() && raw[e] == '\r' && e + 1 < raw.size() && raw[e + 1] == '\n') ++e;
    i = e + 1;
  }
  return out;
}

}  // namespace

int defaultIniColWidth(int col) {
  if (col <= 1) return 400;
  if (col == 2 || col == 9) return 1600;
  return 800;
}

MainIni readMainIni(const std::string* raw) {
  const ProfileText p = raw ? ProfileText(*raw) : ProfileText();
  MainIni ini;
  ini.changesOnly = readBool(p, kSecMain, "UDisp", "True");
  ini.editAll = readBool(p, kSecMain, "EditAll", "True");
  ini.grades = readInt(p, kSecMain, "Ggn", 3, 1, kGrades);

  ini.fontName = p.getString(kSecMain, "FontName", "");
  if (ini.fontName.empty()) ini.fontName = kDefaultFontName;
  std::string size = p.getString(kSecMain, "FontSize", "");
  double sz = size.empty() ? 10 : Val(size);
  ini.fontSize = (sz >= 1 && sz <= 200) ? static_cast<float>(sz) : 10.0f;
  ini.fontBold = readBool(p, kSecMain, "FontBold", "False");
  ini.fontItalic = readBool(p, kSecMain, "FontItalic", "False");
  ini.toolBar = readBool(p, kSecMain, "ToolBar", "True");

  ini.beginPage = readInt(p, kSecMain, "BeginPage", 4, -32768, 32767);
  ini.endPage = readInt(p, kSecMain, "EndPage", 4, -32768, 32767);
  ini.topMargin = readInt(p, kSecMain, "TopMargin", 10, -32768, 32767);
  ini.leftMargin = readInt(p, kSecMain, "LeftMargin", 10, -32768, 32767);

  ini.windowState = readInt(p, kSecWindow, "WindowState", 0, 0, 2);
  ini.left = readInt(p, kSecWindow, "Left", 240, -100000, 100000);
  ini.top = readInt(p, kSecWindow, "Top", 240, -100000, 100000);
  ini.height = readInt(p, kSecWindow, "Height", 4800, 0, 100000);
  ini.width = readInt(p, kSecWindow, "Width", 8160, 0, 100000);
  for (int c = 0; c < kIniColWidths; ++c)
    ini.colWidth[static_cast<size_t>(c)] =
        readInt(p, kSecWindow, ("ColWidth" + std::to_string(c)).c_str(), defaultIniColWidth(c), 0, 32767);

  ini.itemCount = readInt(p, kSecMain, "JItem", 8, 0, kIniItems);
  ini.grIndex = readInt(p, kSecMain, "CmbGrLstInd", 0, -1, kGrades - 1);
  ini.monthIndex = readInt(p, kSecMain, "CmbMonthLstInd", 0, -1, 11);
  ini.dspJWIndex = readInt(p, kSecMain, "CmbDspJwLstInd", 0, -1, 100);

  // One timetable text at a time.
  ini.classTimetable = readBool(p, kSecMain, "JWC", "False");
  ini.teacherTimetable = !ini.classTimetable && readBool(p, kSecMain, "JWS", "False");

  // Item names come from the raw text: the first line anywhere in the file that holds
  // "JItem" and the item's number gives the text after its first "=".
  if (!raw) {
    for (int i = 0; i < kIniItems; ++i)
      ini.items[static_cast<size_t>(i)] =
          i < static_cast<int>(kDefaultItemNames.size()) ? kDefaultItemNames[static_cast<size_t>(i)] : "*";
  } else {
    const std::vector<std::string> lines = rawLinesWith(*raw, "JItem");
    for (int i = 0; i < kIniItems; ++i) {
      std::string& item = ini.items[static_cast<size_t>(i)];
      const std::string needle = "JItem" + std::to_string(i + 1);
      for (const auto& l : lines) {
        if (l.find(needle) == std::string::npos) continue;
        size_t eq = l.find('=');
        item = trimBlanks(eq == std::string::npos ? std::string_view(l) : std::string_view(l).substr(eq + 1));
        break;
      }
    }
  }
  for (int i = ini.itemCount; i < kIniItems; ++i) ini.items[static_cast<size_t>(i)] = "*";
  return ini;
}

}  // namespace tly
