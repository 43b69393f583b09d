// Draws every month of every grade of many built and then scrambled years in random view
// modes, and compares the whole grid with a direct reading of how a day row is written.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "calendar/calendar.h"
#include "session/windows/frmmain/monthgrid.h"
#include "support/viewstate.h"

namespace tly {
namespace {

const char* const kLetters[8] = {"", "日", "月", "火", "水", "木", "金", "土"};

std::string stripBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

int gradeOf(const std::string& t) {
  static const char* const kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9",
                                        "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  for (int i = 0; i < 18; ++i)
    if (t.rfind(kDigits[i], 0) == 0) return i % 9 + 1;
  return 0;
}

enum class Mode { Plain, Class, Teacher };

std::string expectedCell(const App& a, Mode mode, bool changesOnly, int month, int d, int wd, int p, int c) {
  const int g = a.S.CurGr;
  if (c == 0) return "／";
  if (c >= -20 && c <= 10) return a.Y.JItem[static_cast<size_t>((c < 0 ? -c : c) - 1)];
  if (c < -20 || c > 79) return std::to_string(c);
  const int w = c / 10, q = c % 10;
  if (changesOnly && w == wd && q == p) return "";
  const int rec = a.W.cmbDispJW.index + 1;
  if (mode == Mode::Class && c < 77) return stripBlanks(a.Y.JW[0][rec].JWCell[w - 1][q]);
  if (mode == Mode::Teacher && c < 77) {
    std::string t = stripBlanks(a.Y.JW[1][rec].JWCell[w - 1][q]);
    int k = gradeOf(t);
    if (k == 0 || k == g || k > a.Y.Ggn) return t;
    return a.Y.JJ[k - 1][month][d][p] == c ? t : "";
  }
  return std::string(kLetters[w]) + " " + std::to_string(q);
}

TEST(MonthGridProperty, EveryCellOfEveryMonthInEveryView) {
  std::mt19937 rng(424242);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const char* subjects[] = {"国語", " 算数 ", "1年1組", "２年1組", "3-2", "4年", "５年", "6年", "9組", "０組", "", "理科"};
  auto app = std::make_unique<App>();
  App& a = *app;
  for (size_t i = 0; i < kItemSlots; ++i) a.Y.JItem[i] = "item" + std::to_string(i + 1);

  for (int round = 0; round < 24; ++round) {
    const int n = round < 4 ? std::array<int, 4>{1900, 1999, 2000, 2900}[static_cast<size_t>(round)] : pick(1900, 2900);
    NewYearOptions o;
    o.nendo = n;
    o.grades = pick(3, 6);
    o.periods = pick(5, 7);
    for (auto& f : o.closedSaturdays) f = pick(0, 1);
    buildNewYear(a.Y, o);
    SCOPED_TRACE("year " + std::to_string(n));
    // Timetables with subjects and classes of all grades; scrambled cells and texts.
    for (int k = 0; k < 2; ++k)
      for (int i = 0; i <= 3; ++i)
        for (auto& row : a.Y.JW[k][i].JWCell)
          for (auto& s : row) s = subjects[pick(0, 11)];
    for (int g = 0; g < o.grades; ++g)
      for (int m = 1; m <= 12; ++m)
        for (int j = 0; j < 40; ++j) {
          int d = pick(1, 31), p = pick(1, o.periods);
          int r = pick(0, 9);
          a.Y.JJ[g][m][d][p] = static_cast<int16_t>(r < 3 ? pick(-20, -1) : r < 8 ? pick(11, 79) : pick(-40, 120));
          if (j % 8 == 0) a.Y.JJText[g][m][d][1] = "備考" + std::to_string(j);
        }
    a.W.cmbGr.clear();
    for (int g = 1; g <= o.grades; ++g) a.W.cmbGr.items.push_back(std::to_string(g) + "年");
    a.W.cmbMonth.clear();
    for (int m : {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}) a.W.cmbMonth.items.push_back(std::to_string(m) + "月");
    a.W.cmbDispJW.items = {"a", "b", "c"};
    SetJJGrid(a);

    for (int g = 1; g <= o.grades; ++g)
      for (int m = 1; m <= 12; ++m) {
        const Mode mode = static_cast<Mode>(pick(0, 2));
        const bool changesOnly = pick(0, 1);
        testing::setView(a, Command::DispJWC, mode == Mode::Class);
        testing::setView(a, Command::DispJWS, mode == Mode::Teacher);
        testing::setView(a, Command::UDisp, changesOnly);
        a.W.cmbDispJW.select(pick(0, 2));
        a.S.CurGr = g;
        const int cy = m < 4 ? n + 1 : n;
        a.Grid1.setCurrent(pick(0, 31), pick(0, o.periods + 3));
        const int r0 = a.Grid1.Row;
        DispJJ(a, cy, m);

        const Grid& gr = a.Grid1;
        const int len = a.Y.JJ[g - 1][m][0][0];
        ASSERT_EQ(gr.rows(), len + 1);
        ASSERT_EQ(gr.cols(), o.periods + 4);
        ASSERT_EQ(gr.Row, std::min(std::max(r0, 1), len));
        ASSERT_EQ(a.W.panel[1], " " + std::to_string(n) + " 年度");
        ASSERT_EQ(a.W.cmbGr.text, std::to_string(g) + "年");
        ASSERT_EQ(a.W.cmbMonth.text, std::to_string(m) + "月");
        for (int d = 1; d <= len; ++d) {
          const int wd = Youbi(cy, m, d);
          ASSERT_EQ(gr.text(d, 0), std::to_string(d));
          ASSERT_EQ(gr.text(d, 1), kLetters[wd]);
          ASSERT_EQ(gr.text(d, 2), a.Y.JJText[g - 1][m][d][0]);
          ASSERT_EQ(gr.text(d, o.periods + 3), a.Y.JJText[g - 1][m][d][1]);
          for (int p = 1; p <= o.periods; ++p) {
            const int c = a.Y.JJ[g - 1][m][d][p];
            ASSERT_EQ(gr.text(d, p + 2), expectedCell(a, mode, changesOnly, m, d, wd, p, c))
                << "grade " << g << " " << m << "/" << d << " period " << p << " code " << c;
          }
        }
      }
  }
}

}  // namespace
}  // namespace tly
