#include "app/ui/qt_command_dialogs.h"

#include "calc/ui/setup_dialog.h"
#include "editing/ui/change_blk_window.h"
#include "editing/ui/change_cbl_window.h"
#include "editing/ui/paste_columns_window.h"

namespace luch {

ReplacementChoice QtCommandDialogs::ChooseCableReplacement(const CableLibrary& cables) {
  return TChangeCbl::Execute(data_dir_, cables, platform_, owner_);
}

ReplacementChoice QtCommandDialogs::ChooseBlockReplacement(const BlockLibrary& blocks) {
  return TChangeBlk::Execute(data_dir_, blocks, platform_, owner_);
}

void QtCommandDialogs::EditProjectParameters(ProjectParameters& params) {
  RunSetupDialog(owner_, params);
}

std::optional<std::vector<TabField>> QtCommandDialogs::ChoosePasteColumns(
    const std::vector<std::vector<std::string>>& lines, const std::vector<TabField>& preset) {
  return TPasteColumns::Execute(lines, preset, owner_);
}

}  // namespace luch
