// Reading and writing a full year: 6 grades, 7 periods, a text on every day, 200 class
// and 200 teacher timetables with text in every cell.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "model/cp932.h"
#include "session/files/datafile.h"

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

// The texts of y in the order the file holds them: the two font names, the 33 item names
// and 101 list entries of the settings record, the per-day texts (one record for a text
// that every grade has alike, as the writer groups them), then each timetable's name and
// its 70 cells (periods above Jigen written empty).
std::vector<std::string> fileTexts(const tly::SchoolYear& y, int* dayRecords) {
  std::vector<std::string> t{y.Fs.FsFontName, y.Fs.FsPrnFontName};
  t.insert(t.end(), y.Fs.FsJItem.begin(), y.Fs.FsJItem.end());
  t.insert(t.end(), y.Fs.FsDspJWList.begin(), y.Fs.FsDspJWList.end());
  *dayRecords = 0;
  for (int m = 1; m <= 12; ++m)
    for (int d = 1; d <= 31; ++d)
      for (int k = 0; k < tly::kTextKinds; ++k) {
        const std::string& first = y.JJText[0][m][d][k];
        bool same = !first.empty();
        for (int g = 1; same && g < y.Ggn; ++g) same = y.JJText[g][m][d][k] == first;
        for (int g = 0; g < (same ? 1 : y.Ggn); ++g)
          if (!y.JJText[g][m][d][k].empty()) {
            t.push_back(y.JJText[g][m][d][k]);
            ++*dayRecords;
          }
      }
  for (int k = 0; k < 2; ++k)
    for (int i = 1; i <= y.JW[k][0].JWKind; ++i) {
      t.push_back(y.JW[k][i].JWName);
      for (int p = 0; p < tly::kPeriodSlots; ++p)
        for (int w = 0; w < 7; ++w) t.push_back(p <= y.Jigen ? y.JW[k][i].JWCell[w][p] : std::string());
    }
  return t;
}

// The full year's texts concatenated, as UTF-8 (the tables) and as CP932 (the file).
// The sizes are checked against the file: emptying every text must shrink it by exactly
// the text bytes plus the 10 bytes of each per-day record that then goes away.
struct YearTexts {
  std::string utf8, cp932;
  size_t count = 0;
  bool matchesFile = false;
};

YearTexts fullYearTexts() {
  auto y = fullYear();
  int dayRecords = 0;
  YearTexts r;
  for (const std::string& t : fileTexts(*y, &dayRecords)) {
    r.utf8 += t;
    r.cp932 += tly::toCp932(t);
    ++r.count;
  }
  auto empty = std::make_unique<tly::SchoolYear>(*y);
  empty->Fs.FsFontName.clear();
  for (auto& g : empty->JJText)
    for (auto& m : g)
      for (auto& d : m)
        for (auto& s : d) s.clear();
  for (auto& kind : empty->JW)
    for (auto& rec : kind) {
      rec.JWName.clear();
      for (auto& w : rec.JWCell)
        for (auto& c : w) c.clear();
    }
  size_t shrink = tly::encodeDataFile(*y).size() - tly::encodeDataFile(*empty).size();
  r.matchesFile = shrink == r.cp932.size() + 10 * size_t(dayRecords);
  return r;
}

// What one conversion of all the file's text costs: every text of the full year's file,
// as the CP932 bytes it stands as in the file, concatenated with nothing between them and
// converted to UTF-8 by a single fromCp932 call (one iconv call over the lot). The read
// has to convert exactly these bytes.
void BM_Cp932BaselineDecode(benchmark::State& state) {
  YearTexts t = fullYearTexts();
  if (!t.matchesFile) state.SkipWithError("the texts gathered are not the file's texts");
  for (auto _ : state) {
    std::string s = tly::fromCp932(t.cp932);
    benchmark::DoNotOptimize(s);
  }
  state.counters["text_bytes"] = static_cast<double>(t.cp932.size());
  state.counters["texts"] = static_cast<double>(t.count);
}
BENCHMARK(BM_Cp932BaselineDecode)->Unit(benchmark::kMillisecond);

// The same texts the other way: every text the full year's file holds, as UTF-8,
// concatenated and converted to CP932 by a single toCp932 call. The write has to convert
// exactly these texts.
void BM_Cp932BaselineEncode(benchmark::State& state) {
  YearTexts t = fullYearTexts();
  if (!t.matchesFile) state.SkipWithError("the texts gathered are not the file's texts");
  for (auto _ : state) {
    std::string s = tly::toCp932(t.utf8);
    benchmark::DoNotOptimize(s);
  }
  state.counters["text_bytes"] = static_cast<double>(t.utf8.size());
  state.counters["texts"] = static_cast<double>(t.count);
}
BENCHMARK(BM_Cp932BaselineEncode)->Unit(benchmark::kMillisecond);

}  // namespace
