#include "editing/cable_replacement.h"

#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {

int ReplaceCableName(ProjectTable& table, std::string_view from, std::string_view to) {
  int changed = 0;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    if (table.GetCell(i, kCableName) == from) {
      table.SetCableName(i, to);
      ++changed;
    }
  }
  return changed;
}

std::optional<int> ApplyCableReplacement(ProjectTable& table, const ReplacementChoice& choice) {
  if (!ShouldReplace(choice)) return std::nullopt;
  return ReplaceCableName(table, choice.from, choice.to);
}

void SetNormalRegimes(ProjectTable& table, const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const std::string& name = table.GetCell(i, kBlockName);
    // A block type without a name is no type: an empty cell never matches it.
    if (name.empty()) continue;
    const int b = blocks.BlockIndexByName(name);
    if (b < 0) continue;
    table.SetRegimeName(i, blocks.RegimeNameAt(b, 1));
  }
}

ChangeCblLogic::ChangeCblLogic(std::filesystem::path data_dir, const CableLibrary& cables,
                               Platform platform)
    : ReplacementDialogLogic(std::move(data_dir), platform, kChangeCblSection, kChangeCblDesign),
      cables_(cables) {}

WindowGeometry ChangeCblLogic::FormCreate() {
  names_.clear();
  for (int i = 1; i <= cables_.CableCount(); ++i) names_.push_back(cables_.CableNameAt(i));
  return LoadPlace();
}

void ChangeCblLogic::ListBoxFromDblClick(int index) {
  if (index >= 0 && index < static_cast<int>(names_.size())) {
    edit_from = names_[static_cast<size_t>(index)];
  }
}

void ChangeCblLogic::ListBoxToDblClick(int index) {
  if (index >= 0 && index < static_cast<int>(names_.size())) {
    edit_to = names_[static_cast<size_t>(index)];
  }
}

}  // namespace luch
