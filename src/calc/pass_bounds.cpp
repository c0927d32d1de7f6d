#include "calc/pass_bounds.h"

#include <algorithm>
#include <cmath>

namespace luch::detail {
namespace {

// Every value some pass of the range may hold: lo <= value <= hi.
struct Interval {
  double lo;
  double hi;
};

bool Finite(Interval x) { return std::isfinite(x.lo) && std::isfinite(x.hi); }

// x * c for a constant c: the product falls as x rises when c is negative.
Interval Scale(Interval x, double c) {
  return c >= 0.0 ? Interval{x.lo * c, x.hi * c} : Interval{x.hi * c, x.lo * c};
}

// The current (v - sqrt(v*v - f)) * 0.5 / z over node voltages in v; false
// when some pass may find no solution (negative discriminant or current).
bool ProtectedCurrent(Interval v, double f, double z, Interval& out) {
  Interval square;
  if (v.lo >= 0.0) {
    square = {v.lo * v.lo, v.hi * v.hi};
  } else if (v.hi <= 0.0) {
    square = {v.hi * v.hi, v.lo * v.lo};
  } else {
    square = {0.0, std::max(v.lo * v.lo, v.hi * v.hi)};
  }
  const Interval d{square.lo - f, square.hi - f};
  if (!(d.lo >= 0.0)) return false;
  const double root_lo = std::sqrt(d.lo);
  const double root_hi = std::sqrt(d.hi);
  // The root and the subtraction bounded separately: always valid, but as
  // wide as v itself, since both terms grow with v.
  Interval t{v.lo - root_hi, v.hi - root_lo};
  // The exact t*(v) = v - sqrt(v^2 - f) falls as v rises (f > 0, v^2 > f).
  // With v^2 >= 2f and no overflow or underflow, correct rounding puts the
  // computed t(v) within 5 * v * 2^-53 of t*(v) (4 of them from the square,
  // the difference and the root, 1 from the subtraction), so every t(v) lies
  // within 2 * 5 * hi * 2^-53 of [t(hi), t(lo)], the values the passes at the
  // ends compute. The margin taken, 3 * hi * 2^-50 = 24 * hi * 2^-53, also
  // covers the rounding of the margin's own subtraction and addition.
  if (f > 0.0 && z > 0.0 && v.lo >= 0x1p-400 && v.hi <= 0x1p400 && f <= 0.5 * square.lo) {
    const double margin = 3.0 * (v.hi * 0x1p-50);
    t.lo = std::max(t.lo, (v.hi - root_hi) - margin);
    t.hi = std::min(t.hi, (v.lo - root_lo) + margin);
  }
  const Interval half = Scale(t, 0.5);
  out = z > 0.0 ? Interval{half.lo / z, half.hi / z} : Interval{half.hi / z, half.lo / z};
  return out.lo >= 0.0;
}

// The load current of visited row q over node voltages in v; false when some
// pass may fail there, or the bounds say nothing.
bool LoadCurrent(const RowProgram& pr, size_t q, Interval v, Interval& out) {
  const double load = pr.load[q];
  switch (pr.kind[q]) {
    case RowKind::kConstantCurrent:
      out = {load, load};
      return true;
    case RowKind::kConstantPower: {
      // P / v is monotone on each side of 0 (falling when P > 0).
      if (!(v.lo > 0.0 || v.hi < 0.0)) return false;
      const Interval ratio{load / v.hi, load / v.lo};
      out = load > 0.0 ? ratio : Interval{ratio.hi, ratio.lo};
      return true;
    }
    case RowKind::kProtectedPower:
      return ProtectedCurrent(v, pr.four_rp[q], pr.zb[q], out);
  }
  return false;
}

// The node voltage of the next row: s * g + v, rising with both terms.
Interval NextNode(Interval s, double g, Interval v) {
  const Interval drop = Scale(s, g);
  return {drop.lo + v.lo, drop.hi + v.hi};
}

}  // namespace

bool ProtectedCurrentBounds(double lo, double hi, double f, double z, double& current_lo,
                            double& current_hi) {
  Interval current{0.0, 0.0};
  const bool solvable = ProtectedCurrent({lo, hi}, f, z, current);
  current_lo = current.lo;
  current_hi = current.hi;
  return solvable && Finite(current);
}

bool CalculationPassesGoOn(const RowProgram& pr, double lo, double hi, double supply) {
  Interval v{lo, hi};
  Interval s{0.0, 0.0};
  Interval current{0.0, 0.0};
  for (int p = 0; p < pr.n; ++p) {
    const size_t q = static_cast<size_t>(p);
    if (!LoadCurrent(pr, q, v, current)) return false;
    s = {s.lo + current.lo, s.hi + current.hi};
    v = NextNode(s, pr.segment[q], v);
  }
  // A non-finite enclosure may hide a NaN; finite ones at the end mean every
  // enclosure on the way was finite (S and v only accumulate).
  return Finite(s) && Finite(v) && v.lo >= supply;
}

int SearchPassesLeaveBy(const RowProgram& pr, double lo, double hi) {
  Interval v{lo, hi};
  Interval s{0.0, 0.0};
  Interval current{0.0, 0.0};
  for (int p = 0; p < pr.n; ++p) {
    const size_t q = static_cast<size_t>(p);
    if (!LoadCurrent(pr, q, v, current)) return 0;
    const double zb = pr.zb[q];
    const double umin = pr.umin[q];
    const Interval zb_drop = Scale(current, zb);
    const Interval block{v.lo - zb_drop.hi, v.hi - zb_drop.lo};
    if (block.hi < umin) {
      const bool finite = Finite(s) && Finite(v) && Finite(current) && Finite(block);
      return finite ? pr.n - p : 0;
    }
    // The passes that go on have their block voltage at or above the minimum,
    // and their node voltage at least that where the drop before the block is
    // not negative.
    if (zb_drop.lo >= 0.0) v.lo = std::max(v.lo, umin);
    s = {s.lo + current.lo, s.hi + current.hi};
    v = NextNode(s, pr.segment[q], v);
  }
  return 0;  // some pass may reach the controller
}

}  // namespace luch::detail
