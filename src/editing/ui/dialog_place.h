// A dialog's place as Tarvel.ini keeps it: Left and Top of the frame, Width and
// Height of the window, applied and read back the same way.
#pragma once

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

}  // namespace luch
