#include "project/project_table.h"

#include <gtest/gtest.h>

#include "library/cable_library.h"

namespace luch {
namespace {

CableLibrary Cables() {
  CableLibrary cables;
  cables.Add({"", "КСПВ 2х0,5", "48", "60", "120", ""});
  cables.Add({"", "Нулевой", "0", "0", "0", ""});
  return cables;
}

TEST(ProjectTable, StartsWithFiveNumberedEmptyRows) {
  const ProjectTable table;
  EXPECT_EQ(table.BlockCount(), 5);
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(table.GetCell(row, kNumber), std::to_string(row));
    for (int col = 1; col < kColumnCount; ++col) EXPECT_EQ(table.GetCell(row, col), "");
  }
}

TEST(ProjectTable, RowsOutsideTheCountAreNeitherReadNorWritten) {
  ProjectTable table;
  table.SetCell(0, kAddress, "header");
  table.SetCell(6, kAddress, "beyond");
  table.SetCell(1, 11, "no column");
  table.SetCell(1, -1, "no column");
  EXPECT_EQ(table.GetCell(0, kAddress), "");
  EXPECT_EQ(table.GetCell(6, kAddress), "");
  EXPECT_EQ(table.GetCell(1, 11), "");
  table.SetBlockCount(6);
  EXPECT_EQ(table.GetCell(6, kAddress), "");
}

TEST(ProjectTable, HiddenRowsKeepTheirTexts) {
  ProjectTable table;
  table.SetBlockCount(10);
  for (int row = 1; row <= 10; ++row) table.SetAddress(row, "Дом " + std::to_string(row));
  table.SetBlockCount(4);
  EXPECT_EQ(table.GetCell(5, kAddress), "");
  table.SetBlockCount(10);
  for (int row = 5; row <= 10; ++row) EXPECT_EQ(table.Address(row), "Дом " + std::to_string(row));
}

TEST(ProjectTable, CountStaysInsideItsRange) {
  ProjectTable table;
  table.SetBlockCount(0);
  EXPECT_EQ(table.BlockCount(), 1);
  table.SetBlockCount(-5);
  EXPECT_EQ(table.BlockCount(), 1);
  table.SetBlockCount(5000);
  EXPECT_EQ(table.BlockCount(), 4096);
  EXPECT_EQ(table.GetCell(4096, kNumber), "4096");
}

TEST(ProjectTable, WholeNumbersReadByTheirLeadingDigits) {
  ProjectTable table;
  table.SetCell(1, kLengthM, "120 метров");
  table.SetCell(2, kLengthM, "метров");
  table.SetCell(3, kPowerMW, "-15");
  EXPECT_EQ(table.LengthM(1), 120);
  EXPECT_EQ(table.LengthM(2), 0);
  EXPECT_EQ(table.LengthM(4), 0);
  EXPECT_EQ(table.PowerMW(3), -15);
  table.SetLengthM(4, 250);
  EXPECT_EQ(table.GetCell(4, kLengthM), "250");
}

TEST(ProjectTable, CurrentAndVoltageUseTwoDecimalsWithAPoint) {
  ProjectTable table;
  table.SetCurrentMA(1, 5.0f);
  table.SetCurrentMA(2, 12.5f);
  table.SetVoltageV(3, 8.996f);
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "5.00");
  EXPECT_EQ(table.GetCell(2, kCurrentMA), "12.50");
  EXPECT_EQ(table.GetCell(3, kVoltageV), "9.00");
  table.SetCell(4, kCurrentMA, "1,5");
  EXPECT_DOUBLE_EQ(table.CurrentMA(4), 1.0);
  EXPECT_DOUBLE_EQ(table.VoltageV(5), 0.0);
}

TEST(ProjectTable, FlagIsSetByAnyText) {
  ProjectTable table;
  table.SetHasZB(1, true);
  EXPECT_EQ(table.GetCell(1, kHasZB), "ДА");
  table.SetCell(2, kHasZB, "x");
  EXPECT_TRUE(table.HasZB(2));
  table.SetHasZB(1, false);
  EXPECT_EQ(table.GetCell(1, kHasZB), "");
  EXPECT_FALSE(table.HasZB(1));
}

TEST(ProjectTable, UpdateResistanceFollowsCableAndLength) {
  ProjectTable table;
  const CableLibrary cables = Cables();
  table.SetCableName(1, "КСПВ 2х0,5");
  table.SetLengthM(1, 250);
  table.UpdateResistance(1, cables, ',');
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "24");
  table.SetLengthM(1, 130);  // 48 * 130 * 0.002 = 12.48
  table.UpdateResistance(1, cables, ',');
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "12,48");
  table.SetLengthM(1, 2);  // 0.192
  table.UpdateResistance(1, cables, ',');
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), ",19");
  table.SetLengthM(1, 0);
  table.UpdateResistance(1, cables, ',');
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "");
  table.SetCableName(2, "Нулевой");
  table.SetLengthM(2, 100);
  table.UpdateResistance(2, cables, ',');
  EXPECT_EQ(table.GetCell(2, kResistanceOhm), "");
  table.SetCableName(3, "кспв 2х0,5");  // names compare byte for byte
  table.SetLengthM(3, 100);
  table.UpdateResistance(3, cables, ',');
  EXPECT_EQ(table.GetCell(3, kResistanceOhm), "");
}

TEST(ProjectTable, ResistanceProductIsFormedBeyond32Bits) {
  // 100000 * 100000 wraps in 32 bits; in full it gives 2e7 Ohm.
  EXPECT_EQ(SegmentResistanceText(100000, 100000, '.'), "20000000");
}

}  // namespace
}  // namespace luch
