#include "library/ui/library_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <utility>

#include "common/ui/cut_text_delegate.h"
#include "common/ui/grid_keys.h"
#include "common/ui/window_place.h"

namespace luch {

LibraryWindow::LibraryWindow(const char* object_name, const char* caption, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(object_name);
  setWindowTitle(QString::fromUtf8(caption));
}

void LibraryWindow::CloseOnEscape(bool (*key_down)(int), int escape_key) {
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this, key_down, escape_key] {
    if (key_down(escape_key)) close();
  });
}

QTableView* LibraryWindow::MakeGrid(QWidget* parent, QAbstractItemModel* model, int row_height,
                                    std::function<void(int column, int row)> mouse_up,
                                    std::function<void()> open, bool take_double_click) {
  grid_ = new QTableView(parent);
  grid_->setObjectName("StringGrid1");
  grid_->setModel(model);
  grid_->setItemDelegate(new CutTextDelegate(grid_));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(row_height);
  QHeaderView* header = grid_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  grid_->viewport()->installEventFilter(this);
  grid_->installEventFilter(this);
  mouse_up_ = std::move(mouse_up);
  open_ = std::move(open);
  take_double_click_ = take_double_click;
  return grid_;
}

QStatusBar* LibraryWindow::MakeStatusBar(QLabel*& text) {
  auto* bar = new QStatusBar(this);
  bar->setObjectName("StatusBar1");
  text = new QLabel(bar);
  text->setObjectName("StatusText");
  bar->addWidget(text, 1);
  return bar;
}

void LibraryWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
  FormClose(PlaceOf(*this));
  event->accept();  // hides: the window and its library live until the program ends
}

bool LibraryWindow::eventFilter(QObject* watched, QEvent* event) {
  return GridEvent(watched, event) || QWidget::eventFilter(watched, event);
}

bool LibraryWindow::GridEvent(QObject* watched, QEvent* event) {
  if (!grid_) return false;
  if (const auto cell = EditKeyCell(watched, event, *grid_)) {
    if (cell->isValid()) {
      mouse_up_(cell->column(), cell->row() + 1);
      open_();
      Refresh();
    }
    return true;
  }
  if (watched != grid_->viewport()) return false;
  if (event->type() == QEvent::MouseButtonRelease) {
    const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
    const QModelIndex cell = grid_->indexAt(point);
    if (cell.isValid()) {
      mouse_up_(cell.column(), cell.row() + 1);
    } else {
      mouse_up_(-1, -1);
    }
  } else if (event->type() == QEvent::MouseButtonDblClick) {
    open_();
    Refresh();
    return take_double_click_;
  }
  return false;
}

}  // namespace luch
