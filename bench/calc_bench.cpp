// The fast solver on long rays against the plain numeric loops and the
// literal step-by-step loops (reference_solver.h).
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_harness.h"
#include "bench_ray.h"
#include "calc/calculation.h"
#include "calc/reference_solver.h"
#include "common/file_io.h"
#include "common/headless_platform.h"
#include "common/number_text.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch::bench {
namespace {

struct Outcome {
  bool success = false;
  Ray ray;
  StatusBars status;
  std::vector<std::string> messages;
  float total_current = 0.0f;
  int64_t passes = 0;
  int64_t skipped = 0;  // not part of the outcome
  bool operator==(const Outcome& o) const {
    bool rows_equal = true;
    for (int i = 1; i <= ray.table.BlockCount(); ++i) {
      rows_equal = rows_equal && ray.table.GetRow(i) == o.ray.table.GetRow(i);
    }
    return success == o.success && rows_equal && ray.params.EditU == o.ray.params.EditU &&
           status.bar1 == o.status.bar1 && status.bar2 == o.status.bar2 && messages == o.messages &&
           total_current == o.total_current && passes == o.passes;
  }
};

using Command = bool (*)(CalculationContext&, CalculationStats*);

// Runs `command` on a fresh copy of `ray` `runs` times; the median time in ms.
double Time(BenchData& data, const Ray& ray, Command command, int runs, Outcome& last) {
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    Outcome outcome;
    outcome.ray = ray;
    HeadlessPlatform headless;
    bool report = false;
    CalculationTotals totals;
    CalculationContext context{
        outcome.ray.table,  outcome.ray.params,  outcome.status,     report, totals,
        data.cable_library, *data.block_library, headless.platform()};
    CalculationStats stats;
    const auto start = std::chrono::steady_clock::now();
    outcome.success = command(context, &stats);
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    outcome.messages = headless.messages();
    outcome.total_current = totals.TotalCurrent;
    outcome.passes = stats.passes;
    outcome.skipped = stats.skipped;
    last = std::move(outcome);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Loops {
  Command fast;
  Command plain;
  Command literal;
};

// Times the three loops on `ray`. With `literal_step`, the literal loop, which
// would take minutes, is timed on the same ray at that coarser step and scaled
// by the ratio of the pass counts (its passes cost the same at any step); it is
// then compared with the plain loop at that step.
void Compare(const std::string& name, const Ray& ray, const Loops& loops, int plain_runs,
             float literal_step = 0.0f) {
  BenchData data;
  Outcome fast, plain, literal;
  const double fast_ms = Time(data, ray, loops.fast, 5, fast);
  const double plain_ms = Time(data, ray, loops.plain, plain_runs, plain);
  bool identical = fast == plain;
  double literal_ms = 0.0;
  std::string scaled;
  if (literal_step == 0.0f) {
    literal_ms = Time(data, ray, loops.literal, 1, literal);
    identical = identical && literal == plain;
  } else {
    Ray coarse = ray;
    coarse.params.AccuracyStep = literal_step;
    Outcome coarse_plain;
    Time(data, coarse, loops.plain, 1, coarse_plain);
    literal_ms = Time(data, coarse, loops.literal, 1, literal) *
                 (static_cast<double>(plain.passes) / static_cast<double>(literal.passes));
    identical = identical && literal == coarse_plain;
    scaled = "; literal timed at step " + CFormat("%g", {literal_step}) + " (" +
             std::to_string(literal.passes) + " passes) and scaled";
  }
  std::printf("# %s: %s after %lld passes (%lld skipped on bounds), U(1) %s, U(2) %s, U(N) %s%s\n",
              name.c_str(), fast.success ? "success" : "failure",
              static_cast<long long>(fast.passes), static_cast<long long>(fast.skipped),
              fast.ray.table.GetCell(1, kVoltageV).c_str(),
              fast.ray.table.GetCell(2, kVoltageV).c_str(),
              fast.ray.table.GetCell(ray.table.BlockCount(), kVoltageV).c_str(), scaled.c_str());
  Report(name, fast_ms, plain_ms, literal_ms, identical);
}

const Loops kCalculation{
    [](CalculationContext& c, CalculationStats* s) { return BitBtnStartClick(c, s); },
    [](CalculationContext& c, CalculationStats* s) { return PlainBitBtnStartClick(c, s); },
    [](CalculationContext& c, CalculationStats* s) { return ReferenceBitBtnStartClick(c, s); }};
const Loops kSearch{
    [](CalculationContext& c, CalculationStats* s) { return mFindUKMUClick(c, s); },
    [](CalculationContext& c, CalculationStats* s) { return PlainFindUKMUClick(c, s); },
    [](CalculationContext& c, CalculationStats* s) { return ReferenceFindUKMUClick(c, s); }};

Register calc_4096("calc_4096_step0.001", [] {
  Compare("calc_4096_step0.001", MakeRay(4096, "Шина 3", 1, 2, 0.001f, 4096), kCalculation, 3);
});

Register calc_200("calc_200_step0.05", [] {
  Compare("calc_200_step0.05", MakeRay(200, "Провод 24", 20, 60, 0.05f, 200), kCalculation, 5);
});

Register calc_4096_fail("calc_4096_fail_step0.001", [] {
  // Constant-power blocks on a ray too long for them: at every far-end voltage
  // down to the 1-V bound the controller would have to give more than 28 V.
  const Mix sounders = {"Оповещатель", "Модуль", "Оповещатель", "Модуль",
                        "Оповещатель", "Модуль", "Оповещатель", "Модуль"};
  Compare("calc_4096_fail_step0.001", MakeRay(4096, "Шина 3", 2, 3, 0.001f, 4098, sounders),
          kCalculation, 3, 0.05f);
});

Register calc_944_long("calc_944_long_step0.001", [] {
  // Long segments of thin wire, most blocks drawing nothing: several volts of
  // drop, so thousands of passes.
  const Mix sparse = {"Оповещатель", "Извещатель", "Изолятор", "Изолятор",
                      "Изолятор",    "Изолятор",   "Изолятор", "Изолятор"};
  Compare("calc_944_long_step0.001", MakeRay(944, "Провод 24", 10, 30, 0.001f, 944, sparse),
          kCalculation, 5);
});

Register minvolt_4096("minvolt_4096_step0.001_worst", [] {
  // The control panel next to the controller wants 18 V: every pass of the
  // search runs down almost the whole ray before it leaves there.
  Ray ray = MakeRay(4096, "Шина 3", 1, 2, 0.001f, 4097);
  ray.table.SetBlockName(2, "Пульт");
  Compare("minvolt_4096_step0.001_worst", ray, kSearch, 3);
});

Register minvolt_4096_climb("minvolt_4096_climb_step0.001", [] {
  // The block of row 1 needs 995 V: the search climbs almost to the 1000-V
  // bound, every pass running down the whole ray.
  Ray ray = MakeRay(4096, "Шина 3", 1, 2, 0.001f, 4099);
  ray.table.SetBlockName(1, "Щит");
  Compare("minvolt_4096_climb_step0.001", ray, kSearch, 1, 0.5f);
});

}  // namespace
}  // namespace luch::bench
