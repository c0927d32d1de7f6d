// "&Спецификация" and "Отчет в &PDF..." through the real main window, the PDF
// with the real save dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include "app/ui/main_window.h"
#include "common/file_io.h"
#include "common/ui/qt_platform.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "support/ui/answer_dialog.h"

namespace luch {
namespace {

using testing::AnswerWhenShown;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
    "examples";

class DocumentWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(kExamples)) {
      std::filesystem::copy(entry.path(), dir.path() / entry.path().filename());
    }
    cables.LoadCables(dir.path());
    Platform platform = fake.platform();
    platform.dialogs = &dialogs;
    state = std::make_unique<MainState>(dir.path(), platform, cables, blocks);
    window = std::make_unique<TMain>(*state);
    window->show();
    QApplication::processEvents();
  }

  testing::TempDir dir;
  testing::FakePlatform fake;
  QtDialogs dialogs;
  CableLibrary cables;
  BlockLibrary blocks{dir.path()};
  std::unique_ptr<MainState> state;
  std::unique_ptr<TMain> window;
};

TEST_F(DocumentWindowTest, PdfWithTheSaveDialogAfterF9AndQuantitiesAlways) {
  QAction* pdf = window->action("mPdf");
  EXPECT_EQ(pdf->text(), QString::fromUtf8("Отчет в &PDF..."));
  window->action("mStart")->trigger();
  ASSERT_TRUE(pdf->isEnabled());
  QString title, filter, folder;
  AnswerWhenShown<QFileDialog>([&](QFileDialog* dialog) {
    title = dialog->windowTitle();
    filter = dialog->selectedNameFilter();
    folder = dialog->directory().absolutePath();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromUtf8("Дом 5"));
    QTest::keyClick(name, Qt::Key_Return);
  });
  pdf->trigger();
  EXPECT_EQ(title, QString::fromUtf8("Сохранить отчет в PDF"));
  EXPECT_EQ(filter, "PDF (*.pdf)");
  EXPECT_EQ(Utf8Path(folder.toStdString()), dir.path());  // either separator on Windows
  EXPECT_EQ(dir.Read("Дом 5.pdf").substr(0, 5), "%PDF-");
  EXPECT_EQ(fake.launcher.opened, std::vector{dir / "Дом 5.pdf"});

  // A supply voltage that F9 would replace: the results are stale, so no
  // PDF; the quantities count the rows and need no results.
  window->EditU->clear();
  QTest::keyClicks(window->EditU, "0,5");
  ASSERT_TRUE(state->results().stale);
  EXPECT_FALSE(pdf->isEnabled());
  QAction* quantities = window->action("mQuantities");
  EXPECT_EQ(quantities->text(), QString::fromUtf8("&Спецификация"));
  ASSERT_TRUE(quantities->isEnabled());
  quantities->trigger();
  EXPECT_EQ(fake.launcher.opened.back(), dir / "Спецификация.txt");
  EXPECT_NE(dir.Read("Спецификация.txt").find("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace luch
