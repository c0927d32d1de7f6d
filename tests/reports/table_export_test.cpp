#include "reports/table_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace luch {
namespace {

TEST(BuildExport, HeaderRowThenOneLinePerRow) {
  ProjectTable table;
  table.SetBlockCount(3);
  const std::vector<std::string> csv = BuildExport(table, ExportFormat::kCsv);
  ASSERT_EQ(csv.size(), 4u);
  EXPECT_EQ(csv[0],
            " N; Адрес; Кабель; Длина (м); R (Ом); Блок; Режим; P (мВт); ЗБ; I (мА); U (В)");
  // An empty row: its number and ten separators.
  EXPECT_EQ(csv[1], "1;;;;;;;;;;");
  EXPECT_EQ(csv[3], "3;;;;;;;;;;");
  const std::vector<std::string> text = BuildExport(table, ExportFormat::kText);
  EXPECT_EQ(
      text[0],
      " N\t Адрес\t Кабель\t Длина (м)\t R (Ом)\t Блок\t Режим\t P (мВт)\t ЗБ\t I (мА)\t U (В)");
  EXPECT_EQ(text[2], "2\t\t\t\t\t\t\t\t\t\t");
}

TEST(BuildExport, CommaOnlyInCurrentAndVoltage) {
  ProjectTable table;
  table.SetBlockCount(2);
  const BlockRow row = {"1",        "ул. Мира 1.2", "КСПВ 2х0.5", "100",  "2.88", "БИС-Р",
                        "Дежурный", "150",          "ДА",         "5.36", "24.57"};
  for (int c = 0; c < kColumnCount; ++c) table.SetCell(1, c, row[c]);
  table.SetCell(2, kResistanceOhm, "2,88");
  const std::vector<std::string> csv = BuildExport(table, ExportFormat::kCsv);
  EXPECT_EQ(csv[1], "1;ул. Мира 1.2;КСПВ 2х0.5;100;2.88;БИС-Р;Дежурный;150;ДА;5,36;24,57");
  EXPECT_EQ(csv[2], "2;;;;2,88;;;;;;");
  EXPECT_EQ(BuildExport(table, ExportFormat::kText)[1],
            "1\tул. Мира 1.2\tКСПВ 2х0.5\t100\t2.88\tБИС-Р\tДежурный\t150\tДА\t5,36\t24,57");
}

TEST(ExportCell, CsvQuotesOnlyCellsThatWouldSplitTheRecord) {
  EXPECT_EQ(ExportCell("Склад; ворота 2", ExportFormat::kCsv), "\"Склад; ворота 2\"");
  EXPECT_EQ(ExportCell("Блок \"Север\"", ExportFormat::kCsv), "\"Блок \"\"Север\"\"\"");
  EXPECT_EQ(ExportCell("два\nряда", ExportFormat::kCsv), "\"два\nряда\"");
  EXPECT_EQ(ExportCell("a\rb", ExportFormat::kCsv), "\"a\rb\"");
  for (const char* kept : {"", " Адрес", "2,88", "a\tb", "  x  ", "'"}) {
    EXPECT_EQ(ExportCell(kept, ExportFormat::kCsv), kept);
  }
}

TEST(ExportCell, TextTurnsTabsAndLineBreaksIntoBlanks) {
  EXPECT_EQ(ExportCell("Дежурный\t2", ExportFormat::kText), "Дежурный 2");
  EXPECT_EQ(ExportCell("a\r\nb", ExportFormat::kText), "a  b");
  EXPECT_EQ(ExportCell("x;\"y\"", ExportFormat::kText), "x;\"y\"");
}

TEST(BuildExport, CsvShowsFormulaLikeNamesAsText) {
  ProjectTable table;
  table.SetBlockCount(1);
  table.SetAddress(1, "=HYPERLINK(\"http://x\";\"Щит\")");
  table.SetCableName(1, "+7 жил");
  table.SetCell(1, kLengthM, "-5");
  table.SetBlockName(1, "@A1");
  table.SetRegimeName(1, "-Резерв");
  table.SetCell(1, kCurrentMA, "-1.5");
  // Address, cable, block and regime; not the length or the current.
  EXPECT_EQ(BuildExport(table, ExportFormat::kCsv)[1],
            "1;\"'=HYPERLINK(\"\"http://x\"\";\"\"Щит\"\")\";\"'+7 "
            "жил\";-5;;\"'@A1\";\"'-Резерв\";;;-1,5;");
  EXPECT_EQ(BuildExport(table, ExportFormat::kText)[1],
            "1\t=HYPERLINK(\"http://x\";\"Щит\")\t+7 жил\t-5\t\t@A1\t-Резерв\t\t\t-1,5\t");
}

TEST(BuildExport, QuotedCsvCellKeepsElevenFields) {
  ProjectTable table;
  table.SetBlockCount(1);
  table.SetAddress(1, "Склад; ворота");
  table.SetCell(1, kVoltageV, "1.5;2");
  EXPECT_EQ(BuildExport(table, ExportFormat::kCsv)[1], "1;\"Склад; ворота\";;;;;;;;;\"1,5;2\"");
}

}  // namespace
}  // namespace luch
