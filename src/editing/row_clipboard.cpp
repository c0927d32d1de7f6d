#include "editing/row_clipboard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "project/row_format.h"

namespace luch {
namespace {

namespace row = row_format;  // the keys of a row section

// A double narrowed to float without leaving the float range (a value beyond
// it becomes an infinity instead of undefined behaviour).
float NarrowToFloat(double value) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

// The rows as a profile file written key by key into an empty file holds
// them: a section per row, a blank line between sections, line ends in a
// value as blanks. Built in one buffer: a copy of the whole table is a few
// hundred kilobytes.
std::string ClipboardText(const std::vector<ClipboardRow>& rows, char decimal_separator) {
  std::string text;
  text.reserve(rows.size() * 192);
  const auto key = [&text](const char* name, std::string_view value) {
    text.append(name).append("=");
    const size_t start = text.size();
    text.append(value);
    std::replace_if(
        text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
        [](char c) { return c == '\r' || c == '\n'; }, ' ');
    text.append("\r\n");
  };
  for (size_t k = 0; k < rows.size(); ++k) {
    const ClipboardRow& row = rows[k];
    if (k > 0) text.append("\r\n");
    text.append("[").append(std::to_string(k)).append("]\r\n");
    key(row::kAddress, QuotedIfNeeded(row.address));
    key(row::kCable, QuotedIfNeeded(row.cable_name));
    key(row::kLength, std::to_string(row.length_m));
    key(row::kBlock, QuotedIfNeeded(row.block_name));
    key(row::kRegime, QuotedIfNeeded(row.regime_name));
    key(row::kPower, std::to_string(row.power_mw));
    key(row::kZB, row.has_zb ? "1" : "0");
    key(row::kCurrent, FormatGeneralReal(row.current_ma, decimal_separator));
  }
  return text;
}

}  // namespace

std::filesystem::path ClipboardPath(const std::filesystem::path& data_dir) {
  return data_dir / Utf8Path(kClipboardFileName);
}

ClipboardRow RowFromTable(const ProjectTable& table, int r) {
  ClipboardRow row;
  row.address = table.Address(r);
  row.cable_name = table.CableName(r);
  row.length_m = table.LengthM(r);
  row.block_name = table.BlockName(r);
  row.regime_name = table.RegimeName(r);
  row.power_mw = table.PowerMW(r);
  row.has_zb = table.HasZB(r);
  row.current_ma = table.CurrentMA(r);
  return row;
}

void RowToTable(const ClipboardRow& row, ProjectTable& table, int r) {
  table.SetAddress(r, QuotedIfNeeded(row.address));
  table.SetCableName(r, QuotedIfNeeded(row.cable_name));
  table.SetLengthM(r, row.length_m);
  BlockToTable(row, table, r);
}

void BlockToTable(const ClipboardRow& row, ProjectTable& table, int r) {
  table.SetBlockName(r, QuotedIfNeeded(row.block_name));
  table.SetRegimeName(r, QuotedIfNeeded(row.regime_name));
  table.SetPowerMW(r, row.power_mw);
  table.SetHasZB(r, row.has_zb);
  table.SetCurrentMA(r, NarrowToFloat(row.current_ma));
}

namespace {

// A row from the values of its keys, as the profile file's readers take
// them (a missing key or an unreadable number: its default).
ClipboardRow RowFromValues(const std::function<const std::string*(const char* key)>& value) {
  const auto text = [&](const char* key) {
    const std::string* v = value(key);
    return v ? *v : std::string();
  };
  const auto integer = [&](const char* key) {
    const std::string* v = value(key);
    int32_t number = 0;
    return v && ParseInteger(*v, number) ? number : 0;
  };
  ClipboardRow row;
  row.address = text(row::kAddress);
  row.cable_name = text(row::kCable);
  row.length_m = integer(row::kLength);
  row.block_name = text(row::kBlock);
  row.regime_name = text(row::kRegime);
  row.power_mw = integer(row::kPower);
  row.has_zb = integer(row::kZB) != 0;
  const std::string* current = value(row::kCurrent);
  double ma = 0.0;
  row.current_ma = current && ParseReal(*current, ma) ? ma : 0.0;
  return row;
}

// The keys of a row in the order WriteClipboard writes them.
constexpr std::array kRowKeys = {row::kAddress, row::kCable, row::kLength, row::kBlock,
                                 row::kRegime,  row::kPower, row::kZB,     row::kCurrent};

// The rows of a file exactly as WriteClipboard lays them out, read without
// the profile file's machinery; nothing for any other layout. The caller
// checks that the rows written again give the same bytes.
std::optional<std::vector<ClipboardRow>> LaidOutRows(std::string_view text) {
  std::vector<ClipboardRow> rows;
  size_t at = 0;
  const auto next_line = [&](std::string_view& line) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string_view::npos) return false;
    line = text.substr(at, end - at);
    at = end + 2;
    return true;
  };
  std::array<std::string, kRowKeys.size()> values;
  while (at < text.size()) {
    std::string_view line;
    if (!rows.empty() && (!next_line(line) || !line.empty())) return std::nullopt;
    if (!next_line(line) || line != "[" + std::to_string(rows.size()) + "]") return std::nullopt;
    for (size_t k = 0; k < kRowKeys.size(); ++k) {
      const std::string_view name(kRowKeys[k]);
      if (!next_line(line) || !line.starts_with(name) || line.size() <= name.size() ||
          line[name.size()] != '=') {
        return std::nullopt;
      }
      values[k] = ProfileValue(line);
    }
    rows.push_back(RowFromValues([&](const char* key) -> const std::string* {
      for (size_t k = 0; k < kRowKeys.size(); ++k) {
        if (std::string_view(kRowKeys[k]) == key) return &values[k];
      }
      return nullptr;
    }));
  }
  return rows;
}

}  // namespace

ClipboardRow ReadClipboardRow(const ProfileFile& file, int k) {
  const std::string section = std::to_string(k);
  std::string value;
  return RowFromValues([&](const char* key) -> const std::string* {
    if (!file.KeyExists(section, key)) return nullptr;
    value = file.ReadString(section, key, "");
    return &value;
  });
}

std::vector<ClipboardRow> ReadClipboardRows(const ProfileFile& file) {
  std::vector<ClipboardRow> rows;
  for (int k = 0; file.SectionExists(std::to_string(k)); ++k) {
    rows.push_back(ReadClipboardRow(file, k));
  }
  return rows;
}

std::vector<ClipboardRow> ReadClipboardFile(const std::filesystem::path& path, FileSystem& files,
                                            char decimal_separator) {
  std::string bytes;
  if (!files.ReadFile(path, bytes)) return {};
  // A copy of thousands of rows is read as it was written: that layout,
  // checked by writing the rows again, reads as the profile file reads it.
  if (CountLines(bytes) <= kMaxFileLines) {
    const std::optional<std::vector<ClipboardRow>> rows = LaidOutRows(FileTextToUtf8(bytes));
    if (rows && Utf8ToCp1251(ClipboardText(*rows, decimal_separator)) == bytes) return *rows;
  }
  return ReadClipboardRows(ProfileFile::FromBytes(bytes));
}

bool WriteClipboard(const std::filesystem::path& data_dir, const std::vector<ClipboardRow>& rows,
                    const Platform& platform) {
  FileSystem& files = *platform.files;
  MessageBoxes& messages = *platform.messages;
  const char decimal_separator = platform.locale->DecimalSeparator();
  const std::filesystem::path path = ClipboardPath(data_dir);
  std::string bytes;
  // A missing file is simply written. One that is there but cannot be read
  // (too large, too many lines, no access) is not ours to replace unseen.
  if ((!files.ReadFile(path, bytes) && files.Exists(path)) || CountLines(bytes) > kMaxFileLines) {
    messages.ShowError("Unable to write to " + PathToUtf8(path));
    return false;
  }
  // A fresh file, not the old one edited: whatever else the old file held
  // (another program's sections, broken lines, a byte-order mark) could mix
  // with the rows and change what Paste reads back.
  if (WriteFileAtomic(files, path, Utf8ToCp1251(ClipboardText(rows, decimal_separator)))) {
    return true;
  }
  messages.ShowError(WriteFailureText(PathToUtf8(path)));
  return false;
}

}  // namespace luch
