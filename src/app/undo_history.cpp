#include "app/undo_history.h"

#include <utility>

namespace luch {

void UndoHistory::Begin(const ProjectSnapshot& before) {
  pending_ = before;
  open_ = true;
}

void UndoHistory::End(const ProjectSnapshot& after) {
  if (!open_) return;
  open_ = false;
  if (after == pending_) return;
  undo_.push_back(std::move(pending_));
  if (undo_.size() > kMaxSteps) undo_.pop_front();
  redo_.clear();
}

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  open_ = false;
}

void UndoHistory::ForEachStep(const std::function<void(ProjectSnapshot&)>& change) {
  for (ProjectSnapshot& step : undo_) change(step);
  for (ProjectSnapshot& step : redo_) change(step);
  if (open_) change(pending_);
}

bool UndoHistory::Undo(ProjectSnapshot& current) {
  if (undo_.empty()) return false;
  redo_.push_back(std::move(current));
  current = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

bool UndoHistory::Redo(ProjectSnapshot& current) {
  if (redo_.empty()) return false;
  undo_.push_back(std::move(current));
  current = std::move(redo_.back());
  redo_.pop_back();
  return true;
}

}  // namespace luch
