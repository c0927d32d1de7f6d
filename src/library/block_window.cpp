#include "library/block_window.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "common/profile_file.h"
#include "common/savable_text.h"
#include "library/block_file_format.h"
#include "library/replacement_rules.h"

namespace luch {
namespace {

namespace text = block_texts;

std::string SectionOf(size_t index) { return block_file::Section(static_cast<int>(index)); }

// A number that overflows (1e999, or 1e39 as a 32-bit real) reads as 0, as any
// other text that is no number: an infinity would be written as text that no
// reader takes back.
double Finite(double value) { return std::isfinite(value) ? value : 0.0; }
float Real32(double value) { return static_cast<float>(Finite(static_cast<float>(value))); }

std::string OneDecimal(double value) { return CFormat("%2.1f", {value}); }

}  // namespace

BlockWindow::BlockWindow(std::filesystem::path data_dir, BlockLibrary& library, Platform platform)
    : data_dir_(std::move(data_dir)), library_(library), platform_(platform) {}

void BlockWindow::SetSelected(int index) {
  selected_ = index >= 0 && index < static_cast<int>(names_.size()) ? index : -1;
}

void BlockWindow::SetGridRow(int row) {
  grid_row_ = std::clamp(row, 1, static_cast<int>(regimes_.size()));
}

std::string BlockWindow::Section() const { return SectionOf(static_cast<size_t>(selected_)); }

ProfileFile BlockWindow::OpenFile() const {
  return ProfileFile(library_.file_path(), *platform_.files);
}

bool BlockWindow::MayChange() const {
  if (!file_unreadable_ && MayReplace(*platform_.files, library_.file_path())) return true;
  platform_.messages->ShowError("Unable to write to " + PathToUtf8(library_.file_path()));
  return false;
}

void BlockWindow::EditFile(const std::function<void(ProfileFile&)>& edit) {
  ProfileFile file = OpenFile();
  const std::string before = file.ToBytes();
  edit(file);
  if (file.ToBytes() == before) return;
  // A file the window could not show is never written over, even when it
  // can be read by now: the list does not hold what it holds.
  SetLastWriteNote({});
  const bool saved = !file_unreadable_ && file.Save();
  library_.Invalidate();
  if (saved) return;
  platform_.messages->ShowError(WriteFailureText(PathToUtf8(library_.file_path())));
  ShowFile();
}

void BlockWindow::ShowFile() {
  const int selected = selected_;
  LoadBlockNames();
  SetSelected(selected);
  if (selected_ >= 0) {
    ListBox1Click();
  } else {
    ClearRegimeGrid();
    button_del_block_enabled_ = false;
  }
}

void BlockWindow::SetStatus(size_t count) {
  status_text_ = text::kStatusPrefix + std::to_string(count);
}

// ---- Operations on Блок.ini.

void BlockWindow::LoadBlockNames() {
  names_.clear();
  const ProfileFile file = OpenFile();
  file_unreadable_ = file_unreadable_ || file.unreadable();
  for (size_t b = 0; b < static_cast<size_t>(kMaxBlockTypes); ++b) {
    const std::string section = SectionOf(b);
    if (!file.SectionExists(section)) break;
    names_.push_back(file.ReadString(section, block_file::kName, text::kUnnamed));
  }
  SetStatus(names_.size());
  selected_ = -1;
}

void BlockWindow::SaveBlockNamesIn(ProfileFile& file) const {
  // Names are matched byte for byte against the projects: keep their blanks
  // and quotes through the file.
  for (size_t i = 0; i < names_.size(); ++i) {
    file.WriteString(SectionOf(i), block_file::kName, QuotedIfNeeded(names_[i]));
  }
}

void BlockWindow::SaveBlockNames() {
  EditFile([this](ProfileFile& file) { SaveBlockNamesIn(file); });
}

void BlockWindow::ClearRegimeGrid() {
  regimes_.assign(1, RegimeRow{});
  grid_row_ = 1;
}

void BlockWindow::LoadSelectedBlock() {
  if (selected_ < 0) return;
  ClearRegimeGrid();
  const ProfileFile file = OpenFile();
  const std::string section = Section();
  for (int r = 1; r <= kMaxRegimes; ++r) {
    std::string name = file.ReadString(section, block_file::RegimeKey(r), "");
    if (name.empty()) break;
    if (!regimes_.front()[0].empty()) regimes_.emplace_back();
    regimes_.back() = {
        std::move(name),
        std::to_string(
            file.ReadInteger(section, block_file::PowerKey(r), block_file::kDefaultPower)),
        OneDecimal(file.ReadReal(section, block_file::CurrentKey(r), block_file::kDefaultCurrent))};
  }
  edit_umin_ = OneDecimal(file.ReadReal(section, block_file::kUmin, block_file::kDefaultUmin));
}

void BlockWindow::WriteSelectedBlockIn(ProfileFile& file) const {
  const std::string section = Section();
  const char separator = platform_.locale->DecimalSeparator();
  for (size_t k = 0; k < regimes_.size(); ++k) {
    const int r = static_cast<int>(k) + 1;
    const RegimeRow& row = regimes_[k];
    file.WriteString(section, block_file::RegimeKey(r), QuotedIfNeeded(row[0]));
    file.WriteInteger(section, block_file::PowerKey(r), LeadingInteger(row[1]));
    file.WriteReal(section, block_file::CurrentKey(r), Finite(LeadingReal(row[2])), separator);
  }
  file.WriteReal(section, block_file::kUmin, Finite(LeadingTypedReal(edit_umin_)), separator);
}

void BlockWindow::SaveSelectedBlockIn(ProfileFile& file) const {
  if (selected_ < 0 || !file.SectionExists(Section())) return;
  WriteSelectedBlockIn(file);
}

void BlockWindow::SaveSelectedBlock() {
  EditFile([this](ProfileFile& file) { SaveSelectedBlockIn(file); });
}

void BlockWindow::DeleteRegimeKeysIn(ProfileFile& file) const {
  if (selected_ < 0) return;
  const std::string section = Section();
  for (int r = 1; r <= kMaxRegimes; ++r) {
    file.DeleteKey(section, block_file::RegimeKey(r));
    file.DeleteKey(section, block_file::PowerKey(r));
    file.DeleteKey(section, block_file::CurrentKey(r));
  }
}

void BlockWindow::DeleteRegimeKeys() {
  EditFile([this](ProfileFile& file) { DeleteRegimeKeysIn(file); });
}

// ---- Handlers.

WindowGeometry BlockWindow::FormCreate() {
  const WindowGeometry geometry = LoadWindowGeometry(data_dir_, kBlockSection, kDesign, platform_);
  file_unreadable_ = false;
  LoadBlockNames();
  if (file_unreadable_) {
    platform_.messages->ShowError(CannotOpenText(*platform_.files, library_.file_path()));
  }
  return geometry;
}

void BlockWindow::FormClose(const WindowGeometry& geometry) {
  StoreWindowGeometry(data_dir_, kBlockSection, geometry, platform_);
  SaveBlockNames();
}

void BlockWindow::ListBox1Click() {
  if (selected_ < 0) return;
  LoadSelectedBlock();
  button_del_block_enabled_ = selected_ == static_cast<int>(names_.size()) - 1;
}

void BlockWindow::ButtonAddBlkClick() {
  if (!MayChange()) return;
  if (names_.size() >= static_cast<size_t>(kMaxBlockTypes)) {
    platform_.messages->Show(text::kTooManyTypes, text::kFullCaption, MessageIcon::kInformation);
    return;
  }
  std::string name = SavableTextPrompt(platform_, text::kBlockCaption, text::kBlockPrompt, "");
  if (name.empty()) return;
  names_.push_back(std::move(name));
  selected_ = static_cast<int>(names_.size()) - 1;
  regimes_.assign(1, RegimeRow{text::kNormalRegime, "100", "0"});
  grid_row_ = 1;
  edit_umin_ = "8.0";
  EditFile([this](ProfileFile& file) {
    SaveBlockNamesIn(file);
    SaveSelectedBlockIn(file);
  });
  SetStatus(names_.size());
}

int BlockWindow::AddTypes(
    const std::vector<std::vector<std::pair<std::string, std::string>>>& types) {
  if (types.empty() || !MayChange()) return 0;
  const size_t room =
      static_cast<size_t>(kMaxBlockTypes) - std::min(names_.size(), size_t{kMaxBlockTypes});
  const size_t count = std::min(types.size(), room);
  if (count < types.size()) {
    platform_.messages->Show(text::kTooManyTypes, text::kFullCaption, MessageIcon::kInformation);
  }
  const size_t first = names_.size();
  EditFile([&](ProfileFile& file) {
    for (size_t k = 0; k < count; ++k) {
      const std::string section = SectionOf(first + k);
      file.EraseSection(section);  // a leftover past the list's end is not part of the type
      for (const auto& [key, value] : types[k])
        file.WriteString(section, key, QuotedIfNeeded(value));
    }
  });
  ShowFile();
  return static_cast<int>(count);
}

void BlockWindow::ButtonDelBlockClick() {
  if (selected_ < 0) return;
  if (selected_ != static_cast<int>(names_.size()) - 1) {
    platform_.messages->Show(text::kDeleteOnlyLast, text::kDeleteBlockCaption, MessageIcon::kStop);
    return;
  }
  if (!MayChange()) return;
  if (!platform_.messages->AskYesNo(text::kSure, text::kDeleteBlockCaption,
                                    MessageIcon::kQuestion)) {
    return;
  }
  EditFile([this](ProfileFile& file) { file.EraseSection(Section()); });
  ClearRegimeGrid();
  LoadBlockNames();
}

void BlockWindow::ListBox1DblClick() {
  if (selected_ < 0 || !MayChange()) return;
  const std::string old_name = names_[static_cast<size_t>(selected_)];
  const std::string new_name =
      SavableTextPrompt(platform_, text::kBlockCaption, text::kBlockPrompt, old_name);
  if (new_name.empty() || new_name == old_name) return;
  AppendReplacementRule(data_dir_, old_name, new_name,
                        *platform_.files);  // not reported when it fails
  if (rename_) rename_(old_name, new_name);
  names_[static_cast<size_t>(selected_)] = new_name;
  platform_.messages->Show(text::kRenamed, text::kRenamedCaption, MessageIcon::kInformation);
  SaveBlockNames();
}

void BlockWindow::StringGrid1MouseUp(int column, int row) {
  mouse_column_ = column;
  mouse_row_ = row;
}

void BlockWindow::StringGrid1DblClick() {
  if (selected_ < 0 || mouse_row_ < 1 || mouse_row_ > static_cast<int>(regimes_.size())) return;
  if (mouse_column_ < 0 || mouse_column_ > 2 || !MayChange()) return;
  RegimeRow& row = regimes_[static_cast<size_t>(mouse_row_ - 1)];
  const auto ask = [this](const char* prompt, const std::string& current) {
    return platform_.prompter->TextPrompt(text::kEditRegimeCaption, prompt, current);
  };
  switch (mouse_column_) {
    case 0: {
      std::string name =
          SavableTextPrompt(platform_, text::kEditRegimeCaption, text::kRegimeNamePrompt, row[0]);
      if (name.empty()) return;
      row[0] = std::move(name);
      break;
    }
    case 1: {
      const int32_t power = LeadingInteger(ask(text::kPowerPrompt, row[1]));
      row[1] = std::to_string(power);
      if (power != 0) {
        row[2] = "0.0";
        break;
      }
      [[fallthrough]];  // no power: the regime draws a current
    }
    case 2: {
      const float current = Real32(LeadingTypedReal(ask(text::kCurrentPrompt, row[2])));
      row[2] = OneDecimal(current);
      if (current > 0) row[1] = std::string("0");
      break;
    }
    default:
      return;
  }
  SaveSelectedBlock();
}

BlockWindow::RegimeRow& BlockWindow::NewRegimeRow() {
  if (regimes_.size() == 1 && regimes_.front()[0].empty()) return regimes_.front();
  return regimes_.emplace_back();
}

void BlockWindow::ButtonAddRegClick() {
  if (selected_ < 0 || !MayChange()) return;
  if (regimes_.size() >= static_cast<size_t>(kMaxRegimes)) {
    platform_.messages->Show(text::kTooManyRegimes, text::kFullCaption, MessageIcon::kInformation);
    return;
  }
  std::string name =
      SavableTextPrompt(platform_, text::kAddRegimeCaption, text::kRegimeNamePrompt, "");
  if (name.empty()) return;
  RegimeRow& row = NewRegimeRow();
  row = {std::move(name), "", ""};
  const int32_t power = LeadingInteger(platform_.prompter->TextPrompt(
      text::kAddRegimeCaption, text::kPowerPrompt, text::kDefaultPower));
  if (power != 0) {
    row[1] = std::to_string(power);
    row[2] = "0.0";
  } else {
    row[1] = "0.0";
    row[2] = OneDecimal(Finite(LeadingTypedReal(platform_.prompter->TextPrompt(
        text::kAddRegimeCaption, text::kCurrentPrompt, text::kDefaultCurrent))));
  }
  SaveSelectedBlock();
}

void BlockWindow::ButtonDelRegClick() {
  if (selected_ < 0 || grid_row_ < 1) return;
  if (regimes_.size() <= 1) {
    platform_.messages->Show(text::kDeleteAllRegimes, text::kDeleteRegimeCaption,
                             MessageIcon::kStop);
    return;
  }
  if (!MayChange()) return;
  if (!platform_.messages->AskYesNo(text::kSure, text::kDeleteRegimeCaption,
                                    MessageIcon::kQuestion)) {
    return;
  }
  EditFile([this](ProfileFile& file) {
    // Tested before the keys go: a section that held nothing but regimes would
    // otherwise lose them all and end the list of types.
    const bool exists = file.SectionExists(Section());
    DeleteRegimeKeysIn(file);
    regimes_.erase(regimes_.begin() + (grid_row_ - 1));
    SetGridRow(grid_row_);
    if (exists) WriteSelectedBlockIn(file);
  });
}

void BlockWindow::EditUminClick() {
  if (selected_ < 0 || !MayChange()) return;
  const std::string answer =
      platform_.prompter->TextPrompt(text::kUminCaption, text::kUminPrompt, edit_umin_);
  edit_umin_ = OneDecimal(Real32(LeadingTypedReal(answer)));
  SaveSelectedBlock();
}

}  // namespace luch
