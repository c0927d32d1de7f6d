#include "editing/ui/replacement_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"

namespace luch {

ReplacementWindow::ReplacementWindow(const char* object_name, const char* caption, QWidget* parent)
    : QDialog(parent) {
  setObjectName(object_name);
  setWindowTitle(QString::fromUtf8(caption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
}

QPushButton* ReplacementWindow::MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

void ReplacementWindow::Bind(ReplacementDialogLogic& logic, QLineEdit* from, QLineEdit* to,
                             QPushButton* replace, QPushButton* cancel) {
  logic_ = &logic;
  EditFrom = from;
  EditTo = to;
  replace->setDefault(true);
  connect(EditFrom, &QLineEdit::textChanged, this,
          [this](const QString& text) { logic_->edit_from = text.toStdString(); });
  connect(EditTo, &QLineEdit::textChanged, this,
          [this](const QString& text) { logic_->edit_to = text.toStdString(); });
  connect(replace, &QPushButton::clicked, this, [this] {
    if (logic_->MayReplace()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ReplacementWindow::ShowEdits() {
  EditFrom->setText(Q(logic_->edit_from));
  EditTo->setText(Q(logic_->edit_to));
}

void ReplacementWindow::done(int result) {
  logic_->FormClose(PlaceOf(*this));  // FormClose
  QDialog::done(result);
}

}  // namespace luch
