// File systems for tests: one that fails at a chosen step of a write, one
// whose stamps are as coarse as FAT's, and one that keeps files in memory.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/file_system.h"

namespace luch::testing {

// Passes every call on to another file system (the computer's by default).
class ForwardingFileSystem : public FileSystem {
 public:
  explicit ForwardingFileSystem(FileSystem& base = RealFileSystem()) : base_(base) {}
  bool ReadFile(const std::filesystem::path& path, std::string& bytes) override {
    return base_.ReadFile(path, bytes);
  }
  bool FileExists(const std::filesystem::path& path) override { return base_.FileExists(path); }
  bool Exists(const std::filesystem::path& path) override { return base_.Exists(path); }
  bool IsDirectory(const std::filesystem::path& path) override { return base_.IsDirectory(path); }
  bool RemoveFile(const std::filesystem::path& path) override { return base_.RemoveFile(path); }
  FileStamp Stamp(const std::filesystem::path& path) override { return base_.Stamp(path); }
  int64_t NowNs() override { return base_.NowNs(); }
  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path, bool create,
                                               OpenFailure& failure) override {
    return base_.OpenForWriting(path, create, failure);
  }
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return base_.Rename(from, to);
  }
  std::filesystem::path WriteTarget(const std::filesystem::path& path) override {
    return base_.WriteTarget(path);
  }
  bool MayWrite(const std::filesystem::path& path) override { return base_.MayWrite(path); }
  bool KeepAttributes(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return base_.KeepAttributes(from, to);
  }
  void SyncFolder(const std::filesystem::path& path) override { base_.SyncFolder(path); }
  void RemoveLeftTemporaries(const std::filesystem::path& path) override {
    base_.RemoveLeftTemporaries(path);
  }
  std::unique_ptr<FileLock> TryLock(const std::filesystem::path& path,
                                    std::string_view holder) override {
    return base_.TryLock(path, holder);
  }

 private:
  FileSystem& base_;
};

// The steps of a write that can be made to fail.
enum class WriteStep { kCreate, kReserve, kWrite, kSync, kRename };

// Fails `step` of every write from the `nth` (1-based) on, until Heal (or
// only that one, when `once`); and refuses new files in a denied folder, as
// one without rights does.
class FaultyFileSystem : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  void Fail(WriteStep step, int nth = 1, bool once = false) {
    failing_ = step;
    remaining_ = nth;
    once_ = once;
  }
  void Heal() { remaining_ = 0; }
  void DenyFolder(std::filesystem::path folder) { denied_ = std::move(folder); }
  int writes_failed() const { return writes_failed_; }

  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path, bool create,
                                               OpenFailure& failure) override;
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;

  // Whether `step` fails now (counting it).
  bool Fails(WriteStep step);

 private:
  WriteStep failing_ = WriteStep::kCreate;
  int remaining_ = 0;  // 0: nothing fails; 1: the next one and all after it
  bool once_ = false;
  int writes_failed_ = 0;
  std::filesystem::path denied_;
};

// Stamps as a coarse file system gives them: the modification time in whole
// kStampGranularity steps of the block library, no change time, no inode.
class CoarseStampFileSystem : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  FileStamp Stamp(const std::filesystem::path& path) override;
};

// Files in memory, folders implied by the files' paths, every one writable,
// no links. Its clock starts at an hour and moves on by a second at every
// write. A lock is held until its FileLock goes.
class MemoryFileSystem : public FileSystem {
 public:
  bool ReadFile(const std::filesystem::path& path, std::string& bytes) override;
  bool FileExists(const std::filesystem::path& path) override { return files_.count(path) > 0; }
  bool Exists(const std::filesystem::path& path) override;
  bool IsDirectory(const std::filesystem::path& path) override;
  bool RemoveFile(const std::filesystem::path& path) override;
  FileStamp Stamp(const std::filesystem::path& path) override;
  int64_t NowNs() override { return now_ns_; }
  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path, bool create,
                                               OpenFailure& failure) override;
  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  std::filesystem::path WriteTarget(const std::filesystem::path& path) override { return path; }
  bool MayWrite(const std::filesystem::path&) override { return true; }
  bool KeepAttributes(const std::filesystem::path&, const std::filesystem::path&) override {
    return true;
  }
  std::unique_ptr<FileLock> TryLock(const std::filesystem::path& path,
                                    std::string_view holder) override;

  const std::map<std::filesystem::path, std::string>& files() const { return files_; }
  void Put(const std::filesystem::path& path, std::string bytes);

 private:
  std::map<std::filesystem::path, std::string> files_;
  std::set<std::filesystem::path> locked_;
  std::map<std::filesystem::path, int64_t> modified_;
  int64_t now_ns_ = int64_t{3600} * 1000000000;
};

}  // namespace luch::testing
