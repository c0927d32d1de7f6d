#include "app/recovery_file.h"

#include <charconv>
#include <cstdint>

#include "common/file_io.h"
#include "common/percent_escape.h"
#include "common/profile_file.h"
#include "project/project_file.h"
#include "project/row_format.h"

namespace luch {
namespace {

constexpr const char* kSection = "Восстановление";
constexpr const char* kKeyFile = "Файл";        // PercentEscaped: any path comes back whole
constexpr const char* kKeyWritten = "Записан";  // seconds since 1970, UTC
constexpr const char* kKeyEditU = "Напряжение КМУ";

}  // namespace

std::filesystem::path RecoveryPath(const std::filesystem::path& data_dir, int slot) {
  const std::string number = slot == 1 ? "" : " " + std::to_string(slot);
  return data_dir / Utf8Path("Несохраненный проект" + number + ".bak");
}

RecoverySlot TakeFreeRecoverySlot(const std::filesystem::path& data_dir, FileSystem& files) {
  for (int slot = 1; slot <= kMaxRecoverySlots; ++slot) {
    const std::filesystem::path path = RecoveryPath(data_dir, slot);
    if (files.Exists(path)) continue;  // a running copy's, or one left to offer
    std::unique_ptr<FileLock> lock = files.TryLock(LockPathOf(path), "");
    // Taken between the test and the lock by a copy that has left its file.
    if (lock && !files.Exists(path)) return {path, std::move(lock), std::nullopt};
  }
  return {};
}

std::vector<RecoverySlot> TakeLeftRecoveryFiles(const std::filesystem::path& data_dir,
                                                FileSystem& files) {
  std::vector<RecoverySlot> left;
  for (int slot = 1; slot <= kMaxRecoverySlots; ++slot) {
    const std::filesystem::path path = RecoveryPath(data_dir, slot);
    if (!files.FileExists(path)) continue;
    std::unique_ptr<FileLock> lock = files.TryLock(LockPathOf(path), "");
    if (!lock) continue;  // its copy is running
    std::optional<RecoveryInfo> info = FindRecoveryFile(path, files);
    if (info) left.push_back({path, std::move(lock), std::move(info)});
  }
  return left;
}

bool WriteRecoveryFile(const std::filesystem::path& path, const ProjectTable& table,
                       const ProjectParameters& params, const RecoveryInfo& info,
                       char decimal_separator, FileSystem& files) {
  ProfileFile file(std::filesystem::path(), files);
  WriteProjectKeys(file, table, params, decimal_separator);
  WriteCarriedTypes(file, info.carried);
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(info.written.time_since_epoch()).count();
  file.WriteString(kSection, kKeyFile, PercentEscaped(info.project_file_name));
  file.WriteString(kSection, kKeyWritten, std::to_string(seconds));
  file.WriteString(kSection, kKeyEditU, QuotedIfNeeded(params.EditU));
  // Whatever the rows hold, even what the project file cannot.
  return file.SaveAsUtf8(path);
}

std::optional<RecoveryInfo> FindRecoveryFile(const std::filesystem::path& path, FileSystem& files) {
  if (!files.FileExists(path)) return std::nullopt;
  const ProfileFile file(path, files);
  if (!file.SectionExists(ray_format::kSection)) return std::nullopt;
  RecoveryInfo info;
  const std::string name = file.ReadString(kSection, kKeyFile, "");
  info.project_file_name = PercentUnescaped(name).value_or(name);
  const std::string written = file.ReadString(kSection, kKeyWritten, "");
  int64_t seconds = 0;  // unreadable: shown as 1970, still offered
  std::from_chars(written.data(), written.data() + written.size(), seconds);
  info.written = std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
  info.carried = ReadCarriedTypes(file);
  return info;
}

bool LoadRecoveryFile(const std::filesystem::path& path, ProjectTable& table,
                      ProjectParameters& params, FileSystem& files) {
  if (!LoadProjectFile(path, table, params, files)) return false;
  const ProfileFile file(path, files);
  if (file.KeyExists(kSection, kKeyEditU)) params.EditU = file.ReadString(kSection, kKeyEditU, "");
  return true;
}

}  // namespace luch
