#include "ui/frmMain_tally.h"

#include <QAction>

#include "session/tallyview.h"
#include "ui/frmJisuu.h"
#include "ui/frmmain.h"

namespace tly::ui {

namespace {

void openTallyDialog(frmMain& w) {
  if (frmJisuu* open = tallyDialog(w)) {
    open->raise();
    open->activateWindow();
    return;
  }
  auto* dlg = new frmJisuu(w.app(), &w);
  w.trackWindow(dlg);
  QObject::connect(dlg, &frmJisuu::tallied, &w, [&w] { w.syncFromModel(); });
  dlg->show();
  dlg->raise();
  dlg->activateWindow();
}

}  // namespace

frmJisuu* tallyDialog(const frmMain& w) {
  for (frmJisuu* d : w.findChildren<frmJisuu*>(QString(), Qt::FindDirectChildrenOnly))
    if (!d->closed()) return d;
  return nullptr;
}

void installTallyView(frmMain& w) {
  w.built_["mnuKei"] = true;
  QAction* a = w.menuAction("mnuKei");
  QObject::connect(a, &QAction::triggered, &w, [&w] {
    w.command(mnuKei_Click);
    if (tallyViewOn(w.app())) openTallyDialog(w);
  });
  // The check mark follows the model after every command; when it goes off the tally
  // view has been left and the dialog has nothing left to tally into.
  QObject::connect(a, &QAction::toggled, &w, [&w](bool on) {
    if (on) return;
    if (frmJisuu* d = tallyDialog(w)) d->close();
  });
}

}  // namespace tly::ui
