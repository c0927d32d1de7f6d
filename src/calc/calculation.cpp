#include "calc/calculation.h"

#include <cmath>
#include <string>
#include <vector>

#include "calc/calculation_stages.h"
#include "calc/ray_solver.h"
#include "common/number_text.h"

namespace luch {
namespace {

// The PowerMW column as the project had it before a calculation: a failed one
// leaves it so, not with the numbers of an abandoned pass.
std::vector<std::string> PowerColumn(const ProjectTable& table) {
  std::vector<std::string> cells;
  cells.reserve(static_cast<size_t>(table.BlockCount()));
  for (int r = 1; r <= table.BlockCount(); ++r) cells.push_back(table.GetCell(r, kPowerMW));
  return cells;
}

// After a failure every row's, after a success those of the blocks the library
// lacks (the passes wrote 0 there: they take no current here, but their
// project knows their power).
void RestorePowerColumn(ProjectTable& table, const std::vector<std::string>& cells,
                        const CalculationState& state, bool success) {
  const auto restore = [&](int r) {
    if (r <= static_cast<int>(cells.size())) {
      table.SetCell(r, kPowerMW, cells[static_cast<size_t>(r - 1)]);
    }
  };
  if (success) {
    for (const int r : state.unknown_block_rows) restore(r);
  } else {
    for (int r = 1; r <= table.BlockCount(); ++r) restore(r);
  }
}

// How far above the search's text the calculation is tried: ten steps and a
// volt (a ray near its collapse needs a few steps more than the search's grid).
double ConfirmationRange(const CalculationState& state) { return 10.0 * state.AccuracyStep + 1.0; }

// The search's answer as the calculation (F9) sees it: the text in EditU is
// raised by 0.01 V until the calculation at it, on the same prepared arrays,
// finds no problem block; its cells and current are then the ones shown.
// Fails (EditU and the current as before the search) when no such voltage
// lies within ConfirmationRange.
SolverResult ConfirmUnderCalculation(CalculationContext& context, CalculationState& state,
                                     RaySolverFn solve, SolverResult found,
                                     const std::string& edit_u_before, float current_before) {
  ProjectParameters& params = context.params;
  const double start = params.SupplyVoltage();
  const int64_t first = std::llround(start * 100.0);
  const int64_t last = std::llround((start + ConfirmationRange(state)) * 100.0);
  for (int64_t cents = first; cents <= last; ++cents) {
    params.EditU = CFormat("%2.2f", {static_cast<double>(cents) / 100.0});
    state.SupplyVoltage = params.SupplyVoltage();
    if (!SupplyVoltageUsable(state)) break;
    const SolverResult run = solve(context.table, state, context.totals);
    found.passes += run.passes;
    found.skipped += run.skipped;
    if (run.success && CountProblems(context.table, state) == 0) return found;
  }
  params.EditU = edit_u_before;
  context.totals.TotalCurrent = current_before;
  found.success = false;
  return found;
}

}  // namespace

bool RunCalculation(CalculationContext& context, CalculationStats* stats, RaySolverFn solver) {
  const std::vector<std::string> power = PowerColumn(context.table);
  CalculationState state;
  PrepareCalculation(context, state);
  SolverResult result;
  if (SolverInputsUsable(state) && SupplyVoltageUsable(state)) {
    result = solver(context.table, state, context.totals);
  }
  RestorePowerColumn(context.table, power, state, result.success);
  FinishCalculation(context, state, result.success);
  if (stats) *stats = {result.passes, result.skipped};
  return result.success;
}

bool RunMinimumVoltageSearch(CalculationContext& context, CalculationStats* stats,
                             SearchSolverFn solver, RaySolverFn calculation) {
  const std::vector<std::string> power = PowerColumn(context.table);
  CalculationState state;
  PrepareCalculation(context, state);
  const std::string edit_u = context.params.EditU;  // after its replacement
  const float current = context.totals.TotalCurrent;
  SolverResult result;
  if (SolverInputsUsable(state) && SearchPassesBounded(state)) {
    result = solver(context.table, state, context.params, context.totals);
  }
  if (result.success) {
    result = ConfirmUnderCalculation(context, state, calculation, result, edit_u, current);
  }
  RestorePowerColumn(context.table, power, state, result.success);
  FinishCalculation(context, state, result.success);
  if (stats) *stats = {result.passes, result.skipped};
  return result.success;
}

bool BitBtnStartClick(CalculationContext& context, CalculationStats* stats) {
  return RunCalculation(context, stats, &SolveRay);
}

bool mFindUKMUClick(CalculationContext& context, CalculationStats* stats) {
  return RunMinimumVoltageSearch(context, stats, &SearchMinimumVoltage, &SolveRay);
}

}  // namespace luch
