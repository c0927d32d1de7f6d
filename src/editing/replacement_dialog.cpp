#include "editing/replacement_dialog.h"

#include <utility>

#include "common/savable_text.h"

namespace luch {

ReplacementDialogLogic::ReplacementDialogLogic(std::filesystem::path data_dir, Platform platform,
                                               const char* section, WindowGeometry design)
    : data_dir_(std::move(data_dir)), platform_(platform), section_(section), design_(design) {}

void ReplacementDialogLogic::FormClose(const WindowGeometry& geometry) {
  StoreWindowGeometry(data_dir_, section_, geometry, platform_);
}

bool ReplacementDialogLogic::MayReplace() const {
  return CheckSavable(edit_to, *platform_.messages);
}

WindowGeometry ReplacementDialogLogic::LoadPlace() const {
  return LoadWindowGeometry(data_dir_, section_, design_, platform_);
}

}  // namespace luch
