#include "ui/frmcolwidth.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qtplatform.h"

namespace tly::ui {

frmColWidth::frmColWidth(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("frmColWidth"));
  setWindowTitle(QStringLiteral("TLY - 列幅変更"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  auto* label1 = new QLabel(QStringLiteral("列幅"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  txt_ = new QLineEdit(this);
  txt_->setObjectName(QStringLiteral("txtColWidth"));
  txt_->setFixedWidth(60);
  txt_->setAlignment(Qt::AlignRight);
  auto* label2 = new QLabel(QStringLiteral("mm"), this);
  label2->setObjectName(QStringLiteral("Label2"));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel_->setObjectName(QStringLiteral("cmdCancel"));
  def_ = new QPushButton(QStringLiteral("規定値"), this);
  def_->setObjectName(QStringLiteral("cmdDefColWidth"));
  ok_->setDefault(true);
  auto* grid = new QGridLayout(this);
  grid->addWidget(label1, 0, 0);
  grid->addWidget(txt_, 0, 1);
  grid->addWidget(label2, 0, 2);
  grid->addWidget(ok_, 0, 3);
  grid->addWidget(cancel_, 1, 3);
  grid->addWidget(def_, 2, 3);
  grid->setColumnStretch(2, 1);

  connect(ok_, &QPushButton::clicked, this, [this] {
    d_.txtColWidth = us(txt_->text());
    ColWidth_cmdOK_Click(app_, d_);
    emit gridChanged();
    close();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] {
    ColWidth_cmdCancel_Click(app_, d_);
    emit gridChanged();
    close();
  });
  connect(def_, &QPushButton::clicked, this, [this] {
    std::unique_ptr<PrintDevice> measure;
    try {
      if (app_.P.printer) measure = app_.P.printer->printer();
    } catch (...) {
      measure.reset();  // no printer to measure on: the fixed character width
    }
    if (!ColWidth_cmdDefColWidth_Click(app_, d_, measure.get())) return;
    emit gridChanged();
    close();
  });

  ColWidthForm_Load(app_, d_);
  const int dpi = logicalDpiX();
  move(twipsToPx(d_.left, dpi), twipsToPx(d_.top, dpi));
  activated();
}

void frmColWidth::activated() {
  ColWidthForm_Activate(app_, d_);
  txt_->setText(qs(d_.txtColWidth));
  txt_->selectAll();
}

void frmColWidth::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) activated();
  QDialog::changeEvent(e);
}

void frmColWidth::closeEvent(QCloseEvent* e) {
  if (!unloaded_) {
    unloaded_ = true;
    const int dpi = logicalDpiX();
    d_.left = pxToTwips(x(), dpi);
    d_.top = pxToTwips(y(), dpi);
    d_.windowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    ColWidthForm_Unload(app_, d_);
  }
  QDialog::closeEvent(e);
}

}  // namespace tly::ui
