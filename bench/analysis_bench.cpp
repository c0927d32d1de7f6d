// The design answers of a 4096-row ray at the step 0.001 with 20 cable types,
// as the window "Анализ луча" asks for them, beside one F9 of the same ray.
#include <cstdio>

#include "analysis/ray_analysis.h"
#include "bench_harness.h"
#include "bench_ray.h"
#include "calc/calculation.h"
#include "common/headless_platform.h"

namespace luch::bench {
namespace {

Register analysis_4096("analysis_4096", [] {
  BenchData data;
  const Ray ray = MakeRay(kMaxBlockCount, "Шина 3", 1, 2, 0.001f, 4096);
  CableLibrary cables = data.cable_library;
  for (int k = 1; cables.CableCount() < 20; ++k) {
    cables.Add({.number = "",
                .name = "Кабель " + std::to_string(k),
                .resistance = std::to_string(k),
                .capacitance = "60",
                .wave_impedance = "90",
                .note = ""});
  }
  const AnalysisSources sources{ray.table, ray.params, cables, data.dir()};
  int steps = 0;
  std::optional<RayAnalysis> analysis;
  const double analysis_ms = MedianMs(3, [&] {
    analysis = AnalyseRay(sources, [&steps](int, int) {
      ++steps;
      return true;
    });
  });

  HeadlessPlatform headless;
  const double f9_ms = MedianMs(5, [&] {
    ProjectTable table = ray.table;
    ProjectParameters params = ray.params;
    StatusBars status;
    bool report = false;
    CalculationTotals totals;
    CalculationContext context{
        table, params, status, report, totals, cables, *data.block_library, headless.platform()};
    BitBtnStartClick(context);
  });
  std::printf(
      "analysis_4096 analysis_ms=%.1f f9_ms=%.3f ratio=%.0f cables=%zu answered=%s "
      "last_segment_m=%s extra_blocks=%s\n",
      analysis_ms, f9_ms, analysis_ms / f9_ms, analysis ? analysis->cables.size() : 0,
      analysis ? "yes" : "no",
      analysis && analysis->last_segment_m ? std::to_string(*analysis->last_segment_m).c_str()
                                           : "—",
      analysis && analysis->extra_blocks ? std::to_string(*analysis->extra_blocks).c_str() : "—");
  std::fflush(stdout);
});

}  // namespace
}  // namespace luch::bench
