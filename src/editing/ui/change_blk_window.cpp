#include "editing/ui/change_blk_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

constexpr const char* kCaption = "Замена блоков в текущем проекте...";
constexpr const char* kLabel1 = "Заменяемые блоки";
constexpr const char* kLabel2 = "Новые блоки";
constexpr const char* kSelect = "...";
constexpr const char* kSave = "        Сохранить";  // room for the button's picture
constexpr const char* kReplace = "&Выполнить замену";
constexpr const char* kCancel = "&Отменить";
constexpr const char* kDeleteLine = "Удалить текущую строку";

}  // namespace

TChangeBlk::TChangeBlk(std::filesystem::path data_dir, const BlockLibrary& blocks,
                       Platform platform, QWidget* parent)
    : ReplacementWindow("ChangeBlk", kCaption, parent),
      logic_(std::move(data_dir), blocks, platform) {
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  Label1 = new QLabel(QString::fromUtf8(kLabel1), this);
  Label1->setObjectName("Label1");
  auto* from = new QLineEdit(this);
  from->setObjectName("EditFrom");
  ButtonSelFrom = MakeButton(kSelect, "ButtonSelFrom", this);
  Label2 = new QLabel(QString::fromUtf8(kLabel2), this);
  Label2->setObjectName("Label2");
  auto* to = new QLineEdit(this);
  to->setObjectName("EditTo");
  ButtonSelTo = MakeButton(kSelect, "ButtonSelTo", this);
  BitBtnSave = MakeButton(kSave, "BitBtnSave", this);
  Button1 = MakeButton(kReplace, "Button1", this);
  Button2 = MakeButton(kCancel, "Button2", this);
  Bind(logic_, from, to, /*replace=*/Button1, /*cancel=*/Button2);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  pmDel = PopupMenu1->addAction(QString::fromUtf8(kDeleteLine));
  pmDel->setObjectName("pmDel");
  PopupMenuBlockName = new QMenu(this);
  PopupMenuBlockName->setObjectName("PopupMenuBlockName");

  auto* from_row = new QHBoxLayout;
  from_row->addWidget(EditFrom, 1);
  from_row->addWidget(ButtonSelFrom);
  auto* to_row = new QHBoxLayout;
  to_row->addWidget(EditTo, 1);
  to_row->addWidget(ButtonSelTo);
  auto* fields = new QVBoxLayout;
  fields->addWidget(Label1);
  fields->addLayout(from_row);
  fields->addSpacing(12);
  fields->addWidget(Label2);
  fields->addLayout(to_row);
  fields->addSpacing(12);
  fields->addWidget(BitBtnSave, 0, Qt::AlignLeft);
  fields->addStretch(1);
  auto* upper = new QHBoxLayout;
  upper->addWidget(ListBox1, 1);
  upper->addLayout(fields, 1);
  auto* bottom_panel = new QHBoxLayout;
  bottom_panel->addStretch(1);
  bottom_panel->addWidget(Button1);
  bottom_panel->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(upper, 1);
  layout->addLayout(bottom_panel);

  connect(ListBox1, &QListWidget::itemClicked, this, &TChangeBlk::ListBox1Click);
  // A click on the selected item, and a selection moved by mouse or keys.
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TChangeBlk::ListBox1Click);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });
  connect(pmDel, &QAction::triggered, this, &TChangeBlk::pmDelClick);
  connect(ButtonSelFrom, &QPushButton::clicked, this, &TChangeBlk::ButtonSelFromClick);
  connect(ButtonSelTo, &QPushButton::clicked, this, &TChangeBlk::ButtonSelToClick);
  connect(BitBtnSave, &QPushButton::clicked, this, &TChangeBlk::BitBtnSaveClick);

  // FormCreate
  const WindowGeometry place = logic_.FormCreate();
  ShowItems();
  ApplyPlace(*this, place, *platform.screen);
}

ReplacementChoice TChangeBlk::Execute(const std::filesystem::path& data_dir,
                                      const BlockLibrary& blocks, Platform platform,
                                      QWidget* parent) {
  TChangeBlk dialog(data_dir, blocks, platform, parent);
  dialog.exec();
  return dialog.Choice();
}

void TChangeBlk::ListBox1Click() {
  const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
  if (selected.isEmpty()) return;
  logic_.ListBox1Click(ListBox1->row(selected.front()));
  ShowEdits();
}

void TChangeBlk::ButtonSelFromClick() {
  ShowBlockChoiceMenu(EditFrom, pos() + EditFrom->mapTo(this, QPoint(0, 0)) + QPoint(32, -16));
}

void TChangeBlk::ButtonSelToClick() {
  ShowBlockChoiceMenu(EditTo, pos() + EditTo->mapTo(this, QPoint(0, 0)) + QPoint(32, -16));
}

void TChangeBlk::BitBtnSaveClick() {
  logic_.BitBtnSaveClick();
  ShowItems();
}

void TChangeBlk::pmDelClick() {
  const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
  if (selected.isEmpty()) return;
  logic_.pmDelClick(ListBox1->row(selected.front()));
  ShowItems();
}

void TChangeBlk::ShowBlockChoiceMenu(QLineEdit* target, QPoint at) {
  PopupMenuBlockName->clear();
  for (const std::string& name : logic_.BlockChoiceNames()) {
    QAction* item = PopupMenuBlockName->addAction(MenuCaption(name));
    const QString text = Q(name);
    connect(item, &QAction::triggered, target, [target, text] { target->setText(text); });
  }
  PopupMenuBlockName->popup(at);
}

// Rebuilds ListBox1 from the logic's items, with nothing selected.
void TChangeBlk::ShowItems() {
  const QSignalBlocker blocker(ListBox1);
  ListBox1->clear();
  for (const std::string& item : logic_.items()) ListBox1->addItem(Q(item));
  ListBox1->setCurrentRow(-1);
}

}  // namespace luch
