#include "library/cable_library.h"

#include "common/file_io.h"
#include "common/numbers.h"
#include "common/profile_file.h"
#include "library/cable_file_format.h"

namespace luch {

CableLibrary::CableLibrary() : rows_(1) {}

const CableType* CableLibrary::Row(int i) const {
  if (i < 1 || i > CableCount()) return nullptr;
  return &rows_[static_cast<size_t>(i - 1)];
}

CableType* CableLibrary::MutableRow(int i) {
  if (i < 1 || i > CableCount()) return nullptr;
  return &rows_[static_cast<size_t>(i - 1)];
}

std::string CableLibrary::CableNameAt(int i) const {
  const CableType* row = Row(i);
  return row ? row->name : std::string();
}

int32_t CableLibrary::CableResistanceAt(int i) const {
  const CableType* row = Row(i);
  return row ? LeadingInteger(row->resistance) : 0;
}

int32_t CableLibrary::CableCapacitanceAt(int i) const {
  const CableType* row = Row(i);
  return row ? LeadingInteger(row->capacitance) : 0;
}

int32_t CableLibrary::CableWaveImpedanceAt(int i) const {
  const CableType* row = Row(i);
  return row ? LeadingInteger(row->wave_impedance) : 0;
}

int CableLibrary::FindByName(std::string_view name) const {
  for (size_t k = 0; k < rows_.size(); ++k) {
    if (rows_[k].name == name) return static_cast<int>(k) + 1;
  }
  return 0;
}

int32_t CableLibrary::CableResistanceByName(std::string_view name) const {
  return CableResistanceAt(FindByName(name));
}

int32_t CableLibrary::CableCapacitanceByName(std::string_view name) const {
  return CableCapacitanceAt(FindByName(name));
}

int32_t CableLibrary::CableWaveImpedanceByName(std::string_view name) const {
  return CableWaveImpedanceAt(FindByName(name));
}

int CableLibrary::Add(const CableType& type) {
  // Only the empty library's placeholder row is filled; a nameless row among
  // others is a type of its own and is kept.
  if (rows_.size() == 1 && rows_.front().name.empty()) {
    rows_.front() = type;
  } else {
    rows_.push_back(type);
  }
  Renumber();
  return CableCount();
}

void CableLibrary::Delete(int i) {
  if (i < 1 || i > CableCount()) return;
  if (rows_.size() == 1) {
    rows_.front() = CableType{};
    return;
  }
  rows_.erase(rows_.begin() + (i - 1));
  Renumber();
}

void CableLibrary::Renumber() {
  for (size_t k = 0; k < rows_.size(); ++k) rows_[k].number = std::to_string(k + 1);
}

int CableLibrary::LoadCables(const std::filesystem::path& data_dir, FileSystem& files) {
  const ProfileFile file(data_dir / Utf8Path(kCableFileName), files);
  unreadable_ = file.unreadable();
  rows_.assign(1, CableType{});
  int n = 1;
  for (; n <= kMaxCablesRead; ++n) {
    const std::string section = cable_file::Section(n);
    if (!file.SectionExists(section)) break;
    if (n > 1) rows_.emplace_back();
    CableType& row = rows_.back();
    row.number = std::to_string(n);
    row.name = file.ReadString(section, cable_file::kName, "");
    row.resistance = std::to_string(file.ReadInteger(section, cable_file::kResistance, 0));
    row.capacitance = file.ReadString(section, cable_file::kCapacitance, "");
    row.wave_impedance = file.ReadString(section, cable_file::kWave, "");
    row.note = file.ReadString(section, cable_file::kNote, "");
  }
  return n - 1;
}

bool CableLibrary::SaveCables(const std::filesystem::path& data_dir, FileSystem& files) const {
  const std::filesystem::path path = data_dir / Utf8Path(kCableFileName);
  // The file is replaced whole by the list: one whose types the list never
  // held would lose them all.
  if (unreadable_ || ProfileFile(path, files).unreadable()) return false;
  ProfileFile file(std::filesystem::path(), files);  // deleted first: only these sections remain
  for (size_t k = 0; k < rows_.size(); ++k) {
    const std::string section = cable_file::Section(static_cast<int>(k) + 1);
    const CableType& row = rows_[k];
    // Names are matched byte for byte against the projects: keep their blanks
    // and quotes through the file.
    file.WriteString(section, cable_file::kName, QuotedIfNeeded(row.name));
    file.WriteInteger(section, cable_file::kResistance, LeadingInteger(row.resistance));
    file.WriteInteger(section, cable_file::kCapacitance, LeadingInteger(row.capacitance));
    file.WriteInteger(section, cable_file::kWave, LeadingInteger(row.wave_impedance));
    file.WriteString(section, cable_file::kNote, QuotedIfNeeded(row.note));
  }
  return file.SaveAs(path);
}

}  // namespace luch
