#include <benchmark/benchmark.h>

#include <memory>

#include "bench_years.h"
#include "session/windows/frmmain/tally.h"

namespace {

// A built year of 6 grades and 7 periods with the default items, tallied whole.
std::unique_ptr<tly::App> wholeYearApp() {
  auto app = tly::bench::builtYearApp(6, 7);
  app->S.CurGr = 1;
  app->T.KikanSet = false;
  return app;
}

void BM_CountJisuuWholeYear6Grades7Periods(benchmark::State& state) {
  auto app = wholeYearApp();
  for (auto _ : state) {
    tly::CountJisuu(*app);
    benchmark::DoNotOptimize(app->T.JisuuCnt[5][2][3]);
  }
}
BENCHMARK(BM_CountJisuuWholeYear6Grades7Periods)->Unit(benchmark::kMicrosecond);

// The slot tally of one grade including the grid layout and fill.
void BM_DispJisuuWholeYear(benchmark::State& state) {
  auto app = wholeYearApp();
  for (auto _ : state) {
    tly::DispJisuu(*app);
    benchmark::DoNotOptimize(app->Grid1.text(15, 1));
  }
}
BENCHMARK(BM_DispJisuuWholeYear)->Unit(benchmark::kMicrosecond);

// The timetable tally: every grade counted, then a full class timetable summed and laid out.
void BM_CountAndDispJWJisuu(benchmark::State& state) {
  auto app = wholeYearApp();
  static const char* const kSubjects[] = {"国語", "算数", "理科", "社会", "音楽", "図工", "体育"};
  tly::JWRec& r = app->Y.JW[0][1];
  for (size_t w = 1; w <= 6; ++w)
    for (size_t p = 1; p <= 7; ++p) r.JWCell[w][p] = kSubjects[(w + p) % 7];
  app->S.JWMode = tly::JWModeKind::Class;
  app->S.JWNo = 1;
  for (auto _ : state) {
    tly::CountJisuu(*app);
    tly::DispJWJisuu(*app);
    benchmark::DoNotOptimize(app->Grid1.text(1, 2));
  }
}
BENCHMARK(BM_CountAndDispJWJisuu)->Unit(benchmark::kMicrosecond);

}  // namespace
