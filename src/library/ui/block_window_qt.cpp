#include "library/ui/block_window_qt.h"
#include "common/ui/window_place.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTableWidget>

#include "common/ui/cut_text_delegate.h"
#include "common/ui/grid_keys.h"

namespace luch {
namespace {

namespace text = block_texts;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
QString Q(const char* s) { return QString::fromUtf8(s); }

constexpr int kListItemHeight = 16;
constexpr int kGridRowHeight = 20;
constexpr std::array<int, 3> kColumnWidths = {121, 49, 120};

// Places of the design, in pixels.
constexpr int kMargin = 8;
constexpr int kGroupTop = 4;
constexpr int kGroupTitle = 20;  // from a group's top to its first control
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kRegimeGroupWidth = 330;
constexpr int kUminGroupHeight = 56;
constexpr int kEditUminWidth = 80;

// ListBox1's item height.
class FixedHeightDelegate : public CutTextDelegate {
 public:
  using CutTextDelegate::CutTextDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {CutTextDelegate::sizeHint(option, index).width(), kListItemHeight};
  }
};

// A group's list or grid above two buttons at its bottom.
void PlaceGroup(QGroupBox* group, const QRect& rect, QWidget* view, QPushButton* first,
                QPushButton* second) {
  group->setGeometry(rect);
  const int buttons_top = rect.height() - kMargin - kButtonHeight;
  view->setGeometry(kMargin, kGroupTitle, rect.width() - 2 * kMargin,
                    std::max(0, buttons_top - kMargin - kGroupTitle));
  first->setGeometry(kMargin, buttons_top, kButtonWidth, kButtonHeight);
  second->setGeometry(2 * kMargin + kButtonWidth, buttons_top, kButtonWidth, kButtonHeight);
}

}  // namespace

TBlock::TBlock(std::filesystem::path data_dir, BlockLibrary& library, Platform platform,
               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logic_(std::move(data_dir), library, platform) {
  setObjectName("TBlock");
  setWindowTitle(Q(text::kCaption));
  // Narrow enough for the regime group beside an empty name group, and below
  // the design width, so that any saved width from there up comes back.
  setMinimumSize(kRegimeGroupWidth + 4 * kMargin, 300);

  group_names_ = new QGroupBox(Q(text::kGroupNames), this);
  group_names_->setObjectName("GroupBox1");
  list_ = new QListWidget(group_names_);
  list_->setObjectName("ListBox1");
  list_->setSortingEnabled(false);
  list_->setUniformItemSizes(true);
  list_->setItemDelegate(new FixedHeightDelegate(list_));
  list_->viewport()->installEventFilter(this);
  button_add_blk_ = new QPushButton(Q(text::kButtonAdd), group_names_);
  button_add_blk_->setObjectName("ButtonAddBlk");
  button_del_block_ = new QPushButton(Q(text::kButtonDel), group_names_);
  button_del_block_->setObjectName("ButtonDelBlock");

  group_regimes_ = new QGroupBox(Q(text::kGroupRegimes), this);
  group_regimes_->setObjectName("GroupBox2");
  grid_ = new QTableWidget(1, 3, group_regimes_);
  grid_->setObjectName("StringGrid1");
  grid_->setItemDelegate(new CutTextDelegate(grid_));
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
  QHeaderView* header = grid_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QStringList headers;
  for (const char* h : text::kHeaders) headers << Q(h);
  grid_->setHorizontalHeaderLabels(headers);
  for (int c = 0; c < 3; ++c) header->resizeSection(c, kColumnWidths[size_t(c)]);
  grid_->viewport()->installEventFilter(this);
  grid_->installEventFilter(this);
  header->viewport()->installEventFilter(this);
  button_add_reg_ = new QPushButton(Q(text::kButtonAdd), group_regimes_);
  button_add_reg_->setObjectName("ButtonAddReg");
  button_del_reg_ = new QPushButton(Q(text::kButtonDel), group_regimes_);
  button_del_reg_->setObjectName("ButtonDelReg");

  group_umin_ = new QGroupBox(Q(text::kGroupUmin), this);
  group_umin_->setObjectName("GroupBox3");
  edit_umin_ = new QLineEdit(group_umin_);
  edit_umin_->setObjectName("EditUmin");
  edit_umin_->setGeometry(kMargin, kGroupTitle + 4, kEditUminWidth, 24);
  edit_umin_->installEventFilter(this);

  status_bar_ = new QStatusBar(this);
  status_bar_->setObjectName("StatusBar1");
  status_ = new QLabel(status_bar_);
  status_->setObjectName("StatusText");
  status_bar_->addWidget(status_, 1);

  connect(list_, &QListWidget::currentRowChanged, this, &TBlock::OnListRowChanged);
  connect(list_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OnListClicked(list_->row(item)); });
  connect(list_, &QListWidget::itemDoubleClicked, this,
          [this] { Run([this] { logic_.ListBox1DblClick(); }); });
  connect(button_add_blk_, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonAddBlkClick(); }); });
  connect(button_del_block_, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonDelBlockClick(); }); });
  connect(button_add_reg_, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonAddRegClick(); }); });
  connect(button_del_reg_, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonDelRegClick(); }); });
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (!refreshing_) logic_.SetGridRow(row + 1);
  });
  connect(edit_umin_, &QLineEdit::textEdited, this,
          [this](const QString& typed) { logic_.SetEditUmin(typed.toStdString()); });
  // The form sees Esc before its controls (key preview).
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, [this] {
    if (BlockWindow::FormKeyDown(BlockWindow::kEscapeKey)) close();
  });

  // FormCreate
  const WindowGeometry geometry = logic_.FormCreate();
  ApplyPlace(*this, geometry);
  FormResize();
  Refresh();
}

TBlock::~TBlock() = default;

template <typename Handler>
void TBlock::Run(Handler handler) {
  handler();
  Refresh();
}

void TBlock::OnListRowChanged(int row) {
  if (refreshing_) return;
  logic_.SetSelected(row);
  Run([this] { logic_.ListBox1Click(); });
}

void TBlock::OnListClicked(int row) {
  // A click on the entry that was already selected reads it again; a click on
  // another one has been handled when the selection moved.
  if (refreshing_ || row != row_at_press_ || row < 0) return;
  logic_.SetSelected(row);
  Run([this] { logic_.ListBox1Click(); });
}

void TBlock::Refresh() {
  refreshing_ = true;
  const std::vector<std::string>& names = logic_.names();
  bool same = list_->count() == static_cast<int>(names.size());
  for (int i = 0; same && i < list_->count(); ++i) {
    same = list_->item(i)->text() == Q(names[size_t(i)]);
  }
  if (!same) {
    list_->clear();
    for (const std::string& name : names) list_->addItem(Q(name));
  }
  if (list_->currentRow() != logic_.selected()) list_->setCurrentRow(logic_.selected());
  if (logic_.selected() < 0) list_->clearSelection();

  const std::vector<BlockWindow::RegimeRow>& regimes = logic_.regimes();
  grid_->setRowCount(static_cast<int>(regimes.size()));
  for (int r = 0; r < grid_->rowCount(); ++r) {
    for (int c = 0; c < 3; ++c) {
      const QString cell = Q(regimes[size_t(r)][size_t(c)]);
      QTableWidgetItem* item = grid_->item(r, c);
      if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid_->setItem(r, c, item);
      }
      if (item->text() != cell) item->setText(cell);
    }
  }
  if (grid_->currentRow() != logic_.grid_row() - 1) {
    grid_->setCurrentCell(logic_.grid_row() - 1, std::max(0, grid_->currentColumn()));
  }

  if (edit_umin_->text() != Q(logic_.edit_umin())) edit_umin_->setText(Q(logic_.edit_umin()));
  status_->setText(Q(logic_.status_text()));
  button_del_block_->setEnabled(logic_.button_del_block_enabled());
  const bool editing = logic_.regime_editing_enabled();
  button_add_reg_->setEnabled(editing);
  button_del_reg_->setEnabled(editing);
  grid_->setEnabled(editing);
  edit_umin_->setEnabled(editing);
  refreshing_ = false;
}

WindowGeometry TBlock::CurrentGeometry() const {
  return PlaceOf(*this);
}

void TBlock::FormResize() {
  const int status_height = status_bar_->sizeHint().height();
  const int w = width();
  const int body = height() - status_height;
  status_bar_->setGeometry(0, body, w, status_height);
  // Names: grow both ways; regimes: keep to the right edge, grow in height;
  // Umin: keep to the right and bottom edges.
  const int right_x = w - kMargin - kRegimeGroupWidth;
  const int umin_top = body - kMargin - kUminGroupHeight;
  PlaceGroup(group_names_,
             QRect(kMargin, kGroupTop, std::max(0, right_x - 2 * kMargin),
                   std::max(0, body - kMargin - kGroupTop)),
             list_, button_add_blk_, button_del_block_);
  PlaceGroup(
      group_regimes_,
      QRect(right_x, kGroupTop, kRegimeGroupWidth, std::max(0, umin_top - kMargin - kGroupTop)),
      grid_, button_add_reg_, button_del_reg_);
  group_umin_->setGeometry(right_x, umin_top, kRegimeGroupWidth, kUminGroupHeight);
}

void TBlock::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TBlock::closeEvent(QCloseEvent* event) {
  logic_.FormClose(CurrentGeometry());
  event->accept();  // hides: the window lives until the program ends
}

bool TBlock::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == grid_ && type == QEvent::KeyPress &&
      IsEditKey(*static_cast<QKeyEvent*>(event))) {
    // Enter or Space: a double-click on the current regime cell.
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid()) {
      logic_.StringGrid1MouseUp(current.column(), current.row() + 1);
      Run([this] { logic_.StringGrid1DblClick(); });
    }
    return true;
  }
  if (watched == list_->viewport() && type == QEvent::MouseButtonPress) {
    row_at_press_ = logic_.selected();
  } else if (watched == grid_->viewport()) {
    if (type == QEvent::MouseButtonRelease) {
      const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
      const QModelIndex cell = grid_->indexAt(point);
      if (cell.isValid()) {
        logic_.StringGrid1MouseUp(cell.column(), cell.row() + 1);
      } else {
        logic_.StringGrid1MouseUp(-1, -1);
      }
    } else if (type == QEvent::MouseButtonDblClick) {
      Run([this] { logic_.StringGrid1DblClick(); });
      return true;
    }
  } else if (watched == grid_->horizontalHeader()->viewport()) {
    if (type == QEvent::MouseButtonRelease) {
      const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
      logic_.StringGrid1MouseUp(grid_->horizontalHeader()->logicalIndexAt(point), 0);
    }
  } else if (watched == edit_umin_ && type == QEvent::MouseButtonRelease &&
             edit_umin_->isEnabled()) {
    Run([this] { logic_.EditUminClick(); });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace luch
