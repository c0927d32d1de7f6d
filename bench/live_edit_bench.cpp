// One length edited in a 4096-row ray at the step 0.001 as the main window
// runs it with live recalculation: the command (undo step, modified state),
// the silent calculation and, where the window toolkit is built, the grid
// model's change notification; beside the full F9 of the same ray.
#include <cstdio>

#include "app/main_state.h"
#include "bench_harness.h"
#include "bench_ray.h"
#include "common/headless_platform.h"

#ifdef LUCH_BENCH_QT
#include "common/ui/text_rows_model.h"
#endif

namespace luch::bench {
namespace {

Register live_edit_4096("live_edit_4096", [] {
  BenchData data;
  HeadlessPlatform headless;
  MainState state(data.dir(), headless.platform(), data.cable_library, *data.block_library);
  const Ray ray = MakeRay(kMaxBlockCount, "Шина 3", 1, 2, 0.001f, 4096);
  state.mutable_table() = ray.table;
  state.mutable_params() = ray.params;
  state.SetBlockCount(kMaxBlockCount);
  state.LibraryChanged();  // the first results
  std::function<void()> notify = [] {};
#ifdef LUCH_BENCH_QT
  TextRowsModel model(
      std::vector<const char*>(kColumnHeaders.begin(), kColumnHeaders.end()),
      [&state] { return state.table().BlockCount(); },
      [&state](int row, int col) { return state.table().GetCell(row + 1, col); });
  notify = [&model] { model.Refresh(); };
#endif
  int length = 0;
  const double live_ms = MedianMs(21, [&] {
    state.BeginCommand();
    state.mutable_table().SetLengthM(kMaxBlockCount / 2, 1 + (++length % 2));
    state.EndCommand();
    notify();
  });
  const bool fresh =
      state.results().kind == ResultState::Kind::kSucceeded && !state.results().stale;
  const double f9_ms = MedianMs(5, [&] {
    state.BeginCommand();
    state.BitBtnStartClick();
    state.EndCommand();
    notify();
  });
  std::printf("live_edit_4096 live_ms=%.3f f9_ms=%.3f results_fresh=%s model=%s\n", live_ms, f9_ms,
              fresh ? "yes" : "no",
#ifdef LUCH_BENCH_QT
              "yes"
#else
              "no"
#endif
  );
  std::fflush(stdout);
});

}  // namespace
}  // namespace luch::bench
