// The project the main window holds, as a document: its table and parameters,
// the file it came from, whether it holds changes its file does not, and the
// file commands (open, save, new, the recovery file, the locks that keep two
// copies of the program from losing each other's work). What the window shows
// of a project that comes or goes (the cursor, the undo steps, the results)
// is the observer's.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/recovery_file.h"
#include "app/undo_history.h"
#include "common/platform.h"
#include "library/carried_types.h"
#include "project/project_parameters.h"
#include "project/project_table.h"
#include "project/status_bars.h"

namespace luch {

class CableLibrary;
class BlockLibrary;

inline constexpr const char* kMainCaption = "Расчет луча ТЕРН-12 по постоянному току";
inline constexpr const char* kProjectFilter = "Проект луча (*.луч)|*.луч";
inline constexpr const char* kProjectExtension = "луч";

// One write of the recovery file, with copies of what it writes: it may run
// on another thread while the project changes on.
struct RecoveryWrite {
  std::filesystem::path path;
  ProjectTable table;
  ProjectParameters params;
  RecoveryInfo info;
  char decimal_separator = ',';
  FileSystem* files = nullptr;
  uint64_t revision = 0;    // of the project it holds
  uint64_t generation = 0;  // of the recovery file it belongs to (see ProjectDocument)
  // Writes the file; false when it could not.
  bool Run() const;
};

class ProjectDocument {
 public:
  class Observer {
   public:
    virtual ~Observer() = default;
    // Another project's rows are in the table (Open, New, a restored recovery
    // file), before its name is set: what the window kept of the former one
    // (undo steps, cursor, results) goes.
    virtual void ProjectReplaced() = 0;
    // The new project is in place: its results are found, or marked stale.
    virtual void ProjectShown() = 0;
  };

  // Panel 0 of `status` names the project; both must outlive the document.
  ProjectDocument(std::filesystem::path data_dir, Platform platform, CableLibrary& cables,
                  BlockLibrary& blocks, StatusBars& status, Observer& observer);

  const ProjectTable& table() const { return table_; }
  const ProjectParameters& params() const { return params_; }
  ProjectTable& mutable_table() { return table_; }
  ProjectParameters& mutable_params() { return params_; }

  // The current project file's path as it was read or chosen; empty: unnamed.
  const std::string& ProjectFileName() const { return project_file_name_; }
  // The same as a full path (a name without a folder is in the data folder).
  std::string ProjectPathText() const;
  // Where a project file of this name is: a relative name is in the data folder.
  std::filesystem::path ProjectPath(const std::string& utf8_path) const;
  // The project becomes unnamed, its panel "Проект: " (a start that found
  // no project to open).
  void Unname();

  // --- the modified state -----------------------------------------------------
  // True while the project holds changes that its file does not.
  bool modified() const { return revision_ != saved_revision_; }
  // The main window's caption: the program's, then the project's file name
  // (or "Новый проект"), " (только чтение)" for a project opened read-only,
  // and "*" while modified; the program's alone for a new, unmodified project.
  std::string WindowCaption() const;
  // Opened read-only because another copy of the program has it open: Save
  // asks for another file name (Save As).
  bool read_only() const { return read_only_; }
  // A new version of the saved content.
  void MarkChanged() { revision_ = ++last_revision_; }
  // A revision no state had before, for an undo step that a change rewrote.
  uint64_t NewRevision() { return ++last_revision_; }
  // The project as an undo step keeps it, and back.
  ProjectSnapshot Snapshot() const { return ProjectSnapshot{table_, params_, revision_}; }
  void Restore(ProjectSnapshot snapshot);

  // --- the file commands --------------------------------------------------------
  // Before a command drops the project (close, New, Open): a modified project
  // asks "Сохранить изменения в проекте?" with Да (save, Save As for an
  // unnamed project), Нет and Отмена. True when the command may go on: the
  // project is unmodified, saved, or the user let it go.
  bool ConfirmDiscard();
  // F3: ConfirmDiscard, then the open dialog "Выберите проект  для загрузки";
  // true when the chosen file was loaded. Cancel changes nothing.
  bool Open();
  // F2: saves into ProjectFileName, or runs SaveAs for an unnamed or
  // read-only project.
  void Save();
  // Ctrl+F2: the save dialog, then SaveProject into the chosen file.
  void SaveAs();
  // "Со&здать...": ConfirmDiscard, then one empty row, "Новый проект", the
  // parameters of a new project; nothing of the former project is left.
  void New();
  // Loads a project file; false, changing nothing, when none is there, when it
  // cannot be read ("Cannot open file %s"), when it is not a regular file
  // ("Файл %s не является обычным файлом.") or when it is not a project ("Файл
  // %s не является проектом луча."). A project that another copy of the
  // program has open is opened read-only, for editing, or not at all, as the
  // user answers; otherwise this copy holds its lock while it is the current
  // project. A project of more than 4096 blocks opens its first 4096 and says
  // how many it holds. A relative name is found in the data directory and
  // kept as given in ProjectFileName.
  bool LoadProject(const std::string& utf8_path);
  // Saves with the types the rows use (carried_types.h). Asks first when
  // another copy has the file open, or when the file changed since this copy
  // opened or saved it; refuses texts that Windows-1251 cannot hold (the
  // message of typing, naming the rows); reports "Unable to write to %s" on
  // failure. The project stays modified unless it was saved.
  bool SaveProject(const std::string& utf8_path);
  // The program ends: the recovery file goes and the project's lock is let go.
  void Close();

  // The types the project file carried (or its last save wrote).
  const CarriedTypes& carried() const { return carried_; }

  // --- the recovery file ----------------------------------------------------------
  // True when the project holds changes that the recovery file does not have.
  bool RecoveryDue() const { return modified() && recovery_revision_ != revision_; }
  // Writes the project into this copy's own recovery file when due (taking a
  // free one at the first write). A failure is tried again after the next
  // change and said by RecoveryProblem until a write succeeds.
  void WriteRecovery();
  // The same in two steps, for a write on another thread: the copy to write
  // (none when no write is due, one is under way, or no recovery file can be
  // had, which RecoveryProblem then says), and what came of it. A write that
  // ends after the project was saved or closed removes what it wrote.
  std::optional<RecoveryWrite> BeginRecoveryWrite();
  void RecoveryWriteDone(const RecoveryWrite& write, bool written);
  // This copy's recovery file; empty before its first write.
  const std::filesystem::path& recovery_path() const { return recovery_.path; }
  // The line of Problems while the recovery file cannot be written.
  std::optional<std::string> RecoveryProblem() const;
  // At start-up: every recovery file that no running copy holds is offered in
  // a question of its own, naming its project and time. Да opens it as a
  // modified project under its former file name (after ConfirmDiscard of one
  // restored before), and it becomes this copy's recovery file; Нет deletes
  // it. True when one was restored.
  bool OfferRecovery();

 private:
  void MarkSaved();
  // Removes this copy's own recovery file; the slot stays this copy's.
  void RemoveRecovery();
  // The question for a project that another copy holds; false when the user
  // does not open it (`read_only` tells how he does).
  bool AskOpenHeld(const std::filesystem::path& path, const std::string& utf8_path,
                   bool& read_only);
  // Before a save into `path`: the lock to hold afterwards (null when another
  // copy holds it or none can be made); false when the user keeps the file
  // as it is.
  bool MaySaveOver(const std::filesystem::path& path, const std::string& utf8_path,
                   std::unique_ptr<FileLock>& lock);
  // The project file is now `path` (loaded or saved), held through `lock`.
  void HoldProjectFile(const std::filesystem::path& path, std::unique_ptr<FileLock> lock);
  void ReleaseProjectFile();

  std::filesystem::path data_dir_;
  Platform platform_;
  CableLibrary& cables_;
  BlockLibrary& blocks_;
  StatusBars& status_;
  Observer& observer_;

  ProjectTable table_;
  ProjectParameters params_;
  std::string project_file_name_;
  uint64_t revision_ = 0;
  uint64_t saved_revision_ = 0;
  uint64_t last_revision_ = 0;
  // The revision that the recovery file holds; none after it was removed.
  static constexpr uint64_t kNoRecovery = UINT64_MAX;
  uint64_t recovery_revision_ = kNoRecovery;
  RecoverySlot recovery_;         // this copy's own recovery file
  bool recovery_failed_ = false;  // its last write failed
  bool recovery_in_flight_ = false;
  // Counts the removals of the recovery file: a write begun before the last
  // one is of no use.
  uint64_t recovery_generation_ = 0;
  // The current project file as this copy last read or wrote it, and its
  // lock while this copy holds it.
  std::filesystem::path held_path_;
  FileStamp held_stamp_;
  std::unique_ptr<FileLock> project_lock_;
  bool read_only_ = false;
  // The types the project file carried when it was opened or last saved.
  CarriedTypes carried_;
};

}  // namespace luch
