// The file menu's recently used files: one entry per remembered file between 印刷 and
// 終了, named "&1 NAME.DAT" with the full path as its tool tip, rebuilt whenever the menu
// opens. An entry opens its file as 開く would and is enabled exactly when 開く is.
#pragma once

#include <QObject>
#include <vector>

class QAction;

namespace tly::ui {

class frmMain;

class MainRecentFiles : public QObject {
  Q_OBJECT
 public:
  explicit MainRecentFiles(frmMain& w);
  // Rebuilds the entries from the settings store.
  void refresh();
  const std::vector<QAction*>& entries() const { return entries_; }

 private:
  frmMain& w_;
  QAction* separator_ = nullptr;
  std::vector<QAction*> entries_;
};

MainRecentFiles* mainRecentFiles(const frmMain& w);

}  // namespace tly::ui
