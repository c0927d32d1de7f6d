// Editing single cells of the project table: a double-click asks for the
// address or the length, opens a choice menu of cables, blocks or regimes built
// on the spot from the libraries, toggles the lightning-protection flag or
// recomputes the segment resistance. Nothing here runs the calculation.
#pragma once

#include <string>
#include <vector>

#include "common/platform.h"
#include "project/project_table.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

// The grid cell under the mouse at the last button release; (-1, -1) outside
// the cells.
struct ClickedCell {
  int col = -1;
  int row = -1;
};

enum class ChoiceMenuKind { kNone, kCable, kBlock, kRegime };

// One item of a choice menu: the caption is the library name exactly as the
// library gives it (an "&" included); the tag is a cable position or a block
// index.
struct ChoiceItem {
  std::string caption;
  int tag = 0;
};

struct ChoiceMenu {
  ChoiceMenuKind kind = ChoiceMenuKind::kNone;
  std::vector<ChoiceItem> items;
  // With kind kNone: the cell took an answer (a prompt's OK, the flag
  // toggled), so that the keyboard goes on to the next cell.
  bool edited = false;
};

struct CellEditContext {
  ProjectTable& table;
  const CableLibrary& cables;
  const BlockLibrary& blocks;
  Platform platform;
  ClickedCell clicked;
  // What the user began typing on the cell (empty for a double-click): the
  // prompt starts with it instead of the cell's text.
  std::string typed = {};
};

// True for the columns whose double-click asks in a prompt: the address and
// the length. Typing on such a cell starts its prompt with the typed text.
bool OpensPrompt(int col);

// Acts on ctx.clicked by column: prompts for the address (1) or length (3),
// recomputes the resistance (4), toggles the flag (8); for columns 2, 5 and 6
// returns the choice menu to open (kind kNone when no menu opens). Rows below
// 1 and columns without an action do nothing; with ctx.typed, so do the
// columns that do not open a prompt. A typed length must be a whole number of
// metres, 0 or more (ReadTypedLength): anything else is refused and asked for
// again; Cancel keeps the length, and the resistance is recomputed either way.
ChoiceMenu StringGrid1DblClick(CellEditContext& ctx);

// The items of the three menus, in library order.
ChoiceMenu BuildCableMenu(const CableLibrary& cables);
ChoiceMenu BuildBlockMenu(const BlockLibrary& blocks);
// No menu (kind kNone) when the row's block type is not in the library.
ChoiceMenu BuildRegimeMenu(const BlockLibrary& blocks, const std::string& block_name);

// The item handlers; each writes into row ctx.clicked.row.
void CableMenuClick(CellEditContext& ctx, const ChoiceItem& item);
void BlockMenuClick(CellEditContext& ctx, const ChoiceItem& item);
void RegimeMenuClick(CellEditContext& ctx, const ChoiceItem& item);

}  // namespace luch
