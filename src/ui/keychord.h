// Keys pressed together with Ctrl or Alt. The key of such a chord is often released after
// the modifier, and its release then carries no modifier at all: without this record it
// would look like a plain key going up and start an edit. Windows that start an edit on a
// key's release ask here first.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <vector>

namespace tly::ui {

class ChordKeys {
 public:
  // Every key press (and shortcut override, which a shortcut's press may be all the
  // widget sees) of the widget.
  void pressed(const QKeyEvent* k) {
    if (isModifierKey(k->key())) return;
    auto it = std::find(keys_.begin(), keys_.end(), k->key());
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
      if (it == keys_.end()) keys_.push_back(k->key());
    } else if (it != keys_.end() && !k->isAutoRepeat()) {
      keys_.erase(it);  // pressed again on its own: its next release is a plain one
    }
  }
  // A key release: true when the key was pressed with Ctrl or Alt (the release is then
  // no key of its own). Forgets the key.
  bool releasedFromChord(const QKeyEvent* k) {
    if (k->isAutoRepeat()) return std::find(keys_.begin(), keys_.end(), k->key()) != keys_.end();
    auto it = std::find(keys_.begin(), keys_.end(), k->key());
    if (it == keys_.end()) return false;
    keys_.erase(it);
    return true;
  }
  // Feeds a widget's event: true when it is a release to ignore.
  bool filter(const QEvent* e) {
    switch (e->type()) {
      case QEvent::KeyPress:
      case QEvent::ShortcutOverride:
        pressed(static_cast<const QKeyEvent*>(e));
        return false;
      case QEvent::KeyRelease:
        return releasedFromChord(static_cast<const QKeyEvent*>(e));
      default:
        return false;
    }
  }

 private:
  static bool isModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Shift || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
  }
  std::vector<int> keys_;
};

}  // namespace tly::ui
