#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/calculation_report.h"

namespace luch {
namespace {

constexpr const char* kDate = "08.12.2026 21:15:30";
constexpr size_t kFirstRow = 10;  // header, blank, title, blank, column header

const std::string kBlanks15(15, ' ');

std::string AddressField(int i, const std::string& padded_address) {
  return (i < 10 ? "  " : " ") + std::to_string(i) + ".  " + padded_address + "  ";
}

std::vector<std::string> Build(const ProjectTable& table, const char* edit_u) {
  ProjectParameters parameters;
  parameters.SetNewProjectValues();  // ZBResistance 40
  parameters.EditU = edit_u;
  return BuildVoltageTable(table, parameters, {"Дом.луч", 700, 0.05f}, kDate);
}

TEST(BuildVoltageTable, HeaderAndColumnTitles) {
  ProjectTable table;
  table.SetBlockCount(1);
  const std::vector<std::string> lines = Build(table, "28.0");
  ASSERT_EQ(lines.size(), kFirstRow + 1);
  EXPECT_EQ(lines[1], "Объект:             Дом.луч");
  EXPECT_EQ(lines[2], "Длина луча:         700  [м]");
  EXPECT_EQ(lines[3], "Напряжение питания: 28.0  [Вольт]");
  EXPECT_EQ(lines[4], "Ток потребления:    50.00 [мА]");
  EXPECT_EQ(lines[7], "            Таблица напряжений в кабеле");
  EXPECT_EQ(lines[8], "");
  EXPECT_EQ(lines[9], "  N   Адрес                             Напряжение [Вольт]   %");
}

TEST(BuildVoltageTable, CableVoltageAndPercentage) {
  ProjectTable table;
  table.SetBlockCount(3);
  table.SetAddress(1, "Дом 1");
  table.SetCell(1, kVoltageV, "24.50");
  table.SetCell(1, kCurrentMA, "10.00");
  table.SetAddress(2, "Дом 2");
  table.SetCell(2, kVoltageV, "24.50");
  table.SetCell(2, kCurrentMA, "10.00");
  table.SetHasZB(2, true);
  // Row 3 was never calculated: empty voltage.
  const std::vector<std::string> lines = Build(table, "28");
  ASSERT_EQ(lines.size(), kFirstRow + 3);
  const std::string pad(27, ' ');
  EXPECT_EQ(lines[kFirstRow], AddressField(1, "Дом 1" + pad) + "24.50 " + kBlanks15 + "87.5");
  EXPECT_EQ(lines[kFirstRow + 1], AddressField(2, "Дом 2" + pad) + "24.90 " + kBlanks15 + "88.9");
  EXPECT_EQ(lines[kFirstRow + 2],
            AddressField(3, std::string(32, ' ')) + "0.00 " + kBlanks15 + "0.0");
}

TEST(BuildVoltageTable, PercentageOnlyAboveNineTenthsOfAVolt) {
  ProjectTable table;
  table.SetBlockCount(1);
  table.SetCell(1, kVoltageV, "0.45");
  const std::string no_percent = AddressField(1, std::string(32, ' ')) + "0.45 ";
  for (const char* edit_u : {"0.5", "0.9", "", "abc", "-28"}) {
    const std::vector<std::string> lines = Build(table, edit_u);
    EXPECT_EQ(lines[3], std::string("Напряжение питания: ") + edit_u + "  [Вольт]");
    EXPECT_EQ(lines[kFirstRow], no_percent) << edit_u;
  }
  EXPECT_EQ(Build(table, "0.91")[kFirstRow], no_percent + kBlanks15 + "49.5");
  // The supply voltage as typed, with a decimal comma.
  EXPECT_EQ(Build(table, "0,95")[kFirstRow], no_percent + kBlanks15 + "47.4");
}

TEST(BuildVoltageTable, LongAddressShiftsVoltage) {
  ProjectTable table;
  table.SetBlockCount(1);
  const std::string address = "г. Москва, ул. Профсоюзная, д. 123, корп. 4";
  table.SetAddress(1, address);
  table.SetCell(1, kVoltageV, "123.456");
  EXPECT_EQ(Build(table, "150")[kFirstRow],
            AddressField(1, address) + "123.46 " + kBlanks15 + "82.3");
}

}  // namespace
}  // namespace luch
