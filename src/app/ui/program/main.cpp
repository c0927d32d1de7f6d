#include <QApplication>

#include "common/ui/qt_setup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  luch::SetUpApplication(app);
  return 0;
}
