// The editing side of the main window: the entry box txtInput and its mirror box GText1
// over the current cell, the three ways to start an edit and the keys that end it, the
// commit when the grid gets focus, Tab/Enter/F2/Delete in the grid, the pop-up menu pmnu1,
// the Edit menu, edit-all, copy mode and the item dialog. The rules are in src/edit; this
// object turns the window's events into calls of them.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

#include "session/state/commands.h"
#include "ui/frmjitem.h"
#include "ui/keychord.h"

class QAction;
class QLineEdit;
class QMenu;
class QKeyEvent;

namespace tly::ui {

class frmMain;

class MainEditing : public QObject {
  Q_OBJECT
 public:
  explicit MainEditing(frmMain& w);

  QLineEdit* mirror() const { return gtext1_; }           // GText1
  QMenu* popup() const { return pmnu1_; }                  // pmnu1
  QAction* popupAction(Command c) const { return popup_[commandIndex(c)]; }  // nullptr: not in pmnu1
  frmJItem* itemWindow() const { return jitem_; }
  // Prepares pmnu1 for the current selection (item entries shown or hidden) without
  // showing it; false in the tally view.
  bool preparePopup();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void buildPopup();
  void wireMenus();
  // Runs an edit command, shows the result, and gives the grid focus when it asks for it.
  void run(const std::function<bool()>& f);
  void startEdit();
  void placeMirror();
  void afterCommand(bool focusGrid);
  bool gridKeyPress(QKeyEvent* k);
  void showItemWindow();

  frmMain& w_;
  QLineEdit* gtext1_ = nullptr;
  QMenu* pmnu1_ = nullptr;
  std::array<QAction*, kCommandCount> popup_{};
  QPointer<frmJItem> jitem_;
  ChordKeys chords_;  // keys of the grid pressed with Ctrl or Alt
};

}  // namespace tly::ui
