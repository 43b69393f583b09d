// The tally view in the main window: the command "授業時数集計(&C)" and its toolbar button
// "Kei" switch the view through the core's mnuKei_Click; switching it on opens the tally
// dialog, and leaving the view by any path (the command, a month change, Undo) closes it.
#pragma once

#include <QObject>

namespace tly::ui {

class frmMain;
class frmJisuu;

class MainTally : public QObject {
  Q_OBJECT
 public:
  // Wires the tally command of w; made once while the window is built.
  explicit MainTally(frmMain& w);
  // The tally dialog while it is open, else nullptr.
  frmJisuu* dialog() const;
  void openDialog();

 private:

  frmMain& w_;
};

// The tally dialog of w while it is open, else nullptr.
frmJisuu* tallyDialog(const frmMain& w);
// Opens the tally dialog of w (or raises it), as switching the tally view on does.
void openTallyDialog(frmMain& w);

}  // namespace tly::ui
