// luch-icon: the program's picture, drawn by its own code, as the files that
// the installers need. Runs on the offscreen platform: no display needed.
//   luch-icon FILE.ico    the icon file that the Windows build puts into luch.exe
//   luch-icon --theme DIR the PNG files of a desktop icon theme: DIR/NxN/apps/luch.png
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

#include "tools/ui/icon_file.h"
#include "tools/ui/program_icon.h"

namespace {

int WriteIconFile(const QString& path) {
  const QByteArray icon = luch::ProgramIconFile({16, 24, 32, 48, 64, 256});
  QFile file(path);
  if (icon.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(icon) != icon.size()) {
    std::fprintf(stderr, "luch-icon: cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}

int WriteIconTheme(const QString& dir) {
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/%2x%2/apps").arg(dir).arg(size);
    if (!QDir().mkpath(folder) || !luch::ProgramIconPixmap(size).save(folder + "/luch.png")) {
      std::fprintf(stderr, "luch-icon: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool theme = argc == 3 && std::strcmp(argv[1], "--theme") == 0;
  if (argc != 2 && !theme) {
    std::fputs("usage: luch-icon FILE.ico | luch-icon --theme DIR\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return theme ? WriteIconTheme(QString::fromLocal8Bit(argv[2]))
               : WriteIconFile(QString::fromLocal8Bit(argv[1]));
}
