// The Qt side of the platform: the real file dialogs with the program's
// filters, and the built-in viewer where the desktop has no program.
#include "common/ui/qt_platform.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcessEnvironment>
#include <QTest>
#include <QToolTip>
#include <cmath>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/ui/qt_setup.h"
#include "common/ui/qt_text.h"
#include "common/ui/text_viewer.h"
#include "support/temp_dir.h"
#include "support/ui/answer_dialog.h"

namespace luch {
namespace {

using testing::AnswerWhenShown;
using testing::TempDir;

// The names that the dialog's own view lists in its folder, once loaded.
QStringList Listed(QFileDialog* dialog) {
  auto* view = dialog->findChild<QListView*>("listView");
  if (!view) return {};
  QAbstractItemModel* model = view->model();
  for (int k = 0; k < 300 && model->rowCount(view->rootIndex()) == 0; ++k) QTest::qWait(10);
  QStringList names;
  for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
    names << model->index(row, 0, view->rootIndex()).data().toString();
  }
  return names;
}

TEST(QtDialogs, ListExactlyTheFilesOfTheirPatternAndPickThem) {
  TempDir dir;
  for (const char* name : {"Дом 5.луч", "заметки.txt", "таблица.csv"}) dir.Write(name, "");
  struct Case {
    const char* filter;
    const char* extension;
    const char* listed;
  };
  for (const Case& c : {Case{"Проект луча (*.луч)|*.луч", "луч", "Дом 5.луч"},
                        Case{"Текстовый файл (*.txt)|*.txt", "txt", "заметки.txt"},
                        Case{"Файл экспорта (*.csv)|*.csv", "csv", "таблица.csv"}}) {
    const std::string proposed = std::string("Школа 3.") + c.extension;
    const FileDialogRequest request{"Выбор", c.filter, c.extension, PathToUtf8(dir.path()),
                                    proposed};
    for (const bool open : {true, false}) {
      QStringList names;
      QString shown_filter, shown_name;
      AnswerWhenShown<QFileDialog>([&](QFileDialog* dialog) {
        names = Listed(dialog);
        shown_filter = dialog->selectedNameFilter();
        // The user types the name of the listed file and presses Enter.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        shown_name = name->text();
        name->setText(QString::fromUtf8(c.listed));
        QTest::keyClick(name, Qt::Key_Return);
      });
      QtDialogs dialogs;
      const std::optional<std::string> chosen =
          open ? dialogs.OpenFile(request) : dialogs.SaveFile(request);
      EXPECT_EQ(names, QStringList{QString::fromUtf8(c.listed)}) << c.filter << " open=" << open;
      EXPECT_EQ(shown_filter.toStdString(),
                std::string(c.filter).substr(0, std::string(c.filter).find('|')));
      EXPECT_EQ(chosen, PathToUtf8(dir / c.listed)) << c.filter;
      if (!open) {
        EXPECT_EQ(shown_name.toStdString(), proposed);  // the save dialog proposes it
      }
    }
  }
}

TEST(QtSetUp, TooltipsAreReadable) {
  const QPalette tips = QToolTip::palette();
  EXPECT_GE(std::fabs(tips.color(QPalette::ToolTipBase).lightnessF() -
                      tips.color(QPalette::ToolTipText).lightnessF()),
            kMinToolTipContrast);
}

class NoDesktopProgram : public QtLauncher {
 public:
  std::optional<std::string> DesktopProgram(const std::filesystem::path&) override {
    return std::nullopt;
  }
};

TEST(QtLauncher, WithoutADesktopProgramTheViewerShowsTheFile) {
  TempDir dir;
  dir.Write("Отчет.txt", Utf8ToCp1251("Расчет луча\r\nБлоков: 5\r\n"));
  NoDesktopProgram launcher;
  EXPECT_EQ(launcher.AssociatedProgram(dir / "Отчет.txt"), "Отчет");
  launcher.OpenWithAssociated(dir / "Отчет.txt");
  TextViewer* viewer = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<TextViewer*>(widget); found && found->isVisible())
      viewer = found;
  }
  ASSERT_NE(viewer, nullptr);
  // The whole path: the data folder is not where the user looks.
  EXPECT_EQ(viewer->windowTitle(),
            Q(PathToUtf8(dir / "Отчет.txt")) + QString::fromUtf8(" - Отчет"));
  EXPECT_EQ(viewer->text()->toPlainText(), QString::fromUtf8("Расчет луча\nБлоков: 5\n"));
  EXPECT_TRUE(viewer->text()->isReadOnly());
  EXPECT_TRUE(QFontInfo(viewer->text()->font()).fixedPitch());  // the report's columns line up
  // "Сохранить как..." copies the file's own bytes.
  ASSERT_TRUE(viewer->SaveCopy(dir / "копия.txt"));
  EXPECT_EQ(dir.Read("копия.txt"), dir.Read("Отчет.txt"));
  const QPointer<TextViewer> shown = viewer;
  ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
  QTest::keyClick(viewer->text(), Qt::Key_Escape);  // Esc closes it
  EXPECT_TRUE(shown.isNull() || !shown->isVisible());
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
// The desktop names its program for a file type by a desktop entry; the
// question before opening an export names the path of the entry's program.
TEST(QtLauncher, NamesTheDesktopProgramByThePathOfItsEntrysProgram) {
  TempDir dir;
  std::filesystem::create_directories(dir / "bin");
  std::filesystem::create_directories(dir / "share" / "applications");
  for (const char* name : {"xdg-mime", "texteditor"}) {
    dir.Write(std::string("bin/") + name, "#!/bin/sh\necho texteditor.desktop\n");
    std::filesystem::permissions(dir / "bin" / name, std::filesystem::perms::owner_all);
  }
  dir.Write("share/applications/texteditor.desktop", "[Desktop Entry]\nExec=texteditor %F\n");
  // PATH and the desktop's folders lead into `dir` for this test only.
  const QProcessEnvironment before = QProcessEnvironment::systemEnvironment();
  const std::pair<const char*, std::string> into_dir[] = {
      {"PATH", PathToUtf8(dir / "bin")},
      {"XDG_DATA_HOME", PathToUtf8(dir / "share")},
      {"XDG_DATA_DIRS", PathToUtf8(dir / "share")}};
  for (const auto& [name, value] : into_dir) qputenv(name, QByteArray::fromStdString(value));
  EXPECT_EQ(QtLauncher().AssociatedProgram(dir / "Экспорт.csv"),
            PathToUtf8(dir / "bin" / "texteditor"));
  for (const auto& [name, value] : into_dir) {
    if (!before.contains(name)) qunsetenv(name);
    if (before.contains(name)) qputenv(name, before.value(name).toLocal8Bit());
  }
}
#endif

TEST(QtLauncher, WithoutADesktopProgramAPdfHasNoneAndNoViewer) {
  TempDir dir;
  dir.Write("Отчет.pdf", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
  NoDesktopProgram launcher;
  EXPECT_EQ(launcher.AssociatedProgram(dir / "Отчет.pdf"), std::nullopt);
  launcher.OpenWithAssociated(dir / "Отчет.pdf");
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(qobject_cast<TextViewer*>(widget) && widget->isVisible());
  }
}

}  // namespace
}  // namespace luch
