#include "library/block_window.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/replacement_rules.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::RecordedMessage;
using testing::TempDir;

class BlockWindowTest : public ::testing::Test {
 protected:
  // Writes Блок.ini from UTF-8 lines ("\n" ends a line) as Windows-1251, CR LF.
  void WriteBlocks(std::string_view text) {
    std::string crlf;
    for (char c : text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
    dir.Write(kBlockFileName, Utf8ToCp1251(crlf));
  }
  std::string Blocks() const { return Cp1251ToUtf8(dir.Read(kBlockFileName)); }
  ProfileFile Ini() const { return ProfileFile(dir / kBlockFileName); }
  void Select(int index) {
    window.SetSelected(index);
    window.ListBox1Click();
  }
  void Answer(std::string text) { fake.prompter.Answer(std::move(text)); }
  // Double-clicks the regime grid cell (column, row).
  void EditCell(int column, int row) {
    window.StringGrid1MouseUp(column, row);
    window.StringGrid1DblClick();
  }

  TempDir dir;
  FakePlatform fake;
  BlockLibrary library{dir.path()};
  BlockWindow window{dir.path(), library, fake.platform()};
};

constexpr const char* kThreeTypes =
    "[Блок0]\nНазвание=Расширитель\nРежим1=Нормальный\nP1=60\nI1=0\nUmin=9\n"
    "[Блок1]\nУмин=нет\nРежим1=Нормальный\nI1=3,5\nРежим2=Тревога\nP2=100\nI2=0\n"
    "Режим3=Пожар\nP3=0\nI3=20\n"
    "[Блок2]\nНазвание=Реле\nUmin=11\n";

TEST_F(BlockWindowTest, AddingTheFirstTypeCreatesItsSection) {
  EXPECT_EQ(window.FormCreate(), BlockWindow::kDesign);
  EXPECT_EQ(window.status_text(), "Типов блоков: 0");
  window.ButtonAddBlkClick();  // Cancel: nothing
  EXPECT_FALSE(FileExists(dir / kBlockFileName));

  Answer("Извещатель");
  window.ButtonAddBlkClick();
  ASSERT_EQ(fake.prompter.asked.size(), 2u);
  EXPECT_EQ(fake.prompter.asked[1].caption, "Добавление нового блока");
  EXPECT_EQ(fake.prompter.asked[1].prompt, "Введите название блока");
  EXPECT_EQ(fake.prompter.asked[1].default_text, "");
  EXPECT_EQ(Blocks(),
            "[Блок0]\r\nНазвание=Извещатель\r\nРежим1=Нормальный\r\nP1=100\r\nI1=0\r\n"
            "Umin=8\r\n");
  EXPECT_EQ(window.selected(), 0);
  EXPECT_EQ(window.regimes(), (std::vector<BlockWindow::RegimeRow>{{"Нормальный", "100", "0"}}));
  EXPECT_EQ(window.edit_umin(), "8.0");
  EXPECT_EQ(window.status_text(), "Типов блоков: 1");
  EXPECT_EQ(library.RegimePowerAt(0, 1), 100);
  EXPECT_EQ(library.BlockUmin(0), 8.0);
  EXPECT_EQ(library.BlockIndexByName("Извещатель"), 0);
}

TEST_F(BlockWindowTest, ListsUnnamedSectionsAsQuestionMarkAndLoadsTheSelectedOne) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  EXPECT_EQ(window.names(), (std::vector<std::string>{"Расширитель", "?", "Реле"}));
  EXPECT_EQ(window.status_text(), "Типов блоков: 3");
  EXPECT_EQ(window.selected(), -1);
  EXPECT_FALSE(window.regime_editing_enabled());

  Select(1);
  EXPECT_EQ(window.regimes(),
            (std::vector<BlockWindow::RegimeRow>{
                {"Нормальный", "100", "3.5"}, {"Тревога", "100", "0.0"}, {"Пожар", "0", "20.0"}}));
  EXPECT_EQ(window.edit_umin(), "8.0");
  EXPECT_FALSE(window.button_del_block_enabled());
  Select(2);
  EXPECT_EQ(window.regimes(), (std::vector<BlockWindow::RegimeRow>{{"", "", ""}}));
  EXPECT_EQ(window.edit_umin(), "11.0");
  EXPECT_TRUE(window.button_del_block_enabled());

  window.FormClose({.top = 10, .left = 20, .height = 300, .width = 400});
  EXPECT_EQ(Ini().ReadString("Блок1", "Название", ""), "?");
  const ProfileFile settings(dir / "Tarvel.ini");
  EXPECT_EQ(settings.ReadInteger("Block", "Left", 0), 20);
  EXPECT_EQ(settings.ReadInteger("Block", "Height", 0), 300);
  EXPECT_EQ(window.FormCreate(),
            (WindowGeometry{.top = 10, .left = 20, .height = 300, .width = 400}));
}

TEST_F(BlockWindowTest, PowerAndCurrentExcludeEachOther) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(1);
  Answer("25");
  EditCell(1, 1);  // P of a regime drawing 3.5 mA
  EXPECT_EQ(window.regimes()[0][1], "25");
  EXPECT_EQ(window.regimes()[0][2], "0.0");
  EXPECT_EQ(library.RegimePowerByName(1, "Нормальный"), 25);
  EXPECT_EQ(library.RegimeCurrentAt(1, 1), 0.0);

  Answer("2.5");
  EditCell(2, 2);  // I of a regime drawing 100 mW
  EXPECT_EQ(window.regimes()[1][1], "0");
  EXPECT_EQ(window.regimes()[1][2], "2.5");
  EXPECT_EQ(library.RegimePowerAt(1, 2), 0);
  EXPECT_EQ(library.RegimeCurrentByName(1, "Тревога"), 2.5);

  fake.prompter.asked.clear();
  Answer("0");
  Answer("1,5");   // a typed decimal comma counts
  EditCell(1, 1);  // no power: the current is asked for at once
  ASSERT_EQ(fake.prompter.asked.size(), 2u);
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите потребляемую мощность в мвт");
  EXPECT_EQ(fake.prompter.asked[1].caption, "Изменение режима");
  EXPECT_EQ(fake.prompter.asked[1].prompt, "Введите потребляемый ток в ма");
  EXPECT_EQ(fake.prompter.asked[1].default_text, "0.0");
  EXPECT_EQ(window.regimes()[0][2], "1.5");
  EXPECT_EQ(library.RegimeCurrentAt(1, 1), 1.5);

  Answer("abc");
  EditCell(2, 3);
  EXPECT_EQ(window.regimes()[2], (BlockWindow::RegimeRow{"Пожар", "0", "0.0"}));
  Answer("1e999");  // too large: reads as 0, never written as "inf"
  EditCell(2, 3);
  EXPECT_EQ(window.regimes()[2][2], "0.0");
  EXPECT_EQ(Ini().ReadString("Блок1", "I3", "?"), "0");
}

TEST_F(BlockWindowTest, RegimeNameEditsAndCellsOutsideTheGridDoNothing) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(0);
  const std::string before = Blocks();
  Answer("");
  EditCell(0, 1);  // an empty name is refused
  EditCell(0, 0);  // the header
  EditCell(1, 2);  // below the last regime
  EditCell(-1, -1);
  EXPECT_EQ(Blocks(), before);
  EXPECT_EQ(fake.prompter.asked.size(), 1u);
  Answer("Дежурный");
  EditCell(0, 1);
  EXPECT_EQ(library.RegimeNameAt(0, 1), "Дежурный");
  EXPECT_EQ(library.RegimePowerByName(0, "Дежурный"), 60);
}

TEST_F(BlockWindowTest, AddsRegimesAtTheEnd) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  window.ButtonAddRegClick();  // nothing selected: nothing asked
  EXPECT_TRUE(fake.prompter.asked.empty());
  Select(0);
  Answer("Тревога");
  Answer("150");
  window.ButtonAddRegClick();
  EXPECT_EQ(window.regimes().back(), (BlockWindow::RegimeRow{"Тревога", "150", "0.0"}));
  EXPECT_EQ(library.RegimePowerByName(0, "Тревога"), 150);

  Answer("Пожар");
  Answer("0");
  Answer("12.25");
  window.ButtonAddRegClick();
  EXPECT_EQ(fake.prompter.asked.back().caption, "Добавление режима");
  EXPECT_EQ(fake.prompter.asked.back().default_text, "0.0");
  EXPECT_EQ(window.regimes().back(), (BlockWindow::RegimeRow{"Пожар", "0.0", "12.2"}));
  EXPECT_EQ(library.RegimeNameAt(0, 3), "Пожар");
  EXPECT_EQ(library.RegimePowerAt(0, 3), 0);
  EXPECT_EQ(library.RegimeCurrentAt(0, 3), 12.2);
}

TEST_F(BlockWindowTest, TypeWithoutRegimesGetsTheAddedOneAsRegime1) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(2);
  Answer("Включен");
  Answer("40");
  window.ButtonAddRegClick();
  EXPECT_EQ(window.regimes().size(), 1u);
  EXPECT_EQ(library.RegimeNameAt(2, 1), "Включен");
  EXPECT_EQ(library.RegimePowerByName(2, "Включен"), 40);
  EXPECT_FALSE(Ini().KeyExists("Блок2", "Режим2"));
}

TEST_F(BlockWindowTest, Refuses32ndRegimeAnd1025thType) {
  std::string text;
  for (int b = 0; b < kMaxBlockTypes; ++b) text += "[Блок" + std::to_string(b) + "]\nНазвание=T\n";
  for (int r = 1; r <= kMaxRegimes; ++r) {
    text += "Режим" + std::to_string(r) + "=R\nP" + std::to_string(r) + "=1\n";
  }
  WriteBlocks(text);
  window.FormCreate();
  const std::string before = Blocks();
  Answer("Лишний");
  window.ButtonAddBlkClick();
  Select(kMaxBlockTypes - 1);
  window.ButtonAddRegClick();
  EXPECT_TRUE(fake.prompter.asked.empty());
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, block_texts::kTooManyTypes);
  EXPECT_EQ(fake.messages.shown[1].text, block_texts::kTooManyRegimes);
  EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::kInformation);
  EXPECT_EQ(Blocks(), before);
  EXPECT_EQ(window.regimes().size(), 31u);
}

TEST_F(BlockWindowTest, DeletesRegimesButNeverTheLastOne) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(0);
  window.ButtonDelRegClick();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Нельзя удалить все режимы...");
  EXPECT_EQ(fake.messages.shown[0].caption, "Удаление режима");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kStop);

  Select(1);
  window.SetGridRow(2);
  window.ButtonDelRegClick();  // answered No
  EXPECT_EQ(library.RegimeNameAt(1, 3), "Пожар");
  EXPECT_EQ(fake.messages.shown.back().text, "Вы уверены?");
  EXPECT_EQ(fake.messages.shown.back().icon, MessageIcon::kQuestion);
  EXPECT_TRUE(fake.messages.shown.back().yes_no);

  fake.messages.answers.push_back(true);
  window.ButtonDelRegClick();
  EXPECT_EQ(window.regimes().size(), 2u);
  EXPECT_EQ(library.RegimeNameAt(1, 1), "Нормальный");
  EXPECT_EQ(library.RegimeNameAt(1, 2), "Пожар");
  EXPECT_EQ(library.RegimeCurrentAt(1, 2), 20.0);
  EXPECT_FALSE(Ini().KeyExists("Блок1", "Режим3"));
  EXPECT_FALSE(Ini().KeyExists("Блок1", "P3"));
  EXPECT_FALSE(Ini().KeyExists("Блок1", "I3"));
  EXPECT_EQ(library.BlockUmin(1), 8.0);
  EXPECT_EQ(window.grid_row(), 2);
}

TEST_F(BlockWindowTest, SectionOfRegimesOnlyKeepsThemWhenOneIsDeleted) {
  WriteBlocks("[Блок0]\nРежим1=A\nP1=1\nРежим2=B\nP2=2\n[Блок1]\nНазвание=Next\n");
  window.FormCreate();
  Select(0);
  window.SetGridRow(1);
  fake.messages.answers.push_back(true);
  window.ButtonDelRegClick();
  EXPECT_EQ(library.RegimeNameAt(0, 1), "B");
  EXPECT_EQ(library.BlockIndexByName("Next"), 1);  // the list does not end at Блок0
}

TEST_F(BlockWindowTest, DeletesOnlyTheLastType) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(0);
  window.ButtonDelBlockClick();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "ВНИМАНИЕ! Можно удалить только последний блок в списке...");
  EXPECT_EQ(fake.messages.shown[0].caption, "Удаление блока");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kStop);

  Select(2);
  window.ButtonDelBlockClick();  // No
  EXPECT_EQ(library.BlockIndexByName("Реле"), 2);
  fake.messages.answers.push_back(true);
  window.ButtonDelBlockClick();
  EXPECT_EQ(fake.messages.shown.back().caption, "Удаление блока");
  EXPECT_FALSE(Ini().SectionExists("Блок2"));
  EXPECT_EQ(library.BlockIndexByName("Реле"), -1);
  EXPECT_EQ(window.names().size(), 2u);
  EXPECT_EQ(window.selected(), -1);
  EXPECT_EQ(window.status_text(), "Типов блоков: 2");
  EXPECT_EQ(window.regimes(), (std::vector<BlockWindow::RegimeRow>{{"", "", ""}}));
  EXPECT_EQ(window.edit_umin(), "11.0");  // kept
}

TEST_F(BlockWindowTest, RenameRecordsTheRuleAndTellsTheProject) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  std::vector<std::pair<std::string, std::string>> renamed;
  window.SetRenameCallback(
      [&](const std::string& from, const std::string& to) { renamed.emplace_back(from, to); });
  Select(2);
  window.ListBox1DblClick();  // Cancel gives the old name: nothing
  Answer("");
  window.ListBox1DblClick();
  EXPECT_TRUE(renamed.empty());
  EXPECT_FALSE(FileExists(dir / kReplacementFileName));

  Answer("Рел");  // shorter; the lookups see it at once
  window.ListBox1DblClick();
  EXPECT_EQ(fake.prompter.asked.back().default_text, "Реле");
  EXPECT_EQ(Cp1251ToUtf8(dir.Read(kReplacementFileName)), "Реле>Рел\r\n");
  EXPECT_EQ(renamed, (std::vector<std::pair<std::string, std::string>>{{"Реле", "Рел"}}));
  EXPECT_EQ(window.names()[2], "Рел");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "После изменения названия блока\n имя в проектах следует обновить вручную...");
  EXPECT_EQ(fake.messages.shown[0].caption, "Новое имя блока");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(library.BlockIndexByName("Рел"), 2);
  EXPECT_EQ(library.BlockUmin(2), 11.0);

  Answer("Реж");  // the same size, most likely within the same second
  window.ListBox1DblClick();
  EXPECT_EQ(library.BlockIndexByName("Реж"), 2);
}

TEST_F(BlockWindowTest, UminFromThePromptOrAsTyped) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  window.EditUminClick();  // nothing selected: nothing asked
  EXPECT_TRUE(fake.prompter.asked.empty());
  Select(0);
  Answer("9,5");
  window.EditUminClick();
  EXPECT_EQ(fake.prompter.asked[0].caption, "Изменение величины напряжение");
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите минимальное напряжение  в вольтах");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "9.0");
  EXPECT_EQ(window.edit_umin(), "9.5");  // a typed decimal comma counts
  Answer("10.25");
  window.EditUminClick();
  EXPECT_EQ(window.edit_umin(), "10.2");
  EXPECT_EQ(library.BlockUmin(0), 10.2);
  EXPECT_EQ(Ini().ReadString("Блок0", "Umin", ""), "10,2");  // the user's separator

  window.SetEditUmin("12");  // typed: reaches the file with the next save
  EXPECT_EQ(library.BlockUmin(0), 10.2);
  Answer("Дежурный");
  EditCell(0, 1);
  EXPECT_EQ(library.BlockUmin(0), 12.0);
  window.SetEditUmin("7");  // typed, then another entry: dropped
  Select(2);
  Select(0);
  EXPECT_EQ(window.edit_umin(), "12.0");
}

TEST_F(BlockWindowTest, AFailedWriteKeepsTheFileWholeSaysSoAndShowsTheFile) {
  WriteBlocks(kThreeTypes);
  window.FormCreate();
  Select(0);
  const std::string before = Blocks();
  fake.files.Fail(testing::WriteStep::kWrite);
  Answer("Тревога");
  Answer("150");
  window.ButtonAddRegClick();
  fake.files.Heal();
  EXPECT_EQ(Blocks(), before);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Unable to write to " + PathToUtf8(dir / kBlockFileName) + ".");
  EXPECT_EQ(window.regimes().size(), 1u);  // the file's, not the one that failed
}

TEST_F(BlockWindowTest, AnUnreadableLibraryIsReportedOnceAndNeverWritten) {
  WriteBlocks("[Блок0]\nНазвание=А\n");
  std::filesystem::resize_file(dir / kBlockFileName, kMaxFileBytes + 1);
  const std::string before = dir.Read(kBlockFileName);
  const std::string path = PathToUtf8(dir / kBlockFileName);
  window.FormCreate();
  window.ButtonAddBlkClick();
  EXPECT_EQ(window.AddTypes({{{"Название", "Б"}}}), 0);  // a received project's type
  window.FormClose(BlockWindow::kDesign);
  ASSERT_EQ(fake.messages.shown.size(), 3u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot open file " + path + ".");
  EXPECT_EQ(fake.messages.shown[1].text, "Unable to write to " + path + ".");
  EXPECT_EQ(fake.messages.shown[2].text, "Unable to write to " + path + ".");
  EXPECT_TRUE(fake.prompter.asked.empty());
  EXPECT_EQ(dir.Read(kBlockFileName), before);
}

}  // namespace
}  // namespace luch
