#include "chart/voltage_cell_colours.h"

#include <gtest/gtest.h>

#include "support/calc_fixture.h"

namespace luch {
namespace {

TEST(VoltageCellColours, FourLooksByMinimumAndSelection) {
  testing::CalcFixture f({}, {{"Датчик", "9.0", {}}, {"Низкий", "0.5", {}}});
  f.SetRows(
      {{"", 0, "Датчик"}, {"", 0, "Датчик"}, {"", 0, "Низкий"}, {"", 0, "Нет"}, {"", 0, "Датчик"}});
  f.table.SetCell(1, kVoltageV, "9.00");
  f.table.SetCell(2, kVoltageV, "8.99");
  f.table.SetCell(3, kVoltageV, "0.70");  // stored Umin 0.5, not raised to 1.0
  f.table.SetCell(4, kVoltageV, "1.00");
  f.table.SetCell(5, kVoltageV, "");  // reads as 0: in order

  VoltageCellLook in = VoltageCellColours(f.table, *f.blocks, kVoltageV, 1, false);
  EXPECT_FALSE(in.standard);
  EXPECT_FALSE(in.below_minimum);
  EXPECT_EQ(in.background, kWhite);
  EXPECT_EQ(in.text, kGreen);
  VoltageCellLook in_selected = VoltageCellColours(f.table, *f.blocks, kVoltageV, 1, true);
  EXPECT_TRUE(in_selected.highlight_background);
  EXPECT_EQ(in_selected.text, kLime);
  VoltageCellLook below = VoltageCellColours(f.table, *f.blocks, kVoltageV, 2, false);
  EXPECT_TRUE(below.below_minimum);
  EXPECT_EQ(below.background, kRed);
  EXPECT_EQ(below.text, kBlack);
  VoltageCellLook below_selected = VoltageCellColours(f.table, *f.blocks, kVoltageV, 2, true);
  EXPECT_FALSE(below_selected.highlight_background);
  EXPECT_EQ(below_selected.background, kMaroon);
  EXPECT_EQ(below_selected.text, kWhite);

  EXPECT_FALSE(VoltageCellColours(f.table, *f.blocks, kVoltageV, 3, false).below_minimum);
  EXPECT_FALSE(VoltageCellColours(f.table, *f.blocks, kVoltageV, 5, false).below_minimum);
  EXPECT_TRUE(VoltageCellColours(f.table, *f.blocks, kVoltageV, 4, false).standard);  // unknown
  EXPECT_TRUE(VoltageCellColours(f.table, *f.blocks, kCurrentMA, 2, false).standard);
  EXPECT_TRUE(VoltageCellColours(f.table, *f.blocks, kVoltageV, 0, false).standard);
  EXPECT_TRUE(VoltageCellColours(f.table, *f.blocks, kVoltageV, 6, false).standard);
}

}  // namespace
}  // namespace luch
