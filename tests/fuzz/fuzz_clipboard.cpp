// Copy.ini as another instance (or another person) may have left it: paste
// (Ctrl+V), paste into free rows, paste several times, then copy the whole
// table back and check that the clipboard holds what the table shows.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.h"
#include "common/headless_platform.h"
#include "common/profile_file.h"
#include "editing/row_clipboard.h"
#include "editing/row_commands.h"
#include "fuzz_support.h"
#include "library/cable_library.h"

namespace {

using namespace luch;

// A text that reaches the clipboard file unchanged (blanks and one pair of
// enclosing quotes at its ends are lost there by design).
bool SurvivesFile(const std::string& text) {
  if (text.empty()) return true;
  const auto edge = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  return !edge(text.front()) && !edge(text.back());
}

void CheckTableShape(const ProjectTable& table) {
  LUCH_FUZZ_CHECK(table.BlockCount() >= kMinBlockCount && table.BlockCount() <= kMaxBlockCount);
  for (int r = 1; r <= table.BlockCount(); ++r) {
    LUCH_FUZZ_CHECK(table.GetCell(r, kNumber) == std::to_string(r));
  }
}

void FillTable(ProjectTable& table) {
  table.SetBlockCount(5);
  for (int r = 1; r <= 5; ++r) {
    if (r == 3) continue;  // a free row for "paste into free rows"
    table.SetAddress(r, "Подъезд " + std::to_string(r));
    table.SetCableName(r, "КСПВ 2х0,8");
    table.SetLengthM(r, 10 * r);
    table.SetBlockName(r, "Изолятор короткого замыкания");
    table.SetRegimeName(r, "Нормальный");
    table.SetPowerMW(r, 60);
    table.SetHasZB(r, r % 2 == 0);
  }
}

// Answers the column dialog with its preset, as OK pressed at once.
struct PresetChooser : PasteColumnsChooser {
  std::optional<std::vector<TabField>> ChoosePasteColumns(
      const std::vector<std::vector<std::string>>&, const std::vector<TabField>& preset) override {
    return preset;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::PutFile(kClipboardFileName, bytes);

  ProjectTable table;
  FillTable(table);
  StatusBars status;
  HeadlessPlatform headless(',');
  int current_row = static_cast<int>(size % 8);  // 0..7: also outside the rows
  int paste_repeat_count = 2;
  const CableLibrary cables;
  PresetChooser chooser;
  EditingContext context{
      table,  status,  current_row, 1, 1, paste_repeat_count, fuzz::DataDir(), headless.platform(),
      cables, &chooser};

  mPasteClick(context);
  CheckTableShape(table);
  mFillSpaceClick(context);
  CheckTableShape(table);
  context.current_row = std::min(context.current_row, table.BlockCount());
  mMnogoClick(context);
  CheckTableShape(table);
  // The same bytes as a spreadsheet's rows on the desktop clipboard, its
  // columns named, in the grid's order or as the column dialog presets them.
  headless.platform().clipboard->SetText(bytes);
  context.current_row = std::clamp(context.current_row, 1, table.BlockCount());
  mPasteTableClick(context);
  CheckTableShape(table);

  // Copy of every row: the clipboard then holds exactly the table's rows, or
  // Copy refuses them (a text without a Windows-1251 form, which a UTF-8 file
  // may hold) and leaves the file as it was.
  context.selection_top = 1;
  context.selection_bottom = table.BlockCount();
  const size_t messages = headless.messages().size();
  mCopyClick(context);
  if (headless.messages().size() > messages) {
    std::string after;
    LUCH_FUZZ_CHECK(ReadFileBytes(ClipboardPath(fuzz::DataDir()), after) && after == bytes);
    return 0;
  }
  const std::vector<ClipboardRow> copied =
      ReadClipboardRows(ProfileFile(ClipboardPath(fuzz::DataDir())));
  LUCH_FUZZ_CHECK(copied.size() == static_cast<size_t>(table.BlockCount()));
  if (bytes.find('\x98') != std::string_view::npos) return 0;
  for (int r = 1; r <= table.BlockCount(); ++r) {
    const ClipboardRow expected = RowFromTable(table, r);
    const ClipboardRow& got = copied[static_cast<size_t>(r - 1)];
    for (const auto& [a, b] : {std::pair{&expected.address, &got.address},
                               std::pair{&expected.cable_name, &got.cable_name},
                               std::pair{&expected.block_name, &got.block_name},
                               std::pair{&expected.regime_name, &got.regime_name}}) {
      if (SurvivesFile(*a)) LUCH_FUZZ_CHECK(*a == *b);
    }
    LUCH_FUZZ_CHECK(expected.length_m == got.length_m);
    LUCH_FUZZ_CHECK(expected.power_mw == got.power_mw);
    LUCH_FUZZ_CHECK(expected.has_zb == got.has_zb);
    if (std::fabs(expected.current_ma) < 1e12) {
      LUCH_FUZZ_CHECK(expected.current_ma == got.current_ma);
    }
  }
  return 0;
}
