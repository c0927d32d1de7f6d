// The window "Анализ луча" without its widgets: the texts of its tables and
// lines, whether its answers still belong to the project, and its place.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/ray_analysis.h"
#include "common/platform.h"
#include "common/settings_file.h"

namespace luch {

namespace analysis_texts {
inline constexpr const char* kCaption = "Анализ луча";
inline constexpr const char* kCablesTitle = "Какой кабель проложить";
inline constexpr const char* kReserveTitle = "Запас по длине и по числу блоков";
inline constexpr const char* kRegimesTitle = "Режимы блоков";
inline constexpr const char* kApplyCable = "Применить";
inline constexpr const char* kApplyCableTip = "Проложить выбранный кабель во всех строках";
inline constexpr const char* kApplyRegime = "Все блоки в режим...";
inline constexpr const char* kApplyRegimeTip =
    "Перевести в выбранный режим все блоки, у типа которых он есть";
inline constexpr const char* kComputing = "Считается...";
inline constexpr const char* kUpToDate = "Ответы соответствуют проекту.";
inline constexpr const char* kYes = "Да";
inline constexpr const char* kNo = "Нет";
inline constexpr const char* kNone = "—";
// After a minimum voltage above the higher preset.
inline constexpr const char* kAbovePreset = " (выше 28 В)";
inline constexpr const char* kLastSegment = "Последний участок: ";
inline constexpr const char* kLastSegmentTip =
    "Наибольшая длина последнего участка, при которой луч работает";
inline constexpr const char* kScale = "Все участки: ";
inline constexpr const char* kScaleTip =
    "Длина всех участков в процентах от проектной, при которой луч еще работает";
inline constexpr const char* kShorten = " (луч нужно укоротить)";
inline constexpr const char* kExtraBlocks = "Еще блоков: ";
inline constexpr const char* kExtraBlocksTip =
    "Сколько копий последней строки можно добавить в конец луча";
}  // namespace analysis_texts

inline constexpr const char* kAnalysisSection = "Analysis";

// The columns of the two tables.
enum AnalysisCableColumn {
  kCableNameColumn,
  kCableWorksColumn,
  kCableVoltageColumn,
  kCableResistanceColumn,
  kCableCapacitanceColumn,
  kCableInductanceColumn,
  kCableScaleColumn,
  kCableColumnCount
};
enum AnalysisRegimeColumn {
  kRegimeNameColumn,
  kRegimeWorksColumn,
  kRegimeVoltageColumn,
  kRegimeColumnCount
};
inline constexpr const char* kCableHeaders[kCableColumnCount] = {
    "Кабель",  "Работает",      "Мин. напряжение КМУ", "Сопротивление",
    "Емкость", "Индуктивность", "Запас длины, %"};
inline constexpr const char* kRegimeHeaders[kRegimeColumnCount] = {"Режим", "Работает",
                                                                   "Мин. напряжение КМУ"};

// Whether the analysis of `a` and of `b` gives the same answers: the same
// rows (every cell but the computed current and voltage), parameters, cable
// types and data folder. Блок.ini is not compared: see LibraryChanged.
bool SameAnalysisInput(const AnalysisSources& a, const AnalysisSources& b);

class AnalysisWindow {
 public:
  // The design place: 900 × 640 at left 200, top 100.
  static constexpr WindowGeometry kDesign{.top = 100, .left = 200, .height = 640, .width = 900};

  AnalysisWindow(std::filesystem::path data_dir, Platform platform);

  // Reads the place from section "Analysis" (design values as defaults,
  // pulled back onto the screen).
  WindowGeometry FormCreate();
  // Stores the place in section "Analysis"; a failed write is reported.
  void FormClose(const WindowGeometry& geometry);

  // --- what the window shows ---------------------------------------------
  // The last answers; empty tables and "—" before the first.
  const RayAnalysis& answers() const { return answers_; }
  // True until the answers for the latest input arrive: the shown ones are
  // of an earlier project (or there are none yet).
  bool stale() const { return !fresh_; }
  // How far the running work is, 0..100.
  int percent() const { return percent_; }
  // Row (0-based) and column of the cable table; "" outside it.
  std::string CableCell(int row, int col) const;
  std::string RegimeCell(int row, int col) const;
  // "Последний участок: до 240 м" or "Последний участок: —".
  std::string LastSegmentLine() const;
  // "Все участки: до 135 %"; below 100 % "Все участки: до 80 % (луч нужно
  // укоротить)"; or "Все участки: —".
  std::string ScaleLine() const;
  // "Еще блоков: 12" or "Еще блоков: —".
  std::string ExtraBlocksLine() const;

  // --- what the window tells ---------------------------------------------
  // The input as it is now. True when the work must start again: it differs
  // from the input of the latest answers or work, or something since asked
  // for a new start. Remembers `now` as the latest input (see input()).
  bool NeedsWork(const AnalysisSources& now);
  // The latest input that NeedsWork was told (valid after the first call).
  const AnalysisSources& input() const { return *input_; }
  // Блок.ini changed, or the work for the latest input stopped before its
  // answers came: the next NeedsWork says true whatever the input.
  void Invalidate() { invalidated_ = true; }
  // The running work reports `done` of `total` steps.
  void Progress(int done, int total);
  // The answers for the latest input: shown, no longer stale.
  void Finished(RayAnalysis answers);

 private:
  std::filesystem::path data_dir_;
  Platform platform_;
  RayAnalysis answers_;
  std::optional<AnalysisSources> input_;
  bool fresh_ = false;
  bool invalidated_ = false;
  int percent_ = 0;
};

}  // namespace luch
