#include "editing/ui/change_cbl_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class ChangeCblWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cables.Add({"", "КСПВ 2x0,5", "48", "", "", ""});
    cables.Add({"", "КПСВЭВ 1x2x0,75", "25", "", "", ""});
  }
  template <typename T>
  T* Find(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  void ClickItem(QWidget& window, const char* list_name, int row) {
    auto* list = Find<QListWidget>(window, list_name);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
};

TEST_F(ChangeCblWindowTest, AClickCopiesNamesAndReplaceGivesPair) {
  TChangeCbl window(dir.path(), cables, fake.platform());
  window.show();
  EXPECT_EQ(window.windowTitle(), "Замена кабеля в проекте");
  EXPECT_EQ(window.size(), QSize(522, 526));
  EXPECT_EQ(Find<QGroupBox>(window, "GroupBox1")->title(), "Заменить кабель");
  EXPECT_EQ(Find<QGroupBox>(window, "GroupBox2")->title(), "на кабель");
  EXPECT_TRUE(Find<QPushButton>(window, "Button2")->isDefault());
  for (const char* name : {"ListBoxFrom", "ListBoxTo"}) {
    auto* list = Find<QListWidget>(window, name);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "КПСВЭВ 1x2x0,75");
  }

  ClickItem(window, "ListBoxFrom", 0);
  ClickItem(window, "ListBoxTo", 1);
  EXPECT_EQ(Find<QLineEdit>(window, "EditFrom")->text(), "КСПВ 2x0,5");
  EXPECT_EQ(Find<QLineEdit>(window, "EditTo")->text(), "КПСВЭВ 1x2x0,75");
  QTest::mouseClick(Find<QPushButton>(window, "Button2"), Qt::LeftButton);

  ProjectTable table;
  table.SetCableName(1, "КСПВ 2x0,5");
  table.SetCell(1, kResistanceOhm, "24");
  ApplyCableReplacement(table, window.Choice());
  EXPECT_EQ(table.CableName(1), "КПСВЭВ 1x2x0,75");
  EXPECT_EQ(table.GetCell(1, kResistanceOhm), "24");
  EXPECT_EQ(ProfileFile(dir / "Tarvel.ini").ReadInteger("ChangeCbl", "Height", 0), 526);
}

TEST_F(ChangeCblWindowTest, TypedNamesCountAndCancelReplacesNothing) {
  TChangeCbl window(dir.path(), cables, fake.platform());
  window.show();
  QTest::keyClicks(Find<QLineEdit>(window, "EditFrom"), "KSPV");
  QTest::keyClicks(Find<QLineEdit>(window, "EditTo"), "KPSVEV");
  QTest::mouseClick(Find<QPushButton>(window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(window.Choice(), (ReplacementChoice{false, "KSPV", "KPSVEV"}));
  EXPECT_FALSE(ShouldReplace(window.Choice()));
}

TEST_F(ChangeCblWindowTest, ExecuteReturnsOnEnter) {
  QTimer::singleShot(0, [] {
    auto* window = qobject_cast<TChangeCbl*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    window->findChild<QLineEdit*>("EditFrom")->setText("A");
    window->findChild<QLineEdit*>("EditTo")->setText("B");
    QTest::keyClick(window->findChild<QLineEdit*>("EditFrom"), Qt::Key_Return);
  });
  EXPECT_EQ(TChangeCbl::Execute(dir.path(), cables, fake.platform()),
            (ReplacementChoice{true, "A", "B"}));
}

}  // namespace
}  // namespace luch
