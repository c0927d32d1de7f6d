// TPasteColumns "Столбцы таблицы": the first lines of a pasted table under a
// choice of field for each of its columns; OK waits while a field is chosen
// twice. A thin view over PasteColumnsLogic.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "editing/paste_columns.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace luch {

class TPasteColumns : public QDialog {
  Q_OBJECT
 public:
  TPasteColumns(std::vector<std::vector<std::string>> lines, std::vector<TabField> preset,
                QWidget* parent = nullptr);

  // Shows the dialog modally: the chosen fields on OK, nothing on Отмена.
  static std::optional<std::vector<TabField>> Execute(
      const std::vector<std::vector<std::string>>& lines, const std::vector<TabField>& preset,
      QWidget* parent = nullptr);

  const std::vector<TabField>& fields() const { return logic_.fields(); }

 private:
  void ShowFields();

  PasteColumnsLogic logic_;
  QTableWidget* Grid;
  QLabel* Note;  // DoubleChoice, while OK waits
  QPushButton* ButtonOk;
  std::vector<QComboBox*> fields_;  // "Column1", ...: one above each column
};

}  // namespace luch
