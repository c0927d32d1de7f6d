#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tools/ui/about_box.h"
#include "tools/ui/program_icon.h"
#include "tools/ui/wait_window.h"

namespace luch {
namespace {

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
  }
  return count;
}

TEST(ProgramIcon, DrawsAPictureAtEverySize) {
  const QImage image = ProgramIconPixmap(32).toImage();
  ASSERT_EQ(image.size(), QSize(32, 32));
  const int opaque = OpaquePixels(image);
  EXPECT_GT(opaque, 150);
  EXPECT_LT(opaque, 32 * 32 - 150);  // a shape, not a filled square
  EXPECT_FALSE(ProgramIcon().availableSizes().isEmpty());
  EXPECT_EQ(ProgramIconPixmap(0).size(), QSize(1, 1));
}

TEST(AboutBox, ShowsItsTextsInPlace) {
  QWidget main;
  main.setGeometry(100, 80, 873, 600);
  main.show();
  std::vector<std::filesystem::path> opened;
  TAboutBox box(
      "/home/designer/.local/share/luch",
      [&opened](const std::filesystem::path& folder) { opened.push_back(folder); }, &main);
  EXPECT_EQ(box.windowTitle(), QString::fromUtf8("О программе"));
  EXPECT_EQ(box.size(), QSize(298, 275));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(box.Panel1->geometry(), QRect(8, 8, 281, 153));
  EXPECT_EQ(box.ProgramIcon->geometry(), QRect(24, 16, 32, 32));
  EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());
  EXPECT_EQ(box.ProductName->text(), QString::fromUtf8("Расчет луча системы ТЕРН-12"));
  EXPECT_EQ(box.ProductName->pos(), QPoint(88, 16));
  EXPECT_EQ(box.Version->text(), QString::fromUtf8("Версия  1.2"));
  EXPECT_EQ(box.Version->pos(), QPoint(88, 32));
  EXPECT_EQ(box.Label2->text(), QString::fromUtf8("Январь 2007 года"));
  EXPECT_EQ(box.Label2->pos(), QPoint(88, 120));
  for (const QLabel* label : {box.ProductName, box.Version, box.Label2}) {
    EXPECT_EQ(label->parentWidget(), box.Panel1);
    EXPECT_LE(label->geometry().right(), box.Panel1->width()) << label->text().toStdString();
  }
  EXPECT_EQ(box.OKButton->text(), "OK");
  EXPECT_EQ(box.OKButton->geometry(), QRect(111, 242, 75, 25));
  EXPECT_TRUE(box.OKButton->isDefault());
  // Where the data files are, and a way there.
  EXPECT_EQ(box.LabelDataFolder->text(),
            QString::fromUtf8("Папка данных:\n/home/designer/.local/share/luch"));
  QTest::mouseClick(box.ButtonDataFolder, Qt::LeftButton);
  EXPECT_EQ(opened, (std::vector<std::filesystem::path>{"/home/designer/.local/share/luch"}));

  box.show();
  EXPECT_LE((box.frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);
}

TEST(AboutBox, OkAndEnterClose) {
  QWidget main;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->OKButton, Qt::LeftButton);
  });
  ShowAboutBox(&main, {}, [](const std::filesystem::path&) {});  // returns once the box is closed
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<TAboutBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Return);
  });
  ShowAboutBox(&main, {}, [](const std::filesystem::path&) {});
  EXPECT_TRUE(main.findChildren<TAboutBox*>().isEmpty());  // destroyed when closed
}

TEST(WaitWindow, ShowsOverTheMainWindowUntilClosed) {
  QWidget main;
  main.setGeometry(150, 100, 873, 600);
  main.show();
  QtWaitWindow wait(&main);
  EXPECT_EQ(wait.window(), nullptr);
  wait.Show();
  TMess* mess = wait.window();
  ASSERT_NE(mess, nullptr);
  EXPECT_TRUE(mess->isVisible());
  EXPECT_EQ(mess->parentWidget(), &main);
  EXPECT_EQ(mess->windowTitle(), QString::fromUtf8("Ждите..."));
  EXPECT_EQ(mess->size(), QSize(431, 163));
  const Qt::WindowFlags flags = mess->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
  EXPECT_LE((mess->frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 4);

  const QLabel* label = mess->Label1;
  EXPECT_EQ(label->text(), QString::fromUtf8("Выполняется расчет..."));
  EXPECT_EQ(label->geometry(), mess->rect());
  EXPECT_EQ(label->alignment(), Qt::AlignCenter);
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(label->font().pixelSize(), 27);
  EXPECT_EQ(label->font().family(), "Arial");
  EXPECT_TRUE(label->autoFillBackground());
  EXPECT_EQ(label->palette().color(QPalette::Window),
            QApplication::palette().color(QPalette::ToolTipBase));

  wait.Repaint();
  wait.Show();  // a second Show replaces the window, never stacks a second one
  EXPECT_EQ(main.findChildren<TMess*>().size(), 1);
  const QPointer<TMess> shown = wait.window();
  wait.Close();
  EXPECT_EQ(wait.window(), nullptr);
  EXPECT_TRUE(shown.isNull());
  wait.Close();  // nothing to close
}

TEST(WaitWindow, SurvivesItsOwnerGoingFirst) {
  auto* main = new QWidget;
  QtWaitWindow wait(main);
  wait.Show();
  ASSERT_NE(wait.window(), nullptr);
  delete main;
  EXPECT_EQ(wait.window(), nullptr);
  wait.Repaint();
  wait.Close();
}

}  // namespace
}  // namespace luch
