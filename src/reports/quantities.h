// The bill of quantities of a ray ("Спецификация"): cable length per cable
// type, blocks per block type and per regime, lightning-protection blocks.
// It reads only the rows and the libraries, never a calculation's results.
// Pure: no file, no clock.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_table.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

// One counted name: a cable type (amount in m), a block type (amount in
// blocks, `parts` per regime) or a regime of a block type (blocks).
struct QuantityItem {
  std::string name;      // as the rows spell it; a readable label for an empty name
  bool unknown = false;  // a name that the library lacks (never for a label)
  int64_t amount = 0;
  std::vector<QuantityItem> parts;
  bool operator==(const QuantityItem&) const = default;
};

struct Quantities {
  // Every row with a cable name or a non-zero length: its LengthM summed per
  // cable name (an empty name with a length under "(кабель не указан)").
  std::vector<QuantityItem> cables;
  int64_t cable_length_m = 0;
  // Every row, counted per block name (an empty one under "(блок не указан)")
  // and within it per regime name (an empty one under "(режим не указан)").
  std::vector<QuantityItem> blocks;
  int64_t block_count = 0;
  int64_t zb_rows = 0;  // rows with lightning protection
  bool any_unknown = false;
};

// Counts rows 1..BlockCount. Names are listed in the order of their first row
// and compared byte for byte, as the library lookups compare them.
Quantities CountQuantities(const ProjectTable& table, const CableLibrary& cables,
                           const BlockLibrary& blocks);

// One line of the table of quantities, in columns: position ("1." for a
// counted type, empty otherwise), name (a type marked " *" when the library
// lacks it, a regime indented), unit, amount. A heading has a name only.
struct QuantityLine {
  enum class Kind { kHeading, kItem, kPart, kTotal };
  Kind kind = Kind::kItem;
  std::string position, name, unit, amount;
  bool operator==(const QuantityLine&) const = default;
};

// The table: "Кабель" with one line per cable type and "Итого кабеля",
// "Блоки" with one line per block type followed by its regimes and
// "Итого блоков", then "Блоки грозозащиты (ЗБ)". Positions run through cables
// and block types.
std::vector<QuantityLine> QuantityTable(const Quantities& quantities);

// Спецификация.txt: the title, the object (the project file name without its
// folder), the date, a blank line, then the table in aligned columns (name
// padded to the longest, amounts right-aligned) and, when a name was marked,
// the footnote "* нет в библиотеке".
std::vector<std::string> BuildQuantitiesText(const Quantities& quantities,
                                             std::string_view project_file,
                                             std::string_view date_time);

}  // namespace luch
