#include "library/ui/cable_window.h"

#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/ui/qt_text.h"
#include "common/ui/text_rows_model.h"
#include "common/ui/window_place.h"
#include "library/ui/wire_window.h"

namespace luch {
namespace {

// Colour of the header row and of the number column.
const QColor kFixedColour(89, 192, 232);
constexpr int kPanelHeight = 41;
constexpr int kRowHeight = 22;
constexpr int kDefaultColumnWidth = 48;

}  // namespace

TCabels::TCabels(std::filesystem::path data_dir, CableLibrary& library, Platform platform,
                 QWidget* parent)
    : LibraryWindow("TCabels", cable_texts::kCaption, parent),
      logic_(std::move(data_dir), library, platform),
      platform_(platform) {
  setMinimumWidth(CableWindow::kMinimumWidth);

  // The library as a six-column table: the row number and the five fields.
  model_ = new TextRowsModel(
      std::vector<const char*>(cable_texts::kHeaders.begin(), cable_texts::kHeaders.end()),
      [&library] { return library.CableCount(); },
      [&library](int row, int col) {
        const CableType* type = library.Row(row + 1);
        if (!type) return std::string();
        const std::string* fields[] = {&type->number,      &type->name,           &type->resistance,
                                       &type->capacitance, &type->wave_impedance, &type->note};
        return *fields[col];
      },
      this);
  model_->SetFirstColumnBackground(kFixedColour);
  StringGrid1 = MakeGrid(
      this, model_, kRowHeight,
      [this](int column, int row) { logic_.StringGrid1MouseUp(column, row); },
      [this] { logic_.StringGrid1DblClick(); }, /*take_double_click=*/false);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* header = StringGrid1->horizontalHeader();
  header->setDefaultSectionSize(kDefaultColumnWidth);
  // The computed widths are applied exactly, however narrow the window.
  header->setMinimumSectionSize(0);
  header->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; }").arg(kFixedColour.name()));

  auto* panel = new QWidget(this);
  panel->setObjectName("Panel1");
  panel->setFixedHeight(kPanelHeight);
  ButtonAdd = new QPushButton(QString::fromUtf8(cable_texts::kButtonAdd), panel);
  ButtonAdd->setObjectName("ButtonAdd");
  ButtonDel = new QPushButton(QString::fromUtf8(cable_texts::kButtonDel), panel);
  ButtonDel->setObjectName("ButtonDel");
  Button1 = new QPushButton(QString::fromUtf8(cable_texts::kButton1), panel);
  Button1->setObjectName("Button1");
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(8, 0, 8, 0);
  buttons->addWidget(ButtonAdd);
  buttons->addWidget(ButtonDel);
  buttons->addWidget(Button1);
  buttons->addStretch(1);

  QStatusBar* status_bar = MakeStatusBar(status_);
  status_bar->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(panel);
  layout->addWidget(status_bar);

  connect(ButtonAdd, &QPushButton::clicked, this, &TCabels::ButtonAddClick);
  connect(ButtonDel, &QPushButton::clicked, this, &TCabels::ButtonDelClick);
  connect(Button1, &QPushButton::clicked, this, &TCabels::Button1Click);
  CloseOnEscape(&CableWindow::FormKeyDown, CableWindow::kEscapeKey);

  // FormCreate
  const WindowGeometry geometry = logic_.FormCreate();
  ApplyPlace(*this,
             WindowGeometry{geometry.top, geometry.left, geometry.height,
                            CableWindow::FormResizeWidth(geometry.width)},
             *platform.screen);
  Refresh();
  SelectRow(1);
  FormResize();
}

TCabels::~TCabels() = default;

int TCabels::SelectedRow() const {
  // The cursor row counts only while it is shown selected.
  const QModelIndex current = StringGrid1->currentIndex();
  if (!current.isValid() || !StringGrid1->selectionModel()->isRowSelected(current.row())) return 0;
  return current.row() + 1;
}

void TCabels::SelectRow(int row) {
  if (row < 1) return;
  row = std::min(row, logic_.library().CableCount());
  StringGrid1->setCurrentIndex(model_->index(row - 1, 1));
}

void TCabels::Refresh() {
  const int selected = SelectedRow();
  model_->Refresh();
  SelectRow(selected);
  status_->setText(Q(logic_.status_text()));
  Changed();
}

void TCabels::ButtonAddClick() {
  logic_.ButtonAddClick();
  Refresh();
}

void TCabels::ButtonDelClick() {
  logic_.ButtonDelClick(SelectedRow());
  Refresh();
}

void TCabels::Button1Click() {
  // The row the result goes into is in sight while the calculator is up.
  const int row = SelectedRow();
  if (row >= 1) StringGrid1->scrollTo(model_->index(row - 1, 1));
  TWire wire(*platform_.locale, this);
  wire.SetCurrentCable(row, logic_.library().CableNameAt(row));
  if (wire.exec() != QDialog::Accepted) return;
  if (logic_.TakeOverWireResistance(row, wire.logic().wire_resistance())) Refresh();
}

void TCabels::FormResize() {
  const std::array<int, 6> widths = CableWindow::ColumnWidths(width());
  for (size_t k = 0; k < widths.size(); ++k) {
    StringGrid1->horizontalHeader()->resizeSection(static_cast<int>(k), widths[k]);
  }
}

}  // namespace luch
