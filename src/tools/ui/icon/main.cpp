// luch-icon FILE: writes the program's icon file, which the Windows build
// puts into luch.exe. Runs on the offscreen platform: no display needed.
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "tools/ui/icon_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: luch-icon FILE.ico\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QByteArray icon = luch::ProgramIconFile({16, 24, 32, 48, 64, 256});
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (icon.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(icon) != icon.size()) {
    std::fprintf(stderr, "luch-icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
