// The launcher as Windows answers it. Text files have a program on every
// Windows desktop (Notepad; scripts/windows-test gives wine's prefix the same
// association), which the export's question names; a type that no program
// registered has none, and the built-in viewer stands in.
#include <gtest/gtest.h>

#include <QString>

#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "common/ui/text_viewer.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

TEST(QtLauncherWindows, NamesTheProgramOfTextFilesAndTheViewerForUnknownTypes) {
  testing::TempDir dir;
  dir.Write("Отчет.txt", "1\r\n");
  dir.Write("Таблица.нетпрограммы", "1\r\n");
  QtLauncher launcher;
  const std::optional<std::string> program = launcher.AssociatedProgram(dir / "Отчет.txt");
  ASSERT_TRUE(program);
  EXPECT_TRUE(FileExists(Utf8Path(*program))) << *program;
  EXPECT_TRUE(QString::fromStdString(*program).endsWith(".exe", Qt::CaseInsensitive)) << *program;
  EXPECT_FALSE(launcher.DesktopProgram(dir / "Таблица.нетпрограммы"));
  EXPECT_EQ(launcher.AssociatedProgram(dir / "Таблица.нетпрограммы"), kTextViewerName);
}

}  // namespace
}  // namespace luch
