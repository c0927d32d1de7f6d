#include <cstdio>
#include <string>
#include <vector>

#include "cli/luch_calc_app.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>
#endif

namespace {

#ifdef _WIN32
// The arguments as UTF-8, read from the wide command line: argv holds them in
// the ANSI code page, which loses any letter outside it ("Проекты Луч" on a
// western system, "№" or "ё" in other names).
std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int k = 0; k < count; ++k) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(size > 1 ? static_cast<size_t>(size - 1) : 0, '\0');
    if (size > 1) {
      ::WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, arg.data(), size, nullptr, nullptr);
    }
    args.push_back(std::move(arg));
  }
  ::LocalFree(wide);
  return args;
}

// The console shows the UTF-8 output as text while the program runs; the
// window's own code page comes back afterwards.
class Utf8Console {
 public:
  Utf8Console() : previous_(::GetConsoleOutputCP()) {
    if (previous_ != 0) ::SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (previous_ != 0) ::SetConsoleOutputCP(previous_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;  // 0 without a console
};
#else
std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  const Utf8Console console;
#endif
  const luch::CliResult result = luch::RunLuchCalc(Arguments(argc, argv));
  std::fwrite(result.out.data(), 1, result.out.size(), stdout);
  std::fwrite(result.err.data(), 1, result.err.size(), stderr);
  std::fflush(stdout);
  std::fflush(stderr);
  return result.exit_code;
}
