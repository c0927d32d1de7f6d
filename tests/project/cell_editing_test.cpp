#include "project/cell_editing.h"

#include <gtest/gtest.h>

#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/entry_keys.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class CellEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    cables.Add({"", "КСПВ 2х0,5", "48", "60", "120", ""});
    cables.Add({"", "Без сопротивления", "0", "60", "120", ""});
    ProfileFile file(dir / "Блок.ini");
    file.WriteString("Блок0", "Название", "БРА");
    file.WriteString("Блок0", "Режим1", "Нормальный");
    file.WriteInteger("Блок0", "P1", 280);
    file.WriteString("Блок0", "I1", "0");
    file.WriteString("Блок0", "Режим2", "Тревога");
    file.WriteInteger("Блок0", "P2", 0);
    file.WriteString("Блок0", "I2", "12,5");
    file.WriteString("Блок1", "Название", "Блок & Ко");
    file.WriteString("Блок1", "Режим1", "Дежурный");
    file.WriteString("Блок1", "I1", "3");
    ASSERT_TRUE(file.Save());
  }

  CellEditContext Context(int col, int row) {
    return CellEditContext{table, cables, blocks, fake.platform(), ClickedCell{col, row}};
  }

  TempDir dir;
  FakePlatform fake;
  ProjectTable table;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
};

TEST_F(CellEditing, HeaderRowAndCellsOutsideDoNothing) {
  for (const ClickedCell cell : {ClickedCell{1, 0}, ClickedCell{-1, -1}, ClickedCell{8, 6}}) {
    auto ctx = Context(cell.col, cell.row);
    EXPECT_EQ(StringGrid1DblClick(ctx).kind, ChoiceMenuKind::kNone);
  }
  EXPECT_TRUE(fake.prompter.asked.empty());
  EXPECT_EQ(table.GetCell(5, kHasZB), "");
}

TEST_F(CellEditing, AddressIsAskedWithItsCaption) {
  table.SetAddress(2, "Старый");
  fake.prompter.Answer("ул. Ленина, 5");
  auto ctx = Context(kAddress, 2);
  StringGrid1DblClick(ctx);
  ASSERT_EQ(fake.prompter.asked.size(), 1u);
  EXPECT_EQ(fake.prompter.asked[0].caption, "Адрес блока ");
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите адрес расположения блока");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "Старый");
  EXPECT_EQ(table.Address(2), "ул. Ленина, 5");
}

TEST_F(CellEditing, LengthCaptionDependsOnTheRowAndResistanceFollows) {
  table.SetCableName(1, "КСПВ 2х0,5");
  table.SetCableName(3, "КСПВ 2х0,5");
  fake.prompter.Answer("250");
  fake.prompter.Answer("12 м");
  auto first = Context(kLengthM, 1);
  StringGrid1DblClick(first);
  auto third = Context(kLengthM, 3);
  StringGrid1DblClick(third);
  EXPECT_EQ(fake.prompter.asked[0].caption, "Длина кабеля от КМУ");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "0");
  EXPECT_EQ(fake.prompter.asked[1].caption, "Длина кабеля от предыдущего блока");
  EXPECT_EQ(fake.prompter.asked[1].prompt, "Введите длину кабеля в метрах");
  EXPECT_EQ(table.GetCell(1, kLengthM), "250");
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "24");
  EXPECT_EQ(table.GetCell(3, kLengthM), "12");
  EXPECT_EQ(table.GetCell(3, kResistanceOhm), "1,15");
}

TEST_F(CellEditing, ALengthThatIsNoLengthIsRefusedAndAskedForAgainAsTyped) {
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"-5", "Длина не может быть отрицательной."},
      {"35,5", "Длина задается в целых метрах."},
      {"abc", "Введите длину в метрах."},
      {"35 км", "Введите длину в метрах."}};
  for (const auto& [answer, reason] : refused) fake.prompter.Answer(answer);
  fake.prompter.Answer(" 35 м");  // blanks and the unit are fine
  auto ctx = Context(kLengthM, 2);
  StringGrid1DblClick(ctx);
  ASSERT_EQ(fake.messages.shown.size(), refused.size());
  for (size_t k = 0; k < refused.size(); ++k) {
    EXPECT_EQ(fake.messages.shown[k].text, refused[k].second) << refused[k].first;
    EXPECT_EQ(fake.prompter.asked.at(k + 1).default_text, refused[k].first);
  }
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(table.GetCell(2, kLengthM), "35");
}

TEST_F(CellEditing, CancelledLengthStillRecomputesResistance) {
  table.SetCableName(2, "КСПВ 2х0,5");
  table.SetLengthM(2, 100);
  fake.prompter.Answer(std::nullopt);
  auto ctx = Context(kLengthM, 2);
  StringGrid1DblClick(ctx);
  EXPECT_EQ(table.GetCell(2, kLengthM), "100");
  EXPECT_EQ(table.GetCell(2, kResistanceOhm), "9,6");
}

TEST_F(CellEditing, CableMenuListsTheLibraryAndAChoiceWritesNameAndResistance) {
  table.SetLengthM(1, 250);
  auto ctx = Context(kCableName, 1);
  const ChoiceMenu menu = StringGrid1DblClick(ctx);
  ASSERT_EQ(menu.kind, ChoiceMenuKind::kCable);
  ASSERT_EQ(menu.items.size(), 2u);
  EXPECT_EQ(menu.items[1].caption, "Без сопротивления");
  EXPECT_EQ(menu.items[1].tag, 2);
  CableMenuClick(ctx, menu.items[0]);
  EXPECT_EQ(table.CableName(1), "КСПВ 2х0,5");
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "24");
  CableMenuClick(ctx, menu.items[1]);
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "");
}

TEST_F(CellEditing, BlockChoiceWritesTheFirstRegime) {
  table.SetRegimeName(1, "Тревога");
  auto ctx = Context(kBlockName, 1);
  const ChoiceMenu menu = StringGrid1DblClick(ctx);
  ASSERT_EQ(menu.kind, ChoiceMenuKind::kBlock);
  ASSERT_EQ(menu.items.size(), 2u);
  EXPECT_EQ(menu.items[1].caption, "Блок & Ко");  // the ampersand unchanged
  BlockMenuClick(ctx, menu.items[0]);
  EXPECT_EQ(table.BlockName(1), "БРА");
  EXPECT_EQ(table.RegimeName(1), "Нормальный");
  EXPECT_EQ(table.GetCell(1, kPowerMW), "280");
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "0.00");
  BlockMenuClick(ctx, menu.items[1]);
  EXPECT_EQ(table.BlockName(1), "Блок & Ко");
  EXPECT_EQ(table.GetCell(1, kPowerMW), "100");  // P1 missing: the window's default
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "3.00");
}

TEST_F(CellEditing, RegimeMenuOnlyForAKnownBlock) {
  auto ctx = Context(kRegimeName, 1);
  EXPECT_EQ(StringGrid1DblClick(ctx).kind, ChoiceMenuKind::kNone);
  table.SetBlockName(1, "бра");
  EXPECT_EQ(StringGrid1DblClick(ctx).kind, ChoiceMenuKind::kNone);
  table.SetBlockName(1, "БРА");
  const ChoiceMenu menu = StringGrid1DblClick(ctx);
  ASSERT_EQ(menu.kind, ChoiceMenuKind::kRegime);
  ASSERT_EQ(menu.items.size(), 2u);
  RegimeMenuClick(ctx, menu.items[1]);
  EXPECT_EQ(table.RegimeName(1), "Тревога");
  EXPECT_EQ(table.GetCell(1, kPowerMW), "0");
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "12.50");
}

TEST_F(CellEditing, MenusListUpTo1025TypesAnd32RegimesBeyondTheNameSearch) {
  ProfileFile file(dir / "Блок.ini");
  for (int b = 2; b <= 1030; ++b) file.WriteString("Блок" + std::to_string(b), "Название", "Т");
  file.WriteString("Блок1024", "Название", "Последний");
  for (int r = 2; r <= 33; ++r) {
    file.WriteString("Блок1", "Режим" + std::to_string(r), "Р" + std::to_string(r));
    file.WriteInteger("Блок1", "P" + std::to_string(r), 7);
  }
  ASSERT_TRUE(file.Save());
  blocks.Invalidate();
  auto ctx = Context(kBlockName, 1);
  const ChoiceMenu types = StringGrid1DblClick(ctx);
  ASSERT_EQ(types.items.size(), 1025u);
  BlockMenuClick(ctx, types.items.back());
  EXPECT_EQ(table.BlockName(1), "Последний");
  ctx.clicked.col = kRegimeName;  // type 1024 is not found by name: no menu
  EXPECT_EQ(StringGrid1DblClick(ctx).kind, ChoiceMenuKind::kNone);

  table.SetBlockName(1, "Блок & Ко");
  const ChoiceMenu regimes = StringGrid1DblClick(ctx);
  ASSERT_EQ(regimes.items.size(), 32u);
  RegimeMenuClick(ctx, regimes.items.back());  // regime 32: not found again by name
  EXPECT_EQ(table.RegimeName(1), "Р32");
  EXPECT_EQ(table.GetCell(1, kPowerMW), "0");
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "0.00");
}

TEST_F(CellEditing, FlagTogglesAndResistanceRecomputes) {
  auto flag = Context(kHasZB, 4);
  StringGrid1DblClick(flag);
  EXPECT_EQ(table.GetCell(4, kHasZB), "ДА");
  StringGrid1DblClick(flag);
  EXPECT_EQ(table.GetCell(4, kHasZB), "");
  table.SetCell(4, kHasZB, "x");
  StringGrid1DblClick(flag);
  EXPECT_EQ(table.GetCell(4, kHasZB), "");
  table.SetCableName(4, "КСПВ 2х0,5");
  table.SetLengthM(4, 250);
  auto resistance = Context(kResistanceOhm, 4);
  StringGrid1DblClick(resistance);
  EXPECT_EQ(table.GetCell(4, kResistanceOhm), "24");
}

TEST_F(CellEditing, ColumnsWithoutAnActionChangeNothing) {
  for (const int col : {kNumber, kPowerMW, kCurrentMA, kVoltageV}) {
    auto ctx = Context(col, 1);
    EXPECT_EQ(StringGrid1DblClick(ctx).kind, ChoiceMenuKind::kNone);
  }
  EXPECT_TRUE(fake.prompter.asked.empty());
  EXPECT_EQ(table.GetRow(1), ProjectTable().GetRow(1));
}

TEST_F(CellEditing, EmptyLibrariesGiveEmptyMenus) {
  TempDir empty;
  BlockLibrary no_blocks(empty.path());
  EXPECT_TRUE(BuildBlockMenu(no_blocks).items.empty());
  const CableLibrary no_cables;
  const ChoiceMenu menu = BuildCableMenu(no_cables);
  ASSERT_EQ(menu.items.size(), 1u);  // the one empty type
  EXPECT_EQ(menu.items[0].caption, "");
}

// Type-ahead on a menu: letter case and leading blanks do not count, the
// search goes round from where it starts, and a name no item begins with
// finds none.
TEST(EntryKeys, TypeAheadFindsTheNextNameBeginningWithTheText) {
  const ChoiceMenu menu{ChoiceMenuKind::kCable,
                        {{"КСПВ 2х0,5", 0}, {"ШВВП 2х0,5", 0}, {"кспв 4х0,5", 0}, {" UTP", 0}}};
  struct Case {
    const char* typed;
    int from;
    int found;
  };
  for (const Case c : {Case{"к", 0, 0}, Case{"К", 1, 2}, Case{"КСПВ 4", 0, 2}, Case{"ш", 3, 1},
                       Case{"utp", 0, 3}, Case{"Я", 0, -1}, Case{"", 0, -1}, Case{"к", 9, 0}}) {
    EXPECT_EQ(TypeAheadItem(menu, c.typed, c.from), c.found) << c.typed << " from " << c.from;
  }
  EXPECT_EQ(OpeningItem(menu, "ШВВП 2х0,5"), 1);
  EXPECT_EQ(OpeningItem(menu, "нет такого"), 0);     // Enter takes the first
  EXPECT_EQ(NextEntryColumn(kLengthM), kBlockName);  // the resistance is computed, not entered
  EXPECT_EQ(NextEntryColumn(kHasZB), -1);
}

}  // namespace
}  // namespace luch
