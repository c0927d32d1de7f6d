#include "app/data_folder.h"

#include <system_error>

#include "common/file_io.h"

namespace luch {

namespace fs = std::filesystem;

fs::path InstalledSamples(const fs::path& executable) {
  std::error_code error;
  const fs::path samples = (executable.parent_path() / kSamplesBesideProgram).lexically_normal();
  return fs::is_directory(samples, error) ? samples : fs::path();
}

fs::path OwnDataFolder(const char* xdg_data_home, const char* home) {
  // Relative values are to be ignored: they would depend on where the
  // program happens to be started.
  if (xdg_data_home != nullptr) {
    const fs::path data_home = Utf8Path(xdg_data_home);
    if (data_home.is_absolute()) return data_home / "luch";
  }
  if (home != nullptr) {
    const fs::path home_path = Utf8Path(home);
    if (home_path.is_absolute()) return home_path / ".local" / "share" / "luch";
  }
  return {};
}

fs::path ChooseDataFolder(const fs::path& current, const fs::path& samples, const fs::path& own) {
  if (samples.empty() || own.empty()) return current;
  // A folder of libraries that the user starts the program in is his choice.
  if (FileExists(current / Utf8Path("Кабель.ini")) || FileExists(current / Utf8Path("Блок.ini"))) {
    return current;
  }
  return own;
}

bool PrepareDataFolder(const fs::path& folder, const fs::path& samples) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return false;
  if (samples.empty() || !fs::is_empty(folder, error) || error) return true;
  for (fs::directory_iterator it(samples, error), end; !error && it != end; it.increment(error)) {
    std::error_code copy_error;  // a sample that cannot be copied is left out
    if (!it->is_regular_file(copy_error)) continue;
    fs::copy_file(it->path(), folder / it->path().filename(), fs::copy_options::skip_existing,
                  copy_error);
  }
  return true;
}

}  // namespace luch
