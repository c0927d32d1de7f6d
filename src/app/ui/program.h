// The running program: the platform services, the two libraries, the main
// window's state and every window created at start-up, in their order.
#pragma once

#include <filesystem>
#include <memory>

#include "app/main_state.h"
#include "app/ui/main_window.h"
#include "common/ui/qt_platform.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {

class Program {
 public:
  // Creates TMain, then the cable, block and house-distance windows (hidden).
  explicit Program(const std::filesystem::path& data_dir);
  ~Program();

  TMain& main_window() { return *main_; }
  MainState& state() { return *state_; }
  Platform platform();

 private:
  QtPrompter prompter_;
  QtMessages messages_;
  QtDialogs dialogs_;
  QtLauncher launcher_;
  SystemClock clock_;
  QtLocale locale_;
  QtScreen screen_;
  NoWaitWindow no_wait_;
  WaitWindow* wait_ = &no_wait_;
  CableLibrary cables_;
  std::unique_ptr<BlockLibrary> blocks_;
  std::unique_ptr<MainState> state_;
  std::unique_ptr<TMain> main_;
};

}  // namespace luch
