// The history's cost: a typed cell with and without its step, and the bytes the history
// holds for many small steps and for whole-month pastes of a full year.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_years.h"
#include "model/months.h"
#include "session/state/selectors.h"
#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/frmmain/monthgrid.h"

namespace {

// A full year: 6 grades, 7 periods, every school day with its lessons and a day text.
std::unique_ptr<tly::App> fullYearApp() {
  auto app = tly::bench::builtYearApp(6, 7);
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 31; ++d) app->Y.JJText[g][m][d][0] = "学年行事と保護者会のお知らせ " + std::to_string(d);
  app->S.CurGr = 1;
  app->S.CurMonth = 5;
  app->S.CurYear = tly::calendarYearOf(2024, 5);
  tly::fillGradeSelector(*app);
  tly::fillMonthSelector(*app);
  tly::SetJJGrid(*app);
  tly::DispJJ(*app, app->S.CurYear, app->S.CurMonth);
  return app;
}

// F2, the text, Enter: one typed cell as the window sends it.
void typeCell(tly::App& app, int row, int col, const char* text) {
  app.Grid1.setCurrent(row, col);
  (void)tly::Grid1_KeyDown(app, tly::kKeyF2, 0);
  (void)tly::txtInput_GotFocus(app);
  app.W.txtInput = text;
  (void)tly::txtInput_KeyDown(app, tly::kKeyEnter, 0);
  (void)tly::Grid1_GotFocus(app);
}

// A typed lesson (the month is redrawn after it) with its step kept.
void BM_TypeLessonCell(benchmark::State& state) {
  auto app = fullYearApp();
  int n = 0;
  for (auto _ : state) {
    typeCell(*app, 7 + n % 20, 3 + n % 7, n % 2 ? "道徳" : "月3");
    ++n;
    if (app->H.size() >= tly::History::kDepth) app->H.clear();
  }
}
BENCHMARK(BM_TypeLessonCell)->Unit(benchmark::kMicrosecond);

// The step alone: watching one day of every grade and keeping what changed.
void BM_RecordDayStep(benchmark::State& state) {
  auto app = fullYearApp();
  int n = 0;
  for (auto _ : state) {
    tly::StepRecorder step(*app, "入力");
    step.day(5, 7);
    app->Y.JJ[0][5][7][1] = static_cast<int16_t>(n++ % 2 ? -5 : 21);
    benchmark::DoNotOptimize(step.commit(*app));
    if (app->H.size() >= tly::History::kDepth) app->H.clear();
  }
}
BENCHMARK(BM_RecordDayStep)->Unit(benchmark::kMicrosecond);

// 1,000 typed cells: the bytes the history holds.
void BM_History1000TypedCells(benchmark::State& state) {
  for (auto _ : state) {
    auto app = fullYearApp();
    for (int n = 0; n < 1000; ++n) typeCell(*app, 1 + n % 28, 3 + n % 7, n / 28 % 2 ? "道徳" : "学活");
    state.counters["steps"] = static_cast<double>(app->H.size());
    state.counters["history_bytes"] = static_cast<double>(app->H.bytes());
  }
}
BENCHMARK(BM_History1000TypedCells)->Unit(benchmark::kMillisecond)->Iterations(1);

// 100 pastes of a whole month (every day, every period and both texts): the bytes held.
void BM_History100MonthPastes(benchmark::State& state) {
  for (auto _ : state) {
    auto app = fullYearApp();
    tly::Grid& g = app->Grid1;
    for (int n = 0; n < 100; ++n) {
      std::string block;
      for (int r = 1; r <= 31; ++r) {
        block += "遠足の下見と職員打ち合わせ " + std::to_string(n);
        for (int p = 1; p <= 7; ++p) block += std::string("\t") + (n % 2 ? "道徳" : "学活");
        block += "\t備考 " + std::to_string(n) + "\r\n";
      }
      g.setCurrent(1, 2);
      (void)tly::pasteText(*app, block);
    }
    state.counters["steps"] = static_cast<double>(app->H.size());
    state.counters["history_bytes"] = static_cast<double>(app->H.bytes());
  }
}
BENCHMARK(BM_History100MonthPastes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
