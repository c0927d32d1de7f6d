#include "editing/table_text.h"

#include <gtest/gtest.h>

namespace luch {
namespace {

TEST(TableText, ASpreadsheetsTextGivesItsRowsInTheGridsColumns) {
  // As LibreOffice puts a range on the clipboard: LF line ends, decimal
  // commas, quoted cells (one over two lines), a header line and short rows;
  // cells that begin with a quote not closed where the cell ends are read as
  // they stand, as a spreadsheet reads them.
  const std::string text =
      "N\tАдрес\tКабель\tДлина (м)\tR (Ом)\tБлок\tРежим\tP (мВт)\tЗБ\tI (мА)\tU (В)\n"
      "1\tПодъезд 1, этаж 1\tКСПВ 2х0,8\t35,0\t2,52\tИзолятор\tНормальный\t0\tДА\t0,30\t27,91\n"
      "\t\"Щит \"\"А\"\"\tподвал\"\tКСПВ 2х0,5\t 12 \n"
      "\n"
      "3\tКотельная\t\"Луч\" корп. 2\n"
      "\t\"Этаж\n2\"\t\"КСПВ\t\r\n";
  const std::vector<TabRow> rows = ParseTabText(text);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0],
            (TabRow{"Подъезд 1, этаж 1", "КСПВ 2х0,8", "35,0", "Изолятор", "Нормальный", "ДА"}));
  EXPECT_EQ(rows[1], (TabRow{"Щит \"А\" подвал", "КСПВ 2х0,5", "12", "", "", ""}));
  EXPECT_EQ(rows[2], (TabRow{"Котельная", "\"Луч\" корп. 2", "", "", "", ""}));
  EXPECT_EQ(rows[3], (TabRow{"Этаж 2", "\"КСПВ", "", "", "", ""}));
}

TEST(TableText, LuchsOwnRowsComeBackAsTheyWere) {
  ProjectTable table;
  table.SetBlockCount(2);
  table.SetAddress(1, "Подъезд 2");
  table.SetCableName(1, "КПСВВ");
  table.SetLengthM(1, 48);
  table.SetBlockName(1, "Извещатель");
  table.SetRegimeName(1, "Тревога");
  table.SetHasZB(1, true);
  table.SetAddress(2, "Тамбур\tвход");  // a tab cannot stay in one cell
  const std::string text = RowsAsTabText(table, 1, 2, ',');
  EXPECT_EQ(text.substr(0, text.find("\r\n")),
            "1\tПодъезд 2\tКПСВВ\t48\t\tИзвещатель\tТревога\t\tДА\t\t");
  const std::vector<TabRow> rows = ParseTabText(text);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (TabRow{"Подъезд 2", "КПСВВ", "48", "Извещатель", "Тревога", "ДА"}));
  EXPECT_EQ(rows[1].address, "Тамбур вход");
}

TEST(TableText, NumbersGoOutAsASpreadsheetOfTheLocaleReadsThem) {
  ProjectTable table;
  table.SetAddress(1, "2.5");  // a text column keeps its text
  table.SetLengthM(1, 48);
  table.SetCell(1, kResistanceOhm, ",86");
  table.SetCurrentMA(1, 2.24f);
  table.SetCell(1, kVoltageV, "-.5");
  EXPECT_EQ(RowsAsTabText(table, 1, 1, ','), "1\t2.5\t\t48\t0,86\t\t\t\t\t2,24\t-0,5\r\n");
  EXPECT_EQ(RowsAsTabText(table, 1, 1, '.'), "1\t2.5\t\t48\t0.86\t\t\t\t\t2.24\t-0.5\r\n");
  for (const auto& [cell, written] :
       std::vector<std::pair<std::string, std::string>>{{"7,", "7"},
                                                        {"1.2.3", "1.2.3"},
                                                        {"12 м", "12 м"},
                                                        {"-", "-"},
                                                        {".", "."},
                                                        {"+1", "+1"}}) {
    EXPECT_EQ(SpreadsheetNumber(cell, ','), written) << cell;
  }
}

TEST(TableText, ADesignersSheetIsReadByTheNamesOfItsColumns) {
  const std::string text =
      "\n РЕЖИМ \tадрес\tПримечание\tДлина\tзб\tкабель\tБлок\n"
      "Тревога\tПодъезд 1\tу лифта\t12\tДА\tКСПВ\tИПР\n"
      "\tПодъезд 2\n";
  EXPECT_EQ(ParseTabText(text),
            (std::vector<TabRow>{{"Подъезд 1", "КСПВ", "12", "ИПР", "Тревога", "ДА"},
                                 {"Подъезд 2", "", "", "", "", ""}}));
  EXPECT_EQ(SplitTabText(text).columns, 7u);
  EXPECT_TRUE(SplitTabText("Подъезд 1\tКСПВ\t12\n").named.empty());
}

TEST(TableText, QuotesSurviveTheWayThroughASpreadsheet) {
  // Texts in the grid that come back as they were.
  ProjectTable table;
  for (const std::string text : {"\"Луч\" корп. 2", "Дом \"А\"", "a\"\"b", "\"", "  \"x\" "}) {
    table.SetAddress(1, text);
    EXPECT_EQ(ParseTabText(RowsAsTabText(table, 1, 1, ',')).at(0).address, text);
  }
  // LibreOffice Calc's text of such rows, read from RowsAsTabText's text.
  EXPECT_EQ(
      ParseTabText(
          "1\t\"\"\"Луч\"\" корп. 2\"\t\"Дом \"\"А\"\"\"\t12\t\t\"a\"\"\"\"b\"\t\"\"\"\"\t\tДА\n"
          "2\t\"  \"\"x\"\" \"\t  plain  \t\t\tЩит подвал\t\"Луч \"\"\"\t\t\n"),
      (std::vector<TabRow>{{"\"Луч\" корп. 2", "Дом \"А\"", "12", "a\"\"b", "\"", "ДА"},
                           {"  \"x\" ", "plain", "", "Щит подвал", "Луч \"", ""}}));
}

}  // namespace
}  // namespace luch
