#include "library/ui/block_window.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "common/ui/cut_text_delegate.h"
#include "common/ui/qt_text.h"
#include "common/ui/text_rows_model.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

namespace text = block_texts;

constexpr int kListItemHeight = 16;
constexpr int kGridRowHeight = 20;
constexpr std::array<int, 3> kColumnWidths = {121, 49, 120};

// Places of the design, in pixels.
constexpr int kMargin = 8;
constexpr int kGroupTop = 4;
constexpr int kGroupTitle = 20;  // from a group's top to its first control
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// The regime grid's columns and frame; a scroll bar, when more regimes than
// fit, covers only the blank end of the last column. Narrower than the design
// so that the names group keeps room for its two buttons at the design width.
constexpr int kRegimeGroupWidth = 316;
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

// ListBox1: a list that takes the keyboard focus without making an entry
// current. Qt makes the first entry current when a list without one gets the
// focus; the user has chosen nothing, and the first arrow key should reach the
// first entry.
class NamesList : public QListView {
 public:
  using QListView::QListView;

 protected:
  void focusInEvent(QFocusEvent* event) override {
    const bool had_current = currentIndex().isValid();
    QListView::focusInEvent(event);
    if (!had_current) selectionModel()->clearCurrentIndex();
  }
};

// A group's list or grid above two buttons at its bottom. The buttons share a
// group narrower than two of them side by side rather than run over its edge.
void PlaceGroup(QGroupBox* group, const QRect& rect, QWidget* view, QPushButton* first,
                QPushButton* second) {
  group->setGeometry(rect);
  const int buttons_top = rect.height() - kMargin - kButtonHeight;
  view->setGeometry(kMargin, kGroupTitle, rect.width() - 2 * kMargin,
                    std::max(0, buttons_top - kMargin - kGroupTitle));
  const int width = std::min(kButtonWidth, (rect.width() - 3 * kMargin) / 2);
  first->setGeometry(kMargin, buttons_top, width, kButtonHeight);
  second->setGeometry(2 * kMargin + width, buttons_top, width, kButtonHeight);
}

}  // namespace

TBlock::TBlock(std::filesystem::path data_dir, BlockLibrary& library, Platform platform,
               QWidget* parent)
    : LibraryWindow("TBlock", text::kCaption, parent),
      logic_(std::move(data_dir), library, platform) {
  // Narrow enough for the regime group beside an empty name group, and below
  // the design width, so that any saved width from there up comes back.
  setMinimumSize(kRegimeGroupWidth + 4 * kMargin, 300);

  GroupBox1 = new QGroupBox(Q(text::kGroupNames), this);
  GroupBox1->setObjectName("GroupBox1");
  ListBox1 = new NamesList(GroupBox1);
  ListBox1->setObjectName("ListBox1");
  names_model_ = new TextRowsModel(
      {}, [this] { return static_cast<int>(logic_.names().size()); },
      [this](int row, int) { return logic_.names()[static_cast<size_t>(row)]; }, this);
  ListBox1->setModel(names_model_);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setItemDelegate(new FixedHeightDelegate(ListBox1));
  ListBox1->viewport()->installEventFilter(this);
  ButtonAddBlk = new QPushButton(Q(text::kButtonAdd), GroupBox1);
  ButtonAddBlk->setObjectName("ButtonAddBlk");
  ButtonDelBlock = new QPushButton(Q(text::kButtonDel), GroupBox1);
  ButtonDelBlock->setObjectName("ButtonDelBlock");

  GroupBox2 = new QGroupBox(Q(text::kGroupRegimes), this);
  GroupBox2->setObjectName("GroupBox2");
  regimes_model_ = new TextRowsModel(
      std::vector<const char*>(text::kHeaders.begin(), text::kHeaders.end()),
      [this] { return static_cast<int>(logic_.regimes().size()); },
      [this](int row, int col) {
        return logic_.regimes()[static_cast<size_t>(row)][static_cast<size_t>(col)];
      },
      this);
  StringGrid1 = MakeGrid(
      GroupBox2, regimes_model_, kGridRowHeight,
      [this](int column, int row) { logic_.StringGrid1MouseUp(column, row); },
      [this] { logic_.StringGrid1DblClick(); }, /*take_double_click=*/true);
  QHeaderView* header = StringGrid1->horizontalHeader();
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int c = 0; c < 3; ++c) header->resizeSection(c, kColumnWidths[size_t(c)]);
  header->viewport()->installEventFilter(this);
  ButtonAddReg = new QPushButton(Q(text::kButtonAdd), GroupBox2);
  ButtonAddReg->setObjectName("ButtonAddReg");
  ButtonDelReg = new QPushButton(Q(text::kButtonDel), GroupBox2);
  ButtonDelReg->setObjectName("ButtonDelReg");

  GroupBox3 = new QGroupBox(Q(text::kGroupUmin), this);
  GroupBox3->setObjectName("GroupBox3");
  EditUmin = new QLineEdit(GroupBox3);
  EditUmin->setObjectName("EditUmin");
  EditUmin->setGeometry(kMargin, kGroupTitle + 4, kEditUminWidth, 24);
  EditUmin->installEventFilter(this);

  StatusBar1 = MakeStatusBar(status_);

  // Only an entry the user selects is chosen (a click or an arrow key selects
  // it); the current entry alone, moved by Qt or by Ctrl and an arrow, is not.
  connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected) {
            if (!selected.indexes().isEmpty()) OnListSelected(selected.indexes().front().row());
          });
  connect(ListBox1, &QListView::clicked, this,
          [this](const QModelIndex& entry) { OnListClicked(entry.row()); });
  connect(ListBox1, &QListView::doubleClicked, this,
          [this] { Run([this] { logic_.ListBox1DblClick(); }); });
  connect(ButtonAddBlk, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonAddBlkClick(); }); });
  connect(ButtonDelBlock, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonDelBlockClick(); }); });
  connect(ButtonAddReg, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonAddRegClick(); }); });
  connect(ButtonDelReg, &QPushButton::clicked, this,
          [this] { Run([this] { logic_.ButtonDelRegClick(); }); });
  connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!refreshing_) logic_.SetGridRow(current.row() + 1);
          });
  connect(EditUmin, &QLineEdit::textEdited, this,
          [this](const QString& typed) { logic_.SetEditUmin(typed.toStdString()); });
  CloseOnEscape(&BlockWindow::FormKeyDown, BlockWindow::kEscapeKey);

  // FormCreate
  const WindowGeometry geometry = logic_.FormCreate();
  ApplyPlace(*this, geometry, *platform.screen);
  FormResize();
  Refresh();
}

TBlock::~TBlock() = default;

template <typename Handler>
void TBlock::Run(Handler handler) {
  handler();
  Refresh();
}

void TBlock::OnListSelected(int row) {
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
  names_model_->Refresh();
  const QModelIndex selected = names_model_->index(logic_.selected(), 0);
  if (ListBox1->currentIndex() != selected) ListBox1->setCurrentIndex(selected);
  if (logic_.selected() < 0) ListBox1->clearSelection();

  regimes_model_->Refresh();
  const int row = logic_.grid_row() - 1;
  if (StringGrid1->currentIndex().row() != row) {
    StringGrid1->setCurrentIndex(
        regimes_model_->index(row, std::max(0, StringGrid1->currentIndex().column())));
  }

  if (EditUmin->text() != Q(logic_.edit_umin())) EditUmin->setText(Q(logic_.edit_umin()));
  status_->setText(Q(logic_.status_text()));
  ButtonDelBlock->setEnabled(logic_.button_del_block_enabled());
  const bool editing = logic_.regime_editing_enabled();
  ButtonAddReg->setEnabled(editing);
  ButtonDelReg->setEnabled(editing);
  StringGrid1->setEnabled(editing);
  EditUmin->setEnabled(editing);
  refreshing_ = false;
  Changed();
}

void TBlock::FormResize() {
  const int status_height = StatusBar1->sizeHint().height();
  const int w = width();
  const int body = height() - status_height;
  StatusBar1->setGeometry(0, body, w, status_height);
  // Names: grow both ways; regimes: keep to the right edge, grow in height;
  // Umin: keep to the right and bottom edges.
  const int right_x = w - kMargin - kRegimeGroupWidth;
  const int umin_top = body - kMargin - kUminGroupHeight;
  PlaceGroup(GroupBox1,
             QRect(kMargin, kGroupTop, std::max(0, right_x - 2 * kMargin),
                   std::max(0, body - kMargin - kGroupTop)),
             ListBox1, ButtonAddBlk, ButtonDelBlock);
  PlaceGroup(
      GroupBox2,
      QRect(right_x, kGroupTop, kRegimeGroupWidth, std::max(0, umin_top - kMargin - kGroupTop)),
      StringGrid1, ButtonAddReg, ButtonDelReg);
  GroupBox3->setGeometry(right_x, umin_top, kRegimeGroupWidth, kUminGroupHeight);
}

bool TBlock::eventFilter(QObject* watched, QEvent* event) {
  if (GridEvent(watched, event)) return true;
  const QEvent::Type type = event->type();
  if (watched == ListBox1->viewport() && type == QEvent::MouseButtonPress) {
    row_at_press_ = logic_.selected();
  } else if (watched == StringGrid1->horizontalHeader()->viewport()) {
    if (type == QEvent::MouseButtonRelease) {
      const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
      logic_.StringGrid1MouseUp(StringGrid1->horizontalHeader()->logicalIndexAt(point), 0);
    }
  } else if (watched == EditUmin && type == QEvent::MouseButtonRelease && EditUmin->isEnabled()) {
    Run([this] { logic_.EditUminClick(); });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace luch
