// Printing, the grid font and the column widths in the main window: "印刷(&P)..." (and the
// toolbar's "Print") opens the print dialog, "フォント(&F)" (and "Font") the font dialog,
// "列幅変更(&W)" the column-width dialog; dragging a column border in the grid's header
// row sets that column's width as the dialog would.
#pragma once

#include <QObject>

namespace tly::ui {

class frmMain;
class frmPrint;
class frmColWidth;

class MainPrinting : public QObject {
  Q_OBJECT
 public:
  explicit MainPrinting(frmMain& w);
  frmPrint* printDialog() const;
  frmColWidth* colWidthDialog() const;
  frmPrint* openPrint();
  frmColWidth* openColWidth();

 private:
  frmMain& w_;
};

// The helper of a main window.
MainPrinting* mainPrinting(const frmMain& w);

}  // namespace tly::ui
