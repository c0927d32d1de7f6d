#include "app/data_folder.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <system_error>

#include "common/file_io.h"
#include "common/file_system.h"
#include "common/profile_file.h"
#include "common/settings_file.h"
#include "library/block_library.h"
#include "library/cable_library.h"

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <unistd.h>
#endif

namespace luch {

namespace fs = std::filesystem;

fs::path InstalledSamples(const fs::path& executable) {
  std::error_code error;
  const fs::path samples = (executable.parent_path() / kSamplesBesideProgram).lexically_normal();
  if (fs::is_directory(samples, error)) return samples;
  // An unpacked zip has its libraries beside the program.
  return HoldsLibraries(executable.parent_path()) ? executable.parent_path() : fs::path();
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

#ifdef _WIN32

fs::path UserDataFolder() {
  // The wide variable: the ANSI one loses a user name outside its code page.
  const DWORD size = ::GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
  if (size <= 1) return {};
  std::wstring value(size, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", value.data(), size);
  if (length == 0 || length >= size) return {};
  value.resize(length);
  const fs::path app_data(value);
  return app_data.is_absolute() ? app_data / Utf8Path("Луч") : fs::path();
}

fs::path ExecutablePath() {
  std::wstring name(32768, L'\0');
  const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return {};
  name.resize(length);
  return fs::path(name);
}

#else

fs::path UserDataFolder() {
  return OwnDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

fs::path ExecutablePath() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error);
}

#endif

bool HoldsLibraries(const fs::path& folder) {
  return FileExists(folder / Utf8Path(kCableFileName)) ||
         FileExists(folder / Utf8Path(kBlockFileName));
}

bool FolderIsWritable(const fs::path& folder) {
#ifdef _WIN32
  const std::string probe_name = ".luch-probe-" + std::to_string(::GetCurrentProcessId());
#else
  const std::string probe_name = ".luch-probe-" + std::to_string(::getpid());
#endif
  const fs::path probe = folder / probe_name;
  FileSystem& files = RealFileSystem();
  if (files.Exists(probe)) return false;  // not ours: never touched
  FileSystem::OpenFailure failure = FileSystem::OpenFailure::kNone;
  std::unique_ptr<WritableFile> file = files.OpenForWriting(probe, /*create=*/true, failure);
  if (!file) return false;
  file->Close();
  files.RemoveFile(probe);
  return true;
}

fs::path ChooseDataFolder(const fs::path& current, const fs::path& program, const fs::path& own,
                          const std::function<bool(const fs::path&)>& writable) {
  // A folder of libraries that the user starts the program in is his choice,
  // unless he may not write there (a zip unpacked under Program Files and
  // started from its own folder).
  if (HoldsLibraries(current) && writable(current)) return current;
  // An unpacked zip keeps its data beside the program, unless the program
  // was put where the user may not write.
  if (!program.empty() && HoldsLibraries(program) && writable(program)) return program;
  return own.empty() ? current : own;
}

bool IsSampleFile(const fs::path& file) {
  const std::string extension = PathToUtf8(file.extension());
  return extension == ".ini" || extension == ".луч";
}

bool PrepareDataFolder(const fs::path& folder, const fs::path& samples) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) return false;
  if (samples.empty() || HoldsLibraries(folder)) return true;
  std::string first_project;
  for (fs::directory_iterator it(samples, error), end; !error && it != end; it.increment(error)) {
    std::error_code copy_error;  // a sample that cannot be copied is left out
    // The program's own folder holds more than samples (the program, its manual).
    if (!it->is_regular_file(copy_error) || !IsSampleFile(it->path())) continue;
    if (fs::copy_file(it->path(), folder / it->path().filename(), fs::copy_options::skip_existing,
                      copy_error) &&
        it->path().extension() == Utf8Path(".луч") &&
        (first_project.empty() || PathToUtf8(it->path().filename()) < first_project)) {
      first_project = PathToUtf8(it->path().filename());
    }
  }
  // The first start shows a sample project, not an empty table: once, as the
  // last project of a run that never was.
  const fs::path settings = folder / Utf8Path(kSettingsFileName);
  if (!first_project.empty() && !fs::exists(settings, error)) {
    ProfileFile file(settings);
    file.WriteString("Main", "FileName", first_project);
    file.Save();
  }
  return true;
}

fs::path OpenDataFolder(const fs::path& current, const fs::path& executable, const fs::path& own) {
  const fs::path folder = ChooseDataFolder(current, executable.parent_path(), own);
  if (folder != own) return folder;
  return PrepareDataFolder(folder, InstalledSamples(executable)) ? folder : fs::path();
}

}  // namespace luch
