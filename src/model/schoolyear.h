// The tables of one open school year. Everything is fixed-size so that a whole
// year can be copied (a read parses into a copy and swaps it in on success).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tly {

constexpr int kGrades = 6;        // grade index 0..5
constexpr int kMonthSlots = 13;   // month index 0..12 (0 unused)
constexpr int kDaySlots = 32;     // day index 0..31 (0 holds the month length at period 0)
constexpr int kPeriodSlots = 10;  // period index 0..9
constexpr int kItemSlots = 20;    // tally items 1..20
constexpr int kMaxTimetables = 200;
constexpr int kTextKinds = 2;     // 0 events, 1 remarks

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
inline int16_t toBool16(bool b) { return b ? kTrue : kFalse; }

// One weekly timetable. Record 0 of each kind is a header whose JWKind holds the count.
struct JWRec {
  int16_t JWKind = 0;
  std::string JWName;
  // JWCell[weekday 0..6 (Sunday first)][period 0..9]
  std::array<std::array<std::string, kPeriodSlots>, 7> JWCell;
};

// View and print settings that travel inside every data file, members in file order.
struct FileSettings {
  int16_t FsUDisp = 0;
  int16_t FsEditAll = 0;
  int16_t FsToolBar = 0;
  int16_t FsDispJWC = 0;
  int16_t FsDispJWS = 0;
  std::array<int16_t, 16> FsColWidth{};
  std::array<int16_t, 429> FsReserved{};
  std::string FsFontName;
  float FsFontSize = 0;
  int16_t FsFontBold = 0;
  int16_t FsFontItalic = 0;
  std::string FsPrnFontName;
  float FsPrnFontSize = 0;
  int16_t FsPrnFontBold = 0;
  int16_t FsPrnFontItalic = 0;
  int16_t FsPrnFromMonth = 0;
  int16_t FsPrnToMonth = 0;
  int16_t FsPrnTop = 0;
  int16_t FsPrnLeft = 0;
  int16_t FsPrnBottom = 0;
  int16_t FsPrnRight = 0;
  int16_t FsPrnCopies = 0;
  int16_t FsPrnAll = 0;
  int16_t FsJItemCount = 0;
  std::array<std::string, 33> FsJItem;
  int16_t FsGrIndex = 0;
  int16_t FsSpare = 0;
  int16_t FsDspJWIndex = 0;
  int16_t FsDspJWCount = 0;
  std::array<std::string, 101> FsDspJWList;
  int32_t FsJWClass = 0;
  int16_t FsLstJW = 0;
  int32_t FsRefClass = 0;
  int16_t FsCmbRef = 0;
  int16_t FsKikan = 0;
};

struct SchoolYear {
  // JJ[grade index][month][day][period]; JJ[0][0][0][0] is the school year,
  // JJ[g][m][0][0] the last day of month m.
  int16_t JJ[kGrades][kMonthSlots][kDaySlots][kPeriodSlots] = {};
  // JJText[grade index][month][day][kind]
  std::string JJText[kGrades][kMonthSlots][kDaySlots][kTextKinds];
  std::array<std::string, kItemSlots> JItem;
  int16_t JItemCount = 0;
  // JW[kind 0 class / 1 teacher][0 header, 1..200 timetables]
  JWRec JW[2][kMaxTimetables + 1];
  int16_t Ggn = 0;
  int16_t Jigen = 0;
  FileSettings Fs;

  int16_t nendo() const { return JJ[0][0][0][0]; }
  bool isOpen() const { return JJ[0][0][0][0] > 1900; }
  int16_t monthLength(int gradeIndex, int month) const { return JJ[gradeIndex][month][0][0]; }
  int timetableCount(int kind) const { return JW[kind][0].JWKind; }
};

// Readers start from a copy of the open year and empty what the file does not set. Most
// of a year's 33,000 strings are empty already, so each is tested before it is written.
// Every day text of every grade:
void emptyDayTexts(SchoolYear& y);
// The cells of a timetable from period fromPeriod on (its kind and name are left alone):
void emptyTimetableCells(JWRec& rec, int fromPeriod = 0);

// The default tally item names used when no saved list exists.
extern const std::array<const char*, 8> kDefaultItemNames;

}  // namespace tly
