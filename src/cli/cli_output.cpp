#include "cli/cli_output.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "common/cp1251.h"
#include "common/number_text.h"

namespace luch {
namespace {

std::string Header(int col) {
  std::string header = kColumnHeaders[static_cast<size_t>(col)];
  if (!header.empty() && header.front() == ' ') header.erase(0, 1);
  return header;
}

// A 32-bit parameter as the JSON number that reads back to it: 0.05, not
// 0.0500000007.
nlohmann::ordered_json Parameter(float value) {
  if (!std::isfinite(value)) return nullptr;
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::strtod(std::string(buffer, result.ptr).c_str(), nullptr);
}

}  // namespace

std::string FormatTextReport(const CommandReport& r) {
  const ProjectTable& table = *r.table;
  const int n = table.BlockCount();
  std::vector<size_t> widths(kColumnCount, 0);
  for (int col = 0; col < kColumnCount; ++col) {
    widths[static_cast<size_t>(col)] = Utf8Length(Header(col));
    for (int row = 1; row <= n; ++row) {
      widths[static_cast<size_t>(col)] =
          std::max(widths[static_cast<size_t>(col)], Utf8Length(table.GetCell(row, col)));
    }
  }
  auto line = [&](auto cell_text) {
    std::string text;
    for (int col = 0; col < kColumnCount; ++col) {
      const std::string format = "%-" + std::to_string(widths[static_cast<size_t>(col)]) + "s";
      text += CFormat(format, {cell_text(col)});
      if (col + 1 < kColumnCount) text += "  ";
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text + "\n";
  };
  std::string out = line([&](int col) { return Header(col); });
  for (int row = 1; row <= n; ++row) {
    out += line([&](int col) { return table.GetCell(row, col); });
  }
  const StatusBars& s = *r.status;
  out += "\n";
  out += s.bar1[1] + " | " + s.bar1[2] + " | " + s.bar1[3] + " | " + s.bar1[4] + "\n";
  out += s.bar2[0] + " | " + s.bar2[1] + " | " + s.bar2[2] + " | " + s.bar2[3] + "\n";
  out += "Напряжение КМУ: " + r.params->EditU + "\n";
  for (const std::string& message : r.messages) {
    out += "\nСообщение:\n";
    std::string text = message;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    size_t start = 0;
    while (start <= text.size()) {
      const size_t end = text.find('\n', start);
      out += "  " + text.substr(start, end - start) + "\n";
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }
  return out;
}

std::string FormatJsonReport(const CommandReport& r) {
  const StatusBars& s = *r.status;
  const ProjectParameters& p = *r.params;
  nlohmann::ordered_json doc;
  doc["outcome"] = r.success ? "success" : "failure";
  doc["status"] = {{"blocks", s.bar1[1]},      {"problems", s.bar1[2]},  {"current", s.bar1[3]},
                   {"state", s.bar1[4]},       {"length", s.bar2[0]},    {"resistance", s.bar2[1]},
                   {"capacitance", s.bar2[2]}, {"inductance", s.bar2[3]}};
  doc["messages"] = r.messages;
  doc["supply_voltage"] = p.EditU;
  doc["parameters"] = {{"ZBResistance", Parameter(p.ZBResistance)},
                       {"AccuracyStep", Parameter(p.AccuracyStep)},
                       {"MaxCurrent", Parameter(p.MaxCurrent)},
                       {"MaxCapacitance", Parameter(p.MaxCapacitance)},
                       {"MaxInductance", Parameter(p.MaxInductance)}};
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (int row = 1; row <= r.table->BlockCount(); ++row) {
    const BlockRow cells = r.table->GetRow(row);
    rows.push_back(std::vector<std::string>(cells.begin(), cells.end()));
  }
  doc["rows"] = rows;
  return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

namespace {

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

template <typename T>
std::string OrDash(const std::optional<T>& value) {
  if (!value) return "—";
  if constexpr (std::is_same_v<T, std::string>) {
    return *value;
  } else {
    return std::to_string(*value);
  }
}

std::string YesNo(bool works) { return works ? "Да" : "Нет"; }

}  // namespace

std::string FormatJsonAnalysis(const RayAnalysis& a) {
  nlohmann::ordered_json doc;
  nlohmann::ordered_json cables = nlohmann::ordered_json::array();
  for (const CableAnswer& c : a.cables) {
    cables.push_back({{"name", c.name},
                      {"works", c.works},
                      {"min_voltage", OrNull(c.min_voltage)},
                      {"resistance", c.resistance},
                      {"capacitance", c.capacitance},
                      {"inductance", c.inductance},
                      {"scale_percent", OrNull(c.scale_percent)}});
  }
  doc["cables"] = cables;
  doc["last_segment_m"] = OrNull(a.last_segment_m);
  doc["scale_percent"] = OrNull(a.scale_percent);
  doc["extra_blocks"] = OrNull(a.extra_blocks);
  nlohmann::ordered_json regimes = nlohmann::ordered_json::array();
  for (const RegimeAnswer& r : a.regimes) {
    regimes.push_back(
        {{"name", r.name}, {"works", r.works}, {"min_voltage", OrNull(r.min_voltage)}});
  }
  doc["regimes"] = regimes;
  return doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string FormatTextAnalysis(const RayAnalysis& a) {
  std::string out =
      "Кабели (работает; мин. напряжение КМУ; сопротивление; емкость; "
      "индуктивность; запас длины, %):\n";
  for (const CableAnswer& c : a.cables) {
    out += "  " + c.name + ": " + YesNo(c.works) + "; " + OrDash(c.min_voltage) + "; " +
           c.resistance + "; " + c.capacitance + "; " + c.inductance + "; " +
           OrDash(c.scale_percent) + "\n";
  }
  out += "Последний участок, м: " + OrDash(a.last_segment_m) + "\n";
  out += "Все участки, %: " + OrDash(a.scale_percent) + "\n";
  out += "Еще блоков: " + OrDash(a.extra_blocks) + "\n";
  out += "Режимы (работает; мин. напряжение КМУ):\n";
  for (const RegimeAnswer& r : a.regimes) {
    out += "  " + r.name + ": " + YesNo(r.works) + "; " + OrDash(r.min_voltage) + "\n";
  }
  return out;
}

}  // namespace luch
