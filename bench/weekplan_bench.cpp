// The outputs by class: the weekly plan of 35 weeks for 6 classes (210 pages) into one
// PDF file (desktop build only) and on a device that draws nothing, and the workbook of a
// full year with 18 class timetables (3 per grade), built and written as .xlsx.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "null_device.h"
#include "bench_years.h"
#include "io/workbook.h"
#include "session/output/export.h"
#include "session/output/weekplan.h"
#ifdef TLY_BENCH_PDF
#include "ui/printdevice.h"
#endif

namespace {

const char* const kSubjects[] = {"国語", "算数", "理科", "社会", "音楽", "図画工作", "体育", "外国語", "道徳", "学活"};

// Six grades of six periods, `perGrade` class timetables per grade, every slot a subject.
std::unique_ptr<tly::App> classesApp(int perGrade) {
  auto app = tly::bench::builtYearApp(6, 6);
  int n = 0;
  for (int g = 1; g <= 6; ++g)
    for (int k = 1; k <= perGrade; ++k) {
      tly::JWRec& t = app->Y.JW[0][++n];
      t.JWKind = 1;
      t.JWName = std::to_string(g) + "年" + std::to_string(k) + "組";
      for (size_t w = 1; w <= 6; ++w)
        for (size_t p = 1; p <= 6; ++p) t.JWCell[w][p] = kSubjects[(w * 7 + p * 3 + static_cast<size_t>(k)) % 10];
    }
  app->Y.JW[0][0].JWKind = static_cast<int16_t>(n + 1);
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 28; d += 4) app->Y.JJText[g][m][d][0] = "避難訓練";
  return app;
}

tly::WeekRun firstWeeks(const tly::App& app, int classes) {
  tly::WeekRun run;
  for (int c = 1; c <= classes; ++c) run.classes.push_back(c * 6 / classes);  // one class per grade
  run.from = {app.Y.nendo(), 4, 8};
  run.to = tly::addDays(run.from, 7 * 34);
  return run;
}

tly::PageFrame frame() {
  tly::PageFrame f;
  f.titleFont = tly::FontInfo{"ＭＳ Ｐゴシック", 14};
  return f;
}


tly::ReportOptions elementary() {
  tly::ReportOptions o;
  o.kind = tly::SchoolKind::Elementary;
  return o;
}

void BM_PlanWeeklyPages(benchmark::State& state) {
  auto app = classesApp(1);
  const tly::WeekRun run = firstWeeks(*app, 6);
  for (auto _ : state) {
    NullDevice dev;
    std::string why;
    if (tly::runWeekPlans(*app, dev, run, elementary(), frame(), &why) != 210) state.SkipWithError("not 210 pages");
  }
}
BENCHMARK(BM_PlanWeeklyPages)->Unit(benchmark::kMillisecond);

#ifdef TLY_BENCH_PDF
void BM_PdfWeeklyPages(benchmark::State& state) {
  auto app = classesApp(1);
  const tly::WeekRun run = firstWeeks(*app, 6);
  const std::string path = "/tmp/tly_bench_weeks.pdf";
  tly::ui::QtPrinters printers;
  printers.pdf(path).reset();
  for (auto _ : state) {
    auto dev = printers.pdf(path);
    std::string why;
    if (tly::runWeekPlans(*app, *dev, run, elementary(), frame(), &why) != 210) state.SkipWithError("not 210 pages");
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_PdfWeeklyPages)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

void BM_ExportEighteenClasses(benchmark::State& state) {
  auto app = classesApp(3);
  const tly::ReportOptions o = elementary();
  const std::string path = "/tmp/tly_bench_classes.xlsx";
  for (auto _ : state) {
    const auto report = tly::buildHoursReport(app->Y, o);
    const tly::Workbook wb = tly::buildWorkbook(*app, report, o);
    if (!tly::writeXlsx(path, wb).empty()) state.SkipWithError("not written");
    state.counters["sheets"] = static_cast<double>(wb.sheets.size());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ExportEighteenClasses)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
