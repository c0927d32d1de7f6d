// Live recalculation in the main window's state: silent, and never changing
// what the user typed.
#include <gtest/gtest.h>

#include "app/main_state_fixture.h"

namespace luch {
namespace {

using LiveCalculation = MainStateTest;

TEST_F(LiveCalculation, IsSilentLeavesNoUndoStepAndNoChange) {
  state.mNewClick();  // one row without a block: F9 would warn about it
  ASSERT_TRUE(state.SaveProject(ProjectPath("Дом.луч")));
  state.LibraryChanged();
  EXPECT_EQ(state.results().kind, ResultState::Kind::kSucceeded);
  EXPECT_EQ(state.table().GetCell(1, kVoltageV), "27.95");
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_TRUE(fake.wait.events.empty());
  EXPECT_FALSE(state.CanUndo());
  EXPECT_FALSE(state.modified());
}

TEST_F(LiveCalculation, AValueACalculationWouldReplaceIsLeftToF9) {
  state.mNewClick();
  ASSERT_FALSE(state.results().stale);
  state.SetEditU("0,5");
  EXPECT_EQ(state.params().EditU, "0,5");
  EXPECT_TRUE(state.results().stale);
  EXPECT_EQ(state.status().bar1[4], "Данные изменены, нажмите F9");
  EXPECT_FALSE(state.report_enabled());
  state.BeginCommand();
  state.BitBtnStartClick();
  state.EndCommand();
  EXPECT_EQ(state.params().EditU, "28.0");
  EXPECT_FALSE(state.results().stale);
}

}  // namespace
}  // namespace luch
