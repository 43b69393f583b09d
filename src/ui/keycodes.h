// Qt key events in the terms of the edit rules: the old key codes and Shift state bits
// (session/celledit.h). Shared by the grids of the main window and the timetable window.
#pragma once

#include <QKeyEvent>

#include "session/windows/celledit.h"

namespace tly::ui {

inline int shiftState(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= kShiftBit;
  if (m & Qt::ControlModifier) s |= kCtrlBit;
  if (m & Qt::AltModifier) s |= kAltBit;
  return s;
}

// The old key code of a Qt key as the edit rules know them; 0 for keys they do not use.
inline int keyCode(const QKeyEvent* k) {
  const int key = k->key();
  const bool pad = (k->modifiers() & Qt::KeypadModifier) != 0;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return (pad ? 96 : 48) + (key - Qt::Key_0);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 65 + (key - Qt::Key_A);
  switch (key) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Return: return kKeyEnter;
    case Qt::Key_Enter: return pad ? kKeyPadEnter : kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kKeyTab;
    case Qt::Key_F2: return kKeyF2;
    case Qt::Key_Asterisk: return pad ? 106 : 0;
    case Qt::Key_Plus: return pad ? 107 : 0;
    case Qt::Key_Minus: return pad ? 109 : 0;
    case Qt::Key_Period: return pad ? 110 : 0;
    case Qt::Key_Slash: return pad ? 111 : 0;
    default: return 0;
  }
}

}  // namespace tly::ui
