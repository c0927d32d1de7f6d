// Cable, block and regime names are matched byte for byte against the
// project's cells, which keep their blanks and quotes (the project file writes
// such texts in quotes). The libraries keep them through their files too, so
// a project still finds its cables and blocks after the program restarts.
#include <gtest/gtest.h>

#include <string>

#include "common/profile_file.h"
#include "library/block_library.h"
#include "library/block_window.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

TEST(LibraryNames, QuotesAndBlanksOfCableNamesSurviveKabelIni) {
  TempDir dir;
  CableLibrary cables;
  cables.Add({"", "\"Паритет\"", "92", "80", "120", " в кавычках и с пробелом"});
  cables.Add({"", " КСПВ 2х0,5 ", "36", "90", "110", "'примечание'"});
  cables.Add({"", "КСПВ \"4х0,5\"", "12", "85", "115", ""});
  ASSERT_TRUE(cables.SaveCables(dir.path()));
  const std::string saved = dir.Read("Кабель.ini");

  CableLibrary reloaded;
  ASSERT_EQ(reloaded.LoadCables(dir.path()), 3);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(reloaded.CableNameAt(i), cables.CableNameAt(i)) << i;
    EXPECT_EQ(reloaded.Row(i)->note, cables.Row(i)->note) << i;
  }
  EXPECT_EQ(reloaded.CableResistanceByName("\"Паритет\""), 92);
  EXPECT_EQ(reloaded.CableResistanceByName(" КСПВ 2х0,5 "), 36);
  EXPECT_EQ(reloaded.CableResistanceByName("Паритет"), 0);
  // Saving what was loaded writes the same file.
  ASSERT_TRUE(reloaded.SaveCables(dir.path()));
  EXPECT_EQ(dir.Read("Кабель.ini"), saved);
}

TEST(LibraryNames, QuotesAndBlanksOfBlockAndRegimeNamesSurviveBlokIni) {
  TempDir dir;
  BlockLibrary blocks(dir.path());
  FakePlatform fake;
  BlockWindow window(dir.path(), blocks, fake.platform());
  window.LoadBlockNames();
  fake.prompter.Answer("\"Спец\"");
  window.ButtonAddBlkClick();
  fake.prompter.Answer(" Извещатель ");
  window.ButtonAddBlkClick();
  ASSERT_EQ(window.names().size(), 2u);

  const BlockLibrary reread(dir.path());
  EXPECT_EQ(reread.BlockIndexByName("\"Спец\""), 0);
  EXPECT_EQ(reread.BlockIndexByName(" Извещатель "), 1);
  EXPECT_EQ(reread.BlockIndexByName("Спец"), -1);
  EXPECT_EQ(reread.RegimeNameAt(1, 1), "Нормальный");

  BlockWindow reopened(dir.path(), blocks, fake.platform());
  reopened.LoadBlockNames();
  EXPECT_EQ(reopened.names(), window.names());
}

TEST(LibraryNames, QuotedIfNeededQuotesExactlyWhatReadingWouldChange) {
  for (const char* text : {"", "x", "Изолятор", "a \"b\" c", "\"", "'", "\"x", "x\"", "\"x'"}) {
    EXPECT_EQ(QuotedIfNeeded(text), text);
  }
  for (const char* text : {" x", "x ", "\tx", "\"x\"", "'x'", "\"\"", " ", "\" x \""}) {
    const std::string written = QuotedIfNeeded(text);
    EXPECT_EQ(written, "\"" + std::string(text) + "\"");
    ProfileFile file;
    file.WriteString("s", "k", written);
    EXPECT_EQ(ProfileFile::FromBytes(file.ToBytes()).ReadString("s", "k", "-"), text) << text;
  }
}

}  // namespace
}  // namespace luch
