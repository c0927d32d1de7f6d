// main() of the window tests: a QApplication on the offscreen platform (unless
// another is asked for), Russian Qt texts, then every GoogleTest case.
#include <gtest/gtest.h>

#include <QApplication>

#include "common/ui/qt_setup.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  luch::SetUpApplication(app);
  return RUN_ALL_TESTS();
}
