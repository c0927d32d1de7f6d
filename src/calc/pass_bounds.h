// Certified verdicts on whole ranges of passes, so that the solver loops can
// skip the passes whose outcome is certain without running them.
//
// What it proves. A pass computes every value (load current, running current
// S, node voltage, block voltage) by a fixed sequence of double operations
// (+, -, *, /, sqrt) from its far-end voltage and from constants of the ray.
// Correctly rounded operations are monotone in each argument, so the same
// operations applied to the ends of an interval, each in the direction that
// gives the least and the greatest result, enclose what every pass whose
// far-end voltage lies in the interval computes at that row. The one place
// where this alone is loose, the protected load's v - sqrt(v*v - 4RP), also
// gets a bound from the error of correct rounding (see pass_bounds.cpp). A
// verdict is given only when every enclosure on the way is finite; where it is
// not certain, the functions answer "not certain" and the caller runs the
// passes.
//
// What it assumes of the arithmetic: binary64 with round-to-nearest, no
// contraction into fused multiply-adds (-ffp-contract=off), no x87 extended
// precision (SSE2 arithmetic, as on every x86-64 build), and that the passes
// use the very operations of RowProgram in the order of BlockCurrentAt.
#pragma once

#include "calc/ray_kernels.h"

namespace luch::detail {

// The current of a block behind lightning protection, as BlockCurrentAt forms
// it from f = 4 * R * P and z = R, enclosed over every node voltage in
// [lo, hi]; false when one of them may have no solution. REQUIRES: lo <= hi.
bool ProtectedCurrentBounds(double lo, double hi, double f, double z, double& current_lo,
                            double& current_hi);

// True when every calculation pass whose far-end voltage lies in [lo, hi]
// certainly gets through all rows without a load failure and needs a
// controller voltage of at least `supply`: the loop goes on after each of
// them. False means "not certain", never "some pass ends".
// REQUIRES: lo <= hi.
bool CalculationPassesGoOn(const RowProgram& program, double lo, double hi, double supply);

// For search passes whose far-end voltage lies in [lo, hi]: when every one of
// them certainly leaves at a block below its minimum before any load fails,
// the lowest row at which one of them may leave (1..N; each pass writes
// PowerMW only on rows above the one it leaves at). 0 when that is not
// certain. REQUIRES: lo <= hi.
int SearchPassesLeaveBy(const RowProgram& program, double lo, double hi);

}  // namespace luch::detail
