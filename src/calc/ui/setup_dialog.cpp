#include "calc/ui/setup_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Q(caption), parent);
  button->setObjectName(Q(name));
  button->setAutoDefault(false);  // Enter in an edit box means OK
  return button;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(Q(name));
  edit->setMinimumWidth(90);
  return edit;
}

// One group: its preset buttons on the left, its edit box on the right.
QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, QLineEdit* edit,
                     std::initializer_list<QPushButton*> buttons) {
  auto* group = new QGroupBox(Q(caption), parent);
  group->setObjectName(Q(name));
  auto* row = new QHBoxLayout(group);
  for (QPushButton* button : buttons) {
    button->setParent(group);
    row->addWidget(button);
  }
  row->addStretch(1);
  edit->setParent(group);
  row->addWidget(edit);
  return group;
}

}  // namespace

TSetup::TSetup(const ProjectParameters& params, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logic_(params) {
  setObjectName("TSetup");
  setWindowTitle(Q(setup_texts::kCaption));
  setSizeGripEnabled(true);

  EditRZB = MakeEdit(this, "EditRZB");
  EditStep = MakeEdit(this, "EditStep");
  EditImax = MakeEdit(this, "EditImax");
  EditC = MakeEdit(this, "EditC");
  EditL = MakeEdit(this, "EditL");
  ButtonZB2 = MakeButton(this, "ButtonZB2", setup_texts::kButtonZB2);
  ButtonZB3 = MakeButton(this, "ButtonZB3", setup_texts::kButtonZB3);
  ButtonUsual = MakeButton(this, "ButtonUsual", setup_texts::kButtonUsual);
  ButtonHigh = MakeButton(this, "ButtonHigh", setup_texts::kButtonHigh);
  ButtonTok = MakeButton(this, "ButtonTok", setup_texts::kButtonTok);
  Button3 = MakeButton(this, "Button3", setup_texts::kButtonNoCheck);
  Button4 = MakeButton(this, "Button4", setup_texts::kButtonNoCheck);
  Button2 = new QPushButton(Q(setup_texts::kButtonOK), this);
  Button2->setObjectName("Button2");
  Button2->setDefault(true);
  Button1 = new QPushButton(Q(setup_texts::kButtonCancel), this);
  Button1->setObjectName("Button1");
  Button1->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      MakeGroup(this, "GroupBoxZB", setup_texts::kGroupZB, EditRZB, {ButtonZB2, ButtonZB3}));
  layout->addWidget(MakeGroup(this, "GroupBoxStep", setup_texts::kGroupStep, EditStep,
                              {ButtonUsual, ButtonHigh}));
  layout->addWidget(
      MakeGroup(this, "GroupBoxImax", setup_texts::kGroupImax, EditImax, {ButtonTok}));
  layout->addWidget(MakeGroup(this, "GroupBoxC", setup_texts::kGroupC, EditC, {Button3}));
  layout->addWidget(MakeGroup(this, "GroupBoxL", setup_texts::kGroupL, EditL, {Button4}));
  layout->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Button2);
  bottom->addWidget(Button1);
  layout->addLayout(bottom);

  // Per group the edit box, then its buttons; then Button1, then Button2.
  QWidget* const order[] = {EditRZB,    ButtonZB2, ButtonZB3, EditStep, ButtonUsual,
                            ButtonHigh, EditImax,  ButtonTok, EditC,    Button3,
                            EditL,      Button4,   Button1,   Button2};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  EditRZB->setFocus();

  connect(ButtonZB2, &QPushButton::clicked, this,
          [this] { Preset(&ProjectSetup::ButtonZB2Click); });
  connect(ButtonZB3, &QPushButton::clicked, this,
          [this] { Preset(&ProjectSetup::ButtonZB3Click); });
  connect(ButtonUsual, &QPushButton::clicked, this,
          [this] { Preset(&ProjectSetup::ButtonUsualClick); });
  connect(ButtonHigh, &QPushButton::clicked, this,
          [this] { Preset(&ProjectSetup::ButtonHighClick); });
  connect(ButtonTok, &QPushButton::clicked, this,
          [this] { Preset(&ProjectSetup::ButtonTokClick); });
  connect(Button3, &QPushButton::clicked, this, [this] { Preset(&ProjectSetup::Button3Click); });
  connect(Button4, &QPushButton::clicked, this, [this] { Preset(&ProjectSetup::Button4Click); });
  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  ShowTexts();
  resize(sizeHint().expandedTo(QSize(440, 0)));
}

void TSetup::ShowTexts() {
  EditRZB->setText(Q(logic_.EditRZB));
  EditStep->setText(Q(logic_.EditStep));
  EditImax->setText(Q(logic_.EditImax));
  EditC->setText(Q(logic_.EditC));
  EditL->setText(Q(logic_.EditL));
}

void TSetup::TakeTexts() {
  logic_.EditRZB = EditRZB->text().toStdString();
  logic_.EditStep = EditStep->text().toStdString();
  logic_.EditImax = EditImax->text().toStdString();
  logic_.EditC = EditC->text().toStdString();
  logic_.EditL = EditL->text().toStdString();
}

void TSetup::Preset(void (ProjectSetup::*click)()) {
  TakeTexts();
  (logic_.*click)();
  ShowTexts();
}

void TSetup::ApplyTo(ProjectParameters& params) {
  TakeTexts();
  logic_.Apply(params);
}

void TSetup::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (QWidget* owner = parentWidget()) CentreOver(*this, owner->window()->frameGeometry());
}

bool RunSetupDialog(QWidget* parent, ProjectParameters& params) {
  TSetup dialog(params, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.ApplyTo(params);
  return true;
}

}  // namespace luch
