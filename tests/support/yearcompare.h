// Field-by-field comparison of two school years: each function returns "" when the part
// is equal, else where the first difference lies, so a failing test names the field.
#pragma once

#include <string>

#include "model/schoolyear.h"

namespace tly::test {

// Every lesson cell (all grades, months, days and periods, the year and month lengths
// included) and every day text.
inline std::string lessonDifference(const SchoolYear& a, const SchoolYear& b) {
  for (int g = 0; g < kGrades; ++g)
    for (int m = 0; m < kMonthSlots; ++m)
      for (int d = 0; d < kDaySlots; ++d) {
        const std::string at = "grade " + std::to_string(g + 1) + " month " + std::to_string(m) + " day " +
                               std::to_string(d);
        for (int p = 0; p < kPeriodSlots; ++p)
          if (a.JJ[g][m][d][p] != b.JJ[g][m][d][p])
            return "JJ " + at + " period " + std::to_string(p) + ": " + std::to_string(a.JJ[g][m][d][p]) +
                   " / " + std::to_string(b.JJ[g][m][d][p]);
        for (int k = 0; k < kTextKinds; ++k)
          if (a.JJText[g][m][d][k] != b.JJText[g][m][d][k])
            return "JJText " + at + " kind " + std::to_string(k) + ": " + a.JJText[g][m][d][k] + " / " +
                   b.JJText[g][m][d][k];
      }
  if (a.Ggn != b.Ggn || a.Jigen != b.Jigen) return "Ggn / Jigen";
  return "";
}

inline std::string recordDifference(const JWRec& a, const JWRec& b, int periods) {
  if (a.JWKind != b.JWKind) return "kind " + std::to_string(a.JWKind) + " / " + std::to_string(b.JWKind);
  if (a.JWName != b.JWName) return "name " + a.JWName + " / " + b.JWName;
  for (int w = 0; w < 7; ++w)
    for (int p = 0; p <= periods; ++p)
      if (a.JWCell[size_t(w)][size_t(p)] != b.JWCell[size_t(w)][size_t(p)])
        return "cell " + std::to_string(w) + "," + std::to_string(p) + ": " + a.JWCell[size_t(w)][size_t(p)] +
               " / " + b.JWCell[size_t(w)][size_t(p)];
  return "";
}

// The count and records 1..count of a kind, cells of periods 0..periods.
inline std::string timetableDifference(const SchoolYear& a, const SchoolYear& b, int kind, int periods) {
  if (a.JW[kind][0].JWKind != b.JW[kind][0].JWKind)
    return "count " + std::to_string(a.JW[kind][0].JWKind) + " / " + std::to_string(b.JW[kind][0].JWKind);
  for (int i = 1; i <= a.JW[kind][0].JWKind && i <= kMaxTimetables; ++i)
    if (std::string d = recordDifference(a.JW[kind][i], b.JW[kind][i], periods); !d.empty())
      return "timetable " + std::to_string(i) + " " + d;
  return "";
}

inline std::string itemDifference(const SchoolYear& a, const SchoolYear& b) {
  if (a.JItemCount != b.JItemCount) return "item count";
  for (int i = 0; i < a.JItemCount && i < kItemSlots; ++i)
    if (a.JItem[size_t(i)] != b.JItem[size_t(i)]) return "item " + std::to_string(i + 1);
  return "";
}

// Every member of the settings record.
inline std::string settingsDifference(const FileSettings& a, const FileSettings& b) {
#define TLY_SAME(f) \
  if (!(a.f == b.f)) return #f;
  TLY_SAME(FsUDisp) TLY_SAME(FsEditAll) TLY_SAME(FsToolBar) TLY_SAME(FsDispJWC) TLY_SAME(FsDispJWS)
  TLY_SAME(FsColWidth) TLY_SAME(FsReserved) TLY_SAME(FsFontName) TLY_SAME(FsFontSize) TLY_SAME(FsFontBold)
  TLY_SAME(FsFontItalic) TLY_SAME(FsPrnFontName) TLY_SAME(FsPrnFontSize) TLY_SAME(FsPrnFontBold)
  TLY_SAME(FsPrnFontItalic) TLY_SAME(FsPrnFromMonth) TLY_SAME(FsPrnToMonth) TLY_SAME(FsPrnTop) TLY_SAME(FsPrnLeft)
  TLY_SAME(FsPrnBottom) TLY_SAME(FsPrnRight) TLY_SAME(FsPrnCopies) TLY_SAME(FsPrnAll) TLY_SAME(FsJItemCount)
  TLY_SAME(FsGrIndex) TLY_SAME(FsSpare) TLY_SAME(FsDspJWIndex) TLY_SAME(FsDspJWCount) TLY_SAME(FsJWClass)
  TLY_SAME(FsLstJW) TLY_SAME(FsRefClass) TLY_SAME(FsCmbRef) TLY_SAME(FsKikan)
#undef TLY_SAME
  for (int i = 0; i < a.FsJItemCount && i < 33; ++i)
    if (a.FsJItem[size_t(i)] != b.FsJItem[size_t(i)]) return "FsJItem " + std::to_string(i);
  for (int i = 0; i < a.FsDspJWCount && i < 101; ++i)
    if (a.FsDspJWList[size_t(i)] != b.FsDspJWList[size_t(i)]) return "FsDspJWList " + std::to_string(i);
  return "";
}

}  // namespace tly::test
