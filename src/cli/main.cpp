#include <cstdio>
#include <string>
#include <vector>

#include "cli/luch_calc_app.h"
#include "common/program_arguments.h"
#include "common/windows_api.h"
#ifdef LUCH_HAVE_PDF
#include "reports/paint/design_pdf.h"
#endif

namespace {

#ifdef _WIN32
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
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  const Utf8Console console;
#endif
#ifdef LUCH_HAVE_PDF
  const luch::PdfRenderer pdf = luch::RenderDesignPdfHeadless;
#else
  const luch::PdfRenderer pdf;
#endif
  const luch::CliResult result = luch::RunLuchCalc(luch::ProgramArguments(argc, argv), pdf);
  std::fwrite(result.out.data(), 1, result.out.size(), stdout);
  std::fwrite(result.err.data(), 1, result.err.size(), stderr);
  std::fflush(stdout);
  std::fflush(stderr);
  return result.exit_code;
}
