#include "app/main_state.h"

#include <utility>
#include <vector>

#include "calc/calculation_stages.h"
#include "calc/unknown_types.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "library/carried_library.h"
#include "project/project_file.h"
#include "reports/report_commands.h"

namespace luch {
namespace {

constexpr const char* kStale = "Данные изменены, нажмите F9";

ResultState::Kind Outcome(bool success) {
  return success ? ResultState::Kind::kSucceeded : ResultState::Kind::kFailed;
}

// The platform of the silent calculation: nothing is shown.
class UnshownMessages : public MessageBoxes {
 public:
  void Show(std::string_view, std::string_view, MessageIcon) override {}
  bool AskYesNo(std::string_view, std::string_view, MessageIcon) override { return false; }
  Answer AskYesNoCancel(std::string_view, std::string_view, MessageIcon) override {
    return Answer::kCancel;
  }
  int AskChoice(std::string_view, std::string_view, MessageIcon,
                const std::vector<std::string>& buttons) override {
    return static_cast<int>(buttons.size()) - 1;
  }
  void ShowError(std::string_view) override {}
};

class NoWaitWindow : public WaitWindow {
 public:
  void Show() override {}
  void Repaint() override {}
  void Close() override {}
};

}  // namespace

MainState::MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
                     BlockLibrary& blocks)
    : data_dir_(std::move(data_dir)),
      platform_(platform),
      cables_(cables),
      blocks_(blocks),
      document_(data_dir_, platform_, cables_, blocks_, status_, *this),
      commands_(document_, status_, data_dir_, platform_, cables_, blocks_) {}

MainSettings MainState::FormCreate(const MainSettings& current) {
  MainSettings values =
      ReadMainSettings(OpenSettingsFile(data_dir_, *platform_.files), current, *platform_.screen);
  // Not the project's name until it is loaded: the caption would name a
  // project that the table does not hold.
  remembered_file_name_ = values.file_name;
  live_calc_ = values.live_calc;
  return values;
}

std::vector<std::string> MainState::MissingLibraries() const {
  std::vector<std::string> lines;
  const std::pair<const char*, const char*> libraries[] = {
      {kCableFileName, "Библиотека кабелей не найдена: "},
      {kBlockFileName, "Библиотека блоков не найдена: "}};
  for (const auto& [file, text] : libraries) {
    const std::filesystem::path path = data_dir_ / Utf8Path(file);
    if (!platform_.files->Exists(path)) lines.push_back(text + PathToUtf8(path));
  }
  return lines;
}

void MainState::ReportMissingLibraries() {
  std::string text;
  for (const std::string& line : MissingLibraries()) text += (text.empty() ? "" : "\n") + line;
  if (!text.empty()) {
    platform_.messages->Show(text, project_texts::kMessageCaption, MessageIcon::kWarning);
  }
}

void MainState::ProjectReplaced() {
  commands_.ForgetHistory();
  SetBlockCount(table().BlockCount());
  ForgetPreviousProject();
}

void MainState::ForgetPreviousProject() {
  ProjectTable& table_ = document_.mutable_table();
  table_.DropHiddenRows();
  const char separator = platform_.locale->DecimalSeparator();
  for (int r = 1; r <= table_.BlockCount(); ++r) {
    table_.SetCell(r, kCurrentMA, "");
    table_.SetCell(r, kVoltageV, "");
    table_.UpdateResistance(r, cables_, separator);
  }
  status_.ClearCalculation();
  // The report and the voltage table would describe the former project's
  // result under the new name: they wait for the next calculation.
  report_enabled_ = false;
  last_calculation_succeeded_ = false;
  totals_ = CalculationTotals{};
  results_ = ResultState{};
}

void MainState::SetEditU(std::string text) {
  if (commands_.SetEditU(std::move(text))) InputsChanged();
}

void MainState::OfferCarriedTypes() {
  if (!types_offer_due_) return;
  types_offer_due_ = false;
  const CarriedTypes missing =
      MissingTypes(NamesInColumn(table(), kCableName), NamesInColumn(table(), kBlockName), cables_,
                   blocks_, carried());
  if (missing.empty() || !add_types_) return;
  if (!platform_.messages->AskYesNo(MissingTypesQuestion(missing), project_texts::kMessageCaption,
                                    MessageIcon::kQuestion)) {
    return;
  }
  add_types_(missing);
  // The libraries changed, not the project: what the recalculation writes
  // then (P of the blocks that were unknown) is a calculation's, as after F9.
  commands_.CountAsCalculation();
  LibraryChanged();
}

void MainState::mInfoClick() {
  luch::mInfoClick(table(), params(),
                   {ProjectFileName(), totals_.TotalLength, totals_.TotalCurrent}, platform_,
                   data_dir_);
}

void MainState::mTableClick() {
  luch::mTableClick(table(), params(),
                    {ProjectFileName(), totals_.TotalLength, totals_.TotalCurrent}, platform_,
                    data_dir_);
}

void MainState::mTextClick() {
  if (export_enabled()) ExportTable(table(), ExportFormat::kText, platform_, ProjectPathText());
}

void MainState::mMicrosoftExcelClick() {
  if (export_enabled()) ExportTable(table(), ExportFormat::kCsv, platform_, ProjectPathText());
}

void MainState::mQuantitiesClick() {
  luch::mQuantitiesClick(table(), cables_, blocks_, ProjectFileName(), platform_, data_dir_);
}

DesignDocument MainState::Document() const {
  const std::vector<Problem> problems = Problems();
  return BuildDesignDocument({table(), params(), status_, cables_, blocks_, problems,
                              ProjectPathText(),
                              platform_.locale->FormatDateTime(platform_.clock->Now()),
                              platform_.locale->DecimalSeparator()});
}

void MainState::mPdfClick(const PdfRenderer& render) {
  luch::mPdfClick(Document(), render, platform_, ProjectPathText());
}

CalculationContext MainState::CalcContext() {
  return CalculationContext{document_.mutable_table(),
                            document_.mutable_params(),
                            status_,
                            report_enabled_,
                            totals_,
                            cables_,
                            blocks_,
                            platform_};
}

void MainState::CalculationDone(bool success, bool search) {
  last_calculation_succeeded_ = success;
  results_ = {Outcome(success), search, /*stale=*/false};
  if (!success) return;
  // Without a library file the result is not the ray's: not called a success.
  const bool no_cables = !platform_.files->Exists(data_dir_ / Utf8Path(kCableFileName));
  const bool no_blocks = !platform_.files->Exists(data_dir_ / Utf8Path(kBlockFileName));
  if (no_cables || no_blocks) {
    status_.bar1[4] = std::string("Расчет выполнен без ") +
                      (no_cables && no_blocks ? "библиотек кабелей и блоков"
                       : no_cables            ? "библиотеки кабелей"
                                              : "библиотеки блоков") +
                      ": см. Проверка";
  }
}

bool MainState::BitBtnStartClick() {
  commands_.CountAsCalculation();
  CalculationContext ctx = CalcContext();
  CalculationDone(luch::BitBtnStartClick(ctx), /*search=*/false);
  return last_calculation_succeeded_;
}

bool MainState::mFindUKMUClick() {
  commands_.CountAsCalculation();
  CalculationContext ctx = CalcContext();
  CalculationDone(luch::mFindUKMUClick(ctx), /*search=*/true);
  return last_calculation_succeeded_;
}

bool MainState::SilentCalculation() {
  static UnshownMessages unshown;
  static NoWaitWindow no_wait;
  Platform silent = platform_;
  silent.messages = &unshown;
  silent.wait = &no_wait;
  CalculationContext ctx = CalcContext();
  ctx.platform = silent;
  CalculationDone(luch::BitBtnStartClick(ctx), /*search=*/false);
  return last_calculation_succeeded_;
}

void MainState::InputsChanged() {
  // A replacement would change what the user typed: only F9 may do that.
  if (live_calc_ && !ParametersNeedReplacement(params())) {
    SilentCalculation();
    return;
  }
  if (results_.kind == ResultState::Kind::kNone) return;
  results_.stale = true;
  status_.bar1[4] = kStale;
}

void MainState::SetLiveCalc(bool on) {
  live_calc_ = on;
  if (on && results_.stale) InputsChanged();
}

std::vector<Problem> MainState::Problems() const {
  std::vector<Problem> problems;
  for (std::string& line : MissingLibraries()) problems.push_back({std::move(line), 0});
  for (const char* library : {kCableFileName, kBlockFileName}) {
    const std::filesystem::path path = data_dir_ / Utf8Path(library);
    if (IsOtherThanFile(*platform_.files, path)) {
      problems.push_back({NotAFileText(PathToUtf8(path)) + ".", 0});
    }
  }
  if (std::optional<std::string> line = document_.RecoveryProblem()) {
    problems.push_back({*line, 0});
  }
  for (Problem& problem : CollectProblems({table(), params(), cables_, blocks_, totals_, results_,
                                           platform_.locale->DecimalSeparator()})) {
    problems.push_back(std::move(problem));
  }
  for (std::string& line : DifferingTypes(cables_, blocks_, carried())) {
    problems.push_back({std::move(line), 0});
  }
  return problems;
}

std::string MainState::ResultTooltip(int row, int col) const {
  if (results_.stale || table().GetCell(row, col).empty()) return {};
  if (BlockLeftOut(table(), blocks_, row)) {
    const std::string& name = table().BlockName(row);
    return (name.empty() ? std::string("Блок не задан") : "Блока «" + name + "» нет в библиотеке") +
           ": ток и напряжение блока не рассчитаны, показано напряжение линии";
  }
  if (col != kVoltageV) return {};
  return VoltageMarginText(table(), blocks_, row, platform_.locale->DecimalSeparator());
}

AnalysisSources MainState::AnalysisInput() const {
  return AnalysisSources{table(),   params(),        cables_,
                         data_dir_, platform_.files, platform_.locale->DecimalSeparator()};
}

void MainState::RenameBlockType(const std::string& old_name, const std::string& new_name) {
  if (commands_.RenameBlockType(old_name, new_name)) InputsChanged();
}

void MainState::BeginCommand() { commands_.Begin(); }

void MainState::EndCommand() {
  const std::optional<ProjectCommands::Ended> ended = commands_.End();
  if (!ended) return;  // New or Open replaced the project
  if (ended->inputs_changed) InputsChanged();
  if (ended->note.empty()) return;
  // Stale results keep their call for F9 beside the note.
  status_.bar1[4] = results_.stale ? ended->note + ". " + kStale : ended->note;
}

void MainState::Undo() {
  if (commands_.Undo()) InputsChanged();
}

void MainState::Redo() {
  if (commands_.Redo()) InputsChanged();
}

void MainState::StartUp() {
  platform_.files->RemoveLeftTemporaries(data_dir_);
  const bool restored = OfferRecovery();
  if (!named_project_.empty()) {
    // A restored project is offered for saving before the named one comes.
    if (ConfirmDiscard()) OpenNamedProject();
  } else if (!restored) {
    DeferredStartUp();
  }
  remembered_file_name_.clear();
  // Whatever the start showed has its results at once (or its stale mark).
  if (results_.kind == ResultState::Kind::kNone) InputsChanged();
  // The start is where undo begins; what its calculation wrote (P) is no
  // change of the project.
  commands_.ForgetHistory();
}

void MainState::DeferredStartUp() {
  // A project that vanished starts an unnamed one silently; one that is there
  // but cannot be read does the same after its error box.
  const std::string remembered = std::exchange(remembered_file_name_, {});
  if (!remembered.empty() && platform_.files->Exists(document_.ProjectPath(remembered)) &&
      LoadProject(remembered)) {
    return;
  }
  document_.Unname();
}

void MainState::OpenNamedProject() {
  if (LoadProject(named_project_)) {
    types_offer_due_ = true;
    return;
  }
  if (modified()) return;  // a restored project stays as it is
  document_.Unname();
}

void MainState::FormClose(MainSettings values) {
  // The recovery file goes: the program ends cleanly.
  document_.Close();
  // Closed before the deferred step: the last project is still the last one.
  values.file_name = remembered_file_name_.empty() ? ProjectFileName() : remembered_file_name_;
  values.live_calc = live_calc_;
  ProfileFile settings = OpenSettingsFile(data_dir_, *platform_.files);
  WriteMainSettings(settings, values);
  SaveOrReport(settings, *platform_.messages);
}

void MainState::mOpenClick() {
  if (document_.Open()) types_offer_due_ = true;
}

bool MainState::OpenDroppedProject(const std::string& utf8_path) {
  if (!ConfirmDiscard() || !LoadProject(utf8_path)) return false;
  types_offer_due_ = true;
  return true;
}

}  // namespace luch
