#include "calc/pass_bounds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/calculation_stages.h"

namespace luch {
namespace {

// The computed current of a protected block is not monotone in the node
// voltage to the last bit; the enclosure must still hold every voltage of a
// range, however narrow, and refuse ranges where the discriminant may be < 0.
TEST(PassBounds, ProtectedCurrentEnclosesEveryVoltageOfTheRange) {
  std::mt19937 random(18);
  auto real = [&](double lo, double hi) { return std::uniform_real_distribution(lo, hi)(random); };
  int checked = 0;
  for (int ray = 0; ray < 3000; ++ray) {
    RayArrays a;
    a.RowPower = {0.0f, static_cast<float>(real(0.001, 3.0))};
    a.RowZBResistance = {0.0f, static_cast<float>(real(1.0, 100.0))};
    a.RowCurrent = {0.0f, 0.0f};
    const double f = 4.0 * a.RowZBResistance[1] * static_cast<double>(a.RowPower[1]);
    // From just around the edge v*v = f to far above it; widths of a few
    // units in the last place to a thousandth.
    const double lo = std::sqrt(f) * (ray % 3 == 0 ? real(0.999, 1.01) : real(1.01, 50.0));
    double hi = lo;
    const int ulps = 1 + ray % 40;
    for (int k = 0; k < ulps; ++k) hi = std::nextafter(hi, 2 * hi);
    if (ray % 2 == 0) hi = lo * (1.0 + real(0.0, 1e-3));
    double current_lo = 0.0;
    double current_hi = 0.0;
    const bool solvable =
        detail::ProtectedCurrentBounds(lo, hi, f, a.RowZBResistance[1], current_lo, current_hi);
    for (int k = 0; k <= 64; ++k) {
      const double v = k <= ulps ? std::min(hi, lo + k * (hi - lo) / ulps) : real(lo, hi);
      double current = 0.0;
      const bool ok = BlockCurrentAt(a, 1, v, current);
      if (solvable) {
        ASSERT_TRUE(ok) << "ray " << ray << " v " << v;
        ASSERT_LE(current_lo, current) << "ray " << ray << " v " << v;
        ASSERT_GE(current_hi, current) << "ray " << ray << " v " << v;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 100000);
}

}  // namespace
}  // namespace luch
