#include "common/file_io.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "common/cp1251.h"

#ifdef _WIN32
#include <io.h>
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

// Writes and flushes the bytes to the disk; false on any failure.
bool WriteAndSync(const std::filesystem::path& path, std::string_view bytes) {
#ifdef _WIN32
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return static_cast<bool>(out);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
#endif
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
  if (size < 0) return false;
  in.seekg(0, std::ios::beg);
  bytes.resize(static_cast<size_t>(size));
  in.read(bytes.data(), size);
  if (in.gcount() != size) {
    bytes.clear();
    return false;
  }
  return true;
}

bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes) {
  if (g_fail_writes) return false;
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  const std::filesystem::path temp = TemporaryNameBeside(path);
  if (!WriteAndSync(temp, bytes)) {
    std::filesystem::remove(temp, error);
    return false;
  }
  std::filesystem::rename(temp, path, error);
  if (error) {
    std::filesystem::remove(temp, error);
    return false;
  }
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
  if (!ReadFileBytes(path, bytes)) return false;
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
