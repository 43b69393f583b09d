// The tally-item dialog: a list of item names, a name box and the buttons 追加, 削除,
// 規定値, OK and ｷｬﾝｾﾙ. Shown without blocking the main window. The rules live in
// edit/jitem.h; this window forwards its events and shows the dialog state.
#pragma once

#include <QDialog>
#include <functional>

#include "session/state/app.h"
#include "session/windows/frmjitem/jitem.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tly::ui {

class frmJItem : public QDialog {
  Q_OBJECT
 public:
  // accepted runs after OK has written the names (the main window shows them).
  frmJItem(App& app, std::function<void()> accepted, QWidget* parent = nullptr);

  QListWidget* lstJItem() const { return lst_; }
  QLineEdit* txtJItem() const { return txt_; }
  QLabel* lblJItem() const { return lbl_; }
  QPushButton* cmdAdd() const { return add_; }
  QPushButton* cmdDel() const { return del_; }
  QPushButton* cmdDefJItem() const { return def_; }
  QPushButton* cmdOK() const { return ok_; }
  QPushButton* cmdCancel() const { return cancel_; }
  const JItemDialog& state() const { return d_; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;  // Escape acts as ｷｬﾝｾﾙ

 private:
  void show_();
  void focusTo(JItemFocus f);
  void finish(bool ok);

  App& app_;
  std::function<void()> accepted_;
  JItemDialog d_;
  QListWidget* lst_;
  QLineEdit* txt_;
  QLabel* lbl_;
  QPushButton *add_, *del_, *def_, *ok_, *cancel_;
  bool finished_ = false;
};

}  // namespace tly::ui
