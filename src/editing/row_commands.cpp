#include "editing/row_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/numbers.h"
#include "common/profile_file.h"
#include "common/savable_text.h"
#include "common/settings_file.h"
#include "editing/row_clipboard.h"
#include "editing/row_operations.h"
#include "editing/table_text.h"
#include "project/project_file.h"
#include "project/typed_length.h"

namespace luch {
namespace {

constexpr const char* kPasteCaption = "Вставка";
constexpr const char* kPastePrompt = "Введите добавляемое количество строк";
constexpr const char* kRenameCaption = "Адрес блоков";
constexpr const char* kRenamePrompt = "Введите адрес расположения блоков";
constexpr const char* kLengthCaption = "Длина сегментов";
constexpr const char* kLengthPrompt = "Введите длину сегментов в метрах";
constexpr const char* kMessageCaption = "Сообщение";
constexpr const char* kTableFullText =
    "Достигнуто максимальное количество блоков (4096).\n"
    "Не вставлено строк: ";
constexpr const char* kFractionText =
    "Длина задаётся целым числом метров; дробная часть длины отброшена.\nСтроки: ";
constexpr size_t kListedRows = 10;  // the rest counted, so that the box fits the screen

struct RowRange {
  int top = 0;
  int bottom = -1;
  bool empty() const { return bottom < top; }
};

// The selection cut to the table; empty when it starts before row 1 or after
// the last row, or ends before it starts.
RowRange SelectedRows(const EditingContext& context) {
  const int top = context.selection_top;
  if (top < 1 || top > context.table.BlockCount() || context.selection_bottom < top) return {};
  return {top, std::min(context.selection_bottom, context.table.BlockCount())};
}

void ShowBlockCount(EditingContext& context) {
  context.status.bar1[1] = BlockCountPanelText(context.table.BlockCount());
}

// False when nothing was copied: a text Copy.ini cannot hold (it would come
// back as "?"), or a file that cannot be written; each shows its message.
bool CopySelection(EditingContext& context) {
  const RowRange range = SelectedRows(context);
  if (range.empty()) return true;
  std::vector<ClipboardRow> rows;
  for (int r = range.top; r <= range.bottom; ++r) rows.push_back(RowFromTable(context.table, r));
  const std::string unsavable = UnsavableRowsMessage(context.table, range.top, range.bottom);
  if (!unsavable.empty()) {
    context.platform.messages->Show(unsavable, kMessageCaption, MessageIcon::kWarning);
    return false;
  }
  if (!WriteClipboard(context.data_dir, rows, context.platform)) return false;
  // For spreadsheets: the same rows as the grid shows them.
  context.platform.clipboard->SetText(RowsAsTabText(context.table, range.top, range.bottom,
                                                    context.platform.locale->DecimalSeparator()));
  return true;
}

// Inserts `count` rows in front of CurrentRow, as many as fit below 4096, and
// fills row k (0-based) of them with `fill`; an information box says how many
// did not fit.
void InsertAtCursor(EditingContext& context, int64_t count,
                    const std::function<void(int row, int64_t k)>& fill) {
  ProjectTable& table = context.table;
  const int r = context.current_row;
  const int64_t fitting = std::min<int64_t>(count, kMaxBlockCount - table.BlockCount());
  if (fitting > 0 && InsertEmptyRows(table, r, static_cast<int>(fitting))) {
    for (int64_t k = 0; k < fitting; ++k) fill(r + static_cast<int>(k), k);
    ShowBlockCount(context);
  }
  if (fitting < count) {
    context.platform.messages->Show(kTableFullText + std::to_string(count - fitting),
                                    kMessageCaption, MessageIcon::kInformation);
  }
}

bool CursorInTable(const EditingContext& context) {
  return context.current_row >= 1 && context.current_row <= context.table.BlockCount();
}

// `repeat` back-to-back copies of the clipboard in front of CurrentRow, as
// `repeat` Pastes would leave them: when the table fills up, the paste that
// no longer fits whole inserts its first rows in front of the earlier copies.
void PasteRepeated(EditingContext& context, int64_t repeat) {
  if (repeat < 1) return;
  const std::filesystem::path path = ClipboardPath(context.data_dir);
  if (!FileExists(path, *context.platform.files) || !CursorInTable(context)) return;
  const std::vector<ClipboardRow> rows =
      ReadClipboardFile(path, *context.platform.files, context.platform.locale->DecimalSeparator());
  if (rows.empty()) return;

  const int64_t per_paste = static_cast<int64_t>(rows.size());
  const int64_t wanted = per_paste * repeat;
  const int64_t fitting = std::min<int64_t>(wanted, kMaxBlockCount - context.table.BlockCount());
  const int64_t partial = fitting % per_paste;  // the rows of a paste that fit only in part
  InsertAtCursor(context, wanted, [&](int row, int64_t k) {
    const int64_t index = k < partial ? k : (k - partial) % per_paste;
    RowToTable(rows[static_cast<size_t>(index)], context.table, row);
  });
}

// The fields of the columns of `tab`; nothing when the user cancelled.
std::optional<std::vector<TabField>> PastedFields(EditingContext& context, const TabText& tab) {
  if (!tab.named.empty()) return tab.named;
  if (tab.columns == kColumnCount || !context.paste_columns) return GridFields();
  ProfileFile settings = OpenSettingsFile(context.data_dir, *context.platform.files);
  const size_t shown = std::min(tab.lines.size(), kPasteSampleLines);
  const std::optional<std::vector<TabField>> chosen = context.paste_columns->ChoosePasteColumns(
      {tab.lines.begin(), tab.lines.begin() + static_cast<std::ptrdiff_t>(shown)},
      RememberedPasteColumns(settings, tab.columns));
  if (chosen) {
    RememberPasteColumns(settings, *chosen);
    SaveOrReport(settings, *context.platform.messages);
  }
  return chosen;
}

// A length a spreadsheet gives with a fraction of a metre ("12,5"), which the
// table cannot hold.
bool HasFraction(std::string_view length) {
  const double meters = LeadingTypedReal(length);
  return std::isfinite(meters) && meters != std::trunc(meters);
}

}  // namespace

std::string BlockCountPanelText(int block_count) {
  return "Блоков: " + std::to_string(block_count);
}

void mCopyClick(EditingContext& context) { CopySelection(context); }

void mPasteTableClick(EditingContext& context) {
  if (!CursorInTable(context)) return;
  const std::string text = context.platform.clipboard->Text();
  if (text.empty() || !CheckSavable(text, *context.platform.messages)) return;
  const TabText tab = SplitTabText(text);
  if (tab.lines.empty()) return;
  const std::optional<std::vector<TabField>> fields = PastedFields(context, tab);
  if (!fields) return;  // Cancel pastes nothing
  const std::vector<TabRow> rows = RowsOfFields(tab, *fields);
  const char separator = context.platform.locale->DecimalSeparator();
  std::string cut_rows;  // "2 (12 м), 5 (7 м)"
  size_t cut_count = 0;
  InsertAtCursor(context, static_cast<int64_t>(rows.size()), [&](int row, int64_t k) {
    const TabRow& from = rows[static_cast<size_t>(k)];
    ProjectTable& table = context.table;
    if (HasFraction(from.length) && ++cut_count <= kListedRows) {
      cut_rows += (cut_count > 1 ? ", " : "") + std::to_string(row) + " (" +
                  std::to_string(LeadingInteger(from.length)) + " м)";
    }
    table.SetAddress(row, from.address);
    table.SetCableName(row, from.cable_name);
    table.SetLengthM(row, LeadingInteger(from.length));
    table.SetBlockName(row, from.block_name);
    table.SetRegimeName(row, from.regime_name);
    table.SetHasZB(row, !from.zb.empty() && from.zb != "0" && FoldCase(from.zb) != "нет");
    table.UpdateResistance(row, context.cables, separator);
  });
  if (cut_count == 0) return;
  if (cut_count > kListedRows) cut_rows += " и ещё " + std::to_string(cut_count - kListedRows);
  context.platform.messages->Show(kFractionText + cut_rows, kMessageCaption, MessageIcon::kWarning);
}

void mCutClick(EditingContext& context) {
  if (context.current_row < 0) return;
  if (!CopySelection(context)) return;  // keep the rows that the clipboard did not get
  mDeleteClick(context);
}

void mPasteClick(EditingContext& context) { PasteRepeated(context, 1); }

void mDeleteClick(EditingContext& context) {
  const RowRange range = SelectedRows(context);
  if (range.empty()) return;
  if (DeleteRows(context.table, range.top, range.bottom - range.top + 1) > 0) {
    ShowBlockCount(context);
    // The grid's cursor cannot stay on a row that is gone.
    context.current_row = std::min(context.current_row, context.table.BlockCount());
  }
}

void mFillSpaceClick(EditingContext& context) {
  const std::filesystem::path path = ClipboardPath(context.data_dir);
  if (!FileExists(path, *context.platform.files)) return;
  const ClipboardRow clip = ReadClipboardRow(ProfileFile(path, *context.platform.files), 0);
  ProjectTable& table = context.table;
  for (int i = 1; i <= table.BlockCount(); ++i) {
    if (table.Address(i).empty()) table.SetAddress(i, clip.address);
    if (table.CableName(i).empty()) table.SetCableName(i, clip.cable_name);
    if (table.LengthM(i) == 0) table.SetLengthM(i, clip.length_m);
    if (table.BlockName(i).empty()) BlockToTable(clip, table, i);
  }
}

void mMnogoClick(EditingContext& context) {
  const std::optional<std::string> answer = context.platform.prompter->Ask(
      kPasteCaption, kPastePrompt, std::to_string(context.paste_repeat_count));
  if (!answer) return;  // Cancel pastes nothing
  context.paste_repeat_count = LeadingInteger(*answer);
  PasteRepeated(context, context.paste_repeat_count);
}

int pmUpClick(EditingContext& context) {
  const int r = context.current_row;
  if (r >= 0 && SwapRows(context.table, r, r - 1)) context.current_row = r - 1;
  return context.current_row;
}

int pmDownClick(EditingContext& context) {
  const int r = context.current_row;
  if (r >= 0 && SwapRows(context.table, r, r + 1)) context.current_row = r + 1;
  return context.current_row;
}

void mReverseClick(EditingContext& context) {
  const RowRange range = SelectedRows(context);
  for (int i = range.top, j = range.bottom; i < j; ++i, --j) SwapRows(context.table, i, j);
}

void pmRenameClick(EditingContext& context) {
  const RowRange range = SelectedRows(context);
  if (range.empty()) return;
  const std::optional<std::string> answer =
      AskSavable(context.platform, kRenameCaption, kRenamePrompt, context.table.Address(range.top));
  if (!answer) return;  // Cancel keeps every address
  for (int r = range.top; r <= range.bottom; ++r) context.table.SetAddress(r, *answer);
}

void mLengthClick(EditingContext& context) {
  ProjectTable& table = context.table;
  const std::optional<int32_t> length =
      AskLength(context.platform, kLengthCaption, kLengthPrompt, std::to_string(table.LengthM(1)));
  if (!length) return;  // Cancel keeps every length
  for (int r = 1; r <= table.BlockCount(); ++r) table.SetLengthM(r, *length);
}

}  // namespace luch
