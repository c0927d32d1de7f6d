#include "calc/reference_solver.h"

#include <cmath>

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

bool ReferenceBitBtnStartClick(CalculationContext& context, CalculationStats* stats) {
  return RunCalculation(context, stats, &ReferenceSolveRay);
}

bool ReferenceFindUKMUClick(CalculationContext& context, CalculationStats* stats) {
  return RunMinimumVoltageSearch(context, stats, &ReferenceSearchMinimumVoltage);
}

}  // namespace luch
