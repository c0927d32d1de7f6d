#include "editing/paste_columns.h"

#include <algorithm>

namespace luch {

std::vector<TabField> RememberedPasteColumns(const ProfileFile& settings, size_t columns) {
  std::vector<TabField> fields;
  const std::string kept =
      settings.ReadString(kPasteColumnsSection, std::to_string(columns), std::string());
  for (size_t begin = 0; !kept.empty() && begin <= kept.size();) {
    const size_t end = std::min(kept.find(',', begin), kept.size());
    const std::string name = kept.substr(begin, end - begin);
    TabField field = TabField::kNone;
    for (int k = 0; k < kTabFieldCount; ++k) {
      if (name == TabFieldName(static_cast<TabField>(k))) field = static_cast<TabField>(k);
    }
    fields.push_back(field);
    begin = end + 1;
  }
  if (fields.size() == columns) return fields;
  fields.assign(columns, TabField::kNone);
  for (int k = 1; k < kTabFieldCount && static_cast<size_t>(k) <= columns; ++k) {
    fields[static_cast<size_t>(k - 1)] = static_cast<TabField>(k);
  }
  return fields;
}

void RememberPasteColumns(ProfileFile& settings, const std::vector<TabField>& fields) {
  std::string names;
  for (const TabField field : fields)
    names += (names.empty() ? "" : ",") + std::string(TabFieldName(field));
  settings.WriteString(kPasteColumnsSection, std::to_string(fields.size()), names);
}

PasteColumnsLogic::PasteColumnsLogic(std::vector<std::vector<std::string>> lines,
                                     std::vector<TabField> preset)
    : lines_(std::move(lines)), fields_(std::move(preset)) {}

void PasteColumnsLogic::Choose(size_t column, TabField field) {
  if (column < fields_.size()) fields_[column] = field;
}

std::string PasteColumnsLogic::DoubleChoice() const {
  for (size_t second = 1; second < fields_.size(); ++second) {
    if (fields_[second] == TabField::kNone) continue;
    const auto first = std::find(fields_.begin(), fields_.end(), fields_[second]);
    if (first - fields_.begin() == static_cast<std::ptrdiff_t>(second)) continue;
    return std::string("Поле «") + TabFieldName(fields_[second]) + "» выбрано для столбцов " +
           std::to_string(first - fields_.begin() + 1) + " и " + std::to_string(second + 1) + ".";
  }
  return {};
}

}  // namespace luch
