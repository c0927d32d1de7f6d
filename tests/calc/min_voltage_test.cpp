#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calc/calculation.h"
#include "common/numbers.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;

class MinVoltage : public ::testing::Test {
 protected:
  MinVoltage()
      : f({{"R50", 50, 50, 100}, {"R0", 0, 50, 100}},
          {{"Датчик", "9.0", {{"Нормальный", "0", "10"}, {"Мощный", "900", "0"}}},
           {"Высокий", "24", {{"Нормальный", "0", "1"}}},
           {"Гроза", "9.0", {{"Мощный", "5000", "0"}}},
           {"Недостижимый", "1500", {{"Нормальный", "0", "1"}}}}) {}
  bool Search(CalculationStats* stats = nullptr) {
    CalculationContext context = f.Context();
    return mFindUKMUClick(context, stats);
  }
  CalcFixture f;
};

TEST_F(MinVoltage, StartVoltageAcceptedAtOnce) {
  f.SetRows({{"R50", 100, "Датчик", "Нормальный"}});
  CalculationStats stats;
  EXPECT_TRUE(Search(&stats));
  EXPECT_EQ(stats.passes, 3);  // one of the search, two of the calculation at 9.10 V
  EXPECT_EQ(f.params.EditU, "9.10");
  EXPECT_EQ(f.status.bar1[3], "Ток: 10 мА");
  EXPECT_EQ(f.status.bar1[2], "Проблем: 0");
  EXPECT_EQ(f.table.GetCell(1, kVoltageV), "9.00");
  EXPECT_EQ(f.table.GetCell(1, kPowerMW), "89");  // 1000 * 0.01 A * 9 V, truncated
  EXPECT_TRUE(f.report_enabled);
}

TEST_F(MinVoltage, LightningProtectionRaisesTheFarEnd) {
  f.SetRows({{"R50", 100, "Датчик", "Нормальный", true}});
  f.params.ZBResistance = 33.0f;
  CalculationStats stats;
  EXPECT_TRUE(Search(&stats));
  EXPECT_EQ(stats.passes, 10);  // 9.00, 9.05, ..., 9.35, then two at 9.45 V
  EXPECT_EQ(f.params.EditU, "9.45");
  EXPECT_EQ(f.table.GetCell(1, kVoltageV), "9.02");
}

TEST_F(MinVoltage, UnknownLastBlockStartsAtEightVolts) {
  f.SetRows({{"R0", 10, "Нет такого", "Любой"}});
  f.table.SetPowerMW(1, 94);  // the sender's library's: kept for the next save
  CalculationStats stats;
  EXPECT_TRUE(Search(&stats));
  // The search's 8.00 V leaves the block 7.95 V under the calculation: the
  // answer is 8.05 V, the first text the calculation finds in order.
  EXPECT_EQ(stats.passes, 7);
  EXPECT_EQ(f.table.GetCell(1, kBlockName), "Нет такого");  // kept for the next save
  EXPECT_EQ(f.table.GetCell(1, kRegimeName), "Любой");
  EXPECT_EQ(f.table.GetCell(1, kPowerMW), "94");
  EXPECT_EQ(f.table.GetCell(1, kVoltageV), "8.00");
  EXPECT_EQ(f.params.EditU, "8.05");
  EXPECT_EQ(f.status.bar1[3], "Ток: 0 мА");
}

TEST_F(MinVoltage, TheCalculationAtTheAnswerFindsNoProblemOnRandomRays) {
  const std::vector<std::pair<std::string, std::string>> kinds = {{"Датчик", "Нормальный"},
                                                                  {"Датчик", "Мощный"},
                                                                  {"Высокий", "Нормальный"},
                                                                  {"Гроза", "Мощный"},
                                                                  {"Нет такого", "Любой"}};
  const std::vector<float> steps = {0.05f, 0.01f, 0.2f, 0.5f};
  std::mt19937 random(20261209);
  int answered = 0;
  for (int ray = 0; ray < 300; ++ray) {
    std::vector<testing::TestRow> rows(1 + random() % 12);
    for (testing::TestRow& row : rows) {
      const auto& [block, regime] = kinds[random() % kinds.size()];
      row = {random() % 2 ? "R50" : "R0", static_cast<int>(random() % 400), block, regime,
             random() % 4 == 0};
    }
    f.SetRows(rows);
    f.params.AccuracyStep = steps[random() % steps.size()];
    if (!Search()) continue;
    ++answered;
    const std::string answer = f.params.EditU;
    CalculationContext context = f.Context();
    ASSERT_TRUE(BitBtnStartClick(context)) << "ray " << ray << " at " << answer;
    EXPECT_EQ(f.status.bar1[2], "Проблем: 0") << "ray " << ray << " at " << answer;
  }
  EXPECT_GT(answered, 150);
}

TEST_F(MinVoltage, HighMinimumNearTheControllerAndWarnings) {
  f.SetRows({{"R50", 100, "Высокий", "Нормальный"},
             {"R50", 100, "Датчик", "Мощный"},
             {"R50", 100, "Датчик", "Нормальный"}});
  f.params.MaxCurrent = 20.0f;
  f.params.EditU = "0";
  EXPECT_TRUE(Search());
  EXPECT_GE(f.table.VoltageV(1), 24.0);
  EXPECT_LT(f.table.VoltageV(1), 24.06);
  EXPECT_GT(LeadingReal(f.params.EditU), 24.0);
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text, "Превышен допустимый ток КМУ!...\n");
}

TEST_F(MinVoltage, UnsolvableLoadFailsWithoutRaising) {
  // From Vstart = 9 V the 5 W block behind 40 Ohm (row 1) has no solution.
  f.SetRows({{"R0", 10, "Гроза", "Мощный", true}, {"R0", 10, "Датчик", "Нормальный"}});
  f.table.SetPowerMW(2, 94);
  f.params.EditU = "27";
  CalculationStats stats;
  EXPECT_FALSE(Search(&stats));
  EXPECT_EQ(stats.passes, 1);
  EXPECT_EQ(f.params.EditU, "27");
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text,
            "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...");
  EXPECT_EQ(f.table.GetCell(2, kVoltageV), "");
  EXPECT_EQ(f.table.GetCell(2, kCurrentMA), "");
  EXPECT_EQ(f.table.GetCell(2, kPowerMW), "94");  // as before: no pass's number stays
  EXPECT_EQ(f.status.bar1[4], "Не удается выполнить расчет...");
}

TEST_F(MinVoltage, ReachingOneThousandVoltsFails) {
  // Row 1 wants 1500 V: every pass leaves there until the far end reaches
  // 1000 V.
  f.SetRows({{"R0", 10, "Недостижимый", "Нормальный"}, {"R0", 10, "Датчик", "Нормальный"}});
  f.params.AccuracyStep = 0.5f;
  CalculationStats stats;
  EXPECT_FALSE(Search(&stats));
  EXPECT_EQ(stats.passes, 1983);
  EXPECT_EQ(f.table.GetCell(2, kPowerMW), "");  // as before the search
  EXPECT_EQ(f.table.GetCell(2, kVoltageV), "");
  EXPECT_FALSE(f.report_enabled);
}

TEST_F(MinVoltage, PresetsOnlyChangeTheText) {
  f.status.bar1[3] = "Ток: 5 мА";
  Button28Click(f.params);
  EXPECT_EQ(f.params.EditU, "28.00");
  Button24Click(f.params);
  EXPECT_EQ(f.params.EditU, "24.00");
  EXPECT_EQ(f.status.bar1[3], "Ток: 5 мА");
}

}  // namespace
}  // namespace luch
