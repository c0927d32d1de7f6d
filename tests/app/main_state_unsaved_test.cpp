// Unsaved changes: the modified state, the question before the project is
// dropped, the recovery file, and a block type renamed through the history.
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

TEST_F(UnsavedChanges, TheRecoveryFileBringsBackAKilledRunsEdits) {
  // A folder name Windows-1251 cannot hold comes back whole, and so do texts
  // that a project file cannot hold.
  std::filesystem::create_directory(dir / "Объект №2 — ×");
  const std::string project = ProjectPath("Объект №2 — ×/Дом 5.луч");
  std::filesystem::path written;
  {
    MainState killed(dir.path(), fake.platform(), cables, blocks);
    ASSERT_TRUE(killed.SaveProject(project));
    EXPECT_FALSE(killed.RecoveryDue());
    Command(killed, [&] { killed.mutable_table().SetAddress(1, "КСПВ 2×0,5"); });
    killed.SetEditU("26,5");
    ASSERT_TRUE(killed.RecoveryDue());
    killed.WriteRecovery();
    EXPECT_FALSE(killed.RecoveryDue());
    written = killed.recovery_path();
    ASSERT_TRUE(FileExists(written));
    // Held by its copy while that runs: never offered to another one.
    EXPECT_FALSE(state.OfferRecovery());
  }  // killed here: its lock goes with it, its file stays

  MainState next(dir.path(), fake.platform(), cables, blocks);
  fake.messages.answers = {true};
  ASSERT_TRUE(next.OfferRecovery());
  EXPECT_EQ(fake.messages.shown.back().text,
            "Найдены несохраненные изменения проекта «Дом 5.луч», записанные " +
                fake.locale.date_time + ".\nВосстановить их?");
  EXPECT_EQ(next.table().Address(1), "КСПВ 2×0,5");
  EXPECT_EQ(next.params().EditU, "26,5");
  EXPECT_EQ(next.ProjectFileName(), project);
  EXPECT_TRUE(next.modified());
  EXPECT_EQ(next.recovery_path(), written);  // now the file of this copy
  Command(next, [&] { next.mutable_table().SetAddress(1, "КСПВ 2х0,5"); });
  next.mSaveClick();
  EXPECT_FALSE(FileExists(written));
  EXPECT_FALSE(next.OfferRecovery());
}

TEST_F(UnsavedChanges, EveryCopyHasItsOwnRecoveryFileAndRemovesOnlyThat) {
  state.mNewClick();
  EditAddress(1, "первая копия");
  state.WriteRecovery();
  auto second = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
  second->mNewClick();
  Command(*second, [&] { second->mutable_table().SetAddress(1, "вторая копия"); });
  second->WriteRecovery();
  const std::filesystem::path second_file = second->recovery_path();
  ASSERT_NE(second_file, state.recovery_path());
  ASSERT_TRUE(FileExists(second_file));

  // Нет at the close of one copy removes its file alone.
  fake.messages.choices = {Answer::kNo};
  EXPECT_TRUE(state.FormCloseQuery());
  state.FormClose(MainSettings{});
  EXPECT_FALSE(FileExists(state.recovery_path()));
  EXPECT_TRUE(FileExists(second_file));

  // Left by a killed copy, a file is offered once; Нет deletes that one.
  second = std::make_unique<MainState>(dir.path(), fake.platform(), cables, blocks);
  fake.messages.answers = {false};
  EXPECT_FALSE(second->OfferRecovery());
  EXPECT_FALSE(FileExists(second_file));
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

TEST_F(UnsavedChanges, AProjectAnotherCopyHasOpenIsSavedOverOnlyWhenTheUserSaysSo) {
  const std::string project = ProjectPath("Дом 5.луч");
  ASSERT_TRUE(state.SaveProject(project));  // this copy has it open
  MainState other(dir.path(), fake.platform(), cables, blocks);
  fake.messages.picks = {0};  // Только для чтения
  ASSERT_TRUE(other.LoadProject(project));
  other.mSaveClick();  // a name of its own, proposed beside the project
  EXPECT_EQ(fake.dialogs.requests.back().title, "Задайте имя файла для сохранения проекта");
  EXPECT_EQ(fake.dialogs.requests.back().initial_directory, PathToUtf8(dir.path()));
  EXPECT_EQ(fake.dialogs.requests.back().initial_name, "Дом 5.луч");
  fake.messages.picks = {1};  // Открыть для правки
  ASSERT_TRUE(other.LoadProject(project));
  Command(other, [&] { other.mutable_table().SetAddress(1, "вторая копия"); });
  EditAddress(1, "первая копия");
  ASSERT_TRUE(state.SaveProject(project));
  fake.messages.picks = {1};  // Не записывать, while the first copy has it
  EXPECT_FALSE(other.SaveProject(project));
  state.mNewClick();  // let go, but changed since the second copy opened it
  fake.messages.picks = {1, 0};
  EXPECT_FALSE(other.SaveProject(project));
  EXPECT_TRUE(fake.messages.shown.back().text.starts_with("Файл проекта «Дом 5.луч» изменен"));
  EXPECT_NE(dir.Read("Дом 5.луч").find(Utf8ToCp1251("первая копия")), std::string::npos);
  EXPECT_TRUE(other.SaveProject(project));
  EXPECT_NE(dir.Read("Дом 5.луч").find(Utf8ToCp1251("вторая копия")), std::string::npos);
  EXPECT_TRUE(other.SaveProject(project));  // its own file now: no question
  EXPECT_TRUE(fake.messages.picks.empty());
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

TEST_F(UnsavedChanges, ARenamedBlockTypeHoldsInTheWholeHistory) {
  state.mNewClick();
  Command([&] {
    state.SetBlockCount(3);
    for (int r = 1; r <= 3; ++r) state.mutable_table().SetBlockName(r, "ИП 212");
  });
  Command([&] { state.SetBlockCount(2); });  // row 3 hidden, kept
  EditAddress(1, "a");
  EditAddress(1, "b");
  state.Undo();  // "b" waits for redo

  state.RenameBlockType("ИП 212", "ИП 212-3");
  EXPECT_TRUE(state.modified());
  for (int k = 0; k < 3; ++k) {
    state.Undo();
    EXPECT_NE(state.table().BlockName(1), "ИП 212") << "undo " << k;
  }
  while (state.CanRedo()) {
    state.Redo();
    EXPECT_NE(state.table().BlockName(1), "ИП 212");
  }
  state.SetBlockCount(3);
  EXPECT_EQ(state.table().BlockName(3), "ИП 212-3");
}

}  // namespace
}  // namespace luch
