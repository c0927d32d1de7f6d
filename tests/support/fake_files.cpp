#include "support/fake_files.h"

#include <algorithm>
#include <chrono>

#include "common/file_io.h"
#include "library/block_library.h"

namespace luch::testing {
namespace {

// A file written through another one, with its Write or Sync made to fail.
class FaultyWritableFile : public WritableFile {
 public:
  FaultyWritableFile(std::unique_ptr<WritableFile> file, FaultyFileSystem& files)
      : file_(std::move(file)), files_(files) {}
  bool Write(std::string_view bytes) override {
    // A failed write leaves half of the bytes, as a full disk would.
    if (files_.Fails(WriteStep::kWrite)) {
      file_->Write(bytes.substr(0, bytes.size() / 2));
      return false;
    }
    return file_->Write(bytes);
  }
  bool Sync() override { return !files_.Fails(WriteStep::kSync) && file_->Sync(); }
  bool Close() override { return file_->Close(); }
  bool Reserve(std::uintmax_t size) override {
    return !files_.Fails(WriteStep::kReserve) && file_->Reserve(size);
  }
  bool Truncate(std::uintmax_t size) override { return file_->Truncate(size); }

 private:
  std::unique_ptr<WritableFile> file_;
  FaultyFileSystem& files_;
};

}  // namespace

bool FaultyFileSystem::Fails(WriteStep step) {
  if (remaining_ == 0 || step != failing_) return false;
  if (remaining_ > 1) {
    --remaining_;
    return false;
  }
  ++writes_failed_;
  if (once_) remaining_ = 0;
  return true;
}

std::unique_ptr<WritableFile> FaultyFileSystem::OpenForWriting(const std::filesystem::path& path,
                                                               bool create, OpenFailure& failure) {
  if (Fails(WriteStep::kCreate)) {
    failure = OpenFailure::kOther;
    return nullptr;
  }
  if (create && !denied_.empty() && path.parent_path() == denied_) {
    failure = OpenFailure::kNoRight;
    return nullptr;
  }
  std::unique_ptr<WritableFile> file = ForwardingFileSystem::OpenForWriting(path, create, failure);
  if (!file) return nullptr;
  return std::make_unique<FaultyWritableFile>(std::move(file), *this);
}

bool FaultyFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return !Fails(WriteStep::kRename) && ForwardingFileSystem::Rename(from, to);
}

FileStamp CoarseStampFileSystem::Stamp(const std::filesystem::path& path) {
  FileStamp stamp = ForwardingFileSystem::Stamp(path);
  const int64_t step =
      std::chrono::duration_cast<std::chrono::nanoseconds>(kStampGranularity).count();
  stamp.modified_ns -= stamp.modified_ns % step;
  stamp.changed_ns = 0;
  stamp.inode = 0;
  return stamp;
}

namespace {

// Writes over the file's bytes from the first one on, as the disk does.
class MemoryWritableFile : public WritableFile {
 public:
  MemoryWritableFile(MemoryFileSystem& files, std::filesystem::path path)
      : files_(files), path_(std::move(path)) {}
  bool Write(std::string_view bytes) override {
    std::string content = Content();
    content.resize(std::max(content.size(), position_ + bytes.size()));
    content.replace(position_, bytes.size(), bytes);
    position_ += bytes.size();
    files_.Put(path_, std::move(content));
    return true;
  }
  bool Sync() override { return true; }
  bool Close() override { return true; }
  bool Truncate(std::uintmax_t size) override {
    std::string content = Content();
    content.resize(static_cast<size_t>(size));
    files_.Put(path_, std::move(content));
    return true;
  }

 private:
  std::string Content() const {
    const auto it = files_.files().find(path_);
    return it == files_.files().end() ? std::string() : it->second;
  }

  MemoryFileSystem& files_;
  std::filesystem::path path_;
  size_t position_ = 0;
};

class MemoryFileLock : public FileLock {
 public:
  MemoryFileLock(MemoryFileSystem& files, std::set<std::filesystem::path>& locked,
                 std::filesystem::path path)
      : files_(files), locked_(locked), path_(std::move(path)) {}
  ~MemoryFileLock() override {
    locked_.erase(path_);
    files_.RemoveFile(path_);
  }

 private:
  MemoryFileSystem& files_;
  std::set<std::filesystem::path>& locked_;
  std::filesystem::path path_;
};

bool Inside(const std::filesystem::path& file, const std::filesystem::path& folder) {
  const std::string f = PathToUtf8(file), d = PathToUtf8(folder);
  return f.size() > d.size() && f.compare(0, d.size(), d) == 0 && f[d.size()] == '/';
}

}  // namespace

bool MemoryFileSystem::ReadFile(const std::filesystem::path& path, std::string& bytes) {
  const auto it = files_.find(path);
  if (it == files_.end() || it->second.size() > kMaxFileBytes) {
    bytes.clear();
    return false;
  }
  bytes = it->second;
  return true;
}

bool MemoryFileSystem::Exists(const std::filesystem::path& path) {
  return FileExists(path) || IsDirectory(path);
}

bool MemoryFileSystem::IsDirectory(const std::filesystem::path& path) {
  for (const auto& [file, bytes] : files_) {
    if (Inside(file, path)) return true;
  }
  return false;
}

bool MemoryFileSystem::RemoveFile(const std::filesystem::path& path) {
  files_.erase(path);
  modified_.erase(path);
  return true;
}

FileStamp MemoryFileSystem::Stamp(const std::filesystem::path& path) {
  FileStamp stamp;
  const auto it = files_.find(path);
  if (it == files_.end()) return stamp;
  stamp.exists = true;
  stamp.size = it->second.size();
  stamp.modified_ns = modified_[path];
  return stamp;
}

std::unique_ptr<WritableFile> MemoryFileSystem::OpenForWriting(const std::filesystem::path& path,
                                                               bool create, OpenFailure& failure) {
  failure = OpenFailure::kNone;
  if (!create && !FileExists(path)) {
    failure = OpenFailure::kOther;
    return nullptr;
  }
  if (create) Put(path, "");
  return std::make_unique<MemoryWritableFile>(*this, path);
}

std::unique_ptr<FileLock> MemoryFileSystem::TryLock(const std::filesystem::path& path,
                                                    std::string_view holder) {
  if (!locked_.insert(path).second) return nullptr;
  Put(path, std::string(holder));
  return std::make_unique<MemoryFileLock>(*this, locked_, path);
}

bool MemoryFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  const auto it = files_.find(from);
  if (it == files_.end()) return false;
  Put(to, std::move(it->second));
  RemoveFile(from);
  return true;
}

void MemoryFileSystem::Put(const std::filesystem::path& path, std::string bytes) {
  files_[path] = std::move(bytes);
  now_ns_ += 1000000000;
  modified_[path] = now_ns_;
}

}  // namespace luch::testing
