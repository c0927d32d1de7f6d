#include "calc/calc_fixture.h"

#include <bit>

#include "common/profile_file.h"

namespace luch::testing {

CalcFixture::CalcFixture(const std::vector<CableSpec>& cable_specs,
                         const std::vector<BlockSpec>& block_specs) {
  ProfileFile cable_file(dir / kCableFileName);
  for (size_t k = 0; k < cable_specs.size(); ++k) {
    const CableSpec& c = cable_specs[k];
    const std::string section = "Кабель" + std::to_string(k + 1);
    cable_file.WriteString(section, "Название", c.name);
    cable_file.WriteInteger(section, "Сопротивление", c.resistance);
    cable_file.WriteInteger(section, "Емкость", c.capacitance);
    cable_file.WriteInteger(section, "Волновое", c.wave_impedance);
  }
  if (!cable_specs.empty()) cable_file.Save();
  ProfileFile block_file(dir / kBlockFileName);
  for (size_t b = 0; b < block_specs.size(); ++b) {
    const BlockSpec& spec = block_specs[b];
    const std::string section = "Блок" + std::to_string(b);
    block_file.WriteString(section, "Название", spec.name);
    for (size_t r = 0; r < spec.regimes.size(); ++r) {
      const std::string n = std::to_string(r + 1);
      block_file.WriteString(section, "Режим" + n, spec.regimes[r].name);
      block_file.WriteString(section, "P" + n, spec.regimes[r].power);
      block_file.WriteString(section, "I" + n, spec.regimes[r].current);
    }
    if (!spec.umin.empty()) block_file.WriteString(section, "Umin", spec.umin);
  }
  if (!block_specs.empty()) block_file.Save();
  cables.LoadCables(dir.path());
  blocks = std::make_unique<BlockLibrary>(dir.path());
  params.SetNewProjectValues();
}

void CalcFixture::SetRows(const std::vector<RowSpec>& rows) {
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
