#include "reports/calculation_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace luch {
namespace {

constexpr const char* kDate = "08.12.2026 21:15:30";

ProjectParameters Parameters(const char* edit_u = "28.0") {
  ProjectParameters parameters;
  parameters.SetNewProjectValues();
  parameters.EditU = edit_u;
  return parameters;
}

TEST(BuildReport, HeaderLines) {
  ProjectTable table;
  table.SetBlockCount(1);
  CalculationSummary summary{"C:\\Проекты\\Школа 3.луч", 2500, 0.1234f};
  const std::vector<std::string> lines = BuildReport(table, Parameters("30"), summary, kDate);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[0], "            Расчет луча по постоянному току");
  EXPECT_EQ(lines[1], "Объект:             Школа 3.луч");
  EXPECT_EQ(lines[2], "Длина луча:         2500  [М]");
  // EditU as typed, even when it was changed after the calculation.
  EXPECT_EQ(lines[3], "Напряжение питания: 30  [Вольт]");
  EXPECT_EQ(lines[4], "Ток потребления:    123.40 [мА]");
  EXPECT_EQ(lines[5], "Дата выполнения:    08.12.2026 21:15:30");
  EXPECT_EQ(lines[6], "");
}

TEST(BuildReport, ProjectNeverSavedLeavesObjectEmpty) {
  ProjectTable table;
  const std::vector<std::string> lines = BuildReport(table, Parameters(), {}, kDate);
  EXPECT_EQ(lines[1], "Объект:             ");
  EXPECT_EQ(lines[2], "Длина луча:         0  [М]");
  EXPECT_EQ(lines[4], "Ток потребления:    0.00 [мА]");
}

TEST(BuildReport, RowFieldsPadByCharactersAndNeverCut) {
  ProjectTable table;
  table.SetBlockCount(2);
  table.SetAddress(1, "Дом 7");
  table.SetBlockName(1, "БИС-Р");
  table.SetCableName(1, "ТРП 2х0,4 экранированный");  // 24 characters
  table.SetLengthM(1, 12345);
  table.SetCell(1, kVoltageV, "24.567");
  table.SetCell(1, kCurrentMA, "5.5");
  table.SetAddress(2, "г. Москва, ул. Профсоюзная, д. 123, корп. 4");
  const std::vector<std::string> lines = BuildReport(table, Parameters(), {}, kDate);
  ASSERT_EQ(lines.size(), 7u + 5u + 5u);
  EXPECT_EQ(lines[7], "  1.  Адрес: Дом 7" + std::string(27, ' '));
  EXPECT_EQ(lines[8], "      Блок:  БИС-Р" + std::string(27, ' '));
  EXPECT_EQ(lines[9], "      Кабель: ТРП 2х0,4 экранированный Длина:  12345 [м]");
  EXPECT_EQ(lines[10], "      Напряжение: 24.57 [Вольт]    Ток:    5.50 [мА]");
  EXPECT_EQ(lines[11], "");
  EXPECT_EQ(lines[12], "  2.  Адрес: г. Москва, ул. Профсоюзная, д. 123, корп. 4");
}

TEST(BuildReport, EmptyRowPrintsEmptyTextsAndZeros) {
  ProjectTable table;
  table.SetBlockCount(1);
  const std::vector<std::string> lines = BuildReport(table, Parameters(), {}, kDate);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[7], "  1.  Адрес: " + std::string(32, ' '));
  EXPECT_EQ(lines[9], "      Кабель: " + std::string(20, ' ') + " Длина:     0 [м]");
  EXPECT_EQ(lines[10], "      Напряжение: 0.00 [Вольт]    Ток:    0.00 [мА]");
}

TEST(BuildReport, LightningProtectionAddsInputVoltageLine) {
  ProjectTable table;
  table.SetBlockCount(2);
  table.SetCell(1, kVoltageV, "24.50");
  table.SetCell(1, kCurrentMA, "10.00");
  table.SetHasZB(1, true);
  table.SetCell(2, kVoltageV, "24.50");
  table.SetCell(2, kCurrentMA, "10.00");
  const std::vector<std::string> lines = BuildReport(table, Parameters(), {}, kDate);
  // Row 1: five lines and a blank; row 2: four and a blank.
  ASSERT_EQ(lines.size(), 7u + 6u + 5u);
  EXPECT_EQ(lines[11], "      Напряжение на входе блока грозозащиты: 24.90 [Вольт]");
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[16], "      Напряжение: 24.50 [Вольт]    Ток:    10.00 [мА]");
  EXPECT_EQ(lines[17], "");
}

}  // namespace
}  // namespace luch
