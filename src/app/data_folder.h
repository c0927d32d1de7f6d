// Where the program keeps its data files (Кабель.ini, Блок.ini, Tarvel.ini,
// Copy.ini, Замена блоков.ini, the reports): the same rule on every system,
// whether it is started from a terminal, a menu, a file manager or an
// unpacked zip.
#pragma once

#include <filesystem>
#include <functional>

namespace luch {

// Where an installed program finds its samples, from the folder of its
// executable: beside the installed tree on Linux, a folder beside luch.exe on
// Windows.
#ifdef _WIN32
inline constexpr const char* kSamplesBesideProgram = "examples";
#else
inline constexpr const char* kSamplesBesideProgram = "../share/luch/examples";
#endif

// The samples folder of the program at `executable` (for an unpacked zip
// without one, the program's own folder when it holds the libraries), or an
// empty path when there is none (the program is not installed).
std::filesystem::path InstalledSamples(const std::filesystem::path& executable);

// The user's own data folder on Linux: $XDG_DATA_HOME/luch, or
// $HOME/.local/share/luch when XDG_DATA_HOME is unset, empty or not absolute.
// Empty when neither variable gives an absolute path. Either argument may be
// null.
std::filesystem::path OwnDataFolder(const char* xdg_data_home, const char* home);

// The user's own data folder of this system: %APPDATA%\Луч on Windows,
// OwnDataFolder of the environment elsewhere. Empty when there is none.
std::filesystem::path UserDataFolder();

// The running program's executable; empty when the system does not tell.
std::filesystem::path ExecutablePath();

// True when `folder` holds Кабель.ini or Блок.ini.
bool HoldsLibraries(const std::filesystem::path& folder);

// True when a file can be created in `folder` (tried with a file that is
// removed at once: permissions alone do not tell on every system).
bool FolderIsWritable(const std::filesystem::path& folder);

// The folder to work in, the first of: `current` when it holds libraries and
// `writable` says it may be written; `program` (the executable's folder, an
// unpacked zip) likewise; `own`; `current` when `own` is empty.
std::filesystem::path ChooseDataFolder(
    const std::filesystem::path& current, const std::filesystem::path& program,
    const std::filesystem::path& own,
    const std::function<bool(const std::filesystem::path&)>& writable = FolderIsWritable);

// Creates `folder` (and its parents) when missing and, while it holds no
// library, copies the data files of `samples` into it (*.ini, *.луч) and,
// when it has no Tarvel.ini, names the first sample project there as the
// last one, so that the first start opens it. Never replaces a file.
// Returns false when `folder` is not a folder afterwards.
bool PrepareDataFolder(const std::filesystem::path& folder, const std::filesystem::path& samples);

// The data folder of a program at `executable` started in `current`, by
// ChooseDataFolder; the user's folder `own` is prepared with the installed
// samples. Empty when that folder cannot be made.
std::filesystem::path OpenDataFolder(const std::filesystem::path& current,
                                     const std::filesystem::path& executable,
                                     const std::filesystem::path& own);

}  // namespace luch
