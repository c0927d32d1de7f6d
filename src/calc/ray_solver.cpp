#include "calc/ray_solver.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/pass_bounds.h"
#include "calc/ray_kernels.h"
#include "common/number_text.h"

namespace luch {
namespace {

using detail::kLanes;
using detail::LaneEnd;
using detail::LaneResults;
using detail::RowProgram;

// How the loop ended, and at which pass.
enum class EndKind { kNone, kSuccess, kStartFailure, kRowFailure, kNotFinite };

struct Ending {
  int64_t pass = 0;
  EndKind kind = EndKind::kNone;
  int row = 0;  // search: the row where the ending pass failed
};

// Passes run exactly in whole groups: at least kShortestRun at a time, up to
// kLongestRun while the bounds keep failing to decide.
constexpr int64_t kShortestRun = int64_t{2} * kLanes;
constexpr int64_t kLongestRun = int64_t{64} * kLanes;

// The first pass that ends a loop, scanning passes 1, 2, ... in order.
// `go_on(first, last)` is true when certainly no pass of first..last ends the
// loop; `exact(first, count)` runs the passes and returns the first ending
// among them (kNone if there is none). A range that the bounds certify is
// skipped and the next one tried twice as long; one they do not certify is
// halved, down to an exact run.
template <class GoOn, class Exact>
Ending FirstEnding(GoOn go_on, Exact exact, int64_t& skipped) {
  int64_t k = 1;
  int64_t span = 0;  // the next range offered to the bounds; 0: run exactly first
  int64_t run = kShortestRun;
  bool ran_last = false;  // the last passes before k were run exactly
  for (;;) {
    if (span >= 2 * kShortestRun) {
      if (go_on(k, k + span - 1)) {
        k += span;
        skipped += span;
        span *= 2;
        run = kShortestRun;
        ran_last = false;
      } else {
        span /= 2;
      }
      continue;
    }
    // Two exact runs in a row: the bounds do not decide here, try them less often.
    if (ran_last) run = std::min(2 * run, kLongestRun);
    const Ending found = exact(k, run);
    if (found.kind != EndKind::kNone) return found;
    k += run;
    span = 2 * kShortestRun;
    ran_last = true;
  }
}

// --- replays: the passes whose writes stay visible, with their writes ---------

struct PassOutcome {
  bool failed = false;
  int row = 0;  // the failing or exit row
  bool exited = false;
  double voltage = 0.0;
  double current = 0.0;
};

// A calculation pass from far-end voltage `v`; with `all` it writes CurrentMA,
// VoltageV and PowerMW, otherwise only PowerMW.
PassOutcome ReplayCalculationPass(ProjectTable& table, const RayArrays& a, int n, double v,
                                  bool all) {
  PassOutcome out;
  double s = 0.0;
  double current = 0.0;
  for (int i = n; i >= 1; --i) {
    const size_t r = static_cast<size_t>(i);
    if (!BlockCurrentAt(a, i, v, current)) {
      out.failed = true;
      out.row = i;
      return out;
    }
    const double ub = v - current * a.RowZBResistance[r];
    if (all) {
      table.SetCurrentMA(i, static_cast<float>(current * 1000.0));
      table.SetVoltageV(i, static_cast<float>(ub));
    }
    if (a.RowPower[r] == 0.0f) table.SetPowerMW(i, CalculationPowerMW(ub, current));
    s = s + current;
    v = s * a.SegmentResistance[r] + v;
  }
  out.voltage = v;
  out.current = s;
  return out;
}

// A search pass from far-end voltage `v`; with `all` it writes every cell,
// otherwise only PowerMW of rows lo..hi (and stops below lo).
PassOutcome ReplaySearchPass(ProjectTable& table, const RayArrays& a, int n, double v, bool all,
                             int lo, int hi) {
  PassOutcome out;
  double s = 0.0;
  double current = 0.0;
  for (int i = n; i >= 1; --i) {
    const size_t r = static_cast<size_t>(i);
    if (!BlockCurrentAt(a, i, v, current)) {
      out.failed = true;
      out.row = i;
      return out;
    }
    const double ub = v - current * a.RowZBResistance[r];
    if (all) {
      table.SetCurrentMA(i, static_cast<float>(current * 1000.0));
      table.SetVoltageV(i, static_cast<float>(ub));
    }
    if (ub < a.RowUmin[r]) {
      out.exited = true;
      out.row = i;
      return out;
    }
    if (a.RowPower[r] == 0.0f && (all || (i >= lo && i <= hi))) {
      table.SetPowerMW(i, SearchPowerMW(ub, current));
    }
    if (!all && i <= lo) return out;
    s = s + current;
    v = s * a.SegmentResistance[r] + v;
  }
  out.voltage = v;
  out.current = s;
  return out;
}

bool FiniteResult(double voltage, double current) {
  return std::isfinite(voltage) && std::isfinite(static_cast<float>(current));
}

}  // namespace

SolverResult SolveRay(ProjectTable& table, const CalculationState& state,
                      CalculationTotals& totals) {
  const RowProgram program = detail::BuildRowProgram(state);
  const double supply = state.SupplyVoltage;
  const double step = state.AccuracyStep;
  // Falls as k grows (each operation is monotone), so the far-end voltages
  // of a range of passes lie between those of its ends.
  auto start_voltage = [&](int64_t k) { return supply - static_cast<double>(k) * step; };

  auto go_on = [&](int64_t first, int64_t last) {
    const double lo = start_voltage(last);
    return lo > 1.0 && detail::CalculationPassesGoOn(program, lo, start_voltage(first), supply);
  };
  auto exact = [&](int64_t first, int64_t count) {
    LaneResults lanes;
    double start[kLanes];
    for (int64_t g = first; g < first + count; g += kLanes) {
      for (int l = 0; l < kLanes; ++l) start[l] = start_voltage(g + l);
      detail::RunCalculationGroup(program, start, lanes);
      for (int l = 0; l < kLanes; ++l) {
        const int64_t pass = g + l;
        if (!(start[l] > 1.0)) return Ending{pass, EndKind::kStartFailure};
        if (lanes.end[l] == LaneEnd::kFailed) return Ending{pass, EndKind::kRowFailure};
        if (lanes.voltage[l] >= supply) continue;
        if (!FiniteResult(lanes.voltage[l], lanes.current[l])) {
          return Ending{pass, EndKind::kNotFinite};
        }
        return Ending{pass, EndKind::kSuccess};
      }
    }
    return Ending{};
  };
  int64_t skipped = 0;
  const Ending end = FirstEnding(go_on, exact, skipped);

  const RayArrays& a = state.arrays;
  const int n = state.N;
  switch (end.kind) {
    case EndKind::kSuccess: {
      const PassOutcome out = ReplayCalculationPass(table, a, n, start_voltage(end.pass), true);
      totals.TotalCurrent = static_cast<float>(out.current);
      return {true, end.pass, skipped};
    }
    case EndKind::kStartFailure:
    case EndKind::kRowFailure:
      // The cells of the last complete pass stay where the failing pass did not reach.
      if (end.pass > 1) ReplayCalculationPass(table, a, n, start_voltage(end.pass - 1), false);
      if (end.kind == EndKind::kRowFailure) {
        ReplayCalculationPass(table, a, n, start_voltage(end.pass), false);
      }
      return {false, end.pass, skipped};
    case EndKind::kNotFinite:
      ReplayCalculationPass(table, a, n, start_voltage(end.pass), false);
      return {false, end.pass, skipped};
    case EndKind::kNone:
      break;
  }
  return {false, 0};
}

namespace {

// Search passes first..last, every one known to leave at row `leave_by` or
// above.
struct Visited {
  int64_t first;
  int64_t last;
  int leave_by;
};

// After a failed search every row shows the PowerMW of the last pass that got
// past it. Walking back from the failing pass, each earlier pass that got
// further than all later ones is run again, writing the rows only it shows on.
class PowerWalkBack {
 public:
  PowerWalkBack(ProjectTable& table, const CalculationState& state, const RowProgram& program,
                const std::vector<double>& vend, int uncovered)
      : table_(table), state_(state), program_(program), vend_(vend), uncovered_(uncovered) {}

  void Walk(const std::vector<Visited>& visited) {
    for (auto it = visited.rbegin(); it != visited.rend() && Open(); ++it) {
      if (it->leave_by + 1 < uncovered_) Revisit(it->first, it->last);
    }
  }

 private:
  // Passes before the failing one never reached the controller, so none of
  // them wrote row 1.
  bool Open() const { return uncovered_ > 2; }

  void Revisit(int64_t first, int64_t last) {
    if (!Open()) return;
    if (last - first + 1 > kShortestRun) {
      const int row = detail::SearchPassesLeaveBy(program_, Vend(first), Vend(last));
      if (row != 0 && row + 1 >= uncovered_) return;
      const int64_t mid = first + (last - first + 1) / 2;
      Revisit(mid, last);
      Revisit(first, mid - 1);
      return;
    }
    int32_t left_at[kShortestRun] = {};
    LaneResults lanes;
    double start[kLanes];
    bool live[kLanes];
    for (int64_t g = first; g <= last; g += kLanes) {
      for (int l = 0; l < kLanes; ++l) {
        live[l] = g + l <= last;
        start[l] = live[l] ? Vend(g + l) : 0.0;
      }
      detail::RunSearchGroup(program_, start, live, lanes);
      for (int l = 0; l < kLanes && g + l <= last; ++l) left_at[g + l - first] = lanes.row[l];
    }
    for (int64_t j = last; j >= first; --j) {
      const int from = left_at[j - first] + 1;
      if (from >= uncovered_) continue;
      ReplaySearchPass(table_, state_.arrays, state_.N, Vend(j), false, from, uncovered_ - 1);
      uncovered_ = from;
    }
  }

  double Vend(int64_t pass) const { return vend_[static_cast<size_t>(pass)]; }

  ProjectTable& table_;
  const CalculationState& state_;
  const RowProgram& program_;
  const std::vector<double>& vend_;
  int uncovered_;  // rows from here to N show their final PowerMW
};

}  // namespace

SolverResult SearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                  ProjectParameters& params, CalculationTotals& totals) {
  const RowProgram program = detail::BuildRowProgram(state);
  const double step = state.AccuracyStep;
  const int n = state.N;
  // The far-end voltage of pass j is vend[j], the running sum as the loop
  // forms it; it rises with j, so the far-end voltages of a range of passes
  // lie between those of its ends. Formed up to the first one at the bound.
  std::vector<double> vend{SearchStartVoltage(state) - step};
  auto vend_at = [&](int64_t pass) {
    while (static_cast<int64_t>(vend.size()) <= pass && vend.back() < kMaxSupplyVoltage) {
      vend.push_back(vend.back() + step);
    }
    return vend[std::min(static_cast<size_t>(pass), vend.size() - 1)];
  };
  std::vector<Visited> visited;

  auto go_on = [&](int64_t first, int64_t last) {
    const double hi = vend_at(last);
    if (!(hi < kMaxSupplyVoltage)) return false;
    const int row = detail::SearchPassesLeaveBy(program, vend_at(first), hi);
    if (row != 0) visited.push_back({first, last, row});
    return row != 0;
  };
  auto exact = [&](int64_t first, int64_t count) {
    LaneResults lanes;
    double start[kLanes];
    bool live[kLanes];
    int lowest = n + 1;
    auto ending = [&](int64_t pass, EndKind kind, int row) {
      if (pass > first) visited.push_back({first, pass - 1, lowest});
      return Ending{pass, kind, row};
    };
    for (int64_t g = first; g < first + count; g += kLanes) {
      for (int l = 0; l < kLanes; ++l) {
        start[l] = vend_at(g + l);
        live[l] = start[l] < kMaxSupplyVoltage;
      }
      detail::RunSearchGroup(program, start, live, lanes);
      for (int l = 0; l < kLanes; ++l) {
        const int64_t pass = g + l;
        if (!live[l]) return ending(pass, EndKind::kStartFailure, 0);
        if (lanes.end[l] == LaneEnd::kFailed)
          return ending(pass, EndKind::kRowFailure, lanes.row[l]);
        if (lanes.end[l] == LaneEnd::kExit) {
          lowest = std::min(lowest, static_cast<int>(lanes.row[l]));
          continue;
        }
        if (!FiniteResult(static_cast<float>(lanes.voltage[l]), lanes.current[l])) {
          return ending(pass, EndKind::kNotFinite, 0);
        }
        return ending(pass, EndKind::kSuccess, 0);
      }
    }
    visited.push_back({first, first + count - 1, lowest});
    return Ending{};
  };
  int64_t skipped = 0;
  const Ending end = FirstEnding(go_on, exact, skipped);
  const RayArrays& a = state.arrays;

  if (end.kind == EndKind::kSuccess) {
    const PassOutcome out = ReplaySearchPass(table, a, n, vend_at(end.pass), true, 1, n);
    params.EditU = CFormat("%2.2f", {static_cast<float>(out.voltage)});
    totals.TotalCurrent = static_cast<float>(out.current);
    return {true, end.pass, skipped};
  }
  // A failure: PowerMW of each row keeps the value of the last pass that
  // wrote it; the failing pass itself wrote the rows above the one it failed
  // at (all of them when it reached the controller with a value not finite).
  int uncovered = n + 1;
  if (end.kind == EndKind::kRowFailure) uncovered = end.row + 1;
  if (end.kind == EndKind::kNotFinite) uncovered = 1;
  if (uncovered <= n) ReplaySearchPass(table, a, n, vend_at(end.pass), false, uncovered, n);
  PowerWalkBack(table, state, program, vend, uncovered).Walk(visited);
  return {false, end.pass, skipped};
}

}  // namespace luch
