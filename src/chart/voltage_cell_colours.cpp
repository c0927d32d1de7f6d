#include "chart/voltage_cell_colours.h"

#include "library/block_library.h"
#include "project/project_table.h"

namespace luch {

VoltageCellLook VoltageCellColours(const ProjectTable& table, const BlockLibrary& blocks, int col,
                                   int row, bool selected) {
  VoltageCellLook look;
  if (col != kVoltageV || row < 1 || row > table.BlockCount()) return look;
  const int b = blocks.BlockIndexByName(table.BlockName(row));
  if (b == -1) return look;
  const double umin = blocks.BlockUmin(b);
  const double u = table.VoltageV(row);
  const bool in_order = u >= umin || u == 0.0;
  look.standard = false;
  look.below_minimum = !in_order;
  if (selected) {
    look.highlight_background = in_order;
    look.background = in_order ? Rgb{} : kMaroon;
    look.text = in_order ? kLime : kWhite;
  } else {
    look.background = in_order ? kWhite : kRed;
    look.text = in_order ? kGreen : kBlack;
  }
  return look;
}

}  // namespace luch
