// The program as it starts: every window created in order, the tool windows
// hidden until their commands, and the block rename reaching the project.
#include "app/ui/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTest>
#include <cstdlib>

#include "library/ui/block_window_qt.h"
#include "library/ui/cables_window_qt.h"
#include "tools/ui/dom_len_window_qt.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
    "examples";

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
      std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    }
    program = std::make_unique<Program>(dir.path());
    program->main_window().show();
    QApplication::processEvents();
  }

  void Grab(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("LUCH_SCREENSHOTS")) {
      window.grab().save(QString::fromUtf8(folder) + "/" + name);
    }
  }

  TempDir dir;
  std::unique_ptr<Program> program;
};

TEST_F(ProgramTest, ToolWindowsStartHiddenAndOpenByTheirKeys) {
  EXPECT_FALSE(program->cables_window().isVisible());
  EXPECT_FALSE(program->blocks_window().isVisible());
  EXPECT_FALSE(program->house_window().isVisible());
  EXPECT_EQ(program->state().cables().CableCount(), 12);
  QTest::keyClick(&program->main_window(), Qt::Key_F4);
  EXPECT_TRUE(program->cables_window().isVisible());
  Grab(program->cables_window(), "cables.png");
  QTest::keyClick(&program->main_window(), Qt::Key_F5);
  EXPECT_TRUE(program->blocks_window().isVisible());
  Grab(program->blocks_window(), "blocks.png");
  program->main_window().action("mRast")->trigger();
  EXPECT_TRUE(program->house_window().isVisible());
  Grab(program->house_window(), "house.png");
  Grab(program->main_window(), "main.png");
}

TEST_F(ProgramTest, RenamingABlockTypeRenamesTheProjectRows) {
  const std::string old_name = program->state().table.BlockName(3);
  ASSERT_FALSE(old_name.empty());
  program->blocks_window().logic().SetSelected(6);  // the exit sign of row 3
  ASSERT_EQ(program->blocks_window().logic().names()[6], old_name);
  // The rename asks through the program's prompt; answer it from a timer.
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* field = dialog->findChild<QLineEdit*>("PromptField");
    ASSERT_NE(field, nullptr);
    field->setText(QString::fromUtf8("Табло «Выход»"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTimer::singleShot(50, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();  // the information box
  });
  program->blocks_window().logic().ListBox1DblClick();
  EXPECT_EQ(program->state().table.BlockName(3), "Табло «Выход»");
}

}  // namespace
}  // namespace luch
