// Unsaved changes met as the user meets them: the caption, the real question
// when the window closes, Ctrl+S, and the recovery after a killed run.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>

#include "app/recovery_file.h"
#include "app/ui/program_fixture.h"
#include "common/file_io.h"
#include "common/ui/qt_text.h"

namespace luch {
namespace {

constexpr const char* kProject = "Дом 5.луч";

class UnsavedChangesWindow : public ProgramTest {
 protected:
  TMain& main() { return program->main_window(); }
  void TypeVoltage(const char* text) {
    main().EditU->clear();
    QTest::keyClicks(main().EditU, QString::fromUtf8(text));
  }
  // Answers the next message box with the button of `caption`, after noting
  // its text.
  void AnswerBox(const char* caption, QString* text = nullptr) {
    AnswerWhenShown<QMessageBox>([caption, text](QMessageBox* box) {
      if (text) *text = box->text();
      for (QAbstractButton* button : box->buttons()) {
        if (button->text().remove('&') == QString::fromUtf8(caption)) {
          button->click();
          return;
        }
      }
      ADD_FAILURE() << "no button " << caption;
      box->reject();
    });
  }
};

TEST_F(UnsavedChangesWindow, TheCaptionShowsTheProjectAndItsChanges) {
  const QString caption = QString::fromUtf8(kMainCaption);
  EXPECT_EQ(main().windowTitle(), caption + QString::fromUtf8(" — Дом 5.луч"));
  TypeVoltage("24");
  EXPECT_EQ(main().windowTitle(), caption + QString::fromUtf8(" — Дом 5.луч*"));
  QTest::keyClick(&main(), Qt::Key_S, Qt::ControlModifier);  // saves as F2 does
  EXPECT_EQ(main().windowTitle(), caption + QString::fromUtf8(" — Дом 5.луч"));
  std::string saved;
  ASSERT_TRUE(ReadFileBytes(dir / kProject, saved));
  EXPECT_NE(saved.find("=24\r\n"), std::string::npos);
}

TEST_F(UnsavedChangesWindow, ClosingAModifiedProjectAsksAndEachAnswerDoesWhatItSays) {
  struct Case {
    const char* button;
    bool closed;
    bool saved;
  };
  std::string before;
  ASSERT_TRUE(ReadFileBytes(dir / kProject, before));
  for (const Case& c :
       {Case{"Отмена", false, false}, Case{"Нет", true, false}, Case{"Да", true, true}}) {
    SCOPED_TRACE(c.button);
    program = std::make_unique<Program>(dir.path());
    main().show();
    QApplication::processEvents();
    main().EditVsego->setValue(main().EditVsego->value() + 2);
    QString text;
    AnswerBox(c.button, &text);
    main().close();
    EXPECT_EQ(text, QString::fromUtf8("Сохранить изменения в проекте?\nДом 5.луч"));
    EXPECT_EQ(main().isVisible(), !c.closed);
    std::string now;
    ASSERT_TRUE(ReadFileBytes(dir / kProject, now));
    EXPECT_EQ(now != before, c.saved);
  }
}

TEST_F(UnsavedChangesWindow, AKilledRunsEditsAreOfferedAtTheNextStart) {
  main().EditVsego->setValue(main().EditVsego->value() + 3);
  const int rows = program->state().table().BlockCount();
  // Written shortly after the change, not on the edit's own path.
  EXPECT_FALSE(FileExists(RecoveryPath(dir.path())));
  QTest::qWait(800);
  ASSERT_TRUE(FileExists(RecoveryPath(dir.path())));
  program.reset();  // killed: the window never closed

  QString text;
  AnswerBox("Да", &text);
  program = std::make_unique<Program>(dir.path());
  main().show();
  for (int k = 0; k < 200 && text.isEmpty(); ++k) QTest::qWait(10);  // the deferred start-up
  ASSERT_FALSE(text.isEmpty());
  EXPECT_TRUE(
      text.startsWith(QString::fromUtf8("Найдены несохраненные изменения проекта «Дом 5.луч»")));
  QApplication::processEvents();
  EXPECT_EQ(program->state().table().BlockCount(), rows);
  EXPECT_TRUE(main().windowTitle().endsWith(QString::fromUtf8("Дом 5.луч*")));

  AnswerBox("Нет");  // the restored edits are dropped on purpose
  main().close();
  EXPECT_FALSE(FileExists(RecoveryPath(dir.path())));
}

TEST_F(UnsavedChangesWindow, AfterARestoreTheProjectDoubleClickedStillOpens) {
  std::filesystem::copy_file(dir / kProject, dir / "Школа 3.луч");
  main().EditVsego->setValue(main().EditVsego->value() + 3);
  QTest::qWait(800);  // the recovery file written
  program.reset();    // killed

  // Да restores; the restored project is then offered for saving (Нет).
  QString restore, save;
  AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
    restore = box->text();
    AnswerBox("Нет", &save);
    box->button(QMessageBox::Yes)->click();
  });
  program = std::make_unique<Program>(dir.path());
  const std::string named = PathToUtf8(dir / "Школа 3.луч");
  program->state().SetNamedProject(named);
  main().show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !save.isEmpty(); }, 5000));
  QApplication::processEvents();
  EXPECT_TRUE(restore.startsWith(QString::fromUtf8("Найдены несохраненные изменения")));
  EXPECT_EQ(save, QString::fromUtf8("Сохранить изменения в проекте?\nДом 5.луч"));
  EXPECT_EQ(program->state().ProjectFileName(), named);
  EXPECT_FALSE(FileExists(RecoveryPath(dir.path())));
}

}  // namespace
}  // namespace luch
