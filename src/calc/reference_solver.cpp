#include "calc/reference_solver.h"

#include <cmath>
#include <vector>

#include "common/number_text.h"

namespace luch {

SolverResult ReferenceSolveRay(ProjectTable& table, const CalculationState& state,
                               CalculationTotals& totals) {
  const RayArrays& a = state.arrays;
  double NodeVoltage = 0.0;
  double LoadCurrent = 0.0;
  for (int64_t k = 1;; ++k) {
    NodeVoltage = state.SupplyVoltage - static_cast<double>(k) * state.AccuracyStep;
    if (!(NodeVoltage > 1.0)) return {false, k};
    double S = 0.0;
    for (int i = state.N; i >= 1; --i) {
      const size_t r = static_cast<size_t>(i);
      if (!BlockCurrentAt(a, i, NodeVoltage, LoadCurrent)) return {false, k};
      table.SetCurrentMA(i, static_cast<float>(LoadCurrent * 1000.0));
      const double Ub = NodeVoltage - LoadCurrent * a.RowZBResistance[r];
      table.SetVoltageV(i, static_cast<float>(Ub));
      if (a.RowPower[r] == 0.0f) table.SetPowerMW(i, CalculationPowerMW(Ub, LoadCurrent));
      S = S + LoadCurrent;
      NodeVoltage = S * a.SegmentResistance[r] + NodeVoltage;
    }
    if (NodeVoltage >= state.SupplyVoltage) continue;
    if (!std::isfinite(NodeVoltage) || !std::isfinite(static_cast<float>(S))) return {false, k};
    totals.TotalCurrent = static_cast<float>(S);
    return {true, k};
  }
}

SolverResult ReferenceSearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                           ProjectParameters& params, CalculationTotals& totals) {
  const RayArrays& a = state.arrays;
  double NodeVoltage = 0.0;
  double LoadCurrent = 0.0;
  double Vend = SearchStartVoltage(state) - state.AccuracyStep;
  for (int64_t j = 1;; ++j) {
    Vend = Vend + state.AccuracyStep;
    NodeVoltage = Vend;
    if (NodeVoltage >= kMaxSupplyVoltage) return {false, j};
    double S = 0.0;
    bool reached = true;
    for (int i = state.N; i >= 1; --i) {
      const size_t r = static_cast<size_t>(i);
      if (!BlockCurrentAt(a, i, NodeVoltage, LoadCurrent)) return {false, j};
      table.SetCurrentMA(i, static_cast<float>(LoadCurrent * 1000.0));
      const double Ub = NodeVoltage - LoadCurrent * a.RowZBResistance[r];
      table.SetVoltageV(i, static_cast<float>(Ub));
      if (Ub < a.RowUmin[r]) {
        reached = false;
        break;
      }
      if (a.RowPower[r] == 0.0f) table.SetPowerMW(i, SearchPowerMW(Ub, LoadCurrent));
      S = S + LoadCurrent;
      NodeVoltage = S * a.SegmentResistance[r] + NodeVoltage;
    }
    if (!reached) continue;
    const float controller = static_cast<float>(NodeVoltage);
    if (!std::isfinite(controller) || !std::isfinite(static_cast<float>(S))) return {false, j};
    params.EditU = CFormat("%2.2f", {controller});
    totals.TotalCurrent = static_cast<float>(S);
    return {true, j};
  }
}

SolverResult PlainSolveRay(ProjectTable& table, const CalculationState& state,
                           CalculationTotals& totals) {
  const RayArrays& a = state.arrays;
  // One pass from far-end voltage v, leaving the controller voltage in v and
  // the current in s; returns the row where a load failed (0: none). With
  // `cells` it writes them as the literal loop does, PowerMW only unless `all`.
  auto pass = [&](double& v, double& s, ProjectTable* cells, bool all) {
    s = 0.0;
    for (int i = state.N; i >= 1; --i) {
      const size_t r = static_cast<size_t>(i);
      double current = 0.0;
      if (!BlockCurrentAt(a, i, v, current)) return i;
      if (cells) {
        const double ub = v - current * a.RowZBResistance[r];
        if (all) {
          cells->SetCurrentMA(i, static_cast<float>(current * 1000.0));
          cells->SetVoltageV(i, static_cast<float>(ub));
        }
        if (a.RowPower[r] == 0.0f) cells->SetPowerMW(i, CalculationPowerMW(ub, current));
      }
      s = s + current;
      v = s * a.SegmentResistance[r] + v;
    }
    return 0;
  };
  auto start = [&](int64_t k) {
    return state.SupplyVoltage - static_cast<double>(k) * state.AccuracyStep;
  };
  double v = 0.0;
  double s = 0.0;
  int64_t k = 1;
  bool started = false;
  int failed_row = 0;
  for (;; ++k) {
    v = start(k);
    started = v > 1.0;
    if (!started) break;
    failed_row = pass(v, s, nullptr, false);
    if (failed_row != 0 || !(v >= state.SupplyVoltage)) break;
  }
  const bool success =
      started && failed_row == 0 && std::isfinite(v) && std::isfinite(static_cast<float>(s));
  // The cells the loop leaves: the accepted pass's; after a failure PowerMW of
  // the last complete pass, overwritten where the ending pass got.
  if (!success && k > 1) pass(v = start(k - 1), s, &table, false);
  if (started) pass(v = start(k), s, &table, success);
  if (success) totals.TotalCurrent = static_cast<float>(s);
  return {success, k};
}

SolverResult PlainSearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                       ProjectParameters& params, CalculationTotals& totals) {
  const RayArrays& a = state.arrays;
  enum class End { kReached, kLeft, kFailed };
  // One pass from far-end voltage v, leaving the controller voltage in v and
  // the current in s; tells how it ended and at which row. With `cells` it
  // writes them as the literal loop does: all of them with `all`, otherwise
  // PowerMW of the rows up to `top`.
  auto pass = [&](double& v, double& s, int& row, ProjectTable* cells, bool all, int top) {
    s = 0.0;
    for (row = state.N; row >= 1; --row) {
      const size_t r = static_cast<size_t>(row);
      double current = 0.0;
      if (!BlockCurrentAt(a, row, v, current)) return End::kFailed;
      const double ub = v - current * a.RowZBResistance[r];
      if (cells && all) {
        cells->SetCurrentMA(row, static_cast<float>(current * 1000.0));
        cells->SetVoltageV(row, static_cast<float>(ub));
      }
      if (ub < a.RowUmin[r]) return End::kLeft;
      if (cells && a.RowPower[r] == 0.0f && (all || row <= top)) {
        cells->SetPowerMW(row, SearchPowerMW(ub, current));
      }
      s = s + current;
      v = s * a.SegmentResistance[r] + v;
    }
    return End::kReached;
  };
  std::vector<double> starts{0.0};  // far-end voltage of pass j
  std::vector<int> left_at{0};      // the row pass j left at
  double vend = SearchStartVoltage(state) - state.AccuracyStep;
  double v = 0.0;
  double s = 0.0;
  int row = 0;
  End end = End::kLeft;
  for (;;) {
    vend = vend + state.AccuracyStep;
    starts.push_back(vend);
    if (vend >= kMaxSupplyVoltage) break;
    v = vend;
    end = pass(v, s, row, nullptr, false, 0);
    left_at.push_back(row);
    if (end != End::kLeft) break;
  }
  const int64_t last = static_cast<int64_t>(starts.size()) - 1;
  const float controller = static_cast<float>(v);
  const bool started = vend < kMaxSupplyVoltage;
  const bool success = started && end == End::kReached && std::isfinite(controller) &&
                       std::isfinite(static_cast<float>(s));
  if (success) {
    pass(v = vend, s, row, &table, true, 0);
    params.EditU = CFormat("%2.2f", {controller});
    totals.TotalCurrent = static_cast<float>(s);
    return {true, last};
  }
  // PowerMW of each row keeps the value of the last pass that got past it:
  // the ending pass first, then, walking back, each pass that got further.
  int uncovered = state.N + 1;
  if (started) {
    pass(v = vend, s, row, &table, false, state.N);
    uncovered = row + 1;
  }
  for (int64_t j = last - 1; j >= 1 && uncovered > 1; --j) {
    const int from = left_at[static_cast<size_t>(j)] + 1;
    if (from >= uncovered) continue;
    pass(v = starts[static_cast<size_t>(j)], s, row, &table, false, uncovered - 1);
    uncovered = from;
  }
  return {false, last};
}

bool ReferenceBitBtnStartClick(CalculationContext& context, CalculationStats* stats) {
  return RunCalculation(context, stats, &ReferenceSolveRay);
}

bool ReferenceFindUKMUClick(CalculationContext& context, CalculationStats* stats) {
  return RunMinimumVoltageSearch(context, stats, &ReferenceSearchMinimumVoltage,
                                 &ReferenceSolveRay);
}

bool PlainBitBtnStartClick(CalculationContext& context, CalculationStats* stats) {
  return RunCalculation(context, stats, &PlainSolveRay);
}

bool PlainFindUKMUClick(CalculationContext& context, CalculationStats* stats) {
  return RunMinimumVoltageSearch(context, stats, &PlainSearchMinimumVoltage, &PlainSolveRay);
}

}  // namespace luch
