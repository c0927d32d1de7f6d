#include "editing/row_operations.h"

#include <algorithm>
#include <string>

namespace luch {
namespace {

void CopyRowTexts(ProjectTable& table, int from, int to) {
  for (int col = kAddress; col < kColumnCount; ++col) {
    table.SetCell(to, col, table.GetCell(from, col));
  }
}

}  // namespace

bool InsertEmptyRows(ProjectTable& table, int r, int count) {
  const int old_count = table.BlockCount();
  if (r < 1 || r > old_count + 1 || count < 1 || count > kMaxBlockCount - old_count) return false;
  const int new_count = old_count + count;
  table.SetBlockCount(new_count);
  for (int i = new_count - count; i >= r; --i) CopyRowTexts(table, i, i + count);
  for (int i = r; i < r + count; ++i) {
    for (int col = kAddress; col < kColumnCount; ++col) table.SetCell(i, col, "");
  }
  return true;
}

void DeleteRow(ProjectTable& table, int r) {
  const int count = table.BlockCount();
  if (r < 1 || r > count || count == 1) return;
  for (int i = r; i < count; ++i) CopyRowTexts(table, i + 1, i);
  table.SetBlockCount(count - 1);
}

int DeleteRows(ProjectTable& table, int t, int count) {
  const int old_count = table.BlockCount();
  if (t < 1 || t > old_count || count < 1) return 0;
  const int removed = std::min({count, old_count - t + 1, old_count - 1});
  if (removed == 0) return 0;
  for (int i = t; i + removed <= old_count; ++i) CopyRowTexts(table, i + removed, i);
  // Deleting one row at a time leaves the former last row in every row that
  // drops out; keep that, so that raising the count shows the same texts.
  for (int i = std::max(t, old_count - removed + 1); i < old_count; ++i) {
    CopyRowTexts(table, old_count, i);
  }
  table.SetBlockCount(old_count - removed);
  return removed;
}

bool SwapRows(ProjectTable& table, int a, int b) {
  const int count = table.BlockCount();
  if (a == b || a < 1 || b < 1 || a > count || b > count) return false;
  for (int col = kAddress; col < kColumnCount; ++col) {
    std::string text = table.GetCell(a, col);
    table.SetCell(a, col, table.GetCell(b, col));
    table.SetCell(b, col, text);
  }
  return true;
}

}  // namespace luch
