#include "model/schoolyear.h"

#include "model/cellcode.h"

namespace tly {

const std::array<const char*, 8> kDefaultItemNames = {"行事", "学業", "学裁", "学指",
                                                      "道徳", "ｸﾗﾌﾞ", "学活", "事前"};

const char* const kYoubiStr = "日月火水木金土";

std::string youbiLetter(int w) {
  if (w < 1 || w > 7) return {};
  // Every letter is three bytes in UTF-8.
  return std::string(kYoubiStr + 3 * (w - 1), 3);
}

namespace {

void emptyText(std::string& s) {
  if (!s.empty()) s.clear();
}

}  // namespace

void emptyDayTexts(SchoolYear& y) {
  for (auto& grade : y.JJText)
    for (auto& month : grade)
      for (auto& day : month)
        for (std::string& t : day) emptyText(t);
}

void emptyTimetableCells(JWRec& rec, int fromPeriod) {
  for (auto& day : rec.JWCell)
    for (auto cell = day.begin() + fromPeriod; cell < day.end(); ++cell) emptyText(*cell);
}

}  // namespace tly
