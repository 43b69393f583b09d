// Printing to a real print queue: the print dialog's printer set-up button, the queue
// chosen there, and a month and a tally table printed through QPrinter on it. Needs a
// CUPS server with a cups-pdf queue, which scripts/test-print-queue.sh starts in a
// folder of its own and names in TLY_QUEUE (the queue) and TLY_QUEUE_OUT (where cups-pdf
// puts its files); the test waits there for each job's PDF file and hands its path on in
// TLY_QUEUE_OUT/jobs.txt for the script to look into.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTest>
#include <QTimer>

#include "support/window_session.h"
#include "ui/frmmain_print.h"
#include "ui/frmprint.h"
#include "ui/printdevice.h"

using namespace tly;
using namespace tly::testui;

namespace {

QString queueName() { return qEnvironmentVariable("TLY_QUEUE"); }
QString outFolder() { return qEnvironmentVariable("TLY_QUEUE_OUT"); }

// The PDF files cups-pdf has finished so far.
QStringList pdfsIn(const QString& dir) {
  return QDir(dir).entryList({"*.pdf"}, QDir::Files, QDir::Name);
}

// Waits for one more finished PDF file than `before` and returns its path.
QString waitForNewPdf(const QStringList& before) {
  for (int i = 0; i < 300; ++i) {
    for (const QString& f : pdfsIn(outFolder())) {
      if (before.contains(f)) continue;
      QFile pdf(outFolder() + "/" + f);
      // cups-pdf writes the file by Ghostscript and then gives it its owner: done when it
      // ends with the PDF trailer.
      if (pdf.open(QIODevice::ReadOnly) && pdf.size() > 1024) {
        pdf.seek(pdf.size() - 32);
        if (pdf.readAll().contains("%%EOF")) return pdf.fileName();
      }
    }
    QTest::qWait(100);
  }
  return {};
}

}  // namespace

class PrintQueueTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    ui::installFontSubstitutions();
    QVERIFY2(!queueName().isEmpty() && !outFolder().isEmpty(), "TLY_QUEUE and TLY_QUEUE_OUT are not set");
  }
  void setUpButtonListsTheQueueAndTheJobsReachIt();
};

void PrintQueueTest::setUpButtonListsTheQueueAndTheJobsReachIt() {
  QVERIFY(QPrinterInfo::availablePrinterNames().contains(queueName()));
  Session s;
  ui::QtPrinters printers;
  s.app.P.printer = &printers;
  s.startWithNewYear(2024);
  s.msg.shown.clear();
  // A month of all grades: May (the months are counted from April), one page a grade.
  s.app.Y.Fs.FsPrnAll = 0;
  s.app.Y.Fs.FsPrnFromMonth = 5;
  s.app.Y.Fs.FsPrnToMonth = 5;
  ui::frmPrint* d = ui::mainPrinting(*s.w)->openPrint();
  QVERIFY(d);

  // The set-up button opens the system's printer dialog; the queue is in its list and
  // is chosen there.
  QStringList listed;
  bool chosen = false;
  QTimer::singleShot(300, [&] {
    auto* dlg = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dlg) return;
    for (QComboBox* c : dlg->findChildren<QComboBox*>()) {
      const int at = c->findText(queueName());
      if (at < 0) continue;
      for (int i = 0; i < c->count(); ++i) listed << c->itemText(i);
      c->setCurrentIndex(at);
      chosen = true;
    }
    dlg->accept();
  });
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPrinterSet"), Qt::LeftButton);
  QVERIFY2(chosen, qPrintable("the set-up dialog lists: " + listed.join(", ")));
  QCOMPARE(printers.qprinter().printerName(), queueName());
  QCOMPARE(printers.qprinter().outputFormat(), QPrinter::NativeFormat);

  QFile jobs(outFolder() + "/jobs.txt");
  QVERIFY(jobs.open(QIODevice::WriteOnly | QIODevice::Truncate));

  d->cmbGra()->setCurrentIndex(4);  // 全学年
  emit d->cmbGra()->activated(4);
  QStringList before = pdfsIn(outFolder());
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
  QApplication::processEvents();
  QVERIFY2(s.msg.shown.empty(), s.msg.shown.empty() ? "" : s.msg.shown[0].text.c_str());
  const QString month = waitForNewPdf(before);
  QVERIFY2(!month.isEmpty(), "no PDF file from the queue");
  jobs.write(("month " + month + "\n").toUtf8());

  // The tally table, from the tally view.
  if (!d->closed()) d->close();
  s.w->menuAction(Command::Kei)->trigger();
  d = ui::mainPrinting(*s.w)->openPrint();
  QVERIFY(d);
  before = pdfsIn(outFolder());
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
  QApplication::processEvents();
  QVERIFY2(s.msg.shown.empty(), s.msg.shown.empty() ? "" : s.msg.shown[0].text.c_str());
  const QString tally = waitForNewPdf(before);
  QVERIFY2(!tally.isEmpty(), "no PDF file from the queue");
  jobs.write(("tally " + tally + "\n").toUtf8());
}

QTEST_MAIN(PrintQueueTest)
#include "print_queue_test.moc"
