// Tarvel.ini, the settings file in the data directory, and the window places
// kept in it: one section per window with "Top", "Left", "Height", "Width".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/platform.h"
#include "common/profile_file.h"

namespace luch {

inline constexpr const char* kSettingsFileName = "Tarvel.ini";

// The settings file of a data directory, read whole.
ProfileFile OpenSettingsFile(const std::filesystem::path& data_dir,
                             FileSystem& files = RealFileSystem());

// Writes `file` and reports "Unable to write to <path>" through the error box
// when it cannot. Returns true on success.
bool SaveOrReport(const ProfileFile& file, MessageBoxes& messages);

struct WindowGeometry {
  int top = 0;
  int left = 0;
  int height = 0;
  int width = 0;
  bool operator==(const WindowGeometry&) const = default;
};

// Reads the four keys of `section` (each defaulting to `design`) and fits a
// window saved on a larger screen to this one: a Width or Height larger than
// the screen's becomes the screen's; then a Left at or beyond the screen width
// becomes screen width - width, a Top at or beyond the screen height becomes
// screen height - height, and a window whose far edge is off the screen moves
// back as far as it must (not beyond 0). Negative positions stay.
WindowGeometry ReadWindowGeometry(const ProfileFile& settings, std::string_view section,
                                  const WindowGeometry& design, const Screen& screen);

// Writes "Top", "Left", "Height", "Width" into `section`, in this order.
void WriteWindowGeometry(ProfileFile& settings, std::string_view section,
                         const WindowGeometry& geometry);

// Reads, pulls back, and is done: the common start of every window's FormCreate.
WindowGeometry LoadWindowGeometry(const std::filesystem::path& data_dir, std::string_view section,
                                  const WindowGeometry& design, const Platform& platform);

// Opens the settings file, writes the section and saves, reporting a failure.
bool StoreWindowGeometry(const std::filesystem::path& data_dir, std::string_view section,
                         const WindowGeometry& geometry, const Platform& platform);

}  // namespace luch
