// Desktop entries (*.desktop files) of a Linux desktop: which program an
// entry starts, so that the program can be named by its path rather than by
// the entry's file name.
#pragma once

#include <string>
#include <string_view>

namespace luch {

// The program of the Exec key of the "[Desktop Entry]" group of `content`
// (the text of a .desktop file): its first word, unquoted, after an "env" and
// its NAME=VALUE words. Empty when the entry has no Exec key or it is empty.
//   DesktopExecProgram("[Desktop Entry]\nExec=vim %F\n") == "vim"
//   DesktopExecProgram("[Desktop Entry]\nExec=\"/opt/My Editor/edit\" %u") == "/opt/My Editor/edit"
std::string DesktopExecProgram(std::string_view content);

}  // namespace luch
