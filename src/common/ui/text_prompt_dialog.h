// The modal one-line prompt: a caption, a prompt line, one field of at most
// 255 characters preset with a default, OK and Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace luch {

class TextPromptDialog : public QDialog {
  Q_OBJECT
 public:
  TextPromptDialog(const QString& caption, const QString& prompt, const QString& default_text,
                   QWidget* parent = nullptr);
  QLineEdit* field() const { return field_; }
  // OK gives the edited text, Cancel the default unchanged.
  static QString Ask(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& default_text);

 private:
  QLineEdit* field_;
};

}  // namespace luch
