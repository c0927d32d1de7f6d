#include "editing/ui/change_blk_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class ChangeBlkWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("Замена блоков.ini", Utf8ToCp1251("A>B\r\nДИП>ДИП-34\r\n"));
    dir.Write("Блок.ini", Utf8ToCp1251("[Блок0]\r\nНазвание=ДИП-34\r\n"
                                       "[Блок1]\r\nНазвание=Щит&Свет\r\n"));
  }
  template <typename T>
  T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void ClickItem(QWidget& window, int row) {
    auto* list = Find<QListWidget>(window, "ListBox1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  }
  std::string ListText() const { return Cp1251ToUtf8(dir.Read("Замена блоков.ini")); }

  TempDir dir;
  FakePlatform fake;
  BlockLibrary blocks{dir.path()};
};

TEST_F(ChangeBlkWindowTest, OpensWithRememberedPairsAndClickFillsEdits) {
  dir.Write("Tarvel.ini", "[ChangeBlk]\r\nTop=30\r\nLeft=40\r\nHeight=460\r\nWidth=600\r\n");
  TChangeBlk window(dir.path(), blocks, fake.platform());
  window.show();
  EXPECT_EQ(window.windowTitle(), "Замена блоков в текущем проекте...");
  EXPECT_EQ(window.size(), QSize(600, 460));
  EXPECT_EQ(window.pos(), QPoint(40, 30));
  auto* list = Find<QListWidget>(window, "ListBox1");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text(), "ДИП>ДИП-34");
  EXPECT_EQ(Find<QPushButton>(window, "BitBtnSave")->text(), "        Сохранить");
  EXPECT_TRUE(Find<QPushButton>(window, "Button1")->isDefault());

  ClickItem(window, 1);
  EXPECT_EQ(Find<QLineEdit>(window, "EditFrom")->text(), "ДИП");
  EXPECT_EQ(Find<QLineEdit>(window, "EditTo")->text(), "ДИП-34");
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ChangeBlkWindowTest, ChoiceMenuShowsNamesLiterallyAndFillsEdit) {
  TChangeBlk window(dir.path(), blocks, fake.platform());
  window.show();
  QTest::mouseClick(Find<QPushButton>(window, "ButtonSelTo"), Qt::LeftButton);
  auto* menu = Find<QMenu>(window, "PopupMenuBlockName");
  const QList<QAction*> items = menu->actions();
  ASSERT_EQ(items.size(), 2);
  EXPECT_EQ(items[0]->text(), "ДИП-34");
  EXPECT_EQ(items[1]->text(), "Щит&&Свет");  // shown as Щит&Свет, no accelerator
  items[1]->trigger();
  menu->close();
  EXPECT_EQ(Find<QLineEdit>(window, "EditTo")->text(), "Щит&Свет");
  EXPECT_EQ(Find<QLineEdit>(window, "EditFrom")->text(), "");

  QTest::mouseClick(Find<QPushButton>(window, "ButtonSelFrom"), Qt::LeftButton);
  ASSERT_EQ(menu->actions().size(), 2);  // rebuilt, not appended to
  menu->actions()[0]->trigger();
  menu->close();
  EXPECT_EQ(Find<QLineEdit>(window, "EditFrom")->text(), "ДИП-34");
}

TEST_F(ChangeBlkWindowTest, SaveAndDeleteRewriteTheList) {
  TChangeBlk window(dir.path(), blocks, fake.platform());
  window.show();
  QTest::keyClicks(Find<QLineEdit>(window, "EditFrom"), "DIP");  // typing knows Latin keys only
  QTest::keyClicks(Find<QLineEdit>(window, "EditTo"), "DIP-2");
  QTest::mouseClick(Find<QPushButton>(window, "BitBtnSave"), Qt::LeftButton);
  EXPECT_EQ(ListText(), "A>B\r\nДИП>ДИП-34\r\nDIP>DIP-2\r\n");
  auto* list = Find<QListWidget>(window, "ListBox1");
  EXPECT_EQ(list->count(), 3);

  auto* del = window.findChild<QAction*>("pmDel");
  ASSERT_NE(del, nullptr);
  EXPECT_EQ(del->text(), "Удалить текущую строку");
  del->trigger();  // nothing selected: nothing removed
  EXPECT_EQ(list->count(), 3);
  ClickItem(window, 0);
  del->trigger();
  EXPECT_EQ(ListText(), "ДИП>ДИП-34\r\nDIP>DIP-2\r\n");
  EXPECT_EQ(list->count(), 2);
  EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(ChangeBlkWindowTest, ReplaceButtonGivesPairAndSavesPlace) {
  TChangeBlk window(dir.path(), blocks, fake.platform());
  window.show();
  ClickItem(window, 1);
  QTest::mouseClick(Find<QPushButton>(window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(window.Choice(), (ReplacementChoice{true, "ДИП", "ДИП-34"}));
  ProjectTable table;
  table.SetBlockName(2, "ДИП");
  ApplyBlockReplacement(table, window.Choice());
  EXPECT_EQ(table.BlockName(2), "ДИП-34");
  const ProfileFile settings(dir / "Tarvel.ini");
  EXPECT_EQ(settings.ReadInteger("ChangeBlk", "Width", 0), window.width());
  EXPECT_EQ(settings.ReadInteger("ChangeBlk", "Top", -1), window.y());
}

TEST_F(ChangeBlkWindowTest, CancelEscapeAndCloseBoxReplaceNothing) {
  for (int way = 0; way < 3; ++way) {
    TChangeBlk window(dir.path(), blocks, fake.platform());
    window.show();
    ClickItem(window, 0);
    if (way == 0) QTest::mouseClick(Find<QPushButton>(window, "Button2"), Qt::LeftButton);
    if (way == 1) QTest::keyClick(&window, Qt::Key_Escape);
    if (way == 2) window.close();
    EXPECT_FALSE(window.Choice().accepted) << way;
    EXPECT_FALSE(ShouldReplace(window.Choice()));
    EXPECT_TRUE(FileExists(dir / "Tarvel.ini")) << way;  // the place is saved on every closing
    std::filesystem::remove(dir / "Tarvel.ini");
  }
}

TEST_F(ChangeBlkWindowTest, ExecuteRunsModally) {
  QTimer::singleShot(0, [] {
    auto* window = qobject_cast<TChangeBlk*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    window->findChild<QLineEdit*>("EditFrom")->setText("A");
    window->findChild<QLineEdit*>("EditTo")->setText("C");
    QTest::keyClick(window->findChild<QLineEdit*>("EditTo"), Qt::Key_Return);
  });
  const ReplacementChoice choice = TChangeBlk::Execute(dir.path(), blocks, fake.platform());
  EXPECT_EQ(choice, (ReplacementChoice{true, "A", "C"}));
}

}  // namespace
}  // namespace luch
