// The tally dialog "TLY - 集計": whole year or a range of days, then 集計 tallies into the
// main grid. Modeless; the rules are the core's (tally/jisuudialog.h), this window shows
// their state and forwards its events.
#pragma once

#include <QDialog>

#include "session/state/app.h"
#include "session/windows/frmjisuu/jisuudialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tly::ui {

// An up/down control beside a text box: a value within a range, changed by its arrows
// (the upper arrow increases it). Only the arrows emit valueChanged.
class RangeSpin : public QWidget {
  Q_OBJECT
 public:
  explicit RangeSpin(QWidget* parent);
  void setState(const SpinState& s) { state_ = s; }
  const SpinState& state() const { return state_; }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }
 signals:
  void valueChanged(int v);

 private:
  void step(int n);
  SpinState state_;
  QToolButton *up_, *down_;
};

class frmJisuu : public QDialog {
  Q_OBJECT
 public:
  frmJisuu(App& app, QWidget* parent);

  QRadioButton* optSyukei(int i) const { return optSyukei_[i]; }
  QLineEdit* txtStartMonth() const { return txt_[0]; }
  QLineEdit* txtStartDay() const { return txt_[1]; }
  QLineEdit* txtEndMonth() const { return txt_[2]; }
  QLineEdit* txtEndDay() const { return txt_[3]; }
  RangeSpin* spnStartMonth() const { return spn_[0]; }
  RangeSpin* spnStartDay() const { return spn_[1]; }
  RangeSpin* spnEndMonth() const { return spn_[2]; }
  RangeSpin* spnEndDay() const { return spn_[3]; }
  QPushButton* cmdJisuuOk() const { return cmdJisuuOk_; }
  const JisuuDialog& state() const { return d_; }
  // True once the dialog has closed (it is deleted soon after).
  bool closed() const { return unloaded_; }

  void cmdJisuuOk_Click();

 signals:
  // The tally has been laid into the main grid.
  void tallied();

 protected:
  void closeEvent(QCloseEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void syncFromModel();
  void leaveBox(int i);
  QWidget* fieldWidget(JisuuField f) const;
  int boxIndex(QObject* o) const;

  App& app_;
  JisuuDialog d_;
  QGroupBox* Frame1_;
  QRadioButton* optSyukei_[2];
  QLineEdit* txt_[4];
  QLabel* lbl_[4];
  RangeSpin* spn_[4];
  QPushButton* cmdJisuuOk_;
  bool unloaded_ = false;
};

}  // namespace tly::ui
