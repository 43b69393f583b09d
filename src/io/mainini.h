// The main window's part of the settings file "tly.ini" (sections "TLY" and "TLYWindow"),
// read into plain values. Every value has its default when the file or the key is missing
// or holds something out of range, so any file (or none) reads into usable settings.
#pragma once

#include <array>
#include <string>

namespace tly {

constexpr int kIniItems = 16;      // item names JItem1..JItem16
constexpr int kIniColWidths = 10;  // ColWidth0..ColWidth9

struct MainIni {
  bool changesOnly = true;  // UDisp
  bool editAll = true;      // EditAll
  int grades = 3;           // Ggn, 1..6
  std::string fontName;     // FontName ("ＭＳ Ｐ明朝" when missing)
  float fontSize = 10;      // FontSize, 1..200
  bool fontBold = false, fontItalic = false;
  bool toolBar = true;
  int beginPage = 4, endPage = 4, topMargin = 10, leftMargin = 10;
  int windowState = 0;  // 0..2
  int left = 240, top = 240, height = 4800, width = 8160;
  std::array<int, kIniColWidths> colWidth{};
  int itemCount = 8;  // JItem, 0..16
  // Item names 1..16 (UTF-8): the defaults without a file; past itemCount they are "*".
  std::array<std::string, kIniItems> items;
  int grIndex = 0, monthIndex = 0, dspJWIndex = 0;  // the selectors' last positions
  bool classTimetable = false, teacherTimetable = false;  // JWC, JWS (never both)
};

// Column widths the file gives when a key is missing; the writer uses them for columns
// the grid does not have, so a later read sees the same as for no key.
int defaultIniColWidth(int col);

// The settings of raw file bytes (CP932); raw == nullptr: no file could be read.
MainIni readMainIni(const std::string* raw);

}  // namespace tly
