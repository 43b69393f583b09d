// Timetable mode in the main window: the command "学級・教師時間割設定" and its toolbar button
// "JW" enter and leave it through the core's mnuJikanwari_Click, and the timetable window
// frmJW is open exactly while the core says so (also when the tally command opened it).
#pragma once

#include <QObject>
#include <QPointer>

#include "ui/frmjw.h"

namespace tly::ui {

class frmMain;

class MainTimetable : public QObject {
  Q_OBJECT
 public:
  explicit MainTimetable(frmMain& w);
  frmJW* window() const { return jw_; }

 private:
  // Opens or closes frmJW to match the core's state.
  void follow();

  frmMain& w_;
  QPointer<frmJW> jw_;
};

// The timetable window of w while it is open, else nullptr.
frmJW* timetableWindow(const frmMain& w);

}  // namespace tly::ui
