#include "chart/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace luch {

ChartRanges ProfileRanges(const VoltageProfile& profile) {
  ChartRanges r;
  const auto widen = [](double& lo, double& hi, double v) {
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  };
  widen(r.y_lo, r.y_hi, profile.supply_voltage);
  for (const VoltagePoint& p : profile.points) {
    widen(r.x_lo, r.x_hi, p.distance_m);
    widen(r.y_lo, r.y_hi, p.block_voltage);
    widen(r.y_lo, r.y_hi, p.line_voltage);
    if (p.umin) widen(r.y_lo, r.y_hi, *p.umin);
  }
  r.y_hi += (r.y_hi - r.y_lo) * 0.04;
  return r;
}

std::vector<ChartPoint> ThinPath(const std::vector<ChartPoint>& path, double plot_width) {
  if (static_cast<double>(path.size()) < 4 * plot_width) return path;
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i].x < path[i - 1].x) return path;
  }
  std::vector<ChartPoint> thinned;
  thinned.reserve(static_cast<size_t>(4 * plot_width) + 8);
  size_t i = 0;
  while (i < path.size()) {
    const double column = std::floor(path[i].x);
    size_t end = i, lowest = i, highest = i;
    while (end < path.size() && std::floor(path[end].x) == column) {
      if (path[end].y > path[lowest].y) lowest = end;  // y grows downwards
      if (path[end].y < path[highest].y) highest = end;
      ++end;
    }
    const size_t picks[4] = {i, std::min(lowest, highest), std::max(lowest, highest), end - 1};
    size_t previous = path.size();
    for (size_t pick : picks) {
      if (pick != previous) thinned.push_back(path[pick]);
      previous = pick;
    }
    i = end;
  }
  return thinned;
}

int TickCount(const AxisScale& scale) {
  const double count = std::round((scale.max - scale.min) / scale.step);
  return count >= 0 && count <= 100 ? static_cast<int>(count) : 0;
}

void HitIndex::Add(double x, double y_block, double y_line, int row) {
  hits_.push_back({x, y_block, y_line, row});
}

void HitIndex::Finish() {
  std::stable_sort(hits_.begin(), hits_.end(),
                   [](const Hit& a, const Hit& b) { return a.x < b.x; });
}

int HitIndex::RowAt(double x, double y, double radius) const {
  const auto first = std::lower_bound(hits_.begin(), hits_.end(), x - radius,
                                      [](const Hit& h, double left) { return h.x < left; });
  double best = radius * radius;
  int best_row = 0;
  for (auto it = first; it != hits_.end() && it->x <= x + radius; ++it) {
    const double dx2 = (it->x - x) * (it->x - x);
    for (const double hit_y : {it->y_block, it->y_line}) {
      const double d2 = dx2 + (hit_y - y) * (hit_y - y);
      if (d2 <= best) {
        best = d2;
        best_row = it->row;
      }
    }
  }
  return best_row;
}

}  // namespace luch
