#include "ui/printdevice.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>


#include "io/safesave.h"
#include "session/state/app.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

constexpr int kPdfResolution = 1200;

std::runtime_error failure(const char* what, const QString& detail = {}) {
  std::string t = what;
  if (!detail.isEmpty()) t += "\r" + us(detail);
  return std::runtime_error(t);
}

}  // namespace

QtPrintDevice::QtPrintDevice(QPagedPaintDevice* device, int resolution) { attach(device, resolution); }

void QtPrintDevice::attach(QPagedPaintDevice* device, int resolution) {
  device_ = device;
  res_ = resolution > 0 ? resolution : 1200;
  const QRect r = device_->pageLayout().paintRectPixels(res_);
  pageW_ = static_cast<int>(std::lround(r.width() * 1440.0 / res_));
  pageH_ = static_cast<int>(std::lround(r.height() * 1440.0 / res_));
  setFont(FontInfo{"ＭＳ Ｐ明朝", 9});
}

QtPrintDevice::~QtPrintDevice() {
  if (painter_.isActive()) painter_.end();
}

void QtPrintDevice::beginDocument() {
  if (!painter_.begin(device_)) throw failure("印刷を始められません。");
  // One logical unit is one twip.
  painter_.scale(res_ / 1440.0, res_ / 1440.0);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setBrush(Qt::NoBrush);
  pageBegun_ = false;
}

void QtPrintDevice::endDocument() {
  if (!painter_.end()) throw failure("印刷を終えられません。");
  finish();
}

void QtPrintDevice::abortDocument() {
  if (painter_.isActive()) painter_.end();
  discard();
}

void QtPrintDevice::beginPage() {
  if (!painter_.isActive()) throw failure("印刷が始まっていません。");
  if (pageBegun_ && !device_->newPage()) throw failure("次のページを始められません。");
  pageBegun_ = true;
}

void QtPrintDevice::setFont(const FontInfo& f) {
  font_ = toQFont(f);
  // Sizes in twips: 20 twips to the point, drawn through the painter's scale.
  font_.setPixelSize(std::max(1, static_cast<int>(std::lround((f.size > 0 ? f.size : 9.0) * 20))));
  metrics_ = std::make_unique<QFontMetricsF>(font_);
  if (painter_.isActive()) painter_.setFont(font_);
}

int QtPrintDevice::textWidth(const std::string& s) {
  return static_cast<int>(std::lround(metrics_->horizontalAdvance(qs(s))));
}

int QtPrintDevice::textHeight(const std::string&) { return static_cast<int>(std::lround(metrics_->height())); }

void QtPrintDevice::text(int x, int y, const std::string& s) {
  painter_.setFont(font_);
  painter_.setPen(QPen(Qt::black));
  painter_.drawText(QPointF(x, y + metrics_->ascent()), qs(s));
}

void QtPrintDevice::setLineWidth(int pixels) { lineWidth_ = std::max(1, pixels) * twipsPerPixel(); }

void QtPrintDevice::rectangle(int x1, int y1, int x2, int y2) {
  QPen pen(Qt::black);
  pen.setWidthF(lineWidth_);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
}

namespace {

std::unique_ptr<QPdfWriter> makeWriter(QIODevice* out) {
  auto w = std::make_unique<QPdfWriter>(out);
  w->setResolution(kPdfResolution);
  w->setCreator(QStringLiteral("TLY 授業時数集計"));
  // A4 with the border a printer cannot print on, so a margin of 0 looks as on paper.
  w->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                               QPageLayout::Millimeter));
  return w;
}

}  // namespace

PdfFileDevice::PdfFileDevice(const QString& path) : path_(path) {
  buffer_.open(QIODevice::WriteOnly);
  writer_ = makeWriter(&buffer_);
  attach(writer_.get(), kPdfResolution);
}

PdfFileDevice::~PdfFileDevice() {
  if (painter_.isActive()) painter_.end();
}

void PdfFileDevice::finish() {
  writer_.reset();  // ends the document
  const QByteArray& bytes = buffer_.data();
  if (bytes.size() <= 16 || !bytes.right(16).contains("%%EOF"))
    throw failure("PDF ファイルを書き終えられません。", path_);
  const std::string target = replacementTarget(QFile::encodeName(path_).toStdString());
  if (Result<void> saved = replaceFileContents(target, std::string_view(bytes.constData(), size_t(bytes.size())));
      !saved)
    throw failure(("PDF ファイルを保存できません（" + ioErrorText(saved.failure().error) + "）。").c_str(), path_);
}

void PdfFileDevice::discard() {
  writer_.reset();
  buffer_.close();
}

}  // namespace tly::ui

namespace tly::ui {

QtPrinters::QtPrinters() = default;
QtPrinters::~QtPrinters() = default;

QPrinter& QtPrinters::qprinter() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

bool QtPrinters::setup() {
  QPrintDialog dlg(&qprinter(), QApplication::activeWindow());
  dlg.setWindowTitle(QStringLiteral("ﾌﾟﾘﾝﾀ設定"));
  return dlg.exec() == QDialog::Accepted;
}

std::unique_ptr<PrintDevice> QtPrinters::printer() {
  QPrinter& p = qprinter();
  // The set-up dialog may have sent the output to a file; otherwise a printer must exist.
  const bool toFile = p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty();
  if (!toFile && QPrinterInfo::availablePrinterNames().isEmpty()) return nullptr;
  return std::make_unique<QtPrintDevice>(&p, p.resolution());
}

std::unique_ptr<PrintDevice> QtPrinters::pdf(const std::string& path) {
  ensurePrintingApp();
  return std::make_unique<PdfFileDevice>(qs(path));
}

void QtPrinters::ensurePrintingApp() {
  if (QCoreApplication::instance()) return;
  // The command line has no window system: the offscreen platform has the fonts.
  // The command line's error output carries the program's own messages only: Qt's
  // notes about the session it runs in (no runtime directory, no window system) are
  // dropped; its critical and fatal messages still go out.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    if (type == QtFatalMsg) std::abort();
  });
  app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  installFontSubstitutions();
}

std::string askPdfPath(App& app, const std::string& fileName) {
  if (!app.P.fileDialog || !app.P.printer) return {};
  FileDialogRequest r;
  r.save = true;
  r.title = "PDF ファイルに保存";
  r.filters = {{"PDF ファイル (*.pdf)", "*.pdf"}};
  r.defaultExt = "pdf";
  r.fileName = fileName;
  r.initialDir = app.F.AppPath;
  const FileDialogResult res = app.P.fileDialog->run(r);
  if (res.status != FileDialogResult::Status::Ok || res.path.empty()) return {};
  std::string path = res.path;
  if (QFileInfo(qs(path)).suffix().isEmpty()) path += ".pdf";
  if (QFileInfo::exists(qs(path)) &&
      app.msg(path + " は既に存在します。\r上書きしますか？", MsgButtons::YesNo, MsgIcon::Exclamation, "TLY") !=
          MsgResult::Yes)
    return {};
  return path;
}

QDialog* openPrintPreview(QWidget* parent, std::unique_ptr<QPrinter>& printer,
                          std::function<void(PrintDevice&)> draw) {
  if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  auto* pv = new QPrintPreviewDialog(printer.get(), parent);
  pv->setObjectName(QStringLiteral("preview"));
  pv->setWindowTitle(QStringLiteral("TLY - 印刷プレビュー"));
  pv->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(pv, &QPrintPreviewDialog::paintRequested, pv, [draw = std::move(draw)](QPrinter* p) {
    QtPrintDevice dev(p, p->resolution());
    draw(dev);
  });
  pv->resize(900, 800);
  pv->open();
  return pv;
}

}  // namespace tly::ui
