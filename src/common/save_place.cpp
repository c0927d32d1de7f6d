#include "common/save_place.h"

#include <string>

#include "common/file_io.h"

namespace luch {

void StartBesideProject(FileDialogRequest& request, std::string_view project_path,
                        FileDialogs& dialogs, std::string_view suffix) {
  if (project_path.empty()) {
    request.initial_directory = dialogs.DocumentsFolder();
    request.initial_name.clear();
    return;
  }
  const std::filesystem::path project = Utf8Path(project_path);
  request.initial_directory = PathToUtf8(project.parent_path());
  request.initial_name = PathToUtf8(project.stem()) + std::string(suffix) +
                         (request.default_extension.empty() ? "" : "." + request.default_extension);
}

void OfferFolder(std::string_view done, const std::filesystem::path& file,
                 const Platform& platform) {
  const std::string question = std::string(done) + "\n" + PathToUtf8(file) +
                               "\n\nПрограмма для таких файлов не найдена. Открыть папку с файлом?";
  if (platform.messages->AskYesNo(question, "Сообщение", MessageIcon::kQuestion)) {
    platform.launcher->OpenFolder(file.parent_path());
  }
}

}  // namespace luch
