// Undo and redo of the project: every command that changes the table or the
// parameters is one step. A step keeps the whole table (hidden rows included)
// and the parameters as they were, so undo gives back the texts exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

#include "project/project_parameters.h"
#include "project/project_table.h"

namespace luch {

struct ProjectSnapshot {
  ProjectTable table;
  ProjectParameters params;
  // Which version of the project's saved content this is: equal revisions,
  // equal content (the modified state compares it with the saved one).
  uint64_t revision = 0;
  // The texts alone decide whether a command changed anything.
  bool operator==(const ProjectSnapshot& other) const {
    return table == other.table && params == other.params;
  }
};

class UndoHistory {
 public:
  // At most this many steps are kept; the oldest go first.
  static constexpr size_t kMaxSteps = 100;

  // Remembers the project before a command runs.
  void Begin(const ProjectSnapshot& before);
  // After the command: a change becomes one undo step and clears the redo
  // steps; no change leaves the history as it was.
  void End(const ProjectSnapshot& after);
  // Forgets everything (New, Open): a fresh history.
  void Clear();

  // Between Begin and End: the project as it was before the command.
  bool IsOpen() const { return open_; }
  const ProjectSnapshot& Pending() const { return pending_; }
  // Calls `change` on every kept step, undo and redo alike, and on the pending
  // one: for a change that must hold in the whole history.
  void ForEachStep(const std::function<void(ProjectSnapshot&)>& change);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Gives the project to show instead of `current`; false when nothing is left.
  bool Undo(ProjectSnapshot& current);
  bool Redo(ProjectSnapshot& current);

 private:
  std::deque<ProjectSnapshot> undo_;
  std::deque<ProjectSnapshot> redo_;
  ProjectSnapshot pending_;
  bool open_ = false;
};

}  // namespace luch
