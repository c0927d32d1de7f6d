#include "app/project_document.h"

#include <utility>

#include "app/project_lock.h"
#include "app/recovery_file.h"
#include "common/file_io.h"
#include "common/save_place.h"
#include "editing/row_commands.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "library/carried_library.h"
#include "project/project_file.h"

namespace luch {
namespace {

constexpr const char* kCaption = "Сообщение";
constexpr const char* kNewProject = "Новый проект";

FileDialogRequest ProjectDialog(const char* title) {
  return FileDialogRequest{title, kProjectFilter, kProjectExtension, "", ""};
}

std::string InParentheses(const std::string& text) { return text.empty() ? "" : " (" + text + ")"; }

}  // namespace

ProjectDocument::ProjectDocument(std::filesystem::path data_dir, Platform platform,
                                 CableLibrary& cables, BlockLibrary& blocks, StatusBars& status,
                                 Observer& observer)
    : data_dir_(std::move(data_dir)),
      platform_(platform),
      cables_(cables),
      blocks_(blocks),
      status_(status),
      observer_(observer) {
  // A first start computes as a new project does (lightning protection 40 Ohm
  // and the rest), not with parameters of 0 until a project is opened.
  params_.SetNewProjectValues();
}

std::filesystem::path ProjectDocument::ProjectPath(const std::string& utf8_path) const {
  // A name without a folder is found in the data directory (the current one).
  std::filesystem::path path = Utf8Path(utf8_path);
  if (path.is_relative()) path = data_dir_ / path;
  return path;
}

std::string ProjectDocument::ProjectPathText() const {
  return project_file_name_.empty() ? "" : PathToUtf8(ProjectPath(project_file_name_));
}

void ProjectDocument::Unname() {
  project_file_name_.clear();
  status_.bar1[0] = "Проект: ";
}

void ProjectDocument::Restore(ProjectSnapshot snapshot) {
  table_ = std::move(snapshot.table);
  params_ = std::move(snapshot.params);
  revision_ = snapshot.revision;
}

void ProjectDocument::Close() {
  RemoveRecovery();
  ReleaseProjectFile();
}

std::string ProjectDocument::WindowCaption() const {
  if (project_file_name_.empty() && !modified()) return kMainCaption;
  const std::string name =
      project_file_name_.empty() ? std::string(kNewProject) : FileNameOf(project_file_name_);
  return std::string(kMainCaption) + " — " + name + (read_only_ ? " (только чтение)" : "") +
         (modified() ? "*" : "");
}

void ProjectDocument::MarkSaved() {
  saved_revision_ = revision_;
  RemoveRecovery();
}

void ProjectDocument::RemoveRecovery() {
  if (!recovery_.path.empty() && platform_.files->Exists(recovery_.path)) {
    platform_.files->RemoveFile(recovery_.path);
  }
  recovery_revision_ = kNoRecovery;
  recovery_failed_ = false;
  ++recovery_generation_;  // a write under way no longer counts
}

bool ProjectDocument::ConfirmDiscard() {
  if (!modified()) return true;
  const std::string name =
      project_file_name_.empty() ? std::string(kNewProject) : FileNameOf(project_file_name_);
  switch (platform_.messages->AskYesNoCancel("Сохранить изменения в проекте?\n" + name, kCaption,
                                             MessageIcon::kQuestion)) {
    case Answer::kYes:
      Save();
      return !modified();  // a cancelled Save As or a failed save keeps the project
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

bool RecoveryWrite::Run() const {
  return WriteRecoveryFile(path, table, params, info, decimal_separator, *files);
}

void ProjectDocument::WriteRecovery() {
  if (std::optional<RecoveryWrite> write = BeginRecoveryWrite()) {
    RecoveryWriteDone(*write, write->Run());
  }
}

std::optional<RecoveryWrite> ProjectDocument::BeginRecoveryWrite() {
  if (!RecoveryDue() || recovery_in_flight_) return std::nullopt;
  if (!recovery_.lock) recovery_ = TakeFreeRecoverySlot(data_dir_, *platform_.files);
  if (recovery_.path.empty()) {
    recovery_failed_ = true;
    return std::nullopt;
  }
  recovery_in_flight_ = true;
  return RecoveryWrite{recovery_.path,
                       table_,
                       params_,
                       RecoveryInfo{project_file_name_, platform_.clock->Now(), carried_},
                       platform_.locale->DecimalSeparator(),
                       platform_.files,
                       revision_,
                       recovery_generation_};
}

void ProjectDocument::RecoveryWriteDone(const RecoveryWrite& write, bool written) {
  recovery_in_flight_ = false;
  if (write.generation != recovery_generation_) {
    // Saved, or the program ends, while it was written: the file must not
    // stay behind to be offered at the next start.
    if (written && platform_.files->Exists(write.path)) platform_.files->RemoveFile(write.path);
    return;
  }
  recovery_failed_ = !written;
  if (written) recovery_revision_ = write.revision;
}

std::optional<std::string> ProjectDocument::RecoveryProblem() const {
  if (!recovery_failed_) return std::nullopt;
  const std::string path =
      recovery_.path.empty() ? PathToUtf8(RecoveryPath(data_dir_)) : PathToUtf8(recovery_.path);
  return "Несохраненные изменения не удается записать в файл восстановления " + path +
         ": при аварийном завершении программы они будут потеряны.";
}

bool ProjectDocument::OfferRecovery() {
  bool restored = false;
  for (RecoverySlot& left : TakeLeftRecoveryFiles(data_dir_, *platform_.files)) {
    const RecoveryInfo found = *left.info;
    const std::string name = found.project_file_name.empty() ? std::string(kNewProject)
                                                             : FileNameOf(found.project_file_name);
    const std::string question =
        "Найдены несохраненные изменения проекта «" + name + "», записанные " +
        platform_.locale->FormatDateTime(found.written) + ".\nВосстановить их?";
    if (!platform_.messages->AskYesNo(question, "Восстановление проекта", MessageIcon::kQuestion)) {
      platform_.files->RemoveFile(left.path);
      continue;
    }
    // The one restored before goes as any project does; kept, this file is
    // offered again at the next start.
    if (restored && !ConfirmDiscard()) continue;
    if (!LoadRecoveryFile(left.path, table_, params_, *platform_.files)) {
      // Kept for another try: the file stays as it is.
      platform_.messages->ShowError("Cannot open file " + PathToUtf8(left.path));
      continue;
    }
    RemoveRecovery();
    recovery_ = std::move(left);
    observer_.ProjectReplaced();
    ReleaseProjectFile();
    project_file_name_ = found.project_file_name;
    carried_ = found.carried;
    status_.bar1[0] = project_file_name_.empty() ? std::string(kNewProject)
                                                 : "Проект: " + FileNameOf(project_file_name_);
    if (!project_file_name_.empty()) {
      // Its file is this copy's again, unless another copy opened it meanwhile.
      const std::filesystem::path path = ProjectPath(project_file_name_);
      HoldProjectFile(path,
                      platform_.files->TryLock(LockPathOf(path),
                                               LockHolderText(ThisHolder(platform_.clock->Now()))));
    }
    // Modified, and already in the recovery file.
    MarkChanged();
    recovery_revision_ = revision_;
    observer_.ProjectShown();
    restored = true;
  }
  return restored;
}

bool ProjectDocument::Open() {
  if (!ConfirmDiscard()) return false;
  const auto chosen = platform_.dialogs->OpenFile(ProjectDialog("Выберите проект  для загрузки"));
  return chosen && LoadProject(*chosen);
}

void ProjectDocument::Save() {
  if (project_file_name_.empty() || read_only_) {
    SaveAs();
    return;
  }
  SaveProject(project_file_name_);
}

void ProjectDocument::SaveAs() {
  FileDialogRequest request = ProjectDialog("Задайте имя файла для сохранения проекта");
  StartBesideProject(request, ProjectPathText(), *platform_.dialogs);
  const auto chosen = platform_.dialogs->SaveFile(request);
  if (chosen) SaveProject(*chosen);
}

void ProjectDocument::New() {
  if (!ConfirmDiscard()) return;
  table_.SetBlockCount(1);
  project_file_name_.clear();
  ReleaseProjectFile();
  status_.bar1[0] = kNewProject;
  for (int col = kAddress; col < kColumnCount; ++col) table_.SetCell(1, col, "");
  table_.SetCell(1, kNumber, "1");
  params_.SetNewProjectValues();
  carried_ = {};
  observer_.ProjectReplaced();
  MarkChanged();
  MarkSaved();
  observer_.ProjectShown();
}

void ProjectDocument::HoldProjectFile(const std::filesystem::path& path,
                                      std::unique_ptr<FileLock> lock) {
  project_lock_ = std::move(lock);
  held_path_ = path;
  held_stamp_ = platform_.files->Stamp(path);
}

void ProjectDocument::ReleaseProjectFile() {
  project_lock_.reset();
  held_path_.clear();
  held_stamp_ = {};
  read_only_ = false;
}

bool ProjectDocument::AskOpenHeld(const std::filesystem::path& path, const std::string& utf8_path,
                                  bool& read_only) {
  const std::string holder =
      HolderDescription(ReadLockHolder(LockPathOf(path), *platform_.files), *platform_.locale);
  const int answer = platform_.messages->AskChoice(
      "Проект «" + FileNameOf(utf8_path) + "» уже открыт в другой копии программы" +
          InParentheses(holder) +
          ".\nИзменения, сохраненные в одной копии, пропадут при сохранении в другой.",
      kCaption, MessageIcon::kWarning, {"Только для чтения", "Открыть для правки", "Не открывать"});
  read_only = answer == 0;
  return answer == 0 || answer == 1;
}

bool ProjectDocument::LoadProject(const std::string& utf8_path) {
  const std::filesystem::path path = ProjectPath(utf8_path);
  FileSystem& files = *platform_.files;
  if (!files.Exists(path)) return false;  // vanished: nothing changes, silently
  std::unique_ptr<FileLock> lock;
  bool read_only = read_only_ && path == held_path_;
  if (project_lock_ && path == held_path_) {
    lock = std::move(project_lock_);  // opened again: still this copy's
  } else if (files.FileExists(path)) {
    lock = files.TryLock(LockPathOf(path), LockHolderText(ThisHolder(platform_.clock->Now())));
    // No lock file at all: a folder where none can be made, opened as it is.
    if (!lock && files.FileExists(LockPathOf(path)) && !AskOpenHeld(path, utf8_path, read_only)) {
      return false;
    }
  }
  const FileStamp stamp = files.Stamp(path);
  const ProjectLoadResult loaded = LoadProjectFile(path, table_, params_, files);
  if (!loaded) {
    if (path == held_path_ && !project_lock_) project_lock_ = std::move(lock);
    switch (loaded.outcome) {
      case ProjectLoad::kUnreadable:  // too large, no access
        platform_.messages->ShowError("Cannot open file " + utf8_path);
        break;
      case ProjectLoad::kNotAFile:
        platform_.messages->ShowError(NotAFileText(utf8_path));
        break;
      case ProjectLoad::kNotAProject:
        platform_.messages->Show(project_texts::NotAProject(utf8_path),
                                 project_texts::kMessageCaption, MessageIcon::kWarning);
        break;
      case ProjectLoad::kLoaded:
      case ProjectLoad::kMissing:  // vanished: nothing changes, silently
        break;
    }
    return false;
  }
  observer_.ProjectReplaced();
  project_file_name_ = utf8_path;
  carried_ = loaded.carried;
  status_.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  ReleaseProjectFile();
  HoldProjectFile(path, std::move(lock));
  held_stamp_ = stamp;
  read_only_ = read_only;
  if (loaded.cut()) {
    platform_.messages->Show(project_texts::FirstBlocksOnly(loaded.stored_count),
                             project_texts::kMessageCaption, MessageIcon::kInformation);
  }
  MarkChanged();
  MarkSaved();
  observer_.ProjectShown();
  return true;
}

bool ProjectDocument::MaySaveOver(const std::filesystem::path& path, const std::string& utf8_path,
                                  std::unique_ptr<FileLock>& lock) {
  FileSystem& files = *platform_.files;
  const bool ours = project_lock_ && path == held_path_;
  if (!ours) {
    lock = files.TryLock(LockPathOf(path), LockHolderText(ThisHolder(platform_.clock->Now())));
    if (!lock && files.FileExists(path) && files.FileExists(LockPathOf(path))) {
      const std::string holder =
          HolderDescription(ReadLockHolder(LockPathOf(path), files), *platform_.locale);
      // One question: what the other copy saved is what it has open.
      return platform_.messages->AskChoice(
                 "Проект «" + FileNameOf(utf8_path) + "» открыт в другой копии программы" +
                     InParentheses(holder) +
                     ".\nЕсли записать его, изменения, сохраненные той копией, пропадут.",
                 kCaption, MessageIcon::kWarning, {"Записать", "Не записывать"}) == 0;
    }
  }
  if (path != held_path_ || !held_stamp_.exists || !files.FileExists(path) ||
      files.Stamp(path) == held_stamp_) {
    return true;
  }
  return platform_.messages->AskChoice(
             "Файл проекта «" + FileNameOf(utf8_path) +
                 "» изменен после того, как он был открыт или сохранен здесь: его записала "
                 "другая копия программы или другая программа.\nЕсли записать его, эти "
                 "изменения пропадут.",
             kCaption, MessageIcon::kWarning, {"Записать", "Не записывать"}) == 0;
}

bool ProjectDocument::SaveProject(const std::string& utf8_path) {
  const std::string refusal = UnsavableRowsMessage(table_, 1, table_.BlockCount());
  if (!refusal.empty()) {
    platform_.messages->Show(refusal, kCaption, MessageIcon::kWarning);
    return false;
  }
  const std::filesystem::path path = ProjectPath(utf8_path);
  std::unique_ptr<FileLock> lock;
  if (!MaySaveOver(path, utf8_path, lock)) return false;
  CarriedTypes carry = TypesToCarry(NamesInColumn(table_, kCableName),
                                    NamesInColumn(table_, kBlockName), cables_, blocks_, carried_);
  if (!SaveProjectFile(path, table_, params_, platform_.locale->DecimalSeparator(),
                       *platform_.files, &carry)) {
    platform_.messages->ShowError(WriteFailureText(utf8_path));
    return false;
  }
  project_file_name_ = utf8_path;
  carried_ = std::move(carry);
  status_.bar1[0] = "Проект: " + FileNameOf(utf8_path);
  if (path != held_path_ || !project_lock_) {
    ReleaseProjectFile();
    HoldProjectFile(path, std::move(lock));
  } else {
    held_stamp_ = platform_.files->Stamp(path);
  }
  read_only_ = false;
  MarkSaved();
  return true;
}

}  // namespace luch
