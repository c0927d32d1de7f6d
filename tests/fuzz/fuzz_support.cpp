#include "fuzz_support.h"

#include <unistd.h>

#include <map>
#include <system_error>

#include "common/file_io.h"

namespace luch::fuzz {
namespace {

// In memory where the system has it: every save syncs its file to the disk,
// which would otherwise take most of the time of a run.
std::filesystem::path MakeDataDir() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string pattern = (base / "luch-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  return pattern;
}

}  // namespace

const std::filesystem::path& DataDir() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path made = MakeDataDir();
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(DataDir(), error);
    });
    return made;
  }();
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
