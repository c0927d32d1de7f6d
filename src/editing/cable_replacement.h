// Cable replacement (the logic of the dialog TChangeCbl) and the normal regime
// for every block.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"
#include "common/settings_file.h"
#include "editing/replacement_dialog.h"
#include "project/project_table.h"

namespace luch {

class BlockLibrary;
class CableLibrary;

// Every row whose CableName equals `from` byte for byte gets `to`. Nothing is
// recomputed: ResistanceOhm keeps the old cable's value until the next
// calculation. Returns the number of rows changed.
int ReplaceCableName(ProjectTable& table, std::string_view from, std::string_view to);

// mChangeCblClick's last step: ReplaceCableName when ShouldReplace(choice). The
// number of rows changed; nothing when no replacement was asked for.
std::optional<int> ApplyCableReplacement(ProjectTable& table, const ReplacementChoice& choice);

// mBlkNormaClick (F12): every row whose block type is in the library gets the
// name of that type's first regime (the empty text when it has none). Rows
// with an empty or unknown block name keep their regime; PowerMW and CurrentMA
// are not touched.
void SetNormalRegimes(ProjectTable& table, const BlockLibrary& blocks);

// Design place of TChangeCbl and its section in Tarvel.ini.
inline constexpr WindowGeometry kChangeCblDesign{122, 58, 526, 522};
inline constexpr const char* kChangeCblSection = "ChangeCbl";

// The dialog's state and handlers, without the window.
class ChangeCblLogic : public ReplacementDialogLogic {
 public:
  ChangeCblLogic(std::filesystem::path data_dir, const CableLibrary& cables, Platform platform);

  // Fills the list of names (the items of both ListBoxFrom and ListBoxTo):
  // CableNameAt(1..CableCount) in library order. Gives the window's place.
  WindowGeometry FormCreate();
  // An item was double-clicked (-1: none selected): its name into the edit.
  void ListBoxFromDblClick(int index);
  void ListBoxToDblClick(int index);

  const std::vector<std::string>& names() const { return names_; }

 private:
  const CableLibrary& cables_;
  std::vector<std::string> names_;
};

}  // namespace luch
