#include "session/output/reportprint.h"

#include <algorithm>
#include <stdexcept>

#include "rules/printlayout.h"
#include "session/output/export.h"
#include "session/windows/frmmain/monthgrid.h"

namespace tly {

namespace {

const char* const kHeads[] = {"教科", "標準時数", "年間計画", "実施済み", "残り", "過不足", "消化率"};
constexpr int kColumns = 7;
const char* const kShortMark = "▲";
const char* const kUnmatchedMark = "※";

void putRow(Grid& g, int row, const ReportRow& r) {
  g.setText(row, 0, r.matched ? r.subject : kUnmatchedMark + r.subject);
  const auto values = reportRowTexts(r, SurplusStyle::Marked);
  for (int c = 0; c < kReportNumberColumns; ++c) g.setText(row, c + 1, values[static_cast<size_t>(c)]);
}

// The widest text of each column plus the room the layout keeps free, in the current font.
void measureColumns(PrintDevice& dev, Grid& g) {
  for (int c = 0; c < g.cols(); ++c) {
    int w = 0;
    for (int r = 0; r < g.rows(); ++r) w = std::max(w, dev.textWidth(g.text(r, c)));
    // A little air on both sides, and the subject column kept from looking cramped.
    int width = w + 2 * kCellInset + kFitMarginTally + 120;
    if (c == 0) width = std::max(width, dev.textWidth("国語国語国語") + 2 * kCellInset);
    g.setColWidth(c, width);
  }
}

void drawRows(PrintDevice& dev, const Grid& g, const ClassReport& c, const std::vector<int>& rows, int x0, int y,
              const FontInfo& font) {
  for (int r : rows) {
    FontInfo f = font;
    f.bold = r == 0 || reportRowBold(c, r);
    dev.setFont(f);
    const int h = g.rowHeight(r);
    int x = x0;
    for (int col = 0; col < g.cols(); ++col) {
      const int w = g.colWidth(col);
      dev.rectangle(x, y, x + w, y + h);
      const std::string t = fitText(dev, g.text(r, col), w - kFitMarginTally);
      if (!t.empty()) {
        const Align a = r == 0 ? Align::Center : g.colAlignment(col);
        dev.text(alignedTextX(a, x, w, dev.textWidth(t)), y + kCellInset, t);
      }
      x += w;
    }
    y += h;
  }
}

}  // namespace

Grid reportTable(const ClassReport& c) {
  Grid g;
  g.setCols(kColumns);
  g.setRows(1 + static_cast<int>(c.rows.size()) + (c.grade ? 1 : 0) + static_cast<int>(c.unmatched.size()));
  g.FixedRows = 1;
  g.FixedCols = 0;
  for (int col = 0; col < kColumns; ++col) {
    g.setText(0, col, kHeads[col]);
    g.setColAlignment(col, col == 0 ? Align::Left : Align::Right);
    g.setFixedAlignment(col, Align::Center);
  }
  int row = 1;
  for (const ReportRow& r : c.rows) putRow(g, row++, r);
  if (c.grade) putRow(g, row++, c.total);
  for (const ReportRow& r : c.unmatched) putRow(g, row++, r);
  return g;
}

bool reportRowBold(const ClassReport& c, int row) {
  const int subjects = static_cast<int>(c.rows.size());
  if (row >= 1 && row <= subjects) return c.rows[size_t(row - 1)].shortfall();
  return row == subjects + 1 && c.grade != 0;  // the total
}

std::string reportPageTitle(int nendo, const ClassReport& c) {
  return schoolYearStatusText(nendo) + "  標準時数との比較  " + c.name;
}

std::string reportPageSubtitle(const ClassReport& c, const ReportOptions& o) {
  if (!c.grade) return "学年未設定（学級名の先頭に学年の数字がなく、学年も選ばれていません）";
  std::string s = std::string(schoolKindName(o.kind)) + " " + std::to_string(c.grade) + "年　実施済み: " +
                  heldRangeText(o) + "　" + kShortMark + ": 不足（年間計画 < 標準時数）";
  if (!c.unmatched.empty()) s += "　" + std::string(kUnmatchedMark) + ": 教科に当たらない名前";
  return s;
}

int printClassReport(PrintDevice& dev, const ClassReport& c, int nendo, const ReportOptions& o,
                     const PageFrame& frame, const FontInfo& tableFont) {
  const std::string title = reportPageTitle(nendo, c);
  const std::string subtitle = reportPageSubtitle(c, o);
  FontInfo titleFont = frame.titleFont;
  titleFont.underline = false;
  dev.setFont(titleFont);
  const int titleHeight = dev.textHeight(title);
  FontInfo bold = tableFont;
  bold.bold = true;
  dev.setFont(bold);
  const int lineHeight = dev.textHeight("標");
  Grid g = reportTable(c);
  measureColumns(dev, g);
  for (int r = 0; r < g.rows(); ++r) g.setRowHeight(r, lineHeight + 2 * kCellInset + lineHeight / 4);

  const int width = usablePageWidth(dev.pageWidth());
  const int height = usablePageHeight(dev.pageHeight());
  // Above the table: the title, the line under it and an empty half line.
  const int aboveTable = titleHeight + lineHeight + lineHeight / 2;
  const int lastRow = c.grade ? g.rows() - 1 : 0;
  int pages = 0;
  // Rows 1.. in blocks below the column heads, which every page repeats.
  int r0 = 1;
  do {
    const int r1 = lastRow < 1 ? 0
                               : lastRowThatFits(g, r0, lastRow, frame.top + frame.bottom,
                                                 aboveTable + g.rowHeight(0), height);
    // Columns too wide for the paper are cut at the page's edge rather than split:
    // a teacher reads a class on one sheet across.
    const int c1 = lastColumnThatFits(g, 0, g.cols() - 1, frame.left + frame.right, width);
    dev.beginPage();
    dev.setFont(titleFont);
    dev.text(frame.left, frame.top, pages == 0 ? title : title + "（続き）");
    FontInfo plain = tableFont;
    plain.bold = false;
    plain.underline = false;
    dev.setFont(plain);
    // Kept within the paper across (the legend is the last to go).
    dev.text(frame.left, frame.top + titleHeight, fitText(dev, subtitle, width - frame.left - frame.right));
    dev.setLineWidth(gridLineWidth(dev.twipsPerPixel()));
    if (c.grade) {
      Grid shown = g;
      shown.setCols(c1 + 1);
      std::vector<int> rows{0};
      for (int r = r0; r <= r1 && r >= 1; ++r) rows.push_back(r);
      drawRows(dev, shown, c, rows, frame.left, frame.top + aboveTable, plain);
    }
    dev.endPage();
    ++pages;
    r0 = std::max(r0, r1) + 1;
  } while (r0 <= lastRow);
  return pages;
}

PrintOutcome runReportPrint(App& app, PrintDevice& dev, const std::vector<ClassReport>& report,
                            const ReportOptions& o) {
  const PageFrame frame = frameOf(savedPrintParams(app));
  FontInfo tableFont = app.Grid1.Font;
  if (tableFont.name.empty()) tableFont.name = "ＭＳ Ｐ明朝";
  tableFont.size = 10.5f;
  tableFont.italic = false;

  if (report.empty()) {
    app.msg("印刷するページがありません。", MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return PrintOutcome::Failed;
  }
  std::string failure;
  try {
    dev.beginDocument();
    for (const ClassReport& c : report) printClassReport(dev, c, app.Y.nendo(), o, frame, tableFont);
    dev.endDocument();
  } catch (const std::exception& e) {
    failure = e.what();
    if (failure.empty()) failure = "不明なエラー";
  }
  if (failure.empty()) return PrintOutcome::Printed;
  try {
    dev.abortDocument();
  } catch (...) {
    // The document is gone either way.
  }
  app.msg(std::string("印刷できませんでした。\r") + failure, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  return PrintOutcome::Failed;
}

}  // namespace tly
