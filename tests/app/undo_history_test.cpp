#include "app/undo_history.h"

#include <gtest/gtest.h>

#include <random>

#include "app/main_state.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

ProjectSnapshot Project(const char* address) {
  ProjectSnapshot snapshot;
  snapshot.table.SetAddress(1, address);
  return snapshot;
}

TEST(UndoHistory, OnlyAChangeMakesAStep) {
  UndoHistory history;
  history.Begin(Project("a"));
  history.End(Project("a"));
  EXPECT_FALSE(history.CanUndo());
  history.Begin(Project("a"));
  history.End(Project("b"));
  ASSERT_TRUE(history.CanUndo());
  ProjectSnapshot current = Project("b");
  ASSERT_TRUE(history.Undo(current));
  EXPECT_EQ(current, Project("a"));
  ASSERT_TRUE(history.Redo(current));
  EXPECT_EQ(current, Project("b"));
  EXPECT_FALSE(history.Redo(current));
}

TEST(UndoHistory, ANewChangeDropsTheRedoSteps) {
  UndoHistory history;
  history.Begin(Project("a"));
  history.End(Project("b"));
  ProjectSnapshot current = Project("b");
  history.Undo(current);
  history.Begin(current);
  history.End(Project("c"));
  EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, KeepsALimitedNumberOfSteps) {
  UndoHistory history;
  for (size_t k = 0; k <= UndoHistory::kMaxSteps + 5; ++k) {
    history.Begin(Project(std::to_string(k).c_str()));
    history.End(Project(std::to_string(k + 1).c_str()));
  }
  ProjectSnapshot current;
  size_t undone = 0;
  while (history.Undo(current)) ++undone;
  EXPECT_EQ(undone, UndoHistory::kMaxSteps);
}

// Random commands of the main window, each between BeginCommand and
// EndCommand as the window runs them; undoing all of them gives back the
// start exactly, redoing all of them the end.
class UndoProperty : public ::testing::Test {
 protected:
  void SetUp() override {
    cables.Add({"", "КСПВ 2х0,5", "92", "60", "120", ""});
    cables.Add({"", "ТРП 1х2х0,4", "148", "50", "130", ""});
    ProfileFile file(dir / "Блок.ini");
    file.WriteString("Блок0", "Название", "БРА");
    file.WriteString("Блок0", "Режим1", "Нормальный");
    file.WriteInteger("Блок0", "P1", 60);
    file.WriteString("Блок0", "Режим2", "Тревога");
    file.WriteInteger("Блок0", "P2", 0);
    file.WriteString("Блок0", "I2", "12");
    file.WriteString("Блок0", "Umin", "9");
    ASSERT_TRUE(file.Save());
  }

  void RandomCommand(MainState& state, std::mt19937& random) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const int rows = state.table().BlockCount();
    const int row = 1 + pick(rows);
    state.SetCursor(row, row, std::min(rows, row + pick(3)));
    const int clicked_row = 1 + pick(rows);
    state.SetClickedCell(ClickedCell{pick(11), clicked_row});
    switch (pick(12)) {
      case 0:
        fake.prompter.Answer("Адрес " + std::to_string(pick(100)));
        state.SetClickedCell(ClickedCell{kAddress, clicked_row});
        state.StringGrid1DblClick();
        break;
      case 1:
        fake.prompter.Answer(std::to_string(pick(500)));
        state.SetClickedCell(ClickedCell{kLengthM, clicked_row});
        state.StringGrid1DblClick();
        break;
      case 2:
        state.SetClickedCell(ClickedCell{kHasZB, clicked_row});
        state.StringGrid1DblClick();
        break;
      case 3:
        state.ChoiceMenuClick(ChoiceMenuKind::kCable, {"", 1 + pick(2)});
        break;
      case 4:
        state.ChoiceMenuClick(ChoiceMenuKind::kBlock, {"БРА", 0});
        break;
      case 5:
        state.mCopyClick();
        state.mPasteClick();
        break;
      case 6:
        state.mDeleteClick();
        break;
      case 7:
        state.pmDownClick();
        break;
      case 8:
        state.mReverseClick();
        break;
      case 9:
        state.SetBlockCount(1 + pick(12));
        break;
      case 10:
        state.BitBtnStartClick();
        break;
      case 11:
        state.Button24Click();
        break;
    }
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
};

TEST_F(UndoProperty, UndoAllGivesTheStartAndRedoAllTheEnd) {
  std::mt19937 random(12345);
  for (int round = 0; round < 20; ++round) {
    MainState state(dir.path(), fake.platform(), cables, blocks);
    state.SetLiveCalc(false);  // the texts alone, no results computed in between
    state.mNewClick();
    state.SetBlockCount(6);
    const ProjectTable start_table = state.table();
    const ProjectParameters start_params = state.params();
    const int commands = 5 + static_cast<int>(random() % 20);
    for (int k = 0; k < commands; ++k) {
      state.BeginCommand();
      RandomCommand(state, random);
      state.EndCommand();
    }
    const ProjectTable end_table = state.table();
    const ProjectParameters end_params = state.params();
    while (state.CanUndo()) state.Undo();
    EXPECT_EQ(state.table(), start_table) << "round " << round;
    EXPECT_EQ(state.params(), start_params);
    EXPECT_EQ(state.status().bar1[1], "Блоков: 6");
    while (state.CanRedo()) state.Redo();
    EXPECT_EQ(state.table(), end_table) << "round " << round;
    EXPECT_EQ(state.params(), end_params);
  }
}

TEST_F(UndoProperty, NewAndOpenStartAFreshHistory) {
  MainState state(dir.path(), fake.platform(), cables, blocks);
  state.BeginCommand();
  state.mutable_table().SetAddress(1, "x");
  state.EndCommand();
  ASSERT_TRUE(state.CanUndo());
  fake.messages.choices = {Answer::kNo};  // the edit is dropped
  state.BeginCommand();
  state.mNewClick();
  state.EndCommand();
  EXPECT_FALSE(state.CanUndo());
}

}  // namespace
}  // namespace luch
