// Values no ray can have (an enormous or infinite supply voltage, infinite
// library values, a search of billions of passes) end in the failure outcome
// before the first pass.
#include <gtest/gtest.h>

#include <limits>

#include "calc/calculation.h"
#include "support/calc_fixture.h"

namespace luch {
namespace {

using testing::CalcFixture;

constexpr const char* kFailure =
    "Не удается выполнить расчет...\nЛуч неработоспособен...\nИли недостаточно данных...";

CalcFixture MakeFixture() {
  return CalcFixture({{"R50", 50, 50, 100}},
                     {{"Датчик", "9.0", {{"Нормальный", "0", "10"}, {"Мощный", "900", "0"}}},
                      {"Безумный", "9.0", {{"Нормальный", "0", "1e300"}}},
                      {"Минус", "9.0", {{"Нормальный", "0", "-3e41"}}},
                      {"Недосягаемый", "1e300", {{"Нормальный", "0", "1"}}}});
}

void ExpectFailedAtOnce(CalcFixture& f, bool outcome, const CalculationStats& stats) {
  EXPECT_FALSE(outcome);
  EXPECT_EQ(stats.passes, 0);
  ASSERT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.fake.messages.shown[0].text, kFailure);
  EXPECT_EQ(f.status.bar1[4], "Не удается выполнить расчет...");
  EXPECT_EQ(f.fake.wait.events, (std::vector<std::string>{"show", "repaint", "close"}));
}

TEST(CalculationGuards, SupplyVoltageAboveOneThousandOrInfinite) {
  for (const char* text : {"1000.5", "1e400", "5000"}) {
    CalcFixture f = MakeFixture();
    f.SetRows({{"R50", 100, "Датчик", "Нормальный"}});
    f.params.EditU = text;
    CalculationContext context = f.Context();
    CalculationStats stats;
    const bool outcome = BitBtnStartClick(context, &stats);
    ExpectFailedAtOnce(f, outcome, stats);
    EXPECT_EQ(f.params.EditU, text);
  }
  CalcFixture f = MakeFixture();
  f.SetRows({{"R50", 100, "Датчик", "Нормальный"}});
  f.params.EditU = "-1e400";  // not above 1 V: replaced as any other
  CalculationContext context = f.Context();
  EXPECT_TRUE(BitBtnStartClick(context));
  EXPECT_EQ(f.params.EditU, "28.0");
}

TEST(CalculationGuards, InfiniteValuesNeverReachTheSolver) {
  {  // 1e300 mA: RowCurrent is infinite as a 32-bit real
    CalcFixture f = MakeFixture();
    f.SetRows({{"R50", 100, "Безумный", "Нормальный"}});
    CalculationContext context = f.Context();
    CalculationStats stats;
    const bool outcome = BitBtnStartClick(context, &stats);
    ExpectFailedAtOnce(f, outcome, stats);
  }
  {  // an infinite lightning-protection resistance on a protected row
    CalcFixture f = MakeFixture();
    f.SetRows({{"R50", 100, "Датчик", "Мощный", true}});
    f.params.ZBResistance = std::numeric_limits<float>::infinity();
    CalculationContext context = f.Context();
    CalculationStats stats;
    const bool outcome = mFindUKMUClick(context, &stats);
    ExpectFailedAtOnce(f, outcome, stats);
  }
  {  // NaN parameters are replaced, an infinite limit only never warns
    CalcFixture f = MakeFixture();
    f.SetRows({{"R50", 100, "Датчик", "Нормальный"}});
    f.params.AccuracyStep = std::numeric_limits<float>::quiet_NaN();
    f.params.MaxCurrent = std::numeric_limits<float>::quiet_NaN();
    f.params.MaxCapacitance = std::numeric_limits<float>::infinity();
    CalculationContext context = f.Context();
    EXPECT_TRUE(BitBtnStartClick(context));
    EXPECT_EQ(f.params.AccuracyStep, 0.05f);
    EXPECT_EQ(f.params.MaxCurrent, 1000.0f);
    EXPECT_TRUE(f.fake.messages.shown.empty());
  }
}

TEST(CalculationGuards, InfiniteMinimumOnlyStopsTheSearch) {
  CalcFixture f = MakeFixture();
  f.SetRows({{"R50", 100, "Недосягаемый", "Нормальный"}});
  CalculationContext calc = f.Context();
  EXPECT_TRUE(BitBtnStartClick(calc));  // the calculation does not use Umin
  EXPECT_EQ(f.status.bar1[2], "Проблем: 1");
  f.fake.messages.shown.clear();
  f.fake.wait.events.clear();
  CalculationContext search = f.Context();
  CalculationStats stats;
  const bool outcome = mFindUKMUClick(search, &stats);
  ExpectFailedAtOnce(f, outcome, stats);
}

TEST(CalculationGuards, AstronomicalSearchFailsAtOnce) {
  // A negative protection resistance puts the start of the search at about
  // -1.1e6 V: more than two million passes of 0.05 V to reach 1000 V.
  CalcFixture f = MakeFixture();
  f.SetRows({{"R50", 100, "Датчик", "Мощный", true}});
  f.params.ZBResistance = -1.0e7f;
  CalculationContext context = f.Context();
  CalculationStats stats;
  const bool outcome = mFindUKMUClick(context, &stats);
  ExpectFailedAtOnce(f, outcome, stats);
  EXPECT_EQ(f.params.EditU, "28.0");
}

TEST(CalculationGuards, NonFiniteResultIsAFailure) {
  // Two rows of -3e38 A: the sum is beyond the 32-bit range and the controller
  // voltage far below the supply; that is no working ray.
  CalcFixture f = MakeFixture();
  f.SetRows({{"R50", 100, "Минус", "Нормальный"}, {"R50", 100, "Минус", "Нормальный"}});
  CalculationContext context = f.Context();
  CalculationStats stats;
  EXPECT_FALSE(BitBtnStartClick(context, &stats));
  EXPECT_EQ(stats.passes, 1);
  EXPECT_EQ(f.fake.messages.shown.size(), 1u);
  EXPECT_EQ(f.table.GetCell(1, kVoltageV), "");
}

}  // namespace
}  // namespace luch
