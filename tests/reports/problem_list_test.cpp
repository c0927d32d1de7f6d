#include "reports/problem_list.h"

#include <gtest/gtest.h>

#include "calc/unknown_types.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;

// A cable of 100 Ohm/km and two block types: a 9 V sensor of 10 or 20 mA and
// a sounder that needs more than a 28 V ray gives.
CalcFixture Ray() {
  return CalcFixture({{"КСПВ", 100, 50, 100}},
                     {{"Датчик", "9", {{"Дежурный", "0", "10"}, {"Тревога", "0", "20"}}},
                      {"Сирена", "30", {{"Дежурный", "0", "5"}}}});
}

std::vector<std::string> Texts(const std::vector<Problem>& problems) {
  std::vector<std::string> texts;
  for (const Problem& p : problems) texts.push_back(p.text);
  return texts;
}

std::vector<Problem> Collect(CalcFixture& f, ResultState results) {
  return CollectProblems({f.table, f.params, f.cables, *f.blocks, f.totals, results, ','});
}

TEST(RowListText, RunsOfRowsAndTheFirstTenItems) {
  const std::vector<std::pair<std::vector<int>, std::string>> cases = {
      {{7}, "7"},
      {{2, 5, 6, 7, 8}, "2, 5-8"},
      {{1, 2, 4}, "1-2, 4"},
      {{1, 3, 5, 7, 9, 11, 13, 15, 17, 19}, "1, 3, 5, 7, 9, 11, 13, 15, 17, 19"},
      {{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 22}, "1, 3, 5, 7, 9, 11, 13, 15, 17, 19-20, ..."},
  };
  for (const auto& [rows, text] : cases) EXPECT_EQ(RowListText(rows), text);
}

TEST(Problems, RowsTheLibrariesDoNotKnowAreNamedInTheWarningAndTheList) {
  CalcFixture f = Ray();
  f.SetRows({{"КСПВ", 10, "Датчик", "Дежурный"},
             {"Витая пара", 10, "Датчик", "Дежурный"},
             {"", 0, "Датчик", "Дежурный"},  // no length: no cable needed
             {"", 5, "ДИП-34", "Дежурный"},
             {"КСПВ", 5, "Датчик", "Пожар"},
             {"КСПВ", 5, "", ""}});
  const UnknownTypeRows rows = FindUnknownTypeRows(f.table, f.cables, *f.blocks);
  EXPECT_EQ(UnknownTypeWarnings(rows),
            "Нет в библиотеке кабеля (строки: 2, 4)!...\n"
            "Нет в библиотеке блока (строки: 4, 6)!...\n"
            "Нет режима блока (строки: 5)!...\n");
  EXPECT_EQ(Texts(Collect(f, {})), (std::vector<std::string>{
                                       "Строка 2: кабеля «Витая пара» нет в библиотеке",
                                       "Строка 4: кабель не задан",
                                       "Строка 4: блока «ДИП-34» нет в библиотеке",
                                       "Строка 6: блок не задан",
                                       "Строка 5: у блока «Датчик» нет режима «Пожар»",
                                   }));
}

TEST(Problems, ResultsAreListedOnlyWhileTheyMatchTheProject) {
  CalcFixture f = Ray();
  f.SetRows({{"КСПВ", 10, "Датчик", "Дежурный"},
             {"КСПВ", -5, "Сирена", "Дежурный"},
             {"КСПВ", 10, "Датчик", "Тревога"}});
  f.table.SetAddress(1, "12");
  f.table.SetAddress(3, "12");
  f.params.MaxCurrent = 20.0f;  // the ray takes 35 mA
  CalculationContext context = f.Context();
  ASSERT_TRUE(BitBtnStartClick(context));
  const std::vector<Problem> fresh = Collect(f, {ResultState::Kind::kSucceeded, false, false});
  std::string u2 = f.table.GetCell(2, kVoltageV);
  u2.replace(u2.find('.'), 1, ",");
  EXPECT_EQ(Texts(fresh), (std::vector<std::string>{
                              "Ток КМУ 35 мА больше допустимого 20 мА",
                              "Строка 2: " + u2 + " В ниже Umin 30,0 В",
                              "Строка 2: отрицательная длина (-5 м)",
                              "Строки 1, 3: одинаковый адрес «12»",
                          }));
  EXPECT_EQ(fresh[1].row, 2);
  EXPECT_EQ(fresh[3].row, 1);
  // Stale results say only that they are; the rows still say theirs.
  EXPECT_EQ(Texts(Collect(f, {ResultState::Kind::kSucceeded, false, true})),
            (std::vector<std::string>{"Результаты расчета устарели: данные изменены, нажмите F9",
                                      "Строка 2: отрицательная длина (-5 м)",
                                      "Строки 1, 3: одинаковый адрес «12»"}));
}

TEST(Problems, RepeatedAddressesAreListedInTheOrderOfTheirFirstRows) {
  CalcFixture f = Ray();
  f.SetRows(std::vector<testing::TestRow>(5, {"КСПВ", 10, "Датчик", "Дежурный"}));
  for (const auto& [row, address] : std::vector<std::pair<int, const char*>>{
           {1, "Щит Б"}, {2, "Щит А"}, {3, "Щит Б"}, {4, "Щит В"}, {5, "Щит А"}}) {
    f.table.SetAddress(row, address);
  }
  EXPECT_EQ(Texts(Collect(f, {})), (std::vector<std::string>{
                                       "Строки 1, 3: одинаковый адрес «Щит Б»",
                                       "Строки 2, 5: одинаковый адрес «Щит А»",
                                   }));
}

TEST(Problems, TheSearchNamesTheBlockThatSetsTheVoltageAndAVoltageAboveTheController) {
  for (const char* last : {"Датчик", "Сирена"}) {  // Umin 9 V; 30 V, above the 28 V preset
    SCOPED_TRACE(last);
    CalcFixture f = Ray();
    f.SetRows({{"КСПВ", 100, "Датчик", "Тревога"}, {"КСПВ", 100, last, "Дежурный"}});
    CalculationContext context = f.Context();
    ASSERT_TRUE(mFindUKMUClick(context));
    std::string found = f.params.EditU;  // "%2.2f"
    found.replace(found.find('.'), 1, ",");
    std::vector<std::string> expected = {"Минимальное напряжение КМУ " + found +
                                         " В; его определяет блок в строке 2"};
    ASSERT_EQ(f.params.SupplyVoltage() > 28.0, std::string(last) == "Сирена");
    if (f.params.SupplyVoltage() > 28.0) {
      expected.push_back("Минимальное напряжение КМУ " + found + " В выше 28 В");
    }
    EXPECT_EQ(Texts(Collect(f, {ResultState::Kind::kSucceeded, true, false})), expected);
  }
}

TEST(Problems, AVoltageCellTellsItsMargin) {
  CalcFixture f = Ray();
  f.SetRows({{"КСПВ", 10, "Датчик", "Дежурный"}, {"КСПВ", 10, "Нет такого", ""}});
  f.table.SetCell(1, kVoltageV, "11.31");
  f.table.SetCell(2, kVoltageV, "11.31");
  EXPECT_EQ(VoltageMarginText(f.table, *f.blocks, 1, ','), "Запас 2,31 В (Umin 9,0 В)");
  f.table.SetCell(1, kVoltageV, "8.70");
  EXPECT_EQ(VoltageMarginText(f.table, *f.blocks, 1, ','), "Запас -0,30 В (Umin 9,0 В)");
  EXPECT_EQ(VoltageMarginText(f.table, *f.blocks, 2, ','), "");  // unknown type
}

}  // namespace
}  // namespace luch
