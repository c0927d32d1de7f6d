#include "calc/unknown_types.h"

#include <cstddef>
#include <set>
#include <string>

#include "calc/recent_lookup.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {

UnknownTypeRows FindUnknownTypeRows(const ProjectTable& table, const CableLibrary& cables,
                                    const BlockLibrary& blocks) {
  UnknownTypeRows rows;
  BlockLibrary::Batch batch(blocks);
  struct Known {
    bool cable = false;
  };
  struct BlockKnown {
    int b = -1;
    bool regime = false;
  };
  RecentLookup<Known> cable_lookup;
  RecentLookup<BlockKnown> block_lookup;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const std::string& cable_name = table.GetCell(i, kCableName);
    const bool cable_known =
        cable_lookup.Get(cable_name, {}, [&] { return Known{cables.Contains(cable_name)}; }).cable;
    if (table.LengthM(i) != 0 && !cable_known) rows.cable.push_back(i);
    const std::string& name = table.GetCell(i, kBlockName);
    const std::string& regime_name = table.GetCell(i, kRegimeName);
    const BlockKnown& block = block_lookup.Get(name, regime_name, [&] {
      const int b = name.empty() ? -1 : blocks.BlockIndexByName(name);
      return BlockKnown{b, b != -1 && blocks.HasRegime(b, regime_name)};
    });
    if (block.b == -1) {
      rows.block.push_back(i);
    } else if (!block.regime) {
      rows.regime.push_back(i);
    }
  }
  return rows;
}

std::string RowListText(const std::vector<int>& rows) {
  constexpr int kMaxItems = 10;
  std::string text;
  int items = 0;
  for (size_t k = 0; k < rows.size();) {
    size_t last = k;
    while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1) ++last;
    if (items == kMaxItems) return text + ", ...";
    if (items > 0) text += ", ";
    text += std::to_string(rows[k]);
    if (last > k) text += "-" + std::to_string(rows[last]);
    ++items;
    k = last + 1;
  }
  return text;
}

std::string UnknownTypeWarnings(const UnknownTypeRows& rows) {
  std::string text;
  const auto line = [&text](const char* what, const std::vector<int>& list) {
    if (!list.empty()) text += std::string(what) + " (строки: " + RowListText(list) + ")!...\n";
  };
  line("Нет в библиотеке кабеля", rows.cable);
  line("Нет в библиотеке блока", rows.block);
  line("Нет режима блока", rows.regime);
  return text;
}

int LeftOutTypeCount(const ProjectTable& table, const UnknownTypeRows& rows) {
  std::set<std::string> cables, blocks, regimes;
  for (int i : rows.cable) {
    if (!table.CableName(i).empty()) cables.insert(table.CableName(i));
  }
  for (int i : rows.block) {
    if (!table.BlockName(i).empty()) blocks.insert(table.BlockName(i));
  }
  for (int i : rows.regime) {
    if (!table.RegimeName(i).empty())
      regimes.insert(table.BlockName(i) + '\n' + table.RegimeName(i));
  }
  return static_cast<int>(cables.size() + blocks.size() + regimes.size());
}

std::string LeftOutTypesText(int count) {
  const bool one = count % 10 == 1 && count % 100 != 11;  // без 1, 21 типа; без 11 типов
  return "Расчет выполнен без " + std::to_string(count) + (one ? " типа" : " типов") +
         ": см. Проверка";
}

bool BlockLeftOut(const ProjectTable& table, const BlockLibrary& blocks, int row) {
  const std::string& name = table.GetCell(row, kBlockName);
  return name.empty() || blocks.BlockIndexByName(name) == -1;
}

}  // namespace luch
