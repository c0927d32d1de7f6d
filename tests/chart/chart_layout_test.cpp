#include "chart/chart_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace luch {
namespace {

TEST(ChartLayout, RangesHoldEveryFiniteValueAndTheSupplyWithRoomAbove) {
  VoltageProfile profile;
  profile.supply_voltage = 25.0;
  VoltagePoint far;
  far.distance_m = 300.0;
  far.block_voltage = -5.0;
  far.line_voltage = std::numeric_limits<double>::infinity();  // left out
  far.umin = 30.0;
  profile.points = {far};
  const ChartRanges r = ProfileRanges(profile);
  EXPECT_EQ(r.x_lo, 0.0);
  EXPECT_EQ(r.x_hi, 300.0);
  EXPECT_EQ(r.y_lo, -5.0);
  EXPECT_DOUBLE_EQ(r.y_hi, 30.0 + 35.0 * 0.04);
}

TEST(ChartLayout, ACrowdedPathKeepsTheExtremesOfEveryPixelColumn) {
  std::vector<ChartPoint> path;
  for (int i = 0; i < 400; ++i) path.push_back({i / 100.0, std::sin(i * 0.37) * 50.0});
  const std::vector<ChartPoint> thinned = ThinPath(path, 4.0);  // 100 points per column
  ASSERT_LE(thinned.size(), 16u);
  for (int column = 0; column < 4; ++column) {
    double lowest = -1e9, highest = 1e9, kept_low = -1e9, kept_high = 1e9;
    for (const ChartPoint& p : path) {
      if (std::floor(p.x) == column)
        lowest = std::max(lowest, p.y), highest = std::min(highest, p.y);
    }
    for (const ChartPoint& p : thinned) {
      if (std::floor(p.x) == column)
        kept_low = std::max(kept_low, p.y), kept_high = std::min(kept_high, p.y);
    }
    EXPECT_EQ(kept_low, lowest) << column;
    EXPECT_EQ(kept_high, highest) << column;
  }
  EXPECT_EQ(thinned.front(), path.front());
  EXPECT_EQ(thinned.back(), path.back());
  // Not crowded, or not running left to right: unchanged.
  EXPECT_EQ(ThinPath(path, 1000.0), path);
  std::vector<ChartPoint> back = path;
  std::swap(back[10], back[11]);
  EXPECT_EQ(ThinPath(back, 4.0), back);
}

TEST(ChartLayout, TheNearestPointWithinTheRadiusNamesItsRow) {
  HitIndex hits;
  hits.Add(100.0, 50.0, 40.0, 3);
  hits.Add(20.0, 10.0, 10.0, 1);
  hits.Add(104.0, 45.0, 45.0, 4);
  hits.Finish();
  EXPECT_EQ(hits.RowAt(101.0, 41.0, 8.0), 3);  // its line point
  EXPECT_EQ(hits.RowAt(103.0, 46.0, 8.0), 4);
  EXPECT_EQ(hits.RowAt(20.0, 19.0, 8.0), 0);  // 9 px away
  EXPECT_EQ(hits.RowAt(60.0, 10.0, 8.0), 0);
}

}  // namespace
}  // namespace luch
