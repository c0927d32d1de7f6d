#include "common/headless_platform.h"

#include <ctime>

#include "common/file_system.h"
#include "common/number_text.h"

namespace luch {

HeadlessPlatform::HeadlessPlatform(char decimal_separator) {
  locale_.separator = decimal_separator;
}

Platform HeadlessPlatform::platform() {
  return Platform{&prompts_, &messages_, &dialogs_, &launcher_,        &clock_,
                  &locale_,  &screen_,   &wait_,    &RealFileSystem(), &clipboard_};
}

std::string HeadlessPlatform::FixedLocale::FormatDateTime(
    std::chrono::system_clock::time_point when) const {
  const std::time_t t = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  return CFormat("%02d.%02d.%04d %d:%02d:%02d",
                 {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour,
                  local.tm_min, local.tm_sec});
}

}  // namespace luch
