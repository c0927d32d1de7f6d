#include "editing/row_operations.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace luch {
namespace {

// Rows 1..count with texts naming their place: "r3c5" in row 3, column 5.
ProjectTable NamedTable(int count) {
  ProjectTable table;
  table.SetBlockCount(count);
  for (int r = 1; r <= count; ++r) {
    for (int c = kAddress; c < kColumnCount; ++c) {
      table.SetCell(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
    }
  }
  return table;
}

// Every row the table has ever shown, hidden rows included.
std::vector<BlockRow> AllRows(ProjectTable table, int up_to) {
  table.SetBlockCount(up_to);
  std::vector<BlockRow> rows;
  for (int r = 1; r <= up_to; ++r) rows.push_back(table.GetRow(r));
  return rows;
}

// The one-row delete written out step by step, as the fast range delete must
// behave when repeated.
void ReferenceDeleteRow(ProjectTable& table, int r) {
  if (r < 1 || table.BlockCount() == 1) return;
  for (int i = r; i <= table.BlockCount() - 1; ++i) {
    for (int c = 1; c <= 10; ++c) table.SetCell(i, c, table.GetCell(i + 1, c));
  }
  table.SetBlockCount(table.BlockCount() - 1);
}

TEST(RowOperations, InsertEmptyRowMovesRowsDown) {
  ProjectTable table = NamedTable(3);
  ASSERT_TRUE(InsertEmptyRow(table, 2));
  EXPECT_EQ(table.BlockCount(), 4);
  EXPECT_EQ(table.GetCell(1, kAddress), "r1c1");
  for (int c = kAddress; c < kColumnCount; ++c) EXPECT_EQ(table.GetCell(2, c), "");
  EXPECT_EQ(table.GetCell(3, kVoltageV), "r2c10");
  EXPECT_EQ(table.GetCell(4, kAddress), "r3c1");
  EXPECT_EQ(table.GetCell(4, kNumber), "4");
}

TEST(RowOperations, InsertOverwritesRowsHiddenEarlier) {
  // Rows hidden by an earlier lowering of the count are overwritten, not shown.
  ProjectTable table = NamedTable(6);
  table.SetBlockCount(3);
  ASSERT_TRUE(InsertEmptyRows(table, 1, 2));
  EXPECT_EQ(table.BlockCount(), 5);
  EXPECT_EQ(table.GetCell(1, kAddress), "");
  EXPECT_EQ(table.GetCell(2, kAddress), "");
  EXPECT_EQ(table.GetCell(3, kAddress), "r1c1");
  EXPECT_EQ(table.GetCell(5, kAddress), "r3c1");
}

TEST(RowOperations, InsertOnFullTableChangesNothing) {
  ProjectTable table = NamedTable(kMaxBlockCount);
  EXPECT_FALSE(InsertEmptyRow(table, 1));
  EXPECT_EQ(table.BlockCount(), kMaxBlockCount);
  EXPECT_EQ(table.GetCell(1, kAddress), "r1c1");
  EXPECT_EQ(table.GetCell(kMaxBlockCount, kAddress), "r4096c1");

  ProjectTable almost = NamedTable(kMaxBlockCount - 2);
  EXPECT_FALSE(InsertEmptyRows(almost, 1, 3));
  EXPECT_EQ(almost.BlockCount(), kMaxBlockCount - 2);
  EXPECT_TRUE(InsertEmptyRows(almost, 1, 2));
  EXPECT_EQ(almost.GetCell(kMaxBlockCount, kAddress), "r4094c1");
}

TEST(RowOperations, InsertOutsideTableChangesNothing) {
  ProjectTable table = NamedTable(3);
  EXPECT_FALSE(InsertEmptyRow(table, 0));
  EXPECT_FALSE(InsertEmptyRow(table, -1));
  EXPECT_FALSE(InsertEmptyRow(table, 5));
  EXPECT_FALSE(InsertEmptyRows(table, 1, 0));
  EXPECT_EQ(table.BlockCount(), 3);
  EXPECT_TRUE(InsertEmptyRow(table, 4));  // after the last row
  EXPECT_EQ(table.GetCell(3, kAddress), "r3c1");
  EXPECT_EQ(table.GetCell(4, kAddress), "");
}

TEST(RowOperations, DeletedRowDropsOutWithoutBeingEmptied) {
  ProjectTable table = NamedTable(5);
  DeleteRow(table, 2);
  EXPECT_EQ(table.BlockCount(), 4);
  EXPECT_EQ(table.GetCell(2, kAddress), "r3c1");
  EXPECT_EQ(table.GetCell(4, kAddress), "r5c1");
  table.SetBlockCount(5);
  EXPECT_EQ(table.GetCell(5, kAddress), "r5c1");
  EXPECT_EQ(table.GetCell(4, kAddress), "r5c1");
}

TEST(RowOperations, DeleteKeepsTheLastRemainingRow) {
  ProjectTable table = NamedTable(1);
  DeleteRow(table, 1);
  EXPECT_EQ(table.BlockCount(), 1);
  EXPECT_EQ(table.GetCell(1, kAddress), "r1c1");
  EXPECT_EQ(DeleteRows(table, 1, 5), 0);

  ProjectTable five = NamedTable(5);
  EXPECT_EQ(DeleteRows(five, 1, 5), 4);
  EXPECT_EQ(five.BlockCount(), 1);
  EXPECT_EQ(five.GetCell(1, kAddress), "r5c1");
}

TEST(RowOperations, DeleteOutsideTableChangesNothing) {
  ProjectTable table = NamedTable(3);
  DeleteRow(table, 0);
  DeleteRow(table, 4);  // would otherwise take the last row away
  EXPECT_EQ(DeleteRows(table, 4, 2), 0);
  EXPECT_EQ(AllRows(table, 3), AllRows(NamedTable(3), 3));
}

TEST(RowOperations, RangeDeleteEqualsRepeatedSingleDeletes) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    const int count = 1 + static_cast<int>(random() % 12);
    const int hidden = static_cast<int>(random() % 4);  // rows hidden beforehand
    ProjectTable fast = NamedTable(count + hidden);
    fast.SetBlockCount(count);
    ProjectTable slow = fast;
    const int top = 1 + static_cast<int>(random() % count);
    const int n = 1 + static_cast<int>(random() % (count - top + 1));
    DeleteRows(fast, top, n);
    for (int k = 0; k < n; ++k) ReferenceDeleteRow(slow, top);
    ASSERT_EQ(fast.BlockCount(), slow.BlockCount()) << count << " " << top << " " << n;
    ASSERT_EQ(AllRows(fast, count + hidden), AllRows(slow, count + hidden))
        << count << " " << top << " " << n;
  }
}

TEST(RowOperations, SwapRowsExchangesTextsButNotNumbers) {
  ProjectTable table = NamedTable(3);
  EXPECT_TRUE(SwapRows(table, 1, 3));
  EXPECT_EQ(table.GetCell(1, kAddress), "r3c1");
  EXPECT_EQ(table.GetCell(3, kVoltageV), "r1c10");
  EXPECT_EQ(table.GetCell(1, kNumber), "1");
  EXPECT_FALSE(SwapRows(table, 2, 2));
  EXPECT_FALSE(SwapRows(table, 0, 1));
  EXPECT_FALSE(SwapRows(table, 3, 4));
  EXPECT_EQ(table.GetCell(2, kAddress), "r2c1");
}

}  // namespace
}  // namespace luch
