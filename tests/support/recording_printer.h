// A PrintDevice that records every page, text and rectangle, with simple metrics: every
// character is (font size x 20) twips wide and a line is (font size x 24) twips high.
// It can be told to fail at a page, as a printer that goes away or a full disk would.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/basic.h"
#include "model/platform.h"

namespace tly::test {

class RecordingPrinter : public PrintDevice {
 public:
  struct Text {
    int x, y;
    std::string s;
    FontInfo font;
  };
  struct Rect {
    int x1, y1, x2, y2;
  };
  struct Page {
    std::vector<Text> texts;
    std::vector<Rect> rects;
    int lineWidth = 0;
  };
  int width = 11906, height = 16838;  // A4 in twips
  double tpp = 1.2;                    // 1200 dots per inch
  int failAtPage = 0;                  // 1-based: beginPage of that page throws
  std::vector<Page> pages;
  int documents = 0, ended = 0, aborted = 0;
  FontInfo font;
  // Told when the device goes away (a run's owner drops it), with what it recorded.
  std::function<void(const RecordingPrinter&)> onDestroy;

  RecordingPrinter() = default;
  RecordingPrinter(const RecordingPrinter&) = default;
  ~RecordingPrinter() override {
    if (onDestroy) onDestroy(*this);
  }

  int pageWidth() override { return width; }
  int pageHeight() override { return height; }
  double twipsPerPixel() override { return tpp; }
  void beginDocument() override { ++documents; }
  void endDocument() override { ++ended; }
  void abortDocument() override { ++aborted; }
  void beginPage() override {
    if (failAtPage && static_cast<int>(pages.size()) + 1 == failAtPage) throw std::runtime_error("プリンタがありません");
    pages.emplace_back();
  }
  void endPage() override {}
  void setFont(const FontInfo& f) override { font = f; }
  int charWidth() const { return static_cast<int>(font.size * 20); }
  int textWidth(const std::string& s) override { return static_cast<int>(utf8Chars(s).size()) * charWidth(); }
  int textHeight(const std::string&) override { return static_cast<int>(font.size * 24); }
  void text(int x, int y, const std::string& s) override { pages.back().texts.push_back({x, y, s, font}); }
  void setLineWidth(int px) override { pages.back().lineWidth = px; }
  void rectangle(int x1, int y1, int x2, int y2) override { pages.back().rects.push_back({x1, y1, x2, y2}); }

  // Every text of every page, one line each, for finding texts in any page.
  std::vector<std::string> allTexts() const {
    std::vector<std::string> out;
    for (const Page& p : pages)
      for (const Text& t : p.texts) out.push_back(t.s);
    return out;
  }
};

// Printers for the print and column-width commands: a recording device each time, kept
// here (as recorded) once its user has dropped it.
class RecordingPrinters : public PrinterService {
 public:
  bool available = true;
  bool setupAnswer = true;
  int setups = 0, opened = 0;
  std::deque<RecordingPrinter> done;
  std::string lastPdf;
  bool setup() override {
    ++setups;
    return setupAnswer;
  }
  std::unique_ptr<PrintDevice> printer() override {
    if (!available) return nullptr;
    return make();
  }
  std::unique_ptr<PrintDevice> pdf(const std::string& path) override {
    lastPdf = path;
    return make();
  }

 private:
  std::unique_ptr<PrintDevice> make() {
    ++opened;
    auto d = std::make_unique<RecordingPrinter>();
    d->onDestroy = [this](const RecordingPrinter& r) {
      done.push_back(r);
      done.back().onDestroy = nullptr;
    };
    return d;
  }
};

}  // namespace tly::test
