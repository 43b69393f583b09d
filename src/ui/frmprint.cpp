#include "ui/frmprint.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/frmjisuu.h"
#include "session/output/weekplan.h"
#include "ui/printdevice.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

// A month text with its spin and label.
QHBoxLayout* boxWithSpin(QLineEdit* t, RangeSpin* s) {
  auto* h = new QHBoxLayout;
  h->setSpacing(1);
  h->addWidget(t);
  h->addWidget(s);
  return h;
}

QLineEdit* numberBox(QWidget* parent, const char* name) {
  auto* t = new QLineEdit(parent);
  t->setObjectName(QString::fromUtf8(name));
  t->setFixedWidth(44);
  t->setAlignment(Qt::AlignRight);
  return t;
}

}  // namespace

frmPrint::frmPrint(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("frmPrint"));
  setWindowTitle(QStringLiteral("TLY - 印刷"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  txtTitle_ = new QLineEdit(this);
  txtTitle_->setObjectName(QStringLiteral("txtTitle"));
  txtTitle_->setReadOnly(true);
  cmdTitleFont_ = new QPushButton(QStringLiteral("ﾀｲﾄﾙ ﾌｫﾝﾄ"), this);
  cmdTitleFont_->setObjectName(QStringLiteral("cmdTitleFont"));
  cmdPrinterSet_ = new QPushButton(QStringLiteral("ﾌﾟﾘﾝﾀ設定"), this);
  cmdPrinterSet_->setObjectName(QStringLiteral("cmdPrinterSet"));
  cmbGra_ = new QComboBox(this);
  cmbGra_->setObjectName(QStringLiteral("cmbGra"));

  frameRange_ = new QGroupBox(QStringLiteral("印刷範囲"), this);
  optAll_ = new QRadioButton(QStringLiteral("全ページ"), frameRange_);
  optAll_->setObjectName(QStringLiteral("optPrintAll"));
  optSel_ = new QRadioButton(QStringLiteral("指定範囲"), frameRange_);
  optSel_->setObjectName(QStringLiteral("optPrintSel"));
  const char* selNames[2] = {"txtPrintSelStart", "txtPrintSelEnd"};
  const char* selLabels[2] = {"月から", "月まで"};
  for (int i = 0; i < 2; ++i) {
    txtSel_[i] = numberBox(frameRange_, selNames[i]);
    spbSel_[i] = new RangeSpin(frameRange_);
    lblSel_[i] = new QLabel(QString::fromUtf8(selLabels[i]), frameRange_);
  }
  auto* rangeBox = new QGridLayout(frameRange_);
  rangeBox->addWidget(optAll_, 0, 0, 1, 2);
  rangeBox->addWidget(optSel_, 1, 0, 1, 2);
  for (int i = 0; i < 2; ++i) {
    rangeBox->addLayout(boxWithSpin(txtSel_[i], spbSel_[i]), 2, i * 2);
    rangeBox->addWidget(lblSel_[i], 2, i * 2 + 1);
  }

  const char* names[kPrintBoxes] = {"txtTop", "txtBottom", "txtLeft", "txtRight", "txtCopies"};
  for (int i = 0; i < kPrintBoxes; ++i) {
    txt_[i] = numberBox(this, names[i]);
    txt_[i]->installEventFilter(this);
    spn_[i] = new RangeSpin(this);
  }
  frameCopies_ = new QGroupBox(QStringLiteral("印刷部数"), this);
  auto* copiesBox = new QHBoxLayout(frameCopies_);
  txt_[4]->setParent(frameCopies_);
  spn_[4]->setParent(frameCopies_);
  copiesBox->addLayout(boxWithSpin(txt_[4], spn_[4]));
  copiesBox->addWidget(new QLabel(QStringLiteral("部"), frameCopies_));
  copiesBox->addStretch();

  frameMargins_ = new QGroupBox(QStringLiteral("余白"), this);
  auto* marginBox = new QGridLayout(frameMargins_);
  const char* marginLabels[4] = {"上", "下", "左", "右"};
  for (int i = 0; i < 4; ++i) {
    txt_[i]->setParent(frameMargins_);
    spn_[i]->setParent(frameMargins_);
    marginBox->addWidget(new QLabel(QString::fromUtf8(marginLabels[i]), frameMargins_), i / 2, (i % 2) * 3);
    marginBox->addLayout(boxWithSpin(txt_[i], spn_[i]), i / 2, (i % 2) * 3 + 1);
    marginBox->addWidget(new QLabel(QStringLiteral("mm"), frameMargins_), i / 2, (i % 2) * 3 + 2);
  }
  for (int i = 0; i < 2; ++i) txtSel_[i]->installEventFilter(this);
  chkFit_ = new QCheckBox(QStringLiteral("用紙に合わせて拡大"), this);
  chkFit_->setObjectName(QStringLiteral("chkFit"));
  frameWeek_ = new QGroupBox(QStringLiteral("週案"), this);
  dtpWeek_ = new QDateEdit(frameWeek_);
  dtpWeek_->setObjectName(QStringLiteral("dtpWeek"));
  dtpWeek_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  dtpWeek_->setCalendarPopup(true);
  {
    const CalendarDate d = proposedWeek(app_);
    dtpWeek_->setDate(QDate(d.year, d.month, d.day));
  }
  spnWeeks_ = new QSpinBox(frameWeek_);
  spnWeeks_->setObjectName(QStringLiteral("spnWeeks"));
  spnWeeks_->setRange(1, 53);
  cmdWeek_ = new QPushButton(QStringLiteral("週案"), frameWeek_);
  cmdWeek_->setObjectName(QStringLiteral("cmdWeek"));
  cmdWeek_->setAutoDefault(false);
  auto* weekBox = new QHBoxLayout(frameWeek_);
  weekBox->addWidget(dtpWeek_);
  weekBox->addWidget(new QLabel(QStringLiteral("の週から"), frameWeek_));
  weekBox->addWidget(spnWeeks_);
  weekBox->addWidget(new QLabel(QStringLiteral("週"), frameWeek_));
  weekBox->addStretch();
  weekBox->addWidget(cmdWeek_);

  cmdPrint_ = new QPushButton(QStringLiteral("印刷"), this);
  cmdPrint_->setObjectName(QStringLiteral("cmdPrint"));
  cmdPreview_ = new QPushButton(QStringLiteral("プレビュー"), this);
  cmdPreview_->setObjectName(QStringLiteral("cmdPreview"));
  cmdPdf_ = new QPushButton(QStringLiteral("PDF保存"), this);
  cmdPdf_->setObjectName(QStringLiteral("cmdPdf"));
  cmdCancel_ = new QPushButton(QStringLiteral("閉じる"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  for (QPushButton* b : {cmdTitleFont_, cmdPrinterSet_, cmdPrint_, cmdPreview_, cmdPdf_, cmdCancel_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  status_ = new QStatusBar(this);
  status_->setObjectName(QStringLiteral("StatusBar1"));
  status_->setSizeGripEnabled(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(txtTitle_, 0, 0, 1, 2);
  auto* fontRow = new QHBoxLayout;
  fontRow->addWidget(cmdTitleFont_);
  fontRow->addWidget(cmdPrinterSet_);
  fontRow->addStretch();
  fontRow->addWidget(cmbGra_);
  grid->addLayout(fontRow, 1, 0, 1, 2);
  grid->addWidget(frameRange_, 2, 0, 2, 1);
  grid->addWidget(frameCopies_, 2, 1);
  grid->addWidget(frameMargins_, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdPreview_);
  buttons->addWidget(cmdPdf_);
  buttons->addStretch();
  buttons->addWidget(cmdPrint_);
  buttons->addWidget(cmdCancel_);
  grid->addWidget(chkFit_, 4, 0, 1, 2);
  grid->addWidget(frameWeek_, 5, 0, 1, 2);
  grid->addLayout(buttons, 6, 0, 1, 2);
  grid->addWidget(status_, 7, 0, 1, 2);

  // Spins: the arrows move the value, the box shows it.
  for (int i = 0; i < kPrintBoxes; ++i)
    connect(spn_[i], &RangeSpin::valueChanged, this, [this, i](int v) {
      takeTexts();  // the arrows take no focus: what is typed elsewhere stays
      d_.spn[static_cast<size_t>(i)].value = v;
      printSpin_Change(d_, static_cast<PrintBox>(i));
      syncFromModel();
    });
  connect(spbSel_[0], &RangeSpin::valueChanged, this, [this](int v) {
    takeTexts();
    d_.spbPrintSelStart.value = v;
    spbPrintSelStart_Change(d_);
    syncFromModel();
  });
  connect(spbSel_[1], &RangeSpin::valueChanged, this, [this](int v) {
    takeTexts();
    d_.spbPrintSelEnd.value = v;
    spbPrintSelEnd_Change(d_);
    syncFromModel();
  });
  connect(optAll_, &QRadioButton::clicked, this, [this] {
    takeTexts();
    optPrintAll_Click(d_, true);
    syncFromModel();
  });
  connect(optSel_, &QRadioButton::clicked, this, [this] {
    takeTexts();
    optPrintAll_Click(d_, false);
    syncFromModel();
  });
  connect(chkFit_, &QCheckBox::toggled, this, [this](bool on) { d_.fit = on; });
  connect(cmbGra_, qOverload<int>(&QComboBox::activated), this, [this](int i) { d_.cmbGraIndex = i; });
  connect(cmdTitleFont_, &QPushButton::clicked, this, [this] {
    takeTexts();
    cmdTitleFont_Click(app_, d_);
    syncFromModel();
  });
  connect(cmdPrinterSet_, &QPushButton::clicked, this, [this] {
    if (app_.P.printer) app_.P.printer->setup();
  });
  connect(cmdPrint_, &QPushButton::clicked, this, [this] { runJob(Target::Printer); });
  connect(cmdPdf_, &QPushButton::clicked, this, [this] { runJob(Target::Pdf); });
  connect(cmdPreview_, &QPushButton::clicked, this, [this] { openPreview(); });
  connect(cmdWeek_, &QPushButton::clicked, this, [this] { openWeekPreview(); });
  connect(cmdCancel_, &QPushButton::clicked, this, [this] {
    if (d_.idle)
      close();
    else
      d_.abortRequest = true;  // honoured before the next page set
  });

  PrintForm_Load(app_, d_);
  const int dpi = logicalDpiX();
  move(twipsToPx(d_.left, dpi), twipsToPx(d_.top, dpi));
  syncFromModel();
}

frmPrint::~frmPrint() = default;

void frmPrint::syncFromModel() {
  QFont f = toQFont(d_.titleFont);
  if (txtTitle_->font() != f) txtTitle_->setFont(f);
  if (txtTitle_->text().isEmpty()) txtTitle_->setText(QStringLiteral("授業時数集計"));
  for (int i = 0; i < kPrintBoxes; ++i) {
    const QString t = qs(d_.txt[static_cast<size_t>(i)]);
    if (txt_[i]->text() != t) txt_[i]->setText(t);
    spn_[i]->setState(d_.spn[static_cast<size_t>(i)]);
  }
  const std::string* sel[2] = {&d_.txtPrintSelStart, &d_.txtPrintSelEnd};
  const SpinState* selSpin[2] = {&d_.spbPrintSelStart, &d_.spbPrintSelEnd};
  const bool months = d_.rangeGroupEnabled && d_.monthsEnabled;
  for (int i = 0; i < 2; ++i) {
    if (txtSel_[i]->text() != qs(*sel[i])) txtSel_[i]->setText(qs(*sel[i]));
    spbSel_[i]->setState(*selSpin[i]);
    txtSel_[i]->setEnabled(months);
    spbSel_[i]->setEnabled(months);
    lblSel_[i]->setEnabled(months);
  }
  optAll_->setEnabled(d_.rangeGroupEnabled);
  optSel_->setEnabled(d_.rangeGroupEnabled);
  (d_.printAll ? optAll_ : optSel_)->setChecked(true);
  if (chkFit_->isChecked() != d_.fit) chkFit_->setChecked(d_.fit);
  if (cmbGra_->count() != static_cast<int>(d_.cmbGra.size())) {
    cmbGra_->clear();
    for (const std::string& s : d_.cmbGra) cmbGra_->addItem(qs(s));
  }
  if (cmbGra_->currentIndex() != d_.cmbGraIndex) cmbGra_->setCurrentIndex(d_.cmbGraIndex);
  cmbGra_->setEnabled(d_.cmbGraEnabled);
  for (QPushButton* b : {cmdTitleFont_, cmdPrinterSet_, cmdPrint_, cmdPreview_, cmdPdf_, cmdWeek_}) b->setEnabled(d_.idle);
  if (status_->currentMessage() != qs(d_.status)) status_->showMessage(qs(d_.status));
}

void frmPrint::leaveBox(QObject* o) {
  for (int i = 0; i < kPrintBoxes; ++i)
    if (o == txt_[i]) {
      d_.txt[static_cast<size_t>(i)] = us(txt_[i]->text());
      printBox_Leave(d_, static_cast<PrintBox>(i));
    }
  if (o == txtSel_[0]) {
    d_.txtPrintSelStart = us(txtSel_[0]->text());
    txtPrintSelStart_Leave(d_);
  } else if (o == txtSel_[1]) {
    d_.txtPrintSelEnd = us(txtSel_[1]->text());
    txtPrintSelEnd_Leave(d_);
  }
  syncFromModel();
}

// The texts as typed are what the run uses.
void frmPrint::takeTexts() {
  for (int i = 0; i < kPrintBoxes; ++i) d_.txt[static_cast<size_t>(i)] = us(txt_[i]->text());
  d_.txtPrintSelStart = us(txtSel_[0]->text());
  d_.txtPrintSelEnd = us(txtSel_[1]->text());
}

bool frmPrint::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusOut) {
    leaveBox(o);
  } else if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      leaveBox(o);
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void frmPrint::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
    PrintForm_Activate(app_, d_);
    syncFromModel();
  }
  QDialog::changeEvent(e);
}

PrintOutcome frmPrint::run(PrintDevice& dev, bool withHooks) {
  takeTexts();
  const PrintParams p = printParamsOf(d_);
  PrintHooks hooks;
  if (withHooks) {
    hooks.abortRequested = [this] {
      QCoreApplication::processEvents();
      return d_.abortRequest;
    };
    hooks.progress = [this](const std::string& s) {
      d_.status = s;
      syncFromModel();
      emit mainChanged();
    };
  }
  d_.abortRequest = false;
  d_.idle = false;
  syncFromModel();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PrintOutcome out = PrintOutcome::Failed;
  try {
    out = runPrintJob(app_, dev, p, hooks);
  } catch (...) {
    // runPrintJob reports its own failures; nothing else may escape into Qt.
  }
  QApplication::restoreOverrideCursor();
  d_.idle = true;
  emit mainChanged();
  return out;
}

void frmPrint::runJob(Target t) {
  if (!d_.idle) return;
  std::unique_ptr<PrintDevice> dev;
  try {
    if (t == Target::Printer) {
      dev = app_.P.printer ? app_.P.printer->printer() : nullptr;
      if (!dev) {
        app_.msg("プリンタが見つかりません。", MsgButtons::OK, MsgIcon::Exclamation, "TLY");
        return;
      }
    } else {
      const std::string path = askPdfPath(app_);
      if (path.empty()) return;
      dev = app_.P.printer->pdf(path);
    }
  } catch (const std::exception& e) {
    app_.msg(std::string("印刷できませんでした。\r") + e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
    return;
  }
  run(*dev, true);
  close();
}

QDialog* frmPrint::openPreview() {
  if (!d_.idle) return nullptr;
  return openPrintPreview(this, previewPrinter_, [this](PrintDevice& dev) {
    run(dev, false);
    syncFromModel();
  });
}

QDialog* frmPrint::openWeekPreview() {
  if (!d_.idle) return nullptr;
  takeTexts();
  const ReportOptions o = weekPlanOptions(app_);
  const QDate q = dtpWeek_->date();
  const WeekRun wr = weekRunOfView(app_, o, CalendarDate{q.year(), q.month(), q.day()}, spnWeeks_->value());
  const PageFrame frame = frameOf(printParamsOf(d_));
  return openPrintPreview(this, previewPrinter_, [this, wr, o, frame](PrintDevice& dev) {
    std::string why;
    if (runWeekPlans(app_, dev, wr, o, frame, &why) == 0)
      app_.msg(why, MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  });
}

void frmPrint::closeEvent(QCloseEvent* e) {
  if (!d_.idle) {
    // A run is going on: closing asks it to stop; the dialog closes when it has.
    d_.abortRequest = true;
    e->ignore();
    return;
  }
  if (!unloaded_) {
    unloaded_ = true;
    takeTexts();
    const int dpi = logicalDpiX();
    d_.left = pxToTwips(x(), dpi);
    d_.top = pxToTwips(y(), dpi);
    d_.windowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    PrintForm_Unload(app_, d_);
  }
  QDialog::closeEvent(e);
}

}  // namespace tly::ui
