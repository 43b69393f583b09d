#include "ui/frmmain_jw.h"

#include <QAction>

#include "session/windows/frmmain/timetablemode.h"
#include "ui/frmjisuu.h"
#include "ui/frmjw.h"
#include "ui/frmmain.h"
#include "ui/frmmain_tally.h"

namespace tly::ui {

MainTimetable::MainTimetable(frmMain& w) : QObject(&w), w_(w) {
  setObjectName("MainTimetable");
  w.markBuilt(Command::Jikanwari);
  QAction* a = w.menuAction(Command::Jikanwari);
  connect(a, &QAction::triggered, this, [this] {
    w_.command(mnuJikanwari_Click);
    follow();
  });
  // The check mark follows the core after every command: timetable mode began or ended,
  // by this command or by the tally command.
  connect(a, &QAction::toggled, this, [this](bool) { follow(); });
  w.syncFromModel();
}

void MainTimetable::follow() {
  App& app = w_.app();
  if (app.JWF.open && !jw_) {
    jw_ = new frmJW(
        app, [this] { w_.syncFromModel(); }, [this] { openTallyDialog(w_); }, &w_);
    w_.trackWindow(jw_);
    connect(jw_, &QObject::destroyed, this, [this] {
      // Every close of the window: the tally dialog goes with it.
      if (frmJisuu* d = tallyDialog(w_)) d->close();
      w_.syncFromModel();
    });
    jw_->show();
    jw_->raise();
    jw_->activateWindow();
  } else if (!app.JWF.open && jw_) {
    jw_->close();
  }
}

frmJW* timetableWindow(const frmMain& w) {
  const auto* t = w.findChild<MainTimetable*>("MainTimetable");
  return t ? t->window() : nullptr;
}

}  // namespace tly::ui
