// The running program: the platform services, the two libraries, the main
// window's state and every window created at start-up, in their order.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "app/main_state.h"
#include "app/ui/main_window.h"
#include "common/ui/qt_platform.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {

class TCabels;
class TBlock;
class TDomLen;
class TAnalysis;

// Hands the calculation's wait window on to the one the main window owns,
// which exists only once the main window does.
class ForwardingWaitWindow : public WaitWindow {
 public:
  void SetTarget(WaitWindow* target) { target_ = target; }
  void Show() override {
    if (target_) target_->Show();
  }
  void Repaint() override {
    if (target_) target_->Repaint();
  }
  void Close() override {
    if (target_) target_->Close();
  }

 private:
  WaitWindow* target_ = nullptr;
};

// Runs `body` (start-up and the event loop) and gives its exit status. An
// error that escapes it is shown in the standard error box, and the program
// ends with status 1.
int RunGuarded(const std::function<int()>& body);

class Program {
 public:
  // Creates TMain, then the cable, block, house-distance and analysis windows
  // (hidden).
  explicit Program(const std::filesystem::path& data_dir);
  ~Program();

  TMain& main_window() { return *main_; }
  MainState& state() { return *state_; }
  TCabels& cables_window() { return *cables_window_; }
  TBlock& blocks_window() { return *blocks_window_; }
  TDomLen& house_window() { return *house_window_; }
  TAnalysis& analysis_window() { return *analysis_window_; }
  Platform platform();

 private:
  QtPrompter prompter_;
  QtMessages messages_;
  QtDialogs dialogs_;
  QtLauncher launcher_;
  SystemClock clock_;
  QtLocale locale_;
  QtScreen screen_;
  ForwardingWaitWindow wait_;
  QtClipboard clipboard_;
  std::unique_ptr<WaitWindow> main_wait_;
  CableLibrary cables_;
  std::unique_ptr<BlockLibrary> blocks_;
  std::unique_ptr<MainState> state_;
  std::unique_ptr<TMain> main_;
  std::unique_ptr<TCabels> cables_window_;
  std::unique_ptr<TBlock> blocks_window_;
  std::unique_ptr<TDomLen> house_window_;
  // Kept in front of the main window; goes first, its work stopped and joined.
  std::unique_ptr<TAnalysis> analysis_window_;
};

}  // namespace luch
