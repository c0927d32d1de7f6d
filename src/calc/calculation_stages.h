// The stages that the calculation (F9) and the minimum voltage search (F10)
// share: PrepareCalculation, the load model BlockCurrentAt and
// FinishCalculation, with the working arrays that live between them.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/calculation.h"

namespace luch {

// Working arrays, index = row number 1..N (entry 0 unused), all 32-bit reals.
struct RayArrays {
  std::vector<float> SegmentResistance;  // Ohm, loop resistance of the segment reaching row i
  std::vector<float> RowPower;           // W, constant-power load; 0 for a constant-current one
  std::vector<float> RowZBResistance;    // Ohm, series resistance in front of the block
  std::vector<float> RowCurrent;         // A, constant-current load; 0 for a constant-power one
  std::vector<float> RowUmin;            // V, minimum voltage (at least 1.0)
};

// One calculation's state from PrepareCalculation to FinishCalculation.
struct CalculationState {
  int N = 0;  // block rows
  RayArrays arrays;
  double SupplyVoltage = 0.0;           // V, from EditU after its replacement
  float AccuracyStep = 0.05f;           // V, after its replacement
  std::string WarningText;              // warning lines of this calculation
  std::vector<int> unknown_block_rows;  // rows whose block type the library lacks
};

// The highest supply voltage and the most passes that a calculation takes on.
inline constexpr double kMaxSupplyVoltage = 1000.0;
inline constexpr double kMaxSearchPasses = 2000000.0;

// First stage: panel texts, working arrays, cable totals and their limit
// checks, ResistanceOhm/PowerMW (and the names of unknown blocks) of every row,
// the replacement of out-of-range parameters; shows the wait window first and
// lets it repaint after the panels say "Выполняется расчет...".
void PrepareCalculation(CalculationContext& context, CalculationState& state);

// The current of row i's block at node voltage v (V). Returns false when the
// load has no solution (a constant-power block behind lightning protection
// with v*v < 4*R*P, or a negative current); otherwise sets load_current (A).
inline bool BlockCurrentAt(const RayArrays& a, int i, double v, double& load_current) {
  const float power = a.RowPower[static_cast<size_t>(i)];
  const float zb = a.RowZBResistance[static_cast<size_t>(i)];
  if (power == 0.0f) {
    load_current = a.RowCurrent[static_cast<size_t>(i)];
    return true;
  }
  if (zb == 0.0f) {
    load_current = power / v;
    return true;
  }
  const double d = v * v - 4.0 * zb * static_cast<double>(power);
  if (!(d >= 0.0)) return false;
  load_current = (v - std::sqrt(d)) * 0.5 / zb;
  return load_current >= 0.0;
}

// Last stage. On success the caller has set TotalCurrent. Sets the panels and
// mInfo, closes the wait window; on success counts the problems and shows the
// collected warnings, on failure clears CurrentMA and VoltageV and shows the
// failure message.
void FinishCalculation(CalculationContext& context, CalculationState& state, bool success);

// The problem blocks of the table: rows whose VoltageV cell, read back, is
// below the row's RowUmin.
int CountProblems(const ProjectTable& table, const CalculationState& state);

// True when a calculation would replace EditU or a parameter (the supply
// voltage is not above 1 V, the current limit below 1 mA, the step outside
// 0.001..0.5 V).
bool ParametersNeedReplacement(const ProjectParameters& params);

// True when the values the solver computes with (every array but RowUmin, the
// supply voltage and the step) are finite.
bool SolverInputsUsable(const CalculationState& state);

// True when F9 may run: the supply voltage is finite and at most 1000 V.
bool SupplyVoltageUsable(const CalculationState& state);

// The far-end voltage that the search starts from (V).
double SearchStartVoltage(const CalculationState& state);

// True when F10 may run: every RowUmin is finite and the search would end
// within kMaxSearchPasses passes.
bool SearchPassesBounded(const CalculationState& state);

// The minimum voltage that the problem count compares a block of type b with:
// its Umin, at least 1.0 V; 8.0 V for a type the library lacks (b = -1).
float CountedUmin(const BlockLibrary& blocks, int b);

// x truncated toward zero; NaN gives 0, values beyond 64 bits saturate.
int64_t TruncateToInt64(double x);

// PowerMW of a constant-current block in the calculation: Ub * I * 1000,
// truncated toward zero (mW).
inline int64_t CalculationPowerMW(double block_voltage, double load_current) {
  return TruncateToInt64(block_voltage * load_current * 1000.0);
}
// The same in the search, whose order of factors is 1000 * I * Ub.
inline int64_t SearchPowerMW(double block_voltage, double load_current) {
  return TruncateToInt64(1000.0 * load_current * block_voltage);
}

}  // namespace luch
