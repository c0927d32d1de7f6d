#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_harness.h"

namespace luch::bench {
namespace {
std::vector<Scenario>& Scenarios() {
  static std::vector<Scenario> scenarios;
  return scenarios;
}
std::vector<std::function<void()>>& Cleanups() {
  static std::vector<std::function<void()>> cleanups;
  return cleanups;
}
}  // namespace

void AtEnd(std::function<void()> cleanup) { Cleanups().push_back(std::move(cleanup)); }

Register::Register(std::string name, std::function<void()> run) {
  Scenarios().push_back({std::move(name), std::move(run)});
}

double Ms(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> times) {
  if (times.empty()) return 0.0;
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double MedianMs(int runs, const std::function<void()>& work) {
  return MedianMs(
      runs, [] {}, work);
}

double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  std::vector<double> times;
  for (int k = 0; k < runs; ++k) {
    prepare();
    times.push_back(Ms(work));
  }
  return Median(std::move(times));
}

void Report(const std::string& name, double fast_ms, double plain_ms, double literal_ms,
            bool identical) {
  std::printf("%s fast_ms=%.3f plain_ms=%.3f literal_ms=%.3f ratio=%.1f identical=%s\n",
              name.c_str(), fast_ms, plain_ms, literal_ms, fast_ms > 0 ? plain_ms / fast_ms : 0.0,
              identical ? "yes" : "no");
  std::fflush(stdout);
}

}  // namespace luch::bench

int main(int argc, char** argv) {
  using luch::bench::Scenarios;
  std::vector<luch::bench::Scenario> scenarios = Scenarios();
  std::sort(scenarios.begin(), scenarios.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& scenario : scenarios) {
    bool wanted = argc < 2;
    for (int k = 1; k < argc; ++k) wanted = wanted || scenario.name == argv[k];
    if (wanted) scenario.run();
  }
  for (const auto& cleanup : luch::bench::Cleanups()) cleanup();
  return 0;
}
