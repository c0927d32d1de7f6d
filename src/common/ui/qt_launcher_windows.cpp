// QtLauncher on Windows: the shell's association of the file's type names the
// program, which is started directly (no shell, no command interpreter) with
// the file's full path as its only argument; without one, the built-in viewer.
#include "common/windows_api.h"
// windows.h first: shlwapi.h needs its types.
#include <shlwapi.h>

#include <QPointer>
#include <string>

#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "common/ui/text_viewer.h"

namespace luch {
namespace {

// The file's full Windows path ("C:\Проекты\Отчет.txt"), wide.
std::wstring FullWindowsPath(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(file, error);
  if (error) full = file;
  return full.make_preferred().wstring();
}

// The executable of the type's "open" verb, or empty when the type has none.
std::wstring AssociatedExecutable(const std::filesystem::path& file) {
  const std::wstring extension = file.extension().wstring();
  if (extension.empty()) return {};
  std::wstring program(MAX_PATH, L'\0');
  DWORD size = static_cast<DWORD>(program.size());
  // Without ASSOCF_INIT_IGNOREUNKNOWN an unknown type would name the
  // "open with" chooser, which is no program of the file's type.
  HRESULT result =
      AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE,
                        extension.c_str(), L"open", program.data(), &size);
  if (result == E_POINTER) {  // longer than MAX_PATH: size now holds the length needed
    program.assign(size, L'\0');
    result = AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN | ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE,
                               extension.c_str(), L"open", program.data(), &size);
  }
  if (result != S_OK) return {};
  program.resize(wcsnlen(program.c_str(), program.size()));
  return program;
}

// One command-line argument that CommandLineToArgvW and the C runtime read
// back unchanged: quoted, with the backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring text = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

}  // namespace

std::optional<std::string> QtLauncher::DesktopProgram(const std::filesystem::path& file) {
  const std::wstring program = AssociatedExecutable(file);
  if (program.empty()) return std::nullopt;
  return PathToUtf8(std::filesystem::path(program));
}

void QtLauncher::OpenWithAssociated(const std::filesystem::path& file) {
  QPointer<QWidget> owner = DialogOwner(nullptr);
  const std::optional<std::string> desktop = DesktopProgram(file);
  if (desktop) {
    const std::wstring program = Utf8Path(*desktop).wstring();
    std::wstring command_line = Quoted(program) + L" " + Quoted(FullWindowsPath(file));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line: it gets its own copy.
    if (CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
      return;
    }
  }
  // No program for the type, or one that cannot start: the built-in viewer.
  TextViewer::Open(file, owner);
}

}  // namespace luch
