// TMess, the wait window "Ждите..." shown while a calculation holds the
// thread, and the WaitWindow that the calculation drives.
#pragma once

#include <QPointer>
#include <QWidget>

#include "common/platform.h"

class QLabel;

namespace luch {

namespace wait_texts {
inline constexpr const char* kCaption = "Ждите...";
inline constexpr const char* kMessage = "Выполняется расчет...";
}  // namespace wait_texts

// A tool window without title-bar buttons, always on top of its owner,
// client area 431 x 163, filled by Label1 ("Выполняется расчет..." centred,
// bold Arial of 27 pixels on the tooltip background). Takes no input.
class TMess : public QWidget {
  Q_OBJECT
 public:
  explicit TMess(QWidget* owner);
  // Places the window over the centre of its owner (of the screen without one).
  void CentreOnOwner();

  QLabel* Label1;
};

// One TMess per calculation, owned by the main window.
class QtWaitWindow : public WaitWindow {
 public:
  explicit QtWaitWindow(QWidget* owner) : owner_(owner) {}
  ~QtWaitWindow() override;
  QtWaitWindow(const QtWaitWindow&) = delete;
  QtWaitWindow& operator=(const QtWaitWindow&) = delete;

  // Creates and shows a new TMess, then lets pending events through once so
  // that it is painted. User input (clicks, keys) is held back until the
  // event loop runs again, so that no command starts inside the calculation.
  void Show() override;
  // Lets pending events through once more (input still held back).
  void Repaint() override;
  // Destroys the window; does nothing when none is shown.
  void Close() override;

  // The window while shown, else null.
  TMess* window() const { return window_; }

 private:
  QPointer<QWidget> owner_;
  QPointer<TMess> window_;
};

}  // namespace luch
