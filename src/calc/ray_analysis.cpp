#include "calc/ray_analysis.h"

#include <unordered_set>

#include "library/block_library.h"

namespace luch {

void SetEveryCable(ProjectTable& table, const std::string& name, const CableLibrary& cables,
                   char decimal_separator) {
  for (int r = 1; r <= table.BlockCount(); ++r) {
    table.SetCableName(r, name);
    table.UpdateResistance(r, cables, decimal_separator);
  }
}

int SetRegimeEverywhere(ProjectTable& table, const std::string& regime,
                        const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  int changed = 0;
  for (int r = 1; r <= table.BlockCount(); ++r) {
    const std::string& name = table.GetCell(r, kBlockName);
    const int b = name.empty() ? -1 : blocks.BlockIndexByName(name);
    if (b < 0 || !blocks.HasRegime(b, regime)) continue;
    const std::string before = table.GetCell(r, kRegimeName);
    table.SetRegimeName(r, regime);
    table.SetPowerMW(r, blocks.RegimePowerByName(b, regime));
    table.SetCurrentMA(r, static_cast<float>(blocks.RegimeCurrentByName(b, regime)));
    if (before != regime) ++changed;
  }
  return changed;
}

std::vector<std::string> RegimeNames(const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (int b = 0; b < blocks.BlockCount(); ++b) {
    for (int r = 1; r <= kMaxRegimes; ++r) {
      const std::string name = blocks.RegimeNameAt(b, r);
      if (name.empty()) break;  // the name search stops at the first empty name too
      if (seen.insert(name).second) names.push_back(name);
    }
  }
  return names;
}

}  // namespace luch
