#include "editing/ui/paste_columns_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/ui/qt_text.h"

namespace luch {
namespace {

constexpr const char* kCaption = "Столбцы таблицы";
constexpr const char* kPrompt =
    "Столбцы вставляемой таблицы не подписаны. Выберите, что содержит каждый столбец:";
constexpr const char* kFieldRow = "Поле";
constexpr const char* kCancel = "Отмена";

}  // namespace

TPasteColumns::TPasteColumns(std::vector<std::vector<std::string>> lines,
                             std::vector<TabField> preset, QWidget* parent)
    : QDialog(parent), logic_(std::move(lines), std::move(preset)) {
  setObjectName("PasteColumns");
  setWindowTitle(Q(kCaption));
  const int columns = static_cast<int>(logic_.ColumnCount());
  const int rows = static_cast<int>(logic_.lines().size());

  Grid = new QTableWidget(rows + 1, columns, this);
  Grid->setObjectName("Grid");
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionMode(QAbstractItemView::NoSelection);
  QStringList row_names{Q(kFieldRow)};
  for (int r = 1; r <= rows; ++r) row_names << QString::number(r);
  Grid->setVerticalHeaderLabels(row_names);
  for (int col = 0; col < columns; ++col) {
    auto* choice = new QComboBox(Grid);
    choice->setObjectName(QString("Column%1").arg(col + 1));
    for (int k = 0; k < kTabFieldCount; ++k) choice->addItem(Q(TabFieldName(TabField(k))));
    connect(choice, &QComboBox::activated, this, [this, col](int index) {
      logic_.Choose(static_cast<size_t>(col), static_cast<TabField>(index));
      ShowFields();
    });
    Grid->setCellWidget(0, col, choice);
    fields_.push_back(choice);
    for (int r = 0; r < rows; ++r) {
      const std::vector<std::string>& cells = logic_.lines()[static_cast<size_t>(r)];
      const size_t c = static_cast<size_t>(col);
      Grid->setItem(r + 1, col, new QTableWidgetItem(c < cells.size() ? Q(cells[c]) : QString()));
    }
  }
  Grid->resizeColumnsToContents();
  // The keys go from choice to choice (Tab) and to the buttons, not through
  // the cells shown for reading.
  Grid->setFocusPolicy(Qt::NoFocus);

  Note = new QLabel(this);
  Note->setObjectName("Note");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ButtonOk = buttons->button(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Cancel)->setText(Q(kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Q(kPrompt), this));
  layout->addWidget(Grid, 1);
  layout->addWidget(Note);
  layout->addWidget(buttons);
  resize(640, 300);
  ShowFields();
  if (!fields_.empty()) fields_.front()->setFocus();
}

std::optional<std::vector<TabField>> TPasteColumns::Execute(
    const std::vector<std::vector<std::string>>& lines, const std::vector<TabField>& preset,
    QWidget* parent) {
  TPasteColumns dialog(lines, preset, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.fields();
}

void TPasteColumns::ShowFields() {
  for (size_t col = 0; col < fields_.size(); ++col) {
    fields_[col]->setCurrentIndex(static_cast<int>(logic_.fields()[col]));
  }
  const std::string note = logic_.DoubleChoice();
  Note->setText(Q(note));
  ButtonOk->setEnabled(note.empty());
}

}  // namespace luch
