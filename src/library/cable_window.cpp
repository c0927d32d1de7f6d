#include "library/cable_window.h"

#include <cstdint>
#include <string>
#include <utility>

#include "common/file_io.h"
#include "common/numbers.h"
#include "common/savable_text.h"

namespace luch {
namespace {

constexpr std::array<int, 6> kColumnPercent = {5, 20, 18, 12, 20, 25};

std::string IntegerText(std::string_view answer) { return std::to_string(LeadingInteger(answer)); }

// True when the next addition fills the one empty row instead of appending.
bool FillsEmptyLibrary(const CableLibrary& library) {
  return library.CableCount() == 1 && library.CableNameAt(1).empty();
}

}  // namespace

CableWindow::CableWindow(std::filesystem::path data_dir, CableLibrary& library, Platform platform)
    : data_dir_(std::move(data_dir)), library_(library), platform_(platform) {
  SetStatus(0);
}

WindowGeometry CableWindow::FormCreate() {
  const WindowGeometry geometry = LoadWindowGeometry(data_dir_, kCabelsSection, kDesign, platform_);
  SetStatus(library_.LoadCables(data_dir_, *platform_.files));
  changed_ = false;
  if (library_.unreadable()) {
    platform_.messages->ShowError(CannotOpenText(*platform_.files, FilePath()));
  }
  return geometry;
}

int CableWindow::FormResizeWidth(int width) {
  return width < kMinimumWidth ? kMinimumWidth : width;
}

std::array<int, 6> CableWindow::ColumnWidths(int client_width) {
  std::array<int, 6> widths{};
  for (size_t k = 0; k < widths.size(); ++k) {
    // cppcheck-suppress constStatement ; int64_t{...} is a cast, not an array access
    widths[k] = static_cast<int>(int64_t{kColumnPercent[k]} * client_width / 100);
  }
  return widths;
}

void CableWindow::FormClose(const WindowGeometry& geometry) {
  // The library is saved even when Tarvel.ini cannot be written: the edits
  // matter more than the window's place.
  StoreWindowGeometry(data_dir_, kCabelsSection, geometry, platform_);
  if (changed_ || Writable()) Save();
}

void CableWindow::StringGrid1MouseUp(int column, int row) {
  mouse_column_ = column;
  mouse_row_ = row;
}

void CableWindow::StringGrid1DblClick() {
  CableType* row = library_.MutableRow(mouse_row_);
  // The number column (0) has nothing to edit and nothing to save.
  if (row == nullptr || mouse_column_ < 1 || mouse_column_ > 5 || !MayChange()) return;
  Prompter& prompter = *platform_.prompter;
  using namespace cable_texts;
  switch (mouse_column_) {
    case 1:
      row->name = SavableTextPrompt(platform_, kEditCaption, kEditName, row->name);
      break;
    case 2:
      row->resistance =
          IntegerText(prompter.TextPrompt(kEditCaption, kEditResistance, row->resistance));
      break;
    case 3:
      row->capacitance =
          IntegerText(prompter.TextPrompt(kEditCaption, kEditCapacitance, row->capacitance));
      break;
    case 4:
      row->wave_impedance =
          IntegerText(prompter.TextPrompt(kEditCaption, kEditWaveImpedance, row->wave_impedance));
      break;
    case 5:
      row->note = SavableTextPrompt(platform_, kEditCaption, kEditNote, row->note);
      break;
    default:
      return;
  }
  Save();
}

void CableWindow::ButtonAddClick() {
  using namespace cable_texts;
  if (!MayChange()) return;
  // Кабель.ini gives back only its first 1023 sections: a further type would
  // be lost at the next start.
  if (!FillsEmptyLibrary(library_) && library_.CableCount() >= kMaxCablesRead) {
    platform_.messages->Show(kFull, kFullCaption, MessageIcon::kInformation);
    return;
  }
  Prompter& prompter = *platform_.prompter;
  CableType type;
  type.name = SavableTextPrompt(platform_, kAddCaption, kAddName, "");
  if (type.name.empty()) return;
  const std::string resistance =
      prompter.TextPrompt(kAddCaption, kAddResistance, kDefaultResistance);
  if (resistance.empty()) return;
  type.resistance = IntegerText(resistance);
  const int position = library_.Add(type);
  CableType& row = *library_.MutableRow(position);
  row.capacitance = IntegerText(prompter.TextPrompt(kAddCaption, kAddCapacitance, "0"));
  row.wave_impedance = IntegerText(prompter.TextPrompt(kAddCaption, kAddWaveImpedance, "0"));
  row.note = SavableTextPrompt(platform_, kAddCaption, kAddNote, "");
  SetStatus(library_.CableCount());
  Save();
}

int CableWindow::AddTypes(const std::vector<CableType>& types) {
  if (types.empty() || !MayChange()) return 0;
  int added = 0;
  for (const CableType& type : types) {
    if (!FillsEmptyLibrary(library_) && library_.CableCount() >= kMaxCablesRead) {
      platform_.messages->Show(cable_texts::kFull, cable_texts::kFullCaption,
                               MessageIcon::kInformation);
      break;
    }
    library_.Add(type);
    ++added;
  }
  SetStatus(library_.CableCount());
  Save();
  return added;
}

void CableWindow::ButtonDelClick(int selected_row) {
  if (selected_row < 1 || selected_row > library_.CableCount() || !MayChange()) return;
  if (!platform_.messages->AskYesNo(cable_texts::kDeleteQuestion, cable_texts::kDeleteCaption,
                                    MessageIcon::kQuestion)) {
    return;
  }
  library_.Delete(selected_row);
  SetStatus(library_.CableCount());
  changed_ = true;
}

bool CableWindow::TakeOverWireResistance(int selected_row, float wire_resistance) {
  CableType* row = library_.MutableRow(selected_row);
  if (row == nullptr || !(wire_resistance > 1.0f) || !MayChange()) return false;
  // The cell is read as a 32-bit whole number; a larger value is kept at its
  // limit rather than written as a text that would read back differently.
  constexpr float kLimit = 2147483647.0f;
  const int64_t ohm =
      wire_resistance >= kLimit ? int64_t{2147483647} : static_cast<int64_t>(wire_resistance);
  row->resistance = std::to_string(ohm);
  changed_ = true;
  return true;
}

void CableWindow::SaveIfChanged() {
  if (changed_) Save();
}

std::filesystem::path CableWindow::FilePath() const { return data_dir_ / Utf8Path(kCableFileName); }

bool CableWindow::Writable() const {
  return !library_.unreadable() && MayReplace(*platform_.files, FilePath());
}

bool CableWindow::MayChange() const {
  if (Writable()) return true;
  platform_.messages->ShowError("Unable to write to " + PathToUtf8(FilePath()));
  return false;
}

void CableWindow::Save() {
  // The file on disk stays whole when the write fails, and the change is
  // kept for the next save.
  changed_ = !library_.SaveCables(data_dir_, *platform_.files);
  if (changed_) platform_.messages->ShowError(WriteFailureText(PathToUtf8(FilePath())));
}

void CableWindow::SetStatus(int count) {
  status_text_ = cable_texts::kStatusPrefix + std::to_string(count);
}

}  // namespace luch
