#include "editing/row_clipboard.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

ClipboardRow SampleRow() {
  return ClipboardRow{"Щит 1", "КПСВЭВ 1x2x0,5", 120, "ДИП-34", "Дежурный", 45, true, 12.5};
}

TEST(RowClipboard, WritesEightKeysPerRowInOrder) {
  TempDir dir;
  FakePlatform fake;
  ClipboardRow second;
  second.address = "Щит 2";
  ASSERT_TRUE(WriteClipboard(dir.path(), {SampleRow(), second}, fake.platform()));
  EXPECT_EQ(Cp1251ToUtf8(dir.Read("Copy.ini")),
            "[0]\r\nАдрес=Щит 1\r\nКабель=КПСВЭВ 1x2x0,5\r\nДлина=120\r\nБлок=ДИП-34\r\n"
            "Режим=Дежурный\r\nP=45\r\nЗБ=1\r\nI=12,5\r\n\r\n"
            "[1]\r\nАдрес=Щит 2\r\nКабель=\r\nДлина=0\r\nБлок=\r\nРежим=\r\nP=0\r\nЗБ=0\r\n"
            "I=0\r\n");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST(RowClipboard, RowsComeBackUnderEitherSeparator) {
  TempDir dir;
  FakePlatform fake;
  for (char separator : {',', '.'}) {
    fake.locale.separator = separator;
    ASSERT_TRUE(WriteClipboard(dir.path(), {SampleRow()}, fake.platform()));
    const std::vector<ClipboardRow> rows =
        ReadClipboardRows(ProfileFile(ClipboardPath(dir.path())));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], SampleRow()) << separator;
  }
}

TEST(RowClipboard, TextsComeBackWithTheirBlanksAndQuotes) {
  TempDir dir;
  FakePlatform fake;
  ClipboardRow row = SampleRow();
  row.address = "  Щит 1  ";
  row.cable_name = "\"Луч\"";
  row.regime_name = "\tТревога ";
  ASSERT_TRUE(WriteClipboard(dir.path(), {row}, fake.platform()));
  EXPECT_EQ(ReadClipboardRow(ProfileFile(ClipboardPath(dir.path())), 0), row);
  // A line end cannot stay in a value: it would end the key there.
  row.address = "Щит\r\n1\n";
  ASSERT_TRUE(WriteClipboard(dir.path(), {row, row}, fake.platform()));
  const std::vector<ClipboardRow> back = ReadClipboardRows(ProfileFile(ClipboardPath(dir.path())));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].address, "Щит  1");
  EXPECT_EQ(back[1].cable_name, row.cable_name);
}

TEST(RowClipboard, MissingOrBadValuesReadAsDefaults) {
  const ProfileFile file =
      ProfileFile::FromBytes(Utf8ToCp1251("[0]\r\nДлина=двадцать\r\nЗБ=7\r\nI=abc\r\nP=-3\r\n"
                                          "[1]\r\nЗБ=нет\r\n[3]\r\nАдрес=x\r\n"));
  const std::vector<ClipboardRow> rows = ReadClipboardRows(file);
  ASSERT_EQ(rows.size(), 2u);  // reading stops at the missing section "2"
  EXPECT_EQ(rows[0].length_m, 0);
  EXPECT_TRUE(rows[0].has_zb);
  EXPECT_EQ(rows[0].current_ma, 0.0);
  EXPECT_EQ(rows[0].power_mw, -3);
  EXPECT_EQ(rows[0].address, "");
  EXPECT_FALSE(rows[1].has_zb);
  EXPECT_EQ(ReadClipboardRow(file, 2), ClipboardRow{});
}

TEST(RowClipboard, CopyLeavesNothingOfTheFormerFile) {
  FakePlatform fake;
  // Another program's sections and the rows of a longer copy, with LF line
  // ends; a byte-order mark in front of a broken section line "[5".
  for (const std::string& former :
       {Utf8ToCp1251("; общий буфер\n[Прочее]\nКлюч=1\n[5]\nАдрес=старый\n[ 6 ]\nP=1\n"),
        std::string("\xEF\xBB\xBF[5\n=")}) {
    TempDir dir, fresh;
    dir.Write("Copy.ini", former);
    const std::vector<ClipboardRow> rows(5, SampleRow());
    ASSERT_TRUE(WriteClipboard(dir.path(), rows, fake.platform()));
    ASSERT_TRUE(WriteClipboard(fresh.path(), rows, fake.platform()));
    EXPECT_EQ(ReadClipboardRows(ProfileFile(ClipboardPath(dir.path()))), rows);
    EXPECT_EQ(dir.Read("Copy.ini"), fresh.Read("Copy.ini"));
  }
}

TEST(RowClipboard, AFileReadsAsTheProfileFileReadsItWhateverWroteIt) {
  TempDir dir;
  FakePlatform fake;
  ClipboardRow odd = SampleRow();
  odd.address = " \"Щит\" ";
  odd.cable_name = "'x'";
  for (int k = 0; k < 3000; ++k) odd.block_name += "Ж";  // beyond what a value holds
  odd.regime_name = "a\r\nb";
  odd.length_m = -7;
  odd.current_ma = 0.1 + 0.2;
  const std::string written = [&] {
    fake.locale.separator = '.';
    EXPECT_TRUE(WriteClipboard(dir.path(), {SampleRow(), odd, ClipboardRow{}}, fake.platform()));
    return dir.Read("Copy.ini");
  }();
  const std::vector<std::string> files = {
      written,
      written.substr(0, written.size() - 2),  // the last line end missing
      written + "\r\n[3]\r\nАдрес=x\r\n",
      Utf8ToCp1251("[0]\r\nАдрес=1\r\nАдрес=2\r\nP=5\r\n"),  // the first of a repeated key
      Utf8ToCp1251("[0]\nАдрес=1\nКабель=К\nДлина=2\nБлок=Б\nРежим=Р\nP=3\nЗБ=1\nI=4,5\n"),
      "\xEF\xBB\xBF" + Utf8ToCp1251("[0]\r\nАдрес=Щит\r\n"),
      Utf8ToCp1251("[1]\r\nАдрес=x\r\n[0]\r\nадрес=y\r\n"),
  };
  for (char separator : {'.', ','}) {
    for (const std::string& bytes : files) {
      dir.Write("Copy.ini", bytes);
      EXPECT_EQ(ReadClipboardFile(ClipboardPath(dir.path()), fake.files, separator),
                ReadClipboardRows(ProfileFile::FromBytes(bytes)))
          << separator << " " << Cp1251ToUtf8(bytes.substr(0, 80));
    }
  }
  EXPECT_TRUE(ReadClipboardFile(dir / "нет.ini", fake.files, ',').empty());
}

TEST(RowClipboard, FailedWriteIsReported) {
  TempDir dir;
  FakePlatform fake;
  fake.files.Fail(testing::WriteStep::kWrite);
  const bool saved = WriteClipboard(dir.path(), {SampleRow()}, fake.platform());
  EXPECT_FALSE(saved);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Unable to write to " + PathToUtf8(dir / "Copy.ini") + ".");
  EXPECT_FALSE(FileExists(dir / "Copy.ini"));
}

TEST(RowClipboard, AFileThatCannotBeReadIsNeverReplaced) {
  TempDir dir;
  FakePlatform fake;
  const std::string too_many_lines(kMaxFileLines + 1, '\n');
  dir.Write("Copy.ini", too_many_lines);
  EXPECT_FALSE(WriteClipboard(dir.path(), {SampleRow()}, fake.platform()));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Unable to write to " + PathToUtf8(dir / "Copy.ini") + ".");
  EXPECT_EQ(dir.Read("Copy.ini"), too_many_lines);
}

TEST(RowClipboard, TableRowRoundTrip) {
  ProjectTable table;
  table.SetCell(1, kAddress, "Щит");
  table.SetCell(1, kLengthM, "120м");
  table.SetCell(1, kHasZB, "да");
  table.SetCell(1, kCurrentMA, "12.50");
  table.SetCell(1, kResistanceOhm, "3,5");
  const ClipboardRow row = RowFromTable(table, 1);
  EXPECT_EQ(row.length_m, 120);
  EXPECT_TRUE(row.has_zb);
  EXPECT_EQ(row.current_ma, 12.5);
  RowToTable(row, table, 2);
  EXPECT_EQ(table.GetCell(2, kLengthM), "120");
  EXPECT_EQ(table.GetCell(2, kHasZB), "ДА");
  EXPECT_EQ(table.GetCell(2, kCurrentMA), "12.50");
  EXPECT_EQ(table.GetCell(2, kResistanceOhm), "");
  ClipboardRow huge;
  huge.current_ma = 1e300;  // beyond a 32-bit real: an infinity, not undefined behaviour
  RowToTable(huge, table, 3);
  EXPECT_EQ(table.GetCell(3, kCurrentMA), "inf");
}

}  // namespace
}  // namespace luch
