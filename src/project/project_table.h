// The project table: rows 1..BlockCount of 11 text columns, one row per block,
// counted from the controller outwards. Every value is held as the text shown
// in its cell; the typed accessors convert on every read and write.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace luch {

class CableLibrary;

enum Column : int {
  kNumber = 0,
  kAddress = 1,
  kCableName = 2,
  kLengthM = 3,
  kResistanceOhm = 4,
  kBlockName = 5,
  kRegimeName = 6,
  kPowerMW = 7,
  kHasZB = 8,
  kCurrentMA = 9,
  kVoltageV = 10,
};
inline constexpr int kColumnCount = 11;
inline constexpr int kMinBlockCount = 1;
inline constexpr int kMaxBlockCount = 4096;

// Header texts of row 0, each with one leading blank.
extern const std::array<const char*, kColumnCount> kColumnHeaders;
// What each column holds, for the tooltips of the headers.
extern const std::array<const char*, kColumnCount> kColumnToolTips;

// The cell texts of one row, columns 0..10.
using BlockRow = std::array<std::string, kColumnCount>;

class ProjectTable {
 public:
  // 5 empty rows, as at program start.
  ProjectTable();

  int BlockCount() const { return block_count_; }
  // Shows rows 1..count (clamped to 1..4096) and writes each row's index into
  // column 0. Rows above the count are hidden, not erased: raising the count
  // again shows them with their former texts.
  void SetBlockCount(int count);
  // Erases the hidden rows, so that raising the count shows empty rows: a new
  // or opened project never shows the rows of the one before.
  void DropHiddenRows() { rows_.resize(static_cast<size_t>(block_count_) + 1); }

  // The text of a cell; the empty text for row 0, rows after BlockCount and
  // columns outside 0..10.
  const std::string& GetCell(int row, int col) const;
  // Writes a cell; does nothing for row 0, rows after BlockCount and columns
  // outside 0..10.
  void SetCell(int row, int col, std::string_view text);

  // Writes `to` into every cell of column `col` that holds `from`, in the
  // hidden rows too; returns how many cells changed.
  int ReplaceInAllRows(int col, std::string_view from, std::string_view to);

  // A whole row's texts (empty texts outside 1..BlockCount).
  BlockRow GetRow(int row) const;

  // Typed accessors. Reads follow LeadingInteger / LeadingReal; writes store
  // decimal text, "ДА" or "", and "%2.2f" for current and voltage.
  const std::string& Address(int row) const { return GetCell(row, kAddress); }
  void SetAddress(int row, std::string_view v) { SetCell(row, kAddress, v); }
  const std::string& CableName(int row) const { return GetCell(row, kCableName); }
  void SetCableName(int row, std::string_view v) { SetCell(row, kCableName, v); }
  int32_t LengthM(int row) const;
  void SetLengthM(int row, int64_t meters);
  const std::string& BlockName(int row) const { return GetCell(row, kBlockName); }
  void SetBlockName(int row, std::string_view v) { SetCell(row, kBlockName, v); }
  const std::string& RegimeName(int row) const { return GetCell(row, kRegimeName); }
  void SetRegimeName(int row, std::string_view v) { SetCell(row, kRegimeName, v); }
  int32_t PowerMW(int row) const;
  void SetPowerMW(int row, int64_t milliwatts);
  // True exactly when the cell text is not empty.
  bool HasZB(int row) const { return !GetCell(row, kHasZB).empty(); }
  void SetHasZB(int row, bool set);
  double CurrentMA(int row) const;
  void SetCurrentMA(int row, float milliamps);
  double VoltageV(int row) const;
  void SetVoltageV(int row, float volts);

  // Equal when every cell, hidden rows included, and the count are equal.
  bool operator==(const ProjectTable& other) const;
  // True when row `row` of both tables is the same kept row (a copy of the
  // table that neither changed since): their cells are equal.
  bool SharesRow(const ProjectTable& other, int row) const;

  // Recomputes ResistanceOhm of one row: the cable's Ohm/km times the length,
  // formed in full, times 0.002, as a 32-bit real in the pattern "#.##" (the
  // value 0 gives the empty text).
  void UpdateResistance(int row, const CableLibrary& cables, char decimal_separator);
  // The same with the cable's Ohm/km already looked up.
  void UpdateResistance(int row, int32_t ohm_per_km, char decimal_separator);

 private:
  bool Visible(int row) const { return row >= 1 && row <= block_count_; }

  // Row `row` to be written: its own, no longer shared with a copy.
  BlockRow& WritableRow(size_t row);

  int block_count_ = 0;
  // Index = row number; grows, never shrinks. A copy of the table shares its
  // rows with the original until either writes one (undo steps, the copies
  // the analysis and the recovery file work on): a copy costs a pointer per
  // row, and a comparison skips the rows still shared. Null: an empty row.
  std::vector<std::shared_ptr<BlockRow>> rows_;
};

// The distinct non-empty texts of column `col` in rows 1..BlockCount, in the
// order of their first row (the cable or block types a project uses).
std::vector<std::string> NamesInColumn(const ProjectTable& table, int col);

// "ДА": the text a set lightning-protection flag stores.
inline constexpr const char* kFlagSet = "ДА";

// ResistanceOhm text for a cable of `ohm_per_km` and a segment of `length_m`.
std::string SegmentResistanceText(int32_t ohm_per_km, int32_t length_m, char decimal_separator);

}  // namespace luch
