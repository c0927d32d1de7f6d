// Design answers for a ray: which cable, how long, how many more blocks, which
// regime. Each answer runs the calculation itself (F9 and F10, with their
// parameter replacements) on variants of the project: a variant is the
// project with some rows or lengths changed; the libraries, the parameters and
// EditU stay the project's. A variant works when F9 succeeds, finds no problem
// block and shows no warning line at all.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "library/cable_library.h"
#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

class BlockLibrary;

// The bounds of the answers.
inline constexpr int kMaxLastSegmentM = 100000;
inline constexpr int kMaxScalePercent = 10000;

// One cable type of the library laid in every row.
struct CableAnswer {
  std::string name;
  bool works = false;
  std::optional<std::string> min_voltage;  // the text F10 writes into EditU; none: "—"
  // What the status panels would show after F9, without their captions
  // ("26,6 Ом", "36,48 нФ (Много!)", "?").
  std::string resistance;
  std::string capacitance;
  std::string inductance;
  std::optional<int> scale_percent;  // the length reserve of every segment, as below
};

// Every block that has a regime of this name set to it.
struct RegimeAnswer {
  std::string name;
  bool works = false;
  std::optional<std::string> min_voltage;
};

// Each optional is empty where the answer is "—".
struct RayAnalysis {
  std::vector<CableAnswer> cables;  // the named types, in library order
  // The last row's length L (0..100000): L works, L + 1 does not.
  std::optional<int> last_segment_m;
  // p (1..10000): every length × p / 100 (truncated) works, p + 1 does not.
  std::optional<int> scale_percent;
  // n (0..4096 − N) copies of the last row appended: n works, n + 1 does not.
  std::optional<int> extra_blocks;
  std::vector<RegimeAnswer> regimes;  // in the order of first occurrence in Блок.ini
};

// What the analysis reads: copies, so that it may run beside the window.
struct AnalysisSources {
  ProjectTable table;
  ProjectParameters params;
  CableLibrary cables;
  std::filesystem::path data_dir;  // Блок.ini is read from here once, at the start
  FileSystem* files = &RealFileSystem();
  char decimal_separator = ',';
};

// Told how far the work is (done of total, coarse steps); returns false to
// stop it. Called from the thread that runs AnalyseRay.
using AnalysisProgress = std::function<bool(int done, int total)>;

// The four answers; none when `progress` stopped the work. Runs the cable
// variants on two threads.
std::optional<RayAnalysis> AnalyseRay(const AnalysisSources& sources,
                                      const AnalysisProgress& progress = {});

// ---- The variants, also the commands that apply an answer to the project.
// Every row's cable becomes `name`; R is computed again.
void SetEveryCable(ProjectTable& table, const std::string& name, const CableLibrary& cables,
                   char decimal_separator);
// Every row whose block type has a regime named `regime` is set to it, P and I
// as the regime menu sets them; other rows stay. Returns how many rows changed.
int SetRegimeEverywhere(ProjectTable& table, const std::string& regime, const BlockLibrary& blocks);
// The regime names of the block library, each once, in the order of their
// first occurrence.
std::vector<std::string> RegimeNames(const BlockLibrary& blocks);

}  // namespace luch
