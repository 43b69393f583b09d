#include "ui/frmjisuu.h"

#include <algorithm>

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

QString toQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string fromQ(const QString& s) { return s.toUtf8().toStdString(); }

// The handlers of each range box, in the order StartMonth, StartDay, EndMonth, EndDay.
void (*const kLeaveBox[4])(App&, JisuuDialog&) = {txtStartMonth_LostFocus, txtStartDay_LostFocus,
                                                  txtEndMonth_LostFocus, txtEndDay_LostFocus};
void (*const kSpinChange[4])(App&, JisuuDialog&) = {spnStartMonth_Change, spnStartDay_Change,
                                                    spnEndMonth_Change, spnEndDay_Change};
const JisuuField kBoxField[4] = {JisuuField::StartMonth, JisuuField::StartDay, JisuuField::EndMonth,
                                 JisuuField::EndDay};

}  // namespace

RangeSpin::RangeSpin(QWidget* parent) : QWidget(parent) {
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFixedSize(16, 11);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    box->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void RangeSpin::step(int n) {
  const int v = std::clamp(state_.value + n, state_.min, std::max(state_.min, state_.max));
  if (v == state_.value) return;
  state_.value = v;
  emit valueChanged(v);
}

frmJisuu::frmJisuu(App& app, QWidget* parent) : QDialog(parent), app_(app) {
  setWindowTitle(QStringLiteral("TLY - 集計"));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);

  Frame1_ = new QGroupBox(QStringLiteral("集計方法"), this);
  auto* frameBox = new QVBoxLayout(Frame1_);
  optSyukei_[0] = new QRadioButton(QStringLiteral("年間授業時数"), Frame1_);
  optSyukei_[1] = new QRadioButton(QStringLiteral("範囲指定"), Frame1_);
  frameBox->addWidget(optSyukei_[0]);
  frameBox->addWidget(optSyukei_[1]);

  static const char* const kLabels[4] = {"月", "日　から", "月", "日　まで"};
  for (int i = 0; i < 4; ++i) {
    txt_[i] = new QLineEdit(this);
    txt_[i]->setFixedWidth(36);
    txt_[i]->setAlignment(Qt::AlignRight);
    txt_[i]->installEventFilter(this);
    spn_[i] = new RangeSpin(this);
    lbl_[i] = new QLabel(toQ(kLabels[i]), this);
  }
  txt_[0]->setObjectName("txtStartMonth");
  txt_[1]->setObjectName("txtStartDay");
  txt_[2]->setObjectName("txtEndMonth");
  txt_[3]->setObjectName("txtEndDay");
  cmdJisuuOk_ = new QPushButton(QStringLiteral("集計"), this);
  cmdJisuuOk_->setDefault(false);
  cmdJisuuOk_->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame1_, 0, 0, 1, 6);
  for (int i = 0; i < 4; ++i) {
    const int row = 1 + i / 2, col = (i % 2) * 3;
    auto* cell = new QHBoxLayout;
    cell->setSpacing(1);
    cell->addWidget(txt_[i]);
    cell->addWidget(spn_[i]);
    grid->addLayout(cell, row, col, 1, 2);
    grid->addWidget(lbl_[i], row, col + 2);
  }
  grid->addWidget(cmdJisuuOk_, 3, 0, 1, 6, Qt::AlignRight);

  for (int i = 0; i < 2; ++i)
    connect(optSyukei_[i], &QRadioButton::clicked, this, [this, i] {
      optSyukei_Click(app_, d_, i);
      syncFromModel();
    });
  for (int i = 0; i < 4; ++i) {
    connect(spn_[i], &RangeSpin::valueChanged, this, [this, i](int v) {
      SpinState* s[4] = {&d_.spnStartMonth, &d_.spnStartDay, &d_.spnEndMonth, &d_.spnEndDay};
      s[i]->value = v;
      kSpinChange[i](app_, d_);
      syncFromModel();
    });
  }
  connect(cmdJisuuOk_, &QPushButton::clicked, this, &frmJisuu::cmdJisuuOk_Click);

  JisuuForm_Load(app_, d_);
  const int dpi = logicalDpiX();
  move(twipsToPx(d_.left, dpi), twipsToPx(d_.top, dpi));
  syncFromModel();
}

void frmJisuu::syncFromModel() {
  const std::string* texts[4] = {&d_.txtStartMonth, &d_.txtStartDay, &d_.txtEndMonth, &d_.txtEndDay};
  const SpinState* spins[4] = {&d_.spnStartMonth, &d_.spnStartDay, &d_.spnEndMonth, &d_.spnEndDay};
  for (int i = 0; i < 4; ++i) {
    const QString t = toQ(*texts[i]);
    if (txt_[i]->text() != t) txt_[i]->setText(t);
    spn_[i]->setState(*spins[i]);
    txt_[i]->setEnabled(d_.rangeEnabled);
    spn_[i]->setEnabled(d_.rangeEnabled);
    lbl_[i]->setEnabled(d_.rangeEnabled);
  }
  optSyukei_[d_.option == 1 ? 1 : 0]->setChecked(true);
}

int frmJisuu::boxIndex(QObject* o) const {
  for (int i = 0; i < 4; ++i)
    if (o == txt_[i]) return i;
  return -1;
}

QWidget* frmJisuu::fieldWidget(JisuuField f) const {
  switch (f) {
    case JisuuField::StartMonth: return txt_[0];
    case JisuuField::StartDay: return txt_[1];
    case JisuuField::EndMonth: return txt_[2];
    case JisuuField::EndDay: return txt_[3];
    case JisuuField::Ok: return cmdJisuuOk_;
  }
  return nullptr;
}

void frmJisuu::leaveBox(int i) {
  std::string* texts[4] = {&d_.txtStartMonth, &d_.txtStartDay, &d_.txtEndMonth, &d_.txtEndDay};
  *texts[i] = fromQ(txt_[i]->text());
  kLeaveBox[i](app_, d_);
  syncFromModel();
}

bool frmJisuu::eventFilter(QObject* o, QEvent* e) {
  const int i = boxIndex(o);
  if (i >= 0) {
    if (e->type() == QEvent::FocusIn) {
      // Select the whole text once the click that brought the focus is done.
      QTimer::singleShot(0, txt_[i], [box = txt_[i]] { box->selectAll(); });
    } else if (e->type() == QEvent::FocusOut) {
      leaveBox(i);
    } else if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      JisuuKey key;
      if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) key = JisuuKey::Enter;
      else if (k->key() == Qt::Key_Down) key = JisuuKey::Down;
      else if (k->key() == Qt::Key_Up) key = JisuuKey::Up;
      else return QDialog::eventFilter(o, e);
      std::string* texts[4] = {&d_.txtStartMonth, &d_.txtStartDay, &d_.txtEndMonth, &d_.txtEndDay};
      *texts[i] = fromQ(txt_[i]->text());
      const JisuuField next = jisuuKey(app_, d_, kBoxField[i], key);
      syncFromModel();
      if (QWidget* w = fieldWidget(next); w && next != kBoxField[i]) w->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void frmJisuu::cmdJisuuOk_Click() {
  // A box being edited gives up its text first.
  for (int i = 0; i < 4; ++i)
    if (txt_[i]->hasFocus()) leaveBox(i);
  tly::cmdJisuuOk_Click(app_, d_);
  emit tallied();
  close();
}

void frmJisuu::closeEvent(QCloseEvent* e) {
  if (!unloaded_) {
    unloaded_ = true;
    const int dpi = logicalDpiX();
    d_.left = pxToTwips(x(), dpi, d_.left);
    d_.top = pxToTwips(y(), dpi, d_.top);
    d_.windowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    JisuuForm_Unload(app_, d_);
    for (QLineEdit* t : txt_) t->removeEventFilter(this);
  }
  QDialog::closeEvent(e);
}

}  // namespace tly::ui
