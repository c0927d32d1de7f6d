#include "common/settings_file.h"

#include <algorithm>

#include "common/file_io.h"

namespace luch {

ProfileFile OpenSettingsFile(const std::filesystem::path& data_dir, FileSystem& files) {
  return ProfileFile(data_dir / Utf8Path(kSettingsFileName), files);
}

bool SaveOrReport(const ProfileFile& file, MessageBoxes& messages) {
  if (file.Save()) return true;
  messages.ShowError(WriteFailureText(PathToUtf8(file.path())));
  return false;
}

WindowGeometry ReadWindowGeometry(const ProfileFile& settings, std::string_view section,
                                  const WindowGeometry& design, const Screen& screen) {
  WindowGeometry g;
  g.top = settings.ReadInteger(section, "Top", design.top);
  g.left = settings.ReadInteger(section, "Left", design.left);
  g.height = settings.ReadInteger(section, "Height", design.height);
  g.width = settings.ReadInteger(section, "Width", design.width);
  // A window saved on a larger screen would hang off this one, out of reach.
  g.width = std::min(g.width, screen.Width());
  g.height = std::min(g.height, screen.Height());
  if (g.left >= screen.Width()) g.left = screen.Width() - g.width;
  if (g.top >= screen.Height()) g.top = screen.Height() - g.height;
  // A window whose far edge is off a small screen (its buttons out of reach)
  // comes back as far as it must; one that fits stays where it was.
  if (g.left > 0 && g.left + g.width > screen.Width()) {
    g.left = std::max(0, screen.Width() - g.width);
  }
  if (g.top > 0 && g.top + g.height > screen.Height()) {
    g.top = std::max(0, screen.Height() - g.height);
  }
  return g;
}

void WriteWindowGeometry(ProfileFile& settings, std::string_view section,
                         const WindowGeometry& geometry) {
  settings.WriteInteger(section, "Top", geometry.top);
  settings.WriteInteger(section, "Left", geometry.left);
  settings.WriteInteger(section, "Height", geometry.height);
  settings.WriteInteger(section, "Width", geometry.width);
}

WindowGeometry LoadWindowGeometry(const std::filesystem::path& data_dir, std::string_view section,
                                  const WindowGeometry& design, const Platform& platform) {
  return ReadWindowGeometry(OpenSettingsFile(data_dir, *platform.files), section, design,
                            *platform.screen);
}

bool StoreWindowGeometry(const std::filesystem::path& data_dir, std::string_view section,
                         const WindowGeometry& geometry, const Platform& platform) {
  ProfileFile settings = OpenSettingsFile(data_dir, *platform.files);
  WriteWindowGeometry(settings, section, geometry);
  return SaveOrReport(settings, *platform.messages);
}

}  // namespace luch
