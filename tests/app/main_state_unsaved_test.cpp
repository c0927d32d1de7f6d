// Unsaved changes in the window's state: the modified state through undo,
// save and calculation, the question before the project is dropped, and the
// recovery file's line in Problems.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/main_state_fixture.h"
#include "app/recovery_file.h"
#include "common/cp1251.h"
#include "common/savable_text.h"
#include "support/fake_files.h"

namespace luch {
namespace {

class UnsavedChanges : public MainStateTest {
 protected:
  // A command as the window runs it.
  static void Command(MainState& copy, const std::function<void()>& command) {
    copy.BeginCommand();
    command();
    copy.EndCommand();
  }
  void Command(const std::function<void()>& command) { Command(state, command); }
  void EditAddress(int row, const char* text) {
    Command([&] { state.mutable_table().SetAddress(row, text); });
  }
  std::string Caption(const std::string& tail) { return std::string(kMainCaption) + tail; }
};

TEST_F(UnsavedChanges, ModifiedFollowsTheSavedContentThroughUndoSaveAndCalculation) {
  state.SetLiveCalc(false);  // F9 alone writes the results, as an undo step of its own
  state.mNewClick();
  EXPECT_FALSE(state.modified());
  EXPECT_EQ(state.WindowCaption(), kMainCaption);
  EditAddress(1, "Щитовая");
  EXPECT_TRUE(state.modified());
  EXPECT_EQ(state.WindowCaption(), Caption(" — Новый проект*"));
  state.Undo();
  EXPECT_FALSE(state.modified());  // back at the state New left
  state.Redo();
  EXPECT_TRUE(state.modified());

  fake.dialogs.answers.push_back(ProjectPath("Дом 5.луч"));
  state.mSaveClick();
  EXPECT_FALSE(state.modified());
  EXPECT_EQ(state.WindowCaption(), Caption(" — Дом 5.луч"));
  // What a calculation writes by itself (I, U, P of current blocks) is no change.
  Command([&] { ASSERT_TRUE(state.BitBtnStartClick()); });
  EXPECT_FALSE(state.modified());
  EditAddress(1, "Подвал");
  for (const char* step : {"the edit", "the calculation"}) {
    state.Undo();
    EXPECT_FALSE(state.modified()) << step;
  }
  state.Undo();  // the edit before the save
  EXPECT_TRUE(state.modified());
  state.Redo();
  EXPECT_FALSE(state.modified());

  state.SetEditU("24,5");  // typed into EditU
  EXPECT_TRUE(state.modified());
  EXPECT_EQ(state.WindowCaption(), Caption(" — Дом 5.луч*"));
}

TEST_F(UnsavedChanges, ParametersReplacedByACalculationAreAChange) {
  state.mNewClick();
  state.mutable_params().AccuracyStep = 0.9f;  // as a colleague's file may hold
  Command([&] { state.BitBtnStartClick(); });
  EXPECT_EQ(state.params().AccuracyStep, 0.05f);
  EXPECT_TRUE(state.modified());
}

TEST_F(UnsavedChanges, DroppingAModifiedProjectAsksFirst) {
  struct Case {
    const char* name;
    std::vector<Answer> answers;
    std::optional<std::string> save_as;  // the Save As dialog's answer
    bool project_replaced;
    bool saved;
  };
  const std::vector<Case> cases = {
      {"Да on an unnamed project saves it as chosen", {Answer::kYes}, "Сохранен.луч", true, true},
      {"Да, Save As cancelled: nothing happens", {Answer::kYes}, std::nullopt, false, false},
      {"Нет drops the edits", {Answer::kNo}, std::nullopt, true, false},
      {"Отмена keeps the project", {Answer::kCancel}, std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainState fresh(dir.path(), fake.platform(), cables, blocks);
    fresh.mNewClick();
    fresh.BeginCommand();
    fresh.mutable_table().SetAddress(1, "правка");
    fresh.EndCommand();
    fake.messages.shown.clear();
    fake.messages.choices.assign(c.answers.begin(), c.answers.end());
    fake.dialogs.answers = {c.save_as};
    if (c.save_as) std::filesystem::remove(dir / *c.save_as);

    fresh.mNewClick();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Сохранить изменения в проекте?\nНовый проект");
    EXPECT_EQ(fresh.table().Address(1), c.project_replaced ? "" : "правка");
    EXPECT_EQ(fresh.modified(), !c.project_replaced);
    if (c.save_as) {
      EXPECT_EQ(FileExists(dir / *c.save_as), c.saved);
    }
  }
}

TEST_F(UnsavedChanges, AnUnmodifiedProjectIsNeverAskedAbout) {
  state.mNewClick();
  EditAddress(1, "x");
  state.Undo();
  fake.dialogs.answers.push_back(std::nullopt);
  state.mOpenClick();
  state.mNewClick();
  EXPECT_TRUE(state.FormCloseQuery());
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(UnsavedChanges, ARecoveryFileThatCannotBeWrittenIsSaidUntilOneIs) {
  testing::FaultyFileSystem files;
  Platform platform = fake.platform();
  platform.files = &files;
  MainState copy(dir.path(), platform, cables, blocks);
  copy.mNewClick();
  const auto said = [&copy] {
    for (const Problem& problem : copy.Problems()) {
      if (problem.text.starts_with("Несохраненные изменения не удается записать")) return true;
    }
    return false;
  };
  files.Fail(testing::WriteStep::kCreate);
  Command(copy, [&] { copy.mutable_table().SetAddress(1, "a"); });
  copy.WriteRecovery();
  EXPECT_TRUE(said());
  files.Heal();
  Command(copy, [&] { copy.mutable_table().SetAddress(1, "b"); });
  copy.WriteRecovery();
  EXPECT_FALSE(said());
}

TEST_F(UnsavedChanges, TextsWindows1251CannotHoldAreNeverSavedAsQuestionMarks) {
  const std::string project = ProjectPath("Дом 5.луч");
  ASSERT_TRUE(state.SaveProject(project));
  const std::string saved = dir.Read("Дом 5.луч");
  Command([&] {
    state.SetBlockCount(3);
    state.mutable_table().SetCableName(3, "КСПВ 2×0,5");
  });
  EXPECT_FALSE(state.SaveProject(project));
  EXPECT_EQ(fake.messages.shown.back().text, UnsavableMessage("×") + "\nСтроки: 3");
  EXPECT_EQ(dir.Read("Дом 5.луч"), saved);
  EXPECT_TRUE(state.modified());
  // Nor exported so.
  const std::string csv = ProjectPath("Дом 5.csv");
  fake.dialogs.answers.push_back(csv);
  state.mMicrosoftExcelClick();
  EXPECT_EQ(fake.messages.shown.back().text,
            "Cannot create file " + csv + "\n" + UnsavableMessage("×"));
  EXPECT_FALSE(FileExists(Utf8Path(csv)));
}

}  // namespace
}  // namespace luch
