// The keys with which a grid is used without the mouse: Enter (either key) or
// Space without modifiers does what a double-click on the current cell does.
#pragma once

#include <QAbstractItemView>
#include <QKeyEvent>
#include <optional>

namespace luch {

inline bool IsEditKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  return mods == Qt::NoModifier &&
         (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Space);
}

// The text a key types into a cell, as a spreadsheet takes it: printable, with
// neither Ctrl, Alt nor Meta held; empty for any other key (Space included,
// an edit key).
inline QString TypedText(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  const QString text = key.text();
  if (text.isEmpty() || text.front().isSpace() || !text.front().isPrint()) return {};
  return text;
}

// For an event filter over `grid`: nothing when `event` is not an edit key
// pressed on it; else the current cell to double-click (invalid: none), and
// the filter takes the key.
inline std::optional<QModelIndex> EditKeyCell(const QObject* watched, QEvent* event,
                                              const QAbstractItemView& grid) {
  if (watched != &grid || event->type() != QEvent::KeyPress ||
      !IsEditKey(*static_cast<const QKeyEvent*>(event))) {
    return std::nullopt;
  }
  return grid.currentIndex();
}

}  // namespace luch
