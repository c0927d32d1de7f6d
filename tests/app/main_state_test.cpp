#include "app/main_state.h"

#include <gtest/gtest.h>

#include "app/main_state_fixture.h"
#include "common/cp1251.h"
#include "common/profile_file.h"
#include "support/fake_files.h"

namespace luch {
namespace {

TEST_F(MainStateTest, FirstStartHasTheDesignStateAndNoProject) {
  MainSettings design;
  const MainSettings read = state.FormCreate(design);
  EXPECT_EQ(read.geometry, kMainDesignGeometry);
  EXPECT_EQ(read.row_height, 22);
  state.StartUp();
  EXPECT_EQ(state.status().bar1[0], "Проект: ");
  EXPECT_EQ(state.table().BlockCount(), 5);
  ProjectParameters new_project;
  new_project.SetNewProjectValues();
  EXPECT_EQ(state.params(), new_project);
  EXPECT_TRUE(state.report_enabled());  // computed at once
  EXPECT_FALSE(state.modified());
  EXPECT_FALSE(state.CanUndo());
}

TEST_F(MainStateTest, SettingsAreWrittenInTheirOrderAndReadBack) {
  ProfileFile remembered(dir / "Tarvel.ini");
  remembered.WriteString("Main", "FileName", "C:\\Проекты\\Дом.луч");
  ASSERT_TRUE(remembered.Save());
  state.FormCreate(MainSettings{});
  std::filesystem::remove(dir / "Tarvel.ini");  // written afresh by FormClose
  MainSettings values;
  values.geometry = {10, 20, 300, 400};
  values.row_height = 30;
  values.col_widths = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  state.FormClose(values);
  EXPECT_EQ(dir.Read("Tarvel.ini"), ProfileFile::FromBytes(dir.Read("Tarvel.ini")).ToBytes());
  const std::string text = dir.Read("Tarvel.ini");
  const std::vector<std::string> order = {
      "Top=",        "Left=",        "Height=",   "Width=",
      "ColWidths0=", "ColWidths10=", "FileName=", "DefaultRowHeight="};
  size_t at = 0;
  for (const std::string& key : order) {
    const size_t found = text.find(key, at);
    ASSERT_NE(found, std::string::npos) << key;
    at = found;
  }
  MainState again(dir.path(), fake.platform(), cables, blocks);
  const MainSettings read = again.FormCreate(MainSettings{});
  EXPECT_EQ(read.geometry, values.geometry);
  EXPECT_EQ(read.row_height, 30);
  EXPECT_EQ(read.col_widths, values.col_widths);
  EXPECT_EQ(read.file_name, "C:\\Проекты\\Дом.луч");
}

TEST_F(MainStateTest, APlaceSavedOnALargerScreenIsPulledBack) {
  dir.Write("Tarvel.ini", "[Main]\r\nLeft=2000\r\nTop=5000\r\n");
  fake.screen.width = 1280;
  fake.screen.height = 1024;
  const MainSettings read = state.FormCreate(MainSettings{});
  EXPECT_EQ(read.geometry.left, 1280 - 873);
  EXPECT_EQ(read.geometry.top, 1024 - 480);
}

TEST_F(MainStateTest, ARememberedProjectThatVanishedIsForgotten) {
  ProfileFile settings(dir / "Tarvel.ini");
  settings.WriteString("Main", "FileName", ProjectPath("нет такого.луч"));
  ASSERT_TRUE(settings.Save());
  state.FormCreate(MainSettings{});
  state.DeferredStartUp();
  EXPECT_EQ(state.ProjectFileName(), "");
  EXPECT_EQ(state.status().bar1[0], "Проект: ");
  state.FormClose(MainSettings{});
  EXPECT_EQ(ProfileFile(dir / "Tarvel.ini").ReadString("Main", "FileName", "?"), "");
}

TEST_F(MainStateTest, ARememberedProjectIsReopenedUnderTheNameAsKept) {
  state.mNewClick();
  state.mutable_table().SetAddress(1, "Щит 1");
  ASSERT_TRUE(state.SaveProject("Дом 5.луч"));  // a name without a folder: the data directory
  state.FormClose(MainSettings{});
  MainState again(dir.path(), fake.platform(), cables, blocks);
  again.FormCreate(MainSettings{});
  again.DeferredStartUp();
  EXPECT_EQ(again.ProjectFileName(), "Дом 5.луч");
  EXPECT_EQ(again.status().bar1[0], "Проект: Дом 5.луч");
  EXPECT_EQ(again.table().BlockCount(), 1);
  EXPECT_EQ(again.table().Address(1), "Щит 1");
  EXPECT_EQ(again.params().EditU, "28.00");
}

TEST_F(MainStateTest, ANamedProjectOpensInsteadOfTheRememberedOne) {
  state.mNewClick();
  state.mutable_table().SetAddress(1, "запомненный");
  ASSERT_TRUE(state.SaveProject(ProjectPath("a.луч")));
  state.mutable_table().SetAddress(1, "названный");
  ASSERT_TRUE(state.SaveProject(ProjectPath("b.луч")));
  ASSERT_TRUE(state.SaveProject(ProjectPath("a.луч")));  // the name remembered at close
  state.FormClose(MainSettings{});

  MainState named(dir.path(), fake.platform(), cables, blocks);
  named.FormCreate(MainSettings{});
  named.SetNamedProject(ProjectPath("b.луч"));
  named.OpenNamedProject();
  EXPECT_EQ(named.table().Address(1), "названный");
  EXPECT_EQ(named.ProjectFileName(), ProjectPath("b.луч"));

  MainState missing(dir.path(), fake.platform(), cables, blocks);
  missing.FormCreate(MainSettings{});
  missing.SetNamedProject(ProjectPath("нет.луч"));
  missing.OpenNamedProject();
  EXPECT_EQ(missing.ProjectFileName(), "");
  EXPECT_EQ(missing.status().bar1[0], "Проект: ");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(MainStateTest, ARememberedProjectThatCannotBeReadIsReportedAndForgotten) {
  dir.Write("огромный.луч", "[Луч]\r\n" + std::string(kMaxFileBytes, ';'));
  ProfileFile settings(dir / "Tarvel.ini");
  settings.WriteString("Main", "FileName", "огромный.луч");
  ASSERT_TRUE(settings.Save());
  state.FormCreate(MainSettings{});
  state.DeferredStartUp();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot open file огромный.луч.");
  EXPECT_EQ(state.ProjectFileName(), "");
  EXPECT_EQ(state.status().bar1[0], "Проект: ");
}

TEST_F(MainStateTest, NewAndOpenShowNothingOfTheFormerProject) {
  state.SetLiveCalc(false);  // only F9 computes: what is left must be the former project's
  state.SetBlockCount(3);
  for (int r = 1; r <= 3; ++r) {
    state.mutable_table().SetAddress(r, "прежний");
    state.mutable_table().SetCell(r, kResistanceOhm, "460");
    state.mutable_table().SetCurrentMA(r, 5.0f);
    state.mutable_table().SetVoltageV(r, 9.5f);
  }
  ASSERT_TRUE(state.BitBtnStartClick());  // the former project's results in the panels
  ASSERT_NE(state.status().bar2[0], "Длина");
  ProfileFile project(dir / "два.луч");
  project.WriteString("Луч", "Блоков", "2");
  project.WriteString("Блок1", "Длина", "3");
  ASSERT_TRUE(project.Save());
  fake.dialogs.answers.push_back(ProjectPath("два.луч"));
  state.mOpenClick();
  EXPECT_EQ(state.table().GetCell(1, kResistanceOhm), "");  // computed afresh: no cable
  EXPECT_EQ(state.table().GetCell(2, kCurrentMA), "");
  EXPECT_EQ(state.table().GetCell(1, kVoltageV), "");
  EXPECT_EQ(state.status().bar1[2], "Проблем:");
  EXPECT_EQ(state.status().bar2[0], "Длина");
  EXPECT_FALSE(state.report_enabled());  // it would describe the former project
  state.SetBlockCount(3);
  EXPECT_EQ(state.table().Address(3), "");

  state.mutable_table().SetAddress(2, "b");
  ASSERT_TRUE(state.BitBtnStartClick());
  ASSERT_TRUE(state.report_enabled());
  state.mNewClick();
  EXPECT_FALSE(state.report_enabled());
  EXPECT_EQ(state.table().BlockCount(), 1);
  EXPECT_EQ(state.status().bar1[0], "Новый проект");
  EXPECT_EQ(state.status().bar1[1], "Блоков: 1");
  EXPECT_EQ(state.table().Address(1), "");
  EXPECT_EQ(state.params().ZBResistance, 40.0f);
  EXPECT_EQ(state.params().AccuracyStep, 0.05f);
  state.SetBlockCount(2);
  EXPECT_EQ(state.table().Address(2), "");
}

TEST_F(MainStateTest, RunsOnFilesInMemory) {
  testing::MemoryFileSystem memory;
  Platform platform = fake.platform();
  platform.files = &memory;
  const std::filesystem::path data = "/данные";
  MainState in_memory(data, platform, cables, blocks);
  in_memory.mNewClick();
  in_memory.mutable_table().SetAddress(1, "Щитовая");
  ASSERT_TRUE(in_memory.SaveProject("Дом.луч"));
  in_memory.FormClose(MainSettings{});
  MainState again(data, platform, cables, blocks);
  again.FormCreate(MainSettings{});
  again.DeferredStartUp();
  EXPECT_EQ(again.table().Address(1), "Щитовая");
  // The project, the lock of `again` beside it and Tarvel.ini, nothing on disk.
  EXPECT_EQ(memory.files().size(), 3u);
  EXPECT_FALSE(FileExists(dir / "Tarvel.ini"));
}

TEST_F(MainStateTest, AReplacementSaysHowManyRowsItChangedAfterTheRecalculation) {
  struct Dialogs : CommandDialogs {
    ReplacementChoice ChooseCableReplacement(const CableLibrary&) override { return cable; }
    ReplacementChoice ChooseBlockReplacement(const BlockLibrary&) override { return {}; }
    void EditProjectParameters(ProjectParameters&) override {}
    ReplacementChoice cable{true, "КСПВ", "КПСВВ"};
  } dialogs;
  state.SetCommandDialogs(&dialogs);
  state.mNewClick();  // calculated at once: panel 4 holds the outcome
  state.SetBlockCount(3);
  for (int r = 2; r <= 3; ++r) state.mutable_table().SetCableName(r, "КСПВ");
  const auto replace = [this] {
    state.BeginCommand();
    state.mChangeCblClick();
    state.EndCommand();
    return state.status().bar1[4];
  };
  EXPECT_EQ(replace(), "Заменено строк: 2");  // and the calculation ran before it
  state.SetLiveCalc(false);
  dialogs.cable = {true, "КПСВВ", "КСПВ"};
  EXPECT_EQ(replace(), "Заменено строк: 2. Данные изменены, нажмите F9");
}

TEST_F(MainStateTest, VoltagePresetsOnlyChangeTheField) {
  ASSERT_TRUE(state.BitBtnStartClick());
  const std::string current = state.status().bar1[3];
  state.Button24Click();
  EXPECT_EQ(state.params().EditU, "24.00");
  state.Button28Click();
  EXPECT_EQ(state.params().EditU, "28.00");
  EXPECT_EQ(state.status().bar1[3], current);
}

TEST_F(MainStateTest, AMissingLibraryIsListedFirstUntilItsFileIsThere) {
  dir.Write("Кабель.ini", "");
  const std::vector<Problem> listed = state.Problems();
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed.front().text, "Библиотека блоков не найдена: " + PathToUtf8(dir / "Блок.ini"));
  dir.Write("Блок.ini", "");
  EXPECT_EQ(state.Problems(), std::vector<Problem>(listed.begin() + 1, listed.end()));
}

}  // namespace
}  // namespace luch
