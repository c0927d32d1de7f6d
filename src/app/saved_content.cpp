#include "app/saved_content.h"

#include <array>

namespace luch {

bool SameSavedContent(const ProjectTable& a_table, const ProjectParameters& a_params,
                      const ProjectTable& b_table, const ProjectParameters& b_params,
                      bool with_power) {
  if (!(a_params == b_params) || a_table.BlockCount() != b_table.BlockCount()) return false;
  static constexpr std::array kStored = {kAddress,    kCableName, kLengthM, kBlockName,
                                         kRegimeName, kPowerMW,   kHasZB};
  for (int r = 1; r <= a_table.BlockCount(); ++r) {
    if (a_table.SharesRow(b_table, r)) continue;  // what a command did not touch
    for (const Column col : kStored) {
      if (col == kPowerMW && !with_power) continue;
      if (a_table.GetCell(r, col) != b_table.GetCell(r, col)) return false;
    }
  }
  return true;
}

}  // namespace luch
