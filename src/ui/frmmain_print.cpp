#include "ui/frmmain_print.h"

#include <QAction>

#include "session/windows/frmcolwidth/colwidth.h"
#include "ui/frmcolwidth.h"
#include "ui/frmmain.h"
#include "ui/frmprint.h"
#include "ui/gridview.h"

namespace tly::ui {

namespace {

template <class T>
T* openChild(const frmMain& w) {
  for (T* d : w.findChildren<T*>(QString(), Qt::FindDirectChildrenOnly))
    if (!d->closed()) return d;
  return nullptr;
}

void bringUp(QWidget* d) {
  d->show();
  d->raise();
  d->activateWindow();
}

}  // namespace

MainPrinting::MainPrinting(frmMain& w) : QObject(&w), w_(w) {
  setObjectName(QStringLiteral("MainPrinting"));
  for (Command n : {Command::Print, Command::Font, Command::ColWidth}) w.markBuilt(n);
  connect(w.menuAction(Command::Print), &QAction::triggered, this, [this] { openPrint(); });
  connect(w.menuAction(Command::ColWidth), &QAction::triggered, this, [this] { openColWidth(); });
  connect(w.menuAction(Command::Font), &QAction::triggered, this, [this] { w_.command(mnuFont_Click); });
  connect(w.grid(), &GridView::columnWidthDragged, this, [this](int col, int twips) {
    w_.command([col, twips](App& a) { dragColumnWidth(a, col, twips); });
  });
  w.syncFromModel();
}

frmPrint* MainPrinting::printDialog() const { return openChild<frmPrint>(w_); }
frmColWidth* MainPrinting::colWidthDialog() const { return openChild<frmColWidth>(w_); }

frmPrint* MainPrinting::openPrint() {
  if (frmPrint* d = printDialog()) {
    bringUp(d);
    return d;
  }
  auto* d = new frmPrint(w_.app(), &w_);
  w_.trackWindow(d);
  connect(d, &frmPrint::mainChanged, &w_, [this] { w_.syncFromModel(); });
  bringUp(d);
  return d;
}

frmColWidth* MainPrinting::openColWidth() {
  if (frmColWidth* d = colWidthDialog()) {
    bringUp(d);
    return d;
  }
  auto* d = new frmColWidth(w_.app(), &w_);
  w_.trackWindow(d);
  connect(d, &frmColWidth::gridChanged, &w_, [this] { w_.syncFromModel(); });
  bringUp(d);
  return d;
}

MainPrinting* mainPrinting(const frmMain& w) { return w.findChild<MainPrinting*>(QStringLiteral("MainPrinting")); }

}  // namespace tly::ui
