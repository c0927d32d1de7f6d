#include "calc/calculation.h"

#include "calc/calculation_stages.h"
#include "calc/ray_solver.h"

namespace luch {

bool RunCalculation(CalculationContext& context, CalculationStats* stats, RaySolverFn solver) {
  CalculationState state;
  PrepareCalculation(context, state);
  SolverResult result;
  if (SolverInputsUsable(state) && SupplyVoltageUsable(state)) {
    result = solver(context.table, state, context.totals);
  }
  FinishCalculation(context, state, result.success);
  if (stats) *stats = {result.passes, result.skipped};
  return result.success;
}

bool RunMinimumVoltageSearch(CalculationContext& context, CalculationStats* stats,
                             SearchSolverFn solver) {
  CalculationState state;
  PrepareCalculation(context, state);
  SolverResult result;
  if (SolverInputsUsable(state) && SearchPassesBounded(state)) {
    result = solver(context.table, state, context.params, context.totals);
  }
  FinishCalculation(context, state, result.success);
  if (stats) *stats = {result.passes, result.skipped};
  return result.success;
}

bool BitBtnStartClick(CalculationContext& context, CalculationStats* stats) {
  return RunCalculation(context, stats, &SolveRay);
}

bool mFindUKMUClick(CalculationContext& context, CalculationStats* stats) {
  return RunMinimumVoltageSearch(context, stats, &SearchMinimumVoltage);
}

}  // namespace luch
