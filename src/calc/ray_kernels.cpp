#include "calc/ray_kernels.h"

#include <cmath>

namespace luch::detail {

RowProgram BuildRowProgram(const CalculationState& state) {
  const RayArrays& a = state.arrays;
  RowProgram program;
  const int n = state.N;
  const size_t size = static_cast<size_t>(n);
  program.n = n;
  program.kind.resize(size);
  program.load.resize(size);
  program.zb.resize(size);
  program.four_rp.resize(size);
  program.segment.resize(size);
  program.umin.resize(size);
  for (int p = 0; p < n; ++p) {
    const size_t i = static_cast<size_t>(n - p);
    const size_t q = static_cast<size_t>(p);
    const float power = a.RowPower[i];
    const float zb = a.RowZBResistance[i];
    if (power == 0.0f) {
      program.kind[q] = RowKind::kConstantCurrent;
      program.load[q] = a.RowCurrent[i];
    } else {
      program.kind[q] = zb == 0.0f ? RowKind::kConstantPower : RowKind::kProtectedPower;
      program.load[q] = power;
    }
    program.zb[q] = zb;
    program.four_rp[q] = 4.0 * zb * static_cast<double>(power);
    program.segment[q] = a.SegmentResistance[i];
    program.umin[q] = a.RowUmin[i];
  }
  return program;
}

namespace {

// Two lanes in one SSE2 register; the arithmetic on them is the same IEEE
// arithmetic as on single doubles.
using Vec = double __attribute__((vector_size(16)));
using Mask = int64_t __attribute__((vector_size(16)));  // -1 or 0 per lane
constexpr int kWidth = 2;
constexpr int kVectors = kLanes / kWidth;

inline Vec Splat(double x) { return Vec{x, x}; }

inline Vec Sqrt(Vec x) { return Vec{std::sqrt(x[0]), std::sqrt(x[1])}; }

// The load currents of row p for all lanes; `bad` marks lanes where the load
// has no solution (they go on with a harmless value that is never used).
inline void RowCurrents(const RowProgram& pr, int p, const Vec* v, Vec* current, Mask* bad) {
  const size_t q = static_cast<size_t>(p);
  const Vec load = Splat(pr.load[q]);
  switch (pr.kind[q]) {
    case RowKind::kConstantCurrent:
      for (int b = 0; b < kVectors; ++b) {
        current[b] = load;
        bad[b] = Mask{0, 0};
      }
      break;
    case RowKind::kConstantPower:
      for (int b = 0; b < kVectors; ++b) {
        current[b] = load / v[b];
        bad[b] = Mask{0, 0};
      }
      break;
    case RowKind::kProtectedPower: {
      const Vec f = Splat(pr.four_rp[q]);
      const Vec z = Splat(pr.zb[q]);
      const Vec zero = Splat(0.0);
      const Vec half = Splat(0.5);
      for (int b = 0; b < kVectors; ++b) {
        const Vec d = v[b] * v[b] - f;
        const Mask solvable = d >= zero;
        const Vec root = Sqrt(solvable ? d : zero);
        current[b] = (v[b] - root) * half / z;
        bad[b] = ~(solvable & (current[b] >= zero));
      }
      break;
    }
  }
}

inline void Load(const double* from, Vec* to) {
  for (std::ptrdiff_t b = 0; b < kVectors; ++b) to[b] = Vec{from[kWidth * b], from[kWidth * b + 1]};
}

inline void Store(const Vec* from, double* to) {
  for (std::ptrdiff_t b = 0; b < kVectors; ++b) {
    to[kWidth * b] = from[b][0];
    to[kWidth * b + 1] = from[b][1];
  }
}

}  // namespace

void RunCalculationGroup(const RowProgram& pr, const double* start, LaneResults& out) {
  Vec v[kVectors], s[kVectors], current[kVectors];
  Mask bad[kVectors], failed[kVectors];
  Load(start, v);
  for (int b = 0; b < kVectors; ++b) {
    s[b] = Splat(0.0);
    failed[b] = Mask{0, 0};
  }
  for (int p = 0; p < pr.n; ++p) {
    RowCurrents(pr, p, v, current, bad);
    const Vec g = Splat(pr.segment[static_cast<size_t>(p)]);
    for (int b = 0; b < kVectors; ++b) {
      failed[b] |= bad[b];
      s[b] = s[b] + current[b];
      v[b] = s[b] * g + v[b];
    }
  }
  Store(v, out.voltage);
  Store(s, out.current);
  for (int l = 0; l < kLanes; ++l) {
    out.end[l] = failed[l / kWidth][l % kWidth] ? LaneEnd::kFailed : LaneEnd::kReached;
    out.row[l] = 0;
  }
}

void RunSearchGroup(const RowProgram& pr, const double* start, const bool* live, LaneResults& out) {
  Vec v[kVectors], s[kVectors], current[kVectors];
  Mask bad[kVectors], active[kVectors], stop[kVectors];
  Load(start, v);
  int active_count = 0;
  for (std::ptrdiff_t b = 0; b < kVectors; ++b) {
    s[b] = Splat(0.0);
    active[b] = Mask{live[kWidth * b] ? -1 : 0, live[kWidth * b + 1] ? -1 : 0};
  }
  for (int l = 0; l < kLanes; ++l) {
    active_count += live[l] ? 1 : 0;
    out.end[l] = live[l] ? LaneEnd::kReached : LaneEnd::kExit;
    out.row[l] = pr.n + 1;
  }
  for (int p = 0; p < pr.n && active_count > 0; ++p) {
    RowCurrents(pr, p, v, current, bad);
    const size_t q = static_cast<size_t>(p);
    const Vec z = Splat(pr.zb[q]);
    const Vec u = Splat(pr.umin[q]);
    const Vec g = Splat(pr.segment[q]);
    Mask any_stop = Mask{0, 0};
    for (int b = 0; b < kVectors; ++b) {
      const Vec ub = v[b] - current[b] * z;
      stop[b] = active[b] & (bad[b] | (ub < u));
      any_stop |= stop[b];
    }
    if (any_stop[0] | any_stop[1]) {
      for (int l = 0; l < kLanes; ++l) {
        const int b = l / kWidth;
        const int k = l % kWidth;
        if (!stop[b][k]) continue;
        out.end[l] = bad[b][k] ? LaneEnd::kFailed : LaneEnd::kExit;
        out.row[l] = pr.n - p;
        active[b][k] = 0;
        --active_count;
      }
    }
    for (int b = 0; b < kVectors; ++b) {
      s[b] = s[b] + current[b];
      v[b] = s[b] * g + v[b];
    }
  }
  Store(v, out.voltage);
  Store(s, out.current);
}

}  // namespace luch::detail
