#include "rules/clipboardtext.h"

#include <algorithm>

#include "model/basic.h"

namespace tly {

std::string gridToClipboardText(const Grid& g, int top, int left, int bottom, int right) {
  top = std::max(top, 0);
  left = std::max(left, 0);
  bottom = std::min(bottom, g.rows() - 1);
  right = std::min(right, g.cols() - 1);
  std::string out;
  for (int r = top; r <= bottom; ++r) {
    for (int c = left; c <= right; ++c) {
      if (c > left) out += '\t';
      out += trimBlanks(g.text(r, c));
    }
    out += "\r\n";
  }
  return out;
}

std::string gridToClipboardText(const Grid& g) { return gridToClipboardText(g, 0, 0, g.rows() - 1, g.cols() - 1); }

}  // namespace tly
