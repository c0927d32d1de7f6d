#include "calc/solver_rays.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "calc/reference_solver.h"

namespace luch::testing {
namespace {

// The voltage at node `row` (the controller for 0) of a calculation pass from
// far-end voltage v; NaN when a load below it has no solution.
double NodeVoltage(const CalculationState& s, double v, int row) {
  double sum = 0.0;
  double current = 0.0;
  for (int i = s.N; i > row; --i) {
    if (!BlockCurrentAt(s.arrays, i, v, current)) return NAN;
    sum = sum + current;
    v = sum * s.arrays.SegmentResistance[static_cast<size_t>(i)] + v;
  }
  return v;
}

constexpr float kZB[] = {4.0f, 40.0f, 100.0f};
constexpr float kUmin[] = {1.0f, 8.0f, 9.0f, 10.5f, 12.0f, 20.0f};
constexpr float kSteps[] = {0.001f, 0.001f, 0.001f, 0.5f, 0.05f, 0.05f, 0.01f};

}  // namespace

// One row as PrepareCalculation would fill it from a project; `heavy` rows
// are constant-power blocks on short segments.
void SolverRays::Row(RayArrays& a, size_t i, bool heavy) {
  const int64_t length = Chance(0.05) ? 0 : Pick(heavy ? 1 : -2, heavy ? 40 : 200);
  a.SegmentResistance[i] = static_cast<float>(static_cast<double>(Pick(0, 120) * length) * 0.002);
  a.RowUmin[i] = kUmin[Pick(0, 5)];
  if (!heavy && Chance(0.45)) {
    a.RowCurrent[i] = static_cast<float>((Chance(0.1) ? 0.0 : Real(-0.8, 40.0)) * 0.001);
  } else {
    a.RowPower[i] = static_cast<float>(Pick(Chance(0.02) ? -1000 : 1, 3000) * 0.001);
  }
  if (Chance(0.15)) a.RowZBResistance[i] = kZB[Pick(0, 2)];
}

CalculationState SolverRays::Make(RayShape shape, bool search, int max_rows) {
  CalculationState s;
  const double share = Real(0.0, 1.0);
  s.N = std::min(share < 0.3    ? Pick(1, 10)
                 : share < 0.88 ? Pick(10, 300)
                                : Pick(300, 4096),
                 max_rows);
  s.AccuracyStep = Chance(0.2) ? static_cast<float>(Real(0.001, 0.5)) : kSteps[Pick(0, 6)];
  const double supplies[] = {28.0, 24.0, 12.0, 40.5, 60.0, 9.5, Real(1.5, 100.0)};
  s.SupplyVoltage = Chance(0.02) ? 1000.0 : supplies[Pick(0, 6)];
  RayArrays& a = s.arrays;
  const size_t far = static_cast<size_t>(s.N);
  for (auto* array :
       {&a.SegmentResistance, &a.RowPower, &a.RowZBResistance, &a.RowCurrent, &a.RowUmin}) {
    array->assign(far + 1, 0.0f);
  }
  for (size_t i = 1; i <= far; ++i) Row(a, i, shape == RayShape::kCollapse);
  const double step = s.AccuracyStep;
  const double end = Real(0.0, 1.0);

  switch (shape) {
    case RayShape::kMixed:
      break;
    case RayShape::kCollapse:
      // The supply that some far-end voltage needs exactly: the passes meet
      // controller voltages just above and just below it.
      for (int tries = 0; tries < 20; ++tries) {
        const double needed = NodeVoltage(s, Real(1.01, 40.0), 0);
        if (needed > 1.0 && needed <= 1000.0) {
          s.SupplyVoltage = needed;
          break;
        }
      }
      break;
    case RayShape::kProtectedEdge: {
      // v*v = 4*R*P at a far-end voltage among those of the passes; for the
      // search's last row, P*R = Umin^2 puts it at the start voltage itself.
      const size_t row = far - static_cast<size_t>(Pick(0, std::min(3, s.N - 1)));
      const float zb = a.RowZBResistance[row] = kZB[Pick(0, 2)];
      a.RowCurrent[row] = 0.0f;
      double edge = search ? a.RowUmin[row] + step * Real(0.0, 3000.0)
                           : s.SupplyVoltage - step * Real(1.0, 3000.0);
      if (search && row == far) edge = 2.0 * a.RowUmin[row] * (1.0 + Real(-1e-6, 1e-6));
      a.RowPower[row] = static_cast<float>(std::max(edge, 1.5) * std::max(edge, 1.5) / (4.0 * zb));
      break;
    }
    case RayShape::kClimb:
      // Minimum voltages rising towards the controller: each pass leaves
      // nearer to it than the one before, until the first row fails when
      // reached, or needs nearly 1000 V.
      std::sort(a.RowUmin.begin() + 1, a.RowUmin.end(), std::greater<float>());
      if (end < 0.35) {
        a.RowPower[1] = 3.0f;
        a.RowCurrent[1] = 0.0f;
        a.RowZBResistance[1] = 40.0f;
      } else if (end < 0.7 || s.N < 5) {
        a.RowUmin[1] = static_cast<float>(Real(985.0, 1010.0));
        if (s.N > 4) s.AccuracyStep = Chance(0.5) ? 0.5f : 0.05f;  // bounded work for the judges
      } else {
        // A dip: a heavy far-end block on a long segment makes the node before
        // it fall as the far-end voltage rises from 1 V. The protected block
        // there fails once that node is low enough, after passes that got
        // further up a staircase of minimum voltages than the later ones did.
        const float power = a.RowPower[far] = static_cast<float>(Real(2.0, 20.0));
        const float segment = a.SegmentResistance[far] = static_cast<float>(Real(2.0, 20.0));
        a.RowCurrent[far] = a.RowZBResistance[far] = 0.0f;
        a.RowUmin[far] = 1.0f;
        const double node = NodeVoltage(s, Real(1.2, std::sqrt(power * segment)), s.N - 1);
        const double rise = Real(0.001, 0.05);
        for (size_t i = 1; i < far; ++i) {
          a.RowPower[i] = a.RowZBResistance[i] = 0.0f;
          a.RowCurrent[i] = static_cast<float>(Real(0.0, 1e-3));
          a.SegmentResistance[i] = 0.01f;
          a.RowUmin[i] = static_cast<float>(node * (1.0 + static_cast<double>(far - 1 - i) * rise));
        }
        a.RowPower[far - 1] = static_cast<float>(node * node / 160.0);
        a.RowZBResistance[far - 1] = 40.0f;
        a.RowUmin[far - 1] = 1.0f;
      }
      break;
  }
  return s;
}

bool SolverOutcome::operator==(const SolverOutcome& o) const {
  return result.success == o.result.success && result.passes == o.result.passes && rows == o.rows &&
         edit_u == o.edit_u &&
         std::bit_cast<uint32_t>(total_current) == std::bit_cast<uint32_t>(o.total_current);
}

SolverOutcome RunLoop(const CalculationState& state, bool search, Loop loop) {
  ProjectTable table;
  table.SetBlockCount(state.N);
  for (int i = 1; i <= state.N; ++i) table.SetCell(i, kPowerMW, "-");
  ProjectParameters params;
  CalculationTotals totals;
  SolverOutcome out;
  if (search) {
    const SearchSolverFn fn = loop == Loop::kFast    ? &SearchMinimumVoltage
                              : loop == Loop::kPlain ? &PlainSearchMinimumVoltage
                                                     : &ReferenceSearchMinimumVoltage;
    out.result = fn(table, state, params, totals);
  } else {
    const RaySolverFn fn = loop == Loop::kFast    ? &SolveRay
                           : loop == Loop::kPlain ? &PlainSolveRay
                                                  : &ReferenceSolveRay;
    out.result = fn(table, state, totals);
  }
  for (int i = 1; i <= state.N; ++i) {
    if (!out.result.success) {
      table.SetCell(i, kCurrentMA, "");
      table.SetCell(i, kVoltageV, "");
    }
    out.rows.push_back(table.GetRow(i));
  }
  out.edit_u = params.EditU;
  out.total_current = totals.TotalCurrent;
  return out;
}

}  // namespace luch::testing
