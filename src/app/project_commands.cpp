#include "app/project_commands.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "analysis/ray_analysis.h"
#include "app/saved_content.h"
#include "calc/calculation.h"
#include "editing/block_replacement.h"
#include "editing/cable_replacement.h"
#include "library/block_library.h"
#include "library/cable_library.h"

namespace luch {

ProjectCommands::ProjectCommands(ProjectDocument& document, StatusBars& status,
                                 std::filesystem::path data_dir, Platform platform,
                                 CableLibrary& cables, BlockLibrary& blocks)
    : document_(document),
      status_(status),
      data_dir_(std::move(data_dir)),
      platform_(platform),
      cables_(cables),
      blocks_(blocks) {}

void ProjectCommands::SetCursor(int current_row, int selection_top, int selection_bottom) {
  current_row_ = current_row;
  selection_top_ = selection_top;
  selection_bottom_ = selection_bottom;
}

void ProjectCommands::Begin() {
  calculation_command_ = false;
  command_note_.clear();
  history_.Begin(document_.Snapshot());
}

std::optional<ProjectCommands::Ended> ProjectCommands::End() {
  if (!history_.IsOpen()) return std::nullopt;
  const ProjectSnapshot& before = history_.Pending();
  const ProjectTable& table = document_.table();
  const ProjectParameters& params = document_.params();
  if (!SameSavedContent(before.table, before.params, table, params, !calculation_command_)) {
    document_.MarkChanged();
  }
  Ended ended;
  ended.inputs_changed =
      !calculation_command_ &&
      !SameSavedContent(before.table, before.params, table, params, /*with_power=*/true);
  history_.End(document_.Snapshot());
  ended.note = std::exchange(command_note_, {});
  return ended;
}

void ProjectCommands::Restore(ProjectSnapshot snapshot) {
  document_.Restore(std::move(snapshot));
  SetBlockCount(document_.table().BlockCount());
}

bool ProjectCommands::Undo() {
  ProjectSnapshot current = document_.Snapshot();
  if (!history_.Undo(current)) return false;
  Restore(std::move(current));
  return true;
}

bool ProjectCommands::Redo() {
  ProjectSnapshot current = document_.Snapshot();
  if (!history_.Redo(current)) return false;
  Restore(std::move(current));
  return true;
}

void ProjectCommands::SetBlockCount(int count) {
  ProjectTable& table = document_.mutable_table();
  table.SetBlockCount(count);
  status_.bar1[1] = "Блоков: " + std::to_string(table.BlockCount());
  if (current_row_ > table.BlockCount()) current_row_ = table.BlockCount();
  if (selection_bottom_ > table.BlockCount()) selection_bottom_ = table.BlockCount();
  if (selection_top_ > selection_bottom_) selection_top_ = selection_bottom_;
}

void ProjectCommands::EditVsegoChange(const std::string& text) {
  int value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return;
  if (value < kMinBlockCount || value > kMaxBlockCount) return;
  SetBlockCount(value);
}

bool ProjectCommands::SetEditU(std::string text) {
  ProjectParameters& params = document_.mutable_params();
  if (text == params.EditU) return false;
  params.EditU = std::move(text);
  document_.MarkChanged();
  return true;
}

void ProjectCommands::Button28Click() { luch::Button28Click(document_.mutable_params()); }
void ProjectCommands::Button24Click() { luch::Button24Click(document_.mutable_params()); }

EditingContext ProjectCommands::EditContext() {
  return EditingContext{
      document_.mutable_table(), status_,   current_row_, selection_top_, selection_bottom_,
      paste_repeat_count_,       data_dir_, platform_,    cables_,        paste_columns_};
}

void ProjectCommands::CollapseSelection() {
  current_row_ = std::clamp(current_row_, 1, document_.table().BlockCount());
  selection_top_ = selection_bottom_ = current_row_;
}

void ProjectCommands::mCopyClick() {
  EditingContext ctx = EditContext();
  luch::mCopyClick(ctx);
}

void ProjectCommands::mCutClick() {
  EditingContext ctx = EditContext();
  luch::mCutClick(ctx);
  CollapseSelection();
}

void ProjectCommands::mPasteClick() {
  EditingContext ctx = EditContext();
  luch::mPasteClick(ctx);
  CollapseSelection();
}

void ProjectCommands::mPasteTableClick() {
  EditingContext ctx = EditContext();
  luch::mPasteTableClick(ctx);
  CollapseSelection();
}

void ProjectCommands::mDeleteClick() {
  EditingContext ctx = EditContext();
  luch::mDeleteClick(ctx);
  CollapseSelection();
}

void ProjectCommands::mFillSpaceClick() {
  EditingContext ctx = EditContext();
  luch::mFillSpaceClick(ctx);
}

void ProjectCommands::mMnogoClick() {
  EditingContext ctx = EditContext();
  luch::mMnogoClick(ctx);
  CollapseSelection();
}

void ProjectCommands::pmUpClick() {
  const int before = current_row_;
  EditingContext ctx = EditContext();
  // Row 1 cannot go up: nothing changes, the selection included.
  if (luch::pmUpClick(ctx) != before) CollapseSelection();
}

void ProjectCommands::pmDownClick() {
  const int before = current_row_;
  EditingContext ctx = EditContext();
  if (luch::pmDownClick(ctx) != before) CollapseSelection();
}

void ProjectCommands::mReverseClick() {
  EditingContext ctx = EditContext();
  luch::mReverseClick(ctx);
}

void ProjectCommands::pmRenameClick() {
  EditingContext ctx = EditContext();
  luch::pmRenameClick(ctx);
}

void ProjectCommands::mLengthClick() {
  EditingContext ctx = EditContext();
  luch::mLengthClick(ctx);
}

void ProjectCommands::mBlkNormaClick() { SetNormalRegimes(document_.mutable_table(), blocks_); }

void ProjectCommands::NoteReplacement(std::optional<int> changed) {
  if (changed) command_note_ = "Заменено строк: " + std::to_string(*changed);
}

void ProjectCommands::mChangeCblClick() {
  if (command_dialogs_) {
    NoteReplacement(ApplyCableReplacement(document_.mutable_table(),
                                          command_dialogs_->ChooseCableReplacement(cables_)));
  }
}

void ProjectCommands::mBlkChngClick() {
  if (command_dialogs_) {
    NoteReplacement(ApplyBlockReplacement(document_.mutable_table(),
                                          command_dialogs_->ChooseBlockReplacement(blocks_)));
  }
}

void ProjectCommands::mProjectClick() {
  if (command_dialogs_) command_dialogs_->EditProjectParameters(document_.mutable_params());
}

void ProjectCommands::ApplyCableEverywhere(const std::string& name) {
  SetEveryCable(document_.mutable_table(), name, cables_, platform_.locale->DecimalSeparator());
}

void ProjectCommands::SetAllBlocksToRegime(const std::string& regime) {
  NoteReplacement(SetRegimeEverywhere(document_.mutable_table(), regime, blocks_));
}

bool ProjectCommands::RenameBlockType(const std::string& old_name, const std::string& new_name) {
  const bool changed =
      document_.mutable_table().ReplaceInAllRows(kBlockName, old_name, new_name) > 0;
  if (changed) document_.MarkChanged();
  // Every step that changes is a state of its own, unlike the saved one.
  history_.ForEachStep([&](ProjectSnapshot& step) {
    if (step.table.ReplaceInAllRows(kBlockName, old_name, new_name) > 0) {
      step.revision = document_.NewRevision();
    }
  });
  return changed;
}

CellEditContext ProjectCommands::CellContext(std::string typed) {
  return CellEditContext{document_.mutable_table(), cables_, blocks_, platform_, clicked_,
                         std::move(typed)};
}

ChoiceMenu ProjectCommands::StringGrid1DblClick() {
  CellEditContext ctx = CellContext();
  return luch::StringGrid1DblClick(ctx);
}

ChoiceMenu ProjectCommands::StringGrid1Typed(std::string typed) {
  if (typed.empty()) return {};
  CellEditContext ctx = CellContext(std::move(typed));
  return luch::StringGrid1DblClick(ctx);
}

void ProjectCommands::ChoiceMenuClick(ChoiceMenuKind kind, const ChoiceItem& item) {
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
