#include "library/ui/cable_window.h"

#include <QCloseEvent>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "common/ui/cut_text_delegate.h"
#include "common/ui/grid_keys.h"
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
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logic_(std::move(data_dir), library, platform),
      platform_(platform) {
  setObjectName("TCabels");
  setWindowTitle(QString::fromUtf8(cable_texts::kCaption));
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
  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setModel(model_);
  StringGrid1->setItemDelegate(new CutTextDelegate(StringGrid1));
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(kRowHeight);
  QHeaderView* header = StringGrid1->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setDefaultSectionSize(kDefaultColumnWidth);
  // The computed widths are applied exactly, however narrow the window.
  header->setMinimumSectionSize(0);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  header->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; }").arg(kFixedColour.name()));
  StringGrid1->viewport()->installEventFilter(this);
  StringGrid1->installEventFilter(this);

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

  auto* status_bar = new QStatusBar(this);
  status_bar->setObjectName("StatusBar1");
  status_bar->setSizeGripEnabled(false);
  status_ = new QLabel(status_bar);
  status_->setObjectName("StatusText");
  status_bar->addWidget(status_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(panel);
  layout->addWidget(status_bar);

  connect(ButtonAdd, &QPushButton::clicked, this, &TCabels::ButtonAddClick);
  connect(ButtonDel, &QPushButton::clicked, this, &TCabels::ButtonDelClick);
  connect(Button1, &QPushButton::clicked, this, &TCabels::Button1Click);
  // The form sees Esc before its controls (key preview).
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    if (CableWindow::FormKeyDown(CableWindow::kEscapeKey)) close();
  });

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
  if (on_change_) on_change_();
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

WindowGeometry TCabels::CurrentGeometry() const { return PlaceOf(*this); }

void TCabels::FormResize() {
  const std::array<int, 6> widths = CableWindow::ColumnWidths(width());
  for (size_t k = 0; k < widths.size(); ++k) {
    StringGrid1->horizontalHeader()->resizeSection(static_cast<int>(k), widths[k]);
  }
}

void TCabels::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TCabels::closeEvent(QCloseEvent* event) {
  logic_.FormClose(CurrentGeometry());
  event->accept();  // hides: the window and its list live until the program ends
}

bool TCabels::eventFilter(QObject* watched, QEvent* event) {
  if (const auto cell = EditKeyCell(watched, event, *StringGrid1)) {
    if (cell->isValid()) {
      logic_.StringGrid1MouseUp(cell->column(), cell->row() + 1);
      logic_.StringGrid1DblClick();
      Refresh();
    }
    return true;
  }
  if (watched == StringGrid1->viewport()) {
    if (event->type() == QEvent::MouseButtonRelease) {
      const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
      const QModelIndex cell = StringGrid1->indexAt(point);
      if (cell.isValid()) {
        logic_.StringGrid1MouseUp(cell.column(), cell.row() + 1);
      } else {
        logic_.StringGrid1MouseUp(-1, -1);
      }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      logic_.StringGrid1DblClick();
      Refresh();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace luch
