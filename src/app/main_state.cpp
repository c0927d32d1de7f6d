#include "app/main_state.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "app/recovery_file.h"
#include "app/saved_content.h"
#include "calc/calculation_stages.h"
#include "calc/unknown_types.h"
#include "common/file_io.h"
#include "editing/block_replacement.h"
#include "editing/cable_replacement.h"
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
    : data_dir_(std::move(data_dir)), platform_(platform), cables_(cables), blocks_(blocks) {
  // A first start computes as a new project does (lightning protection 40 Ohm
  // and the rest), not with parameters of 0 until a project is opened.
  params_.SetNewProjectValues();
}

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

std::filesystem::path MainState::ProjectPath(const std::string& utf8_path) const {
  // A name without a folder is found in the data directory (the current one).
  std::filesystem::path path = Utf8Path(utf8_path);
  if (path.is_relative()) path = data_dir_ / path;
  return path;
}

void MainState::ForgetPreviousProject() {
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

void MainState::SetBlockCount(int count) {
  table_.SetBlockCount(count);
  status_.bar1[1] = "Блоков: " + std::to_string(table_.BlockCount());
  if (current_row_ > table_.BlockCount()) current_row_ = table_.BlockCount();
  if (selection_bottom_ > table_.BlockCount()) selection_bottom_ = table_.BlockCount();
  if (selection_top_ > selection_bottom_) selection_top_ = selection_bottom_;
}

void MainState::EditVsegoChange(const std::string& text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return;
  if (value < kMinBlockCount || value > kMaxBlockCount) return;
  SetBlockCount(value);
}

void MainState::SetEditU(std::string text) {
  if (text == params_.EditU) return;
  params_.EditU = std::move(text);
  MarkChanged();
  InputsChanged();
}

void MainState::OfferCarriedTypes() {
  if (!types_offer_due_) return;
  types_offer_due_ = false;
  const CarriedTypes missing =
      MissingTypes(NamesInColumn(table_, kCableName), NamesInColumn(table_, kBlockName), cables_,
                   blocks_, carried_);
  if (missing.empty() || !add_types_) return;
  if (!platform_.messages->AskYesNo(MissingTypesQuestion(missing), project_texts::kMessageCaption,
                                    MessageIcon::kQuestion)) {
    return;
  }
  add_types_(missing);
  // The libraries changed, not the project: what the recalculation writes
  // then (P of the blocks that were unknown) is a calculation's, as after F9.
  calculation_command_ = true;
  LibraryChanged();
}

void MainState::mInfoClick() {
  luch::mInfoClick(table_, params_, {project_file_name_, totals_.TotalLength, totals_.TotalCurrent},
                   platform_, data_dir_);
}

void MainState::mTableClick() {
  luch::mTableClick(table_, params_,
                    {project_file_name_, totals_.TotalLength, totals_.TotalCurrent}, platform_,
                    data_dir_);
}

void MainState::mTextClick() {
  if (export_enabled()) ExportTable(table_, ExportFormat::kText, platform_, ProjectPathText());
}

void MainState::mMicrosoftExcelClick() {
  if (export_enabled()) ExportTable(table_, ExportFormat::kCsv, platform_, ProjectPathText());
}

void MainState::mQuantitiesClick() {
  luch::mQuantitiesClick(table_, cables_, blocks_, project_file_name_, platform_, data_dir_);
}

std::string MainState::ProjectPathText() const {
  return project_file_name_.empty() ? "" : PathToUtf8(ProjectPath(project_file_name_));
}

DesignDocument MainState::Document() const {
  const std::vector<Problem> problems = Problems();
  return BuildDesignDocument({table_, params_, status_, cables_, blocks_, problems,
                              ProjectPathText(),
                              platform_.locale->FormatDateTime(platform_.clock->Now()),
                              platform_.locale->DecimalSeparator()});
}

void MainState::mPdfClick(const PdfRenderer& render) {
  luch::mPdfClick(Document(), render, platform_, ProjectPathText());
}

CalculationContext MainState::CalcContext() {
  return CalculationContext{table_,  params_, status_, report_enabled_,
                            totals_, cables_, blocks_, platform_};
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
  calculation_command_ = true;
  CalculationContext ctx = CalcContext();
  CalculationDone(luch::BitBtnStartClick(ctx), /*search=*/false);
  return last_calculation_succeeded_;
}

bool MainState::mFindUKMUClick() {
  calculation_command_ = true;
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
  CalculationContext ctx{table_,  params_, status_, report_enabled_,
                         totals_, cables_, blocks_, silent};
  CalculationDone(luch::BitBtnStartClick(ctx), /*search=*/false);
  return last_calculation_succeeded_;
}

void MainState::InputsChanged() {
  // A replacement would change what the user typed: only F9 may do that.
  if (live_calc_ && !ParametersNeedReplacement(params_)) {
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
  if (std::optional<std::string> line = RecoveryProblem()) problems.push_back({*line, 0});
  for (Problem& problem : CollectProblems({table_, params_, cables_, blocks_, totals_, results_,
                                           platform_.locale->DecimalSeparator()})) {
    problems.push_back(std::move(problem));
  }
  for (std::string& line : DifferingTypes(cables_, blocks_, carried_)) {
    problems.push_back({std::move(line), 0});
  }
  return problems;
}

std::string MainState::ResultTooltip(int row, int col) const {
  if (results_.stale || table_.GetCell(row, col).empty()) return {};
  if (BlockLeftOut(table_, blocks_, row)) {
    const std::string& name = table_.BlockName(row);
    return (name.empty() ? std::string("Блок не задан") : "Блока «" + name + "» нет в библиотеке") +
           ": ток и напряжение блока не рассчитаны, показано напряжение линии";
  }
  if (col != kVoltageV) return {};
  return VoltageMarginText(table_, blocks_, row, platform_.locale->DecimalSeparator());
}

EditingContext MainState::EditContext() {
  return EditingContext{
      table_,    status_,   current_row_, selection_top_, selection_bottom_, paste_repeat_count_,
      data_dir_, platform_, cables_,      paste_columns_};
}

void MainState::CollapseSelection() {
  current_row_ = std::clamp(current_row_, 1, table_.BlockCount());
  selection_top_ = selection_bottom_ = current_row_;
}

void MainState::mCopyClick() {
  EditingContext ctx = EditContext();
  luch::mCopyClick(ctx);
}

void MainState::mCutClick() {
  EditingContext ctx = EditContext();
  luch::mCutClick(ctx);
  CollapseSelection();
}

void MainState::mPasteClick() {
  EditingContext ctx = EditContext();
  luch::mPasteClick(ctx);
  CollapseSelection();
}

void MainState::mPasteTableClick() {
  EditingContext ctx = EditContext();
  luch::mPasteTableClick(ctx);
  CollapseSelection();
}

void MainState::mDeleteClick() {
  EditingContext ctx = EditContext();
  luch::mDeleteClick(ctx);
  CollapseSelection();
}

void MainState::mFillSpaceClick() {
  EditingContext ctx = EditContext();
  luch::mFillSpaceClick(ctx);
}

void MainState::mMnogoClick() {
  EditingContext ctx = EditContext();
  luch::mMnogoClick(ctx);
  CollapseSelection();
}

void MainState::pmUpClick() {
  const int before = current_row_;
  EditingContext ctx = EditContext();
  // Row 1 cannot go up: nothing changes, the selection included.
  if (luch::pmUpClick(ctx) != before) CollapseSelection();
}

void MainState::pmDownClick() {
  const int before = current_row_;
  EditingContext ctx = EditContext();
  if (luch::pmDownClick(ctx) != before) CollapseSelection();
}

void MainState::mReverseClick() {
  EditingContext ctx = EditContext();
  luch::mReverseClick(ctx);
}

void MainState::pmRenameClick() {
  EditingContext ctx = EditContext();
  luch::pmRenameClick(ctx);
}

void MainState::mLengthClick() {
  EditingContext ctx = EditContext();
  luch::mLengthClick(ctx);
}

void MainState::mBlkNormaClick() { SetNormalRegimes(table_, blocks_); }

void MainState::NoteReplacement(std::optional<int> changed) {
  if (changed) command_note_ = "Заменено строк: " + std::to_string(*changed);
}

void MainState::mChangeCblClick() {
  if (command_dialogs_) {
    NoteReplacement(
        ApplyCableReplacement(table_, command_dialogs_->ChooseCableReplacement(cables_)));
  }
}

void MainState::mBlkChngClick() {
  if (command_dialogs_) {
    NoteReplacement(
        ApplyBlockReplacement(table_, command_dialogs_->ChooseBlockReplacement(blocks_)));
  }
}

void MainState::mProjectClick() {
  if (command_dialogs_) command_dialogs_->EditProjectParameters(params_);
}

AnalysisSources MainState::AnalysisInput() const {
  return AnalysisSources{table_,    params_,         cables_,
                         data_dir_, platform_.files, platform_.locale->DecimalSeparator()};
}

void MainState::ApplyCableEverywhere(const std::string& name) {
  SetEveryCable(table_, name, cables_, platform_.locale->DecimalSeparator());
}

void MainState::SetAllBlocksToRegime(const std::string& regime) {
  NoteReplacement(SetRegimeEverywhere(table_, regime, blocks_));
}

void MainState::RenameBlockType(const std::string& old_name, const std::string& new_name) {
  if (table_.ReplaceInAllRows(kBlockName, old_name, new_name) > 0) {
    MarkChanged();
    InputsChanged();
  }
  // Every step that changes is a state of its own, unlike the saved one.
  history_.ForEachStep([&](ProjectSnapshot& step) {
    if (step.table.ReplaceInAllRows(kBlockName, old_name, new_name) > 0) {
      step.revision = ++last_revision_;
    }
  });
}

void MainState::SetCursor(int current_row, int selection_top, int selection_bottom) {
  current_row_ = current_row;
  selection_top_ = selection_top;
  selection_bottom_ = selection_bottom;
}

void MainState::BeginCommand() {
  calculation_command_ = false;
  command_note_.clear();
  history_.Begin(Snapshot());
}

void MainState::EndCommand() {
  if (!history_.IsOpen()) return;  // New or Open replaced the project
  const ProjectSnapshot& before = history_.Pending();
  if (!SameSavedContent(before.table, before.params, table_, params_, !calculation_command_)) {
    MarkChanged();
  }
  const bool inputs_changed =
      !calculation_command_ &&
      !SameSavedContent(before.table, before.params, table_, params_, /*with_power=*/true);
  history_.End(Snapshot());
  if (inputs_changed) InputsChanged();
  if (command_note_.empty()) return;
  // Stale results keep their call for F9 beside the note.
  status_.bar1[4] = results_.stale ? command_note_ + ". " + kStale : command_note_;
  command_note_.clear();
}

void MainState::Restore(ProjectSnapshot snapshot) {
  table_ = std::move(snapshot.table);
  params_ = std::move(snapshot.params);
  revision_ = snapshot.revision;
  SetBlockCount(table_.BlockCount());
}

void MainState::Undo() {
  ProjectSnapshot current = Snapshot();
  if (!history_.Undo(current)) return;
  Restore(std::move(current));
  InputsChanged();
}

void MainState::Redo() {
  ProjectSnapshot current = Snapshot();
  if (!history_.Redo(current)) return;
  Restore(std::move(current));
  InputsChanged();
}

CellEditContext MainState::CellContext(std::string typed) {
  return CellEditContext{table_, cables_, blocks_, platform_, clicked_, std::move(typed)};
}

ChoiceMenu MainState::StringGrid1DblClick() {
  CellEditContext ctx = CellContext();
  return luch::StringGrid1DblClick(ctx);
}

ChoiceMenu MainState::StringGrid1Typed(std::string typed) {
  if (typed.empty()) return {};
  CellEditContext ctx = CellContext(std::move(typed));
  return luch::StringGrid1DblClick(ctx);
}

void MainState::ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item) {
  CellEditContext ctx = CellContext();
  switch (kind) {
    case ChoiceMenuKind::kCable:
      CableMenuClick(ctx, item);
      break;
    case ChoiceMenuKind::kBlock:
      BlockMenuClick(ctx, item);
      break;
    case ChoiceMenuKind::kRegime:
      RegimeMenuClick(ctx, item);
      break;
    case ChoiceMenuKind::kNone:
      break;
  }
}

}  // namespace luch
