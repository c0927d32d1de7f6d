// The computer's own files: POSIX calls on Linux, wide-character Win32 calls
// on Windows (Cyrillic folders and files work whatever the ANSI code page).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
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

// The longest chain of links followed, as the systems' own limit (Linux: 40).
constexpr int kMaxLinkHops = 40;

#ifndef _WIN32
// The permission bits that the process takes away from the files it creates.
// Linux tells them without changing anything; elsewhere they are set and put
// back at once.
mode_t CurrentUmask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status)) {
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    }
    std::fclose(status);
    if (found) return static_cast<mode_t>(mask);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}
#endif

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
    // A new file is the user's alone until KeepAttributes gives it the
    // permissions of the file it replaces: a private file is never readable
    // by others, not even for a moment.
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
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

#ifdef _WIN32
  std::filesystem::path WriteTarget(const std::filesystem::path& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      return path;
    }
    // A link: the file at the end of its chain, as the system opens it. A
    // dangling link cannot be opened, and is not written.
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::wstring name(MAX_PATH, L'\0');
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    DWORD length =
        ::GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), kFlags);
    if (length >= name.size()) {  // too long for the buffer: length is the size it needs
      name.resize(length);
      length =
          ::GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), kFlags);
    }
    ::CloseHandle(file);
    if (length == 0 || length >= name.size()) return {};
    name.resize(length);
    // The name comes as "\\?\C:\..." or "\\?\UNC\server\...": the usual form
    // is what the rest of the program (and the C library) takes.
    if (name.starts_with(L"\\\\?\\UNC\\")) return std::filesystem::path(L"\\\\" + name.substr(8));
    if (name.starts_with(L"\\\\?\\") && name.size() > 5 && name[5] == L':') {
      return std::filesystem::path(name.substr(4));
    }
    return std::filesystem::path(name);
  }

  bool MayWrite(const std::filesystem::path& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // nothing there
    if (attributes & FILE_ATTRIBUTE_READONLY) return false;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return true;
    // The rights the file's access list gives the user: opening it for
    // writing asks, and changes nothing.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ::CloseHandle(file);
      return true;
    }
    return ::GetLastError() != ERROR_ACCESS_DENIED;
  }

  // Windows has no mode: the attributes that a user sets (read-only is
  // refused before) go over. The new file's access list is the folder's, as
  // for any file created there.
  bool KeepAttributes(const std::filesystem::path& from, const std::filesystem::path& to) override {
    const DWORD attributes = ::GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return ::SetFileAttributesW(to.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) != 0;
  }
#else
  std::filesystem::path WriteTarget(const std::filesystem::path& path) override {
    std::filesystem::path target = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
      struct stat info {};
      // Nothing there: a new file; but a link that names nothing is dangling.
      if (::lstat(target.c_str(), &info) != 0) return hop == 0 ? target : std::filesystem::path();
      if (!S_ISLNK(info.st_mode)) return target;
      std::error_code error;
      const std::filesystem::path next = std::filesystem::read_symlink(target, error);
      if (error) return {};
      target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return {};  // a loop, or a chain longer than the system follows
  }

  bool MayWrite(const std::filesystem::path& path) override {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0) return true;
    return errno == ENOENT;
  }

  bool KeepAttributes(const std::filesystem::path& from, const std::filesystem::path& to) override {
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0) {
      return ::chmod(to.c_str(), 0666 & ~CurrentUmask()) == 0;  // as any new file
    }
    // The owner before the mode: a change of owner clears the set-ID bits.
    // Only the superuser may give a file away; the group may still be one of
    // the user's own.
    if (::chown(to.c_str(), info.st_uid, info.st_gid) != 0) {
      const int group_kept = ::chown(to.c_str(), static_cast<uid_t>(-1), info.st_gid);
      (void)group_kept;  // best effort: the file is then the user's group's
    }
    return ::chmod(to.c_str(), info.st_mode & 07777) == 0;
  }
#endif

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
