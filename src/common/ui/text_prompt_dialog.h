// The modal one-line prompt: a caption, a prompt line, one field of at most
// 255 characters preset with a default, OK and Cancel.
#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace luch {

class TextPromptDialog : public QDialog {
  Q_OBJECT
 public:
  TextPromptDialog(const QString& caption, const QString& prompt, const QString& default_text,
                   QWidget* parent = nullptr);
  QLineEdit* field() const { return field_; }
  // The edited text on OK, nothing on Cancel.
  static std::optional<QString> Ask(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& default_text);

 private:
  QLineEdit* field_;
};

}  // namespace luch
