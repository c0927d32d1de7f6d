#include "common/ui/window_place.h"

#include <gtest/gtest.h>

#include <QTest>

#include "support/fake_platform.h"

namespace luch {
namespace {

// On a 1024×600 screen: a window as large as the screen is shrunk, one whose
// frame hangs below the screen comes up, and one that fits stays where it is.
TEST(ApplyPlace, AWindowsFrameEndsOnTheScreen) {
  testing::FakeScreen screen;
  screen.width = 1024;
  screen.height = 600;
  const QRect room(0, 0, 1024, 600);
  struct Case {
    WindowGeometry place;
    bool stays;
  };
  for (const Case c : {Case{{0, 0, 600, 1024}, false}, Case{{120, 72, 480, 873}, false},
                       Case{{40, 30, 300, 400}, true}}) {
    QWidget window;
    ApplyPlace(window, c.place, screen);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(window.frameGeometry().size(), window.size());  // the platform draws a frame
    EXPECT_TRUE(room.contains(window.frameGeometry())) << c.place.top << " " << c.place.height;
    if (c.stays) {
      EXPECT_EQ(window.pos(), QPoint(c.place.left, c.place.top));
    }
  }
}

}  // namespace
}  // namespace luch
