#include "ui/frmmain_edit.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <exception>
#include <optional>

#include "session/windows/celledit.h"
#include "session/windows/frmmain/clipboard.h"
#include "session/windows/history.h"
#include "session/windows/frmmain/controls.h"
#include "ui/frmjitem.h"
#include "ui/frmmain.h"
#include "ui/gridview.h"
#include "ui/keycodes.h"
#include "ui/qtplatform.h"

namespace tly::ui {

namespace {

// Focus that comes back because another window (a message box, a menu) went away is no
// focus change of the window's own; the handlers act only on the others.
bool ownFocusChange(QEvent* e) {
  auto r = static_cast<QFocusEvent*>(e)->reason();
  return r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason;
}

// The pop-up entries above the tally items, each running its menu twin.
struct PopupEntry {
  Command entry, twin;
};
const std::optional<PopupEntry> kPopupEntries[] = {
    PopupEntry{Command::PopupUndo, Command::Undo},
    std::nullopt,
    PopupEntry{Command::PopupCut, Command::Cut},
    PopupEntry{Command::PopupCopy, Command::Copy},
    PopupEntry{Command::PopupPaste, Command::Paste},
    PopupEntry{Command::PopupDel, Command::Del},
    std::nullopt,
    PopupEntry{Command::PopupEditAll, Command::EditAll},
    PopupEntry{Command::PopupCopyMode, Command::CopyMode},
};

}  // namespace

MainEditing::MainEditing(frmMain& w) : QObject(&w), w_(w) {
  setObjectName("MainEditing");
  GridView* grid = w_.grid();
  gtext1_ = new QLineEdit(grid->viewport());
  gtext1_->setObjectName("GText1");
  gtext1_->setFrame(false);
  gtext1_->setVisible(false);
  gtext1_->installEventFilter(this);
  grid->installEventFilter(this);
  w_.txtInput()->installEventFilter(this);
  // The mirror repeats the entry box while it is typed (input-method text included).
  connect(w_.txtInput(), &QLineEdit::textChanged, gtext1_, &QLineEdit::setText);
  connect(grid, &GridView::cellDoubleClicked, this, [this](int, int) {
    if (Grid1_DblClick(w_.app())) startEdit();
  });
  connect(grid, &GridView::contextMenuAt, this, [this](const QPoint& pos) {
    if (preparePopup()) pmnu1_->exec(pos);
  });
  buildPopup();
  wireMenus();
}

void MainEditing::startEdit() { w_.txtInput()->setFocus(Qt::OtherFocusReason); }

void MainEditing::afterCommand(bool focusGrid) {
  w_.syncFromModel();
  GridView* grid = w_.grid();
  grid->showCurrent();
  if (focusGrid && grid->isVisible()) grid->setFocus(Qt::OtherFocusReason);
}

void MainEditing::run(const std::function<bool()>& f) {
  bool focusGrid = false;
  try {
    focusGrid = f();
  } catch (const std::exception& e) {
    w_.app().msg(e.what(), MsgButtons::OK, MsgIcon::Exclamation, "TLY");
  }
  afterCommand(focusGrid);
}

void MainEditing::wireMenus() {
  App& app = w_.app();
  auto on = [this](Command c, std::function<bool()> f) {
    QAction* a = w_.menuAction(c);
    if (!a) return;
    w_.markBuilt(c);
    connect(a, &QAction::triggered, this, [this, f] { run(f); });
  };
  on(Command::Undo, [&app] { return mnuUndo_Click(app); });
  on(Command::Redo, [&app] { return mnuRedo_Click(app); });
  on(Command::Cut, [&app] { return mnuCut_Click(app); });
  on(Command::Copy, [&app] { return mnuCopy_Click(app); });
  on(Command::Paste, [&app] { return mnuPaste_Click(app); });
  on(Command::Del, [&app] { return mnuDel_Click(app); });
  on(Command::CopyAll, [&app] { return mnuCopyAll_Click(app); });
  on(Command::CopyMode, [&app] {
    mnuCopyMode_Click(app);
    return false;
  });
  on(Command::EditAll, [&app] {
    mnuEditAll_Click(app);
    return false;
  });
  if (QAction* del = w_.menuAction(Command::Del)) {
    // The menu shows the key; the key itself reaches the grid's own key handler, which
    // runs the command in the month view and does nothing in the tally view.
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    del->setShortcutContext(Qt::WidgetShortcut);
  }
  if (QAction* a = w_.menuAction(Command::JItem)) {
    w_.markBuilt(Command::JItem);
    connect(a, &QAction::triggered, this, [this] { showItemWindow(); });
  }
  showEditAllState(app);
  w_.syncFromModel();
}

void MainEditing::buildPopup() {
  pmnu1_ = new QMenu(w_.grid());
  pmnu1_->setObjectName("pmnu1");
  for (const std::optional<PopupEntry>& e : kPopupEntries) {
    if (!e) {
      pmnu1_->addSeparator();
      continue;
    }
    const CommandInfo& info = commandInfo(e->entry);
    QAction* a = pmnu1_->addAction(QString::fromUtf8(info.caption));
    a->setObjectName(info.name);
    a->setCheckable(info.checkable);
    const Command twin = e->twin;
    connect(a, &QAction::triggered, this, [this, twin] {
      if (QAction* m = w_.menuAction(twin); m && m->isEnabled()) m->trigger();
    });
    popup_[commandIndex(e->entry)] = a;
  }
  QAction* sep = pmnu1_->addSeparator();
  sep->setObjectName(controlName(Command::PopupSp7));
  popup_[commandIndex(Command::PopupSp7)] = sep;
  for (int n = 1; n <= kPopupItems; ++n) {
    QAction* a = pmnu1_->addAction(QString());
    a->setObjectName(controlName(popupItem(n)));
    connect(a, &QAction::triggered, this, [this, n] {
      run([this, n] {
        pmnuJItem_Click(w_.app(), n);
        return true;
      });
    });
    popup_[commandIndex(popupItem(n))] = a;
  }
}

bool MainEditing::preparePopup() {
  App& app = w_.app();
  if (!Grid1_RightMouseDown(app)) return false;
  const ControlStates c = mainControls(app);
  for (std::size_t i = 0; i < kCommandCount; ++i)
    if (QAction* a = popup_[i]) a->setVisible(c.menu[i].visible);
  for (int n = 1; n <= kPopupItems; ++n) popupAction(popupItem(n))->setText(qs(popupItemCaption(app, n)));
  // The other entries follow their menu twins (enabled, checked).
  for (const std::optional<PopupEntry>& e : kPopupEntries) {
    if (!e) continue;
    QAction* a = popupAction(e->entry);
    if (QAction* m = w_.menuAction(e->twin)) {
      a->setEnabled(m->isEnabled() && c.enabled(e->entry));
      if (a->isCheckable()) a->setChecked(m->isChecked());
    }
  }
  return true;
}

void MainEditing::placeMirror() {
  GridView* grid = w_.grid();
  const Grid& g = w_.app().Grid1;
  QRect r = grid->cellRect(g.Row, g.Col);
  gtext1_->setFont(toQFont(g.Font));
  gtext1_->setGeometry(r);
  gtext1_->setText(w_.txtInput()->text());
  gtext1_->setVisible(!r.isEmpty());
  gtext1_->raise();
}

void MainEditing::showItemWindow() {
  if (jitem_) {
    jitem_->raise();
    jitem_->activateWindow();
    return;
  }
  jitem_ = new frmJItem(w_.app(), [this] { afterCommand(false); }, &w_);
  jitem_->setWindowFlag(Qt::Window);
  w_.trackWindow(jitem_);
  jitem_->show();
}

bool MainEditing::gridKeyPress(QKeyEvent* k) {
  App& app = w_.app();
  int code = keyCode(k);
  int shift = shiftState(k->modifiers());
  if (code == kKeyF2 || code == kKeyTab || code == kKeyEnter || code == kKeyPadEnter || code == kKeyDelete) {
    if (code == kKeyPadEnter) code = kKeyEnter;
    if (k->key() == Qt::Key_Backtab) shift |= kShiftBit;
    GridKeyAction act = Grid1_KeyDown(app, code, shift);
    if (act == GridKeyAction::None) return false;
    afterCommand(false);
    if (act == GridKeyAction::StartEdit) startEdit();
    return true;
  }
  // A typed character: kept for the edit that the key's release (or, for characters
  // outside the single-byte range, the character itself) starts.
  if ((shift & (kCtrlBit | kAltBit)) == 0 && !k->text().isEmpty() && k->text().at(0).isPrint()) {
    for (const QChar& ch : k->text()) {
      Grid1_KeyPressText(app, us(QString(ch)));
    }
    if (app.E.InputMode == EditStart::Typed) {
      startEdit();
      return true;
    }
  }
  return false;
}

bool MainEditing::eventFilter(QObject* o, QEvent* e) {
  App& app = w_.app();
  GridView* grid = w_.grid();
  QLineEdit* txt = w_.txtInput();
  if (o == grid) {
    const bool chordRelease = chords_.filter(e);
    switch (e->type()) {
      case QEvent::FocusIn:
        if (ownFocusChange(e)) {
          gtext1_->setVisible(false);
          bool stored = Grid1_GotFocus(app);
          (void)stored;
          afterCommand(false);
        }
        break;
      case QEvent::KeyPress:
        if (gridKeyPress(static_cast<QKeyEvent*>(e))) return true;
        break;
      case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        // The release of a Ctrl or Alt chord's key (Ctrl+C, Ctrl+V ...) starts no edit,
        // whichever of the two keys went up first.
        if (chordRelease) break;
        if (!k->isAutoRepeat() && Grid1_KeyUp(app, keyCode(k), shiftState(k->modifiers()))) {
          startEdit();
          return true;
        }
        break;
      }
      default:
        break;
    }
  } else if (o == txt) {
    if (e->type() == QEvent::FocusIn && ownFocusChange(e)) {
      if (!txtInput_GotFocus(app)) {
        grid->setFocus(Qt::OtherFocusReason);
        return false;
      }
      w_.syncFromModel();
      txt->setText(qs(app.W.txtInput));
      txt->setCursorPosition(static_cast<int>(txt->text().size()));
      txt->deselect();
      placeMirror();
    } else if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      app.W.txtInput = us(txt->text());
      if (txtInput_KeyDown(app, keyCode(k), shiftState(k->modifiers()))) {
        txt->setCursorPosition(static_cast<int>(txt->text().size()));
        grid->setFocus(Qt::OtherFocusReason);
        return true;
      }
    }
  } else if (o == gtext1_ && e->type() == QEvent::FocusIn && ownFocusChange(e)) {
    GText1_GotFocus(app);
    startEdit();
  }
  return QObject::eventFilter(o, e);
}

}  // namespace tly::ui
