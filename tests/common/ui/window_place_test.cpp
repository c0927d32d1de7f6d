#include "common/ui/window_place.h"

#include <gtest/gtest.h>

#include <QTest>

#include "support/fake_platform.h"

namespace luch {
namespace {

TEST(ApplyPlace, AWindowAsLargeAsTheScreenIsShrunkUntilItsFrameFits) {
  testing::FakeScreen screen;
  screen.width = 1024;
  screen.height = 600;
  QWidget window;
  ApplyPlace(window, {0, 0, 600, 1024}, screen);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_NE(window.frameGeometry().size(), window.size());  // the platform draws a frame
  EXPECT_EQ(window.frameGeometry().size().boundedTo(QSize(1024, 600)),
            window.frameGeometry().size());
}

}  // namespace
}  // namespace luch
