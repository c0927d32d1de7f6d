// The program entry: the command line, the data folder, the application
// title, the windows in their start-up order, the event loop. An error that
// escapes start-up ends the program after the standard error box.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/ui/program.h"
#include "common/file_io.h"
#include "common/program_arguments.h"
#include "common/ui/qt_setup.h"

#ifdef _WIN32
#include "common/windows_api.h"
#endif

namespace {

namespace fs = std::filesystem;

// A window program on Windows has no console of its own: --help and
// --version print into the console it was started from, when there is one.
void UseParentConsole() {
#ifdef _WIN32
  static bool attached = false;
  if (attached || !::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  attached = true;
  std::FILE* ignored = nullptr;
  ::freopen_s(&ignored, "CONOUT$", "w", stdout);
  ::freopen_s(&ignored, "CONOUT$", "w", stderr);
  ::SetConsoleOutputCP(CP_UTF8);  // the lines are UTF-8
#endif
}

void PrintLine(std::FILE* stream, const std::string& line) {
  UseParentConsole();
  std::fputs((line + "\n").c_str(), stream);
  std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  const fs::path executable = luch::ExecutablePath();
  const fs::path user_folder = luch::UserDataFolder();
  // Answered before Qt starts: --help, --version and a wrong call need no
  // display.
  const luch::CommandLine line = luch::ReadCommandLine([&] {
    std::vector<std::string> args = luch::ProgramArguments(argc, argv);
    if (!args.empty()) args.erase(args.begin());  // the program's name
    return args;
  }());
  switch (line.action) {
    case luch::CommandLineAction::kHelp:
      PrintLine(stdout, luch::HelpLine(luch::ChooseDataFolder(current, executable.parent_path(),
                                                              user_folder)));
      return 0;
    case luch::CommandLineAction::kVersion:
      PrintLine(stdout, luch::VersionLine());
      return 0;
    case luch::CommandLineAction::kError:
      PrintLine(stderr, line.error);
      return 2;
    case luch::CommandLineAction::kRun:
      break;
  }
  std::string project;
  if (!line.project.empty()) {
    // A name given in a terminal is relative to the folder it was typed in.
    project =
        luch::PathToUtf8(fs::absolute(luch::Utf8Path(line.project), error).lexically_normal());
  }
  fs::path data_folder = luch::OpenDataFolder(current, executable, user_folder);
  if (data_folder.empty()) {
    PrintLine(stderr, "luch: не удается создать папку данных / cannot create the data folder: " +
                          luch::PathToUtf8(user_folder));
    data_folder = current;
  }
  // The data files are found in the current folder, and the file dialogs
  // start there. A file written in place keeps its old content there until
  // the new one is on disk.
  fs::current_path(data_folder, error);
  luch::RealFileSystem().SetSafetyCopyFolder(data_folder);

  // The command line is the program's own: Qt takes its settings from its
  // environment variables only.
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  // The desktop entry's name: a Wayland desktop shows the program's icon and
  // name from it.
  QGuiApplication::setDesktopFileName(QStringLiteral("luch"));
  luch::SetUpApplication(app);
  return luch::RunGuarded([&app, &data_folder, &project] {
    luch::Program program(data_folder);
    program.state().SetNamedProject(project);
    program.main_window().show();
    return app.exec();
  });
}
