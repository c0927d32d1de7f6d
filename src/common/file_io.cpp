#include "common/file_io.h"

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "common/cp1251.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace luch {
namespace {

std::atomic<bool> g_fail_writes{false};

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& path) {
  static std::mt19937_64 random{std::random_device{}()};
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(random() % 1000000000);
  return temp;
}

enum class Written { kOk, kNoRight, kFailed };

// Writes and flushes the bytes to the disk: into a new file when `create`, or
// over the content of an existing one. kNoRight when the file cannot be
// opened for lack of rights, kFailed on any other failure.
Written WriteAndSync(const std::filesystem::path& path, std::string_view bytes, bool create) {
#ifdef _WIN32
  // Wide-character name: Cyrillic folders and files work whatever the ANSI code page.
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, create ? CREATE_ALWAYS : TRUNCATE_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ::GetLastError() == ERROR_ACCESS_DENIED ? Written::kNoRight : Written::kFailed;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
    done += written;
  }
  ok = ok && ::FlushFileBuffers(file);
  return ::CloseHandle(file) && ok ? Written::kOk : Written::kFailed;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) return errno == EACCES || errno == EPERM ? Written::kNoRight : Written::kFailed;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      return Written::kFailed;
    }
    done += static_cast<size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced ? Written::kOk : Written::kFailed;
#endif
}

// Puts the finished temporary file in the place of `path` in one step.
bool MoveOverTarget(const std::filesystem::path& temp, const std::filesystem::path& path) {
#ifdef _WIN32
  // The rename reaches the disk before the call returns. A virus scanner, an
  // indexer or a backup tool may hold the old file for a moment: try again
  // briefly then (a read-only target stays refused and costs 0.2 s).
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExW(temp.c_str(), path.c_str(),
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
  std::filesystem::rename(temp, path, error);
  return !error;
#endif
}

// Makes the rename itself durable (after a power cut the folder could still
// name the old file); best effort. Windows: MoveOverTarget writes through.
void SyncFolderOf([[maybe_unused]] const std::filesystem::path& path) {
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
// left behind.
void RemoveStaleTemporaries(const std::filesystem::path& path) {
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

}  // namespace

std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileNameOf(std::string_view utf8_path) {
  const size_t slash = utf8_path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? utf8_path : utf8_path.substr(slash + 1));
}

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

bool RemoveFile(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  return !std::filesystem::exists(path, error);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
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

size_t CountLines(std::string_view bytes) {
  size_t lines = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++lines;
    }
  }
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') ++lines;
  return lines;
}

bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  if (g_fail_writes) return false;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  const std::filesystem::path temp = TemporaryNameBeside(path);
  const Written written = WriteAndSync(temp, bytes, /*create=*/true);
  if (written == Written::kNoRight && FileExists(path)) {
    // A folder the user may not write to, holding a file he may write: the
    // file is written in place, the one way there is (not crash-safe).
    return WriteAndSync(path, bytes, /*create=*/false) == Written::kOk;
  }
  if (written != Written::kOk) {
    std::filesystem::remove(temp, error);
    return false;
  }
  if (!MoveOverTarget(temp, path)) {
    std::filesystem::remove(temp, error);
    return false;
  }
  SyncFolderOf(path);
  RemoveStaleTemporaries(path);
  return true;
}

bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return WriteFileAtomic(path, Utf8ToCp1251(text));
}

bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines) {
  lines.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes) || CountLines(bytes) > kMaxFileLines) return false;
  const std::string text = Cp1251ToUtf8(bytes);
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return true;
}

void SetWriteFailureForTesting(bool fail) { g_fail_writes = fail; }

}  // namespace luch
