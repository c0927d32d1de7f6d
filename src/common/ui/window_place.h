// A window's place as Tarvel.ini keeps it (Left and Top of the frame, Width and
// Height of the window), applied and read back the same way by every window;
// and the centring of a dialog over its owner.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include "common/settings_file.h"

namespace luch {

inline void ApplyPlace(QWidget& window, const WindowGeometry& place) {
  window.resize(place.width, place.height);
  window.move(place.left, place.top);
}

inline WindowGeometry PlaceOf(const QWidget& window) {
  return WindowGeometry{window.y(), window.x(), window.height(), window.width()};
}

// Moves `window` so that its frame is centred over the rectangle `over`.
inline void CentreOver(QWidget& window, const QRect& over) {
  const QRect frame = window.frameGeometry();
  window.move(over.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

}  // namespace luch
