#include "app/ui/program.h"

#include <QApplication>

#include "analysis/ui/analysis_window.h"
#include "common/file_system.h"
#include "common/ui/text_viewer.h"
#include "editing/block_replacement.h"
#include "library/carried_library.h"
#include "library/ui/block_window.h"
#include "library/ui/cable_window.h"
#include "tools/ui/dom_len_window.h"
#include "tools/ui/program_icon.h"
#include "tools/ui/wait_window.h"

namespace luch {

Platform Program::platform() {
  return Platform{&prompter_, &messages_, &dialogs_, &launcher_,        &clock_,
                  &locale_,   &screen_,   &wait_,    &RealFileSystem(), &clipboard_};
}

Program::Program(const std::filesystem::path& data_dir)
    : blocks_(std::make_unique<BlockLibrary>(data_dir)) {
  QApplication::setWindowIcon(ProgramIcon());
  state_ = std::make_unique<MainState>(data_dir, platform(), cables_, *blocks_);
  // A report saved from the viewer goes beside the project too.
  TextViewer::ProjectPathSource() = [this] { return state_->ProjectPathText(); };
  main_ = std::make_unique<TMain>(*state_);
  prompter_.SetOwner(main_.get());
  messages_.SetOwner(main_.get());
  dialogs_.SetOwner(main_.get());
  main_wait_ = std::make_unique<QtWaitWindow>(main_.get());
  wait_.SetTarget(main_wait_.get());

  // The windows that live for the whole run, created hidden in this order.
  cables_window_ = std::make_unique<TCabels>(data_dir, cables_, platform());
  blocks_window_ = std::make_unique<TBlock>(data_dir, *blocks_, platform());
  house_window_ = std::make_unique<TDomLen>(data_dir, platform());
  analysis_window_ = std::make_unique<TAnalysis>(
      data_dir, platform(), [this] { return state_->AnalysisInput(); }, main_.get());
  blocks_window_->SetRenameCallback(
      [this](const std::string& old_name, const std::string& new_name) {
        state_->RenameBlockType(old_name, new_name);
        main_->RefreshFromState();
      });
  // An edit in a library is recalculated as an edit of the project is.
  const auto library_changed = [this] {
    state_->LibraryChanged();
    analysis_window_->LibraryChanged();
    main_->RefreshFromState();
  };
  cables_window_->SetOnChange(library_changed);
  blocks_window_->SetOnChange(library_changed);
  // A received project's types go in as the windows add them, shown at once.
  state_->SetTypeAdder([this](const CarriedTypes& types) {
    AddCarriedTypes(types, cables_window_->logic(), blocks_window_->logic());
    analysis_window_->LibraryChanged();
    cables_window_->Refresh();
    blocks_window_->Refresh();
  });
  main_->SetToolWindows(cables_window_.get(), blocks_window_.get(), house_window_.get());
  main_->SetAnalysisWindow(analysis_window_.get());
  main_->SetOnClose([this] {
    // Closing the main window ends the program; the tool windows go with it.
    cables_window_->OnProgramEnd();
    for (QWidget* window :
         {static_cast<QWidget*>(cables_window_.get()), static_cast<QWidget*>(blocks_window_.get()),
          static_cast<QWidget*>(house_window_.get()),
          static_cast<QWidget*>(analysis_window_.get())}) {
      window->hide();
    }
    QApplication::quit();
  });
}

Program::~Program() = default;

int RunGuarded(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    QtMessages().ShowError(error.what());
  } catch (...) {
    QtMessages().ShowError("Unknown error");
  }
  return 1;
}

}  // namespace luch
