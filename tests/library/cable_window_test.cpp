#include "library/cable_window.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/settings_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class CableWindowTest : public ::testing::Test {
 protected:
  CableWindowTest() : window_(dir_.path(), library_, fake_.platform()) {}

  // Loads a library of `names` (resistance 10, 20, ...) through the file.
  void Load(std::initializer_list<const char*> names) {
    CableLibrary source;
    int r = 10;
    for (const char* name : names) {
      source.Add({"", name, std::to_string(r), "50", "120", ""});
      r += 10;
    }
    source.SaveCables(dir_.path());
    window_.FormCreate();
  }
  ProfileFile SavedFile() const { return ProfileFile(dir_ / kCableFileName); }
  void Answer(std::optional<std::string> answer) { fake_.prompter.Answer(std::move(answer)); }

  TempDir dir_;
  FakePlatform fake_;
  CableLibrary library_;
  CableWindow window_;
};

TEST_F(CableWindowTest, FormCreateLoadsTheLibraryAndPullsTheWindowBack) {
  EXPECT_EQ(window_.FormCreate(), CableWindow::kDesign);
  EXPECT_EQ(window_.status_text(), "Типов кабеля: 0");

  ProfileFile settings = OpenSettingsFile(dir_.path());
  WriteWindowGeometry(settings, "Cabels", {.top = 2000, .left = 1500, .height = 300, .width = 600});
  settings.Save();
  Load({"А", "Б", "В"});
  EXPECT_EQ(window_.FormCreate(),
            (WindowGeometry{.top = 1024 - 300, .left = 1280 - 600, .height = 300, .width = 600}));
  EXPECT_EQ(window_.status_text(), "Типов кабеля: 3");
}

TEST_F(CableWindowTest, ResizeKeepsAMinimumAndSharesTheClientWidth) {
  EXPECT_EQ(CableWindow::FormResizeWidth(60), 100);
  EXPECT_EQ(CableWindow::FormResizeWidth(535), 535);
  EXPECT_EQ(CableWindow::ColumnWidths(500), (std::array<int, 6>{25, 100, 90, 60, 100, 125}));
  EXPECT_EQ(CableWindow::ColumnWidths(527), (std::array<int, 6>{26, 105, 94, 63, 105, 131}));
}

TEST_F(CableWindowTest, DoubleClickEditsTheRememberedCellAndSaves) {
  Load({"А", "Б"});
  window_.StringGrid1MouseUp(2, 2);
  Answer("12,7");
  window_.StringGrid1DblClick();
  ASSERT_EQ(fake_.prompter.asked.size(), 1u);
  EXPECT_EQ(fake_.prompter.asked[0].caption, "Изменение кабеля");
  EXPECT_EQ(fake_.prompter.asked[0].prompt, "Введите значение сопротивлени (Ом/км)");
  EXPECT_EQ(fake_.prompter.asked[0].default_text, "20");
  EXPECT_EQ(library_.Row(2)->resistance, "12");
  EXPECT_EQ(SavedFile().ReadString("Кабель2", "Сопротивление", ""), "12");

  window_.StringGrid1MouseUp(3, 1);
  Answer("abc");
  window_.StringGrid1DblClick();
  EXPECT_EQ(fake_.prompter.asked.back().prompt, "Введите значение ёмкости (пФ/м)");
  EXPECT_EQ(library_.Row(1)->capacitance, "0");

  window_.StringGrid1MouseUp(4, 1);
  Answer("99999999999");  // beyond 32 bits: kept at the limit
  window_.StringGrid1DblClick();
  EXPECT_EQ(fake_.prompter.asked.back().prompt, "Введите волновое сопротивление (Ом)");
  EXPECT_EQ(library_.Row(1)->wave_impedance, "2147483647");

  window_.StringGrid1MouseUp(1, 1);
  Answer("");  // an empty name is taken as it is
  window_.StringGrid1DblClick();
  EXPECT_EQ(fake_.prompter.asked.back().prompt, "Введите новое название кабеля");
  EXPECT_EQ(library_.CableNameAt(1), "");

  window_.StringGrid1MouseUp(5, 2);
  Answer(" экран ");
  window_.StringGrid1DblClick();
  EXPECT_EQ(fake_.prompter.asked.back().prompt, "Введите примечание");
  EXPECT_EQ(library_.Row(2)->note, " экран ");
  EXPECT_FALSE(window_.changed());
}

TEST_F(CableWindowTest, DoubleClickOnTheNumberColumnOrHeaderDoesNothing) {
  Load({"А"});
  std::filesystem::remove(dir_ / kCableFileName);
  for (auto [column, row] :
       {std::pair{0, 1}, std::pair{1, 0}, std::pair{-1, -1}, std::pair{1, 5}}) {
    window_.StringGrid1MouseUp(column, row);
    window_.StringGrid1DblClick();
  }
  EXPECT_TRUE(fake_.prompter.asked.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / kCableFileName));
}

TEST_F(CableWindowTest, AddAsksInOrderAndSaves) {
  Load({"А"});
  Answer("КСПВ 2х0,5");
  Answer(std::nullopt);  // Cancel at the resistance: 50
  Answer("45,5");
  Answer("");
  Answer("сигнальный");
  window_.ButtonAddClick();
  ASSERT_EQ(fake_.prompter.asked.size(), 5u);
  const std::vector<std::string> prompts = {
      "Введите название кабеля", "Введите сопротивление кабеля (Ом/км)",
      "Введите ёмкость кабеля (пФ/м)", "Введите волновое сопротивление (Ом)", "Введите примечание"};
  const std::vector<std::string> defaults = {"", "50", "0", "0", ""};
  for (size_t k = 0; k < prompts.size(); ++k) {
    EXPECT_EQ(fake_.prompter.asked[k].caption, "Добавление нового типа кабеля");
    EXPECT_EQ(fake_.prompter.asked[k].prompt, prompts[k]);
    EXPECT_EQ(fake_.prompter.asked[k].default_text, defaults[k]);
  }
  const CableType& added = *library_.Row(2);
  EXPECT_EQ(added.number, "2");
  EXPECT_EQ(added.name, "КСПВ 2х0,5");
  EXPECT_EQ(added.resistance, "50");
  EXPECT_EQ(added.capacitance, "45");
  EXPECT_EQ(added.wave_impedance, "0");
  EXPECT_EQ(added.note, "сигнальный");
  EXPECT_EQ(window_.status_text(), "Типов кабеля: 2");
  EXPECT_EQ(SavedFile().ReadString("Кабель2", "Название", ""), "КСПВ 2х0,5");
}

TEST_F(CableWindowTest, AddEndsOnAnEmptyNameOrResistance) {
  Load({"А"});
  Answer(std::nullopt);
  window_.ButtonAddClick();
  EXPECT_EQ(fake_.prompter.asked.size(), 1u);
  Answer("Б");
  Answer("");
  window_.ButtonAddClick();
  EXPECT_EQ(fake_.prompter.asked.size(), 3u);
  EXPECT_EQ(library_.CableCount(), 1);
}

TEST_F(CableWindowTest, AddRefusesATypeThatTheFileCouldNotGiveBack) {
  Load({"А"});
  for (int k = 2; k <= kMaxCablesRead; ++k) library_.Add({"", "Т", "1", "", "", ""});
  Answer("Лишний");
  window_.ButtonAddClick();
  EXPECT_TRUE(fake_.prompter.asked.empty());
  EXPECT_EQ(library_.CableCount(), kMaxCablesRead);
  ASSERT_EQ(fake_.messages.shown.size(), 1u);
  EXPECT_EQ(fake_.messages.shown[0].icon, MessageIcon::kInformation);
  EXPECT_NE(fake_.messages.shown[0].text.find("1023"), std::string::npos);
}

TEST_F(CableWindowTest, DeleteAsksAndReachesTheFileAtProgramEnd) {
  Load({"А", "Б", "В", "Г"});
  window_.ButtonDelClick(2);  // answered No
  ASSERT_EQ(fake_.messages.shown.size(), 1u);
  EXPECT_EQ(fake_.messages.shown[0].text, "Вы уверены?");
  EXPECT_EQ(fake_.messages.shown[0].caption, "Удаление кабеля");
  EXPECT_EQ(fake_.messages.shown[0].icon, MessageIcon::kQuestion);
  EXPECT_EQ(library_.CableCount(), 4);

  fake_.messages.answers.push_back(true);
  window_.ButtonDelClick(2);
  EXPECT_EQ(library_.CableNameAt(2), "В");
  EXPECT_EQ(window_.status_text(), "Типов кабеля: 3");
  EXPECT_TRUE(SavedFile().SectionExists("Кабель4"));  // not written yet
  EXPECT_TRUE(window_.changed());
  window_.OnProgramEnd();
  EXPECT_FALSE(SavedFile().SectionExists("Кабель4"));
  EXPECT_EQ(SavedFile().ReadString("Кабель2", "Название", ""), "В");

  window_.ButtonDelClick(0);
  window_.ButtonDelClick(4);
  EXPECT_EQ(fake_.messages.shown.size(), 2u);
}

TEST_F(CableWindowTest, DeletingTheOnlyTypeLeavesAnEmptyRowTheNextAddFills) {
  Load({"А"});
  fake_.messages.answers.push_back(true);
  window_.ButtonDelClick(1);
  EXPECT_EQ(window_.status_text(), "Типов кабеля: 1");
  EXPECT_EQ(library_.CableNameAt(1), "");
  Answer("Б");
  window_.ButtonAddClick();
  EXPECT_EQ(library_.CableCount(), 1);
  EXPECT_EQ(library_.CableNameAt(1), "Б");
  EXPECT_EQ(library_.Row(1)->number, "1");
}

TEST_F(CableWindowTest, WireResistanceIsTakenOverTruncatedAboveOneOhm) {
  Load({"А", "Б"});
  EXPECT_TRUE(window_.TakeOverWireResistance(2, 86.58028f));
  EXPECT_EQ(library_.Row(2)->resistance, "86");
  EXPECT_TRUE(window_.changed());
  EXPECT_FALSE(window_.TakeOverWireResistance(1, 1.0f));
  EXPECT_FALSE(window_.TakeOverWireResistance(0, 43.0f));
  EXPECT_FALSE(window_.TakeOverWireResistance(3, 43.0f));
  EXPECT_EQ(library_.Row(1)->resistance, "10");
  EXPECT_TRUE(window_.TakeOverWireResistance(1, 1e30f));
  EXPECT_EQ(library_.Row(1)->resistance, "2147483647");
}

TEST_F(CableWindowTest, FormCloseStoresThePlaceThenSavesTheLibrary) {
  Load({"А", "Б"});
  fake_.messages.answers.push_back(true);
  window_.ButtonDelClick(1);
  window_.FormClose({.top = 5, .left = 6, .height = 300, .width = 400});
  const ProfileFile settings = OpenSettingsFile(dir_.path());
  EXPECT_EQ(settings.ReadInteger("Cabels", "Left", 0), 6);
  EXPECT_EQ(settings.ReadInteger("Cabels", "Width", 0), 400);
  EXPECT_FALSE(SavedFile().SectionExists("Кабель2"));
  EXPECT_FALSE(window_.changed());
  EXPECT_TRUE(CableWindow::FormKeyDown(27));
  EXPECT_FALSE(CableWindow::FormKeyDown(13));
}

TEST_F(CableWindowTest, AFailedSaveIsReportedAndKeepsTheChangeForTheNextSave) {
  Load({"А"});
  const std::string before = dir_.Read(kCableFileName);
  fake_.files.Fail(testing::WriteStep::kWrite);
  window_.StringGrid1MouseUp(1, 1);
  Answer("Б");
  window_.StringGrid1DblClick();
  fake_.files.Heal();
  ASSERT_EQ(fake_.messages.shown.size(), 1u);
  EXPECT_EQ(fake_.messages.shown[0].text,
            "Unable to write to " + PathToUtf8(dir_ / kCableFileName) + ".");
  EXPECT_EQ(dir_.Read(kCableFileName), before);
  EXPECT_TRUE(window_.changed());
  window_.OnProgramEnd();
  EXPECT_EQ(SavedFile().ReadString("Кабель1", "Название", ""), "Б");
}

TEST_F(CableWindowTest, AnUnreadableLibraryIsReportedOnceAndNeverWritten) {
  dir_.Write(kCableFileName, "[Кабель1]\r\n");  // over the size bound, as a 17 MiB library
  std::filesystem::resize_file(dir_ / kCableFileName, kMaxFileBytes + 1);
  const std::string before = dir_.Read(kCableFileName);
  const std::string path = PathToUtf8(dir_ / kCableFileName);
  window_.FormCreate();
  window_.ButtonAddClick();
  CableType received;  // a received project's type
  received.name = "Б";
  EXPECT_EQ(window_.AddTypes({received}), 0);
  window_.FormClose(CableWindow::kDesign);
  ASSERT_EQ(fake_.messages.shown.size(), 3u);
  EXPECT_EQ(fake_.messages.shown[0].text, "Cannot open file " + path + ".");
  EXPECT_EQ(fake_.messages.shown[1].text, "Unable to write to " + path + ".");
  EXPECT_EQ(fake_.messages.shown[2].text, "Unable to write to " + path + ".");
  EXPECT_TRUE(fake_.prompter.asked.empty());
  EXPECT_EQ(dir_.Read(kCableFileName), before);
}

}  // namespace
}  // namespace luch
