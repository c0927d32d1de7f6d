#include "common/ui/text_prompt_dialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/ui/qt_platform.h"

namespace luch {
namespace {

TEST(TextPromptDialog, OkGivesTheTextAndCancelNothing) {
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TextPromptDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Длина сегментов"));
    dialog->field()->setText("120");
    dialog->accept();
  });
  EXPECT_EQ(TextPromptDialog::Ask(nullptr, QString::fromUtf8("Длина сегментов"), "?", "5"),
            QString("120"));
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TextPromptDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->field()->setText("typed");
    dialog->reject();
  });
  EXPECT_EQ(TextPromptDialog::Ask(nullptr, "c", "p", "default"), std::nullopt);
  // The program's prompt tells Cancel by nothing; TextPrompt turns it into the default.
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(QtPrompter().TextPrompt("c", "p", "default"), "default");
}

TEST(TextPromptDialog, TheFieldHoldsAtMost255Characters) {
  TextPromptDialog dialog("c", "p", "");
  QTest::keyClicks(dialog.field(), QString(300, 'x'));
  EXPECT_EQ(dialog.field()->text().size(), 255);
}

TEST(TextPromptDialog, StandardButtonsSpeakRussian) {
  TextPromptDialog dialog("c", "p", "");
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove('&'),
            QString::fromUtf8("Отмена"));
}

}  // namespace
}  // namespace luch
