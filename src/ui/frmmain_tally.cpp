#include "ui/frmmain_tally.h"

#include <QAction>

#include "session/windows/frmmain/tallyview.h"
#include "ui/frmjisuu.h"
#include "ui/frmmain.h"

namespace tly::ui {

MainTally::MainTally(frmMain& w) : QObject(&w), w_(w) {
  setObjectName("MainTally");
  w.markBuilt(Command::Kei);
  QAction* a = w.menuAction(Command::Kei);
  connect(a, &QAction::triggered, this, [this] {
    w_.command(mnuKei_Click);
    if (tallyViewOn(w_.app())) openDialog();
  });
  // The check mark follows the model after every command; when it goes off the tally
  // view has been left and the dialog has nothing left to tally into.
  connect(a, &QAction::toggled, this, [this](bool on) {
    if (on) return;
    if (frmJisuu* d = dialog()) d->close();
  });
}

frmJisuu* MainTally::dialog() const {
  for (frmJisuu* d : w_.findChildren<frmJisuu*>(QString(), Qt::FindDirectChildrenOnly))
    if (!d->closed()) return d;
  return nullptr;
}

void MainTally::openDialog() {
  if (frmJisuu* open = dialog()) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* dlg = new frmJisuu(w_.app(), &w_);
  w_.trackWindow(dlg);
  connect(dlg, &frmJisuu::tallied, &w_, [this] { w_.syncFromModel(); });
  dlg->show();
  dlg->raise();
  dlg->activateWindow();
}

frmJisuu* tallyDialog(const frmMain& w) {
  const auto* t = w.findChild<MainTally*>("MainTally");
  return t ? t->dialog() : nullptr;
}

void openTallyDialog(frmMain& w) {
  if (auto* t = w.findChild<MainTally*>("MainTally")) t->openDialog();
}

}  // namespace tly::ui
