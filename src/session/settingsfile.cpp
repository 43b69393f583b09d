#include "session/settingsfile.h"

#include <charconv>
#include <vector>

#include "model/basic.h"
#include "model/cp932.h"
#include "io/safesave.h"
#include "session/ver2.h"

namespace tly {

namespace {

constexpr const char* kSecMain = "TLY";
constexpr const char* kSecWindow = "TLYWindow";
constexpr const char* kSecJW = "TLYJW";
constexpr const char* kDefaultFontName = "ＭＳ Ｐ明朝";
constexpr int kIniItems = 16;

const char* tf(bool b) { return b ? "True" : "False"; }

// Only the exact text "False" is false.
bool readBool(const ProfileText& p, const char* sec, const char* key, const char* def) {
  return p.getString(sec, key, def) != "False";
}

// An integer that must lie in [lo, hi]; anything else (a damaged file) gives def.
int readInt(const ProfileText& p, const char* sec, const char* key, int def, long lo, long hi) {
  long v = p.getInt(sec, key, def);
  return (v < lo || v > hi) ? def : static_cast<int>(v);
}

std::string numberText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
  return std::string(buf, r.ptr);
}

// Lines of the raw file as UTF-8, split at CR, LF or CR LF.
std::vector<std::string> rawLines(const std::string& raw) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < raw.size()) {
    size_t e = raw.find_first_of("\r\n", i);
    if (e == std::string::npos) e = raw.size();
    out.push_back(fromCp932(std::string_view(raw).substr(i, e - i)));
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

void getMainIniFrom(App& app, const std::string* raw) {
  const ProfileText p = raw ? ProfileText(*raw) : ProfileText();
  MainView& w = app.W;
  ViewState& v = app.V;

  v.changesOnly = readBool(p, kSecMain, "UDisp", "True");
  v.editAll = readBool(p, kSecMain, "EditAll", "True");

  int ggn = readInt(p, kSecMain, "Ggn", 3, 1, kGrades);
  if (ggn != app.Y.Ggn || static_cast<int>(w.cmbGr.items.size()) != ggn) {
    app.Y.Ggn = static_cast<int16_t>(ggn);
    refillGradeList(app);
  }

  FontInfo f = app.Grid1.Font;
  f.name = p.getString(kSecMain, "FontName", "");
  if (f.name.empty()) f.name = kDefaultFontName;
  std::string size = p.getString(kSecMain, "FontSize", "");
  double sz = size.empty() ? 10 : Val(size);
  f.size = (sz >= 1 && sz <= 200) ? static_cast<float>(sz) : 10.0f;
  f.bold = readBool(p, kSecMain, "FontBold", "False");
  f.italic = readBool(p, kSecMain, "FontItalic", "False");
  app.Grid1.Font = f;

  v.toolBar = readBool(p, kSecMain, "ToolBar", "True");

  app.S.PrnBeginPage = readInt(p, kSecMain, "BeginPage", 4, -32768, 32767);
  app.S.PrnEndPage = readInt(p, kSecMain, "EndPage", 4, -32768, 32767);
  app.S.PrnTopMargin = readInt(p, kSecMain, "TopMargin", 10, -32768, 32767);
  app.S.PrnLeftMargin = readInt(p, kSecMain, "LeftMargin", 10, -32768, 32767);

  w.windowState = readInt(p, kSecWindow, "WindowState", 0, 0, 2);
  // A second running copy opens 360 twips lower and further right.
  int n = app.S.InstanceCount < 0 ? 0 : app.S.InstanceCount > 100 ? 100 : app.S.InstanceCount;
  w.left = n * 360 + readInt(p, kSecWindow, "Left", 240, -100000, 100000);
  w.top = n * 360 + readInt(p, kSecWindow, "Top", 240, -100000, 100000);
  w.height = readInt(p, kSecWindow, "Height", 4800, 0, 100000);
  w.width = readInt(p, kSecWindow, "Width", 8160, 0, 100000);

  for (int c = 0; c < 10; ++c)
    app.Grid1.setColWidth(c, readInt(p, kSecWindow, ("ColWidth" + std::to_string(c)).c_str(),
                                      defaultIniColWidth(c), 0, 32767));

  app.Y.JItemCount = static_cast<int16_t>(readInt(p, kSecMain, "JItem", 8, 0, kIniItems));

  app.S.IniGrIndex = readInt(p, kSecMain, "CmbGrLstInd", 0, -1, kGrades - 1);
  app.S.IniMonthIndex = readInt(p, kSecMain, "CmbMonthLstInd", 0, -1, 11);
  app.S.IniDspJWIndex = readInt(p, kSecMain, "CmbDspJwLstInd", 0, -1, 100);

  bool jwc = readBool(p, kSecMain, "JWC", "False");
  bool jws = readBool(p, kSecMain, "JWS", "False");
  // One timetable text at a time.
  v.timetable = jwc ? TimetableView::Class : jws ? TimetableView::Teacher : TimetableView::None;

  // Item names come from the raw text: the first line anywhere in the file that holds
  // "JItem" and the item's number gives the text after its first "=".
  if (!raw) {
    for (int i = 0; i < kIniItems; ++i)
      app.Y.JItem[static_cast<size_t>(i)] =
          i < static_cast<int>(kDefaultItemNames.size()) ? kDefaultItemNames[static_cast<size_t>(i)] : "*";
  } else {
    const auto lines = rawLines(*raw);
    for (int i = 0; i < kIniItems; ++i) {
      std::string& item = app.Y.JItem[static_cast<size_t>(i)];
      item.clear();
      const std::string needle = "JItem" + std::to_string(i + 1);
      for (const auto& l : lines) {
        if (l.find(needle) == std::string::npos) continue;
        size_t eq = l.find('=');
        item = trimBlanks(eq == std::string::npos ? std::string_view(l) : std::string_view(l).substr(eq + 1));
        break;
      }
    }
  }
  for (int i = app.Y.JItemCount; i < kIniItems; ++i) app.Y.JItem[static_cast<size_t>(i)] = "*";
}

void GetMainIni(App& app) {
  std::string raw;
  if (readFileContents(app.S.IniFile, &raw) != 0)
    getMainIniFrom(app, nullptr);
  else
    getMainIniFrom(app, &raw);
}

void putMainIniTo(const App& app, ProfileText& p) {
  const MainView& w = app.W;
  p.set(kSecMain, "UDisp", tf(app.V.changesOnly));
  p.set(kSecMain, "EditAll", tf(app.V.editAll));
  p.set(kSecMain, "Ggn", std::to_string(app.Y.Ggn));
  p.set(kSecMain, "FontName", app.Grid1.Font.name);
  p.set(kSecMain, "FontSize", numberText(app.Grid1.Font.size));
  p.set(kSecMain, "FontBold", tf(app.Grid1.Font.bold));
  p.set(kSecMain, "FontItalic", tf(app.Grid1.Font.italic));
  p.set(kSecMain, "ToolBar", tf(app.V.toolBar));
  p.set(kSecMain, "BeginPage", std::to_string(app.S.PrnBeginPage));
  p.set(kSecMain, "EndPage", std::to_string(app.S.PrnEndPage));
  p.set(kSecMain, "TopMargin", std::to_string(app.S.PrnTopMargin));
  p.set(kSecMain, "LeftMargin", std::to_string(app.S.PrnLeftMargin));

  p.set(kSecWindow, "WindowState", std::to_string(w.windowState));
  if (w.windowState == 0) {
    p.set(kSecWindow, "Left", std::to_string(w.left));
    p.set(kSecWindow, "Top", std::to_string(w.top));
    p.set(kSecWindow, "Height", std::to_string(w.height));
    p.set(kSecWindow, "Width", std::to_string(w.width));
  }
  for (int c = 0; c < 10; ++c) {
    int width = c < app.Grid1.cols() ? app.Grid1.colWidth(c) : defaultIniColWidth(c);
    p.set(kSecWindow, "ColWidth" + std::to_string(c), std::to_string(width));
  }

  p.set(kSecMain, "JItem", std::to_string(app.Y.JItemCount));
  for (int i = 0; i < kIniItems; ++i)
    p.set(kSecMain, "JItem" + std::to_string(i + 1), app.Y.JItem[static_cast<size_t>(i)]);
  p.set(kSecMain, "CmbGrLstInd", std::to_string(w.cmbGr.index));
  p.set(kSecMain, "CmbMonthLstInd", std::to_string(w.cmbMonth.index));
  p.set(kSecMain, "CmbDspJWLstInd", std::to_string(w.cmbDispJW.index));
  p.set(kSecMain, "JWC", tf(app.V.timetable == TimetableView::Class));
  p.set(kSecMain, "JWS", tf(app.V.timetable == TimetableView::Teacher));
}

void PutMainIni(App& app) {
  // Failures to write the settings file are not reported; the old file stays whole.
  ProfileText p;
  loadProfile(app.S.IniFile, &p);
  putMainIniTo(app, p);
  (void)saveProfile(app.S.IniFile, p);
}

void PutJWIni(App& app, const JWIniState& s) {
  ProfileText p;
  loadProfile(app.S.IniFile, &p);
  p.set(kSecJW, "JWLeft", numText(s.left, true));
  p.set(kSecJW, "JWTop", numText(s.top, true));
  p.set(kSecJW, "optClass", tf(s.optClass));
  p.set(kSecJW, "lstJW", numText(s.lstJW, true));
  p.set(kSecJW, "optRefClass", tf(s.optRefClass));
  p.set(kSecJW, "cmbRef", numText(s.cmbRef, true));
  (void)saveProfile(app.S.IniFile, p);
}

}  // namespace tly
