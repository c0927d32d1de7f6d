// The whole project table, header row included, as lines of a CSV (";") or a
// tab-separated text file. Pure: no file, no dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "project/project_table.h"

namespace luch {

enum class ExportFormat { kCsv, kText };

// The separator between two cells: ";" or a TAB.
char ExportSeparator(ExportFormat format);

// One cell as written: in CSV a cell holding ";", a double quote, CR or LF is
// enclosed in double quotes with its inner quotes doubled, every other cell is
// kept as it stands; in text a TAB, CR or LF inside a cell becomes a blank, so
// that a cell never splits its row. A `free_text` cell (address, cable, block,
// regime) that begins with "=", "+", "-" or "@" would be taken for a formula
// by a spreadsheet: in CSV it gets a leading apostrophe and is quoted.
//   ExportCell("=1+2", ExportFormat::kCsv, true) == "\"'=1+2\""
std::string ExportCell(std::string_view text, ExportFormat format, bool free_text = false);

// BlockCount + 1 lines: the column headers (with their leading blanks), then
// rows 1..BlockCount; eleven cells joined by the separator, none after the
// last. In columns 9 and 10 (current, voltage) every "." becomes ",".
std::vector<std::string> BuildExport(const ProjectTable& table, ExportFormat format);

}  // namespace luch
