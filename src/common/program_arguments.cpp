#include "common/program_arguments.h"

#ifdef _WIN32
#include "common/windows_api.h"
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>
#endif

namespace luch {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
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
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

}  // namespace luch
