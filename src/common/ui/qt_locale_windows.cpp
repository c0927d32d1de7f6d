// QtLocale on Windows: the separator and the short date and long time forms as
// the user set them under the regional settings, asked of Windows itself.
#include <QString>
#include <cstdint>

#include "common/ui/qt_platform.h"
#include "common/windows_api.h"

namespace luch {
namespace {

// Windows' FILETIME counts 100 ns ticks from 1601-01-01 UTC.
using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10'000'000>>;
constexpr int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;

SYSTEMTIME LocalTime(std::chrono::system_clock::time_point when) {
  const int64_t ticks =
      std::chrono::duration_cast<Ticks>(when.time_since_epoch()).count() + kTicksFrom1601To1970;
  FILETIME file_time{static_cast<DWORD>(static_cast<uint64_t>(ticks) & 0xFFFF'FFFFu),
                     static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FileTimeToSystemTime(&file_time, &utc);
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return utc;
  return local;
}

}  // namespace

char QtLocale::DecimalSeparator() const {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return '.';
  return separator[0] == L',' ? ',' : '.';
}

std::string QtLocale::FormatDateTime(std::chrono::system_clock::time_point when) const {
  const SYSTEMTIME moment = LocalTime(when);
  wchar_t date[128] = {};
  wchar_t time[128] = {};
  GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, date, 128, nullptr);
  GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &moment, nullptr, time, 128);
  return (QString::fromWCharArray(date) + " " + QString::fromWCharArray(time)).toStdString();
}

}  // namespace luch
