// The colours of the voltage cells (column VoltageV, rows 1..N) in the main
// grid: green when the block gets its stored minimum voltage, red when not.
// The window fills the cell with the background and writes the cell text in
// the text colour 2 pixels right of and below the cell's top left corner.
#pragma once

#include <cstdint>

namespace luch {

class ProjectTable;
class BlockLibrary;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kMaroon{128, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGreen{0, 128, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlack{0, 0, 0};

struct VoltageCellLook {
  bool standard = true;               // not ours: draw the cell the standard way
  bool below_minimum = false;         // the voltage is under the block's Umin
  bool highlight_background = false;  // background: the system highlight colour
  Rgb background;                     // when highlight_background is false
  Rgb text;
};

// The look of cell (col, row) for StringGrid1DrawCell. Only column 10 in rows
// 1..BlockCount whose block type is in the library is coloured: in order when
// the cell's number u (LeadingReal) is at least the stored Umin (not raised to
// 1.0) or u is 0. Selected: highlight + lime, or maroon + white; not selected:
// white + green, or red + black.
VoltageCellLook VoltageCellColours(const ProjectTable& table, const BlockLibrary& blocks, int col,
                                   int row, bool selected);

}  // namespace luch
