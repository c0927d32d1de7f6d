// Block replacement: a block type name replaced by another in every row of the
// project, and the logic of its dialog TChangeBlk with the remembered pairs of
// Замена блоков.ini (plain Windows-1251 text, one "old>new" per line).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/platform.h"
#include "common/settings_file.h"
#include "editing/replacement_dialog.h"
#include "project/project_table.h"

namespace luch {

class BlockLibrary;

// Every row whose BlockName equals `from` byte for byte gets `to`; nothing else
// changes and nothing is recomputed. Returns the number of rows changed.
int ReplaceBlockName(ProjectTable& table, std::string_view from, std::string_view to);

// mBlkChngClick's last step: ReplaceBlockName when ShouldReplace(choice). The
// number of rows changed; nothing when no replacement was asked for.
std::optional<int> ApplyBlockReplacement(ProjectTable& table, const ReplacementChoice& choice);

std::filesystem::path ReplacementListPath(const std::filesystem::path& data_dir);

// A list line split at its first ">" within its first 127 characters:
// {"A", "B>C"} for "A>B>C"; nothing when there is no ">" there.
std::optional<std::pair<std::string, std::string>> SplitReplacementLine(std::string_view line);

// Design place of TChangeBlk and its section in Tarvel.ini.
inline constexpr WindowGeometry kChangeBlkDesign{79, 140, 451, 580};
inline constexpr const char* kChangeBlkSection = "ChangeBlk";
// The choice menu lists the names of block types 0..1024 at most.
inline constexpr int kLastChoiceBlockIndex = 1024;

// The dialog's state and handlers, without the window. The window copies its
// edit texts into edit_from / edit_to before a handler runs and shows them
// and items() after.
class ChangeBlkLogic : public ReplacementDialogLogic {
 public:
  ChangeBlkLogic(std::filesystem::path data_dir, const BlockLibrary& blocks, Platform platform);

  // Loads ListBox1 with the lines of Замена блоков.ini in file order and gives
  // the window's place from Tarvel.ini. A missing file is the normal first
  // use: an empty list. A file that is there but cannot be read shows "Cannot
  // open file <path>" and gives an empty list at the design place.
  WindowGeometry FormCreate();

  // The item `index` was clicked (-1: none is selected): both edits emptied,
  // then filled from the item's split (see SplitReplacementLine).
  void ListBox1Click(int index);
  // Appends EditFrom>EditTo to the list and rewrites the file whole; nothing
  // when either edit is empty, nor (after the message naming them) when they
  // hold characters the file cannot hold. A failed write shows "Cannot create file
  // <path>"; the list keeps the new item. A list file that is there but could
  // not be read is never replaced: "Unable to write to <path>", nothing changes.
  void BitBtnSaveClick();
  // Removes item `index` (-1 or out of range: nothing) and rewrites the file
  // as BitBtnSaveClick does.
  void pmDelClick(int index);
  // The captions of the block choice menu: BlockNameAt(0), BlockNameAt(1), ...
  // up to the first empty name, at most up to index 1024.
  std::vector<std::string> BlockChoiceNames() const;

  const std::vector<std::string>& items() const { return items_; }

 private:
  // False, after its error box, when the file on disk could not be read.
  bool ListWritable() const;
  void WriteList();

  const BlockLibrary& blocks_;
  std::vector<std::string> items_;  // ListBox1
  bool list_unreadable_ = false;
};

}  // namespace luch
