// Entering a ray from the keyboard as fast as in a spreadsheet: the cells a
// row is filled in, in their order, and the choice menus' type-ahead.
#pragma once

#include <array>
#include <string_view>

#include "project/cell_editing.h"
#include "project/project_table.h"

namespace luch {

// The columns a designer fills, in the order a row is entered.
inline constexpr std::array<int, 6> kEntryColumns = {kAddress,   kCableName,  kLengthM,
                                                     kBlockName, kRegimeName, kHasZB};

// The entry column after `col` (for any column: the next one to its right);
// -1 after the last: the row is done.
int NextEntryColumn(int col);

// The item a menu opens on: the one whose caption is the cell's text, else
// the first (so that Enter takes it); -1 for an empty menu.
int OpeningItem(const ChoiceMenu& menu, std::string_view cell_text);

// Type-ahead: the first item, from `from` on and round to it, whose caption
// begins with `typed` (letter case and leading blanks ignored); -1 when none.
int TypeAheadItem(const ChoiceMenu& menu, std::string_view typed, int from);

}  // namespace luch
