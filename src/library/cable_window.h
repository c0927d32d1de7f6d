// The cable window "Типы кабеля" (TCabels) without its widgets: adding,
// editing and deleting cable types, the status line, the window's place in
// Tarvel.ini and the saving of Кабель.ini. The Qt window forwards its events
// here and redraws from the library.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform.h"
#include "common/settings_file.h"
#include "library/cable_library.h"

namespace luch {

// The texts of the cable window, as the user sees them.
namespace cable_texts {
inline constexpr const char* kCaption = "Типы кабеля";
// clang-format off
inline constexpr std::array<const char*, 6> kHeaders = {
    " N", " Название", " Сопротивление (Ом/км)", " Емкость (пФ/м)", " Волновое сопр.(Ом)",
    " Примечание"};
// clang-format on
inline constexpr const char* kStatusPrefix = "Типов кабеля: ";
inline constexpr const char* kButtonAdd = "&Добавить";
inline constexpr const char* kButtonDel = "&Удалить";
inline constexpr const char* kButton1 = "&Провод";

inline constexpr const char* kEditCaption = "Изменение кабеля";
inline constexpr const char* kEditName = "Введите новое название кабеля";
inline constexpr const char* kEditResistance = "Введите значение сопротивлени (Ом/км)";
inline constexpr const char* kEditCapacitance = "Введите значение ёмкости (пФ/м)";
inline constexpr const char* kEditWaveImpedance = "Введите волновое сопротивление (Ом)";
inline constexpr const char* kEditNote = "Введите примечание";

inline constexpr const char* kAddCaption = "Добавление нового типа кабеля";
inline constexpr const char* kAddName = "Введите название кабеля";
inline constexpr const char* kAddResistance = "Введите сопротивление кабеля (Ом/км)";
inline constexpr const char* kAddCapacitance = "Введите ёмкость кабеля (пФ/м)";
inline constexpr const char* kAddWaveImpedance = "Введите волновое сопротивление (Ом)";
inline constexpr const char* kAddNote = "Введите примечание";
inline constexpr const char* kDefaultResistance = "50";

inline constexpr const char* kDeleteQuestion = "Вы уверены?";
inline constexpr const char* kDeleteCaption = "Удаление кабеля";

inline constexpr const char* kFullCaption = "Сообщение";
inline constexpr const char* kFull =
    "Библиотека кабелей заполнена: в ней может быть не более 1023 типов кабеля.\n"
    "Удалите ненужный тип, чтобы добавить новый.";
}  // namespace cable_texts

inline constexpr const char* kCabelsSection = "Cabels";

class CableWindow {
 public:
  // The design place of the window: Left 98, Top 51, Width 535, Height 337.
  static constexpr WindowGeometry kDesign{.top = 51, .left = 98, .height = 337, .width = 535};
  static constexpr int kMinimumWidth = 100;
  static constexpr int kEscapeKey = 27;

  // `library` is the one list that every lookup of the program reads; it must
  // outlive the window. Files live in `data_dir`.
  CableWindow(std::filesystem::path data_dir, CableLibrary& library, Platform platform);

  CableLibrary& library() { return library_; }
  const CableLibrary& library() const { return library_; }
  // "Типов кабеля: N".
  const std::string& status_text() const { return status_text_; }
  // True while the list holds a change that Кабель.ini does not have yet.
  bool changed() const { return changed_; }

  // Reads the window's place from section "Cabels" (design values as
  // defaults, pulled back onto the screen) and loads Кабель.ini; one that is
  // there but cannot be read is reported ("Cannot open file %s"), and the
  // window then changes nothing for the rest of the run.
  WindowGeometry FormCreate();
  // The width to apply (never below 100 pixels).
  static int FormResizeWidth(int width);
  // Widths of the six columns for a client width: 5, 20, 18, 12, 20 and 25 per
  // cent, each truncated.
  static std::array<int, 6> ColumnWidths(int client_width);
  // Stores the place in section "Cabels" (a failed write is reported), then
  // saves the library; a library the user may not write and that holds no
  // change of his is left alone, silently.
  void FormClose(const WindowGeometry& geometry);
  // True when the key closes the window (Esc).
  static bool FormKeyDown(int key) { return key == kEscapeKey; }

  // Every command below that would change the library first makes sure that
  // Кабель.ini may be written; when it may not (it could not be read at
  // FormCreate, or the user may not write it), it says "Unable to write to
  // %s" and changes nothing. A save that fails says the same; the change
  // then stays in the list for the next save.

  // Remembers the grid cell under the released mouse button (-1, -1: none).
  void StringGrid1MouseUp(int column, int row);
  // Edits the remembered cell through a prompt and saves; the header row and
  // the number column change nothing.
  void StringGrid1DblClick();
  // Asks for a new type and appends it, then saves. Refuses a type beyond the
  // 1023 that Кабель.ini gives back.
  void ButtonAddClick();
  // Appends `types` as they are (a received project's types) and saves, up to
  // the 1023 that Кабель.ini gives back; returns how many were added.
  int AddTypes(const std::vector<CableType>& types);
  // Asks, then deletes the type in `selected_row` (1-based) from the list;
  // the file follows at the next save.
  void ButtonDelClick(int selected_row);
  // After the wire calculator closed with "&Текущий кабель": writes the
  // truncated resistance into the selected row when it is above 1.0 Ohm/km.
  // Returns true when the row changed.
  bool TakeOverWireResistance(int selected_row, float wire_resistance);

  // The main window calls this when the program ends: a deletion or a taken
  // over resistance not yet in Кабель.ini is saved then.
  void OnProgramEnd() { SaveIfChanged(); }
  void SaveIfChanged();

 private:
  std::filesystem::path FilePath() const;
  // Whether Кабель.ini may be written now (silent).
  bool Writable() const;
  // Writable(), or says "Unable to write to %s" and gives false.
  bool MayChange() const;
  void Save();
  void SetStatus(int count);

  std::filesystem::path data_dir_;
  CableLibrary& library_;
  Platform platform_;
  std::string status_text_;
  int mouse_column_ = -1;
  int mouse_row_ = -1;
  bool changed_ = false;
};

}  // namespace luch
