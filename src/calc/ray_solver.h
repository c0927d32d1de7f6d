// The fast solver loops of the calculation (F9) and the minimum voltage search
// (F10). They give exactly the cells, texts and totals of the step-by-step
// loops (reference_solver.h): passes are independent of each other, so whole
// ranges of passes that certainly do not end the loop are skipped on bounds
// (pass_bounds.h), the rest are evaluated side by side on the numbers alone,
// and only the passes whose writes remain visible are run again with their
// cell writes.
#pragma once

#include <cstdint>

#include "calc/calculation.h"
#include "calc/calculation_stages.h"

namespace luch {

struct SolverResult {
  bool success = false;
  int64_t passes = 0;   // passes of the loop, counting the one that ended it
  int64_t skipped = 0;  // of them, passes not run because bounds showed they go on
};

// The F9 solver, after PrepareCalculation (with usable inputs): leaves the
// cells as the step-by-step loop leaves them; on success sets
// totals.TotalCurrent. A pass whose controller voltage or current is not
// finite ends in failure.
SolverResult SolveRay(ProjectTable& table, const CalculationState& state,
                      CalculationTotals& totals);

// The F10 search, after PrepareCalculation (with usable inputs and a bounded
// pass count): leaves the cells as the step-by-step loop does; on success
// writes EditU and sets totals.TotalCurrent.
SolverResult SearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                  ProjectParameters& params, CalculationTotals& totals);

}  // namespace luch

namespace luch {

// The frame of both commands around a solver loop: PrepareCalculation, the
// guards, the loop, FinishCalculation. Used with the fast and the reference
// loops alike.
using RaySolverFn = SolverResult (*)(ProjectTable&, const CalculationState&, CalculationTotals&);
using SearchSolverFn = SolverResult (*)(ProjectTable&, const CalculationState&, ProjectParameters&,
                                        CalculationTotals&);
bool RunCalculation(CalculationContext& context, CalculationStats* stats, RaySolverFn solver);
// The search's answer is then confirmed with `calculation` (F9's loop): see
// mFindUKMUClick.
bool RunMinimumVoltageSearch(CalculationContext& context, CalculationStats* stats,
                             SearchSolverFn solver, RaySolverFn calculation);

}  // namespace luch
