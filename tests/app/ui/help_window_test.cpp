// F1 and "Справка": the manual inside the program, in one window.
#include "app/ui/help_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <fstream>

#include "app/ui/program_fixture.h"
#include "common/file_io.h"
#include "common/ui/qt_text.h"

namespace luch {
namespace {

TEST_F(ProgramTest, F1ShowsTheManualInOneHelpWindow) {
  TMain& main = program->main_window();
  Activate(main);
  QTest::keyClick(&main, Qt::Key_F1);
  QList<THelp*> shown = main.findChildren<THelp*>();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0]->isVisible());
  const QTextBlock first = shown[0]->browser()->document()->firstBlock();
  // The heading of the manual the package ships.
  std::ifstream manual(kExamples.parent_path() / "packaging" / "manual" / "luch.ru.md");
  std::string heading;
  std::getline(manual, heading);
  EXPECT_EQ("# " + first.text().toStdString(), heading);
  Grab(*shown[0], "help.png");

  main.action("mHelp")->trigger();  // the menu item: the same window, in front
  EXPECT_EQ(main.findChildren<THelp*>().size(), 1);
  // It names the data folder.
  auto* folder = shown[0]->findChild<QLabel*>("LabelDataFolder");
  ASSERT_NE(folder, nullptr);
  EXPECT_TRUE(folder->text().endsWith(Q(PathToUtf8(dir.path()))));
}

}  // namespace
}  // namespace luch
