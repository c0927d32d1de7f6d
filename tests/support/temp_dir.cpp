#include "support/temp_dir.h"

#include <fstream>
#include <random>

#include "common/file_io.h"

namespace luch::testing {

TempDir::TempDir() {
  std::random_device device;
  const auto base = std::filesystem::temp_directory_path();
  do {
    path_ = base / ("luch-test-" + std::to_string(device()));
  } while (std::filesystem::exists(path_));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
}

std::filesystem::path TempDir::operator/(std::string_view utf8_name) const {
  return path_ / Utf8Path(utf8_name);
}

void TempDir::Write(std::string_view utf8_name, std::string_view bytes) const {
  std::ofstream out(*this / utf8_name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::Read(std::string_view utf8_name) const {
  std::string bytes;
  ReadFileBytes(*this / utf8_name, bytes);
  return bytes;
}

}  // namespace luch::testing
