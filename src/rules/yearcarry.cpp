#include "rules/yearcarry.h"

#include <algorithm>

#include "model/basic.h"
#include "rules/timetablestore.h"

namespace tly {

namespace {

// Byte offset of the first character after the leading half-width blanks.
size_t firstNonBlank(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return i;
}

// Length in bytes of a digit 0..9 at the start of s: 1 half-width, 3 full-width, 0 none.
size_t digitLength(std::string_view s) {
  if (s.empty()) return 0;
  const auto c = static_cast<unsigned char>(s[0]);
  if (c >= '0' && c <= '9') return 1;
  // Full-width digits U+FF10..U+FF19 are EF BC 90..99.
  if (s.size() >= 3 && c == 0xEF && static_cast<unsigned char>(s[1]) == 0xBC) {
    const auto d = static_cast<unsigned char>(s[2]);
    if (d >= 0x90 && d <= 0x99) return 3;
  }
  return 0;
}

std::vector<JWRec> listOf(const SchoolYear& y, int kind) {
  const int n = timetableCountOf(y, kind);
  return std::vector<JWRec>(&y.JW[kind][1], &y.JW[kind][1] + n);
}

// Replaces the kind's list by `list` (at most 200 records): record numbers 1..n get
// them, kind marked, and the header counts them. The records above n stay empty, as the
// build left them.
int putList(SchoolYear& y, int kind, std::vector<JWRec>&& list) {
  const int n = std::min<int>(static_cast<int>(list.size()), kMaxTimetables);
  for (int i = 0; i < n; ++i) {
    JWRec& r = y.JW[kind][i + 1];
    r = std::move(list[static_cast<size_t>(i)]);
    r.JWKind = static_cast<int16_t>(kind + 1);
  }
  y.JW[kind][0].JWKind = static_cast<int16_t>(n);
  return n;
}

}  // namespace

int classNameGrade(std::string_view name) {
  const std::string_view s = name.substr(firstNonBlank(name));
  const int g = leadingGradeDigit(s);
  if (g == 0) return 0;
  const size_t len = digitLength(s);
  return digitLength(s.substr(len)) ? 0 : g;
}

std::string nameWithGrade(std::string_view name, int grade) {
  if (classNameGrade(name) == 0 || grade < 1 || grade > 9) return std::string(name);
  const size_t at = firstNonBlank(name);
  const size_t len = digitLength(name.substr(at));
  std::string digit;
  if (len == 1)
    digit = std::string(1, static_cast<char>('0' + grade));
  else
    digit = std::string("\xEF\xBC") + static_cast<char>(0x90 + grade);
  return std::string(name.substr(0, at)) + digit + std::string(name.substr(at + len));
}

std::vector<JWRec> advanceClassTimetables(std::vector<JWRec> classes, int topGrade) {
  // First the shape of the new list: how many classes stay, and the first-grade names,
  // as many as there is room for once every class with cells has its place.
  size_t staying = 0;
  std::vector<const std::string*> firstGrade;
  for (const JWRec& r : classes) {
    const int g = classNameGrade(r.JWName);
    if (g == 1) firstGrade.push_back(&r.JWName);
    if (g < topGrade) ++staying;
  }
  const size_t room = staying >= kMaxTimetables ? 0 : kMaxTimetables - staying;
  if (firstGrade.size() > room) firstGrade.resize(room);

  std::vector<JWRec> out;
  out.reserve(staying + firstGrade.size());
  bool firstPlaced = false;
  for (JWRec& r : classes) {
    const int g = classNameGrade(r.JWName);
    if (g == 1 && !firstPlaced) {
      // The new first grade's empty timetables stand where the old first grade began.
      for (const std::string* name : firstGrade) {
        JWRec& empty = out.emplace_back();
        empty.JWKind = r.JWKind;
        empty.JWName = *name;
      }
      firstPlaced = true;
    }
    if (g >= topGrade) continue;  // the top grade leaves the school
    if (g > 0) r.JWName = nameWithGrade(r.JWName, g + 1);
    out.push_back(std::move(r));
  }
  if (out.size() > kMaxTimetables) out.resize(kMaxTimetables);
  return out;
}

CarriedParts takeCarried(const SchoolYear& source, const CarryChoice& choice, int topGrade) {
  CarriedParts p;
  p.choice = choice;
  if (choice.classTimetables) {
    p.classes = listOf(source, kClassTimetables);
    if (choice.advanceGrades) p.classes = advanceClassTimetables(std::move(p.classes), topGrade);
  }
  if (choice.teacherTimetables) p.teachers = listOf(source, kTeacherTimetables);
  if (choice.items) {
    p.items = source.JItem;
    p.itemCount = static_cast<int16_t>(std::clamp<int>(source.JItemCount, 0, kItemSlots));
  }
  if (choice.settings) p.settings = source.Fs;
  return p;
}

CarryCounts putCarried(SchoolYear& built, CarriedParts&& parts) {
  CarryCounts c;
  const CarryChoice& ch = parts.choice;
  if (ch.classTimetables) c.classes = putList(built, kClassTimetables, std::move(parts.classes));
  if (ch.teacherTimetables) c.teachers = putList(built, kTeacherTimetables, std::move(parts.teachers));
  if (ch.items) {
    built.JItem = std::move(parts.items);
    built.JItemCount = parts.itemCount;
  } else {
    // The list a first start has: the eight default names, the rest of the sixteen "*".
    built.JItemCount = static_cast<int16_t>(kDefaultItemNames.size());
    for (size_t i = 0; i < 16; ++i) built.JItem[i] = i < kDefaultItemNames.size() ? kDefaultItemNames[i] : "*";
  }
  if (ch.settings) built.Fs = std::move(parts.settings);
  // The settings' copy of the item list is the list the new year has.
  const int items = std::clamp<int>(built.JItemCount, 0, kItemSlots);
  built.Fs.FsJItemCount = static_cast<int16_t>(items);
  for (int i = 0; i < items; ++i) built.Fs.FsJItem[static_cast<size_t>(i)] = built.JItem[static_cast<size_t>(i)];
  return c;
}

CarryCounts buildCarriedYear(SchoolYear& built, const SchoolYear& source, const NewYearOptions& opt,
                             const CarryChoice& choice) {
  CarriedParts parts = takeCarried(source, choice, std::clamp(opt.grades, 1, kGrades));
  buildNewYear(built, opt);
  return putCarried(built, std::move(parts));
}

std::string carrySummary(const CarryCounts& c) {
  return std::to_string(c.classes) + "件の学級時間割、" + std::to_string(c.teachers) + "件の教師時間割を引き継ぎました。";
}

}  // namespace tly
