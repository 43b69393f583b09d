#include <gtest/gtest.h>

#include "rules/printlayout.h"
#include "support/recording_printer.h"

namespace tly {
namespace {

using test::RecordingPrinter;

Grid gridOf(const std::vector<int>& widths, const std::vector<int>& heights) {
  Grid g;
  g.setCols(static_cast<int>(widths.size()));
  g.setRows(static_cast<int>(heights.size()));
  for (size_t c = 0; c < widths.size(); ++c) g.setColWidth(static_cast<int>(c), widths[c]);
  for (size_t r = 0; r < heights.size(); ++r) g.setRowHeight(static_cast<int>(r), heights[r]);
  return g;
}

TEST(PrintLayout, PageSizesAndUnits) {
  const struct {
    int page, width, height;
  } cases[] = {{21600, 19902, 21600}, {14400, 12701, 14400}, {15840, 15840, 14742}, {11906, 11906, 11906}};
  for (const auto& c : cases) {
    EXPECT_EQ(usablePageWidth(c.page), c.width) << c.page;
    EXPECT_EQ(usablePageHeight(c.page), c.height) << c.page;
  }
  EXPECT_EQ(marginTwips(10), 567);  // 567.0
  EXPECT_EQ(marginTwips(5), 283);   // 283.5 truncated
  EXPECT_EQ(gridLineWidth(1.2), 8);
  EXPECT_EQ(gridLineWidth(15), 1);
}

TEST(PrintLayout, ColumnsFitUpToTheWidthRowsStayBelowTheHeight) {
  Grid g = gridOf({300, 300, 300, 300}, {300, 300, 300, 300});
  EXPECT_EQ(lastColumnThatFits(g, 0, 3, 0, 900), 2);  // 900 <= 900
  EXPECT_EQ(lastColumnThatFits(g, 0, 3, 100, 900), 1);
  EXPECT_EQ(lastColumnThatFits(g, 3, 3, 0, 900), 3);  // stops at the last column
  EXPECT_EQ(lastRowThatFits(g, 1, 3, 0, 0, 900), 2);  // 900 is not below 900
  EXPECT_EQ(lastRowThatFits(g, 0, 3, 0, 1, 901), 1);  // the lines above the table take their room
  // A page always holds one row and one column, however little room there is.
  EXPECT_EQ(lastColumnThatFits(g, 2, 3, 5000, 900), 2);
  EXPECT_EQ(lastRowThatFits(g, 2, 3, 5000, 0, 900), 2);
}

TEST(PrintLayout, ShortenedTextsAndAlignment) {
  RecordingPrinter dev;
  dev.setFont({"ＭＳ Ｐ明朝", 10});  // 200 twips a character
  EXPECT_EQ(fitText(dev, "1年国語", 800), "1年国語");
  EXPECT_EQ(fitText(dev, "1年国語", 799), "1年国");
  EXPECT_EQ(fitText(dev, "1年国語", 199), "");
  EXPECT_EQ(fitText(dev, "", 0), "");
  EXPECT_EQ(alignedTextX(Align::Left, 1000, 600, 200), 1020);
  EXPECT_EQ(alignedTextX(Align::Right, 1000, 600, 200), 1380);  // ends 20 inside the edge
  EXPECT_EQ(alignedTextX(Align::Center, 1000, 600, 200), 1200);
}

// Every text and rectangle of one small page.
TEST(PrintLayout, OnePageOfASmallGrid) {
  Grid g = gridOf({600, 1000, 400}, {300, 300});
  g.Font = {"ＭＳ Ｐ明朝", 10};
  const char* texts[2][3] = {{"日", "行事", "X"}, {"1", "運動会", "ABCD"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) g.setText(r, c, texts[r][c]);
  for (int c = 0; c < 3; ++c) g.setFixedAlignment(c, Align::Center);
  g.setColAlignment(0, Align::Center);
  g.setColAlignment(1, Align::Left);
  g.setColAlignment(2, Align::Right);
  RecordingPrinter dev;
  PageFrame f{567, 0, 283, 0, {"ＭＳ Ｐゴシック", 14}};
  ASSERT_EQ(printGrid(dev, g, 1, 2, "T", kFitMarginSchedule, f), 1);
  ASSERT_EQ(dev.pages.size(), 1u);
  const auto& p = dev.pages[0];
  EXPECT_EQ(p.lineWidth, 8);
  const int y0 = 567 + 2 * 336;  // two lines of the 14-point title font
  struct T {
    int x, y;
    const char* s;
  };
  const T want[] = {{283, 567, "T"},         {483, y0 + 20, "日"},        {1183, y0 + 20, "行事"},
                    {1983, y0 + 20, "X"},    {483, y0 + 320, "1"},        {903, y0 + 320, "運動会"},
                    {2063, y0 + 320, "A"}};
  ASSERT_EQ(p.texts.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    EXPECT_EQ(p.texts[i].s, want[i].s);
    EXPECT_EQ(p.texts[i].x, want[i].x) << want[i].s;
    EXPECT_EQ(p.texts[i].y, want[i].y) << want[i].s;
  }
  EXPECT_EQ(p.texts[0].font.name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(p.texts[1].font.name, "ＭＳ Ｐ明朝");
  ASSERT_EQ(p.rects.size(), 6u);
  const int xs[4] = {283, 883, 1883, 2283};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      const auto& q = p.rects[static_cast<size_t>(r * 3 + c)];
      EXPECT_EQ(q.x1, xs[c]);
      EXPECT_EQ(q.x2, xs[c + 1]);
      EXPECT_EQ(q.y1, y0 + 300 * r);
      EXPECT_EQ(q.y2, y0 + 300 * (r + 1));
    }
}

// A grid larger than the page: row blocks, each split into column strips, the title on
// the first page only, every cell printed once.
TEST(PrintLayout, SplitsAcrossAndDownTitleOnlyOnTheFirstPage) {
  Grid g = gridOf(std::vector<int>(5, 1000), std::vector<int>(10, 300));
  g.Font = {"x", 5};
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 5; ++c) g.setText(r, c, std::to_string(r * 10 + c));
  RecordingPrinter dev;
  dev.width = 2500;   // two columns a page
  dev.height = 2000;  // two title lines (2 x 120) and 5 rows a page
  PageFrame f{0, 0, 0, 0, {"x", 5}};
  EXPECT_EQ(printGrid(dev, g, 9, 4, "Title", kFitMarginSchedule, f), 6);
  std::vector<std::string> firsts;
  int cells = 0;
  for (const auto& p : dev.pages) {
    firsts.push_back(p.texts.front().s);
    cells += static_cast<int>(p.rects.size());
  }
  EXPECT_EQ(firsts, (std::vector<std::string>{"Title", "2", "4", "50", "52", "54"}));
  EXPECT_EQ(cells, 50);
  EXPECT_EQ(dev.pages[3].rects.front().y1, 240);  // the empty title line keeps its room
}

// The fit factor grows a grid until it reaches the room across or down, whichever comes
// first, and never shrinks one; the scaled grid stays within the room it was scaled for.
TEST(PrintLayout, FitToPaperScale) {
  struct Case {
    long w, h, aw, ah;
    double scale;
  } cases[] = {
      {5000, 4000, 10000, 16000, 2.0},   // across first
      {5000, 8000, 10000, 12000, 1.5},   // down first
      {12000, 4000, 10000, 16000, 1.0},  // wider than the paper: kept
      {10000, 4000, 10000, 16000, 1.0},  // exactly as wide
      {0, 4000, 10000, 16000, 1.0},      // nothing to scale
      {5000, 4000, -20, 16000, 1.0},     // margins larger than the page
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(fitScale(c.w, c.h, c.aw, c.ah), c.scale) << c.w << "x" << c.h;

  Grid g;
  g.setCols(3);
  g.setRows(4);
  const int widths[3] = {333, 1000, 777};
  for (int c = 0; c < 3; ++c) g.setColWidth(c, widths[c]);
  for (int r = 0; r < 4; ++r) g.setRowHeight(r, 301);
  g.Font.size = 9;
  g.setText(2, 1, "国語");
  const double s = fitScale(2110, 1204, 10000, 16000);
  const Grid big = scaledGrid(g, s);
  long w = 0;
  for (int c = 0; c < 3; ++c) w += big.colWidth(c);
  EXPECT_LE(w, 10000);
  EXPECT_GE(w, 10000 - 3);
  EXPECT_EQ(big.rowHeight(3), static_cast<int>(301 * s));
  EXPECT_FLOAT_EQ(big.Font.size, static_cast<float>(9 * s));
  EXPECT_EQ(big.text(2, 1), "国語");
}

}  // namespace
}  // namespace tly
