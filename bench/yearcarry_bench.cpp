#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_years.h"
#include "rules/yearcarry.h"

namespace {

// A full year to carry from: 200 class and 200 teacher timetables, every slot of every
// weekday and period filled.
std::unique_ptr<tly::SchoolYear> fullOldYear() {
  auto app = tly::bench::builtYearApp(6, 7);
  auto y = std::make_unique<tly::SchoolYear>(app->Y);
  const char* subjects[] = {"国語", "算数", "理科", "社会", "体育", "音楽", "図画工作"};
  for (int k = 0; k < 2; ++k) {
    y->JW[k][0].JWKind = tly::kMaxTimetables;
    for (int i = 1; i <= tly::kMaxTimetables; ++i) {
      tly::JWRec& r = y->JW[k][i];
      r.JWKind = static_cast<int16_t>(k + 1);
      r.JWName = k == 0 ? std::to_string(1 + (i - 1) % 6) + "年" + std::to_string(i) + "組" : "先生" + std::to_string(i);
      for (int w = 0; w < 7; ++w)
        for (int p = 1; p < tly::kPeriodSlots; ++p) r.JWCell[size_t(w)][size_t(p)] = subjects[(w + p + i) % 7];
    }
  }
  return y;
}

// The next year's tables from a full year: the calendar built afresh, then 400 full
// timetables, the items and the settings copied in (Arg 1: classes moved up a grade).
void BM_BuildCarriedYear(benchmark::State& state) {
  const auto source = fullOldYear();
  auto built = std::make_unique<tly::SchoolYear>();
  tly::NewYearOptions o;
  o.nendo = 2025;
  o.grades = 6;
  o.periods = 7;
  tly::CarryChoice c;
  c.advanceGrades = state.range(0) == 1;
  for (auto _ : state) {
    const tly::CarryCounts n = tly::buildCarriedYear(*built, *source, o, c);
    benchmark::DoNotOptimize(n);
    benchmark::DoNotOptimize(built->JW[1][200].JWCell[6][7]);
  }
}
BENCHMARK(BM_BuildCarriedYear)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
