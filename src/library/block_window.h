// The block window "Блоки" (TBlock) without its widgets: the list of block
// types, the regime grid of the selected type and its Umin, with every change
// written to Блок.ini at once. The Qt window forwards its events here and
// redraws from the state below.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/platform.h"
#include "common/settings_file.h"
#include "library/block_library.h"

namespace luch {

class ProfileFile;

// The texts of the block window, as the user sees them.
namespace block_texts {
inline constexpr const char* kCaption = "Блоки";
inline constexpr std::array<const char*, 3> kHeaders = {" Название", " P мвт", " I ма"};
inline constexpr const char* kStatusPrefix = "Типов блоков: ";
inline constexpr const char* kUnnamed = "?";
inline constexpr const char* kGroupNames = "Названия блоков";
inline constexpr const char* kGroupRegimes = "Режимы";
inline constexpr const char* kGroupUmin = "Минимальное напряжение (вольт)";
inline constexpr const char* kButtonAdd = "&Добавить";
inline constexpr const char* kButtonDel = "&Удалить";

inline constexpr const char* kBlockCaption = "Добавление нового блока";
inline constexpr const char* kBlockPrompt = "Введите название блока";
inline constexpr const char* kNormalRegime = "Нормальный";

inline constexpr const char* kDeleteBlockCaption = "Удаление блока";
inline constexpr const char* kDeleteOnlyLast =
    "ВНИМАНИЕ! Можно удалить только последний блок в списке...";
inline constexpr const char* kSure = "Вы уверены?";

inline constexpr const char* kRenamedCaption = "Новое имя блока";
inline constexpr const char* kRenamed =
    "После изменения названия блока\n имя в проектах следует обновить вручную...";

inline constexpr const char* kEditRegimeCaption = "Изменение режима";
inline constexpr const char* kAddRegimeCaption = "Добавление режима";
inline constexpr const char* kRegimeNamePrompt = "Введите название режима";
inline constexpr const char* kPowerPrompt = "Введите потребляемую мощность в мвт";
inline constexpr const char* kCurrentPrompt = "Введите потребляемый ток в ма";
inline constexpr const char* kDefaultPower = "100";
inline constexpr const char* kDefaultCurrent = "0.0";

inline constexpr const char* kDeleteRegimeCaption = "Удаление режима";
inline constexpr const char* kDeleteAllRegimes = "Нельзя удалить все режимы...";

inline constexpr const char* kUminCaption = "Изменение величины напряжение";
inline constexpr const char* kUminPrompt = "Введите минимальное напряжение  в вольтах";

inline constexpr const char* kFullCaption = "Сообщение";
inline constexpr const char* kTooManyRegimes =
    "Нельзя добавить больше 31 режима:\nрежимы после 31-го не читаются ни окном, ни расчетом.";
inline constexpr const char* kTooManyTypes =
    "Нельзя добавить больше 1024 типов блоков:\n"
    "типы после 1024-го не читаются ни окном, ни расчетом.";
}  // namespace block_texts

inline constexpr const char* kBlockSection = "Block";

class BlockWindow {
 public:
  // The design place of the window: Left 297, Top 97, Width 502, Height 382.
  static constexpr WindowGeometry kDesign{.top = 97, .left = 297, .height = 382, .width = 502};
  static constexpr int kEscapeKey = 27;

  // Cells of one regime row: name, P (mW), I (mA).
  using RegimeRow = std::array<std::string, 3>;
  // Told about every rename of a type; the main window renames the block in
  // the open project (the block replacement of the project table).
  using RenameCallback =
      std::function<void(const std::string& old_name, const std::string& new_name)>;

  // `library` serves every lookup of the program and must outlive the window;
  // it is invalidated after each write. Files live in `data_dir`.
  BlockWindow(std::filesystem::path data_dir, BlockLibrary& library, Platform platform);

  void SetRenameCallback(RenameCallback callback) { rename_ = std::move(callback); }

  // ---- State shown by the window.
  // ListBox1: the names, in file order; "?" for a section without a name.
  const std::vector<std::string>& names() const { return names_; }
  // The selected entry (0-based), -1 when none.
  int selected() const { return selected_; }
  // The view reports the user's choice of entry here, then calls ListBox1Click.
  void SetSelected(int index);
  // StringGrid1 rows 1..n (element 0 is grid row 1); never empty.
  const std::vector<RegimeRow>& regimes() const { return regimes_; }
  // The grid's selected row, 1..n.
  int grid_row() const { return grid_row_; }
  void SetGridRow(int row);
  // EditUmin; the user may type into it (SetEditUmin), the text reaches the
  // file with the next save of the same entry.
  const std::string& edit_umin() const { return edit_umin_; }
  void SetEditUmin(std::string_view text) { edit_umin_ = std::string(text); }
  // "Типов блоков: N".
  const std::string& status_text() const { return status_text_; }
  bool button_del_block_enabled() const { return button_del_block_enabled_; }
  // The regime buttons, the grid's editing and EditUmin work only while an
  // entry is selected.
  bool regime_editing_enabled() const { return selected_ >= 0; }

  // ---- Operations on Блок.ini. The file is written whole and atomically: a
  // write that fails leaves it as it was, says "Unable to write to %s", and
  // the window shows the file again.
  // Refills the list (at most 1024 sections, up to the first without a key),
  // sets the status line and selects nothing.
  void LoadBlockNames();
  // Writes the name of every entry into its section; other keys stay.
  void SaveBlockNames();
  // One empty regime row.
  void ClearRegimeGrid();
  // Fills the grid and EditUmin from the selected entry's section.
  void LoadSelectedBlock();
  // Writes the grid ("Режим"+r, "P"+r, "I"+r) and Umin into the selected
  // entry's section; nothing when it has no key or none is selected.
  void SaveSelectedBlock();
  // Removes "Режим"+r, "P"+r, "I"+r, r = 1..31, of the selected entry.
  void DeleteRegimeKeys();

  // ---- Handlers. Each one that would change Блок.ini first makes sure that
  // the file may be written; when it may not (it could not be read at
  // FormCreate, or the user may not write it), it says "Unable to write to
  // %s" and changes nothing.
  // Reads the place from section "Block" (design values as defaults, pulled
  // back onto the screen) and loads the names; a file that is there but
  // cannot be read is reported ("Cannot open file %s").
  WindowGeometry FormCreate();
  // Stores the place in section "Block" (a failed write of Tarvel.ini is
  // reported), then writes the names once more.
  void FormClose(const WindowGeometry& geometry);
  static bool FormKeyDown(int key) { return key == kEscapeKey; }
  void ListBox1Click();
  void ButtonAddBlkClick();
  void ButtonDelBlockClick();
  // Appends one section per type with its keys as given (a received
  // project's types, "Название" among them), up to 1024 types, in one write;
  // returns how many were added.
  int AddTypes(const std::vector<std::vector<std::pair<std::string, std::string>>>& types);
  void ListBox1DblClick();
  // Remembers the grid cell under the released mouse button (-1: none; row 0
  // is the header).
  void StringGrid1MouseUp(int column, int row);
  void StringGrid1DblClick();
  void ButtonAddRegClick();
  void ButtonDelRegClick();
  void EditUminClick();

 private:
  std::string Section() const;  // "Блок" + the selected index
  ProfileFile OpenFile() const;
  // Whether Блок.ini may be written now, or says "Unable to write to %s".
  bool MayChange() const;
  // Opens Блок.ini, lets `edit` change it, and saves it when its bytes
  // changed, then drops the library's cache. When the save fails (or the
  // file could not be read at start-up) it says so and shows the file as it
  // is again.
  void EditFile(const std::function<void(ProfileFile&)>& edit);
  // The list, the selected entry's regimes and Umin as the file holds them.
  void ShowFile();
  void SaveBlockNamesIn(ProfileFile& file) const;
  void SaveSelectedBlockIn(ProfileFile& file) const;
  // SaveSelectedBlockIn without the test that the section has a key.
  void WriteSelectedBlockIn(ProfileFile& file) const;
  void DeleteRegimeKeysIn(ProfileFile& file) const;
  void SetStatus(size_t count);
  // The row a new regime goes into: the empty row shown for a type without
  // regimes is filled (so the regime becomes Режим1) instead of appended after.
  RegimeRow& NewRegimeRow();

  std::filesystem::path data_dir_;
  BlockLibrary& library_;
  Platform platform_;
  RenameCallback rename_;
  std::vector<std::string> names_;
  int selected_ = -1;
  std::vector<RegimeRow> regimes_{RegimeRow{}};
  int grid_row_ = 1;
  std::string edit_umin_;
  std::string status_text_;
  bool button_del_block_enabled_ = false;
  bool file_unreadable_ = false;  // Блок.ini was there but could not be read
  int mouse_column_ = -1;
  int mouse_row_ = -1;
};

}  // namespace luch
