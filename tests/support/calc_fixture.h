// A ray in a temporary data folder: Кабель.ini and Блок.ini written through
// ProfileFile, the libraries loaded from them, the main window's state and the
// fake platform, wired into a CalculationContext.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "calc/calculation.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch::testing {

struct TestCable {
  std::string name;
  int resistance = 0;      // Ohm/km of one conductor
  int capacitance = 0;     // pF/m
  int wave_impedance = 0;  // Ohm
};

struct TestRegime {
  std::string name;
  std::string power;    // text of "P"+r, mW
  std::string current;  // text of "I"+r, mA
};

struct TestBlock {
  std::string name;
  std::string umin;  // text of "Umin"; empty: no key
  std::vector<TestRegime> regimes;
};

struct TestRow {
  std::string cable;
  int length = 0;
  std::string block{};
  std::string regime{};
  bool zb = false;
};

class CalcFixture {
 public:
  CalcFixture(const std::vector<TestCable>& cables, const std::vector<TestBlock>& blocks);

  // Rows 1..rows.size(); the block count follows.
  void SetRows(const std::vector<TestRow>& rows);
  CalculationContext Context();

  TempDir dir;
  CableLibrary cables;
  std::unique_ptr<BlockLibrary> blocks;
  ProjectTable table;
  ProjectParameters params;
  StatusBars status;
  bool report_enabled = false;
  CalculationTotals totals;
  FakePlatform fake;
};

// The observable state after a command, for comparing two runs.
struct Observed {
  bool outcome = false;
  std::vector<BlockRow> rows;
  std::vector<std::string> panels;
  std::vector<std::string> messages;
  std::string edit_u;
  std::vector<uint32_t> parameters;  // bits of the five reals
  uint32_t total_current = 0;        // bits
  int64_t total_length = 0;
  bool report_enabled = false;
  std::vector<std::string> wait_events;
};
Observed Observe(CalcFixture& fixture, bool outcome);
bool operator==(const Observed& a, const Observed& b);

}  // namespace luch::testing
