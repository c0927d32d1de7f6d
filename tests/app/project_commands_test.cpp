// The commands that change the project: the count, the cursor, the
// replacements' dialogs and undo through a renamed block type.
#include "app/project_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class ProjectCommandsTest : public ::testing::Test, ProjectDocument::Observer {
 protected:
  ProjectCommandsTest()
      : blocks(dir.path()),
        document(dir.path(), fake.platform(), cables, blocks, status, *this),
        commands(document, status, dir.path(), fake.platform(), cables, blocks) {}

  // A command as the window runs it.
  void Command(const std::function<void()>& command) {
    commands.Begin();
    command();
    commands.End();
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks;
  StatusBars status;
  ProjectDocument document;
  ProjectCommands commands;

 private:
  void ProjectReplaced() override { commands.ForgetHistory(); }
  void ProjectShown() override {}
};

TEST_F(ProjectCommandsTest, CountControlAcceptsOnlyWholeNumbersInRange) {
  commands.EditVsegoChange("12");
  EXPECT_EQ(document.table().BlockCount(), 12);
  EXPECT_EQ(status.bar1[1], "Блоков: 12");
  for (const char* bad : {"0", "4097", "abc", "", "7x", "-3"}) commands.EditVsegoChange(bad);
  EXPECT_EQ(document.table().BlockCount(), 12);
  commands.SetCursor(12, 12, 12);
  commands.SetBlockCount(3);
  EXPECT_EQ(commands.current_row(), 3);
}

TEST_F(ProjectCommandsTest, AMoveThatCannotHappenKeepsTheSelection) {
  using Cursor = std::array<int, 3>;  // current row, selection top and bottom
  const auto cursor = [this] {
    return Cursor{commands.current_row(), commands.selection_top(), commands.selection_bottom()};
  };
  commands.SetBlockCount(5);
  commands.SetCursor(1, 1, 3);
  commands.pmUpClick();
  EXPECT_EQ(cursor(), (Cursor{1, 1, 3}));
  commands.SetCursor(5, 4, 5);
  commands.pmDownClick();
  EXPECT_EQ(cursor(), (Cursor{5, 4, 5}));
  commands.pmUpClick();  // a real move: the cursor goes with the row
  EXPECT_EQ(cursor(), (Cursor{4, 4, 4}));
}

TEST_F(ProjectCommandsTest, ReplacementAndParameterCommandsRunTheirDialogs) {
  struct Dialogs : CommandDialogs {
    ReplacementChoice ChooseCableReplacement(const CableLibrary&) override {
      return {true, "КСПВ", "КПСВВ"};
    }
    ReplacementChoice ChooseBlockReplacement(const BlockLibrary&) override {
      return {false, "ДИП", "ДИП-34"};  // closed without "Выполнить замену"
    }
    void EditProjectParameters(ProjectParameters& params) override { params.MaxCurrent = 250.0f; }
  } dialogs;
  commands.mChangeCblClick();  // no dialogs yet: nothing happens
  commands.SetCommandDialogs(&dialogs);
  commands.SetBlockCount(2);
  for (int r = 1; r <= 2; ++r) {
    document.mutable_table().SetCableName(r, "КСПВ");
    document.mutable_table().SetBlockName(r, "ДИП");
  }
  commands.mChangeCblClick();
  commands.mBlkChngClick();
  commands.mProjectClick();
  EXPECT_EQ(document.table().CableName(2), "КПСВВ");
  EXPECT_EQ(document.table().BlockName(2), "ДИП");
  EXPECT_EQ(document.params().MaxCurrent, 250.0f);
}

TEST_F(ProjectCommandsTest, ARenamedBlockTypeHoldsInTheWholeHistory) {
  document.New();
  Command([&] {
    commands.SetBlockCount(3);
    for (int r = 1; r <= 3; ++r) document.mutable_table().SetBlockName(r, "ИП 212");
  });
  Command([&] { commands.SetBlockCount(2); });  // row 3 hidden, kept
  Command([&] { document.mutable_table().SetAddress(1, "a"); });
  Command([&] { document.mutable_table().SetAddress(1, "b"); });
  commands.Undo();  // "b" waits for redo

  commands.RenameBlockType("ИП 212", "ИП 212-3");
  EXPECT_TRUE(document.modified());
  for (int k = 0; k < 3; ++k) {
    commands.Undo();
    EXPECT_NE(document.table().BlockName(1), "ИП 212") << "undo " << k;
  }
  while (commands.CanRedo()) {
    commands.Redo();
    EXPECT_NE(document.table().BlockName(1), "ИП 212");
  }
  commands.SetBlockCount(3);
  EXPECT_EQ(document.table().BlockName(3), "ИП 212-3");
}

}  // namespace
}  // namespace luch
