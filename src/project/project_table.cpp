#include "project/project_table.h"

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

void ProjectTable::SetBlockCount(int count) {
  if (count < kMinBlockCount) count = kMinBlockCount;
  if (count > kMaxBlockCount) count = kMaxBlockCount;
  if (static_cast<int>(rows_.size()) < count + 1) rows_.resize(static_cast<size_t>(count) + 1);
  block_count_ = count;
  for (int row = 1; row <= count; ++row)
    rows_[static_cast<size_t>(row)][kNumber] = std::to_string(row);
}

const std::string& ProjectTable::GetCell(int row, int col) const {
  if (!Visible(row) || col < 0 || col >= kColumnCount) return kEmpty;
  return rows_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void ProjectTable::SetCell(int row, int col, std::string_view text) {
  if (!Visible(row) || col < 0 || col >= kColumnCount) return;
  rows_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::string(text);
}

BlockRow ProjectTable::GetRow(int row) const {
  if (!Visible(row)) return BlockRow{};
  return rows_[static_cast<size_t>(row)];
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
    std::string& cell = rows_[r][static_cast<size_t>(col)];
    if (cell != from) continue;
    cell = to;
    ++changed;
  }
  return changed;
}

void ProjectTable::SetHasZB(int row, bool set) { SetCell(row, kHasZB, set ? kFlagSet : ""); }
double ProjectTable::CurrentMA(int row) const { return LeadingReal(GetCell(row, kCurrentMA)); }
void ProjectTable::SetCurrentMA(int row, float milliamps) {
  SetCell(row, kCurrentMA, CFormat("%2.2f", {milliamps}));
}
double ProjectTable::VoltageV(int row) const { return LeadingReal(GetCell(row, kVoltageV)); }
void ProjectTable::SetVoltageV(int row, float volts) {
  SetCell(row, kVoltageV, CFormat("%2.2f", {volts}));
}

std::string SegmentResistanceText(int32_t ohm_per_km, int32_t length_m, char decimal_separator) {
  const int64_t product = int64_t{ohm_per_km} * int64_t{length_m};
  const float ohm = static_cast<float>(static_cast<double>(product) * 0.002);
  return FormatPattern(ohm, "#.##", decimal_separator);
}

void ProjectTable::UpdateResistance(int row, const CableLibrary& cables, char decimal_separator) {
  if (!Visible(row)) return;
  const int32_t r = cables.CableResistanceByName(CableName(row));
  SetCell(row, kResistanceOhm, SegmentResistanceText(r, LengthM(row), decimal_separator));
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
