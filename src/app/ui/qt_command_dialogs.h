// The dialogs of the main window's commands, as Qt windows owned by it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <filesystem>

#include "app/command_dialogs.h"
#include "common/platform.h"
#include "editing/paste_columns.h"

namespace luch {

class QtCommandDialogs : public CommandDialogs, public PasteColumnsChooser {
 public:
  // The dialogs find their files in `data_dir`, talk through `platform` and
  // belong to `owner`.
  QtCommandDialogs(std::filesystem::path data_dir, Platform platform, QWidget* owner)
      : data_dir_(std::move(data_dir)), platform_(platform), owner_(owner) {}

  ReplacementChoice ChooseCableReplacement(const CableLibrary& cables) override;
  ReplacementChoice ChooseBlockReplacement(const BlockLibrary& blocks) override;
  void EditProjectParameters(ProjectParameters& params) override;
  std::optional<std::vector<TabField>> ChoosePasteColumns(
      const std::vector<std::vector<std::string>>& lines,
      const std::vector<TabField>& preset) override;

 private:
  std::filesystem::path data_dir_;
  Platform platform_;
  QPointer<QWidget> owner_;
};

}  // namespace luch
