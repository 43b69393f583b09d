#include <benchmark/benchmark.h>

#include <memory>

#include "calendar/calendar.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmmain/monthgrid.h"

namespace {

// The table part of building a year: texts, lessons, Saturdays, holidays, timetables.
void BM_BuildNewYear(benchmark::State& state) {
  auto y = std::make_unique<tly::SchoolYear>();
  tly::NewYearOptions o;
  o.nendo = 1999;
  o.grades = 6;
  o.periods = 7;
  for (auto _ : state) {
    tly::buildNewYear(*y, o);
    benchmark::DoNotOptimize(y->JJ[0][4][9][1]);
  }
}
BENCHMARK(BM_BuildNewYear)->Unit(benchmark::kMicrosecond);

// The whole build as the dialog runs it, including the grid showing April.
void BM_RunNewYearBuild(benchmark::State& state) {
  auto app = std::make_unique<tly::App>();
  tly::NewYearOptions o;
  o.nendo = 1999;
  o.grades = 6;
  o.periods = 7;
  for (auto _ : state) {
    tly::runNewYearBuild(*app, o);
    benchmark::DoNotOptimize(app->Grid1.text(9, 3));
  }
}
BENCHMARK(BM_RunNewYearBuild)->Unit(benchmark::kMicrosecond);

// One redraw of a 31-day month, plain view and teacher view.
void BM_DispJJ(benchmark::State& state) {
  auto app = std::make_unique<tly::App>();
  tly::NewYearOptions o;
  o.nendo = 1999;
  o.grades = 6;
  o.periods = 7;
  tly::runNewYearBuild(*app, o);
  if (state.range(0) == 1) {
    for (auto& row : app->Y.JW[1][1].JWCell)
      for (auto& s : row) s = "3年1組";
    app->W.cmbDispJW.items = {"先生"};
    app->W.cmbDispJW.select(0);
    app->V.timetable = tly::TimetableView::Teacher;
  }
  for (auto _ : state) {
    tly::DispJJ(*app, 1999, 5);
    benchmark::DoNotOptimize(app->Grid1.text(31, 3));
  }
}
BENCHMARK(BM_DispJJ)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
