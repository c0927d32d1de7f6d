#include "calc/calculation.h"

#include <gtest/gtest.h>

#include "chart/voltage_cell_colours.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;
using testing::TestBlock;
using testing::TestCable;
using testing::TestRow;

const std::vector<TestCable> kCables = {
    {"R0", 0, 50, 100},    // no resistance
    {"R50", 50, 50, 100},  // 100 m give 10 Ohm
    {"C1", 1, 1, 0},       // 1 pF/m, no wave impedance
    {"C0", 10, 0, 100},    // capacitance unknown
};
const std::vector<TestBlock> kBlocks = {
    {"Датчик", "9.0", {{"Нормальный", "0", "10"}, {"Ноль", "0", "0"}, {"Мощный", "280", "0"}}},
    {"Пустой", "", {{"Нормальный", "0", "0"}}},
    {"Низкий", "0.5", {{"Нормальный", "0", "0"}}},
    {"Гроза", "9.0", {{"Мощный", "5000", "0"}}},
};

class Calculation : public ::testing::Test {
 protected:
  Calculation() : f(kCables, kBlocks) {}
  bool Run(CalculationStats* stats = nullptr) {
    CalculationContext context = f.Context();
    return BitBtnStartClick(context, stats);
  }
  bool Search() {
    CalculationContext context = f.Context();
    return mFindUKMUClick(context);
  }
  std::string Cell(int row, Column col) { return f.table.GetCell(row, col); }
  CalcFixture f;
};

TEST_F(Calculation, ZeroCurrentBlocksAcceptTheFirstGuess) {
  f.SetRows({{"R50", 100, "Пустой", "Нормальный"}, {"R50", 100, "Пустой", "Нормальный"}});
  CalculationStats stats;
  EXPECT_TRUE(Run(&stats));
  EXPECT_EQ(stats.passes, 1);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(Cell(i, kVoltageV), "27.95");
    EXPECT_EQ(Cell(i, kCurrentMA), "0.00");
    EXPECT_EQ(Cell(i, kPowerMW), "0");
    EXPECT_EQ(Cell(i, kResistanceOhm), "10");
  }
  EXPECT_EQ(f.status.bar1[1], "Блоков: 2");
  EXPECT_EQ(f.status.bar1[2], "Проблем: 0");
  EXPECT_EQ(f.status.bar1[3], "Ток: 0 мА");
  EXPECT_EQ(f.status.bar1[4], "Расчет успешно завершен...");
  EXPECT_EQ(f.status.bar2[0], "Длина луча: 200 м");
  EXPECT_EQ(f.status.bar2[1], "Сопротивление: 20 Ом");
  EXPECT_EQ(f.status.bar2[2], "Емкость: 10 нФ");
  EXPECT_EQ(f.status.bar2[3], "Индуктивность: 0,1 мГн");
  EXPECT_TRUE(f.report_enabled);
  EXPECT_TRUE(f.fake.messages.shown.empty());
  EXPECT_EQ(f.fake.wait.events, (std::vector<std::string>{"show", "repaint", "close"}));
}

TEST_F(Calculation, ConstantPowerBlockOnZeroResistance) {
  f.SetRows({{"R0", 10, "Датчик", "Мощный"}});
  EXPECT_TRUE(Run());
  EXPECT_EQ(Cell(1, kCurrentMA), "10.02");
  EXPECT_EQ(Cell(1, kVoltageV), "27.95");
  EXPECT_EQ(Cell(1, kPowerMW), "280");
  EXPECT_EQ(Cell(1, kResistanceOhm), "");
  EXPECT_EQ(f.status.bar1[3], "Ток: 10 мА");
  EXPECT_NEAR(f.totals.TotalCurrent, 0.01001789, 1e-8);
  EXPECT_EQ(f.status.bar2[1], "Сопротивление:  Ом");
  EXPECT_EQ(f.status.bar2[2], "Емкость: 500 пФ");
  EXPECT_EQ(f.status.bar2[3], "Индуктивность: 0,005 мГн");
}

TEST_F(Calculation, ReplacesOutOfRangeParametersForGood) {
  f.SetRows({{"R0", 10, "Пустой", "Нормальный"}});
  const std::vector<std::pair<float, float>> steps = {
      {0.6f, 0.05f}, {0.5f, 0.5f}, {0.0005f, 0.05f}, {0.001f, 0.001f}, {-1.0f, 0.05f}};
  for (const auto& [typed, used] : steps) {
    f.params.AccuracyStep = typed;
    f.params.MaxCurrent = 0.0f;
    EXPECT_TRUE(Run());
    EXPECT_EQ(f.params.AccuracyStep, used) << typed;
    EXPECT_EQ(f.params.MaxCurrent, 1000.0f);
  }
  f.params.AccuracyStep = 0.05f;
  for (const char* text : {"1", "0", "abc", "-5", "1.0"}) {
    f.params.EditU = text;
    EXPECT_TRUE(Run());
    EXPECT_EQ(f.params.EditU, "28.0") << text;
    EXPECT_EQ(Cell(1, kVoltageV), "27.95");
  }
  f.params.EditU = "1,5";  // typed with a decimal comma: 1.5 V is a supply
  EXPECT_TRUE(Run());
  EXPECT_EQ(f.params.EditU, "1,5");
  f.params.EditU = "24.00";
  EXPECT_TRUE(Run());
  EXPECT_EQ(f.params.EditU, "24.00");
  EXPECT_EQ(Cell(1, kVoltageV), "23.95");
  EXPECT_TRUE(f.fake.messages.shown.empty());
}

TEST_F(Calculation, CapacitancePatternsAndLimit) {
  struct Case {
    int length;
    float limit;
    const char* panel;
    bool warned;
  };
  const std::vector<Case> cases = {
      {999, 0.0f, "Емкость: 999 пФ", false},
      {1000, 0.0f, "Емкость: 1 нФ", false},
      {12500, 0.0f, "Емкость: 12,5 нФ", false},
      {100000, 0.0f, "Емкость: 0,1 мкФ", false},
      {100000, 0.1f, "Емкость: 0,1 мкФ", false},  // equal to the limit
      {100001, 0.1f, "Емкость: 0,1 мкФ (Много!)", true},
      {1000, 0.0009f, "Емкость: 1 нФ (Много!)", true},
  };
  for (const Case& c : cases) {
    CalcFixture g(kCables, kBlocks);
    g.SetRows({{"C1", c.length, "Пустой", "Нормальный"}});
    g.params.MaxCapacitance = c.limit;
    CalculationContext context = g.Context();
    EXPECT_TRUE(BitBtnStartClick(context));
    EXPECT_EQ(g.status.bar2[2], c.panel) << c.length;
    EXPECT_EQ(g.status.bar2[3], "Индуктивность: ?");
    ASSERT_EQ(g.fake.messages.shown.size(), c.warned ? 1u : 0u) << c.length;
    if (c.warned) {
      EXPECT_EQ(g.fake.messages.shown[0].text, "Превышена допустимая емкость кабеля!...\n");
      EXPECT_EQ(g.fake.messages.shown[0].caption, "Сообщение");
      EXPECT_EQ(g.fake.messages.shown[0].icon, MessageIcon::kWarning);
    }
  }
}

TEST_F(Calculation, UnknownCapacitanceStaysUnknown) {
  f.SetRows({{"R50", 10, "Пустой", "Нормальный"},
             {"C0", 10, "Пустой", "Нормальный"},
             {"R50", 10, "Пустой", "Нормальный"},
             {"Нет такого", 10, "Пустой", "Нормальный"}});
  f.params.MaxCapacitance = 0.000001f;
  f.params.MaxInductance = 0.000001f;
  EXPECT_TRUE(Run());
  EXPECT_EQ(f.status.bar2[2], "Емкость: ?");
  EXPECT_EQ(f.status.bar2[3], "Индуктивность: ?");
  EXPECT_EQ(f.status.bar2[1], "Сопротивление: 2,2 Ом");
  EXPECT_EQ(Cell(4, kResistanceOhm), "");
  // The row was calculated without resistance: the user is told.
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text, "Нет в библиотеке кабеля (строки: 4)!...\n");
}

TEST_F(Calculation, WarningsComeInOrderAfterSuccess) {
  f.SetRows({{"R0", 10, "Датчик", "Мощный"}});
  f.params.MaxCapacitance = 0.0001f;  // 500 pF is above
  f.params.MaxInductance = 0.001f;    // 0.005 mH is above
  f.params.MaxCurrent = 5.0f;         // 10 mA is above
  EXPECT_TRUE(Run());
  EXPECT_EQ(f.status.bar2[2], "Емкость: 500 пФ (Много!)");
  EXPECT_EQ(f.status.bar2[3], "Индуктивность: 0,005 мГн (Много!)");
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text,
            "Превышена допустимая емкость кабеля!...\n"
            "Превышена допустимая индуктивность кабеля!...\n"
            "Превышен допустимый ток КМУ!...\n");
}

TEST_F(Calculation, FailureShowsOnlyTheFailureMessage) {
  // 5 W behind 40 Ohm: V*V < 4*R*P = 800 below 28.28 V, so the first pass fails.
  f.SetRows({{"R50", 100, "Датчик", "Нормальный"}, {"R0", 10, "Гроза", "Мощный", true}});
  f.params.MaxCapacitance = 0.0000001f;
  f.totals.TotalCurrent = 0.5f;
  f.report_enabled = true;
  f.table.SetCell(1, kCurrentMA, "1.00");
  CalculationStats stats;
  EXPECT_FALSE(Run(&stats));
  EXPECT_EQ(stats.passes, 1);  // no further guess after a negative discriminant
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text,
            "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...");
  EXPECT_EQ(f.fake.messages.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(f.status.bar1[2], "Проблем: ?");
  EXPECT_EQ(f.status.bar1[3], "Ток: ?");
  EXPECT_EQ(f.status.bar1[4], "Не удается выполнить расчет...");
  EXPECT_EQ(f.status.bar2[2], "Емкость: 5,5 нФ (Много!)");  // the totals stay
  EXPECT_FALSE(f.report_enabled);
  EXPECT_EQ(f.totals.TotalCurrent, 0.5f);
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(Cell(i, kCurrentMA), "");
    EXPECT_EQ(Cell(i, kVoltageV), "");
  }
}

TEST_F(Calculation, AFailureLeavesPowerAsItWasBefore) {
  // The guesses 29.5, 29.0, 28.5 need more than 30 V at the controller (10 Ohm
  // in row 1); at 28.0 the 5 W block behind 40 Ohm has no solution (V*V < 800).
  // The passes wrote PowerMW of rows 1 and 3: none of it stays.
  f.SetRows({{"R50", 100, "Датчик", "Нормальный"},
             {"R0", 1, "Гроза", "Мощный", true},
             {"R0", 1, "Датчик", "Нормальный"}});
  for (int i = 1; i <= 3; ++i) f.table.SetPowerMW(i, 94);
  f.params.EditU = "30";
  f.params.AccuracyStep = 0.5f;
  CalculationStats stats;
  EXPECT_FALSE(Run(&stats));
  EXPECT_EQ(stats.passes, 4);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Cell(i, kPowerMW), "94") << i;
}

TEST_F(Calculation, VoltageJustBelowUminIsNoProblem) {
  // 10 mA through 10 Ohm from 9.05 V guess: find EditU so the block sees 8.996 V.
  f.SetRows({{"R0", 10, "Датчик", "Нормальный"}});
  f.params.EditU = "9.046";
  EXPECT_TRUE(Run());
  EXPECT_EQ(Cell(1, kVoltageV), "9.00");  // 8.996
  EXPECT_EQ(f.status.bar1[2], "Проблем: 0");
  const VoltageCellLook look = VoltageCellColours(f.table, *f.blocks, kVoltageV, 1, false);
  EXPECT_FALSE(look.below_minimum);
}

}  // namespace
}  // namespace luch
