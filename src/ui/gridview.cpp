#include "ui/gridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "ui/qtplatform.h"

namespace tly::ui {

GridView::GridView(Grid& grid, QWidget* parent) : QAbstractScrollArea(parent), g_(grid) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  dpi_ = screenDpi();
  viewport()->setMouseTracking(true);
  refresh();
}

void GridView::setDpi(int dpi) {
  dpi_ = dpi > 0 ? dpi : 96;
  refresh();
}

void GridView::refresh() {
  relayout();
  viewport()->update();
}

void GridView::relayout() {
  font_ = toQFont(g_.Font);
  const int cols = g_.cols(), rows = g_.rows();
  colX_.resize(cols);
  colW_.resize(cols);
  rowY_.resize(rows);
  rowH_.resize(rows);
  int x = 0;
  for (int c = 0; c < cols; ++c) {
    colX_[c] = x;
    colW_[c] = std::max(0, twipsToPx(g_.colWidth(c), dpi_));
    x += colW_[c];
  }
  totalW_ = x;
  int y = 0;
  for (int r = 0; r < rows; ++r) {
    rowY_[r] = y;
    rowH_[r] = std::max(0, twipsToPx(g_.rowHeight(r), dpi_));
    y += rowH_[r];
  }
  totalH_ = y;
  const QSize vs = viewport()->size();
  int scrollW = std::max(0, totalW_ - vs.width());
  int scrollH = std::max(0, totalH_ - vs.height());
  horizontalScrollBar()->setRange(0, scrollW);
  horizontalScrollBar()->setPageStep(std::max(1, vs.width() - fixedWidth()));
  horizontalScrollBar()->setSingleStep(20);
  verticalScrollBar()->setRange(0, scrollH);
  verticalScrollBar()->setPageStep(std::max(1, vs.height() - fixedHeight()));
  verticalScrollBar()->setSingleStep(std::max(1, rows > 1 ? rowH_[rows - 1] : 16));
}

int GridView::fixedWidth() const {
  int n = std::min(g_.FixedCols, g_.cols());
  return n > 0 ? colX_[n - 1] + colW_[n - 1] : 0;
}

int GridView::fixedHeight() const {
  int n = std::min(g_.FixedRows, g_.rows());
  return n > 0 ? rowY_[n - 1] + rowH_[n - 1] : 0;
}

QRect GridView::cellRect(int row, int col) const {
  if (!g_.valid(row, col) || row >= static_cast<int>(rowY_.size()) || col >= static_cast<int>(colX_.size()))
    return {};
  int x = colX_[col], y = rowY_[row];
  if (col >= g_.FixedCols) x -= horizontalScrollBar()->value();
  if (row >= g_.FixedRows) y -= verticalScrollBar()->value();
  return QRect(x, y, colW_[col], rowH_[row]);
}

bool GridView::cellAt(const QPoint& p, int* row, int* col) const {
  const int fw = fixedWidth(), fh = fixedHeight();
  int x = p.x() < fw ? p.x() : p.x() + horizontalScrollBar()->value();
  int y = p.y() < fh ? p.y() : p.y() + verticalScrollBar()->value();
  int c = -1, r = -1;
  for (int i = 0; i < g_.cols() && i < static_cast<int>(colX_.size()); ++i)
    if (x >= colX_[i] && x < colX_[i] + colW_[i]) { c = i; break; }
  for (int i = 0; i < g_.rows() && i < static_cast<int>(rowY_.size()); ++i)
    if (y >= rowY_[i] && y < rowY_[i] + rowH_[i]) { r = i; break; }
  if (r < 0 || c < 0) return false;
  *row = r;
  *col = c;
  return true;
}

void GridView::paintEvent(QPaintEvent*) {
  if (!g_.Redraw) return;
  QPainter p(viewport());
  p.setFont(font_);
  const QPalette& pal = palette();
  const int rows = std::min(g_.rows(), static_cast<int>(rowY_.size()));
  const int cols = std::min(g_.cols(), static_cast<int>(colX_.size()));
  const int fw = fixedWidth(), fh = fixedHeight();
  const int sx = horizontalScrollBar()->value(), sy = verticalScrollBar()->value();
  const QRect vp = viewport()->rect();
  const QColor line = pal.color(QPalette::Mid);
  const QColor fixedBg = pal.color(QPalette::Button);
  const QColor selBg = pal.color(QPalette::Highlight).lighter(170);
  const int top = g_.selTop(), bottom = g_.selBottom(), left = g_.selLeft(), right = g_.selRight();
  const bool hasSel = top != bottom || left != right;

  auto flagsFor = [](Align a) {
    int h = a == Align::Center ? Qt::AlignHCenter : a == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
  };
  // Scrollable cells first, then the frozen column strip, the frozen row and the corner.
  auto paintRange = [&](int r0, int r1, int c0, int c1, bool scrollX, bool scrollY, const QRect& clip) {
    p.save();
    p.setClipRect(clip);
    for (int r = r0; r < r1; ++r) {
      int y = rowY_[r] - (scrollY ? sy : 0);
      if (y > vp.bottom() || y + rowH_[r] < 0 || rowH_[r] == 0) continue;
      for (int c = c0; c < c1; ++c) {
        int x = colX_[c] - (scrollX ? sx : 0);
        if (x > vp.right() || x + colW_[c] < 0 || colW_[c] == 0) continue;
        QRect cell(x, y, colW_[c], rowH_[r]);
        bool fixed = r < g_.FixedRows || c < g_.FixedCols;
        if (fixed) p.fillRect(cell, fixedBg);
        else if (hasSel && r >= top && r <= bottom && c >= left && c <= right && !(r == g_.Row && c == g_.Col))
          p.fillRect(cell, selBg);
        p.setPen(line);
        p.drawLine(cell.topRight(), cell.bottomRight());
        p.drawLine(cell.bottomLeft(), cell.bottomRight());
        const std::string& t = g_.text(r, c);
        if (!t.empty()) {
          p.setPen(pal.color(fixed ? QPalette::ButtonText : QPalette::Text));
          Align a = fixed ? g_.fixedAlignment(c) : g_.colAlignment(c);
          p.drawText(cell.adjusted(2, 0, -2, 0), flagsFor(a), qs(t));
        }
        if (!fixed && r == g_.Row && c == g_.Col) {
          QPen pen(hasFocus() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Dark));
          pen.setWidth(2);
          p.setPen(pen);
          p.drawRect(cell.adjusted(1, 1, -1, -1));
        }
      }
    }
    p.restore();
  };
  const int fr = std::min(g_.FixedRows, rows), fc = std::min(g_.FixedCols, cols);
  paintRange(fr, rows, fc, cols, true, true, QRect(fw, fh, vp.width() - fw, vp.height() - fh));
  paintRange(fr, rows, 0, fc, false, true, QRect(0, fh, fw, vp.height() - fh));
  paintRange(0, fr, fc, cols, true, false, QRect(fw, 0, vp.width() - fw, fh));
  paintRange(0, fr, 0, fc, false, false, QRect(0, 0, fw, fh));
  if (resizeCol_ >= 0) {
    p.setPen(QPen(pal.color(QPalette::Text), 1, Qt::DashLine));
    p.drawLine(resizeX_, 0, resizeX_, vp.height());
  }
}

int GridView::borderAt(const QPoint& p) const {
  if (p.y() < 0 || p.y() >= fixedHeight()) return -1;
  const int cols = std::min(g_.cols(), static_cast<int>(colX_.size()));
  const int sx = horizontalScrollBar()->value(), fw = fixedWidth();
  for (int c = cols - 1; c >= 0; --c) {
    const bool scrolls = c >= g_.FixedCols;
    const int right = colX_[c] + colW_[c] - (scrolls ? sx : 0);
    if (scrolls && right <= fw) continue;  // scrolled under the frozen columns
    if (std::abs(p.x() - right) <= 3) return c;
  }
  return -1;
}

void GridView::mouseReleaseEvent(QMouseEvent* e) {
  dragging_ = false;
  if (resizeCol_ < 0) return;
  const int c = resizeCol_;
  const int px = std::max(0, static_cast<int>(e->position().x()) - resizeLeft_);
  resizeCol_ = -1;
  viewport()->update();
  emit columnWidthDragged(c, pxToTwips(px, dpi_));
}

void GridView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  relayout();
}

void GridView::scrollContentsBy(int, int) { viewport()->update(); }

void GridView::showCurrent() {
  int r = g_.Row, c = g_.Col;
  if (!g_.valid(r, c) || r >= static_cast<int>(rowY_.size()) || c >= static_cast<int>(colX_.size())) return;
  const QSize vs = viewport()->size();
  if (c >= g_.FixedCols) {
    int x0 = colX_[c] - fixedWidth(), x1 = colX_[c] + colW_[c] - vs.width();
    QScrollBar* h = horizontalScrollBar();
    if (h->value() > x0) h->setValue(x0);
    else if (h->value() < x1) h->setValue(std::min(x0, x1));
  }
  if (r >= g_.FixedRows) {
    int y0 = rowY_[r] - fixedHeight(), y1 = rowY_[r] + rowH_[r] - vs.height();
    QScrollBar* v = verticalScrollBar();
    if (v->value() > y0) v->setValue(y0);
    else if (v->value() < y1) v->setValue(std::min(y0, y1));
  }
}

void GridView::moveCurrent(int row, int col, bool extend) {
  int minR = std::min(g_.FixedRows, g_.rows() - 1), minC = std::min(g_.FixedCols, g_.cols() - 1);
  row = std::clamp(row, std::max(0, minR), std::max(0, g_.rows() - 1));
  col = std::clamp(col, std::max(0, minC), std::max(0, g_.cols() - 1));
  if (!g_.valid(row, col)) return;
  if (extend) {
    // The current cell stays the anchor; RowSel/ColSel is the selection's far corner.
    g_.RowSel = row;
    g_.ColSel = col;
    viewport()->update();
    return;
  } else {
    g_.setCurrent(row, col);
  }
  showCurrent();
  viewport()->update();
  emit currentChanged(g_.Row, g_.Col);
}

void GridView::selectBlock(int top, int left, int bottom, int right) {
  if (!g_.valid(top, left) || !g_.valid(bottom, right)) return;
  g_.setCurrent(top, left);
  g_.RowSel = bottom;
  g_.ColSel = right;
  showCurrent();
  viewport()->update();
  emit currentChanged(g_.Row, g_.Col);
}

void GridView::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  if (e->button() == Qt::LeftButton) {
    const int b = borderAt(e->position().toPoint());
    if (b >= 0) {
      resizeCol_ = b;
      resizeLeft_ = colX_[b] - (b >= g_.FixedCols ? horizontalScrollBar()->value() : 0);
      resizeX_ = static_cast<int>(e->position().x());
      viewport()->update();
      return;
    }
  }
  int r, c;
  if (!cellAt(e->position().toPoint(), &r, &c)) return;
  if (e->button() == Qt::RightButton) {
    // A right click inside the selection keeps it (the pop-up menu works on it).
    if (r >= g_.selTop() && r <= g_.selBottom() && c >= g_.selLeft() && c <= g_.selRight()) return;
  }
  bool extend = (e->modifiers() & Qt::ShiftModifier) != 0;
  const bool headerRow = r < g_.FixedRows, headerCol = c < g_.FixedCols;
  if (headerRow && headerCol) return;  // the corner selects nothing
  if (headerRow || headerCol) {
    // A column's header selects the whole column (rows 1 to the last), a day's number the
    // whole row; the first cell of the block becomes the current cell.
    if (headerRow)
      selectBlock(g_.FixedRows, c, g_.rows() - 1, c);
    else
      selectBlock(r, g_.FixedCols, r, g_.cols() - 1);
    return;
  }
  moveCurrent(r, c, extend);
  dragging_ = e->button() == Qt::LeftButton;
}

void GridView::mouseMoveEvent(QMouseEvent* e) {
  if (resizeCol_ >= 0) {
    resizeX_ = std::max(resizeLeft_, static_cast<int>(e->position().x()));
    viewport()->update();
    return;
  }
  if (!(e->buttons() & Qt::LeftButton)) {
    if (borderAt(e->position().toPoint()) >= 0)
      viewport()->setCursor(Qt::SplitHCursor);
    else
      viewport()->unsetCursor();
  }
  if (!dragging_ || !(e->buttons() & Qt::LeftButton)) return;
  int r, c;
  if (!cellAt(e->position().toPoint(), &r, &c)) return;
  if (r < g_.FixedRows || c < g_.FixedCols) return;
  if (r == g_.RowSel && c == g_.ColSel) return;
  // Dragging moves the selection's far corner; the pressed cell stays the anchor.
  g_.RowSel = r;
  g_.ColSel = c;
  viewport()->update();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* e) {
  int r, c;
  if (cellAt(e->position().toPoint(), &r, &c) && r >= g_.FixedRows && c >= g_.FixedCols) emit cellDoubleClicked(r, c);
}

void GridView::contextMenuEvent(QContextMenuEvent* e) { emit contextMenuAt(e->globalPos()); }

void GridView::keyPressEvent(QKeyEvent* e) {
  const bool shift = (e->modifiers() & Qt::ShiftModifier) != 0;
  const int page = std::max(1, (viewport()->height() - fixedHeight()) / std::max(1, rowH_.empty() ? 16 : rowH_.back()));
  // Extending moves RowSel/ColSel; otherwise Row/Col.
  int r = shift ? g_.RowSel : g_.Row, c = shift ? g_.ColSel : g_.Col;
  switch (e->key()) {
    case Qt::Key_Up: --r; break;
    case Qt::Key_Down: ++r; break;
    case Qt::Key_Left: --c; break;
    case Qt::Key_Right: ++c; break;
    case Qt::Key_PageUp: r -= page; break;
    case Qt::Key_PageDown: r += page; break;
    case Qt::Key_Home: c = g_.FixedCols; break;
    case Qt::Key_End: c = g_.cols() - 1; break;
    default:
      emit otherKey(e);
      return;
  }
  int minR = std::max(0, std::min(g_.FixedRows, g_.rows() - 1)), minC = std::max(0, std::min(g_.FixedCols, g_.cols() - 1));
  r = std::clamp(r, minR, std::max(0, g_.rows() - 1));
  c = std::clamp(c, minC, std::max(0, g_.cols() - 1));
  moveCurrent(r, c, shift);
}

}  // namespace tly::ui
