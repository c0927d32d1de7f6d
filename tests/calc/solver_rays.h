// Random rays given directly as the working arrays of a calculation (no
// library files), shaped where the bounds of the fast solver are tight or
// would show when wrong, and the three solver loops run on them.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calc/calculation_stages.h"
#include "calc/ray_solver.h"
#include "project/project_table.h"

namespace luch::testing {

// Blocks of every kind; heavy constant-power blocks near voltage collapse; a
// protected block whose discriminant crosses 0 among the passes; searches
// that climb (search only). Solver_rays.cpp says how each is built.
enum class RayShape { kMixed, kCollapse, kProtectedEdge, kClimb };
inline constexpr int kRayShapes = 4;

class SolverRays {
 public:
  explicit SolverRays(uint32_t seed) : random_(seed) {}

  // A ray of `shape` with 1..max_rows rows, for the calculation or the search.
  CalculationState Make(RayShape shape, bool search, int max_rows);

 private:
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  double Real(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random_);
  }
  bool Chance(double p) { return Real(0.0, 1.0) < p; }
  void Row(RayArrays& a, size_t i, bool heavy);

  std::mt19937 random_;
};

enum class Loop { kFast, kPlain, kLiteral };

// What one loop leaves, as the user sees it after FinishCalculation (which
// clears CurrentMA and VoltageV after a failure).
struct SolverOutcome {
  SolverResult result;
  std::vector<BlockRow> rows;
  std::string edit_u;
  float total_current = 0.0f;
  bool operator==(const SolverOutcome& o) const;
};
SolverOutcome RunLoop(const CalculationState& state, bool search, Loop loop);

}  // namespace luch::testing
