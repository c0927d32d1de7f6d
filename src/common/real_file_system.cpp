// The computer's own files: POSIX calls on Linux, wide-character Win32 calls
// on Windows (Cyrillic folders and files work whatever the ANSI code page).
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "common/file_io.h"
#include "common/file_system.h"

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace luch {
namespace {

// The longest chain of links followed, as the systems' own limit (Linux: 40).
constexpr int kMaxLinkHops = 40;

// Whether `name` is `prefix` followed by one or more digits.
bool IsNumberedAfter(const std::filesystem::path::string_type& name,
                     const std::filesystem::path::string_type& prefix) {
  return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
         std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](auto c) { return c >= '0' && c <= '9'; });
}

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
  bool Reserve(std::uintmax_t size) override {
    LARGE_INTEGER current{};
    if (!::GetFileSizeEx(file_, &current)) return false;
    if (size <= static_cast<std::uintmax_t>(current.QuadPart)) return true;
    FILE_ALLOCATION_INFO info{};
    info.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    if (::SetFileInformationByHandle(file_, FileAllocationInfo, &info, sizeof info)) return true;
    if (::GetLastError() == ERROR_DISK_FULL) return false;
    // Where the room cannot be reserved apart, the file is lengthened to it
    // (the writer cuts it to its size afterwards).
    LARGE_INTEGER end{}, start{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file_) &&
           ::SetFilePointerEx(file_, start, nullptr, FILE_BEGIN);
  }
  bool Truncate(std::uintmax_t size) override {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    return ::SetFilePointerEx(file_, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file_);
  }

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
  // The lock tells the clean-up of other writes that the file is in use.
  explicit RealWritableFile(int fd) : fd_(fd) { ::flock(fd_, LOCK_EX | LOCK_NB); }
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
  bool Reserve(std::uintmax_t size) override {
    const auto length = static_cast<off_t>(size);
#ifdef __linux__
    // The room without a change of size, so that a kill leaves the old file.
    if (::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, length) == 0) return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS) return false;
#endif
    return ::posix_fallocate(fd_, 0, length) == 0;
  }
  bool Truncate(std::uintmax_t size) override {
    return ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
  }

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
    // Shared for deletion, so that the written file can be renamed into its
    // place while it is open; RemoveLeftTemporaries still sees it in use.
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                      create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
        ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : 0), 0600);
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

  // The temporary files of `path` ("<name>.tmp" and digits), or for a folder
  // every one of ours in it, that no write has open: what a killed write left.
  void RemoveLeftTemporaries(const std::filesystem::path& path) override {
    const bool whole_folder = IsDirectory(path);
    const std::filesystem::path folder = whole_folder             ? path
                                         : path.has_parent_path() ? path.parent_path()
                                                                  : ".";
    const auto prefix = path.filename().native() + std::filesystem::path(".tmp").native();
    std::vector<std::filesystem::path> left;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      const auto name = it->path().filename().native();
      if (whole_folder ? TemporaryOfOurs(PathToUtf8(it->path().filename()))
                       : IsNumberedAfter(name, prefix)) {
        left.push_back(it->path());
      }
    }
    for (const std::filesystem::path& file : left) RemoveIfUnused(file);
  }

  std::unique_ptr<FileLock> TryLock(const std::filesystem::path& path,
                                    std::string_view holder) override;

 private:
  // Removes a regular file that nobody has open for writing.
  static void RemoveIfUnused(const std::filesystem::path& file) {
#ifdef _WIN32
    // No sharing: refused while any write has it open; gone when closed.
    const HANDLE handle =
        ::CreateFileW(file.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
#else
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(file.c_str());
    }
    ::close(fd);
#endif
  }
};

#ifdef _WIN32
// Held by a handle that shares reading only: another TryLock (which asks to
// write) is refused until it is closed, by Release or by the end of the
// process; a reader still reads the holder's text.
class RealFileLock final : public FileLock {
 public:
  RealFileLock(HANDLE handle, std::filesystem::path path)
      : handle_(handle), path_(std::move(path)) {}
  ~RealFileLock() override {
    ::CloseHandle(handle_);
    // Refused when another holder took it meanwhile: it is theirs.
    ::DeleteFileW(path_.c_str());
  }

 private:
  HANDLE handle_;
  std::filesystem::path path_;
};

std::unique_ptr<FileLock> RealFiles::TryLock(const std::filesystem::path& path,
                                             std::string_view holder) {
  const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  DWORD written = 0;
  ::SetEndOfFile(handle);
  ::WriteFile(handle, holder.data(), static_cast<DWORD>(holder.size()), &written, nullptr);
  return std::make_unique<RealFileLock>(handle, path);
}
#else
// An flock on an open file: it belongs to this open file alone (a second
// TryLock in the same process is refused too) and ends with the process.
class RealFileLock final : public FileLock {
 public:
  RealFileLock(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  ~RealFileLock() override {
    // Removed while still held, so that nobody takes a file about to go.
    ::unlink(path_.c_str());
    ::close(fd_);
  }

 private:
  int fd_;
  std::filesystem::path path_;
};

std::unique_ptr<FileLock> RealFiles::TryLock(const std::filesystem::path& path,
                                             std::string_view holder) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      return nullptr;
    }
    // The former holder may have removed the file between the open and the
    // lock: then the lock is on a file nobody else sees, and the one now at
    // `path` is taken instead.
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
      if (::ftruncate(fd, 0) == 0) {
        const ssize_t written = ::write(fd, holder.data(), holder.size());
        (void)written;  // the text only informs; the lock is what counts
      }
      return std::make_unique<RealFileLock>(fd, path);
    }
    ::close(fd);
  }
  return nullptr;
}
#endif

}  // namespace

FileSystem& RealFileSystem() {
  static RealFiles files;
  return files;
}

}  // namespace luch
