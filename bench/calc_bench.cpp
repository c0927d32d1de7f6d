// The fast solver against the step-by-step reference on long rays.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_harness.h"
#include "calc/calculation.h"
#include "calc/headless_platform.h"
#include "calc/reference_solver.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch::bench {
namespace {

// A data folder with a small cable and block library, removed at the end.
class BenchData {
 public:
  BenchData() {
    std::random_device device;
    dir_ = std::filesystem::temp_directory_path() / ("luch-bench-" + std::to_string(device()));
    std::filesystem::create_directories(dir_);
    ProfileFile cables(dir_ / Utf8Path(kCableFileName));
    const auto cable = [&](int n, const char* name, int r, int c, int z) {
      const std::string section = "Кабель" + std::to_string(n);
      cables.WriteString(section, "Название", name);
      cables.WriteInteger(section, "Сопротивление", r);
      cables.WriteInteger(section, "Емкость", c);
      cables.WriteInteger(section, "Волновое", z);
    };
    cable(1, "Шина 3", 3, 60, 90);
    cable(2, "Провод 24", 24, 55, 100);
    cables.Save();
    ProfileFile blocks(dir_ / Utf8Path(kBlockFileName));
    const auto block = [&](int b, const char* name, const char* umin, const char* p,
                           const char* i) {
      const std::string section = "Блок" + std::to_string(b);
      blocks.WriteString(section, "Название", name);
      blocks.WriteString(section, "Режим1", "Нормальный");
      blocks.WriteString(section, "P1", p);
      blocks.WriteString(section, "I1", i);
      blocks.WriteString(section, "Umin", umin);
    };
    block(0, "Извещатель", "9", "0", "0.05");
    block(1, "Оповещатель", "9", "2", "0");
    block(2, "Модуль", "9", "3", "0");
    block(3, "Пульт", "18", "0", "0.2");
    blocks.Save();
    cable_library.LoadCables(dir_);
    block_library = std::make_unique<BlockLibrary>(dir_);
  }
  ~BenchData() {
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }

  CableLibrary cable_library;
  std::unique_ptr<BlockLibrary> block_library;

 private:
  std::filesystem::path dir_;
};

struct Ray {
  ProjectTable table;
  ProjectParameters params;
};

// n rows of min_m..max_m metres: detectors, with a sounder or a module (some
// behind lightning protection) every few rows.
Ray MakeRay(int n, const char* cable, int min_m, int max_m, float step, uint32_t seed) {
  std::mt19937 random(seed);
  Ray ray;
  ray.params.SetNewProjectValues();
  ray.params.AccuracyStep = step;
  ray.table.SetBlockCount(n);
  for (int i = 1; i <= n; ++i) {
    ray.table.SetCableName(i, cable);
    ray.table.SetLengthM(i, min_m + static_cast<int>(random() % uint32_t(max_m - min_m + 1)));
    const uint32_t kind = random() % 8;
    ray.table.SetBlockName(i, kind == 0 ? "Оповещатель" : kind == 1 ? "Модуль" : "Извещатель");
    ray.table.SetRegimeName(i, "Нормальный");
    ray.table.SetHasZB(i, kind == 1 && random() % 2 == 0);
  }
  return ray;
}

struct Outcome {
  bool success = false;
  Ray ray;
  StatusBars status;
  std::vector<std::string> messages;
  float total_current = 0.0f;
  int64_t passes = 0;
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
    last = std::move(outcome);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(const std::string& name, const Ray& ray, Command fast, Command plain, int plain_runs) {
  BenchData data;
  Outcome fast_outcome, plain_outcome;
  const double fast_ms = Time(data, ray, fast, 5, fast_outcome);
  const double plain_ms = Time(data, ray, plain, plain_runs, plain_outcome);
  std::printf("# %s: %s after %lld passes, U(1) %s, U(2) %s, U(N) %s\n", name.c_str(),
              fast_outcome.success ? "success" : "failure",
              static_cast<long long>(fast_outcome.passes),
              fast_outcome.ray.table.GetCell(1, kVoltageV).c_str(),
              fast_outcome.ray.table.GetCell(2, kVoltageV).c_str(),
              fast_outcome.ray.table.GetCell(ray.table.BlockCount(), kVoltageV).c_str());
  Report(name, fast_ms, plain_ms, fast_outcome == plain_outcome);
}

bool Fast(CalculationContext& c, CalculationStats* s) { return BitBtnStartClick(c, s); }
bool Plain(CalculationContext& c, CalculationStats* s) { return ReferenceBitBtnStartClick(c, s); }
bool FastSearch(CalculationContext& c, CalculationStats* s) { return mFindUKMUClick(c, s); }
bool PlainSearch(CalculationContext& c, CalculationStats* s) {
  return ReferenceFindUKMUClick(c, s);
}

Register calc_4096("calc_4096_step0.001", [] {
  Compare("calc_4096_step0.001", MakeRay(4096, "Шина 3", 1, 2, 0.001f, 4096), &Fast, &Plain, 3);
});

Register calc_200("calc_200_step0.05", [] {
  Compare("calc_200_step0.05", MakeRay(200, "Провод 24", 20, 60, 0.05f, 200), &Fast, &Plain, 5);
});

Register minvolt_4096("minvolt_4096_step0.001_worst", [] {
  // The control panel next to the controller wants 18 V: every pass of the
  // search runs down almost the whole ray before it leaves there.
  Ray ray = MakeRay(4096, "Шина 3", 1, 2, 0.001f, 4097);
  ray.table.SetBlockName(2, "Пульт");
  Compare("minvolt_4096_step0.001_worst", ray, &FastSearch, &PlainSearch, 3);
});

}  // namespace
}  // namespace luch::bench
