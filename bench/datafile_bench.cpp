// Reading and writing a full year: 6 grades, 7 periods, a text on every day, 200 class
// and 200 teacher timetables with text in every cell.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "session/datafile.h"

namespace {

std::unique_ptr<tly::SchoolYear> fullYear() {
  auto y = std::make_unique<tly::SchoolYear>();
  const char* subjects[] = {"国語", "算数", "理科", "社会", "音楽", "図工", "体育", "ｸﾗﾌﾞ"};
  y->JJ[0][0][0][0] = 2026;
  y->Ggn = 6;
  y->Jigen = 7;
  for (int g = 0; g < 6; ++g)
    for (int m = 1; m <= 12; ++m) {
      y->JJ[g][m][0][0] = 31;
      for (int d = 1; d <= 31; ++d) {
        for (int p = 1; p <= 7; ++p) y->JJ[g][m][d][p] = static_cast<int16_t>((d % 7 + 1) * 10 + p);
        y->JJText[g][m][d][0] = "行事" + std::to_string(g * 1000 + m * 40 + d);
        y->JJText[g][m][d][1] = "備考";
      }
    }
  y->JItemCount = 8;
  for (int k = 0; k < 2; ++k) {
    y->JW[k][0].JWKind = 200;
    for (int i = 1; i <= 200; ++i) {
      auto& rec = y->JW[k][i];
      rec.JWKind = static_cast<int16_t>(k + 1);
      rec.JWName = (k == 0 ? "学級" : "教師") + std::to_string(i);
      for (int w = 0; w < 7; ++w)
        for (int p = 0; p <= 7; ++p) rec.JWCell[w][p] = subjects[(w + p + i) % 8];
    }
  }
  y->Fs.FsFontName = "ＭＳ Ｐ明朝";
  y->Fs.FsFontSize = 10;
  return y;
}

void BM_WriteFullYear(benchmark::State& state) {
  auto y = fullYear();
  size_t bytes = 0;
  for (auto _ : state) {
    std::string b = tly::encodeDataFile(*y);
    bytes = b.size();
    benchmark::DoNotOptimize(b);
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_WriteFullYear)->Unit(benchmark::kMillisecond);

void BM_ReadFullYear(benchmark::State& state) {
  auto y = fullYear();
  std::string b = tly::encodeDataFile(*y);
  auto into = std::make_unique<tly::SchoolYear>();
  for (auto _ : state) {
    auto r = tly::decodeDataFile(b, *into);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ReadFullYear)->Unit(benchmark::kMillisecond);

// What LoadJJ3 adds to the parse: the copy of the open year it parses into.
void BM_ReadFullYearIntoCopy(benchmark::State& state) {
  auto y = fullYear();
  std::string b = tly::encodeDataFile(*y);
  for (auto _ : state) {
    auto copy = std::make_unique<tly::SchoolYear>(*y);
    auto r = tly::decodeDataFile(b, *copy);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_ReadFullYearIntoCopy)->Unit(benchmark::kMillisecond);

}  // namespace
