// A print device that draws nothing, counts pages and answers with fixed metrics: the
// benchmarks time the layout, not a real device.
#pragma once

#include <string>

#include "model/platform.h"

class NullDevice : public tly::PrintDevice {
 public:
  int pages = 0;
  int pageWidth() override { return 11339; }
  int pageHeight() override { return 16271; }
  double twipsPerPixel() override { return 1.2; }
  void beginDocument() override {}
  void endDocument() override {}
  void abortDocument() override {}
  void beginPage() override { ++pages; }
  void endPage() override {}
  void setFont(const tly::FontInfo&) override {}
  int textWidth(const std::string& s) override { return static_cast<int>(s.size()) * 60; }
  int textHeight(const std::string&) override { return 216; }
  void text(int, int, const std::string&) override {}
  void setLineWidth(int) override {}
  void rectangle(int, int, int, int) override {}
};
