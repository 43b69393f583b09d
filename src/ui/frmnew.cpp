#include "ui/frmnew.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "calendar/calendar.h"
#include "session/windows/frmnew/newyear.h"
#include "session/windows/frmnew/nextyear.h"
#include "ui/qtplatform.h"

namespace tly::ui {

SpinButton::SpinButton(int min, int max, QWidget* parent) : QWidget(parent), min_(min), max_(max), value_(min) {
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFixedSize(18, 12);
    b->setFocusPolicy(Qt::NoFocus);
    v->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void SpinButton::setValue(int v) {
  v = std::clamp(v, min_, max_);
  if (v == value_) return;
  value_ = v;
  emit valueChanged(v);
}

void SpinButton::stepBy(int n) { setValue(value_ + n); }

namespace {
// Entry i of a count box: the full-width digit i followed by the unit.
QString countEntry(int i, const char* unit) {
  static const QString digits = QString::fromUtf8("１２３４５６７８９０");
  return digits.mid(i - 1, 1) + QString::fromUtf8(unit);
}
}  // namespace

frmNew::frmNew(App& app, QWidget* parent, Mode mode) : QWidget(parent, Qt::Dialog), app_(app), mode_(mode) {
  setObjectName(QStringLiteral("frmNew"));
  const bool next = mode_ == Mode::NextYear;
  setWindowTitle(QString::fromUtf8(next ? "TLY - 次年度を作成" : "TLY - 新規作成"));
  setAttribute(Qt::WA_DeleteOnClose);

  // 新規作成 starts from its fixed choices; the next year from the open one's.
  const NextYearProposal proposal = next ? nextYearProposal(app_) : NextYearProposal{};
  const int nendo =
      next ? proposal.nendo : currentSchoolYear(app_.P.clock ? app_.P.clock->today() : app_.S.Today);

  auto* lblNendo = new QLabel(QString::fromUtf8("年度："), this);
  lblNendo->setObjectName(QStringLiteral("lblNendo"));
  txtNendo_ = new QLineEdit(this);
  txtNendo_->setObjectName(QStringLiteral("txtNendo"));
  txtNendo_->installEventFilter(this);
  spnNendo_ = new SpinButton(1900, 2900, this);
  spnNendo_->setObjectName(QStringLiteral("spnNendo"));
  connect(spnNendo_, &SpinButton::valueChanged, this, [this](int v) { txtNendo_->setText(QString::number(v)); });
  spnNendo_->setValue(nendo);
  txtNendo_->setText(QString::number(spnNendo_->value()));

  auto* label1 = new QLabel(QString::fromUtf8("学年数："), this);
  label1->setObjectName(QStringLiteral("Label1"));
  cmbGgn_ = new QComboBox(this);
  cmbGgn_->setObjectName(QStringLiteral("cmbGgn"));
  cmbGgn_->setEditable(true);
  cmbGgn_->setInsertPolicy(QComboBox::NoInsert);
  for (int i = 3; i <= 6; ++i) cmbGgn_->addItem(countEntry(i, "学年"));
  cmbGgn_->setCurrentIndex(next ? proposal.grades - 3 : 0);

  auto* label2 = new QLabel(QString::fromUtf8("時限数："), this);
  label2->setObjectName(QStringLiteral("Label2"));
  cmbJigen_ = new QComboBox(this);
  cmbJigen_->setObjectName(QStringLiteral("cmbJigen"));
  cmbJigen_->setEditable(true);
  cmbJigen_->setInsertPolicy(QComboBox::NoInsert);
  for (int i = 5; i <= 7; ++i) cmbJigen_->addItem(countEntry(i, "時限"));
  cmbJigen_->setCurrentIndex(next ? proposal.periods - 5 : 1);

  for (int i = 0; i < 5; ++i) {
    chkSat_[i] = new QCheckBox(QString::fromUtf8("第") + countEntry(i + 1, "土曜休業"), this);
    chkSat_[i]->setObjectName(QStringLiteral("chk%1Sat").arg(i + 1));
    chkSat_[i]->setChecked(next ? proposal.closedSaturdays[static_cast<size_t>(i)] : (i == 1 || i == 3));
  }

  auto* lblYasumi = new QLabel(QString::fromUtf8("祝祭日の確認"), this);
  lblYasumi->setObjectName(QStringLiteral("lblYasumi"));
  lstYasumi_ = new QListWidget(this);
  lstYasumi_->setObjectName(QStringLiteral("lstYasumi"));
  lstYasumi_->setSelectionMode(QAbstractItemView::NoSelection);
  lstYasumi_->setFocusPolicy(Qt::NoFocus);
  chkLaw_ = new QCheckBox(QString::fromUtf8("祝日を現行の祝日法で設定"), this);
  chkLaw_->setObjectName(QStringLiteral("chkLaw"));
  chkLaw_->setChecked(lawHolidaysChosen(app_));
  connect(chkLaw_, &QCheckBox::toggled, this, [this](bool on) {
    storeLawHolidaysChosen(app_, on);
    refreshHolidays();
  });
  connect(txtNendo_, &QLineEdit::textChanged, this, [this] { refreshHolidays(); });
  refreshHolidays();

  cmdOK_ = new QPushButton(QString::fromUtf8("実行"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  cmdCan_ = new QPushButton(QString::fromUtf8("中止"), this);
  cmdCan_->setObjectName(QStringLiteral("cmdCan"));
  connect(cmdOK_, &QPushButton::clicked, this, &frmNew::cmdOK_Click);
  connect(cmdCan_, &QPushButton::clicked, this, &frmNew::cmdCan_Click);

  // Left column: year, grades, periods, Saturdays; right column: the holiday list.
  auto* left = new QGridLayout;
  auto* yearRow = new QHBoxLayout;
  yearRow->setSpacing(0);
  yearRow->addWidget(txtNendo_);
  yearRow->addWidget(spnNendo_);
  left->addWidget(lblNendo, 0, 0);
  left->addLayout(yearRow, 0, 1);
  left->addWidget(label1, 1, 0);
  left->addWidget(cmbGgn_, 1, 1);
  left->addWidget(label2, 2, 0);
  left->addWidget(cmbJigen_, 2, 1);
  for (int i = 0; i < 5; ++i) left->addWidget(chkSat_[i], 3 + i, 0, 1, 2);
  if (next) left->addWidget(buildCarryGroup(), 8, 0, 1, 2);
  left->setRowStretch(9, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(lblYasumi);
  right->addWidget(lstYasumi_);
  right->addWidget(chkLaw_);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addSpacing(12);
  top->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdCan_);
  buttons->addStretch();
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addSpacing(8);
  all->addLayout(buttons);
  lstYasumi_->setMinimumWidth(210);
  resize(sizeHint().width(), std::max(sizeHint().height(), 300));
}

QGroupBox* frmNew::buildCarryGroup() {
  grpCarry_ = new QGroupBox(QString::fromUtf8("引き継ぐ内容"), this);
  grpCarry_->setObjectName(QStringLiteral("grpCarry"));
  static const struct {
    const char* name;
    const char* caption;
    bool on;
    bool indented;
  } kBoxes[6] = {
      {"chkCarryClass", "学級時間割", true, false},
      {"chkAdvance", "学年を一つ進める", false, true},  // many schools renumber by hand
      {"chkCarryTeacher", "教師時間割", true, false},
      {"chkCarryItems", "集計項目", true, false},
      {"chkCarrySettings", "表示・印刷の設定", true, false},
      {"chkCarryStandards", "標準時数の設定", true, false},
  };
  auto* v = new QVBoxLayout(grpCarry_);
  v->setSpacing(2);
  for (int i = 0; i < 6; ++i) {
    chkCarry_[i] = new QCheckBox(QString::fromUtf8(kBoxes[i].caption), grpCarry_);
    chkCarry_[i]->setObjectName(QString::fromUtf8(kBoxes[i].name));
    chkCarry_[i]->setChecked(kBoxes[i].on);
    if (kBoxes[i].indented) {
      auto* row = new QHBoxLayout;
      row->addSpacing(20);
      row->addWidget(chkCarry_[i]);
      v->addLayout(row);
    } else {
      v->addWidget(chkCarry_[i]);
    }
  }
  // Moving classes up means something only when the class timetables are carried.
  connect(chkCarry_[0], &QCheckBox::toggled, chkCarry_[1], &QCheckBox::setEnabled);
  return grpCarry_;
}

void frmNew::refreshHolidays() {
  const std::string year = us(txtNendo_->text());
  chkLaw_->setEnabled(lawHolidaysSelectable(year));
  lstYasumi_->clear();
  for (const std::string& line : holidayListLines(year, chkLaw_->isChecked()))
    lstYasumi_->addItem(QString::fromStdString(line));
}

bool frmNew::eventFilter(QObject* o, QEvent* e) {
  if (o == txtNendo_) {
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        txtNendoCommit();
        return true;  // Enter in the year box does not press 実行
      }
    } else if (e->type() == QEvent::FocusOut) {
      txtNendoCommit();
    }
  }
  return QWidget::eventFilter(o, e);
}

void frmNew::txtNendoCommit() {
  // Out of range: the spin button stays and the text stays as typed.
  if (auto v = spinValueFromText(us(txtNendo_->text()))) {
    spnNendo_->setValue(*v);
    txtNendo_->setText(QString::number(spnNendo_->value()));
  }
}

int frmNew::comboPosition(const QComboBox* box) const {
  // The typed text counts only when it is one of the entries; otherwise no position (-1).
  return box->findText(box->currentText(), Qt::MatchExactly);
}

void frmNew::cmdOK_Click() {
  auto n = checkNendoText(app_, us(txtNendo_->text()));
  if (!n) return;  // the message was shown; the dialog stays open with its choices
  NewYearOptions opt;
  opt.nendo = *n;
  opt.grades = gradesFromPosition(comboPosition(cmbGgn_));
  opt.periods = periodsFromPosition(comboPosition(cmbJigen_));
  for (int i = 0; i < 5; ++i) opt.closedSaturdays[static_cast<size_t>(i)] = chkSat_[i]->isChecked();
  if (chkLaw_->isEnabled() && chkLaw_->isChecked()) opt.holidays = HolidaySource::Law;
  try {
    if (mode_ == Mode::NextYear) {
      CarryChoice c;
      c.classTimetables = chkCarryClass()->isChecked();
      c.advanceGrades = c.classTimetables && chkAdvance()->isChecked();
      c.teacherTimetables = chkCarryTeacher()->isChecked();
      c.items = chkCarryItems()->isChecked();
      c.settings = chkCarrySettings()->isChecked();
      c.standards = chkCarryStandards()->isChecked();
      storeNextYearSaturdays(app_, opt.closedSaturdays);
      const CarryCounts n = runCarriedYearBuild(app_, app_.Y, opt, c);
      // The status bar's first panel is narrow: the summary is also said in full.
      app_.msg(carrySummary(n), MsgButtons::OK, MsgIcon::Information, "TLY 次年度を作成");
    } else {
      runNewYearBuild(app_, opt);
    }
  } catch (...) {
    // The build skips failing steps; a year exists once it has started.
  }
  emit built();
  close();
}

void frmNew::cmdCan_Click() {
  // 中止 of 新規作成 ends the program; of the next year it leaves the open year as it is.
  cancelled_ = mode_ == Mode::New;
  close();
}

void frmNew::closeEvent(QCloseEvent* e) {
  if (!closing_) {
    closing_ = true;
    emit closedWith(cancelled_);
  }
  e->accept();
}

}  // namespace tly::ui
