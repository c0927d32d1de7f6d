#include "analysis/ray_analysis.h"

#include <algorithm>
#include <functional>
#include <thread>
#include <unordered_set>

#include "calc/calculation.h"
#include "common/headless_platform.h"
#include "library/block_library.h"
#include "library/carried_block_files.h"
#include "project/status_bars.h"

namespace luch {
namespace {

// One thread's calculations: a working copy of the project whose rows each
// variant sets before it runs, the libraries, and a platform that shows
// nothing.
class VariantRunner {
 public:
  VariantRunner(const AnalysisSources& sources, FileSystem& block_files,
                const std::atomic<bool>& stop)
      : sources_(sources),
        table_(sources.table),
        cables_(sources.cables),
        blocks_(sources.data_dir, block_files),
        headless_(sources.decimal_separator),
        stop_(stop) {}

  ProjectTable& table() { return table_; }
  const BlockLibrary& blocks() const { return blocks_; }
  bool stopped() const { return stop_.load(); }

  // F9 on the variant in table(): it works. The status panels are kept.
  bool Works() {
    if (stopped()) return false;
    ProjectParameters params = sources_.params;
    return Calculate(params, false) && status_.bar1[2] == "Проблем: 0" && !warned_;
  }
  // F10 on the variant: the voltage it writes into EditU; none on failure.
  std::optional<std::string> MinVoltage() {
    if (stopped()) return std::nullopt;
    ProjectParameters params = sources_.params;
    if (!Calculate(params, true)) return std::nullopt;
    return params.EditU;
  }
  const StatusBars& status() const { return status_; }

 private:
  bool Calculate(ProjectParameters& params, bool search) {
    status_ = StatusBars{};
    bool report_enabled = false;
    CalculationTotals totals;
    CalculationContext context{table_, params,  status_, report_enabled,
                               totals, cables_, blocks_, headless_.platform()};
    const size_t shown = headless_.messages().size();
    const bool success = search ? mFindUKMUClick(context) : BitBtnStartClick(context);
    warned_ = headless_.messages().size() != shown;
    return success;
  }

  const AnalysisSources& sources_;
  ProjectTable table_;
  CableLibrary cables_;
  BlockLibrary blocks_;
  HeadlessPlatform headless_;
  const std::atomic<bool>& stop_;
  StatusBars status_;
  bool warned_ = false;
};

// A value b of [low, high] with works(b) and (b == high or !works(b + 1)),
// found by doubling and bisection from `start`; none when the search meets
// only values that do not work down to `low`.
std::optional<int> Boundary(int start, int low, int high, const std::function<bool(int)>& works) {
  int good = 0;
  int bad = 0;
  start = std::clamp(start, low, high);
  if (works(start)) {
    good = start;
    for (;;) {
      if (good == high) return good;
      const int next = static_cast<int>(
          std::min<int64_t>(high, std::max<int64_t>(int64_t{good} * 2, int64_t{good} + 1)));
      if (!works(next)) {
        bad = next;
        break;
      }
      good = next;
    }
  } else {
    bad = start;
    for (;;) {
      if (bad == low) return std::nullopt;
      const int next = low + (bad - low) / 2;
      if (works(next)) {
        good = next;
        break;
      }
      bad = next;
    }
  }
  while (bad - good > 1) {
    const int middle = good + (bad - good) / 2;
    if (works(middle)) {
      good = middle;
    } else {
      bad = middle;
    }
  }
  return good;
}

// The text of a status panel without its caption ("Сопротивление: 26,6 Ом").
std::string PanelValue(const std::string& panel) {
  const size_t colon = panel.find(": ");
  return colon == std::string::npos ? panel : panel.substr(colon + 2);
}

// Every length of `base` scaled by p / 100, truncated, into `table`.
void ScaleLengths(ProjectTable& table, const std::vector<int32_t>& base, int percent) {
  for (int r = 1; r <= table.BlockCount(); ++r) {
    table.SetLengthM(r, int64_t{base[static_cast<size_t>(r)]} * percent / 100);
  }
}

std::vector<int32_t> Lengths(const ProjectTable& table) {
  std::vector<int32_t> lengths(static_cast<size_t>(table.BlockCount()) + 1, 0);
  for (int r = 1; r <= table.BlockCount(); ++r) lengths[static_cast<size_t>(r)] = table.LengthM(r);
  return lengths;
}

// The length reserve of every segment of the variant in the runner's table.
std::optional<int> ScaleReserve(VariantRunner& runner) {
  const std::vector<int32_t> base = Lengths(runner.table());
  const std::optional<int> percent = Boundary(100, 1, kMaxScalePercent, [&](int p) {
    ScaleLengths(runner.table(), base, p);
    return runner.Works();
  });
  ScaleLengths(runner.table(), base, 100);
  return percent;
}

CableAnswer AnswerForCable(VariantRunner& runner, const ProjectTable& base, const std::string& name,
                           char decimal_separator, const CableLibrary& cables) {
  ProjectTable& table = runner.table();
  table = base;
  SetEveryCable(table, name, cables, decimal_separator);
  CableAnswer answer;
  answer.name = name;
  answer.works = runner.Works();
  answer.resistance = PanelValue(runner.status().bar2[1]);
  answer.capacitance = PanelValue(runner.status().bar2[2]);
  answer.inductance = PanelValue(runner.status().bar2[3]);
  answer.min_voltage = runner.MinVoltage();
  answer.scale_percent = ScaleReserve(runner);
  return answer;
}

// Rows N+1..N+n as copies of row N's inputs (cable, length, block, regime, P
// and lightning protection).
void AppendCopies(ProjectTable& table, int n_rows, int copies) {
  table.SetBlockCount(n_rows + copies);
  for (int r = n_rows + 1; r <= n_rows + copies; ++r) {
    for (const int col : {kCableName, kLengthM, kBlockName, kRegimeName, kPowerMW, kHasZB}) {
      table.SetCell(r, col, table.GetCell(n_rows, col));
    }
    table.SetCell(r, kAddress, "");
  }
}

}  // namespace

std::optional<RayAnalysis> AnalyseRay(const AnalysisSources& sources,
                                      const AnalysisProgress& progress) {
  // Блок.ini as it is now, for every thread alike.
  CarriedBlockFiles block_files(sources.data_dir, {}, *sources.files);
  std::atomic<bool> stop = false;
  std::atomic<int> done = 0;
  VariantRunner runner(sources, block_files, stop);
  const std::vector<std::string> regimes = RegimeNames(runner.blocks());
  // The placeholder row of an empty library is no cable type.
  std::vector<std::string> cable_names;
  for (int i = 1; i <= sources.cables.CableCount(); ++i) {
    if (!sources.cables.CableNameAt(i).empty())
      cable_names.push_back(sources.cables.CableNameAt(i));
  }
  const int cable_count = static_cast<int>(cable_names.size());
  const int total = cable_count + 3 + static_cast<int>(regimes.size());
  const auto going_on = [&] {
    if (stop.load()) return false;
    if (progress && !progress(done.load(), total)) stop = true;
    return !stop.load();
  };
  if (!going_on()) return std::nullopt;

  // Every answer is a task of its own on a copy of the project, as the
  // answers before it leave that copy; the two threads take the next task
  // until none is left. The longest searches go first.
  RayAnalysis analysis;
  analysis.cables.resize(static_cast<size_t>(cable_count));
  analysis.regimes.resize(regimes.size());
  const int n_rows = sources.table.BlockCount();
  std::vector<std::function<void(VariantRunner&)>> tasks;
  tasks.emplace_back([&](VariantRunner& on) {
    ProjectTable& table = on.table();
    table = sources.table;
    analysis.last_segment_m = Boundary(table.LengthM(n_rows), 0, kMaxLastSegmentM, [&](int length) {
      table.SetLengthM(n_rows, length);
      return on.Works();
    });
  });
  tasks.emplace_back([&](VariantRunner& on) {
    on.table() = sources.table;
    analysis.scale_percent = ScaleReserve(on);
  });
  for (int i = 0; i < cable_count; ++i) {
    tasks.emplace_back([&, i](VariantRunner& on) {
      analysis.cables[static_cast<size_t>(i)] =
          AnswerForCable(on, sources.table, cable_names[static_cast<size_t>(i)],
                         sources.decimal_separator, sources.cables);
    });
  }
  tasks.emplace_back([&](VariantRunner& on) {
    ProjectTable& table = on.table();
    table = sources.table;
    // The lengths as the reserve search leaves them: written back as numbers.
    ScaleLengths(table, Lengths(table), 100);
    // Doubling from none: 0, 1, 2, 4, ...
    analysis.extra_blocks = Boundary(0, 0, kMaxBlockCount - n_rows, [&](int copies) {
      AppendCopies(table, n_rows, copies);
      return on.Works();
    });
  });
  for (size_t k = 0; k < regimes.size(); ++k) {
    tasks.emplace_back([&, k](VariantRunner& on) {
      ProjectTable& table = on.table();
      table = sources.table;
      SetRegimeEverywhere(table, regimes[k], on.blocks());
      RegimeAnswer& answer = analysis.regimes[k];
      answer.name = regimes[k];
      answer.works = on.Works();
      answer.min_voltage = on.MinVoltage();
    });
  }
  std::atomic<size_t> next_task = 0;
  const auto work = [&](VariantRunner& on, bool report) {
    for (size_t task = next_task++; task < tasks.size() && !stop.load(); task = next_task++) {
      tasks[task](on);
      ++done;
      if (report) going_on();
    }
  };
  std::thread helper([&] {
    VariantRunner second(sources, block_files, stop);
    work(second, false);
  });
  work(runner, true);

  while (!stop.load() && done.load() < total) {
    // The helper thread is still at its cables: report how far it is.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    going_on();
  }
  helper.join();
  if (stop.load()) return std::nullopt;
  if (progress) progress(total, total);
  return analysis;
}

void SetEveryCable(ProjectTable& table, const std::string& name, const CableLibrary& cables,
                   char decimal_separator) {
  for (int r = 1; r <= table.BlockCount(); ++r) {
    table.SetCableName(r, name);
    table.UpdateResistance(r, cables, decimal_separator);
  }
}

int SetRegimeEverywhere(ProjectTable& table, const std::string& regime,
                        const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  int changed = 0;
  for (int r = 1; r <= table.BlockCount(); ++r) {
    const std::string& name = table.GetCell(r, kBlockName);
    const int b = name.empty() ? -1 : blocks.BlockIndexByName(name);
    if (b < 0 || !blocks.HasRegime(b, regime)) continue;
    const std::string before = table.GetCell(r, kRegimeName);
    table.SetRegimeName(r, regime);
    table.SetPowerMW(r, blocks.RegimePowerByName(b, regime));
    table.SetCurrentMA(r, static_cast<float>(blocks.RegimeCurrentByName(b, regime)));
    if (before != regime) ++changed;
  }
  return changed;
}

std::vector<std::string> RegimeNames(const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (int b = 0; b < blocks.BlockCount(); ++b) {
    for (int r = 1; r <= kMaxRegimes; ++r) {
      const std::string name = blocks.RegimeNameAt(b, r);
      if (name.empty()) break;  // the name search stops at the first empty name too
      if (seen.insert(name).second) names.push_back(name);
    }
  }
  return names;
}

}  // namespace luch
