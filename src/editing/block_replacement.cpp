#include "editing/block_replacement.h"

#include <system_error>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/savable_text.h"
#include "library/block_library.h"
#include "library/replacement_rules.h"

namespace luch {
namespace {

// The list box of the dialog holds at most this many characters of a line
// when it splits it.
constexpr size_t kSplitChars = 127;

}  // namespace

int ReplaceBlockName(ProjectTable& table, std::string_view from, std::string_view to) {
  int changed = 0;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    if (table.GetCell(i, kBlockName) == from) {
      table.SetBlockName(i, to);
      ++changed;
    }
  }
  return changed;
}

std::optional<int> ApplyBlockReplacement(ProjectTable& table, const ReplacementChoice& choice) {
  if (!ShouldReplace(choice)) return std::nullopt;
  return ReplaceBlockName(table, choice.from, choice.to);
}

std::filesystem::path ReplacementListPath(const std::filesystem::path& data_dir) {
  return data_dir / Utf8Path(kReplacementFileName);
}

std::optional<std::pair<std::string, std::string>> SplitReplacementLine(std::string_view line) {
  const std::string_view head = Utf8Prefix(line, kSplitChars);
  const size_t mark = head.find('>');
  if (mark == std::string_view::npos) return std::nullopt;
  return std::pair{std::string(head.substr(0, mark)), std::string(head.substr(mark + 1))};
}

ChangeBlkLogic::ChangeBlkLogic(std::filesystem::path data_dir, const BlockLibrary& blocks,
                               Platform platform)
    : ReplacementDialogLogic(std::move(data_dir), platform, kChangeBlkSection, kChangeBlkDesign),
      blocks_(blocks) {}

WindowGeometry ChangeBlkLogic::FormCreate() {
  items_.clear();
  const std::filesystem::path path = ReplacementListPath(data_dir_);
  list_unreadable_ =
      platform_.files->Exists(path) && !ReadTextLines(path, items_, *platform_.files);
  if (list_unreadable_) {
    items_.clear();
    platform_.messages->ShowError(CannotOpenText(*platform_.files, path));
    return kChangeBlkDesign;
  }
  return LoadPlace();
}

void ChangeBlkLogic::ListBox1Click(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  edit_from.clear();
  edit_to.clear();
  if (auto pair = SplitReplacementLine(items_[static_cast<size_t>(index)])) {
    edit_from = std::move(pair->first);
    edit_to = std::move(pair->second);
  }
}

void ChangeBlkLogic::BitBtnSaveClick() {
  if (edit_from.empty() || edit_to.empty()) return;
  if (!CheckSavable(edit_from + edit_to, *platform_.messages) || !ListWritable()) return;
  items_.push_back(edit_from + ">" + edit_to);
  WriteList();
}

void ChangeBlkLogic::pmDelClick(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size()) || !ListWritable()) return;
  items_.erase(items_.begin() + index);
  WriteList();
}

std::vector<std::string> ChangeBlkLogic::BlockChoiceNames() const {
  std::vector<std::string> names;
  const BlockLibrary::Batch batch(blocks_);
  for (int i = 0; i <= kLastChoiceBlockIndex; ++i) {
    std::string name = blocks_.BlockNameAt(i);
    if (name.empty()) break;
    names.push_back(std::move(name));
  }
  return names;
}

bool ChangeBlkLogic::ListWritable() const {
  if (!list_unreadable_) return true;
  platform_.messages->ShowError("Unable to write to " + PathToUtf8(ReplacementListPath(data_dir_)));
  return false;
}

void ChangeBlkLogic::WriteList() {
  const std::filesystem::path path = ReplacementListPath(data_dir_);
  if (!WriteTextLines(path, items_, *platform_.files)) {
    platform_.messages->ShowError(WithWriteNote("Cannot create file " + PathToUtf8(path)));
  }
}

}  // namespace luch
