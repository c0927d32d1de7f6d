#include "common/file_io.h"

#include "common/cp1251.h"
#include "common/savable_text.h"

namespace luch {

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

std::filesystem::path LockPathOf(const std::filesystem::path& path) {
  return path.parent_path() / Utf8Path(".~" + PathToUtf8(path.filename()) + ".lock");
}

bool FileExists(const std::filesystem::path& path, FileSystem& files) {
  return files.FileExists(path);
}

bool RemoveFile(const std::filesystem::path& path, FileSystem& files) {
  return files.RemoveFile(path);
}

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, FileSystem& files) {
  return files.ReadFile(path, bytes);
}

size_t CountLines(std::string_view bytes) {
  size_t lines = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
      ++lines;
    }
  }
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') ++lines;
  return lines;
}

bool WriteTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                    FileSystem& files) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  std::optional<std::string> bytes = ExactCp1251(text);
  if (!bytes) {
    SetLastWriteNote(UnsavableMessage(text));
    return false;
  }
  return WriteFileAtomic(files, path, *bytes);
}

bool ReadTextLines(const std::filesystem::path& path, std::vector<std::string>& lines,
                   FileSystem& files) {
  lines.clear();
  std::string bytes;
  if (!files.ReadFile(path, bytes) || CountLines(bytes) > kMaxFileLines) return false;
  const std::string text = FileTextToUtf8(bytes);
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

}  // namespace luch
