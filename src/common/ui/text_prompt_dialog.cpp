#include "common/ui/text_prompt_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace luch {

TextPromptDialog::TextPromptDialog(const QString& caption, const QString& prompt,
                                   const QString& default_text, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setObjectName("TextPrompt");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(prompt, this);
  field_ = new QLineEdit(this);
  field_->setObjectName("PromptField");
  field_->setMaxLength(255);
  field_->setText(default_text);
  field_->selectAll();
  label->setBuddy(field_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(label);
  layout->addWidget(field_);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

void TextPromptDialog::ContinueTyping() {
  field_->deselect();
  field_->end(false);
}

std::optional<QString> TextPromptDialog::Ask(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& default_text,
                                             bool typed) {
  TextPromptDialog dialog(caption, prompt, default_text, parent);
  if (typed) dialog.ContinueTyping();
  if (dialog.exec() == QDialog::Accepted) return dialog.field()->text();
  return std::nullopt;
}

}  // namespace luch
