// The geometry of the voltage chart that does not depend on any window
// toolkit: the ranges a profile spans, the thinning of a long polyline to the
// pixels that show, and finding the point under the mouse.
#pragma once

#include <vector>

#include "chart/voltage_profile.h"

namespace luch {

struct ChartPoint {
  double x = 0.0, y = 0.0;  // pixels
  bool operator==(const ChartPoint&) const = default;
};

// The values a profile spans: distances from the controller (at 0) to the far
// end; voltages from 0 to the supply voltage, widened to every value shown,
// with 4 % of room above for the supply line's label. Non-finite values are
// left out.
struct ChartRanges {
  double x_lo = 0.0, x_hi = 0.0, y_lo = 0.0, y_hi = 0.0;
};
ChartRanges ProfileRanges(const VoltageProfile& profile);

// A path running left to right and crowding `plot_width` (4 points or more per
// pixel column) keeps at most the first, lowest, highest and last point of
// every pixel column: it looks the same, and costs a few thousand segments at
// most. Any other path is returned as it is.
std::vector<ChartPoint> ThinPath(const std::vector<ChartPoint>& path, double plot_width);

// The intervals of a scale, counted rather than summed so that no tick is lost
// to rounding; 0 for a scale of more than 100 intervals.
int TickCount(const AxisScale& scale);

// The points that can be hit with the mouse: per table row its block point
// and its line point, both at the same x.
class HitIndex {
 public:
  void Clear() { hits_.clear(); }
  void Add(double x, double y_block, double y_line, int row);
  // Sorts the points by x; call once after the last Add.
  void Finish();
  // The row whose block or line point is nearest to (x, y) within `radius`
  // pixels; 0 when none.
  int RowAt(double x, double y, double radius) const;

 private:
  struct Hit {
    double x, y_block, y_line;
    int row;
  };
  std::vector<Hit> hits_;
};

}  // namespace luch
