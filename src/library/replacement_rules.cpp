#include "library/replacement_rules.h"

#include "common/file_io.h"

namespace luch {

bool AppendReplacementRule(const std::filesystem::path& data_dir, std::string_view old_name,
                           std::string_view new_name, FileSystem& files) {
  const std::filesystem::path path = data_dir / Utf8Path(kReplacementFileName);
  std::vector<std::string> lines;
  // A missing file starts empty; one that is there but cannot be read (too
  // large, no rights) is left alone rather than replaced by this one rule.
  if (!ReadTextLines(path, lines, files) && files.FileExists(path)) return false;
  lines.push_back(std::string(old_name) + ">" + std::string(new_name));
  return WriteTextLines(path, lines, files);
}

}  // namespace luch
