// The PDF files the command line writes, read back with poppler's pdftotext and pdfinfo:
// what a class's month page holds, and that a filled page reaches the usable width.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>

#include "support/shell.h"
#include "support/tempdir.h"

#ifdef TLY_HAVE_UI

namespace tly {
namespace {

const std::string kRich = std::string(TLY_GOLDEN_DIR) + "/inputs/rich.dat";

std::string tly(const std::string& args) { return test::shellOutput(test::shellQuoted(TLY_BIN) + " " + args); }

// The largest xMax of the words pdftotext -bbox finds on page 1, in points.
double rightmostWord(const std::string& pdf) {
  const std::string html = test::shellOutput("pdftotext -bbox -f 1 -l 1 " + test::shellQuoted(pdf) + " -");
  const std::regex word(R"re(xMax="([0-9.]+)")re");
  double right = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
    right = std::max(right, std::stod((*it)[1].str()));
  return right;
}

TEST(PrintPdf, AClassMonthHoldsItsSubjectsOnOnePage) {
  test::TempDir tmp;
  const std::string pdf = tmp.file("c.pdf"), fit = tmp.file("f.pdf");
  EXPECT_EQ(tly("print " + kRich + " --pdf " + pdf + " --class 1 --from 4 --to 4 --copies 1"), pdf + ": 1 ページ\n");
  const std::string info = test::shellOutput("pdfinfo " + pdf);
  EXPECT_TRUE(std::regex_search(info, std::regex("\nPages: +1\n"))) << info;
  const std::string text = test::shellOutput("pdftotext -layout " + pdf + " -");
  for (const char* subject : {"国語", "数学", "英語", "理科", "体育", "学活"})
    EXPECT_NE(text.find(subject), std::string::npos) << subject << "\n" << text;
  EXPECT_EQ(text.find("月 1"), std::string::npos) << text;
  EXPECT_NE(text.find("1998 年度"), std::string::npos) << text;

  // Filled: the remarks column's text moves out with the grid, which ends within 2 mm of
  // the page's edge (A4, 595.3 pt; no margins in this file).
  EXPECT_EQ(tly("print " + kRich + " --pdf " + fit + " --class 1 --from 4 --to 4 --copies 1 --fit"),
            fit + ": 1 ページ\n");
  const double plain = rightmostWord(pdf), filled = rightmostWord(fit);
  EXPECT_GT(filled, plain * 1.2) << plain << " " << filled;
  EXPECT_LT(filled, 595.3) << filled;
}

// A class's months over a range: one page each, the title on each month's first page.
TEST(PrintPdf, OnlyEachSetsFirstPageCarriesTheTitle) {
  test::TempDir tmp;
  const std::string pdf = tmp.file("r.pdf");
  EXPECT_EQ(tly("print " + kRich + " --pdf " + pdf + " --class 2 --from 5 --to 7 --copies 1"), pdf + ": 3 ページ\n");
  for (int page = 1; page <= 3; ++page) {
    const std::string t = test::shellOutput("pdftotext -f " + std::to_string(page) + " -l " + std::to_string(page) + " " +
                                            pdf + " -");
    EXPECT_EQ(std::count(t.begin(), t.end(), '\f'), 1);
    EXPECT_NE(t.find("1998 年度 3年 " + std::to_string(page + 4) + "月"), std::string::npos) << t;  // blanks as pdftotext joins them
  }
}

}  // namespace
}  // namespace tly

#endif
