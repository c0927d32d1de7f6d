// The program entry: the application title, the windows in their start-up
// order, the event loop. An error that escapes start-up ends the program after
// the standard error box.
#include <QApplication>

#include "app/ui/program.h"
#include "common/ui/qt_setup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  luch::SetUpApplication(app);
  return luch::RunGuarded([&app] {
    luch::Program program(std::filesystem::current_path());
    program.main_window().show();
    return app.exec();
  });
}
