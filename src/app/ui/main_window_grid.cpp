// The grid of TMain: its set-up, the mouse and keys in it, the selection, and
// the choice menus that open at a double-clicked cell.
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "app/ui/choice_popup.h"
#include "app/ui/main_window.h"
#include "app/ui/voltage_cell_delegate.h"
#include "common/ui/cut_text_delegate.h"
#include "common/ui/grid_keys.h"
#include "common/ui/text_rows_model.h"
#include "library/block_library.h"
#include "project/entry_keys.h"

namespace luch {
namespace {

bool IsMenuColumn(int col) { return col == kCableName || col == kBlockName || col == kRegimeName; }

// The voltage cells are coloured from the block library: one look at
// Блок.ini for a whole paint of the grid, not two per cell.
class ProjectGrid : public QTableView {
 public:
  ProjectGrid(const BlockLibrary& blocks, QWidget* parent) : QTableView(parent), blocks_(blocks) {}

 protected:
  // There is no horizontal scroll bar: a cell that begins inside the view (U,
  // half under the vertical bar) is not scrolled to sideways, or the grid
  // would stay shifted with no bar to bring it back.
  void scrollTo(const QModelIndex& index, ScrollHint hint) override {
    const int left = visualRect(index).left();
    const int offset = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (left >= 0 && left < viewport()->width()) horizontalScrollBar()->setValue(offset);
  }

  void paintEvent(QPaintEvent* event) override {
    const BlockLibrary::Batch batch(blocks_);
    QTableView::paintEvent(event);
    // The whole row is selected: a frame shows which of its cells the keys
    // act on.
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    QPainter painter(viewport());
    painter.setPen(
        QPen(palette().color(hasFocus() ? QPalette::HighlightedText : QPalette::Mid), 2));
    painter.drawRect(visualRect(current).adjusted(1, 1, -2, -2));
  }

 private:
  const BlockLibrary& blocks_;
};

}  // namespace

void TMain::BuildGrid(QWidget* parent) {
  StringGrid1 = new ProjectGrid(state_.blocks(), parent);
  StringGrid1->setObjectName("StringGrid1");
  model_ = new TextRowsModel(
      std::vector<const char*>(kColumnHeaders.begin(), kColumnHeaders.end()),
      [this] { return state_.table().BlockCount(); },
      [this](int row, int col) { return state_.table().GetCell(row + 1, col); }, this);
  model_->SetHeaderToolTips(
      std::vector<const char*>(kColumnToolTips.begin(), kColumnToolTips.end()));
  StringGrid1->setModel(model_);
  StringGrid1->setItemDelegate(new CutTextDelegate(StringGrid1));
  auto* results = new VoltageCellDelegate(
      state_.table(), state_.blocks(), [this] { return state_.results().stale; },
      [this](int row, int col) { return state_.ResultTooltip(row, col); }, StringGrid1);
  StringGrid1->setItemDelegateForColumn(kCurrentMA, results);
  StringGrid1->setItemDelegateForColumn(kVoltageV, results);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setShowGrid(true);
  StringGrid1->setWordWrap(false);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setMinimumSectionSize(kMinRowHeight);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(0);
  StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  StringGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
  // Tab leaves the grid for the count and voltage fields (see the constructor).
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->viewport()->installEventFilter(this);
  StringGrid1->installEventFilter(this);
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { ReadSelectionIntoState(); });
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { ReadSelectionIntoState(); });
  connect(StringGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (PopupMenu1) PopupMenu1->popup(StringGrid1->viewport()->mapToGlobal(pos));
  });
}

void TMain::ReadSelectionIntoState() {
  if (refreshing_) return;
  const QModelIndex current = StringGrid1->currentIndex();
  const int current_row = current.isValid() ? current.row() + 1 : state_.current_row();
  const QModelIndexList rows = StringGrid1->selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    state_.SetCursor(current_row, current_row, current_row);
    return;
  }
  int top = rows.front().row(), bottom = top;
  for (const QModelIndex& index : rows) {
    top = std::min(top, index.row());
    bottom = std::max(bottom, index.row());
  }
  state_.SetCursor(current_row, top + 1, bottom + 1);
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid1->viewport()) {
    if (event->type() == QEvent::MouseButtonRelease) {
      // StringGrid1MouseUp: the cell under the mouse, or (-1, -1) outside.
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QModelIndex index = StringGrid1->indexAt(mouse->position().toPoint());
      state_.SetClickedCell(index.isValid() ? ClickedCell{index.column(), index.row() + 1}
                                            : ClickedCell{-1, -1});
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      // StringGrid1DblClick acts on the cell of the first click's release.
      StringGrid1DblClick();
      return true;
    }
  }
  if (const auto cell = EditKeyCell(watched, event, *StringGrid1)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter on the row's last cell (ЗБ) goes on to the next row; Space there,
    // and a double-click, toggle the flag.
    if (cell->isValid() && cell->column() == kHasZB && key->key() != Qt::Key_Space) {
      MoveToNextEntry(*cell);
    } else if (cell->isValid()) {
      state_.SetClickedCell(ClickedCell{cell->column(), cell->row() + 1});
      StringGrid1DblClick(/*from_keys=*/true);
    }
    return true;
  }
  if (watched == StringGrid1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QModelIndex cell = StringGrid1->currentIndex();
    // Home: the row's first cell to fill (the number is not one).
    if (key->key() == Qt::Key_Home && key->modifiers() == Qt::NoModifier && cell.isValid()) {
      StringGrid1->setCurrentIndex(model_->index(cell.row(), kAddress));
      return true;
    }
    // Typing on the address or the length starts its prompt with the text;
    // on a cable, block or regime it opens the menu on the names so typed.
    if (const QString typed = TypedText(*key); !typed.isEmpty() && cell.isValid()) {
      if (OpensPrompt(cell.column())) {
        state_.SetClickedCell(ClickedCell{cell.column(), cell.row() + 1});
        ChoiceMenu done;
        Run([this, &typed, &done] { done = state_.StringGrid1Typed(typed.toStdString()); });
        if (done.edited) MoveToNextEntry(cell);
        return true;
      }
      if (IsMenuColumn(cell.column())) {
        state_.SetClickedCell(ClickedCell{cell.column(), cell.row() + 1});
        StringGrid1DblClick(/*from_keys=*/true, typed);
        return true;
      }
    }
    if (key->modifiers() & Qt::ControlModifier) {
      QAction* move = key->key() == Qt::Key_Up     ? action("pmUp")
                      : key->key() == Qt::Key_Down ? action("pmDown")
                                                   : nullptr;
      if (move && move->isEnabled()) {
        move->trigger();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMain::StringGrid1DblClick(bool from_keys, const QString& typed) {
  ChoiceMenu menu;
  Run([this, &menu] { menu = state_.StringGrid1DblClick(); });
  const QModelIndex cell =
      model_->index(std::max(0, state_.clicked().row - 1), std::max(0, state_.clicked().col));
  // From the keyboard a row is filled cell after cell: an answer moves on
  // (Space on ЗБ toggles the flag and stays, so that a second Space undoes it).
  const bool answered =
      menu.kind == ChoiceMenuKind::kNone ? menu.edited : ShowChoiceMenu(menu, cell, typed);
  if (from_keys && answered && cell.column() != kHasZB) MoveToNextEntry(cell);
}

bool TMain::ShowChoiceMenu(const ChoiceMenu& menu, const QModelIndex& cell, const QString& typed) {
  ChoicePopup popup(menu, OpeningItem(menu, cell.data().toString().toStdString()), this);
  popup.setObjectName(menu.kind == ChoiceMenuKind::kCable   ? "PopupMenuCabels"
                      : menu.kind == ChoiceMenuKind::kBlock ? "PopupMenuBlockName"
                                                            : "PopupMenuRegimName");
  if (!typed.isEmpty()) QTimer::singleShot(0, &popup, [&popup, typed] { popup.Type(typed); });
  const QPoint at =
      StringGrid1->viewport()->mapToGlobal(StringGrid1->visualRect(cell).bottomLeft());
  QAction* chosen = popup.exec(at);
  if (!chosen) return false;
  const ChoiceItem item = menu.items[static_cast<size_t>(chosen->data().toInt())];
  Run([this, &menu, &item] { state_.ChoiceMenuClick(menu.kind, item); });
  return true;
}

void TMain::MoveToNextEntry(const QModelIndex& from) {
  int row = from.row();
  int col = NextEntryColumn(from.column());
  if (col < 0) {  // the row is done: the next one's first cell
    col = kAddress;
    ++row;
    // Past the last row, a new one: a ray is entered row after row.
    if (row >= state_.table().BlockCount() && state_.table().BlockCount() < kMaxBlockCount) {
      Run([this, row] { state_.SetBlockCount(row + 1); });
    }
    row = std::min(row, state_.table().BlockCount() - 1);
  }
  StringGrid1->setCurrentIndex(model_->index(row, col));
}

}  // namespace luch
