#include "app/ui/program.h"

namespace luch {

Platform Program::platform() {
  return Platform{&prompter_, &messages_, &dialogs_, &launcher_, &clock_, &locale_, &screen_, wait_};
}

Program::Program(const std::filesystem::path& data_dir)
    : blocks_(std::make_unique<BlockLibrary>(data_dir)) {
  cables_.LoadCables(data_dir);
  state_ = std::make_unique<MainState>(data_dir, platform(), cables_, *blocks_);
  main_ = std::make_unique<TMain>(*state_);
  prompter_.SetOwner(main_.get());
  messages_.SetOwner(main_.get());
  dialogs_.SetOwner(main_.get());
}

Program::~Program() = default;

}  // namespace luch
