#include "reports/problem_list.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "calc/calculation_stages.h"
#include "calc/recent_lookup.h"
#include "calc/unknown_types.h"
#include "common/number_text.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {
namespace {

// "Строка 5: " or "Строки 2, 5-8: ".
std::string RowsPrefix(const std::vector<int>& rows) {
  return (rows.size() == 1 ? "Строка " : "Строки ") + RowListText(rows) + ": ";
}

void AddRows(std::vector<Problem>& list, const std::vector<int>& rows, const std::string& what) {
  if (!rows.empty()) list.push_back({RowsPrefix(rows) + what, rows.front()});
}

// Rows grouped by a text, the groups in the order of their first row.
class Groups {
 public:
  void Add(const std::string& key, int row) {
    auto [it, added] = rows_.try_emplace(key);
    if (added) order_.push_back(key);
    it->second.push_back(row);
  }
  template <typename Fn>
  void ForEach(Fn fn) const {
    for (const std::string& key : order_) fn(key, rows_.at(key));
  }

 private:
  std::vector<std::string> order_;
  std::unordered_map<std::string, std::vector<int>> rows_;
};

std::string Quoted(std::string_view text) { return "«" + std::string(text) + "»"; }

void AddResultProblems(const ProblemSources& s, std::vector<Problem>& list) {
  const char sep = s.decimal_separator;
  const ProjectTable& table = s.table;
  if (s.results.kind == ResultState::Kind::kNone) return;
  if (s.results.stale) {
    // What the results said no longer holds: not a word of it, but this.
    list.push_back({"Результаты расчета устарели: данные изменены, нажмите F9", 0});
    return;
  }
  if (s.results.kind == ResultState::Kind::kFailed) {
    list.push_back(
        {"Не удается выполнить расчет: луч неработоспособен или недостаточно данных", 0});
    return;
  }
  BlockLibrary::Batch batch(s.blocks);
  const size_t size = static_cast<size_t>(table.BlockCount()) + 1;
  std::vector<float> umin(size, 0.0f);
  std::vector<double> volts(size, 0.0);
  RecentLookup<float> umin_lookup;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const size_t k = static_cast<size_t>(i);
    const std::string& block = table.BlockName(i);
    umin[k] = umin_lookup.Get(
        block, {}, [&] { return CountedUmin(s.blocks, s.blocks.BlockIndexByName(block)); });
    volts[k] = table.VoltageV(i);
  }
  if (s.results.search) {
    int weakest = 1;
    for (int i = 2; i <= table.BlockCount(); ++i) {
      const auto margin = [&](int r) {
        return volts[static_cast<size_t>(r)] - umin[static_cast<size_t>(r)];
      };
      if (margin(i) < margin(weakest)) weakest = i;
    }
    const double found = s.params.SupplyVoltage();
    list.push_back({"Минимальное напряжение КМУ " + FormatPattern(found, "0.00", sep) +
                        " В; его определяет блок в строке " + std::to_string(weakest),
                    weakest});
    if (found > kHigherPresetVoltage) {
      list.push_back({"Минимальное напряжение КМУ " + FormatPattern(found, "0.00", sep) +
                          " В выше " + FormatPattern(kHigherPresetVoltage, "0", sep) + " В",
                      weakest});
    }
  }
  if (s.totals.CurrentExceeded) {
    list.push_back(
        {"Ток КМУ " +
             std::to_string(
                 static_cast<int64_t>(TruncateToInt64(s.totals.TotalCurrent * 1000.0f))) +
             " мА больше допустимого " + FormatPattern(s.params.MaxCurrent, "0.###", sep) + " мА",
         0});
  }
  if (s.totals.CapacitanceExceeded) {
    list.push_back({"Емкость кабеля " + FormatPattern(s.totals.CapacitanceUF, "0.###", sep) +
                        " мкФ больше допустимой " +
                        FormatPattern(s.params.MaxCapacitance, "0.###", sep) + " мкФ",
                    0});
  }
  if (s.totals.InductanceExceeded) {
    list.push_back({"Индуктивность кабеля " + FormatPattern(s.totals.InductanceMH, "0.###", sep) +
                        " мГн больше допустимой " +
                        FormatPattern(s.params.MaxInductance, "0.###", sep) + " мГн",
                    0});
  }
  for (int i = 1; i <= table.BlockCount(); ++i) {
    const float limit = umin[static_cast<size_t>(i)];
    const double voltage = volts[static_cast<size_t>(i)];
    if (voltage < limit) {
      list.push_back({"Строка " + std::to_string(i) + ": " + FormatPattern(voltage, "0.00", sep) +
                          " В ниже Umin " + FormatPattern(limit, "0.0##", sep) + " В",
                      i});
    }
  }
}

void AddRowProblems(const ProblemSources& s, std::vector<Problem>& list) {
  const ProjectTable& table = s.table;
  const UnknownTypeRows unknown = FindUnknownTypeRows(table, s.cables, s.blocks);
  Groups cables;
  for (int i : unknown.cable) cables.Add(table.CableName(i), i);
  cables.ForEach([&](const std::string& name, const std::vector<int>& rows) {
    AddRows(list, rows,
            name.empty() ? "кабель не задан" : "кабеля " + Quoted(name) + " нет в библиотеке");
  });
  Groups blocks;
  for (int i : unknown.block) blocks.Add(table.BlockName(i), i);
  blocks.ForEach([&](const std::string& name, const std::vector<int>& rows) {
    AddRows(list, rows,
            name.empty() ? "блок не задан" : "блока " + Quoted(name) + " нет в библиотеке");
  });
  Groups regimes;  // by block and regime: the separator cannot be typed
  for (int i : unknown.regime) regimes.Add(table.BlockName(i) + '\n' + table.RegimeName(i), i);
  regimes.ForEach([&](const std::string& key, const std::vector<int>& rows) {
    const std::string block = key.substr(0, key.find('\n'));
    const std::string regime = key.substr(key.find('\n') + 1);
    AddRows(list, rows,
            regime.empty() ? "режим блока " + Quoted(block) + " не задан"
                           : "у блока " + Quoted(block) + " нет режима " + Quoted(regime));
  });

  for (int i = 1; i <= table.BlockCount(); ++i) {
    if (table.LengthM(i) < 0) {
      list.push_back({"Строка " + std::to_string(i) + ": отрицательная длина (" +
                          std::to_string(table.LengthM(i)) + " м)",
                      i});
    }
  }

  // Repeated addresses, in the order of their first rows. Sorted rather than
  // hashed: every row has an address and hardly any repeats.
  std::vector<std::pair<std::string_view, int>> named;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    if (!table.Address(i).empty()) named.emplace_back(table.Address(i), i);
  }
  std::stable_sort(named.begin(), named.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::pair<std::string_view, std::vector<int>>> repeated;
  for (size_t k = 0; k < named.size();) {
    size_t end = k + 1;
    while (end < named.size() && named[end].first == named[k].first) ++end;
    if (end - k > 1) {
      std::vector<int> rows;
      for (size_t m = k; m < end; ++m) rows.push_back(named[m].second);
      repeated.emplace_back(named[k].first, std::move(rows));
    }
    k = end;
  }
  std::sort(repeated.begin(), repeated.end(),
            [](const auto& a, const auto& b) { return a.second.front() < b.second.front(); });
  for (const auto& [address, rows] : repeated) {
    AddRows(list, rows, "одинаковый адрес " + Quoted(address));
  }
}

}  // namespace

std::vector<Problem> CollectProblems(const ProblemSources& sources) {
  std::vector<Problem> list;
  AddResultProblems(sources, list);
  AddRowProblems(sources, list);
  return list;
}

std::string VoltageMarginText(const ProjectTable& table, const BlockLibrary& blocks, int row,
                              char decimal_separator) {
  if (table.GetCell(row, kVoltageV).empty()) return {};
  const int b = blocks.BlockIndexByName(table.BlockName(row));
  if (b == -1) return {};
  const float umin = CountedUmin(blocks, b);
  return "Запас " + FormatPattern(table.VoltageV(row) - umin, "0.00", decimal_separator) +
         " В (Umin " + FormatPattern(umin, "0.0##", decimal_separator) + " В)";
}

}  // namespace luch
