#include "model/grid.h"

#include <algorithm>

namespace tly {

namespace {
const std::string kEmpty;
}

void Grid::setRows(int n) {
  n = std::max(0, n);
  if (n == rows_) return;
  std::vector<std::string> cells(static_cast<size_t>(n) * cols_);
  int keep = std::min(n, rows_);
  for (int r = 0; r < keep; ++r)
    for (int c = 0; c < cols_; ++c) cells[static_cast<size_t>(r) * cols_ + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
  cells_ = std::move(cells);
  int h = rowHeight_.empty() ? kDefaultRowHeight : rowHeight_.back();
  rowHeight_.resize(n, h);
  rows_ = n;
  Row = std::min(Row, std::max(0, n - 1));
  RowSel = std::min(RowSel, std::max(0, n - 1));
}

void Grid::setCols(int n) {
  n = std::max(0, n);
  if (n == cols_) return;
  std::vector<std::string> cells(static_cast<size_t>(rows_) * n);
  int keep = std::min(n, cols_);
  for (int r = 0; r < rows_; ++r)
    for (int c = 0; c < keep; ++c) cells[static_cast<size_t>(r) * n + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
  cells_ = std::move(cells);
  colWidth_.resize(n, kDefaultColWidth);
  colAlign_.resize(n, Align::Left);
  fixedAlign_.resize(n, Align::Left);
  cols_ = n;
  Col = std::min(Col, std::max(0, n - 1));
  ColSel = std::min(ColSel, std::max(0, n - 1));
}

const std::string& Grid::text(int r, int c) const {
  if (!valid(r, c)) return kEmpty;
  return cells_[static_cast<size_t>(r) * cols_ + c];
}

void Grid::setText(int r, int c, std::string s) {
  if (!valid(r, c)) return;
  cells_[static_cast<size_t>(r) * cols_ + c] = std::move(s);
}

int Grid::colWidth(int c) const { return (c >= 0 && c < cols_) ? colWidth_[c] : 0; }
void Grid::setColWidth(int c, int twips) {
  if (c >= 0 && c < cols_) colWidth_[c] = std::max(0, twips);
}
int Grid::rowHeight(int r) const { return (r >= 0 && r < rows_) ? rowHeight_[r] : 0; }
void Grid::setRowHeight(int r, int twips) {
  if (r >= 0 && r < rows_) rowHeight_[r] = std::max(0, twips);
}
Align Grid::colAlignment(int c) const { return (c >= 0 && c < cols_) ? colAlign_[c] : Align::Left; }
void Grid::setColAlignment(int c, Align a) {
  if (c >= 0 && c < cols_) colAlign_[c] = a;
}
Align Grid::fixedAlignment(int c) const { return (c >= 0 && c < cols_) ? fixedAlign_[c] : Align::Left; }
void Grid::setFixedAlignment(int c, Align a) {
  if (c >= 0 && c < cols_) fixedAlign_[c] = a;
}

void Grid::setCurrent(int r, int c) {
  Row = RowSel = std::clamp(r, 0, std::max(0, rows_ - 1));
  Col = ColSel = std::clamp(c, 0, std::max(0, cols_ - 1));
}

void Grid::clearAll() {
  for (auto& s : cells_) s.clear();
}

}  // namespace tly
