#include "reports/report_commands.h"

#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/save_place.h"
#include "reports/report_texts.h"

namespace luch {

namespace t = report_texts;

namespace {

bool WriteOrReport(const std::filesystem::path& path, const std::vector<std::string>& lines,
                   const Platform& platform) {
  if (WriteTextLines(path, lines, *platform.files)) return true;
  platform.messages->ShowError(WithWriteNote(t::kCannotCreate + PathToUtf8(path)));
  return false;
}

std::string DateTimeNow(const Platform& platform) {
  return platform.locale->FormatDateTime(platform.clock->Now());
}

}  // namespace

bool WriteAndOpen(const std::filesystem::path& path, const std::vector<std::string>& lines,
                  const Platform& platform) {
  // An old file of the same name is not opened when the new one could not be
  // written.
  if (!WriteOrReport(path, lines, platform)) return false;
  platform.launcher->OpenWithAssociated(path);
  return true;
}

bool mInfoClick(const ProjectTable& table, const ProjectParameters& parameters,
                const CalculationSummary& summary, const Platform& platform,
                const std::filesystem::path& data_dir) {
  return WriteAndOpen(data_dir / Utf8Path(t::kReportFileName),
                      BuildReport(table, parameters, summary, DateTimeNow(platform)), platform);
}

bool mTableClick(const ProjectTable& table, const ProjectParameters& parameters,
                 const CalculationSummary& summary, const Platform& platform,
                 const std::filesystem::path& data_dir) {
  return WriteAndOpen(data_dir / Utf8Path(t::kVoltageTableFileName),
                      BuildVoltageTable(table, parameters, summary, DateTimeNow(platform)),
                      platform);
}

bool ExportTable(const ProjectTable& table, ExportFormat format, const Platform& platform,
                 std::string_view project_path) {
  const bool csv = format == ExportFormat::kCsv;
  FileDialogRequest request;
  request.title = csv ? t::kCsvTitle : t::kTextTitle;
  request.filter = csv ? t::kCsvFilter : t::kTextFilter;
  request.default_extension = csv ? t::kCsvExtension : t::kTextExtension;
  StartBesideProject(request, project_path, *platform.dialogs);
  const std::optional<std::string> chosen = platform.dialogs->SaveFile(request);
  if (!chosen || chosen->empty()) return false;

  const std::filesystem::path path = Utf8Path(*chosen);
  if (!WriteOrReport(path, BuildExport(table, format), platform)) return false;
  const std::string done = csv ? t::kCsvDone : t::kTextDone;
  const std::optional<std::string> program = platform.launcher->AssociatedProgram(path);
  if (!program) {
    OfferFolder(done, path, platform);
    return true;
  }
  platform.messages->Show(done + "\n" + PathToUtf8(path), t::kMessageCaption, MessageIcon::kNone);
  if (platform.messages->AskYesNo(t::kAskOpen, *program, MessageIcon::kNone)) {
    platform.launcher->OpenWithAssociated(path);
  }
  return true;
}

}  // namespace luch
