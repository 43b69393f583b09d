// Printing a full year of monthly schedules (6 grades x 12 months = 72 pages): the page
// planning alone on a device that measures and draws nothing, and the whole run into a
// PDF file with Japanese fonts embedded (desktop build only).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "null_device.h"
#include "bench_years.h"
#include "session/windows/frmmain/monthgrid.h"
#include "session/windows/frmmain/navigation.h"
#include "session/output/printrun.h"
#ifdef TLY_BENCH_PDF
#include "ui/printdevice.h"
#endif

namespace {

std::unique_ptr<tly::App> fullYearApp() {
  auto app = tly::bench::builtYearApp(6, 6);
  // Day texts, so that the cells have something to measure and shorten.
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 28; d += 3) {
        app->Y.JJText[g][m][d][0] = "避難訓練・保護者会・学年集会";
        app->Y.JJText[g][m][d][1] = "給食なし";
      }
  app->S.CurGr = 1;
  app->S.CurMonth = 4;
  app->S.CurYear = 2024;
  tly::fillGradeSelector(*app);
  tly::fillMonthSelector(*app);
  tly::SetJJGrid(*app);
  tly::ResetRowHeight(*app);
  tly::DispJJ(*app, 2024, 4);
  return app;
}

tly::PrintParams allSchedules(const tly::App& app) {
  tly::PrintParams p = tly::savedPrintParams(app);
  p.grade = tly::PrintParams::kAllGrades;
  p.top = p.bottom = p.left = p.right = 10;
  return p;
}


void BM_PlanFullYearSchedules(benchmark::State& state) {
  auto app = fullYearApp();
  const tly::PrintParams p = allSchedules(*app);
  for (auto _ : state) {
    NullDevice dev;
    tly::runPrintJob(*app, dev, p);
    if (dev.pages != 72) state.SkipWithError("not 72 pages");
  }
}
BENCHMARK(BM_PlanFullYearSchedules)->Unit(benchmark::kMillisecond);

#ifdef TLY_BENCH_PDF
void BM_PdfFullYearSchedules(benchmark::State& state) {
  auto app = fullYearApp();
  const tly::PrintParams p = allSchedules(*app);
  const std::string path = "/tmp/tly_bench_schedules.pdf";
  // The printers start the printing application on their first device; that is not timed.
  tly::ui::QtPrinters printers;
  printers.pdf(path).reset();
  for (auto _ : state) {
    auto dev = printers.pdf(path);
    if (tly::runPrintJob(*app, *dev, p) != tly::PrintOutcome::Printed) state.SkipWithError("run failed");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_PdfFullYearSchedules)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace
