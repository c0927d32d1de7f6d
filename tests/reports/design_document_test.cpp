#include "reports/design_document.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

TEST(DesignDocument, ShowsInputsResultsColoursAndProblemsAsTheWindowDoes) {
  testing::TempDir dir;
  dir.Write("Блок.ini", Utf8ToCp1251("[Блок0]\r\nНазвание=ДИП\r\nРежим1=Норма\r\nUmin=9\r\n"));
  CableLibrary cables;
  BlockLibrary blocks(dir.path());
  ProjectTable table;
  table.SetBlockCount(2);
  for (int row = 1; row <= 2; ++row) table.SetBlockName(row, "ДИП");
  table.SetCell(1, kVoltageV, "9.50");
  table.SetCell(2, kVoltageV, "8.50");
  ProjectParameters params;
  params.SetNewProjectValues();
  params.MaxInductance = 2.5f;
  StatusBars status;
  status.bar2[0] = "Длина луча: 0 м";
  status.bar1[4] = "Расчет успешно завершен...";
  const std::vector<Problem> none;

  const DesignDocument doc = BuildDesignDocument(
      {table, params, status, cables, blocks, none, "/проекты/Дом 5.луч", "08.12.2026 21:15"});
  EXPECT_EQ(doc.project, "Проект: Дом 5.луч");
  EXPECT_EQ(doc.project_path, "/проекты/Дом 5.луч");
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"Напряжение КМУ (Вольт)", "28.0"},
      {"Сопротивление блоков грозозащиты (Ом)", "40.0"},
      {"Точность расчета напряжения (Вольт)", "0.050"},
      {"Максимальный ток КМУ (ма)", "1000.0"},
      {"Допустимая емкость кабеля (мкФ)", "0.000 (не проверяется)"},
      {"Допустимая индуктивность кабеля (мГн)", "2.500"}};
  EXPECT_EQ(doc.inputs, inputs);
  EXPECT_EQ(doc.results.front(), "Длина луча: 0 м");
  EXPECT_EQ(doc.results.back(), "Расчет успешно завершен...");
  EXPECT_EQ(doc.headers.at(kVoltageV), "U (В)");
  ASSERT_EQ(doc.voltage.size(), 2u);
  EXPECT_EQ(doc.voltage[0].background, kWhite);
  EXPECT_EQ(doc.voltage[0].text, kGreen);
  EXPECT_EQ(doc.voltage[1].background, kRed);
  EXPECT_EQ(doc.rows[1][kVoltageV], "8.50");
  EXPECT_EQ(doc.problems, std::vector<std::string>{"Проблем не найдено."});
  EXPECT_EQ(doc.profile.points.size(), 2u);

  const std::vector<Problem> one = {{"Строка 2: блок ниже Umin", 2}};
  EXPECT_EQ(BuildDesignDocument({table, params, status, cables, blocks, one, "", ""}).problems,
            std::vector<std::string>{"Строка 2: блок ниже Umin"});
  EXPECT_EQ(BuildDesignDocument({table, params, status, cables, blocks, one, "", ""}).project,
            "Проект: Новый проект");
}

}  // namespace
}  // namespace luch
