// File access behind one small interface, so that the logic can be run on
// in-memory files and made to fail at any step of a write in tests. The
// program uses RealFileSystem(); the logic receives it in its Platform (or as
// a parameter where it has none). Paths are built from UTF-8 (file_io.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace luch {

// What identifies one version of a file on disk.
struct FileStamp {
  bool exists = false;
  std::uintmax_t size = 0;
  int64_t modified_ns = 0;  // on the clock of FileSystem::NowNs
  int64_t changed_ns = 0;   // status change time where the system has one
  std::uintmax_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};

// A file being written: the bytes, then Sync to the disk, then Close. While
// it is open, no other write's clean-up removes it (RemoveLeftTemporaries).
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Appends at the current position (the first byte after opening).
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Sync() = 0;
  virtual bool Close() = 0;
  // Makes sure the disk holds room for `size` bytes of the file without
  // changing its content or size where the system can (false on a full
  // disk). A file in memory always has room.
  virtual bool Reserve(std::uintmax_t size) {
    (void)size;
    return true;
  }
  // Cuts the file to `size` bytes.
  virtual bool Truncate(std::uintmax_t size) {
    (void)size;
    return true;
  }
};

// A lock held while the object lives; destroying it releases the lock and
// removes its file.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileSystem {
 public:
  enum class OpenFailure { kNone, kNoRight, kOther };

  virtual ~FileSystem() = default;
  // The whole file; false (and `bytes` empty) when it is missing, not a
  // regular file, larger than kMaxFileBytes or cannot be read.
  virtual bool ReadFile(const std::filesystem::path& path, std::string& bytes) = 0;
  // True when a regular file is at `path`.
  virtual bool FileExists(const std::filesystem::path& path) = 0;
  // True when anything (a file, a folder) is at `path`.
  virtual bool Exists(const std::filesystem::path& path) = 0;
  virtual bool IsDirectory(const std::filesystem::path& path) = 0;
  // True when no file is left at `path`.
  virtual bool RemoveFile(const std::filesystem::path& path) = 0;
  virtual FileStamp Stamp(const std::filesystem::path& path) = 0;
  // Now, on the clock of the stamps' modification times (ns).
  virtual int64_t NowNs() = 0;

  // The steps of a write. Opens `path` for writing: a new file (emptied if
  // one is there) when `create`; else an existing one, written from its first
  // byte over the old bytes, which stay until then. Null on failure, with the
  // reason in `failure`.
  virtual std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path,
                                                       bool create, OpenFailure& failure) = 0;
  // Puts `from` in the place of `to` in one step.
  virtual bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

  // The file that a write of `path` replaces: `path` itself, or for a
  // symbolic link the file at the end of its chain (a relative target counts
  // from the folder of the link that names it). Empty when the chain ends at
  // nothing (a dangling link), loops, or cannot be read: no write goes there.
  virtual std::filesystem::path WriteTarget(const std::filesystem::path& path) = 0;
  // False when a file is at `path` (not a link) that the user may not write:
  // no write permission for this process, a read-only file system, or the
  // read-only attribute on Windows. True when nothing is there.
  virtual bool MayWrite(const std::filesystem::path& path) = 0;
  // Gives `to`, a file this program has just written, the permissions of the
  // existing file `from`, and its owner and group where the process may set
  // them; when nothing is at `from`, the permissions of any new file. False
  // when the permissions cannot be given.
  virtual bool KeepAttributes(const std::filesystem::path& from,
                              const std::filesystem::path& to) = 0;
  // Makes a rename in the folder of `path` durable; best effort.
  virtual void SyncFolder(const std::filesystem::path& path) { (void)path; }
  // Removes what killed writes left behind: the temporary files of `path`
  // (see WriteFileAtomic) that no write has open; for a folder, those of
  // every file of the program's kinds in it (TemporaryOfOurs).
  virtual void RemoveLeftTemporaries(const std::filesystem::path& path) { (void)path; }

  // The lock file at `path`, made when missing, held by this caller alone
  // until the FileLock is destroyed; `holder` is written into it for whoever
  // finds it held. Null when another holder has it (another copy of the
  // program, or another lock of this one) or when it cannot be made. A holder
  // that ended without releasing it (killed) holds nothing: the system frees
  // its locks with the process.
  virtual std::unique_ptr<FileLock> TryLock(const std::filesystem::path& path,
                                            std::string_view holder) = 0;

  // Where a write in place keeps the old content until the new one is on
  // disk (the data folder); the system's temporary folder when none is set.
  void SetSafetyCopyFolder(std::filesystem::path folder) { safety_folder_ = std::move(folder); }
  const std::filesystem::path& SafetyCopyFolder() const { return safety_folder_; }

 private:
  std::filesystem::path safety_folder_;
};

// Whether `name` ("Кабель.ini.tmp123") is the temporary file of a write of a
// file of the program's kinds (.ini, .луч, .bak, .txt, .csv, .pdf, .объект).
bool TemporaryOfOurs(std::string_view name);

// The computer's own files.
FileSystem& RealFileSystem();

// Whether a write of `path` may go ahead: its link chain leads somewhere (see
// WriteTarget), to nothing or to a regular file (never a folder, a pipe or a
// device), and not to a file the user may not write.
bool MayReplace(FileSystem& files, const std::filesystem::path& path);

// True when something is at `path` that is not a regular file: a folder, a
// pipe, a device. Such a thing is never read as a file nor written over.
bool IsOtherThanFile(FileSystem& files, const std::filesystem::path& path);
// "Файл <path> не является обычным файлом" (the error box adds the full stop).
std::string NotAFileText(std::string_view shown_path);
// For the error box of a file that is there but could not be read:
// NotAFileText, or "Cannot open file <path>".
std::string CannotOpenText(FileSystem& files, const std::filesystem::path& path);

// Writes `bytes` to a temporary file beside `path` ("<name>.tmp<digits>"),
// syncs it, gives it the permissions (and where possible the owner) of the
// file it replaces and renames it over `path`, so that a failure or a crash
// never leaves a half-written file. A symbolic link is written through: its
// target is replaced and the link stays. Where the user may not create a file
// in the folder but may write an existing `path`, writes it in place instead:
// a whole copy of the old content goes to the safety-copy folder first
// (SafetyCopyPath), the room for the new content is reserved before the first
// byte changes, and the copy is removed once the new content is synced; a
// failure after the first byte changed puts the old content back, and keeps
// the copy when even that fails. False on any failure, changing nothing: a
// path that MayReplace refuses, or a failed step (the temporary file is then
// removed). A failure leaves a note for the error box (LastWriteNote).
bool WriteFileAtomic(FileSystem& files, const std::filesystem::path& path, std::string_view bytes);

// Where a write in place of `target` keeps its old content: "Копия до записи
// - <name>" in the safety-copy folder, "Копия до записи (2) - <name>" and so
// on when that is taken (an earlier copy may be the only good one).
std::filesystem::path SafetyCopyPath(FileSystem& files, const std::filesystem::path& target);

// What the last failed write of this thread adds to "Unable to write to %s":
// where the old content was kept, why the file was refused; empty when
// nothing. Every WriteFileAtomic clears it first; writers that refuse a text
// before writing (unsavable characters) set it.
const std::string& LastWriteNote();
void SetLastWriteNote(std::string note);
// `message` followed by the note on a line of its own, without its closing
// full stop (the error box adds one); the note is then used up.
std::string WithWriteNote(std::string message);
// WithWriteNote("Unable to write to <shown_path>").
std::string WriteFailureText(std::string_view shown_path);

}  // namespace luch
