#include "rules/printlayout.h"

#include <algorithm>
#include <cmath>

#include "model/basic.h"

namespace tly {

int usablePageWidth(int pageWidth) {
  if (pageWidth == 21600) return static_cast<int>(std::lround(19901.7));  // 15-inch continuous paper
  if (pageWidth == 14400) return static_cast<int>(std::lround(12700.8));  // 10-inch continuous paper
  return pageWidth;
}

int usablePageHeight(int pageHeight) { return pageHeight == 15840 ? 14742 : pageHeight; }

int marginTwips(int mm) { return static_cast<int>(mm * 56.7); }

int gridLineWidth(double twipsPerPixel) {
  if (!(twipsPerPixel > 0)) return 1;
  return static_cast<int>(std::lround(10.0 / twipsPerPixel));
}

int lastColumnThatFits(const Grid& g, int c0, int lastCol, int marginsWidth, int usableWidth) {
  long run = marginsWidth;
  int c = c0;
  while (c <= lastCol && run + g.colWidth(c) <= usableWidth) run += g.colWidth(c++);
  return std::max(c0, c - 1);
}

int lastRowThatFits(const Grid& g, int r0, int lastRow, int marginsHeight, int aboveTable, int usableHeight) {
  long run = marginsHeight + aboveTable;
  int r = r0;
  while (r <= lastRow && run + g.rowHeight(r) < usableHeight) run += g.rowHeight(r++);
  return std::max(r0, r - 1);
}

std::string fitText(PrintDevice& dev, const std::string& text, int room) {
  if (text.empty() || dev.textWidth(text) <= room) return text;
  // The longest run of leading characters that fits. A prefix never gets narrower as it
  // grows, so halving the range finds the same text as dropping one character at a time.
  std::vector<size_t> ends;  // byte length of the prefix of k + 1 characters
  for (size_t i = 0; i < text.size();) {
    i += std::max<size_t>(1, utf8CharLen(std::string_view(text).substr(i)));
    ends.push_back(std::min(i, text.size()));
  }
  size_t lo = 0, hi = ends.size();  // prefix of lo characters fits; hi characters do not
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    if (dev.textWidth(text.substr(0, ends[mid - 1])) <= room)
      lo = mid;
    else
      hi = mid;
  }
  return lo == 0 ? std::string() : text.substr(0, ends[lo - 1]);
}

int alignedTextX(Align a, int x, int colWidth, int textWidth) {
  switch (a) {
    case Align::Left: return x + kCellInset;
    case Align::Right: return x + colWidth - textWidth - kCellInset;
    case Align::Center: return x + (colWidth - textWidth) / 2;
  }
  return x + kCellInset;
}

double fitScale(long width, long height, long availWidth, long availHeight) {
  if (width <= 0 || height <= 0 || availWidth <= 0 || availHeight <= 0) return 1.0;
  const double s = std::min(static_cast<double>(availWidth) / static_cast<double>(width),
                            static_cast<double>(availHeight) / static_cast<double>(height));
  return s > 1.0 ? s : 1.0;
}

Grid scaledGrid(const Grid& g, double factor) {
  Grid out = g;
  for (int c = 0; c < g.cols(); ++c) out.setColWidth(c, static_cast<int>(std::floor(g.colWidth(c) * factor)));
  for (int r = 0; r < g.rows(); ++r) out.setRowHeight(r, static_cast<int>(std::floor(g.rowHeight(r) * factor)));
  out.Font.size = static_cast<float>(g.Font.size * factor);
  return out;
}

namespace {

// Paper takes a font's name, size, bold and italic; underlining stays on the screen.
FontInfo paperFont(FontInfo f) {
  f.underline = false;
  return f;
}

void printPage(PrintDevice& dev, const Grid& g, int r0, int r1, int c0, int c1, const std::string& title,
               int aboveTable, int fitMargin, const PageFrame& f) {
  dev.beginPage();
  dev.setFont(paperFont(f.titleFont));
  // Only the very first page carries the title; the others keep its line empty.
  const bool first = r0 == 0 && c0 == 0;
  if (first && !title.empty()) dev.text(f.left, f.top, title);
  int y = f.top + aboveTable;
  dev.setLineWidth(gridLineWidth(dev.twipsPerPixel()));
  dev.setFont(paperFont(g.Font));
  for (int r = r0; r <= r1; ++r) {
    const int h = g.rowHeight(r);
    int x = f.left;
    for (int c = c0; c <= c1; ++c) {
      const int w = g.colWidth(c);
      dev.rectangle(x, y, x + w, y + h);
      const std::string t = fitText(dev, g.text(r, c), w - fitMargin);
      if (!t.empty()) {
        const bool fixed = r < g.FixedRows || c < g.FixedCols;
        const Align a = fixed ? g.fixedAlignment(c) : g.colAlignment(c);
        dev.text(alignedTextX(a, x, w, dev.textWidth(t)), y + kCellInset, t);
      }
      x += w;
    }
    y += h;
  }
  dev.endPage();
}

}  // namespace

int printGrid(PrintDevice& dev, const Grid& g, int lastRow, int lastCol, const std::string& title, int fitMargin,
              const PageFrame& f) {
  lastRow = std::min(lastRow, g.rows() - 1);
  lastCol = std::min(lastCol, g.cols() - 1);
  if (lastRow < 0 || lastCol < 0) return 0;
  const int width = usablePageWidth(dev.pageWidth());
  const int height = usablePageHeight(dev.pageHeight());
  dev.setFont(paperFont(f.titleFont));
  // Every page starts its table two title lines below the top margin (the title, or the
  // blank line that stands for it, and one empty line); the rows below must fit in what
  // is left, or the last ones would run off the paper.
  const int aboveTable = 2 * dev.textHeight(title.empty() ? " " : title);
  if (f.fit) {
    long w = 0, h = 0;
    for (int c = 0; c <= lastCol; ++c) w += g.colWidth(c);
    for (int r = 0; r <= lastRow; ++r) h += g.rowHeight(r);
    // One twip short of the height: the row fitter wants the rows strictly inside it.
    const double s = fitScale(w, h, width - f.left - f.right, height - f.top - f.bottom - aboveTable - 1L);
    if (s > 1.0) {
      PageFrame plain = f;
      plain.fit = false;
      return printGrid(dev, scaledGrid(g, s), lastRow, lastCol, title, fitMargin, plain);
    }
  }
  int pages = 0;
  for (int r0 = 0; r0 <= lastRow;) {
    const int r1 = lastRowThatFits(g, r0, lastRow, f.top + f.bottom, aboveTable, height);
    for (int c0 = 0; c0 <= lastCol;) {
      const int c1 = lastColumnThatFits(g, c0, lastCol, f.left + f.right, width);
      printPage(dev, g, r0, r1, c0, c1, title, aboveTable, fitMargin, f);
      ++pages;
      c0 = c1 + 1;
    }
    r0 = r1 + 1;
  }
  return pages;
}

std::string scheduleTitle(const std::string& yearText, const std::string& grade, const std::string& month) {
  return yearText + "  " + grade + "  " + month;
}

std::string tallyRangeTitle(int fromMonth, int fromDay, int toMonth, int toDay) {
  auto n = [](int v) { return " " + numText(v) + " "; };
  return n(fromMonth) + "月" + n(fromDay) + "日 ～" + n(toMonth) + "月" + n(toDay) + "日";
}

std::string tallyTitle(const std::string& yearText, const std::string& grade, const std::string& range) {
  return yearText + "  " + grade + " 授業時数集計表  " + range;
}

std::string timetableTallyTitle(const std::string& yearText, const std::string& timetable, const std::string& range) {
  return yearText + "  " + timetable + " 授業時数集計表" + range;
}

}  // namespace tly
