#include "library/ui/wire_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "common/ui/qt_text.h"

namespace luch {
namespace {

// The wire count: its field is EditQ, its arrows UpDownQ. Only the arrows
// (and the arrow keys) start a computation; typing just moves the position.
class UpDownSpinBox : public QSpinBox {
 public:
  UpDownSpinBox(std::function<void()> on_click, QWidget* parent)
      : QSpinBox(parent), on_click_(std::move(on_click)) {
    lineEdit()->setObjectName("EditQ");
  }
  void stepBy(int steps) override {
    QSpinBox::stepBy(steps);
    on_click_();
  }

 private:
  std::function<void()> on_click_;
};

}  // namespace

TWire::TWire(const Locale& locale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      logic_(locale) {
  setObjectName("TWire");
  setWindowTitle(Q(wire_texts::kCaption));

  auto* group1 = new QGroupBox(Q(wire_texts::kGroupBox1), this);
  group1->setObjectName("GroupBox1");
  EditD = new QLineEdit(Q(wire_texts::kEditD), group1);
  EditD->setObjectName("EditD");
  (new QVBoxLayout(group1))->addWidget(EditD);

  auto* group2 = new QGroupBox(Q(wire_texts::kGroupBox2), this);
  group2->setObjectName("GroupBox2");
  UpDownQ = new UpDownSpinBox(
      [this] {
        logic_.UpDownQClick(UpDownQ->value());
        ShowResult();
      },
      group2);
  UpDownQ->setObjectName("UpDownQ");
  UpDownQ->setRange(WireCalculator::kMinWires, WireCalculator::kMaxWires);
  UpDownQ->setValue(1);
  UpDownQ->setWrapping(false);
  (new QVBoxLayout(group2))->addWidget(UpDownQ);

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  QFont font = Label1->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.5);
  Label1->setFont(font);

  auto* button1 = new QPushButton(Q(wire_texts::kButton1), this);
  button1->setObjectName("Button1");
  Button2 = new QPushButton(Q(wire_texts::kButton2), this);
  Button2->setObjectName("Button2");
  // Enter in a field closes nothing; Esc is the dialog's own Cancel.
  button1->setAutoDefault(false);
  Button2->setAutoDefault(false);
  LabelCable = new QLabel(this);
  LabelCable->setObjectName("LabelCable");

  auto* fields = new QHBoxLayout;
  fields->addWidget(group1);
  fields->addWidget(group2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(LabelCable, 1);
  buttons->addWidget(Button2);
  buttons->addWidget(button1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->addLayout(fields);
  layout->addStretch(1);
  layout->addWidget(Label1);
  layout->addStretch(1);
  layout->addLayout(buttons);

  connect(EditD, &QLineEdit::textChanged, this, &TWire::EditDChange);
  connect(UpDownQ, &QSpinBox::textChanged, this,
          [this](const QString& text) { logic_.EditQChange(text.toStdString()); });
  connect(button1, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button2, &QPushButton::clicked, this, &QDialog::accept);

  move(WireCalculator::kDesign.left, WireCalculator::kDesign.top);
  resize(WireCalculator::kDesign.width, WireCalculator::kDesign.height);
  ShowResult();
}

void TWire::SetCurrentCable(int row, const std::string& name) {
  LabelCable->setText(Q(CurrentCableText(row, name)));
  Button2->setEnabled(row >= 1);
}

void TWire::EditDChange() {
  logic_.EditDChange(EditD->text().toStdString());
  ShowResult();
}

void TWire::ShowResult() { Label1->setText(QString::fromStdString(logic_.label1_caption())); }

}  // namespace luch
