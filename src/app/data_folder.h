// Where the program keeps its data files (Кабель.ini, Блок.ini, Tarvel.ini,
// Copy.ini, Замена блоков.ini, the reports). From its build folder or a zip
// it works in the current folder; installed, in a folder of the user's own.
#pragma once

#include <filesystem>

namespace luch {

// Where an installed program finds its samples, from the folder of its
// executable.
inline constexpr const char* kSamplesBesideProgram = "../share/luch/examples";

// The samples folder of the program at `executable`, or an empty path when
// there is none (the program is not installed).
std::filesystem::path InstalledSamples(const std::filesystem::path& executable);

// The user's own data folder: $XDG_DATA_HOME/luch, or $HOME/.local/share/luch
// when XDG_DATA_HOME is unset, empty or not absolute. Empty when neither
// variable gives an absolute path. Either argument may be null.
std::filesystem::path OwnDataFolder(const char* xdg_data_home, const char* home);

// The folder to work in: `current` when there are no samples (not installed),
// when `current` already holds Кабель.ini or Блок.ini, or when `own` is
// empty; `own` otherwise.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& current,
                                       const std::filesystem::path& samples,
                                       const std::filesystem::path& own);

// Creates `folder` (and its parents) when missing and, when it holds nothing,
// copies the files of `samples` into it. Never replaces a file. Returns false
// when `folder` is not a folder afterwards.
bool PrepareDataFolder(const std::filesystem::path& folder, const std::filesystem::path& samples);

}  // namespace luch
