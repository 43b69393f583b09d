// The report window's printing and CSV export: the same printers, PDF writer and preview
// as the print dialog, and the same CSV writer as the command line.
#include <QApplication>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "session/output/export.h"
#include "session/output/reportprint.h"
#include "ui/frmstdhours.h"
#include "ui/printdevice.h"
#include "ui/qtplatform.h"

namespace tly::ui {

frmStdHours::~frmStdHours() = default;

void frmStdHours::runReportPrint(PrintDevice& dev) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    tly::runReportPrint(app_, dev, report_, options());
  } catch (...) {
    // The run reports its own failures; nothing else may escape into Qt.
  }
  QApplication::restoreOverrideCursor();
}

void frmStdHours::printReport() {
  std::unique_ptr<PrintDevice> dev;
  try {
    dev = app_.P.printer ? app_.P.printer->printer() : nullptr;
  } catch (const std::exception& e) {
    app_.msg(std::string("印刷できませんでした。\r") + e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return;
  }
  if (!dev) {
    app_.msg("プリンタが見つかりません。", MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return;
  }
  runReportPrint(*dev);
}

void frmStdHours::pdfReport() {
  const std::string path = askPdfPath(app_, std::to_string(app_.Y.nendo()) + "年度標準時数との比較.pdf");
  if (path.empty()) return;
  std::unique_ptr<PrintDevice> dev;
  try {
    dev = app_.P.printer->pdf(path);
  } catch (const std::exception& e) {
    app_.msg(std::string("印刷できませんでした。\r") + e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return;
  }
  if (dev) runReportPrint(*dev);
}

QDialog* frmStdHours::previewReport() {
  return openPrintPreview(this, previewPrinter_, [this](PrintDevice& dev) { runReportPrint(dev); });
}

void frmStdHours::exportCsv() {
  if (!app_.P.fileDialog) return;
  FileDialogRequest r;
  r.save = true;
  r.folder = true;
  r.title = "CSVへ書き出し（書き出すフォルダを選んでください）";
  r.initialDir = app_.F.AppPath;
  const FileDialogResult f = app_.P.fileDialog->run(r);
  if (f.status != FileDialogResult::Status::Ok || f.path.empty()) return;
  const ReportOptions o = options();
  const Workbook wb = buildWorkbook(app_, buildHoursReport(app_.Y, o), o);
  const std::string why = writeCsvFolder(f.path, wb);
  if (!why.empty()) app_.msg(why, MsgButtons::OK, MsgIcon::Exclamation);
}

}  // namespace tly::ui
