// The new-year dialog: year, grade count, period count, closed Saturdays, the holiday
// list; 実行 builds the year through the core, 中止 ends the program. Opened for the next
// year (次年度を作成) it proposes the year after the open one, adds the group "引き継ぐ内容"
// and carries the chosen contents over; 中止 then only closes it.
#pragma once

#include <QWidget>

#include "session/state/app.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tly::ui {

// The spin button beside the year box: two arrows over a value with a range.
class SpinButton : public QWidget {
  Q_OBJECT
 public:
  SpinButton(int min, int max, QWidget* parent);
  int value() const { return value_; }
  void setValue(int v);  // clamped into the range; emits valueChanged when it changes
  void stepBy(int n);
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }
 signals:
  void valueChanged(int v);

 private:
  int min_, max_, value_;
  QToolButton *up_, *down_;
};

class frmNew : public QWidget {
  Q_OBJECT
 public:
  enum class Mode { New, NextYear };
  frmNew(App& app, QWidget* parent, Mode mode = Mode::New);
  Mode mode() const { return mode_; }

  QLineEdit* txtNendo() const { return txtNendo_; }
  SpinButton* spnNendo() const { return spnNendo_; }
  QComboBox* cmbGgn() const { return cmbGgn_; }
  QComboBox* cmbJigen() const { return cmbJigen_; }
  QCheckBox* chkSat(int i) const { return chkSat_[i]; }  // 0..4 = 第１..第５
  QListWidget* lstYasumi() const { return lstYasumi_; }
  QCheckBox* chkLaw() const { return chkLaw_; }  // 祝日を現行の祝日法で設定
  // The group "引き継ぐ内容" (next-year mode only, else null) and its boxes.
  QGroupBox* grpCarry() const { return grpCarry_; }
  QCheckBox* chkCarryClass() const { return chkCarry_[0]; }      // 学級時間割
  QCheckBox* chkAdvance() const { return chkCarry_[1]; }         // 学年を一つ進める
  QCheckBox* chkCarryTeacher() const { return chkCarry_[2]; }    // 教師時間割
  QCheckBox* chkCarryItems() const { return chkCarry_[3]; }      // 集計項目
  QCheckBox* chkCarrySettings() const { return chkCarry_[4]; }   // 表示・印刷の設定
  QCheckBox* chkCarryStandards() const { return chkCarry_[5]; }  // 標準時数の設定
  QPushButton* cmdOK() const { return cmdOK_; }
  QPushButton* cmdCan() const { return cmdCan_; }

  // The year box's rule on Enter or leaving it: a year in 1900..2900 moves the spin button.
  void txtNendoCommit();
  void cmdOK_Click();
  void cmdCan_Click();

 signals:
  void built();                   // the year was built and April is shown
  void closedWith(bool cancelled);  // the dialog closed (cancelled: by 中止)

 protected:
  void closeEvent(QCloseEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  int comboPosition(const QComboBox* box) const;
  // The holiday list and the law box's enabled state for the year now in the year box.
  void refreshHolidays();
  QGroupBox* buildCarryGroup();

  App& app_;
  Mode mode_;
  QLineEdit* txtNendo_;
  SpinButton* spnNendo_;
  QComboBox *cmbGgn_, *cmbJigen_;
  QCheckBox* chkSat_[5];
  QListWidget* lstYasumi_;
  QCheckBox* chkLaw_;
  QGroupBox* grpCarry_ = nullptr;
  QCheckBox* chkCarry_[6] = {};
  QPushButton *cmdOK_, *cmdCan_;
  bool cancelled_ = false;
  bool closing_ = false;
};

}  // namespace tly::ui
