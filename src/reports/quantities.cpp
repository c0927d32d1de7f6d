#include "reports/quantities.h"

#include <algorithm>
#include <unordered_map>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "reports/document_texts.h"
#include "reports/report_texts.h"

namespace luch {

namespace t = document_texts;

namespace {

// Finds items by name in a list kept in the order of first appearance.
class ItemIndex {
 public:
  // The item of `name` in `items` (the label for an empty name), made on first
  // sight; `is_unknown` is asked only then.
  template <typename IsUnknown>
  QuantityItem& Find(std::vector<QuantityItem>& items, const std::string& name, const char* label,
                     IsUnknown is_unknown) {
    auto [it, added] = index_.try_emplace(name, items.size());
    if (added) {
      const bool empty = name.empty();
      items.push_back({empty ? std::string(label) : name, !empty && is_unknown(), 0, {}});
    }
    return items[it->second];
  }

 private:
  std::unordered_map<std::string, size_t> index_;
};

std::string Marked(const QuantityItem& item) {
  return item.unknown ? item.name + t::kUnknownMark : item.name;
}

}  // namespace

Quantities CountQuantities(const ProjectTable& table, const CableLibrary& cables,
                           const BlockLibrary& blocks) {
  Quantities q;
  BlockLibrary::Batch batch(blocks);
  ItemIndex cable_index, block_index;
  std::vector<ItemIndex> regime_index;  // per block item, by its position
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const std::string& cable = table.GetCell(i, kCableName);
    const int32_t length = table.LengthM(i);
    if (!cable.empty() || length != 0) {
      cable_index.Find(q.cables, cable, t::kNoCable, [&] { return !cables.Contains(cable); })
          .amount += length;
      q.cable_length_m += length;
    }

    const std::string& block = table.GetCell(i, kBlockName);
    const int b = block.empty() ? -1 : blocks.BlockIndexByName(block);
    QuantityItem& item = block_index.Find(q.blocks, block, t::kNoBlock, [&] { return b == -1; });
    const size_t position = static_cast<size_t>(&item - q.blocks.data());
    if (position == regime_index.size()) regime_index.emplace_back();
    const std::string& regime = table.GetCell(i, kRegimeName);
    ++regime_index[position]
          .Find(item.parts, regime, t::kNoRegime,
                [&] { return b != -1 && !blocks.HasRegime(b, regime); })
          .amount;
    ++item.amount;
    ++q.block_count;
    if (table.HasZB(i)) ++q.zb_rows;
  }
  const auto unknown = [](const QuantityItem& item) {
    return item.unknown || std::any_of(item.parts.begin(), item.parts.end(),
                                       [](const QuantityItem& part) { return part.unknown; });
  };
  q.any_unknown = std::any_of(q.cables.begin(), q.cables.end(), unknown) ||
                  std::any_of(q.blocks.begin(), q.blocks.end(), unknown);
  return q;
}

std::vector<QuantityLine> QuantityTable(const Quantities& q) {
  using Kind = QuantityLine::Kind;
  std::vector<QuantityLine> lines;
  int position = 0;
  const auto item = [&](const QuantityItem& it, const char* unit) {
    lines.push_back({Kind::kItem, std::to_string(++position) + ".", Marked(it), unit,
                     std::to_string(it.amount)});
  };
  lines.push_back({Kind::kHeading, "", t::kCablesHeading, "", ""});
  for (const QuantityItem& cable : q.cables) item(cable, t::kMetres);
  lines.push_back(
      {Kind::kTotal, "", t::kCablesTotal, t::kMetres, std::to_string(q.cable_length_m)});
  lines.push_back({Kind::kHeading, "", t::kBlocksHeading, "", ""});
  for (const QuantityItem& block : q.blocks) {
    item(block, t::kPieces);
    for (const QuantityItem& regime : block.parts) {
      lines.push_back({Kind::kPart, "", CFormat(t::kRegime, {Marked(regime)}), t::kPieces,
                       std::to_string(regime.amount)});
    }
  }
  lines.push_back({Kind::kTotal, "", t::kBlocksTotal, t::kPieces, std::to_string(q.block_count)});
  lines.push_back({Kind::kTotal, "", t::kZBBlocks, t::kPieces, std::to_string(q.zb_rows)});
  return lines;
}

std::vector<std::string> BuildQuantitiesText(const Quantities& quantities,
                                             std::string_view project_file,
                                             std::string_view date_time) {
  const std::vector<QuantityLine> table = QuantityTable(quantities);
  size_t name_width = Utf8Length(t::kColumnName);
  size_t amount_width = Utf8Length(t::kColumnAmount);
  for (const QuantityLine& line : table) {
    name_width = std::max(name_width, Utf8Length(line.name));
    amount_width = std::max(amount_width, Utf8Length(line.amount));
  }
  // "%4s  %-Ns  %-4s  %Ms": the position as the report numbers its rows.
  const std::string format =
      "%4s  %-" + std::to_string(name_width) + "s  %-4s  %" + std::to_string(amount_width) + "s";
  const auto row = [&](const std::string& position, const std::string& name,
                       const std::string& unit, const std::string& amount) {
    std::string text = CFormat(format, {position, name, unit, amount});
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
  };

  std::vector<std::string> lines = {
      t::kQuantitiesTitle,
      report_texts::kObject + FileNameOf(project_file),
      report_texts::kDate + std::string(date_time),
      "",
      row(t::kColumnPosition, t::kColumnName, t::kColumnUnit, t::kColumnAmount),
  };
  for (const QuantityLine& line : table) {
    // A blank line before each heading sets the groups apart.
    if (line.kind == QuantityLine::Kind::kHeading) lines.emplace_back();
    lines.push_back(row(line.position, line.name, line.unit, line.amount));
  }
  if (quantities.any_unknown) {
    lines.emplace_back();
    lines.emplace_back(t::kUnknownNote);
  }
  return lines;
}

}  // namespace luch
