// The whole program over a copy of the sample data folder, with the real Qt
// dialogs and message boxes, for the tests that use it as its users do.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/ui/program.h"
#include "common/ui/text_prompt_dialog.h"
#include "support/temp_dir.h"
#include "support/ui/answer_dialog.h"

namespace luch {

using testing::AnswerWhenShown;
using testing::TempDir;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
    "examples";

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
      std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    }
    program = std::make_unique<Program>(dir.path());
    program->main_window().show();
    QApplication::processEvents();
  }

  void Grab(QWidget& window, const char* name) {
    if (const char* folder = std::getenv("LUCH_SCREENSHOTS")) {
      window.grab().save(QString::fromUtf8(folder) + "/" + name);
    }
  }

  // Makes `window` the one the user works in.
  static void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  // Answers the next real prompt with `text` (OK), or cancels it after typing
  // `text` when `ok` is false; records the prompt's owner.
  void AnswerPrompt(const QString& text, bool ok, QWidget** owner = nullptr) {
    AnswerWhenShown<TextPromptDialog>([text, ok, owner](TextPromptDialog* dialog) {
      if (owner) *owner = dialog->parentWidget();
      dialog->field()->setText(text);
      if (ok) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
  }

  TempDir dir;
  std::unique_ptr<Program> program;
};

}  // namespace luch
