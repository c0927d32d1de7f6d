// The launcher as Windows answers it. Text files have a program on every
// Windows desktop (Notepad; scripts/windows-test gives wine's prefix the same
// association); a type that no program registered has none, so the export's
// question is not asked.
#include <gtest/gtest.h>

#include <QString>

#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

TEST(QtLauncherWindows, NamesTheProgramOfTextFilesAndNoneForUnknownTypes) {
  testing::TempDir dir;
  dir.Write("Отчет.txt", "1\r\n");
  dir.Write("Таблица.нетпрограммы", "1\r\n");
  QtLauncher launcher;
  const std::optional<std::string> program = launcher.AssociatedProgram(dir / "Отчет.txt");
  ASSERT_TRUE(program);
  EXPECT_TRUE(FileExists(Utf8Path(*program))) << *program;
  EXPECT_TRUE(QString::fromStdString(*program).endsWith(".exe", Qt::CaseInsensitive)) << *program;
  EXPECT_FALSE(launcher.AssociatedProgram(dir / "Таблица.нетпрограммы"));
}

}  // namespace
}  // namespace luch
