// A window's place as Tarvel.ini keeps it (Left and Top of the frame, Width and
// Height of the window), applied and read back the same way by every window;
// and the centring of a dialog over its owner.
#pragma once

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <utility>

#include "common/platform.h"
#include "common/settings_file.h"

namespace luch {

namespace detail {

// Called with the size a window is about to be shrunk to by the fitting.
using FitNotice = std::function<void(const QSize&)>;

// Shrinks `window` so that it and its `frame` fit `screen`, telling `notice`
// first when its size changes; then moves a frame whose far edge is off the
// screen back as far as it must (the place was fitted without the frame).
inline void FitFrame(QWidget& window, const QSize& frame, const Screen& screen,
                     const FitNotice& notice) {
  const QSize room(screen.Width(), screen.Height());
  const QSize fitted = window.size().boundedTo(room - frame);
  if (fitted != window.size()) {
    if (notice) notice(fitted);
    window.resize(fitted);
  }
  const QSize whole = fitted + frame;
  const QPoint at = window.pos();  // the frame's corner
  const QPoint back(
      at.x() + whole.width() > room.width() ? std::max(0, room.width() - whole.width()) : at.x(),
      at.y() + whole.height() > room.height() ? std::max(0, room.height() - whole.height())
                                              : at.y());
  if (back != at) window.move(back);
}

// The saved size is the window's own: the title bar and borders that the
// window manager puts around it come on top. Once they are known (when the
// window is shown, or moved into its frame), the window is shrunk so that its
// frame fits the screen too; then the filter removes itself.
class FrameFitter : public QObject {
 public:
  FrameFitter(QWidget& window, const Screen& screen, FitNotice notice)
      : QObject(&window), window_(window), screen_(screen), notice_(std::move(notice)) {
    window.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type type = event->type();
    const QSize frame = window_.frameGeometry().size() - window_.size();
    if ((type == QEvent::Show || type == QEvent::Move) && !frame.isNull()) Fit(frame);
    return false;
  }
  // The window's frame is known: fitted, the filter goes.
  void Fit(const QSize& frame) {
    window_.removeEventFilter(this);
    FitFrame(window_, frame, screen_, notice_);
    deleteLater();
  }

 private:
  QWidget& window_;
  const Screen& screen_;
  FitNotice notice_;
};

}  // namespace detail

// Gives `window` its place (already fitted to `screen` by ReadWindowGeometry)
// and shrinks it once its frame is known, should the frame not fit `screen`
// (`notice` hears of that shrinking before it is done).
inline void ApplyPlace(QWidget& window, const WindowGeometry& place, const Screen& screen,
                       detail::FitNotice notice = {}) {
  window.resize(place.width, place.height);
  window.move(place.left, place.top);
  new detail::FrameFitter(window, screen, std::move(notice));
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
