// The numeric core of the fast solver: one group of passes of the calculation
// or of the search, evaluated side by side over the rows without touching the
// table. Every value a lane computes is the value the step-by-step pass
// computes (the same operations in the same order; no fused multiply-add).
#pragma once

#include <cstdint>
#include <vector>

#include "calc/calculation_stages.h"

namespace luch::detail {

// Passes evaluated side by side in one group.
inline constexpr int kLanes = 16;

enum class RowKind : uint8_t {
  kConstantCurrent,  // RowPower = 0: the load current is RowCurrent
  kConstantPower,    // no lightning protection: the current is P / V
  kProtectedPower,   // behind lightning protection: the smaller root of R*I*I - V*I + P
};

// The rows in the order the passes visit them (row N first), widened to double.
struct RowProgram {
  int n = 0;
  std::vector<RowKind> kind;
  std::vector<double> load;     // RowCurrent or RowPower
  std::vector<double> zb;       // RowZBResistance
  std::vector<double> four_rp;  // 4 * RowZBResistance * RowPower
  std::vector<double> segment;  // SegmentResistance
  std::vector<double> umin;     // RowUmin
};

RowProgram BuildRowProgram(const CalculationState& state);

// How a lane's pass ended inside the rows.
enum class LaneEnd : uint8_t {
  kReached,  // the pass reached the controller
  kExit,     // search: a block below its minimum (the pass goes on to the next)
  kFailed,   // BlockCurrentAt found no solution
};

struct LaneResults {
  double voltage[kLanes];  // controller voltage of a reached pass
  double current[kLanes];  // S of a reached pass
  LaneEnd end[kLanes];
  int32_t row[kLanes];  // the row where an exit or a failure happened
};

// Calculation passes from the far-end voltages `start` (all lanes used).
void RunCalculationGroup(const RowProgram& program, const double* start, LaneResults& out);

// Search passes from the far-end voltages `start`; lanes whose `live` is false
// are not evaluated (their end is kExit at row N + 1).
void RunSearchGroup(const RowProgram& program, const double* start, const bool* live,
                    LaneResults& out);

}  // namespace luch::detail
