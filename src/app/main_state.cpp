#include "app/main_state.h"

#include <algorithm>
#include <charconv>

#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"
#include "reports/report_commands.h"
#include "editing/cable_replacement.h"

namespace luch {

MainState::MainState(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
                     BlockLibrary& blocks)
    : data_dir_(std::move(data_dir)), platform_(platform), cables_(cables), blocks_(blocks) {}

MainSettings MainState::FormCreate(const MainSettings& current) {
  MainSettings values =
      ReadMainSettings(OpenSettingsFile(data_dir_), current, *platform_.screen);
  ProjectFileName = values.file_name;
  return values;
}

void MainState::DeferredStartUp() {
  // A project that vanished starts an unnamed one silently; one that is there
  // but cannot be read does the same after its error box.
  if (!ProjectFileName.empty() && FileExists(ProjectPath(ProjectFileName)) &&
      LoadProject(ProjectFileName)) {
    return;
  }
  ProjectFileName.clear();
  status.bar1[0] = "Проект: ";
}

std::filesystem::path MainState::ProjectPath(const std::string& utf8_path) const {
  // A name without a folder is found in the data directory (the current one).
  std::filesystem::path path = Utf8Path(utf8_path);
  if (path.is_relative()) path = data_dir_ / path;
  return path;
}

void MainState::ForgetPreviousProject() {
  table.DropHiddenRows();
  const char separator = platform_.locale->DecimalSeparator();
  for (int r = 1; r <= table.BlockCount(); ++r) {
    table.SetCell(r, kCurrentMA, "");
    table.SetCell(r, kVoltageV, "");
    table.UpdateResistance(r, cables_, separator);
  }
  status.ClearCalculation();
}

void MainState::FormClose(MainSettings values) {
  values.file_name = ProjectFileName;
  ProfileFile settings = OpenSettingsFile(data_dir_);
  WriteMainSettings(settings, values);
  SaveOrReport(settings, *platform_.messages);
}

void MainState::SetBlockCount(int count) {
  table.SetBlockCount(count);
  status.bar1[1] = "Блоков: " + std::to_string(table.BlockCount());
  if (current_row > table.BlockCount()) current_row = table.BlockCount();
  if (selection_bottom > table.BlockCount()) selection_bottom = table.BlockCount();
  if (selection_top > selection_bottom) selection_top = selection_bottom;
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
  const auto chosen =
      platform_.dialogs->OpenFile(ProjectDialog("Выберите проект  для загрузки"));
  if (chosen) LoadProject(*chosen);
}

void MainState::mSaveClick() {
  if (ProjectFileName.empty()) {
    mSaveAsClick();
    return;
  }
  SaveProject(ProjectFileName);
}

void MainState::mSaveAsClick() {
  const auto chosen =
      platform_.dialogs->SaveFile(ProjectDialog("Задайте имя файла для сохранения проекта"));
  if (chosen) SaveProject(*chosen);
}

void MainState::mNewClick() {
  history_.Clear();
  SetBlockCount(1);
  ProjectFileName.clear();
  status.bar1[0] = "Новый проект";
  for (int col = kAddress; col < kColumnCount; ++col) table.SetCell(1, col, "");
  table.SetCell(1, kNumber, "1");
  params.SetNewProjectValues();
  ForgetPreviousProject();
}

bool MainState::LoadProject(const std::string& utf8_path) {
  const std::filesystem::path path = ProjectPath(utf8_path);
  if (!LoadProjectFile(path, table, params)) {
    // A file that vanished changes nothing, silently; one that is there but
    // cannot be read (too large, no access) is said so.
    if (FileExists(path)) platform_.messages->ShowError("Cannot open file " + utf8_path);
    return false;
  }
  history_.Clear();
  SetBlockCount(table.BlockCount());
  ForgetPreviousProject();
  ProjectFileName = utf8_path;
  status.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  return true;
}

bool MainState::SaveProject(const std::string& utf8_path) {
  const std::filesystem::path path = ProjectPath(utf8_path);
  if (!SaveProjectFile(path, table, params, platform_.locale->DecimalSeparator())) {
    platform_.messages->ShowError("Unable to write to " + utf8_path);
    return false;
  }
  ProjectFileName = utf8_path;
  status.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  return true;
}

void MainState::mInfoClick() {
  luch::mInfoClick(table, params, {ProjectFileName, totals.TotalLength, totals.TotalCurrent}, platform_,
                   data_dir_);
}

void MainState::mTableClick() {
  luch::mTableClick(table, params, {ProjectFileName, totals.TotalLength, totals.TotalCurrent}, platform_,
                    data_dir_);
}

void MainState::mTextClick() { ExportTable(table, ExportFormat::kText, platform_, data_dir_); }

void MainState::mMicrosoftExcelClick() {
  ExportTable(table, ExportFormat::kCsv, platform_, data_dir_);
}

CalculationContext MainState::CalcContext() {
  return CalculationContext{table, params, status, report_enabled, totals, cables_, blocks_,
                            platform_};
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
  return EditingContext{table,          status,           current_row, selection_top,
                        selection_bottom, PasteRepeatCount, data_dir_,   platform_};
}

void MainState::CollapseSelection() {
  current_row = std::clamp(current_row, 1, table.BlockCount());
  selection_top = selection_bottom = current_row;
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
  const int before = current_row;
  EditingContext ctx = EditContext();
  // Row 1 cannot go up: nothing changes, the selection included.
  if (luch::pmUpClick(ctx) != before) CollapseSelection();
}

void MainState::pmDownClick() {
  const int before = current_row;
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

void MainState::mBlkNormaClick() { SetNormalRegimes(table, blocks_); }

void MainState::BeginCommand() { history_.Begin(Snapshot()); }

void MainState::EndCommand() { history_.End(Snapshot()); }

void MainState::Restore(ProjectSnapshot snapshot) {
  table = std::move(snapshot.table);
  params = std::move(snapshot.params);
  SetBlockCount(table.BlockCount());
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
  return CellEditContext{table, cables_, blocks_, platform_, clicked};
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
