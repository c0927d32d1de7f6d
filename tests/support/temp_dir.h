// A fresh empty folder for one test, removed at its end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace luch::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A path inside the folder from a UTF-8 name.
  std::filesystem::path operator/(std::string_view utf8_name) const;
  // Writes raw bytes into a file of the folder.
  void Write(std::string_view utf8_name, std::string_view bytes) const;
  // Reads a file's raw bytes (empty when missing).
  std::string Read(std::string_view utf8_name) const;

 private:
  std::filesystem::path path_;
};

}  // namespace luch::testing
