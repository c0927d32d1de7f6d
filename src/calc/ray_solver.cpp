#include "calc/ray_solver.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <deque>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "calc/ray_kernels.h"
#include "common/number_text.h"

namespace luch {
namespace {

using detail::kLanes;
using detail::LaneEnd;
using detail::LaneResults;
using detail::RowProgram;

constexpr int64_t kNone = std::numeric_limits<int64_t>::max();

// How the loop ended, and at which pass.
enum class EndKind { kNone, kSuccess, kStartFailure, kRowFailure, kNotFinite };

struct Ending {
  int64_t pass = kNone;
  EndKind kind = EndKind::kNone;
};

// A run of consecutive passes handed to one thread: their far-end voltages
// and, for the search, the row where each one left (PowerMW was written for
// the rows above it).
struct Chunk {
  int64_t first_pass = 1;
  std::vector<double> start;
  std::vector<int32_t> exit_row;
};

// The chunk size: about 64k row visits, whole groups.
int64_t ChunkPasses(int n) {
  const int64_t groups = std::clamp<int64_t>(65536 / (int64_t{n} * kLanes + 1), 1, 64);
  return groups * kLanes;
}

// Runs `evaluate` over chunks 0, 1, 2, ... on one or two threads until the
// first pass that ends the loop is known. `fill` gives a chunk its far-end
// voltages; it runs in chunk order under a lock. `evaluate` looks at the
// passes of a chunk in order, may stop once its passes lie beyond `best`, and
// returns the first ending it found. Every pass before the returned one has
// been evaluated.
template <class Fill, class Evaluate>
Ending FirstEnding(std::deque<Chunk>& chunks, int64_t chunk_passes, bool helper, Fill fill,
                   Evaluate evaluate) {
  std::mutex mutex;
  std::atomic<int64_t> best{kNone};
  Ending result;
  auto work = [&](bool one_chunk) {
    for (;;) {
      Chunk* chunk = nullptr;
      {
        std::lock_guard<std::mutex> lock(mutex);
        const int64_t first = static_cast<int64_t>(chunks.size()) * chunk_passes + 1;
        if (first > best.load()) return;
        chunks.emplace_back();
        chunk = &chunks.back();
        chunk->first_pass = first;
        fill(*chunk, chunk_passes);
      }
      const Ending found = evaluate(*chunk, best);
      if (found.kind != EndKind::kNone) {
        std::lock_guard<std::mutex> lock(mutex);
        if (found.pass < result.pass) result = found;
        if (found.pass < best.load()) best.store(found.pass);
      }
      if (one_chunk) return;
    }
  };
  work(true);
  if (result.kind == EndKind::kNone) {
    std::thread other;
    if (helper && std::thread::hardware_concurrency() >= 2) {
      try {
        other = std::thread(work, false);
      } catch (const std::system_error&) {
        // No second thread: this one does all the work.
      }
    }
    work(false);
    if (other.joinable()) other.join();
  }
  return result;
}

// Whether a second thread pays: long rays with many possible passes.
bool HelperPays(int n, double max_passes) { return double(n) * max_passes > 2.0e6; }

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
  const int64_t chunk_passes = ChunkPasses(state.N);
  auto start_voltage = [&](int64_t k) { return supply - static_cast<double>(k) * step; };

  auto fill = [&](Chunk& chunk, int64_t count) {
    chunk.start.resize(static_cast<size_t>(count));
    for (int64_t q = 0; q < count; ++q) {
      chunk.start[static_cast<size_t>(q)] = start_voltage(chunk.first_pass + q);
    }
  };
  auto evaluate = [&](const Chunk& chunk, const std::atomic<int64_t>& best) {
    LaneResults lanes;
    const int64_t count = static_cast<int64_t>(chunk.start.size());
    for (int64_t g = 0; g < count; g += kLanes) {
      const int64_t first = chunk.first_pass + g;
      if (first > best.load(std::memory_order_relaxed)) break;
      const double* start = chunk.start.data() + g;
      detail::RunCalculationGroup(program, start, lanes);
      for (int l = 0; l < kLanes; ++l) {
        const int64_t pass = first + l;
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
  std::deque<Chunk> chunks;
  const bool helper = HelperPays(state.N, (supply - 1.0) / step);
  const Ending end = FirstEnding(chunks, chunk_passes, helper, fill, evaluate);

  const RayArrays& a = state.arrays;
  const int n = state.N;
  switch (end.kind) {
    case EndKind::kSuccess: {
      const PassOutcome out = ReplayCalculationPass(table, a, n, start_voltage(end.pass), true);
      totals.TotalCurrent = static_cast<float>(out.current);
      return {true, end.pass};
    }
    case EndKind::kStartFailure:
    case EndKind::kRowFailure:
      // The cells of the last complete pass stay where the failing pass did not reach.
      if (end.pass > 1) ReplayCalculationPass(table, a, n, start_voltage(end.pass - 1), false);
      if (end.kind == EndKind::kRowFailure) {
        ReplayCalculationPass(table, a, n, start_voltage(end.pass), false);
      }
      return {false, end.pass};
    case EndKind::kNotFinite:
      ReplayCalculationPass(table, a, n, start_voltage(end.pass), false);
      return {false, end.pass};
    case EndKind::kNone:
      break;
  }
  return {false, 0};
}

SolverResult SearchMinimumVoltage(ProjectTable& table, const CalculationState& state,
                                  ProjectParameters& params, CalculationTotals& totals) {
  const RowProgram program = detail::BuildRowProgram(state);
  const double step = state.AccuracyStep;
  const double vstart = SearchStartVoltage(state);
  const int n = state.N;
  const int64_t chunk_passes = ChunkPasses(n);
  double vend = vstart - step;  // the running far-end voltage, advanced in chunk order

  auto fill = [&](Chunk& chunk, int64_t count) {
    chunk.start.resize(static_cast<size_t>(count));
    chunk.exit_row.assign(static_cast<size_t>(count), n + 1);
    for (int64_t q = 0; q < count; ++q) {
      vend = vend + step;
      chunk.start[static_cast<size_t>(q)] = vend;
    }
  };
  auto evaluate = [&](Chunk& chunk, const std::atomic<int64_t>& best) {
    LaneResults lanes;
    bool live[kLanes];
    const int64_t count = static_cast<int64_t>(chunk.start.size());
    for (int64_t g = 0; g < count; g += kLanes) {
      const int64_t first = chunk.first_pass + g;
      if (first > best.load(std::memory_order_relaxed)) break;
      const double* start = chunk.start.data() + g;
      for (int l = 0; l < kLanes; ++l) live[l] = start[l] < kMaxSupplyVoltage;
      detail::RunSearchGroup(program, start, live, lanes);
      for (int l = 0; l < kLanes; ++l) {
        const int64_t pass = first + l;
        if (!live[l]) return Ending{pass, EndKind::kStartFailure};
        if (lanes.end[l] == LaneEnd::kFailed) {
          chunk.exit_row[static_cast<size_t>(g + l)] = lanes.row[l];
          return Ending{pass, EndKind::kRowFailure};
        }
        if (lanes.end[l] == LaneEnd::kExit) {
          chunk.exit_row[static_cast<size_t>(g + l)] = lanes.row[l];
          continue;
        }
        if (!FiniteResult(static_cast<float>(lanes.voltage[l]), lanes.current[l])) {
          chunk.exit_row[static_cast<size_t>(g + l)] = 0;
          return Ending{pass, EndKind::kNotFinite};
        }
        return Ending{pass, EndKind::kSuccess};
      }
    }
    return Ending{};
  };
  std::deque<Chunk> chunks;
  const bool helper = HelperPays(n, (kMaxSupplyVoltage - vstart) / step);
  const Ending end = FirstEnding(chunks, chunk_passes, helper, fill, evaluate);
  if (end.kind == EndKind::kNone) return {false, 0};

  const RayArrays& a = state.arrays;
  auto chunk_of = [&](int64_t pass) -> Chunk& {
    return chunks[static_cast<size_t>((pass - 1) / chunk_passes)];
  };
  auto start_of = [&](int64_t pass) {
    Chunk& c = chunk_of(pass);
    return c.start[static_cast<size_t>(pass - c.first_pass)];
  };
  auto written_from = [&](int64_t pass) {  // the lowest row whose PowerMW the pass wrote
    Chunk& c = chunk_of(pass);
    return c.exit_row[static_cast<size_t>(pass - c.first_pass)] + 1;
  };

  if (end.kind == EndKind::kSuccess) {
    const PassOutcome out = ReplaySearchPass(table, a, n, start_of(end.pass), true, 1, n);
    params.EditU = CFormat("%2.2f", {static_cast<float>(out.voltage)});
    totals.TotalCurrent = static_cast<float>(out.current);
    return {true, end.pass};
  }
  // A failure: PowerMW of each row keeps the value of the last pass that
  // wrote it. Walk back from the failing pass and run each pass that still
  // shows on some rows again, writing those rows only.
  int uncovered = end.kind == EndKind::kStartFailure ? n + 1 : written_from(end.pass);
  std::vector<std::pair<int64_t, int>> shown;  // pass, lowest row it shows on
  if (end.kind != EndKind::kStartFailure) shown.emplace_back(end.pass, uncovered);
  for (int64_t pass = end.pass - 1; pass >= 1 && uncovered > 1; --pass) {
    const int from = written_from(pass);
    if (from < uncovered) {
      ReplaySearchPass(table, a, n, start_of(pass), false, from, uncovered - 1);
      uncovered = from;
    }
  }
  for (const auto& [pass, from] : shown) {
    ReplaySearchPass(table, a, n, start_of(pass), false, from, n);
  }
  return {false, end.pass};
}

}  // namespace luch
