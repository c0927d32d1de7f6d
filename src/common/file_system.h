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

// A file being written: the bytes, then Sync to the disk, then Close.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Sync() = 0;
  virtual bool Close() = 0;
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
  // one is there) when `create`, else an existing one, emptied. Null on
  // failure, with the reason in `failure`.
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
  // Removes what crashed writes of `path` left behind (see WriteFileAtomic).
  virtual void RemoveStaleTemporaries(const std::filesystem::path& path) { (void)path; }
};

// The computer's own files.
FileSystem& RealFileSystem();

// Whether a write of `path` may go ahead: its link chain leads somewhere (see
// WriteTarget), not to a folder, and not to a file the user may not write.
bool MayReplace(FileSystem& files, const std::filesystem::path& path);

// Writes `bytes` to a temporary file beside `path` ("<name>.tmp<digits>"),
// syncs it, gives it the permissions (and where possible the owner) of the
// file it replaces and renames it over `path`, so that a failure or a crash
// never leaves a half-written file. A symbolic link is written through: its
// target is replaced and the link stays. Where the user may not create a file
// in the folder but may write an existing `path`, writes it in place instead
// (emptied, written, synced: not crash-safe, the only way there). False on
// any failure, changing nothing: a path that MayReplace refuses, or a failed
// step (the temporary file is then removed).
bool WriteFileAtomic(FileSystem& files, const std::filesystem::path& path, std::string_view bytes);

}  // namespace luch
