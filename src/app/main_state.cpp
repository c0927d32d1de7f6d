#include "app/main_state.h"

#include <algorithm>
#include <charconv>

#include "common/file_io.h"
#include "editing/block_replacement.h"
#include "editing/cable_replacement.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"
#include "reports/report_commands.h"

namespace luch {

MainState::MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
                     BlockLibrary& blocks)
    : data_dir_(std::move(data_dir)), platform_(platform), cables_(cables), blocks_(blocks) {}

MainSettings MainState::FormCreate(const MainSettings& current) {
  MainSettings values =
      ReadMainSettings(OpenSettingsFile(data_dir_, *platform_.files), current, *platform_.screen);
  project_file_name_ = values.file_name;
  return values;
}

void MainState::DeferredStartUp() {
  // A project that vanished starts an unnamed one silently; one that is there
  // but cannot be read does the same after its error box.
  if (!project_file_name_.empty() &&
      FileExists(ProjectPath(project_file_name_), *platform_.files) &&
      LoadProject(project_file_name_)) {
    return;
  }
  project_file_name_.clear();
  status_.bar1[0] = "Проект: ";
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
}

void MainState::OpenNamedProject() {
  if (LoadProject(named_project_)) return;
  project_file_name_.clear();
  status_.bar1[0] = "Проект: ";
}

void MainState::FormClose(MainSettings values) {
  values.file_name = project_file_name_;
  ProfileFile settings = OpenSettingsFile(data_dir_, *platform_.files);
  WriteMainSettings(settings, values);
  SaveOrReport(settings, *platform_.messages);
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

namespace {
FileDialogRequest ProjectDialog(const char* title) {
  return FileDialogRequest{title, kProjectFilter, kProjectExtension, ""};
}
}  // namespace

void MainState::mOpenClick() {
  const auto chosen = platform_.dialogs->OpenFile(ProjectDialog("Выберите проект  для загрузки"));
  if (chosen) LoadProject(*chosen);
}

void MainState::mSaveClick() {
  if (project_file_name_.empty()) {
    mSaveAsClick();
    return;
  }
  SaveProject(project_file_name_);
}

void MainState::mSaveAsClick() {
  const auto chosen =
      platform_.dialogs->SaveFile(ProjectDialog("Задайте имя файла для сохранения проекта"));
  if (chosen) SaveProject(*chosen);
}

void MainState::mNewClick() {
  history_.Clear();
  SetBlockCount(1);
  project_file_name_.clear();
  status_.bar1[0] = "Новый проект";
  for (int col = kAddress; col < kColumnCount; ++col) table_.SetCell(1, col, "");
  table_.SetCell(1, kNumber, "1");
  params_.SetNewProjectValues();
  ForgetPreviousProject();
}

bool MainState::LoadProject(const std::string& utf8_path) {
  const ProjectLoadResult loaded =
      LoadProjectFile(ProjectPath(utf8_path), table_, params_, *platform_.files);
  switch (loaded.outcome) {
    case ProjectLoad::kLoaded:
      break;
    case ProjectLoad::kMissing:  // vanished: nothing changes, silently
      return false;
    case ProjectLoad::kUnreadable:  // too large, no access
      platform_.messages->ShowError("Cannot open file " + utf8_path);
      return false;
    case ProjectLoad::kNotAProject:
      platform_.messages->Show(project_texts::NotAProject(utf8_path),
                               project_texts::kMessageCaption, MessageIcon::kWarning);
      return false;
  }
  history_.Clear();
  SetBlockCount(table_.BlockCount());
  ForgetPreviousProject();
  project_file_name_ = utf8_path;
  status_.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  if (loaded.cut()) {
    platform_.messages->Show(project_texts::FirstBlocksOnly(loaded.stored_count),
                             project_texts::kMessageCaption, MessageIcon::kInformation);
  }
  return true;
}

bool MainState::SaveProject(const std::string& utf8_path) {
  const std::filesystem::path path = ProjectPath(utf8_path);
  if (!SaveProjectFile(path, table_, params_, platform_.locale->DecimalSeparator(),
                       *platform_.files)) {
    platform_.messages->ShowError("Unable to write to " + utf8_path);
    return false;
  }
  project_file_name_ = utf8_path;
  status_.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  return true;
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

void MainState::mTextClick() { ExportTable(table_, ExportFormat::kText, platform_, data_dir_); }

void MainState::mMicrosoftExcelClick() {
  ExportTable(table_, ExportFormat::kCsv, platform_, data_dir_);
}

CalculationContext MainState::CalcContext() {
  return CalculationContext{table_,  params_, status_, report_enabled_,
                            totals_, cables_, blocks_, platform_};
}

bool MainState::BitBtnStartClick() {
  CalculationContext ctx = CalcContext();
  last_calculation_succeeded_ = luch::BitBtnStartClick(ctx);
  return last_calculation_succeeded_;
}

bool MainState::mFindUKMUClick() {
  CalculationContext ctx = CalcContext();
  last_calculation_succeeded_ = luch::mFindUKMUClick(ctx);
  return last_calculation_succeeded_;
}

EditingContext MainState::EditContext() {
  return EditingContext{table_,         status_,           current_row_,
                        selection_top_, selection_bottom_, paste_repeat_count_,
                        data_dir_,      platform_};
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

void MainState::mChangeCblClick() {
  if (command_dialogs_) {
    ApplyCableReplacement(table_, command_dialogs_->ChooseCableReplacement(cables_));
  }
}

void MainState::mBlkChngClick() {
  if (command_dialogs_) {
    ApplyBlockReplacement(table_, command_dialogs_->ChooseBlockReplacement(blocks_));
  }
}

void MainState::mProjectClick() {
  if (command_dialogs_) command_dialogs_->EditProjectParameters(params_);
}

void MainState::RenameBlockType(const std::string& old_name, const std::string& new_name) {
  ReplaceBlockName(table_, old_name, new_name);
}

void MainState::SetCursor(int current_row, int selection_top, int selection_bottom) {
  current_row_ = current_row;
  selection_top_ = selection_top;
  selection_bottom_ = selection_bottom;
}

void MainState::BeginCommand() { history_.Begin(Snapshot()); }

void MainState::EndCommand() { history_.End(Snapshot()); }

void MainState::Restore(ProjectSnapshot snapshot) {
  table_ = std::move(snapshot.table);
  params_ = std::move(snapshot.params);
  SetBlockCount(table_.BlockCount());
}

void MainState::Undo() {
  ProjectSnapshot current = Snapshot();
  if (history_.Undo(current)) Restore(std::move(current));
}

void MainState::Redo() {
  ProjectSnapshot current = Snapshot();
  if (history_.Redo(current)) Restore(std::move(current));
}

CellEditContext MainState::CellContext() {
  return CellEditContext{table_, cables_, blocks_, platform_, clicked_};
}

ChoiceMenu MainState::StringGrid1DblClick() {
  CellEditContext ctx = CellContext();
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
