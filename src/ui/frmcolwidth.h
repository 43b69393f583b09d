// The column-width dialog "TLY - 列幅変更": the width of the selected columns in
// millimetres, ｷｬﾝｾﾙ puts back the widths it found, 規定値 measures one character of the
// grid font on the printer. Modeless; the rules are the core's (session/colwidth.h).
#pragma once

#include <QDialog>

#include "session/windows/frmcolwidth/colwidth.h"

class QLineEdit;
class QPushButton;

namespace tly::ui {

class frmColWidth : public QDialog {
  Q_OBJECT
 public:
  frmColWidth(App& app, QWidget* parent);
  QLineEdit* txtColWidth() const { return txt_; }
  QPushButton* cmdOK() const { return ok_; }
  QPushButton* cmdCancel() const { return cancel_; }
  QPushButton* cmdDefColWidth() const { return def_; }
  bool closed() const { return unloaded_; }
  // Shows the current column's width again (what activating the dialog does).
  void activated();

 signals:
  // The grid's widths or row heights changed: the main window repaints.
  void gridChanged();

 protected:
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  App& app_;
  ColWidthDialog d_;
  QLineEdit* txt_;
  QPushButton *ok_, *cancel_, *def_;
  bool unloaded_ = false;
};

}  // namespace tly::ui
