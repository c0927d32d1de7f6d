#include "reports/quantities.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

struct Row {
  const char* cable;
  int length;
  const char* block;
  const char* regime;
  bool zb = false;
};

class Quantity : public ::testing::Test {
 protected:
  Quantity() {
    dir.Write("Блок.ini", Utf8ToCp1251("[Блок0]\r\nНазвание=ДИП\r\nРежим1=Дежурный\r\nРежим2="
                                       "Пожар\r\n[Блок1]\r\nНазвание=Реле\r\nРежим1=Норма\r\n"));
    cables.Add({"", "КСПВ 2х0,5", "48", "60", "120", ""});
  }

  Quantities Count(const std::vector<Row>& rows) {
    table.SetBlockCount(static_cast<int>(rows.size()));
    for (int i = 1; i <= table.BlockCount(); ++i) {
      const Row& row = rows[static_cast<size_t>(i - 1)];
      table.SetCableName(i, row.cable);
      table.SetLengthM(i, row.length);
      table.SetBlockName(i, row.block);
      table.SetRegimeName(i, row.regime);
      table.SetHasZB(i, row.zb);
    }
    return CountQuantities(table, cables, blocks);
  }

  testing::TempDir dir;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  ProjectTable table;
};

using Items = std::vector<QuantityItem>;

TEST_F(Quantity, CountsPerTypeAndRegimeInTheOrderOfTheRows) {
  const Quantities q = Count({{"ТРП", 30, "Реле", "Норма"},
                              {"КСПВ 2х0,5", 20, "ДИП", "Дежурный", true},
                              {"ТРП", 5, "ДИП", "Пожар"},
                              {"КСПВ 2х0,5", 0, "ДИП", "Дежурный", true}});
  EXPECT_EQ(q.cables, (Items{{"ТРП", true, 35, {}}, {"КСПВ 2х0,5", false, 20, {}}}));
  EXPECT_EQ(q.cable_length_m, 55);
  EXPECT_EQ(q.blocks,
            (Items{{"Реле", false, 1, {{"Норма", false, 1, {}}}},
                   {"ДИП", false, 3, {{"Дежурный", false, 2, {}}, {"Пожар", false, 1, {}}}}}));
  EXPECT_EQ(q.block_count, 4);
  EXPECT_EQ(q.zb_rows, 2);
  EXPECT_TRUE(q.any_unknown);  // ТРП
}

TEST_F(Quantity, EmptyNamesCountUnderLabelsAndMissingNamesAreMarked) {
  const Quantities q =
      Count({{"", 12, "", ""}, {"", 0, "Сирена", "Тревога"}, {"КСПВ 2х0,5", 3, "Реле", "Пожар"}});
  // A row without cable and length is not a cable; a missing block type's
  // regime is not marked again, a known type's is.
  EXPECT_EQ(q.cables, (Items{{"(кабель не указан)", false, 12, {}}, {"КСПВ 2х0,5", false, 3, {}}}));
  EXPECT_EQ(q.blocks, (Items{{"(блок не указан)", false, 1, {{"(режим не указан)", false, 1, {}}}},
                             {"Сирена", true, 1, {{"Тревога", false, 1, {}}}},
                             {"Реле", false, 1, {{"Пожар", true, 1, {}}}}}));
  EXPECT_FALSE(Count({{"", 12, "", ""}}).any_unknown);
}

TEST_F(Quantity, TextHasAlignedColumnsTotalsAndTheNote) {
  const std::vector<std::string> lines = BuildQuantitiesText(
      Count({{"КСПВ 2х0,5", 1250, "Реле", "Норма", true}, {"ТРП", 5, "Реле", "Норма"}}),
      "C:\\Проекты\\Школа 3.луч", "08.12.2026 21:15:30");
  const std::vector<std::string> expected = {
      "            Спецификация луча",
      "Объект:             Школа 3.луч",
      "Дата выполнения:    08.12.2026 21:15:30",
      "",
      "   N  Наименование            Ед.   Кол-во",
      "",
      "      Кабель",
      "  1.  КСПВ 2х0,5              м       1250",
      "  2.  ТРП *                   м          5",
      "      Итого кабеля            м       1255",
      "",
      "      Блоки",
      "  3.  Реле                    шт.        2",
      "        режим «Норма»         шт.        2",
      "      Итого блоков            шт.        2",
      "      Блоки грозозащиты (ЗБ)  шт.        1",
      "",
      "* нет в библиотеке",
  };
  EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace luch
