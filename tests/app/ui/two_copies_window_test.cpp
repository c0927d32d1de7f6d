// Two copies of the program on one data folder, as two double clicks start
// them: the other copy is the real program in a process of its own.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "app/recovery_file.h"
#include "app/ui/program_fixture.h"
#include "common/file_io.h"
#include "common/ui/qt_text.h"

namespace luch {
namespace {

class TwoCopies : public ProgramTest {
 protected:
  void SetUp() override {
#ifdef _WIN32
    // luch.exe brings only the platform of the Windows desktop, which wine
    // gives only on a display; the locks of two copies are tried on Windows by
    // the state's tests, two in one process.
    GTEST_SKIP() << "the other copy needs a display under wine";
#endif
    ProgramTest::SetUp();
    program.reset();  // this copy starts after the other one
  }
  void TearDown() override {
    other_.kill();
    other_.waitForFinished();
  }
  // The other copy, started in the data folder; true once `ready` holds.
  bool StartOther(const std::filesystem::path& ready) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    other_.setProcessEnvironment(environment);
    other_.setWorkingDirectory(Q(PathToUtf8(dir.path())));
    other_.start(QString::fromUtf8(LUCH_PROGRAM), {});
    return QTest::qWaitFor([&] { return FileExists(ready); }, 20000);
  }
  // This copy, started as the user starts it; the text of its first box.
  QString StartThis(const char* button) {
    QString text;
    AnswerWhenShown<QMessageBox>([&text, button](QMessageBox* box) {
      text = box->text();
      for (QAbstractButton* choice : box->buttons()) {
        if (choice->text().remove('&') == QString::fromUtf8(button)) choice->click();
      }
    });
    program = std::make_unique<Program>(dir.path());
    program->main_window().show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !text.isEmpty(); }, 5000));
    return text;
  }

  QProcess other_;
};

TEST_F(TwoCopies, AProjectTheOtherCopyHasOpenIsOpenedReadOnlyWhenAsked) {
  ASSERT_TRUE(StartOther(LockPathOf(dir / "Дом 5.луч")));  // it reopens the last project
  const QString text = StartThis("Только для чтения");
  EXPECT_TRUE(text.startsWith(
      QString::fromUtf8("Проект «Дом 5.луч» уже открыт в другой копии программы (")));
  EXPECT_EQ(program->state().ProjectFileName(), "Дом 5.луч");
  EXPECT_TRUE(program->state().read_only());
  EXPECT_TRUE(program->main_window().windowTitle().endsWith(QString::fromUtf8("(только чтение)")));
}

TEST_F(TwoCopies, TheEditsOfACopyStillRunningAreNotOfferedButAKilledOnesAre) {
  ProjectTable table;
  ProjectParameters params;
  params.SetNewProjectValues();
  table.SetAddress(1, "несохраненный адрес");
  ASSERT_TRUE(WriteRecoveryFile(RecoveryPath(dir.path()), table, params, {"Дом 5.луч", {}, {}}, ',',
                                RealFileSystem()));
  // The other copy offers them at its start, and holds them while it asks.
  ASSERT_TRUE(StartOther(LockPathOf(RecoveryPath(dir.path()))));
  program = std::make_unique<Program>(dir.path());
  program->main_window().show();
  QTest::qWait(300);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // nothing asked here
  EXPECT_EQ(program->state().table().Address(1), "Щитовая, подвал");
  EXPECT_FALSE(program->state().modified());

  other_.kill();
  other_.waitForFinished();
  program.reset();
  const QString text = StartThis("Нет");
  EXPECT_TRUE(text.startsWith(QString::fromUtf8("Найдены несохраненные изменения проекта")));
  EXPECT_FALSE(FileExists(RecoveryPath(dir.path())));
}

}  // namespace
}  // namespace luch
