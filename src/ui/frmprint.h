// The print dialog "TLY - 印刷": grades, months, copies, margins and the title font, the
// printer set-up, and the run to the printer, to a print preview or to a PDF file. The
// rules are the core's (session/printdialog.h, session/printrun.h); this window shows
// their state and forwards its events. Modeless.
#pragma once

#include <QDialog>
#include <memory>

#include "session/output/printrun.h"
#include "session/windows/frmprint/printdialog.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace tly::ui {

class RangeSpin;

class frmPrint : public QDialog {
  Q_OBJECT
 public:
  frmPrint(App& app, QWidget* parent);
  ~frmPrint() override;

  enum class Target { Printer, Pdf };
  // Runs the job to the printer or to a PDF file; the dialog closes when it ends.
  void runJob(Target t);
  // Opens the print preview on the same run (returns the preview window, shown).
  QDialog* openPreview();
  // The weekly plan pages (週案) of the chosen weeks in a print preview.
  QDialog* openWeekPreview();

  const PrintDialog& state() const { return d_; }
  QLineEdit* box(PrintBox b) const { return txt_[static_cast<int>(b)]; }
  RangeSpin* spin(PrintBox b) const { return spn_[static_cast<int>(b)]; }
  QLineEdit* txtTitle() const { return txtTitle_; }
  QLineEdit* txtPrintSelStart() const { return txtSel_[0]; }
  QLineEdit* txtPrintSelEnd() const { return txtSel_[1]; }
  RangeSpin* spbPrintSelStart() const { return spbSel_[0]; }
  RangeSpin* spbPrintSelEnd() const { return spbSel_[1]; }
  QRadioButton* optPrintAll() const { return optAll_; }
  QRadioButton* optPrintSel() const { return optSel_; }
  QComboBox* cmbGra() const { return cmbGra_; }
  QCheckBox* chkFit() const { return chkFit_; }
  QDateEdit* dtpWeek() const { return dtpWeek_; }
  QSpinBox* spnWeeks() const { return spnWeeks_; }
  QPushButton* cmdCancel() const { return cmdCancel_; }
  QStatusBar* statusBar() const { return status_; }
  bool closed() const { return unloaded_; }

 signals:
  // The run changed what the main window shows (it borrows the grid), or gave it back.
  void mainChanged();

 protected:
  void closeEvent(QCloseEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void syncFromModel();
  void takeTexts();
  void leaveBox(QObject* o);
  PrintOutcome run(PrintDevice& dev, bool withHooks);

  App& app_;
  PrintDialog d_;
  QLineEdit* txtTitle_;
  QComboBox* cmbGra_;
  QGroupBox *frameRange_, *frameCopies_, *frameMargins_;
  QRadioButton *optAll_, *optSel_;
  QCheckBox* chkFit_;
  QGroupBox* frameWeek_;
  QDateEdit* dtpWeek_;
  QSpinBox* spnWeeks_;
  QPushButton* cmdWeek_;
  QLineEdit* txtSel_[2];
  RangeSpin* spbSel_[2];
  QLabel* lblSel_[2];
  QLineEdit* txt_[kPrintBoxes];
  RangeSpin* spn_[kPrintBoxes];
  QPushButton *cmdTitleFont_, *cmdPrinterSet_, *cmdPrint_, *cmdPreview_, *cmdPdf_, *cmdCancel_;
  QStatusBar* status_;
  std::unique_ptr<QPrinter> previewPrinter_;
  bool unloaded_ = false;
};

}  // namespace tly::ui
