#include "support/calc_fixture.h"

#include <bit>

#include "common/profile_file.h"
#include "library/block_file_format.h"

namespace luch::testing {

CalcFixture::CalcFixture(const std::vector<TestCable>& test_cables,
                         const std::vector<TestBlock>& test_blocks) {
  // Кабель.ini as the cable window writes it.
  CableLibrary written;
  for (const TestCable& c : test_cables) {
    written.Add({"", c.name, std::to_string(c.resistance), std::to_string(c.capacitance),
                 std::to_string(c.wave_impedance), ""});
  }
  if (!test_cables.empty()) written.SaveCables(dir.path());
  ProfileFile blocks_file(dir / kBlockFileName);
  for (size_t b = 0; b < test_blocks.size(); ++b) {
    const TestBlock& block = test_blocks[b];
    const std::string section = block_file::Section(static_cast<int>(b));
    blocks_file.WriteString(section, block_file::kName, block.name);
    for (size_t k = 0; k < block.regimes.size(); ++k) {
      const int r = static_cast<int>(k) + 1;
      blocks_file.WriteString(section, block_file::RegimeKey(r), block.regimes[k].name);
      blocks_file.WriteString(section, block_file::PowerKey(r), block.regimes[k].power);
      blocks_file.WriteString(section, block_file::CurrentKey(r), block.regimes[k].current);
    }
    if (!block.umin.empty()) blocks_file.WriteString(section, block_file::kUmin, block.umin);
  }
  if (!test_blocks.empty()) blocks_file.Save();
  cables.LoadCables(dir.path());
  blocks = std::make_unique<BlockLibrary>(dir.path());
  params.SetNewProjectValues();
}

void CalcFixture::SetRows(const std::vector<TestRow>& rows) {
  table.SetBlockCount(static_cast<int>(rows.size()));
  for (size_t k = 0; k < rows.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    table.SetCableName(i, rows[k].cable);
    table.SetLengthM(i, rows[k].length);
    table.SetBlockName(i, rows[k].block);
    table.SetRegimeName(i, rows[k].regime);
    table.SetHasZB(i, rows[k].zb);
  }
}

CalculationContext CalcFixture::Context() {
  return CalculationContext{table,  params, status,  report_enabled,
                            totals, cables, *blocks, fake.platform()};
}

Observed Observe(CalcFixture& f, bool outcome) {
  Observed o;
  o.outcome = outcome;
  for (int i = 0; i <= f.table.BlockCount(); ++i) o.rows.push_back(f.table.GetRow(i));
  o.panels.assign(f.status.bar1.begin(), f.status.bar1.end());
  o.panels.insert(o.panels.end(), f.status.bar2.begin(), f.status.bar2.end());
  for (const RecordedMessage& m : f.fake.messages.shown) {
    o.messages.push_back(m.text + "|" + m.caption + "|" + std::to_string(int(m.icon)));
  }
  o.edit_u = f.params.EditU;
  for (float v : {f.params.ZBResistance, f.params.AccuracyStep, f.params.MaxCurrent,
                  f.params.MaxCapacitance, f.params.MaxInductance}) {
    o.parameters.push_back(std::bit_cast<uint32_t>(v));
  }
  o.total_current = std::bit_cast<uint32_t>(f.totals.TotalCurrent);
  o.total_length = f.totals.TotalLength;
  o.report_enabled = f.report_enabled;
  o.wait_events = f.fake.wait.events;
  return o;
}

bool operator==(const Observed& a, const Observed& b) {
  return a.outcome == b.outcome && a.rows == b.rows && a.panels == b.panels &&
         a.messages == b.messages && a.edit_u == b.edit_u && a.parameters == b.parameters &&
         a.total_current == b.total_current && a.total_length == b.total_length &&
         a.report_enabled == b.report_enabled && a.wait_events == b.wait_events;
}

}  // namespace luch::testing
