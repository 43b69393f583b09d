#include "model/twips.h"

#include <cmath>

namespace tly {

namespace {
int goodDpi(int dpi) { return dpi > 0 ? dpi : 96; }
}  // namespace

int toPixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * static_cast<double>(goodDpi(dpi)) / 1440.0)); }

int toTwips(int px, int dpi, int before) {
  if (toPixels(before, dpi) == px) return before;
  return static_cast<int>(std::lround(px * 1440.0 / goodDpi(dpi)));
}

}  // namespace tly
