// The program's command-line arguments as UTF-8, the program's name first.
#pragma once

#include <string>
#include <vector>

namespace luch {

// On Windows they are read from the wide command line: argv holds them in the
// ANSI code page, which loses any letter outside it ("Проекты Луч" on a
// western system, "№" or "ё" in other names). Elsewhere argv as it is.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace luch
