#include "app/project_lock.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

#include "common/file_io.h"
#include "common/profile_file.h"

#ifdef _WIN32
#include "common/windows_api.h"
#else
#include <unistd.h>
#endif

namespace luch {
namespace {

constexpr const char* kSection = "Открыт";
constexpr const char* kKeyUser = "Пользователь";
constexpr const char* kKeyComputer = "Компьютер";
constexpr const char* kKeySince = "С";  // seconds since 1970, UTC

#ifdef _WIN32
// Wide, so that a Cyrillic user name comes whole whatever the code page.
std::string Environment(const wchar_t* name) {
  const wchar_t* value = ::_wgetenv(name);
  return value ? PathToUtf8(std::filesystem::path(value)) : std::string();
}
#endif

}  // namespace

LockHolder ThisHolder(std::chrono::system_clock::time_point now) {
  LockHolder holder;
  holder.since = now;
#ifdef _WIN32
  holder.user = Environment(L"USERNAME");
  holder.computer = Environment(L"COMPUTERNAME");
#else
  for (const char* name : {"USER", "LOGNAME"}) {
    if (const char* value = std::getenv(name); value && *value) {
      holder.user = value;
      break;
    }
  }
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) holder.computer = host;
#endif
  return holder;
}

std::string LockHolderText(const LockHolder& holder) {
  ProfileFile file;
  file.WriteString(kSection, kKeyUser, holder.user);
  file.WriteString(kSection, kKeyComputer, holder.computer);
  file.WriteInteger(
      kSection, kKeySince,
      std::chrono::duration_cast<std::chrono::seconds>(holder.since.time_since_epoch()).count());
  return file.ToBytes();
}

std::optional<LockHolder> ReadLockHolder(const std::filesystem::path& lock_path,
                                         FileSystem& files) {
  const ProfileFile file(lock_path, files);
  if (!file.SectionExists(kSection)) return std::nullopt;
  LockHolder holder;
  holder.user = file.ReadString(kSection, kKeyUser, "");
  holder.computer = file.ReadString(kSection, kKeyComputer, "");
  const std::string since = file.ReadString(kSection, kKeySince, "");
  int64_t seconds = 0;
  std::from_chars(since.data(), since.data() + since.size(), seconds);
  holder.since = std::chrono::system_clock::time_point(std::chrono::seconds(seconds));
  return holder;
}

std::string HolderDescription(const std::optional<LockHolder>& holder, const Locale& locale) {
  if (!holder) return {};
  std::string text;
  const auto add = [&text](const std::string& part) {
    if (part.empty()) return;
    text += (text.empty() ? "" : ", ") + part;
  };
  if (!holder->user.empty()) add("пользователь " + holder->user);
  if (!holder->computer.empty()) add("компьютер " + holder->computer);
  add("с " + locale.FormatDateTime(holder->since));
  return text;
}

}  // namespace luch
