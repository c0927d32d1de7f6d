#include "common/profile_file.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "support/fake_files.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

// A file as the platform's profile functions write it: Windows-1251, CR LF,
// a blank line between sections.
std::string WindowsStyleFile() {
  return Utf8ToCp1251(
      "[Main]\r\nTop=166\r\nLeft=71\r\nFileName=C:\\Проекты\\Дом 5.луч\r\n\r\n"
      "[Кабель1]\r\nНазвание=КСПВ 2х0,5\r\nСопротивление=92\r\n");
}

TEST(ProfileFile, ReadsAFileInTheWindowsForm) {
  const ProfileFile file = ProfileFile::FromBytes(WindowsStyleFile());
  EXPECT_EQ(file.ReadInteger("Main", "Top", 0), 166);
  EXPECT_EQ(file.ReadString("Main", "FileName", ""), "C:\\Проекты\\Дом 5.луч");
  EXPECT_EQ(file.ReadString("Кабель1", "Название", ""), "КСПВ 2х0,5");
  EXPECT_EQ(file.ReadInteger("Кабель1", "Сопротивление", 0), 92);
  EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Main", "Кабель1"}));
}

TEST(ProfileFile, NamesCompareIgnoringCaseOfLatinAndCyrillic) {
  const ProfileFile file = ProfileFile::FromBytes(WindowsStyleFile());
  EXPECT_EQ(file.ReadInteger("MAIN", "top", 0), 166);
  EXPECT_EQ(file.ReadString("КАБЕЛЬ1", "название", ""), "КСПВ 2х0,5");
  EXPECT_TRUE(file.SectionExists("кабель1"));
}

TEST(ProfileFile, MissingThingsGiveTheDefault) {
  const ProfileFile file = ProfileFile::FromBytes(WindowsStyleFile());
  EXPECT_EQ(file.ReadString("Nope", "Top", "x"), "x");
  EXPECT_EQ(file.ReadString("Main", "Nope", "y"), "y");
  EXPECT_EQ(file.ReadInteger("Main", "Nope", -7), -7);
  TempDir dir;
  const ProfileFile missing(dir / "none.ini");
  EXPECT_FALSE(missing.existed());
  EXPECT_EQ(missing.ReadReal("A", "B", 2.5), 2.5);
}

TEST(ProfileFile, LfOnlyBlankLinesCommentsAndBlanksAroundValues) {
  const ProfileFile file = ProfileFile::FromBytes(
      "; a comment\n\n[A]\n; x=1\n  key  =  value with blanks  \n\n[B]\nq=\"quoted\"\n"
      "noequals\n");
  EXPECT_EQ(file.ReadString("A", "key", ""), "value with blanks");
  EXPECT_EQ(file.ReadString("A", "; x", "none"), "none");
  EXPECT_EQ(file.ReadString("B", "q", ""), "quoted");
  EXPECT_FALSE(file.KeyExists("B", "noequals"));
}

TEST(ProfileFile, ASectionCountsOnlyWhenItHoldsAKey) {
  const ProfileFile file = ProfileFile::FromBytes("[Empty]\n\n[Comment]\n;x=1\n[Full]\na=1\n");
  EXPECT_FALSE(file.SectionExists("Empty"));
  EXPECT_FALSE(file.SectionExists("Comment"));
  EXPECT_TRUE(file.SectionExists("Full"));
  EXPECT_FALSE(file.SectionExists("Missing"));
}

TEST(ProfileFile, FirstSectionAndFirstKeyOfADuplicateWin) {
  const ProfileFile file = ProfileFile::FromBytes("[A]\nk=1\nk=2\n[a]\nk=3\nm=4\n");
  EXPECT_EQ(file.ReadInteger("A", "k", 0), 1);
  EXPECT_EQ(file.ReadInteger("A", "m", 0), 0);
}

TEST(ProfileFile, ValuesAreReadUpTo2047Characters) {
  std::string value;
  for (int k = 0; k < 5000; ++k) value += "я";
  ProfileFile file;
  file.WriteString("A", "long", value);
  const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
  EXPECT_EQ(Utf8Length(back.ReadString("A", "long", "")), 2047u);
}

TEST(ProfileFile, WholeNumbers) {
  const ProfileFile file =
      ProfileFile::FromBytes("[N]\na=12\nb=0x10\nc=12abc\nd=\ne=-3\nf=99999999999\ng=1.5\n");
  EXPECT_EQ(file.ReadInteger("N", "a", 0), 12);
  EXPECT_EQ(file.ReadInteger("N", "b", 0), 16);
  EXPECT_EQ(file.ReadInteger("N", "c", 5), 5);
  EXPECT_EQ(file.ReadInteger("N", "d", 5), 5);
  EXPECT_EQ(file.ReadInteger("N", "e", 0), -3);
  EXPECT_EQ(file.ReadInteger("N", "f", 5), 5);
  EXPECT_EQ(file.ReadInteger("N", "g", 5), 5);
}

TEST(ProfileFile, Booleans) {
  const ProfileFile file = ProfileFile::FromBytes("[B]\none=1\nzero=0\ntwo=2\nword=ДА\n");
  EXPECT_TRUE(file.ReadBool("B", "one", false));
  EXPECT_FALSE(file.ReadBool("B", "zero", true));
  EXPECT_TRUE(file.ReadBool("B", "two", false));
  EXPECT_FALSE(file.ReadBool("B", "word", false));
  EXPECT_TRUE(file.ReadBool("B", "word", true));
}

TEST(ProfileFile, RealsWithEitherSeparator) {
  ProfileFile file;
  file.WriteReal("R", "comma", 27.35, ',');
  file.WriteReal("R", "point", 27.35, '.');
  file.WriteReal("R", "float", static_cast<double>(0.05f), ',');
  const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
  EXPECT_EQ(back.ReadString("R", "comma", ""), "27,35");
  EXPECT_DOUBLE_EQ(back.ReadReal("R", "comma", 0), 27.35);
  EXPECT_DOUBLE_EQ(back.ReadReal("R", "point", 0), 27.35);
  EXPECT_EQ(back.ReadString("R", "float", ""), "0,0500000007450581");
  EXPECT_EQ(static_cast<float>(back.ReadReal("R", "float", 0)), 0.05f);
  const ProfileFile bad = ProfileFile::FromBytes("[R]\nx=abc\ny=1e400\n");
  EXPECT_EQ(bad.ReadReal("R", "x", 7.0), 7.0);
  EXPECT_EQ(bad.ReadReal("R", "y", 7.0), 7.0);
}

TEST(ProfileFile, WritingKeepsEverythingElseInPlace) {
  ProfileFile file =
      ProfileFile::FromBytes("; header comment\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");
  file.WriteString("A", "y", "20");
  file.WriteString("A", "new", "n");
  file.WriteString("C", "w", "4");
  EXPECT_EQ(
      file.ToBytes(),
      "; header comment\r\n[A]\r\nx=1\r\ny=20\r\nnew=n\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nw=4\r\n");
}

TEST(ProfileFile, NewFileHasTheWindowsLayout) {
  ProfileFile file;
  file.WriteInteger("Main", "Top", 166);
  file.WriteInteger("Main", "Left", 71);
  file.WriteString("Кабель1", "Название", "ТРП");
  EXPECT_EQ(file.ToBytes(),
            Utf8ToCp1251("[Main]\r\nTop=166\r\nLeft=71\r\n\r\n[Кабель1]\r\nНазвание=ТРП\r\n"));
}

TEST(ProfileFile, EraseSectionAndDeleteKey) {
  ProfileFile file = ProfileFile::FromBytes("[A]\nx=1\n[B]\ny=2\nz=3\n[a]\nq=1\n");
  file.EraseSection("a");
  file.DeleteKey("B", "Y");
  EXPECT_EQ(file.ToBytes(), "[B]\r\nz=3\r\n");
  EXPECT_FALSE(file.SectionExists("A"));
  file.WriteString("A", "x", "5");
  EXPECT_EQ(file.ReadString("A", "x", ""), "5");
}

TEST(ProfileFile, LineEndsInsideAValueCannotBreakTheFile) {
  ProfileFile file;
  file.WriteString("A", "x", "one\r\n[B]\nz=1");
  const ProfileFile back = ProfileFile::FromBytes(file.ToBytes());
  EXPECT_FALSE(back.SectionExists("B"));
  EXPECT_EQ(back.ReadString("A", "x", ""), "one  [B] z=1");
}

TEST(ProfileFile, GarbageBytesNeverCrash) {
  std::string bytes;
  for (int k = 0; k < 20000; ++k) bytes += static_cast<char>((k * 7919) % 256);
  bytes += std::string("\0[\0=]\n[=\n=\n[[]]]\n", 17);
  const ProfileFile file = ProfileFile::FromBytes(bytes);
  (void)file.ReadString("", "", "");
  (void)file.SectionNames();
  const ProfileFile again = ProfileFile::FromBytes(file.ToBytes());
  EXPECT_EQ(again.ToBytes(), file.ToBytes());
}

TEST(ProfileFile, SaveWritesWholeFileAndAFailureLeavesItIntact) {
  TempDir dir;
  testing::FaultyFileSystem files;
  ProfileFile file(dir / "Tarvel.ini", files);
  file.WriteInteger("Main", "Top", 1);
  ASSERT_TRUE(file.Save());
  const std::string before = dir.Read("Tarvel.ini");
  EXPECT_EQ(before, "[Main]\r\nTop=1\r\n");
  file.WriteInteger("Main", "Top", 2);
  files.Fail(testing::WriteStep::kSync);
  EXPECT_FALSE(file.Save());
  files.Heal();
  EXPECT_EQ(dir.Read("Tarvel.ini"), before);
  ProfileFile onto_folder(dir.path());
  EXPECT_FALSE(onto_folder.Save());
}

TEST(ProfileFile, SavesUnderACyrillicName) {
  TempDir dir;
  ProfileFile file(dir / "Кабель.ini");
  file.WriteString("Кабель1", "Название", "КСПВ");
  ASSERT_TRUE(file.Save());
  EXPECT_TRUE(FileExists(dir / "Кабель.ini"));
  EXPECT_EQ(ProfileFile(dir / "Кабель.ini").ReadString("кабель1", "название", ""), "КСПВ");
}

}  // namespace
}  // namespace luch
