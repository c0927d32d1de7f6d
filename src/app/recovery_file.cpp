#include "app/recovery_file.h"

#include <charconv>
#include <cstdint>

#include "common/file_io.h"
#include "common/percent_escape.h"
#include "common/profile_file.h"
#include "project/project_file.h"

namespace luch {
namespace {

constexpr const char* kSection = "Восстановление";
constexpr const char* kKeyFile = "Файл";        // PercentEscaped: any path comes back whole
constexpr const char* kKeyWritten = "Записан";  // seconds since 1970, UTC
constexpr const char* kKeyEditU = "Напряжение КМУ";

}  // namespace

std::filesystem::path RecoveryPath(const std::filesystem::path& data_dir) {
  return data_dir / Utf8Path(kRecoveryFileName);
}

bool WriteRecoveryFile(const std::filesystem::path& data_dir, const ProjectTable& table,
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
  return file.SaveAs(RecoveryPath(data_dir));
}

std::optional<RecoveryInfo> FindRecoveryFile(const std::filesystem::path& data_dir,
                                             FileSystem& files) {
  const std::filesystem::path path = RecoveryPath(data_dir);
  if (!files.FileExists(path)) return std::nullopt;
  const ProfileFile file(path, files);
  if (!file.SectionExists("Луч")) return std::nullopt;
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

bool LoadRecoveryFile(const std::filesystem::path& data_dir, ProjectTable& table,
                      ProjectParameters& params, FileSystem& files) {
  const std::filesystem::path path = RecoveryPath(data_dir);
  if (!LoadProjectFile(path, table, params, files)) return false;
  const ProfileFile file(path, files);
  if (file.KeyExists(kSection, kKeyEditU)) params.EditU = file.ReadString(kSection, kKeyEditU, "");
  return true;
}

}  // namespace luch
