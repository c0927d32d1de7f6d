// The computer's own files: POSIX calls on Linux, wide-character Win32 calls
// on Windows (Cyrillic folders and files work whatever the ANSI code page).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#include "common/file_io.h"
#include "common/file_system.h"

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace luch {
namespace {

#ifdef _WIN32
class RealWritableFile final : public WritableFile {
 public:
  explicit RealWritableFile(HANDLE file) : file_(file) {}
  ~RealWritableFile() override { Release(); }
  bool Write(std::string_view bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(file_, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
        return false;
      }
      done += written;
    }
    return true;
  }
  bool Sync() override { return ::FlushFileBuffers(file_); }
  bool Close() override { return Release(); }

 private:
  bool Release() {
    if (file_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = ::CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    return closed;
  }

  HANDLE file_;
};
#else
class RealWritableFile final : public WritableFile {
 public:
  explicit RealWritableFile(int fd) : fd_(fd) {}
  ~RealWritableFile() override { Release(); }
  bool Write(std::string_view bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }
  bool Sync() override { return ::fsync(fd_) == 0; }
  bool Close() override { return Release(); }

 private:
  bool Release() {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

  int fd_;
};
#endif

class RealFiles : public FileSystem {
 public:
  bool ReadFile(const std::filesystem::path& path, std::string& bytes) override {
    bytes.clear();
    if (!FileExists(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxFileBytes) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), size);
    if (in.gcount() != size) {
      bytes.clear();
      return false;
    }
    return true;
  }

  bool FileExists(const std::filesystem::path& path) override {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  }

  bool Exists(const std::filesystem::path& path) override {
    std::error_code error;
    return std::filesystem::exists(path, error);
  }

  bool IsDirectory(const std::filesystem::path& path) override {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
  }

  bool RemoveFile(const std::filesystem::path& path) override {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !std::filesystem::exists(path, error);
  }

  FileStamp Stamp(const std::filesystem::path& path) override {
    FileStamp stamp;
#ifdef _WIN32
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) return stamp;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error) return stamp;
    stamp.exists = true;
    stamp.size = size;
    stamp.modified_ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modified_ns =
        static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.changed_ns =
        static_cast<int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    stamp.inode = static_cast<std::uintmax_t>(info.st_ino);
#endif
    return stamp;
  }

  int64_t NowNs() override {
#ifdef _WIN32
    const auto now = std::filesystem::file_time_type::clock::now();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
#else
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path, bool create,
                                               OpenFailure& failure) override {
    failure = OpenFailure::kNone;
#ifdef _WIN32
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                      create ? CREATE_ALWAYS : TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      failure =
          ::GetLastError() == ERROR_ACCESS_DENIED ? OpenFailure::kNoRight : OpenFailure::kOther;
      return nullptr;
    }
    return std::make_unique<RealWritableFile>(file);
#else
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
    if (fd < 0) {
      failure = errno == EACCES || errno == EPERM ? OpenFailure::kNoRight : OpenFailure::kOther;
      return nullptr;
    }
    return std::make_unique<RealWritableFile>(fd);
#endif
  }

  bool Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
#ifdef _WIN32
    // The rename reaches the disk before the call returns. A virus scanner, an
    // indexer or a backup tool may hold the old file for a moment: try again
    // briefly then (a read-only target stays refused and costs 0.2 s).
    for (int attempt = 0;; ++attempt) {
      if (::MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
      }
      const DWORD error = ::GetLastError();
      if (attempt >= 4 || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
                           error != ERROR_ACCESS_DENIED)) {
        return false;
      }
      ::Sleep(50);
    }
#else
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
#endif
  }

  // After a power cut the folder could still name the old file. Windows:
  // Rename writes through.
  void SyncFolder([[maybe_unused]] const std::filesystem::path& path) override {
#ifndef _WIN32
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#endif
  }

  // Removes the temporary files of `path` ("<name>.tmp" and digits) that have
  // not changed for kStaleTemporaryAge: what a crash in the middle of a write
  // left behind (a younger one may belong to a write in progress).
  void RemoveStaleTemporaries(const std::filesystem::path& path) override {
    using Clock = std::filesystem::file_time_type::clock;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const auto prefix = path.filename().native() + std::filesystem::path(".tmp").native();
    const auto now = Clock::now();
    std::vector<std::filesystem::path> stale;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      const auto name = it->path().filename().native();
      if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
      if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](auto c) { return c >= '0' && c <= '9'; })) {
        continue;
      }
      std::error_code status_error;
      if (!it->is_regular_file(status_error)) continue;
      const auto modified = it->last_write_time(status_error);
      if (status_error || now - modified < kStaleTemporaryAge) continue;
      stale.push_back(it->path());
    }
    for (const std::filesystem::path& file : stale) std::filesystem::remove(file, error);
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static RealFiles files;
  return files;
}

}  // namespace luch
