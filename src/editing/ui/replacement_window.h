// What the two replacement dialogs share: a dialog with a title and a close
// box only, the two name edits bound to the logic's texts, "&Выполнить замену"
// that closes it only when the logic lets it, a cancel button, the answer,
// and the place saved at every closing (OK, Cancel, Esc, close box).
#pragma once

#include <QDialog>

#include "editing/replacement_dialog.h"

class QLineEdit;
class QPushButton;

namespace luch {

class ReplacementWindow : public QDialog {
 public:
  // How it closed (after exec or a button) and the edits' texts.
  ReplacementChoice Choice() const { return logic_->Result(result() == QDialog::Accepted); }

 protected:
  ReplacementWindow(const char* object_name, const char* caption, QWidget* parent);

  // A button that Enter in an edit does not press.
  static QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent);
  // Once the subclass has made them: the edits follow into the texts of
  // `logic` (the subclass's own), `replace` closes the dialog when the logic
  // lets it (it is the default button), `cancel` closes it without a
  // replacement.
  void Bind(ReplacementDialogLogic& logic, QLineEdit* from, QLineEdit* to, QPushButton* replace,
            QPushButton* cancel);
  // The logic's texts into the edits.
  void ShowEdits();
  void done(int result) override;

  QLineEdit* EditFrom = nullptr;
  QLineEdit* EditTo = nullptr;

 private:
  ReplacementDialogLogic* logic_ = nullptr;
};

}  // namespace luch
