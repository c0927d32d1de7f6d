#include "common/desktop_entry.h"

#include <gtest/gtest.h>

namespace luch {
namespace {

TEST(DesktopEntry, ExecProgramIsTheFirstWordOfTheEntrysExecLine) {
  EXPECT_EQ(DesktopExecProgram("[Desktop Entry]\nExec=\"/opt/My Editor/edit\" %u\n"),
            "/opt/My Editor/edit");
  // Only the entry's own group counts, only the key Exec itself, and "env" with its settings
  // starts the program that follows.
  EXPECT_EQ(DesktopExecProgram("[Desktop Action New]\nExec=a\n[Desktop Entry]\nTryExec=b\n"
                               "Exec=env LANG=C kate"),
            "kate");
}

}  // namespace
}  // namespace luch
