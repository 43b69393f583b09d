#include "session/files/settingsfile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <vector>

#include "model/basic.h"
#include "model/cp932.h"
#include "io/mainini.h"
#include "io/safesave.h"
#include "session/state/selectors.h"
#include "session/files/ver2.h"

namespace tly {

namespace {

constexpr const char* kSecMain = "TLY";
constexpr const char* kSecWindow = "TLYWindow";
constexpr const char* kSecJW = "TLYJW";

const char* tf(bool b) { return b ? "True" : "False"; }

std::string numberText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v));
  return std::string(buf, r.ptr);
}

}  // namespace

void getMainIniFrom(App& app, const std::string* raw) {
  const MainIni ini = readMainIni(raw);
  MainView& w = app.W;
  ViewState& v = app.V;

  v.changesOnly = ini.changesOnly;
  v.editAll = ini.editAll;
  if (ini.grades != app.Y.Ggn || static_cast<int>(w.cmbGr.items.size()) != ini.grades) {
    app.Y.Ggn = static_cast<int16_t>(ini.grades);
    if (app.S.CurGr < 1 || app.S.CurGr > ini.grades) app.S.CurGr = 1;
    fillGradeSelector(app);
  }

  FontInfo& f = app.Grid1.Font;
  f.name = ini.fontName;
  f.size = ini.fontSize;
  f.bold = ini.fontBold;
  f.italic = ini.fontItalic;
  v.toolBar = ini.toolBar;

  app.C.PrnBeginPage = ini.beginPage;
  app.C.PrnEndPage = ini.endPage;
  app.C.PrnTopMargin = ini.topMargin;
  app.C.PrnLeftMargin = ini.leftMargin;

  w.windowState = ini.windowState;
  // A second running copy opens 360 twips lower and further right.
  int n = std::clamp(app.F.InstanceCount, 0, 100);
  w.left = n * 360 + ini.left;
  w.top = n * 360 + ini.top;
  w.height = ini.height;
  w.width = ini.width;
  for (int c = 0; c < kIniColWidths; ++c) app.Grid1.setColWidth(c, ini.colWidth[static_cast<size_t>(c)]);

  app.Y.JItemCount = static_cast<int16_t>(ini.itemCount);
  for (int i = 0; i < kIniItems; ++i) app.Y.JItem[static_cast<size_t>(i)] = ini.items[static_cast<size_t>(i)];

  app.C.IniGrIndex = ini.grIndex;
  app.C.IniMonthIndex = ini.monthIndex;
  app.C.IniDspJWIndex = ini.dspJWIndex;
  v.timetable = ini.classTimetable     ? TimetableView::Class
                : ini.teacherTimetable ? TimetableView::Teacher
                                       : TimetableView::None;
}

namespace {

// Reads the settings file into *p. A missing file reads as empty; a file that exists but
// cannot be read is reported and gives false, so that it is not rewritten from nothing
// (its other sections and keys would be lost).
bool loadSettingsForWrite(App& app, ProfileText* p) {
  Result<std::string> raw = readFileContents(app.F.IniFile);
  if (raw.is(Fault::NotFound)) return true;
  if (!raw) {
    app.msg("設定ファイルを読み込めないため、設定を保存しませんでした。\r" + app.F.IniFile + "\rError Code " +
                std::to_string(errorNumberFor(raw.failure().error)),
            MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return false;
  }
  *p = ProfileText(*raw);
  return true;
}

}  // namespace

void GetMainIni(App& app) {
  Result<std::string> raw = readFileContents(app.F.IniFile);
  if (raw.is(Fault::Unreadable))
    app.msg("設定ファイルを読み込めないため、既定の設定を使います。\r" + app.F.IniFile + "\rError Code " +
                std::to_string(errorNumberFor(raw.failure().error)),
            MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  getMainIniFrom(app, raw ? &*raw : nullptr);
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
  p.set(kSecMain, "BeginPage", std::to_string(app.C.PrnBeginPage));
  p.set(kSecMain, "EndPage", std::to_string(app.C.PrnEndPage));
  p.set(kSecMain, "TopMargin", std::to_string(app.C.PrnTopMargin));
  p.set(kSecMain, "LeftMargin", std::to_string(app.C.PrnLeftMargin));

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
  if (!loadSettingsForWrite(app, &p)) return;
  putMainIniTo(app, p);
  (void)saveProfile(app.F.IniFile, p);
}

void PutJWIni(App& app, const JWIniState& s) {
  ProfileText p;
  if (!loadSettingsForWrite(app, &p)) return;
  p.set(kSecJW, "JWLeft", numText(s.left, true));
  p.set(kSecJW, "JWTop", numText(s.top, true));
  p.set(kSecJW, "optClass", tf(s.optClass));
  p.set(kSecJW, "lstJW", numText(s.lstJW, true));
  p.set(kSecJW, "optRefClass", tf(s.optRefClass));
  p.set(kSecJW, "cmbRef", numText(s.cmbRef, true));
  (void)saveProfile(app.F.IniFile, p);
}

}  // namespace tly
