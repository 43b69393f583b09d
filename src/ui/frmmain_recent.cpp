#include "ui/frmmain_recent.h"

#include <QAction>
#include <QMenu>

#include "session/windows/frmmain/recentfiles.h"
#include "ui/frmmain.h"
#include "ui/qtplatform.h"

namespace tly::ui {

MainRecentFiles::MainRecentFiles(frmMain& w) : QObject(&w), w_(w) {
  setObjectName(QStringLiteral("MainRecentFiles"));
  QMenu* file = w.topMenu(Command::FileMenu);
  file->setToolTipsVisible(true);
  separator_ = file->insertSeparator(w.menuAction(Command::End));
  connect(file, &QMenu::aboutToShow, this, [this] { refresh(); });
  refresh();
}

void MainRecentFiles::refresh() {
  QMenu* file = w_.topMenu(Command::FileMenu);
  for (QAction* a : entries_) {
    file->removeAction(a);
    a->deleteLater();
  }
  entries_.clear();
  const std::vector<std::string> list = recentFiles(w_.app());
  const bool enabled = w_.menuAction(Command::Open)->isEnabled();
  for (int i = 0; i < static_cast<int>(list.size()); ++i) {
    const std::string& path = list[static_cast<size_t>(i)];
    auto* a = new QAction(qs(recentFileCaption(i, path)), file);
    a->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
    a->setToolTip(qs(path));
    a->setStatusTip(qs(path));
    a->setEnabled(enabled);
    file->insertAction(separator_, a);
    connect(a, &QAction::triggered, this, [this, i] {
      w_.command([i](App& app) { openRecentFile(app, i); });
      refresh();
    });
    entries_.push_back(a);
  }
  separator_->setVisible(!list.empty());
}

MainRecentFiles* mainRecentFiles(const frmMain& w) {
  return w.findChild<MainRecentFiles*>(QString(), Qt::FindDirectChildrenOnly);
}

}  // namespace tly::ui
