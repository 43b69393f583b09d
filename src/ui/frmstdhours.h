// The window "標準時数との比較": every class timetable's hours per subject against the
// standard (or the school's targets), for one class or the whole school, held up to a
// chosen day. Shortfalls are red; the table goes to the clipboard as tab-separated text
// and the whole year to an Excel workbook. Opened from the Tools menu of the main window.
#pragma once

#include <QDialog>
#include <QObject>
#include <memory>
#include <vector>

#include "rules/hoursreport.h"
#include "session/state/app.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;

namespace tly::ui {

class frmMain;

class frmStdHours : public QDialog {
  Q_OBJECT
 public:
  explicit frmStdHours(App& app, QWidget* parent = nullptr);
  ~frmStdHours() override;

  QComboBox* cmbClass() const { return cmbClass_; }
  QComboBox* cmbGrade() const { return cmbGrade_; }
  QComboBox* cmbSchool() const { return cmbSchool_; }
  QDateEdit* dateTo() const { return dateTo_; }
  QTableWidget* table() const { return table_; }
  const std::vector<ClassReport>& report() const { return report_; }

  // Rebuilds the report from the year and the stored settings and shows it.
  void refresh();
  // The commands of the buttons.
  void copyToClipboard();
  void importTargets();
  void exportTargets();
  void resetTargets();
  void editShortNames();
  void exportWorkbook();
  // The report on paper (stdhoursprint.cpp): to the printer, a preview, a PDF file; and
  // the workbook's sheets as CSV files into a chosen folder.
  void printReport();
  QDialog* previewReport();
  void pdfReport();
  void exportCsv();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void fillClassList();
  void showReport();
  void classChosen();
  void gradeChosen(int index);
  void standardEdited(int row, int col);
  ReportOptions options();
  void runReportPrint(PrintDevice& dev);

  App& app_;
  QComboBox* cmbClass_;
  QComboBox* cmbGrade_;
  QComboBox* cmbSchool_;
  QDateEdit* dateTo_;
  QLabel* lblNote_;
  QTableWidget* table_;
  std::vector<ClassReport> report_;
  // Per table row: the class number and subject a 標準時数 edit applies to (0: not editable).
  struct RowRef {
    int grade = 0;
    std::string subject;
  };
  std::vector<RowRef> rowRefs_;
  bool filling_ = false;
  std::unique_ptr<QPrinter> previewPrinter_;
};

// Wires "標準時数との比較" of the main window's Tools menu; made once with the window.
class MainStandards : public QObject {
  Q_OBJECT
 public:
  explicit MainStandards(frmMain& w);
  frmStdHours* window() const;

 private:
  frmMain& w_;
};

}  // namespace tly::ui
