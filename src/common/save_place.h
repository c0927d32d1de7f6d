// Where the files a designer asks for go: the save dialogs start beside the
// project, and a written file that no program opens is shown in its folder.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/platform.h"

namespace luch {

// A save dialog for a file made from the project starts in the project's
// folder with the project's name, `suffix` and the request's extension
// ("Школа 3.csv", "Школа 3 - Спецификация.txt"); for an unnamed project
// (`project_path` empty) in the user's documents folder, with no name
// proposed. Never in the data folder.
void StartBesideProject(FileDialogRequest& request, std::string_view project_path,
                        FileDialogs& dialogs, std::string_view suffix = {});

// For a written file that no program opens: says `done` and where the file is
// (its full path on a line of its own) and offers to show its folder in the
// file manager.
void OfferFolder(std::string_view done, const std::filesystem::path& file,
                 const Platform& platform);

}  // namespace luch
