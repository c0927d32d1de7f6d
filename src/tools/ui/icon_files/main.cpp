// luch-icons DIR: writes the program icon, drawn by ProgramIconPixmap, as the
// PNG files of a desktop icon theme: DIR/NxN/apps/luch.png. Run at build time
// on Qt's offscreen platform.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "tools/ui/program_icon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // pixmaps need one
  if (argc != 2) {
    std::fputs("usage: luch-icons DIR\n", stderr);
    return 2;
  }
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (!QDir().mkpath(folder) || !luch::ProgramIconPixmap(size).save(folder + "/luch.png")) {
      std::fprintf(stderr, "luch-icons: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
