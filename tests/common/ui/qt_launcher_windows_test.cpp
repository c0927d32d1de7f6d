// The launcher as Windows answers it. Text files have a program on every
// Windows desktop (Notepad; scripts/windows-test gives wine's prefix the same
// association), which the export's question names; a text type that no
// program registered is shown by the built-in viewer, any other type has none.
#include <gtest/gtest.h>

#include <QString>

#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "common/ui/text_viewer.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

TEST(QtLauncherWindows, NamesTheProgramOfTextFilesAndTheViewerForOtherTextTypes) {
  testing::TempDir dir;
  dir.Write("Отчет.txt", "1\r\n");
  dir.Write("Таблица.нетпрограммы", "1\r\n");
  dir.Write("Журнал.log", "1\r\n");
  QtLauncher launcher;
  const std::optional<std::string> program = launcher.AssociatedProgram(dir / "Отчет.txt");
  ASSERT_TRUE(program);
  EXPECT_TRUE(FileExists(Utf8Path(*program))) << *program;
  EXPECT_TRUE(QString::fromStdString(*program).endsWith(".exe", Qt::CaseInsensitive)) << *program;
  EXPECT_FALSE(launcher.DesktopProgram(dir / "Таблица.нетпрограммы"));
  EXPECT_EQ(launcher.AssociatedProgram(dir / "Таблица.нетпрограммы"), std::nullopt);
  EXPECT_FALSE(launcher.DesktopProgram(dir / "Журнал.log"));
  EXPECT_EQ(launcher.AssociatedProgram(dir / "Журнал.log"), kTextViewerName);
}

}  // namespace
}  // namespace luch
