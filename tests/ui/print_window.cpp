// The print dialog, the column-width dialog, the font command and border dragging, driven
// by clicks and keys on the offscreen platform; PDF files written from the dialog. With
// TLY_SHOTS=DIR set, pictures of the print dialog, its preview and the column-width
// dialog are saved there.
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "session/windows/frmprint/printdialog.h"
#include "support/window_session.h"
#include "ui/frmcolwidth.h"
#include "ui/frmjisuu.h"
#include "ui/frmmain_print.h"
#include "ui/frmprint.h"
#include "ui/gridview.h"
#include "ui/printdevice.h"

using namespace tly;
using namespace tly::testui;

namespace {


// What a PDF file says about itself: its page objects and embedded font files.
struct PdfFacts {
  int pages = 0;
  bool embedsFont = false, japaneseFace = false;
};
PdfFacts pdfFacts(const QString& path) {
  QFile f(path);
  PdfFacts r;
  if (!f.open(QIODevice::ReadOnly)) return r;
  const QByteArray b = f.readAll();
  r.pages = static_cast<int>(b.count("/Type /Page\n")) + static_cast<int>(b.count("/Type /Page\r")) +
            static_cast<int>(b.count("/Type /Page "));
  r.embedsFont = b.contains("/FontFile2");
  r.japaneseFace = b.contains("IPAPMincho") || b.contains("IPAMincho");
  return r;
}

}  // namespace

class PrintWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { ui::installFontSubstitutions(); }
  void dialogSpinsLimitsAndSavedValues();
  void pdfFromTheDialogHoldsEveryPage();
  void columnWidthsFontAndBorderDrag();
  void weeklyPlanPreview();
};

void PrintWindowTest::dialogSpinsLimitsAndSavedValues() {
  Session s;
  s.startWithNewYear(2024);
  s.app.Y.Fs.FsPrnTop = 12;
  s.app.Y.Fs.FsPrnCopies = 100;
  s.w->menuAction(Command::Print)->trigger();
  ui::frmPrint* d = ui::mainPrinting(*s.w)->printDialog();
  QVERIFY(d);
  QCOMPARE(d->windowTitle(), QString::fromUtf8("TLY - 印刷"));
  QCOMPARE(d->box(PrintBox::Top)->text(), QString("12"));
  QTest::mouseClick(d->spin(PrintBox::Top)->upButton(), Qt::LeftButton);
  QCOMPARE(d->box(PrintBox::Top)->text(), QString("13"));
  QTest::mouseClick(d->spin(PrintBox::Copies)->upButton(), Qt::LeftButton);  // at its top, 100
  QCOMPARE(d->box(PrintBox::Copies)->text(), QString("100"));
  // 250 is beyond the spin: the spin keeps 13, the text stays and is saved as typed.
  d->box(PrintBox::Top)->setFocus();
  d->box(PrintBox::Top)->selectAll();
  QTest::keyClicks(d->box(PrintBox::Top), "250");
  QTest::keyClick(d->box(PrintBox::Top), Qt::Key_Return);
  QCOMPARE(d->state().spn[0].value, 13);
  QTest::mouseClick(d->spin(PrintBox::Top)->downButton(), Qt::LeftButton);
  QCOMPARE(d->box(PrintBox::Top)->text(), QString("12"));
  d->box(PrintBox::Top)->setText("250");  // typed, and kept while other controls are used

  // The month range: the end follows the start and never goes before it.
  QTest::mouseClick(d->optPrintSel(), Qt::LeftButton);
  QVERIFY(d->txtPrintSelStart()->isEnabled());
  for (int i = 0; i < 3; ++i) QTest::mouseClick(d->spbPrintSelStart()->upButton(), Qt::LeftButton);
  QCOMPARE(d->txtPrintSelStart()->text(), QString("7"));
  QCOMPARE(d->txtPrintSelEnd()->text(), QString("7"));
  QTest::mouseClick(d->spbPrintSelEnd()->downButton(), Qt::LeftButton);
  QCOMPARE(d->txtPrintSelEnd()->text(), QString("7"));
  QTest::mouseClick(d->optPrintAll(), Qt::LeftButton);
  QVERIFY(!d->txtPrintSelStart()->isEnabled());
  QCOMPARE(d->cmbGra()->count(), 5);  // 表示中の学年, １年..３年, 全学年
  QVERIFY(!d->chkFit()->isChecked());  // off in a year that never had it
  d->chkFit()->click();
  shot(d, "frmPrint");
  // No printer: 印刷 says so and the dialog stays.
  s.msg.shown.clear();
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPrint"), Qt::LeftButton);
  QCOMPARE(QString::fromStdString(s.msg.shown.at(0).text), QString::fromUtf8("プリンタが見つかりません。"));
  QVERIFY(!d->closed());

  QTest::mouseClick(d->cmdCancel(), Qt::LeftButton);
  QApplication::processEvents();
  const FileSettings& fs = s.app.Y.Fs;
  QCOMPARE(int(fs.FsPrnTop), 250);
  QCOMPARE(int(fs.FsPrnCopies), 100);
  QCOMPARE(int(fs.FsPrnAll), -1);
  QCOMPARE(int(fs.FsPrnFromMonth), 7);
  QCOMPARE(int(fs.FsReserved[kFsPrnFitWord]), -1);
  QVERIFY(s.settings.stored("PrtLeft") != "<none>");

  // With the tally view on, the month range is off; the dialog opens with 250 replaced.
  s.w->menuAction(Command::Kei)->trigger();
  s.w->menuAction(Command::Print)->trigger();
  d = ui::mainPrinting(*s.w)->printDialog();
  QVERIFY(d);
  QVERIFY(!d->optPrintAll()->isEnabled());
  QVERIFY(!d->txtPrintSelEnd()->isEnabled());
  QVERIFY(d->cmbGra()->isEnabled());
  QCOMPARE(d->box(PrintBox::Top)->text(), QString("0"));
  QVERIFY(d->chkFit()->isChecked());  // kept with the year
  d->close();
}

// 週案: the chosen weeks of the class the main window shows, in a print preview.
void PrintWindowTest::weeklyPlanPreview() {
  Session s;
  s.startWithNewYear(2024);
  JWRec& c = s.app.Y.JW[0][1];
  c.JWKind = 1;
  c.JWName = "1年1組";
  c.JWCell[2][1] = "国語";
  s.app.Y.JW[0][0].JWKind = 2;
  s.w->menuAction(Command::Print)->trigger();
  ui::frmPrint* d = ui::mainPrinting(*s.w)->printDialog();
  QVERIFY(d);
  d->dtpWeek()->setDate(QDate(2024, 6, 5));
  d->spnWeeks()->setValue(3);
  s.msg.shown.clear();
  QPointer<QDialog> preview = d->openWeekPreview();
  QVERIFY(preview);
  QApplication::processEvents();
  shot(preview, "frmPrint-weekly");
  auto* pv = preview->findChild<QPrintPreviewWidget*>();
  QVERIFY(pv);
  QCOMPARE(pv->pageCount(), 3);
  QVERIFY(s.msg.shown.empty());
  preview->close();
  d->close();
}

void PrintWindowTest::pdfFromTheDialogHoldsEveryPage() {
  Session s;
  ui::QtPrinters printers;
  s.app.P.printer = &printers;
  s.startWithNewYear(2024);
  s.msg.shown.clear();  // the start-up question
  s.app.Y.Fs.FsPrnAll = -1;  // April to March
  s.app.Y.Fs.FsPrnTop = 10;
  s.app.Y.Fs.FsPrnLeft = 10;
  ui::frmPrint* d = ui::mainPrinting(*s.w)->openPrint();
  d->cmbGra()->setCurrentIndex(4);  // 全学年
  emit d->cmbGra()->activated(4);
  const int rowBefore = s.app.Grid1.Row, monthBefore = s.app.S.CurMonth;

  // The preview runs the same pages.
  QDialog* pv = d->openPreview();
  QVERIFY(pv);
  pv->resize(900, 1000);
  QTest::qWait(200);
  shot(pv, "preview");
  pv->close();
  QApplication::processEvents();

  const QString pdf = QString::fromStdString(s.path("schedules.pdf"));
  s.files.choose(pdf.toStdString());
  QPointer<ui::frmPrint> guard(d);
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPdf"), Qt::LeftButton);
  QApplication::processEvents();
  QVERIFY(guard.isNull() || guard->closed());  // the dialog closes after the run
  QVERIFY2(s.msg.shown.empty(), s.msg.shown.empty() ? "" : s.msg.shown[0].text.c_str());
  const PdfFacts facts = pdfFacts(pdf);
  QCOMPARE(facts.pages, 36);  // 3 grades x 12 months
  QVERIFY(facts.embedsFont);
  QVERIFY(facts.japaneseFace);
  QCOMPARE(s.app.S.CurMonth, monthBefore);
  Q_UNUSED(rowBefore);
  QCOMPARE(s.app.Grid1.Row, 1);
  QCOMPARE(s.app.Grid1.Col, 2);
  // Nothing is left under a temporary name.
  QCOMPARE(QDir(QString::fromStdString(s.dir.path())).entryList({"*.part"}, QDir::Files).size(), 0);

  // 閉じる during a run stops it before the next page set: no file is written.
  d = ui::mainPrinting(*s.w)->openPrint();
  const QString stopped = QString::fromStdString(s.path("stopped.pdf"));
  s.files.choose(stopped.toStdString());
  QTimer::singleShot(0, d->cmdCancel(), [d] { QTest::mouseClick(d->cmdCancel(), Qt::LeftButton); });
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPdf"), Qt::LeftButton);
  QApplication::processEvents();
  QVERIFY(!QFile::exists(stopped));
  QVERIFY(s.msg.shown.empty());
  QCOMPARE(s.app.S.CurMonth, monthBefore);

  // A folder that does not exist: a message, and no file.
  d = ui::mainPrinting(*s.w)->openPrint();
  s.files.choose(s.path("no/such/folder/x.pdf"));
  QTest::mouseClick(d->findChild<QPushButton*>("cmdPdf"), Qt::LeftButton);
  QCOMPARE(s.msg.shown.size(), size_t(1));
  QVERIFY(!QFile::exists(QString::fromStdString(s.path("no/such/folder/x.pdf"))));
  d->close();
}

void PrintWindowTest::columnWidthsFontAndBorderDrag() {
  Session s;
  s.startWithNewYear(2024);
  Grid& g = s.app.Grid1;
  g.setCurrent(3, 3);
  g.ColSel = 8;
  s.w->menuAction(Command::ColWidth)->trigger();
  ui::frmColWidth* d = ui::mainPrinting(*s.w)->colWidthDialog();
  QVERIFY(d);
  QCOMPARE(d->windowTitle(), QString::fromUtf8("TLY - 列幅変更"));
  QCOMPARE(d->txtColWidth()->text(), QString("10"));
  shot(d, "frmColWidth");
  d->txtColWidth()->setText("12");
  QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  for (int c = 3; c <= 8; ++c) QCOMPARE(g.colWidth(c), 680);
  QCOMPARE(s.w->grid()->cellRect(0, 3).width(), ui::twipsToPx(680, s.w->grid()->dpi()));

  // 規定値 without a printer: the widths of a new grid.
  s.w->menuAction(Command::ColWidth)->trigger();
  d = ui::mainPrinting(*s.w)->colWidthDialog();
  QTest::mouseClick(d->cmdDefColWidth(), Qt::LeftButton);
  QCOMPARE(g.colWidth(3), 560);
  QCOMPARE(g.colWidth(2), 2150);

  // The font command, from the toolbar button.
  s.fonts.answers.push_back(FontInfo{"ＭＳ Ｐゴシック", 12});
  s.w->toolButton(Command::Font)->trigger();
  QCOMPARE(g.rowHeight(5), 264);
  QCOMPARE(QString::fromStdString(g.Font.name), QString::fromUtf8("ＭＳ Ｐゴシック"));

  // Dragging the border of column 2 in the header row 40 pixels to the right.
  ui::GridView* v = s.w->grid();
  const QRect head = v->cellRect(0, 2);
  const QPoint from(head.right() + 1, head.center().y()), to = from + QPoint(40, 0);
  QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, to, v->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(v->viewport(), &move);
  QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
  const int dpi = v->dpi();
  const int mm = static_cast<int>(std::floor(ui::pxToTwips(head.width() + 40, dpi) / 56.7 + 0.5));
  QCOMPARE(g.colWidth(2), static_cast<int>(std::floor(mm * 56.7 + 0.5)));
  // The month's widths go into the file's settings when it is saved.
  s.w->menuAction(Command::Save)->trigger();
  QCOMPARE(int(s.app.Y.Fs.FsColWidth[2]), g.colWidth(2));
}

QTEST_MAIN(PrintWindowTest)
#include "print_window.moc"
