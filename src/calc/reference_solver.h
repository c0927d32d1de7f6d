// The plain solver loops, written step by step after the algorithm as it is
// documented: every pass writes its cells as it goes. They are slow on long
// rays and fine steps; they exist as the reference against which the tests and
// the benchmarks check the fast solver (ray_solver.h) bit for bit.
#pragma once

#include "calc/calculation.h"
#include "calc/calculation_stages.h"
#include "calc/ray_solver.h"

namespace luch {

// The F9 solver loop, after PrepareCalculation; writes the cells every pass;
// on success sets totals.TotalCurrent.
SolverResult ReferenceSolveRay(ProjectTable& table, const CalculationState& state,
                               CalculationTotals& totals);

// The F10 search loop, after PrepareCalculation; on success sets EditU and
// totals.TotalCurrent.
SolverResult ReferenceSearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                           ProjectParameters& params, CalculationTotals& totals);

// BitBtnStartClick and mFindUKMUClick with the reference loops.
bool ReferenceBitBtnStartClick(CalculationContext& context, CalculationStats* stats = nullptr);
bool ReferenceFindUKMUClick(CalculationContext& context, CalculationStats* stats = nullptr);

}  // namespace luch
