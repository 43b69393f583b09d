// Printing on Qt: a PrintDevice painting on a QPrinter (the printer, or the pages of a
// print preview) or on a PDF file, and the printer services of the program.
#pragma once

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "model/platform.h"

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

class QDialog;
class QPrinter;
class QWidget;

namespace tly {
struct App;
}

namespace tly::ui {

// Paints a document on a paged device, addressed in twips from the top left of its
// printable area. Fonts are the screen's (the Windows names of the data file mapped to
// installed faces the same way).
class QtPrintDevice : public PrintDevice {
 public:
  // The device is not owned; resolution in dots per inch.
  QtPrintDevice(QPagedPaintDevice* device, int resolution);
  ~QtPrintDevice() override;

  int pageWidth() override { return pageW_; }
  int pageHeight() override { return pageH_; }
  double twipsPerPixel() override { return 1440.0 / res_; }
  void beginDocument() override;
  void endDocument() override;
  void abortDocument() override;
  void beginPage() override;
  void endPage() override {}
  void setFont(const FontInfo& f) override;
  int textWidth(const std::string& s) override;
  int textHeight(const std::string& s) override;
  void text(int x, int y, const std::string& s) override;
  void setLineWidth(int pixels) override;
  void rectangle(int x1, int y1, int x2, int y2) override;

 protected:
  QtPrintDevice() = default;
  void attach(QPagedPaintDevice* device, int resolution);
  // Called when the painting is over and closed: finish the output (may throw).
  virtual void finish() {}
  virtual void discard() {}
  QPainter painter_;

 private:
  QPagedPaintDevice* device_ = nullptr;
  int res_ = 1200;
  int pageW_ = 0, pageH_ = 0;
  bool pageBegun_ = false;
  QFont font_;
  std::unique_ptr<QFontMetricsF> metrics_;
  double lineWidth_ = 0;
};

// A PDF file: the document is made in memory and saved by the safe-save writer only when
// it is complete (temporary file flushed to the disk, its close checked, renamed over the
// name chosen, the folder flushed). A document dropped or never ended leaves no file.
class PdfFileDevice : public QtPrintDevice {
 public:
  explicit PdfFileDevice(const QString& path);
  ~PdfFileDevice() override;

 protected:
  void finish() override;
  void discard() override;

 private:
  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  QString path_;
};

// The printer chosen in the set-up dialog (the system's default at first) and PDF files.
// Works without a window system: PDF files are written from the command line as well.
class QtPrinters : public PrinterService {
 public:
  QtPrinters();
  ~QtPrinters() override;
  bool setup() override;
  std::unique_ptr<PrintDevice> printer() override;
  std::unique_ptr<PrintDevice> pdf(const std::string& path) override;
  // The printer itself (for the preview), made on first use.
  QPrinter& qprinter();

 private:
  // A printing application for the command line when none runs yet (no window system
  // needed), with the program's font mapping installed; it lives as long as this object.
  void ensurePrintingApp();

  // What the application is started with; it may rewrite the list, so it is kept here.
  int argc_ = 3;
  char arg0_[4] = "tly", arg1_[10] = "-platform", arg2_[10] = "offscreen";
  char* argv_[4] = {arg0_, arg1_, arg2_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
  std::unique_ptr<QPrinter> printer_;
};

// Asks for the PDF file a run is to write: ".pdf" is added to a name without a suffix, and
// an existing file is replaced only when the user agrees. Empty when the user gives up.
std::string askPdfPath(App& app, const std::string& fileName = {});

// Opens the print preview of parent on printer (made on first use); draw paints the run
// into the device each time the preview asks for its pages. The dialog deletes itself.
QDialog* openPrintPreview(QWidget* parent, std::unique_ptr<QPrinter>& printer,
                          std::function<void(PrintDevice&)> draw);

}  // namespace tly::ui
