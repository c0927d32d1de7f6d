#include "editing/block_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(ReplaceBlockName, MatchesWholeNameExactly) {
  ProjectTable table;
  table.SetBlockCount(5);
  const char* names[] = {"A", "a", "A ", "A", "B"};
  for (int r = 1; r <= 5; ++r) {
    table.SetBlockName(r, names[r - 1]);
    table.SetRegimeName(r, "Дежурный");
    table.SetCell(r, kPowerMW, "45");
  }
  EXPECT_EQ(ReplaceBlockName(table, "A", "C"), 2);
  EXPECT_EQ(table.BlockName(1), "C");
  EXPECT_EQ(table.BlockName(2), "a");
  EXPECT_EQ(table.BlockName(3), "A ");
  EXPECT_EQ(table.BlockName(4), "C");
  EXPECT_EQ(table.RegimeName(4), "Дежурный");
  EXPECT_EQ(table.GetCell(4, kPowerMW), "45");
  EXPECT_EQ(ReplaceBlockName(table, "Нет", "X"), 0);
}

TEST(ReplaceBlockName, RunsOnlyForAcceptedPairOfTwoNames) {
  ProjectTable table;
  table.SetBlockName(1, "A");
  ApplyBlockReplacement(table, {false, "A", "B"});
  ApplyBlockReplacement(table, {true, "A", ""});
  ApplyBlockReplacement(table, {true, "", "B"});
  EXPECT_EQ(table.BlockName(1), "A");
  ApplyBlockReplacement(table, {true, "A", "B"});
  EXPECT_EQ(table.BlockName(1), "B");
}

TEST(SplitReplacementLine, SplitsAtFirstMarkWithinFirst127Characters) {
  using Pair = std::pair<std::string, std::string>;
  EXPECT_EQ(SplitReplacementLine("A>B"), (Pair{"A", "B"}));
  EXPECT_EQ(SplitReplacementLine("A>B>C"), (Pair{"A", "B>C"}));
  EXPECT_EQ(SplitReplacementLine(">Новый"), (Pair{"", "Новый"}));
  EXPECT_EQ(SplitReplacementLine("Старый>"), (Pair{"Старый", ""}));
  EXPECT_FALSE(SplitReplacementLine("без пары").has_value());
  // Characters, not bytes: 126 Cyrillic letters, the mark as the 127th.
  std::string letters;
  for (int k = 0; k < 126; ++k) letters += "Ж";
  EXPECT_EQ(SplitReplacementLine(letters + ">Новый"), (Pair{letters, ""}));
  EXPECT_FALSE(SplitReplacementLine(letters + "Ж>Новый").has_value());
  const std::string long_to(200, 'b');
  EXPECT_EQ(SplitReplacementLine("a>" + long_to), (Pair{"a", std::string(125, 'b')}));
}

class ChangeBlkLogicTest : public ::testing::Test {
 protected:
  std::filesystem::path ListPath() const { return dir / "Замена блоков.ini"; }
  void WriteList(std::string_view utf8) { dir.Write("Замена блоков.ini", Utf8ToCp1251(utf8)); }
  std::string ListText() const { return Cp1251ToUtf8(dir.Read("Замена блоков.ini")); }

  TempDir dir;
  FakePlatform fake;
  BlockLibrary blocks{dir.path()};
  ChangeBlkLogic logic{dir.path(), blocks, fake.platform()};
};

TEST_F(ChangeBlkLogicTest, MissingListIsAnEmptyListWithoutMessage) {
  dir.Write("Tarvel.ini", "[ChangeBlk]\r\nTop=10\r\nLeft=20\r\n");
  const WindowGeometry place = logic.FormCreate();
  EXPECT_TRUE(logic.items().empty());
  EXPECT_TRUE(fake.messages.shown.empty());
  EXPECT_EQ(place, (WindowGeometry{10, 20, 451, 580}));
}

TEST_F(ChangeBlkLogicTest, LoadsLinesInFileOrder) {
  WriteList("ДИП>ДИП-34\r\nбез пары\r\nA>B\r\n");
  logic.FormCreate();
  EXPECT_EQ(logic.items(), (std::vector<std::string>{"ДИП>ДИП-34", "без пары", "A>B"}));
}

TEST_F(ChangeBlkLogicTest, UnreadableListIsReportedAndDesignPlaceUsed) {
  std::filesystem::create_directory(ListPath());
  dir.Write("Tarvel.ini", "[ChangeBlk]\r\nTop=10\r\nLeft=20\r\n");
  const WindowGeometry place = logic.FormCreate();
  EXPECT_TRUE(logic.items().empty());
  EXPECT_EQ(place, (WindowGeometry{79, 140, 451, 580}));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, NotAFileText(PathToUtf8(ListPath())) + ".");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kStop);
}

TEST_F(ChangeBlkLogicTest, AnUnreadableListIsNeverReplaced) {
  const std::string too_many_lines(kMaxFileLines + 1, '\n');
  dir.Write("Замена блоков.ini", too_many_lines);
  logic.FormCreate();
  logic.edit_from = "A";
  logic.edit_to = "B";
  logic.BitBtnSaveClick();
  EXPECT_EQ(dir.Read("Замена блоков.ini"), too_many_lines);
  ASSERT_EQ(fake.messages.shown.size(), 2u);  // cannot open, then cannot write
  EXPECT_EQ(fake.messages.shown[1].text, "Unable to write to " + PathToUtf8(ListPath()) + ".");
  EXPECT_TRUE(logic.items().empty());
}

TEST_F(ChangeBlkLogicTest, ClickFillsBothEditsFromItem) {
  WriteList("A>B>C\r\n>Новый\r\nбез пары\r\n");
  logic.FormCreate();
  logic.ListBox1Click(0);
  EXPECT_EQ(logic.edit_from, "A");
  EXPECT_EQ(logic.edit_to, "B>C");
  logic.ListBox1Click(2);
  EXPECT_EQ(logic.edit_from, "");
  EXPECT_EQ(logic.edit_to, "");
  logic.ListBox1Click(1);
  EXPECT_EQ(logic.edit_from, "");
  EXPECT_EQ(logic.edit_to, "Новый");
  EXPECT_FALSE(ShouldReplace(logic.Result(true)));
  logic.edit_from = "X";
  logic.ListBox1Click(-1);  // nothing selected: the edits stay
  EXPECT_EQ(logic.edit_from, "X");
}

TEST_F(ChangeBlkLogicTest, SaveAppendsAndRewritesWholeFile) {
  WriteList("Старый>Новый\n");  // a bare LF line end is rewritten as CR LF
  logic.FormCreate();
  logic.edit_from = "ДИП";
  logic.edit_to = "ДИП-34";
  logic.BitBtnSaveClick();
  logic.BitBtnSaveClick();
  EXPECT_EQ(ListText(), "Старый>Новый\r\nДИП>ДИП-34\r\nДИП>ДИП-34\r\n");
  logic.edit_to = "";
  logic.BitBtnSaveClick();
  EXPECT_EQ(logic.items().size(), 3u);
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ChangeBlkLogicTest, NamesTheFilesCannotHoldAreNeitherSavedNorReplacedWith) {
  logic.FormCreate();
  logic.edit_from = "Блок 2";
  logic.edit_to = "Блок 2×2";
  logic.BitBtnSaveClick();
  EXPECT_FALSE(logic.MayReplace());
  EXPECT_TRUE(logic.items().empty());
  EXPECT_EQ(fake.messages.shown.size(), 2u);
}

TEST_F(ChangeBlkLogicTest, SaveCreatesMissingFile) {
  logic.FormCreate();
  logic.edit_from = "A";
  logic.edit_to = "B";
  logic.BitBtnSaveClick();
  EXPECT_EQ(ListText(), "A>B\r\n");
}

TEST_F(ChangeBlkLogicTest, RewritingTheFileKeepsEveryByteOfTheOtherLines) {
  std::string high;  // every byte from 0x80 up, 0x98 (no character) included
  for (int b = 0x80; b < 0x100; ++b) high += static_cast<char>(b);
  dir.Write("Замена блоков.ini", "1>a\r\n" + high + ">" + high + "\r\n");
  logic.FormCreate();
  logic.pmDelClick(0);
  EXPECT_EQ(dir.Read("Замена блоков.ini"), high + ">" + high + "\r\n");
}

TEST_F(ChangeBlkLogicTest, DeleteRemovesItemAndRewritesFile) {
  WriteList("1>a\r\n2>b\r\n3>c\r\n");
  logic.FormCreate();
  logic.pmDelClick(1);
  EXPECT_EQ(ListText(), "1>a\r\n3>c\r\n");
  logic.pmDelClick(-1);
  logic.pmDelClick(2);
  EXPECT_EQ(logic.items().size(), 2u);
  logic.pmDelClick(0);
  logic.pmDelClick(0);
  EXPECT_EQ(ListText(), "");
}

TEST_F(ChangeBlkLogicTest, FailedWriteIsReportedAndListKeepsChange) {
  WriteList("1>a\r\n");
  logic.FormCreate();
  logic.edit_from = "A";
  logic.edit_to = "B";
  fake.files.Fail(testing::WriteStep::kWrite);
  logic.BitBtnSaveClick();
  logic.pmDelClick(0);
  fake.files.Heal();
  EXPECT_EQ(logic.items(), std::vector<std::string>{"A>B"});
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot create file " + PathToUtf8(ListPath()) + ".");
  EXPECT_EQ(ListText(), "1>a\r\n");
}

TEST_F(ChangeBlkLogicTest, ChoiceNamesStopAtFirstEmptyName) {
  dir.Write("Блок.ini", Utf8ToCp1251("[Блок0]\r\nНазвание=ДИП-34\r\n"
                                     "[Блок1]\r\nНазвание=Щит&Свет\r\n"
                                     "[Блок2]\r\nUmin=9\r\n"
                                     "[Блок3]\r\nНазвание=После пробела\r\n"));
  EXPECT_EQ(logic.BlockChoiceNames(), (std::vector<std::string>{"ДИП-34", "Щит&Свет"}));
}

TEST_F(ChangeBlkLogicTest, CloseStoresPlace) {
  logic.FormClose({1, 2, 300, 400});
  EXPECT_EQ(Cp1251ToUtf8(dir.Read("Tarvel.ini")),
            "[ChangeBlk]\r\nTop=1\r\nLeft=2\r\nHeight=300\r\nWidth=400\r\n");
}

}  // namespace
}  // namespace luch
