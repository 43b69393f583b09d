#include "ui/frmjitem.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <utility>

#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// Focus arriving because a window (a message box) went away is no focus change of the
// dialog's own: the handlers act only on focus the user or the dialog moved.
bool userFocus(QEvent* e) {
  auto r = static_cast<QFocusEvent*>(e)->reason();
  return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

}  // namespace

frmJItem::frmJItem(App& app, std::function<void()> accepted, QWidget* parent)
    : QDialog(parent), app_(app), accepted_(std::move(accepted)) {
  setWindowTitle("Form1");
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  lst_ = new QListWidget(this);
  lst_->setObjectName("lstJItem");
  txt_ = new QLineEdit(this);
  txt_->setObjectName("txtJItem");
  lbl_ = new QLabel(this);
  lbl_->setObjectName("lblJItem");
  add_ = new QPushButton(QString::fromUtf8("追加"), this);
  add_->setObjectName("cmdAdd");
  del_ = new QPushButton(QString::fromUtf8("削除"), this);
  del_->setObjectName("cmdDel");
  def_ = new QPushButton(QString::fromUtf8("規定値"), this);
  def_->setObjectName("cmdDefJItem");
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("cmdOK");
  cancel_ = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
  cancel_->setObjectName("cmdCancel");

  auto* grid = new QGridLayout(this);
  grid->addWidget(lst_, 0, 0, 5, 1);
  grid->addWidget(txt_, 5, 0);
  grid->addWidget(lbl_, 6, 0);
  grid->addWidget(add_, 5, 1);
  grid->addWidget(del_, 0, 1);
  grid->addWidget(def_, 1, 1);
  grid->addWidget(ok_, 3, 1);
  grid->addWidget(cancel_, 4, 1);
  // Enter on a focused button presses it; no button is pressed by Enter elsewhere.
  for (QPushButton* b : {add_, del_, def_, ok_, cancel_}) {
    b->setAutoDefault(true);
    b->setDefault(false);
  }
  txt_->installEventFilter(this);
  add_->installEventFilter(this);

  connect(add_, &QPushButton::clicked, this, [this] {
    d_.nameBox = txt_->text().toStdString();
    JItemFocus f = cmdAdd_Click(app_, d_);
    show_();
    focusTo(f);
  });
  connect(del_, &QPushButton::clicked, this, [this] {
    d_.nameBox = txt_->text().toStdString();
    cmdDel_Click(app_, d_);
    show_();
  });
  connect(def_, &QPushButton::clicked, this, [this] {
    d_.nameBox = txt_->text().toStdString();
    cmdDefJItem_Click(app_, d_);
    show_();
  });
  connect(ok_, &QPushButton::clicked, this, [this] { finish(true); });
  connect(cancel_, &QPushButton::clicked, this, [this] { finish(false); });

  frmJItem_Load(app_, d_);
  int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  move(twipsToPx(d_.left, dpi), twipsToPx(d_.top, dpi));
  show_();
}

void frmJItem::show_() {
  if (lst_->count() != static_cast<int>(d_.list.size())) {
    lst_->clear();
    for (const auto& n : d_.list) lst_->addItem(q(n));
  } else {
    for (int i = 0; i < lst_->count(); ++i)
      if (lst_->item(i)->text() != q(d_.list[static_cast<size_t>(i)])) lst_->item(i)->setText(q(d_.list[static_cast<size_t>(i)]));
  }
  lbl_->setText(q(d_.label));
  if (txt_->text() != q(d_.nameBox)) txt_->setText(q(d_.nameBox));
}

void frmJItem::focusTo(JItemFocus f) {
  if (f == JItemFocus::NameBox) txt_->setFocus(Qt::OtherFocusReason);
  else if (f == JItemFocus::AddButton) add_->setFocus(Qt::OtherFocusReason);
}

bool frmJItem::eventFilter(QObject* o, QEvent* e) {
  if (o == txt_) {
    if (e->type() == QEvent::FocusIn && userFocus(e)) {
      txtJItem_GotFocus(app_, d_);
      show_();
    } else if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
      d_.nameBox = txt_->text().toStdString();
      JItemFocus f = txtJItem_KeyDown(app_, d_, enter);
      show_();
      if (enter) {
        focusTo(f);
        return true;
      }
    } else if (e->type() == QEvent::InputMethod && !d_.JItemKeyed) {
      // Text committed by an input method is the first key as well.
      if (!static_cast<QInputMethodEvent*>(e)->commitString().isEmpty()) {
        d_.nameBox = txt_->text().toStdString();
        txtJItem_KeyDown(app_, d_, false);
        show_();
      }
    }
  } else if (o == add_ && e->type() == QEvent::FocusIn && userFocus(e)) {
    d_.nameBox = txt_->text().toStdString();
    cmdAdd_GotFocus(app_, d_);
    show_();
  }
  return QDialog::eventFilter(o, e);
}

void frmJItem::finish(bool ok) {
  if (finished_) return;
  finished_ = true;
  if (ok) {
    cmdOK_Click(app_, d_);
    if (accepted_) accepted_();
  } else {
    cmdCancel_Click(app_, d_);
  }
  int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  d_.left = pxToTwips(x(), dpi, d_.left);
  d_.top = pxToTwips(y(), dpi, d_.top);
  frmJItem_Unload(app_, d_, !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)));
  close();
}

void frmJItem::reject() { finish(false); }

void frmJItem::closeEvent(QCloseEvent* e) {
  // The close box cancels, as ｷｬﾝｾﾙ does.
  finish(false);
  e->accept();
}

}  // namespace tly::ui
