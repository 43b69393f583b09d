// The main grid on screen: draws a tly::Grid (fixed row and columns as frozen headers,
// widths and heights in twips, alignments, font, current cell and selection) and keeps
// the grid's current cell and selection as the user clicks and moves.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "model/grid.h"

namespace tly::ui {

class GridView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit GridView(Grid& grid, QWidget* parent = nullptr);
  // Call after the grid changed (cells, sizes, font, current cell). Cheap.
  void refresh();
  // Scrolls so that the current cell is visible.
  void showCurrent();
  int dpi() const { return dpi_; }
  void setDpi(int dpi);
  // Cell under a point of the viewport, or false.
  bool cellAt(const QPoint& p, int* row, int* col) const;
  QRect cellRect(int row, int col) const;  // in viewport coordinates

 signals:
  void currentChanged(int row, int col);
  void cellDoubleClicked(int row, int col);
  // A key the grid does not use for moving (typing, Delete, F2 ...).
  void otherKey(QKeyEvent* e);
  void contextMenuAt(const QPoint& globalPos);
  // A column's right border was dragged in the header row to this width.
  void columnWidthDragged(int col, int twips);

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void contextMenuEvent(QContextMenuEvent*) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void relayout();
  void moveCurrent(int row, int col, bool extend);
  void selectBlock(int top, int left, int bottom, int right);
  int fixedWidth() const;
  int fixedHeight() const;
  // The column whose right border lies within a few pixels of x in the header row, or -1.
  int borderAt(const QPoint& p) const;

  Grid& g_;
  int dpi_ = 96;
  std::vector<int> colX_, colW_, rowY_, rowH_;  // pixels, before scrolling
  int totalW_ = 0, totalH_ = 0;
  QFont font_;
  bool dragging_ = false;
  int resizeCol_ = -1, resizeLeft_ = 0, resizeX_ = 0;  // a border being dragged
};

}  // namespace tly::ui
