#include "project/project_table.h"

#include <unordered_map>
#include <unordered_set>

#include "common/number_text.h"
#include "common/numbers.h"
#include "library/cable_library.h"

namespace luch {

const std::array<const char*, kColumnCount> kColumnHeaders = {
    " N",     " Адрес",   " Кабель", " Длина (м)", " R (Ом)", " Блок",
    " Режим", " P (мВт)", " ЗБ",     " I (мА)",    " U (В)",
};

const std::array<const char*, kColumnCount> kColumnToolTips = {
    "N — номер блока по порядку от КМУ",
    "Адрес — место расположения блока",
    "Кабель — тип кабеля сегмента, который подходит к блоку",
    "Длина — длина сегмента от предыдущего блока (у первого блока — от КМУ), м",
    "R — сопротивление сегмента (петля), Ом",
    "Блок — тип блока из справочника «Блоки»",
    "Режим — режим работы блока, для которого ведется расчет",
    "P — мощность блока, мВт",
    "ЗБ — блок подключен через блок грозозащиты",
    "I — ток, потребляемый блоком, мА",
    "U — напряжение на блоке, В",
};

namespace {
const std::string kEmpty;
}

ProjectTable::ProjectTable() { SetBlockCount(5); }

BlockRow& ProjectTable::WritableRow(size_t row) {
  std::shared_ptr<BlockRow>& slot = rows_[row];
  if (!slot) {
    slot = std::make_shared<BlockRow>();
  } else if (slot.use_count() > 1) {
    slot = std::make_shared<BlockRow>(*slot);
  }
  return *slot;
}

void ProjectTable::SetBlockCount(int count) {
  if (count < kMinBlockCount) count = kMinBlockCount;
  if (count > kMaxBlockCount) count = kMaxBlockCount;
  if (static_cast<int>(rows_.size()) < count + 1) rows_.resize(static_cast<size_t>(count) + 1);
  block_count_ = count;
  for (int row = 1; row <= count; ++row) SetCell(row, kNumber, std::to_string(row));
}

const std::string& ProjectTable::GetCell(int row, int col) const {
  if (!Visible(row) || col < 0 || col >= kColumnCount) return kEmpty;
  const BlockRow* cells = rows_[static_cast<size_t>(row)].get();
  return cells ? (*cells)[static_cast<size_t>(col)] : kEmpty;
}

void ProjectTable::SetCell(int row, int col, std::string_view text) {
  if (!Visible(row) || col < 0 || col >= kColumnCount) return;
  // An unchanged cell leaves its row shared.
  if (GetCell(row, col) == text) return;
  std::string value(text);  // `text` may be a cell of this very row
  WritableRow(static_cast<size_t>(row))[static_cast<size_t>(col)] = std::move(value);
}

BlockRow ProjectTable::GetRow(int row) const {
  if (!Visible(row) || !rows_[static_cast<size_t>(row)]) return BlockRow{};
  return *rows_[static_cast<size_t>(row)];
}

bool ProjectTable::operator==(const ProjectTable& other) const {
  if (block_count_ != other.block_count_ || rows_.size() != other.rows_.size()) return false;
  for (size_t r = 0; r < rows_.size(); ++r) {
    const BlockRow* a = rows_[r].get();
    const BlockRow* b = other.rows_[r].get();
    if (a == b) continue;
    for (size_t c = 0; c < kColumnCount; ++c) {
      if ((a ? (*a)[c] : kEmpty) != (b ? (*b)[c] : kEmpty)) return false;
    }
  }
  return true;
}

bool ProjectTable::SharesRow(const ProjectTable& other, int row) const {
  const auto r = static_cast<size_t>(row);
  return r < rows_.size() && r < other.rows_.size() && rows_[r] && rows_[r] == other.rows_[r];
}

int32_t ProjectTable::LengthM(int row) const { return LeadingInteger(GetCell(row, kLengthM)); }
void ProjectTable::SetLengthM(int row, int64_t meters) {
  SetCell(row, kLengthM, std::to_string(meters));
}
int32_t ProjectTable::PowerMW(int row) const { return LeadingInteger(GetCell(row, kPowerMW)); }
void ProjectTable::SetPowerMW(int row, int64_t milliwatts) {
  SetCell(row, kPowerMW, std::to_string(milliwatts));
}
int ProjectTable::ReplaceInAllRows(int col, std::string_view from, std::string_view to) {
  if (col < 0 || col >= kColumnCount) return 0;
  int changed = 0;
  for (size_t r = 1; r < rows_.size(); ++r) {
    const std::string& cell = rows_[r] ? (*rows_[r])[static_cast<size_t>(col)] : kEmpty;
    if (cell != from) continue;
    WritableRow(r)[static_cast<size_t>(col)] = std::string(to);
    ++changed;
  }
  return changed;
}

void ProjectTable::SetHasZB(int row, bool set) { SetCell(row, kHasZB, set ? kFlagSet : ""); }
double ProjectTable::CurrentMA(int row) const { return LeadingReal(GetCell(row, kCurrentMA)); }
void ProjectTable::SetCurrentMA(int row, float milliamps) {
  SetCell(row, kCurrentMA, FormatFixed2(milliamps));
}
double ProjectTable::VoltageV(int row) const { return LeadingReal(GetCell(row, kVoltageV)); }
void ProjectTable::SetVoltageV(int row, float volts) {
  SetCell(row, kVoltageV, FormatFixed2(volts));
}

std::string SegmentResistanceText(int32_t ohm_per_km, int32_t length_m, char decimal_separator) {
  const int64_t product = int64_t{ohm_per_km} * int64_t{length_m};
  // Every calculation forms the text of every row anew, and a ray repeats a
  // few products: their texts are kept (per thread, which may calculate its
  // own variants).
  const float ohm = static_cast<float>(static_cast<double>(product) * 0.002);
  if (decimal_separator != ',' && decimal_separator != '.') {
    return FormatPattern(ohm, "#.##", decimal_separator);
  }
  thread_local std::unordered_map<int64_t, std::string> formed[2];
  std::unordered_map<int64_t, std::string>& texts = formed[decimal_separator == ',' ? 0 : 1];
  if (const auto found = texts.find(product); found != texts.end()) return found->second;
  if (texts.size() > 65536) texts.clear();
  return texts.emplace(product, FormatPattern(ohm, "#.##", decimal_separator)).first->second;
}

void ProjectTable::UpdateResistance(int row, const CableLibrary& cables, char decimal_separator) {
  if (!Visible(row)) return;
  UpdateResistance(row, cables.CableResistanceByName(CableName(row)), decimal_separator);
}

void ProjectTable::UpdateResistance(int row, int32_t ohm_per_km, char decimal_separator) {
  if (!Visible(row)) return;
  SetCell(row, kResistanceOhm, SegmentResistanceText(ohm_per_km, LengthM(row), decimal_separator));
}

std::vector<std::string> NamesInColumn(const ProjectTable& table, int col) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (int r = 1; r <= table.BlockCount(); ++r) {
    const std::string& name = table.GetCell(r, col);
    if (!name.empty() && seen.insert(name).second) names.push_back(name);
  }
  return names;
}

}  // namespace luch
