// One edit of a 4096-row project as the main window runs it (the command
// between BeginCommand and EndCommand: undo step and modified state), alone
// and followed by the write of the recovery file, which the window does half
// a second after the last change, off the keystroke's path.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "app/main_state.h"
#include "bench_harness.h"
#include "common/headless_platform.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch::bench {
namespace {

Register edit_4096("edit_4096_recovery", [] {
  std::random_device device;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("luch-bench-edit-" + std::to_string(device()));
  std::filesystem::create_directories(dir);
  {
    HeadlessPlatform headless;
    CableLibrary cables;
    BlockLibrary blocks(dir);
    MainState state(dir, headless.platform(), cables, blocks);
    state.SetBlockCount(kMaxBlockCount);
    for (int r = 1; r <= kMaxBlockCount; ++r) {
      ProjectTable& table = state.mutable_table();
      table.SetAddress(r, "Дом 5, подъезд " + std::to_string(r));
      table.SetCableName(r, "КСПВ 2x0,8");
      table.SetLengthM(r, 10 + r % 7);
      table.SetBlockName(r, "Извещатель пожарный");
      table.SetRegimeName(r, "Нормальный");
      table.SetPowerMW(r, 120);
      table.SetHasZB(r, r % 5 == 0);
    }
    int length = 0;
    const auto edit = [&] {
      state.BeginCommand();
      state.mutable_table().SetLengthM(kMaxBlockCount / 2, 100 + (++length % 50));
      state.EndCommand();
    };
    const double edit_ms = MedianMs(41, edit);
    const double with_recovery_ms = MedianMs(41, [&] {
      edit();
      state.WriteRecovery();
    });
    std::printf("edit_4096_recovery edit_ms=%.3f edit_and_recovery_write_ms=%.3f ratio=%.1f\n",
                edit_ms, with_recovery_ms, edit_ms > 0 ? with_recovery_ms / edit_ms : 0.0);
    std::fflush(stdout);
  }
  std::error_code error;
  std::filesystem::remove_all(dir, error);
});

}  // namespace
}  // namespace luch::bench
