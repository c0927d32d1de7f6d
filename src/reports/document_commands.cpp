#include "reports/document_commands.h"

#include "common/file_io.h"
#include "common/save_place.h"
#include "reports/document_texts.h"
#include "reports/quantities.h"
#include "reports/report_commands.h"
#include "reports/report_texts.h"

namespace luch {

namespace t = document_texts;

bool mQuantitiesClick(const ProjectTable& table, const CableLibrary& cables,
                      const BlockLibrary& blocks, std::string_view project_file,
                      const Platform& platform, const std::filesystem::path& data_dir) {
  const std::string date_time = platform.locale->FormatDateTime(platform.clock->Now());
  return WriteAndOpen(
      data_dir / Utf8Path(t::kQuantitiesFileName),
      BuildQuantitiesText(CountQuantities(table, cables, blocks), project_file, date_time),
      platform);
}

bool mPdfClick(const DesignDocument& document, const PdfRenderer& render, const Platform& platform,
               std::string_view project_path) {
  FileDialogRequest request;
  request.title = t::kPdfTitle;
  request.filter = t::kPdfFilter;
  request.default_extension = t::kPdfExtension;
  StartBesideProject(request, project_path, *platform.dialogs);
  const std::optional<std::string> chosen = platform.dialogs->SaveFile(request);
  if (!chosen || chosen->empty()) return false;
  const std::filesystem::path path = Utf8Path(*chosen);
  SetLastWriteNote({});  // what the drawing has to say comes with the error
  const std::string bytes = render(document);
  if (bytes.empty() || !WriteFileAtomic(*platform.files, path, bytes)) {
    platform.messages->ShowError(WithWriteNote(report_texts::kCannotCreate + *chosen));
    return false;
  }
  if (platform.launcher->AssociatedProgram(path)) {
    platform.launcher->OpenWithAssociated(path);
  } else {
    OfferFolder(t::kPdfWritten, path, platform);
  }
  return true;
}

}  // namespace luch
