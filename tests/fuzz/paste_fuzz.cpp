// Fuzz target for the paste reader: arbitrary clipboard text pasted at a position chosen
// by the first input bytes. Built as a libFuzzer program by tools/fuzz-readers.sh
// (TLY_LIBFUZZER defined); in the test suite pasteCheck replays the kept seeds.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_targets.h"
#include "model/basic.h"
#include "rules/celltext.h"
#include "session/windows/history.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/fake_platform.h"
#include "support/viewstate.h"
#include "support/years.h"

namespace tly::fuzz {

namespace {

bool validCode(int v) { return v == 0 || (v >= -20 && v < 0) || (v >= 11 && v <= 79); }

bool cleanText(const std::string& t) {
  if (t.size() > kMaxCellTextBytes || sanitizeUtf8(t) != t) return false;
  for (unsigned char c : t)
    if (c < 0x20 || c == 0x7f) return false;
  return true;
}

}  // namespace

bool pasteCheck(const uint8_t* data, size_t size) {
  if (size < 4) return true;
  // One year, built once. Only the shown month can change (checked below), so each run
  // puts back the month the run before it showed rather than copying the whole year.
  static test::TestApp* const rig = [] {
    auto* r = new test::TestApp;
    test::fillYear(r->app.Y, {.nendo = 1999, .lessons = test::Lessons::EveryDay, .defaultItems = true});
    return r;
  }();
  static const SchoolYear* const base = new SchoolYear(rig->app.Y);
  static int lastMonth = 0;
  App& app = rig->app;
  if (lastMonth != 0)
    for (int gr = 0; gr < kGrades; ++gr) {
      std::memcpy(app.Y.JJ[gr][lastMonth], base->JJ[gr][lastMonth], sizeof app.Y.JJ[gr][lastMonth]);
      for (int d = 0; d < kDaySlots; ++d)
        for (int k = 0; k < kTextKinds; ++k) app.Y.JJText[gr][lastMonth][d][k] = base->JJText[gr][lastMonth][d][k];
    }
  app.H.clear();
  rig->msg.shown.clear();
  testing::setView(app, Command::EditAll, (data[0] & 1) != 0);
  const int month = 1 + data[0] / 2 % 12;
  lastMonth = month;
  test::showMonth(app, 1 + data[1] % 3, month);
  Grid& g = app.Grid1;
  g.setCurrent(1 + data[2] % (g.rows() - 1), data[3] % g.cols());
  g.RowSel = std::min(g.rows() - 1, g.Row + data[2] / 64);
  g.ColSel = std::min(g.cols() - 1, g.Col + data[3] / 64);
  const std::string_view text(reinterpret_cast<const char*>(data) + 4, size - 4);

  const bool pasted = pasteText(app, text);

  // Only the shown month changes; whatever was pasted is a valid code or a clean text.
  for (int gr = 0; gr < kGrades; ++gr)
    for (int m = 1; m <= 12; ++m)
      for (int d = 0; d < kDaySlots; ++d) {
        for (int k = 0; k < kTextKinds; ++k) {
          const std::string& t = app.Y.JJText[gr][m][d][k];
          if (m != month && t != base->JJText[gr][m][d][k]) return false;
          if (m == month && t != base->JJText[gr][m][d][k] && !cleanText(t)) return false;
        }
        for (int p = 0; p < kPeriodSlots; ++p) {
          int v = app.Y.JJ[gr][m][d][p];
          if (m != month || d == 0 || p == 0) {
            if (v != base->JJ[gr][m][d][p]) return false;
          } else if (v != base->JJ[gr][m][d][p] && !validCode(v)) {
            return false;
          }
        }
      }
  // Undo gives the month back exactly.
  if (pasted) {
    mnuUndo_Click(app);
    for (int gr = 0; gr < kGrades; ++gr)
      for (int d = 1; d < kDaySlots; ++d) {
        for (int k = 0; k < kTextKinds; ++k)
          if (app.Y.JJText[gr][month][d][k] != base->JJText[gr][month][d][k]) return false;
        for (int p = 1; p <= app.Y.Jigen; ++p)
          if (app.Y.JJ[gr][month][d][p] != base->JJ[gr][month][d][p]) return false;
      }
  }
  return true;
}

}  // namespace tly::fuzz

#ifdef TLY_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!tly::fuzz::pasteCheck(data, size)) std::abort();
  return 0;
}
#endif
