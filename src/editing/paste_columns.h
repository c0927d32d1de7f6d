// Which field each column of a pasted table fills, when the table says
// neither by a header line nor by the grid's 11 columns: the user chooses in
// a dialog (TPasteColumns), and Tarvel.ini keeps the choice per column count.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/profile_file.h"
#include "editing/table_text.h"

namespace luch {

// The dialog's section in Tarvel.ini: key "<column count>", value the fields'
// names (TabFieldName) separated by commas, "Адрес,—,Длина".
inline constexpr const char* kPasteColumnsSection = "PasteColumns";
// How many of the text's first lines the dialog shows.
inline constexpr size_t kPasteSampleLines = 5;

// The dialog, reached through an interface so that the paste runs without a
// display: Qt implements it, tests answer from a script.
class PasteColumnsChooser {
 public:
  virtual ~PasteColumnsChooser() = default;
  // Shows `lines` (the first lines of the text) and `preset`, a field for each
  // column; the fields chosen on OK, nothing on Cancel.
  virtual std::optional<std::vector<TabField>> ChoosePasteColumns(
      const std::vector<std::vector<std::string>>& lines, const std::vector<TabField>& preset) = 0;
};

// The fields last chosen for `columns` columns; when none are kept (or they
// do not fit), Адрес, Кабель, Длина, Блок, Режим, ЗБ in the first six columns,
// the order a designer's sheet most often has, and none in the rest.
std::vector<TabField> RememberedPasteColumns(const ProfileFile& settings, size_t columns);
void RememberPasteColumns(ProfileFile& settings, const std::vector<TabField>& fields);

// The dialog's state, without the window: the lines shown and one field per
// column. OK closes it only while no field is chosen for two columns.
class PasteColumnsLogic {
 public:
  PasteColumnsLogic(std::vector<std::vector<std::string>> lines, std::vector<TabField> preset);

  size_t ColumnCount() const { return fields_.size(); }
  const std::vector<std::vector<std::string>>& lines() const { return lines_; }
  const std::vector<TabField>& fields() const { return fields_; }
  // Column `column` (0-based) fills `field`; a column outside is ignored.
  void Choose(size_t column, TabField field);
  // Why OK must wait: "Поле «Адрес» выбрано для столбцов 1 и 3." for the
  // first field chosen twice (columns counted from 1); empty when none is.
  std::string DoubleChoice() const;

 private:
  std::vector<std::vector<std::string>> lines_;
  std::vector<TabField> fields_;
};

}  // namespace luch
