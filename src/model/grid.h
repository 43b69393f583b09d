// Plain cell data of the main grid: what the desktop program draws and what printing
// and the clipboard read. Lengths are twips.
#pragma once

#include <string>
#include <vector>

#include "model/platform.h"

namespace tly {

enum class Align { Left, Center, Right };

class Grid {
 public:
  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // Changing the size keeps the cells that remain; new rows take the height of the
  // last existing row (or the default), new columns the default width.
  void setRows(int n);
  void setCols(int n);
  int FixedRows = 1;
  int FixedCols = 1;
  // Current cell and the selection's other corner.
  int Row = 0, Col = 0, RowSel = 0, ColSel = 0;
  bool Redraw = true;
  FontInfo Font{"ＭＳ Ｐ明朝", 9};

  const std::string& text(int r, int c) const;
  void setText(int r, int c, std::string s);
  int colWidth(int c) const;
  void setColWidth(int c, int twips);
  int rowHeight(int r) const;
  void setRowHeight(int r, int twips);
  Align colAlignment(int c) const;
  void setColAlignment(int c, Align a);
  Align fixedAlignment(int c) const;
  void setFixedAlignment(int c, Align a);
  // Set the current cell; also collapses the selection onto it.
  void setCurrent(int r, int c);
  // Selected rectangle, normalised (top <= bottom, left <= right).
  int selTop() const { return Row < RowSel ? Row : RowSel; }
  int selBottom() const { return Row < RowSel ? RowSel : Row; }
  int selLeft() const { return Col < ColSel ? Col : ColSel; }
  int selRight() const { return Col < ColSel ? ColSel : Col; }
  void clearAll();
  bool valid(int r, int c) const { return r >= 0 && c >= 0 && r < rows_ && c < cols_; }

  static constexpr int kDefaultColWidth = 960;
  static constexpr int kDefaultRowHeight = 240;

 private:
  int rows_ = 0, cols_ = 0;
  std::vector<std::string> cells_;  // row-major rows_ x cols_
  std::vector<int> colWidth_;
  std::vector<int> rowHeight_;
  std::vector<Align> colAlign_;
  std::vector<Align> fixedAlign_;
};

}  // namespace tly
