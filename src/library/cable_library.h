// The cable library: the ordered list of cable types (Кабель.ini), held in
// memory for the whole run as the texts of the cable window's grid. Every
// lookup reads this list, so an edit is seen by the next lookup at once.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace luch {

inline constexpr const char* kCableFileName = "Кабель.ini";
inline constexpr int kMaxCablesRead = 1023;

// One row of the cable grid: column 0 the row number, then the five fields.
struct CableType {
  std::string number;
  std::string name;
  std::string resistance;      // Ohm per km of one conductor, read by LeadingInteger
  std::string capacitance;     // pF per m
  std::string wave_impedance;  // Ohm
  std::string note;
};

class CableLibrary {
 public:
  // One empty row: the empty library.
  CableLibrary();

  // Positions are 1-based. At least 1 (an empty library has one row whose
  // name is empty).
  int CableCount() const { return static_cast<int>(rows_.size()); }
  // Name of row i; the empty text when i is outside 1..CableCount.
  std::string CableNameAt(int i) const;
  // LeadingInteger of row i's numeric cell; 0 outside 1..CableCount.
  int32_t CableResistanceAt(int i) const;
  int32_t CableCapacitanceAt(int i) const;
  int32_t CableWaveImpedanceAt(int i) const;
  // The first row whose name equals `name` byte for byte; 0 when none.
  int32_t CableResistanceByName(std::string_view name) const;
  int32_t CableCapacitanceByName(std::string_view name) const;
  int32_t CableWaveImpedanceByName(std::string_view name) const;

  // The first row named `name`, 1-based; 0 when none.
  int FindByName(std::string_view name) const;
  // Whether a type is named `name` (byte for byte; the empty name never is).
  bool Contains(std::string_view name) const { return !name.empty() && FindByName(name) != 0; }

  // Row i (1..CableCount) for the window; nullptr outside.
  const CableType* Row(int i) const;
  CableType* MutableRow(int i);
  std::vector<CableType>& rows() { return rows_; }
  const std::vector<CableType>& rows() const { return rows_; }

  // Appends a type, or fills the one row of the empty library (a single row
  // with an empty name); returns its position.
  int Add(const CableType& type);
  // Removes row i (1..CableCount): the rows below move up; the only row is
  // emptied instead. Rows are renumbered.
  void Delete(int i);
  void Renumber();

  // Fills the list from Кабель.ini in `data_dir`: sections Кабель1, Кабель2, ...
  // up to the first one missing or without a key, at most 1023. Returns the
  // number of sections read (0 for a missing file, and for one that could
  // not be read; the list then keeps its one empty row).
  int LoadCables(const std::filesystem::path& data_dir, FileSystem& files = RealFileSystem());
  // Кабель.ini was there at the last LoadCables but could not be read: the
  // list does not hold it, and SaveCables never replaces it.
  bool unreadable() const { return unreadable_; }
  // Rewrites Кабель.ini whole with sections Кабель1..КабельN. False, leaving
  // the file as it is, when it cannot be written, when it could not be read
  // at the last LoadCables, or when it cannot be read now.
  bool SaveCables(const std::filesystem::path& data_dir,
                  FileSystem& files = RealFileSystem()) const;

 private:
  std::vector<CableType> rows_;
  bool unreadable_ = false;
};

}  // namespace luch
