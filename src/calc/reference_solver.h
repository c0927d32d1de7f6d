// The solver loops written plainly, as the judges against which the tests and
// the benchmarks check the fast solver (ray_solver.h) bit for bit:
// - the reference loops follow the algorithm as it is documented, step by
//   step: every pass writes its cells as it goes;
// - the plain loops run the same passes one after another on doubles, keep
//   the values of the cells in arrays and write the cells once at the end.
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

// The same two loops, plain: the cells they leave are those of the reference.
SolverResult PlainSolveRay(ProjectTable& table, const CalculationState& state,
                           CalculationTotals& totals);
SolverResult PlainSearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                       ProjectParameters& params, CalculationTotals& totals);

// BitBtnStartClick and mFindUKMUClick with the reference or the plain loops.
bool ReferenceBitBtnStartClick(CalculationContext& context, CalculationStats* stats = nullptr);
bool ReferenceFindUKMUClick(CalculationContext& context, CalculationStats* stats = nullptr);
bool PlainBitBtnStartClick(CalculationContext& context, CalculationStats* stats = nullptr);
bool PlainFindUKMUClick(CalculationContext& context, CalculationStats* stats = nullptr);

}  // namespace luch
