#include "editing/cable_replacement.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(ReplaceCableName, ChangesOnlyExactNameAndKeepsResistance) {
  ProjectTable table;
  table.SetBlockCount(3);
  table.SetCableName(1, "КСПВ 2x0,5");
  table.SetCell(1, kResistanceOhm, "24");
  table.SetCableName(2, "КСПВ 2x0,5 ");
  table.SetCableName(3, "кспв 2x0,5");
  EXPECT_EQ(ReplaceCableName(table, "КСПВ 2x0,5", "КСПВ 2x0,8"), 1);
  EXPECT_EQ(table.CableName(1), "КСПВ 2x0,8");
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "24");
  EXPECT_EQ(table.CableName(2), "КСПВ 2x0,5 ");
  EXPECT_EQ(table.CableName(3), "кспв 2x0,5");
}

TEST(ReplaceCableName, RunsOnlyForAcceptedPairOfTwoNames) {
  ProjectTable table;
  table.SetCableName(1, "K");
  ApplyCableReplacement(table, {false, "K", "L"});
  ApplyCableReplacement(table, {true, "", "L"});
  ApplyCableReplacement(table, {true, "K", ""});
  EXPECT_EQ(table.CableName(1), "K");
  ApplyCableReplacement(table, {true, "K", "K"});
  EXPECT_EQ(table.CableName(1), "K");
  ApplyCableReplacement(table, {true, "K", "L"});
  EXPECT_EQ(table.CableName(1), "L");
}

TEST(SetNormalRegimes, TakesFirstRegimeOfKnownTypes) {
  TempDir dir;
  dir.Write("Блок.ini", Utf8ToCp1251("[Блок0]\r\nНазвание=ДИП\r\nРежим1=Дежурный\r\n"
                                     "Режим2=Тревога\r\n"
                                     "[Блок1]\r\nНазвание=Пустой\r\nРежим2=Второй\r\n"
                                     "[Блок2]\r\nUmin=9\r\n"));
  const BlockLibrary blocks(dir.path());
  ProjectTable table;
  table.SetBlockCount(5);
  const char* block[] = {"ДИП", "ДИП", "Пустой", "Чужой", ""};
  for (int r = 1; r <= 5; ++r) {
    table.SetBlockName(r, block[r - 1]);
    table.SetRegimeName(r, "Тревога");
    table.SetCell(r, kPowerMW, "45");
    table.SetCell(r, kCurrentMA, "3.00");
  }
  table.SetRegimeName(2, "Дежурный");
  SetNormalRegimes(table, blocks);
  EXPECT_EQ(table.RegimeName(1), "Дежурный");
  EXPECT_EQ(table.RegimeName(2), "Дежурный");
  EXPECT_EQ(table.RegimeName(3), "");         // a type without a first regime
  EXPECT_EQ(table.RegimeName(4), "Тревога");  // not in the library
  EXPECT_EQ(table.RegimeName(5), "Тревога");  // no block: not the nameless type Блок2
  EXPECT_EQ(table.GetCell(1, kPowerMW), "45");
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "3.00");
}

class ChangeCblLogicTest : public ::testing::Test {
 protected:
  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
};

TEST_F(ChangeCblLogicTest, ListsCableNamesInLibraryOrder) {
  cables.Add({"", "КСПВ", "48", "", "", ""});
  cables.Add({"", "КПСВЭВ", "36", "", "", ""});
  ChangeCblLogic logic(dir.path(), cables, fake.platform());
  dir.Write("Tarvel.ini", "[ChangeCbl]\r\nLeft=5000\r\n");
  const WindowGeometry place = logic.FormCreate();
  EXPECT_EQ(logic.names(), (std::vector<std::string>{"КСПВ", "КПСВЭВ"}));
  EXPECT_EQ(place, (WindowGeometry{122, 1280 - 522, 526, 522}));
  logic.ListBoxFromDblClick(1);
  logic.ListBoxToDblClick(0);
  EXPECT_EQ(logic.Result(true), (ReplacementChoice{true, "КПСВЭВ", "КСПВ"}));
  logic.ListBoxToDblClick(-1);
  logic.ListBoxToDblClick(2);
  EXPECT_EQ(logic.edit_to, "КСПВ");
}

TEST_F(ChangeCblLogicTest, EmptyLibraryGivesOneEmptyName) {
  ChangeCblLogic logic(dir.path(), cables, fake.platform());
  logic.FormCreate();
  EXPECT_EQ(logic.names(), std::vector<std::string>{""});
}

}  // namespace
}  // namespace luch
