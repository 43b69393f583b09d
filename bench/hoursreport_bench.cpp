#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "calendar/calendar.h"
#include "rules/hoursreport.h"

namespace {

// A built year of 6 grades and 6 periods, 4 class timetables per grade, each using 12
// subject texts (full names and short names mixed) in every slot Monday..Saturday.
std::unique_ptr<tly::SchoolYear> schoolYear() {
  auto y = std::make_unique<tly::SchoolYear>();
  tly::NewYearOptions o;
  o.nendo = 2024;
  o.grades = 6;
  o.periods = 6;
  tly::buildNewYear(*y, o);
  y->JItemCount = 8;
  for (size_t i = 0; i < 8; ++i) y->JItem[i] = tly::kDefaultItemNames[i];
  static const char* const kTexts[] = {"国語", "社", "算", "理", "音", "図工", "家", "体", "外", "道", "総", "学活"};
  int n = 0;
  for (int g = 1; g <= 6; ++g)
    for (int c = 1; c <= 4; ++c) {
      tly::JWRec& r = y->JW[0][++n];
      r.JWKind = 1;
      r.JWName = std::to_string(g) + "-" + std::to_string(c);
      for (size_t w = 1; w <= 6; ++w)
        for (size_t p = 1; p <= 6; ++p) r.JWCell[w][p] = kTexts[(w * 7 + p + static_cast<size_t>(c)) % 12];
    }
  y->JW[0][0].JWKind = static_cast<int16_t>(n);
  return y;
}

// The whole-school report: 24 classes, planned and held hours of every subject.
void BM_WholeSchoolReport6x4x12(benchmark::State& state) {
  auto y = schoolYear();
  tly::ReportOptions o;
  o.held = tly::heldRangeUntil(2024, 2024, 12, 20);
  for (auto _ : state) {
    auto rep = tly::buildHoursReport(*y, o);
    benchmark::DoNotOptimize(rep.back().total.planned);
  }
}
BENCHMARK(BM_WholeSchoolReport6x4x12)->Unit(benchmark::kMillisecond);

}  // namespace
