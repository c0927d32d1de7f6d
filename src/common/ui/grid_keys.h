// The keys with which a grid is used without the mouse.
#pragma once

#include <QKeyEvent>

namespace luch {

// Enter (either key) or Space without modifiers: does in a grid what a
// double-click on the current cell does.
inline bool IsEditKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return mods == Qt::NoModifier &&
         (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

}  // namespace luch
