#include "editing/row_commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/savable_text.h"
#include "editing/row_clipboard.h"
#include "editing/table_text.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using Lines = std::vector<std::vector<std::string>>;
using Fields = std::vector<TabField>;

// The column dialog answered from a queue; a dialog that no answer awaits fails.
struct ScriptedColumns : PasteColumnsChooser {
  std::optional<Fields> ChoosePasteColumns(const Lines& lines, const Fields& preset) override {
    shown.push_back(lines);
    presets.push_back(preset);
    if (answers.empty()) ADD_FAILURE() << "unexpected column dialog";
    if (answers.empty()) return std::nullopt;
    std::optional<Fields> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<Fields>> answers;
  std::vector<Lines> shown;
  std::vector<Fields> presets;
};

class RowCommandsTest : public ::testing::Test {
 protected:
  // A table of `count` rows: address "A<r>", cable "K<r>", length 10 * r,
  // block "B<r>", regime "R<r>", power r, ZB on odd rows, current r + 0.5,
  // resistance and voltage texts that the clipboard does not keep.
  void Fill(int count) {
    table.SetBlockCount(count);
    for (int r = 1; r <= count; ++r) {
      const std::string n = std::to_string(r);
      table.SetAddress(r, "A" + n);
      table.SetCableName(r, "K" + n);
      table.SetLengthM(r, 10 * r);
      table.SetCell(r, kResistanceOhm, "R" + n);
      table.SetBlockName(r, "B" + n);
      table.SetRegimeName(r, "R" + n);
      table.SetPowerMW(r, r);
      table.SetHasZB(r, r % 2 == 1);
      table.SetCurrentMA(r, static_cast<float>(r) + 0.5f);
      table.SetCell(r, kVoltageV, "V" + n);
    }
  }
  EditingContext Context(int top, int bottom) {
    return EditingContext{
        table,      status,          current_row, top,     bottom, paste_repeat_count,
        dir.path(), fake.platform(), cables,      &columns};
  }
  void Select(int top, int bottom) { current_row = top, top_ = top, bottom_ = bottom; }
  EditingContext Context() { return Context(top_, bottom_); }
  std::vector<std::string> Addresses() const {
    std::vector<std::string> out;
    for (int r = 1; r <= table.BlockCount(); ++r) out.push_back(table.Address(r));
    return out;
  }
  void CopyRows(int top, int bottom) {
    EditingContext context = Context(top, bottom);
    mCopyClick(context);
  }

  TempDir dir;
  FakePlatform fake;
  ProjectTable table;
  CableLibrary cables;
  StatusBars status;
  ScriptedColumns columns;
  int current_row = 1;
  int paste_repeat_count = 2;
  int top_ = 1, bottom_ = 1;
};

using Strings = std::vector<std::string>;

TEST_F(RowCommandsTest, CopiedRowsPasteInFrontOfCurrentRow) {
  Fill(5);
  CopyRows(3, 4);
  Select(2, 2);
  EditingContext context = Context();
  mPasteClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A3", "A4", "A2", "A3", "A4", "A5"}));
  EXPECT_EQ(current_row, 2);
  EXPECT_EQ(status.bar1[1], "Блоков: 7");
  EXPECT_EQ(table.GetCell(2, kNumber), "2");
  EXPECT_EQ(table.GetRow(2),
            (BlockRow{"2", "A3", "K3", "30", "", "B3", "R3", "3", "ДА", "3.50", ""}));
  EXPECT_EQ(table.GetCell(3, kHasZB), "");
  EXPECT_EQ(table.GetCell(5, kResistanceOhm), "R3");  // moved rows keep their texts
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(RowCommandsTest, PasteOnLastRowInsertsInFrontOfIt) {
  Fill(3);
  CopyRows(1, 1);
  Select(3, 3);
  EditingContext context = Context();
  mPasteClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A1", "A3"}));
}

TEST_F(RowCommandsTest, PasteWithoutClipboardChangesNothing) {
  Fill(3);
  Select(2, 2);
  EditingContext context = Context();
  mPasteClick(context);
  mFillSpaceClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3"}));
  dir.Write("Copy.ini", "[1]\r\nАдрес=x\r\n");  // no section "0"
  mPasteClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3"}));
  EXPECT_EQ(status.bar1[1], "Блоков:");
}

TEST_F(RowCommandsTest, PasteNeedsCurrentRowInsideTable) {
  Fill(3);
  CopyRows(1, 1);
  for (int row : {0, -1, 4}) {
    Select(row, row);
    EditingContext context = Context();
    mPasteClick(context);
  }
  EXPECT_EQ(table.BlockCount(), 3);
}

TEST_F(RowCommandsTest, CurrentSurvivesClipboardUnderCommaLocale) {
  Fill(1);
  table.SetCell(1, kCurrentMA, "12.50");
  CopyRows(1, 1);
  EXPECT_NE(Cp1251ToUtf8(dir.Read("Copy.ini")).find("I=12,5\r\n"), std::string::npos);
  Select(1, 1);
  EditingContext context = Context();
  mPasteClick(context);
  EXPECT_EQ(table.GetCell(1, kCurrentMA), "12.50");
}

TEST_F(RowCommandsTest, CopyLimitsSelectionToTable) {
  Fill(3);
  CopyRows(2, 9);
  EXPECT_EQ(ReadClipboardRows(ProfileFile(dir / "Copy.ini")).size(), 2u);
  CopyRows(0, 2);  // starts before row 1: nothing is copied
  CopyRows(3, 2);
  EXPECT_EQ(ReadClipboardRows(ProfileFile(dir / "Copy.ini")).size(), 2u);
}

TEST_F(RowCommandsTest, CutCopiesThenDeletes) {
  Fill(4);
  Select(2, 3);
  EditingContext context = Context();
  mCutClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A4"}));
  EXPECT_EQ(status.bar1[1], "Блоков: 2");
  Select(2, 2);
  EditingContext paste = Context();
  mPasteClick(paste);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3", "A4"}));
}

TEST_F(RowCommandsTest, CutKeepsRowsWhenClipboardCannotBeWritten) {
  Fill(4);
  Select(2, 3);
  EditingContext context = Context();
  fake.files.Fail(testing::WriteStep::kWrite);
  mCutClick(context);
  fake.files.Heal();
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3", "A4"}));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Unable to write to " + PathToUtf8(dir / "Copy.ini") + ".");
}

TEST_F(RowCommandsTest, CopyAndCutRefuseTextsThatWindows1251CannotHold) {
  Fill(14);
  for (int r = 2; r <= 14; ++r) table.SetCableName(r, r == 3 ? "K3" : "КСПВ 2×0,5");
  table.SetAddress(14, "ł");
  Select(1, 14);
  EditingContext context = Context();
  mCutClick(context);
  EXPECT_EQ(table.BlockCount(), 14);
  EXPECT_FALSE(FileExists(dir / "Copy.ini"));
  EXPECT_EQ(fake.clipboard.text, "");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            UnsavableMessage("×ł") + "\nСтроки: 2, 4, 5, 6, 7, 8, 9, 10, 11, 12 и ещё 2");
  EXPECT_EQ(fake.messages.shown[0].caption, "Сообщение");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kWarning);
}

TEST_F(RowCommandsTest, DeleteRemovesSelectionButNeverTheLastRow) {
  Fill(5);
  Select(4, 9);  // beyond the table: only rows 4 and 5
  EditingContext context = Context();
  mDeleteClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3"}));
  EXPECT_EQ(current_row, 3);  // the cursor stood on row 4, which is gone
  Select(1, 3);
  EditingContext all = Context();
  mDeleteClick(all);
  EXPECT_EQ(Addresses(), (Strings{"A3"}));
  EXPECT_EQ(status.bar1[1], "Блоков: 1");
  mDeleteClick(all);
  EXPECT_EQ(Addresses(), (Strings{"A3"}));
}

TEST_F(RowCommandsTest, PasteStopsAtRowLimit) {
  Fill(kMaxBlockCount - 2);
  CopyRows(1, 3);
  Select(5, 5);
  EditingContext context = Context();
  mPasteClick(context);
  EXPECT_EQ(table.BlockCount(), kMaxBlockCount);
  EXPECT_EQ(table.Address(5), "A1");
  EXPECT_EQ(table.Address(6), "A2");
  EXPECT_EQ(table.Address(7), "A5");
  EXPECT_EQ(table.Address(kMaxBlockCount), "A4094");  // the last row is never pushed out
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Достигнуто максимальное количество блоков (4096).\nНе вставлено строк: 1");
  EXPECT_EQ(fake.messages.shown[0].caption, "Сообщение");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kInformation);
  mPasteClick(context);  // full: nothing inserted
  EXPECT_EQ(table.Address(5), "A1");
  EXPECT_EQ(fake.messages.shown.back().text,
            "Достигнуто максимальное количество блоков (4096).\nНе вставлено строк: 3");
}

TEST_F(RowCommandsTest, RowsGoToAndComeFromTheDesktopClipboardAsATable) {
  cables.Add({"", "K1", "50", "", "", ""});
  Fill(3);
  Select(1, 2);
  EditingContext copy = Context();
  mCopyClick(copy);
  EXPECT_EQ(fake.clipboard.text, RowsAsTabText(table, 1, 2, ','));
  Select(3, 3);
  EditingContext paste = Context();
  mPasteTableClick(paste);
  EXPECT_EQ(Addresses(), (std::vector<std::string>{"A1", "A2", "A1", "A2", "A3"}));
  EXPECT_EQ(table.GetCell(3, kResistanceOhm), "1");  // 50 Ohm/km, 10 m, recomputed
  EXPECT_EQ(table.GetCell(3, kCurrentMA), "");       // results are not taken over
  EXPECT_TRUE(table.HasZB(3));

  fake.clipboard.text = "\tКорпус 2×2\tK1\t5\n";
  mPasteTableClick(paste);
  EXPECT_EQ(table.BlockCount(), 5);
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_NE(fake.messages.shown[0].text.find("«×»"), std::string::npos);
}

TEST_F(RowCommandsTest, UnnamedColumnsAreChosenInTheDialogWhichRemembersThem) {
  Fill(1);
  fake.clipboard.text = "12,5\tП1\tx\n7.9\tП2\n30\tП3\n35,0\tП4\n1\tП5\n2\tП6\n";
  EditingContext context = Context();
  columns.answers = {std::nullopt, Fields{TabField::kLength, TabField::kAddress, TabField::kNone}};
  mPasteTableClick(context);  // Отмена pastes nothing
  EXPECT_EQ(table.BlockCount(), 1);
  mPasteTableClick(context);
  EXPECT_EQ(Addresses(), (Strings{"П1", "П2", "П3", "П4", "П5", "П6", "A1"}));
  EXPECT_EQ(table.GetRow(1), (BlockRow{"1", "П1", "", "12", "", "", "", "", "", "", ""}));
  ASSERT_EQ(columns.shown.size(), 2u);
  EXPECT_EQ(columns.shown[0].size(), 5u);
  EXPECT_EQ(columns.shown[0][1], (Strings{"7.9", "П2"}));
  EXPECT_EQ(columns.presets[1],
            (Fields{TabField::kAddress, TabField::kCableName, TabField::kLength}));
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Длина задаётся целым числом метров; дробная часть длины отброшена.\n"
            "Строки: 1 (12 м), 2 (7 м)");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kWarning);

  columns.answers = {Fields{TabField::kNone, TabField::kNone, TabField::kNone}};
  mPasteTableClick(context);
  EXPECT_EQ(columns.presets[2], (Fields{TabField::kLength, TabField::kAddress, TabField::kNone}));
  EXPECT_EQ(ProfileFile(dir / "Tarvel.ini").ReadString("PasteColumns", "3", ""), "—,—,—");
}

TEST_F(RowCommandsTest, PasteSeveralTimesAsksAndRemembersCount) {
  Fill(2);
  CopyRows(1, 2);
  Select(2, 2);
  EditingContext context = Context();
  fake.prompter.Answer("3");
  mMnogoClick(context);
  ASSERT_EQ(fake.prompter.asked.size(), 1u);
  EXPECT_EQ(fake.prompter.asked[0].caption, "Вставка");
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите добавляемое количество строк");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "2");
  EXPECT_EQ(Addresses(), (Strings{"A1", "A1", "A2", "A1", "A2", "A1", "A2", "A2"}));
  EXPECT_EQ(paste_repeat_count, 3);

  fake.prompter.Answer(std::nullopt);  // Cancel pastes nothing
  mMnogoClick(context);
  EXPECT_EQ(fake.prompter.asked[1].default_text, "3");
  EXPECT_EQ(table.BlockCount(), 8);
  fake.prompter.Answer("3");
  mMnogoClick(context);
  EXPECT_EQ(table.BlockCount(), 14);

  for (const char* answer : {"0", "-2", "много"}) {
    fake.prompter.Answer(answer);
    mMnogoClick(context);
  }
  EXPECT_EQ(table.BlockCount(), 14);
  EXPECT_EQ(fake.prompter.asked[4].default_text, "0");
  EXPECT_EQ(fake.prompter.asked[5].default_text, "-2");
  EXPECT_EQ(paste_repeat_count, 0);
}

TEST_F(RowCommandsTest, PasteSeveralTimesEqualsRepeatedPastesAtLimit) {
  // 4089 rows and 3 clipboard rows: the third paste fits with one row only.
  Fill(kMaxBlockCount - 7);
  CopyRows(1, 3);
  Select(4, 4);
  const ProjectTable start = table;
  EditingContext context = Context();
  for (int k = 0; k < 4; ++k) mPasteClick(context);
  const ProjectTable repeated = table;
  const size_t messages = fake.messages.shown.size();

  table = start;
  fake.prompter.Answer("4");
  mMnogoClick(context);
  for (int r = 1; r <= kMaxBlockCount; ++r) ASSERT_EQ(table.GetRow(r), repeated.GetRow(r)) << r;
  EXPECT_EQ(table.Address(4), "A1");
  EXPECT_EQ(table.Address(5), "A1");
  ASSERT_EQ(fake.messages.shown.size(), messages + 1);
  EXPECT_EQ(fake.messages.shown.back().text,
            "Достигнуто максимальное количество блоков (4096).\nНе вставлено строк: 5");
}

TEST_F(RowCommandsTest, PasteSeveralTimesWithHugeCountFillsTableOnce) {
  Fill(3);
  CopyRows(1, 3);
  Select(1, 1);
  EditingContext context = Context();
  fake.prompter.Answer("1000000");
  mMnogoClick(context);
  EXPECT_EQ(table.BlockCount(), kMaxBlockCount);
  EXPECT_EQ(table.Address(1), "A1");  // 4093 = 3 * 1364 + 1: one partial copy first
  EXPECT_EQ(table.Address(2), "A1");
  EXPECT_EQ(table.Address(kMaxBlockCount), "A3");
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text,
            "Достигнуто максимальное количество блоков (4096).\nНе вставлено строк: 2995907");
}

TEST_F(RowCommandsTest, FillSpaceFillsOnlyEmptyPlaces) {
  Fill(1);
  table.SetRegimeName(1, "");
  CopyRows(1, 1);
  table.SetBlockCount(4);
  // Row 2: nothing but a block without regime; row 3: length "0"; row 4 empty.
  table.SetBlockName(2, "Свой");
  table.SetCell(2, kCurrentMA, "7.00");
  table.SetAddress(3, "Щит");
  table.SetCell(3, kLengthM, "0");
  table.SetCell(4, kCurrentMA, "1.00");
  EditingContext context = Context(1, 1);
  mFillSpaceClick(context);
  EXPECT_EQ(table.GetRow(2), (BlockRow{"2", "A1", "K1", "10", "", "Свой", "", "", "", "7.00", ""}));
  EXPECT_EQ(table.Address(3), "Щит");
  EXPECT_EQ(table.GetCell(3, kLengthM), "10");
  EXPECT_EQ(table.GetRow(4),
            (BlockRow{"4", "A1", "K1", "10", "", "B1", "", "1", "ДА", "1.50", ""}));
  EXPECT_EQ(table.GetRow(1).at(kResistanceOhm), "R1");
}

TEST_F(RowCommandsTest, FillSpaceWithoutFirstSectionWritesDefaults) {
  Fill(1);
  table.SetBlockCount(2);
  dir.Write("Copy.ini", "[1]\r\nP=5\r\n");
  EditingContext context = Context(1, 1);
  mFillSpaceClick(context);
  EXPECT_EQ(table.GetRow(2), (BlockRow{"2", "", "", "0", "", "", "", "0", "", "0.00", ""}));
  EXPECT_EQ(table.Address(1), "A1");
}

TEST_F(RowCommandsTest, MoveUpAndDownStopAtEnds) {
  Fill(3);
  Select(1, 1);
  EditingContext context = Context();
  EXPECT_EQ(pmUpClick(context), 1);
  EXPECT_EQ(pmDownClick(context), 2);
  EXPECT_EQ(current_row, 2);
  EXPECT_EQ(Addresses(), (Strings{"A2", "A1", "A3"}));
  EXPECT_EQ(pmDownClick(context), 3);
  EXPECT_EQ(pmDownClick(context), 3);
  EXPECT_EQ(Addresses(), (Strings{"A2", "A3", "A1"}));
  EXPECT_EQ(pmUpClick(context), 2);
  EXPECT_EQ(Addresses(), (Strings{"A2", "A1", "A3"}));
  current_row = -1;
  EXPECT_EQ(pmDownClick(context), -1);
}

TEST_F(RowCommandsTest, ReverseOrderSwapsFromBothEnds) {
  Fill(6);
  Select(2, 5);
  EditingContext context = Context();
  mReverseClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A5", "A4", "A3", "A2", "A6"}));
  Select(5, 9);  // beyond the table: rows 5..6
  EditingContext tail = Context();
  mReverseClick(tail);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A5", "A4", "A3", "A6", "A2"}));
  Select(3, 3);
  EditingContext one = Context();
  mReverseClick(one);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A5", "A4", "A3", "A6", "A2"}));
}

TEST_F(RowCommandsTest, RenameGivesSelectionOneAddress) {
  Fill(4);
  Select(2, 3);
  EditingContext context = Context();
  fake.prompter.Answer(std::nullopt);  // Cancel keeps every address
  pmRenameClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "A2", "A3", "A4"}));
  ASSERT_EQ(fake.prompter.asked.size(), 1u);
  EXPECT_EQ(fake.prompter.asked[0].caption, "Адрес блоков");
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите адрес расположения блоков");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "A2");
  fake.prompter.Answer("Подвал");
  pmRenameClick(context);
  EXPECT_EQ(Addresses(), (Strings{"A1", "Подвал", "Подвал", "A4"}));
  Select(0, 2);
  EditingContext outside = Context();
  pmRenameClick(outside);
  EXPECT_EQ(fake.prompter.asked.size(), 2u);  // not even asked
}

TEST_F(RowCommandsTest, SetAllLengthsTakesOnlyAWholeLength) {
  Fill(3);
  EditingContext context = Context(1, 1);
  fake.prompter.Answer(std::nullopt);
  mLengthClick(context);
  ASSERT_EQ(fake.prompter.asked.size(), 1u);
  EXPECT_EQ(fake.prompter.asked[0].caption, "Длина сегментов");
  EXPECT_EQ(fake.prompter.asked[0].prompt, "Введите длину сегментов в метрах");
  EXPECT_EQ(fake.prompter.asked[0].default_text, "10");
  EXPECT_EQ(table.GetCell(3, kLengthM), "30");  // Cancel keeps every length
  fake.prompter.Answer(" 25,5 м");              // refused, asked again
  fake.prompter.Answer(std::nullopt);           // and Cancel keeps them too
  mLengthClick(context);
  EXPECT_EQ(table.GetCell(3, kLengthM), "30");
  fake.prompter.Answer("25");
  mLengthClick(context);
  EXPECT_EQ(table.GetCell(3, kLengthM), "25");
  EXPECT_EQ(table.GetCell(3, kResistanceOhm), "R3");  // nothing recomputed
}

}  // namespace
}  // namespace luch
