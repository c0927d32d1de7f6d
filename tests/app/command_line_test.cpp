#include "app/command_line.h"

#include <gtest/gtest.h>

#include "common/file_io.h"

namespace luch {
namespace {

CommandLine Read(std::vector<std::string> args) { return ReadCommandLine(args); }

TEST(CommandLine, TakesOneProjectAndDoubleDashEndsTheOptions) {
  EXPECT_EQ(Read({}).action, CommandLineAction::kRun);
  EXPECT_EQ(Read({}).project, "");
  EXPECT_EQ(Read({"Дом 5.луч"}).project, "Дом 5.луч");
  const CommandLine dashed = Read({"--", "-старый.луч"});
  EXPECT_EQ(dashed.action, CommandLineAction::kRun);
  EXPECT_EQ(dashed.project, "-старый.луч");
  EXPECT_EQ(Read({"--", "--help"}).project, "--help");
}

TEST(CommandLine, RefusesUnknownOptionsAndASecondProject) {
  const CommandLine unknown = Read({"--data-dir", "x"});
  EXPECT_EQ(unknown.action, CommandLineAction::kError);
  EXPECT_NE(unknown.error.find("--data-dir"), std::string::npos);
  EXPECT_EQ(Read({"a.луч", "b.луч"}).action, CommandLineAction::kError);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(Read({"--bad", "-h"}).action, CommandLineAction::kHelp);
  EXPECT_EQ(Read({"a.луч", "b.луч", "--version"}).action, CommandLineAction::kVersion);
}

TEST(CommandLine, HelpNamesTheDataFolderOnOneLine) {
  const std::string help = HelpLine(Utf8Path("/home/инженер/.local/share/luch"));
  EXPECT_NE(help.find("/home/инженер/.local/share/luch"), std::string::npos);
  EXPECT_EQ(help.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace luch
