#include "editing/ui/change_cbl_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/window_place.h"

namespace luch {
namespace {

constexpr const char* kCaption = "Замена кабеля в проекте";
constexpr const char* kGroupFrom = "Заменить кабель";
constexpr const char* kGroupTo = "на кабель";
constexpr const char* kCancel = "&Отмена";
constexpr const char* kReplace = "&Выполнить замену";

// One half of the window: a group box holding an edit above a list.
QGroupBox* MakeHalf(const char* caption, const char* group_name, QLineEdit*& edit,
                    const char* edit_name, QListWidget*& list, const char* list_name,
                    QWidget* parent) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
  group->setObjectName(group_name);
  edit = new QLineEdit(group);
  edit->setObjectName(edit_name);
  list = new QListWidget(group);
  list->setObjectName(list_name);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(edit);
  layout->addWidget(list, 1);
  return group;
}

int SelectedRow(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

}  // namespace

TChangeCbl::TChangeCbl(std::filesystem::path data_dir, const CableLibrary& cables,
                       Platform platform, QWidget* parent)
    : ReplacementWindow("ChangeCbl", kCaption, parent),
      logic_(std::move(data_dir), cables, platform) {
  QLineEdit* from = nullptr;
  QLineEdit* to = nullptr;
  GroupBox1 = MakeHalf(kGroupFrom, "GroupBox1", from, "EditFrom", ListBoxFrom, "ListBoxFrom", this);
  GroupBox2 = MakeHalf(kGroupTo, "GroupBox2", to, "EditTo", ListBoxTo, "ListBoxTo", this);
  Button1 = MakeButton(kCancel, "Button1", this);
  Button2 = MakeButton(kReplace, "Button2", this);
  Bind(logic_, from, to, /*replace=*/Button2, /*cancel=*/Button1);

  auto* halves = new QHBoxLayout;
  halves->addWidget(GroupBox1, 1);
  halves->addWidget(GroupBox2, 1);
  auto* bottom_panel = new QHBoxLayout;
  bottom_panel->addWidget(Button1);
  bottom_panel->addStretch(1);
  bottom_panel->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(halves, 1);
  layout->addLayout(bottom_panel);

  // A single click chooses a name as a double-click does; so does moving the
  // selection with the keys, and a click on the selected name after the edit
  // was typed into.
  for (QListWidget* list : {ListBoxFrom, ListBoxTo}) {
    const auto choose =
        list == ListBoxFrom ? &TChangeCbl::ListBoxFromDblClick : &TChangeCbl::ListBoxToDblClick;
    connect(list, &QListWidget::itemClicked, this, choose);
    connect(list, &QListWidget::itemDoubleClicked, this, choose);
    connect(list, &QListWidget::itemSelectionChanged, this, choose);
  }

  // FormCreate
  const WindowGeometry place = logic_.FormCreate();
  for (const std::string& name : logic_.names()) {
    ListBoxFrom->addItem(QString::fromStdString(name));
    ListBoxTo->addItem(QString::fromStdString(name));
  }
  ApplyPlace(*this, place, *platform.screen);
}

ReplacementChoice TChangeCbl::Execute(const std::filesystem::path& data_dir,
                                      const CableLibrary& cables, Platform platform,
                                      QWidget* parent) {
  TChangeCbl dialog(data_dir, cables, platform, parent);
  dialog.exec();
  return dialog.Choice();
}

void TChangeCbl::ListBoxFromDblClick() {
  logic_.ListBoxFromDblClick(SelectedRow(*ListBoxFrom));
  EditFrom->setText(QString::fromStdString(logic_.edit_from));
}

void TChangeCbl::ListBoxToDblClick() {
  logic_.ListBoxToDblClick(SelectedRow(*ListBoxTo));
  EditTo->setText(QString::fromStdString(logic_.edit_to));
}

}  // namespace luch
