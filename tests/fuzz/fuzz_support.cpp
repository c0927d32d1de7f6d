#include "fuzz_support.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <system_error>

#include "common/file_io.h"

namespace luch::fuzz {
namespace {

// In memory where the system has it: every save syncs its file to the disk,
// which would otherwise take most of the time of a run. Named after the
// process; libFuzzer may end a process without running exit handlers, so each
// start removes the folders of processes that are gone.
std::filesystem::path MakeDataDir() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  const std::string prefix = "luch-fuzz-";
  for (std::filesystem::directory_iterator it(base, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      std::filesystem::remove_all(it->path(), ignored);
    }
  }
  const std::filesystem::path dir = base / (prefix + std::to_string(::getpid()));
  std::filesystem::remove_all(dir, error);
  if (!std::filesystem::create_directory(dir, error)) {
    std::fprintf(stderr, "cannot make the fuzz data folder\n");
    std::abort();
  }
  return dir;
}

}  // namespace

const std::filesystem::path& DataDir() {
  static const std::filesystem::path dir = MakeDataDir();
  return dir;
}

std::filesystem::path PutFile(std::string_view utf8_name, std::string_view bytes) {
  const std::filesystem::path path = DataDir() / Utf8Path(utf8_name);
  if (!WriteFileAtomic(path, bytes)) {
    std::fprintf(stderr, "cannot write the fuzz input file\n");
    std::abort();
  }
  return path;
}

void DropFile(std::string_view utf8_name) {
  std::error_code error;
  std::filesystem::remove(DataDir() / Utf8Path(utf8_name), error);
}

std::vector<std::string_view> SplitParts(std::string_view input, size_t max_parts) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < max_parts) {
    const size_t at = input.find(kPartSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kPartSeparator.size());
  }
  parts.push_back(input);
  return parts;
}

const std::string& ExampleFile(std::string_view utf8_name) {
  static std::map<std::string, std::string, std::less<>> cache;
  auto it = cache.find(utf8_name);
  if (it == cache.end()) {
    std::string bytes;
    if (!ReadFileBytes(std::filesystem::path(LUCH_EXAMPLES_DIR) / Utf8Path(utf8_name), bytes)) {
      std::fprintf(stderr, "missing example file\n");
      std::abort();
    }
    it = cache.emplace(std::string(utf8_name), std::move(bytes)).first;
  }
  return it->second;
}

}  // namespace luch::fuzz
