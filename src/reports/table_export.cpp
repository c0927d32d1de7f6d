#include "reports/table_export.h"

#include <algorithm>

namespace luch {

char ExportSeparator(ExportFormat format) { return format == ExportFormat::kCsv ? ';' : '\t'; }

std::string ExportCell(std::string_view text, ExportFormat format, bool free_text) {
  std::string cell(text);
  if (format == ExportFormat::kText) {
    std::replace_if(
        cell.begin(), cell.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return cell;
  }
  const bool formula = free_text && !cell.empty() &&
                       std::string_view("=+-@").find(cell[0]) != std::string_view::npos;
  if (!formula && cell.find_first_of(";\"\r\n") == std::string::npos) return cell;
  std::string quoted = formula ? "\"'" : "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

namespace {

std::string ExportLine(const BlockRow& cells, ExportFormat format) {
  std::string line;
  for (int c = 0; c < kColumnCount; ++c) {
    std::string text = cells[static_cast<size_t>(c)];
    // The calculation writes current and voltage with "."; spreadsheets of
    // Russian users read ",".
    if (c == kCurrentMA || c == kVoltageV) std::replace(text.begin(), text.end(), '.', ',');
    const bool free_text = c == kAddress || c == kCableName || c == kBlockName || c == kRegimeName;
    line += ExportCell(text, format, free_text);
    if (c < kColumnCount - 1) line += ExportSeparator(format);
  }
  return line;
}

}  // namespace

std::vector<std::string> BuildExport(const ProjectTable& table, ExportFormat format) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(table.BlockCount()) + 1);
  BlockRow headers;
  for (int c = 0; c < kColumnCount; ++c) {
    headers[static_cast<size_t>(c)] = kColumnHeaders[static_cast<size_t>(c)];
  }
  lines.push_back(ExportLine(headers, format));
  for (int r = 1; r <= table.BlockCount(); ++r)
    lines.push_back(ExportLine(table.GetRow(r), format));
  return lines;
}

}  // namespace luch
