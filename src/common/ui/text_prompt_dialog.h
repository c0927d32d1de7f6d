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
  // The field holds the text with the cursor after it and nothing selected:
  // the text is what the user began typing, and typing goes on.
  void ContinueTyping();
  // The edited text on OK, nothing on Cancel. With `typed`, ContinueTyping.
  static std::optional<QString> Ask(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& default_text, bool typed = false);

 private:
  QLineEdit* field_;
};

}  // namespace luch
