#include "tools/ui/dom_len_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "common/profile_file.h"
#include "common/settings_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// Replaces a field's content by typing, as the user does.
void Type(QLineEdit* field, const char* text) {
  field->setFocus();
  field->selectAll();
  QTest::keyClick(field, Qt::Key_Delete);
  field->home(false);
  QTest::keyClicks(field, text);
}

TEST(TDomLenWindow, TypingIntoTheFieldsRecomputes) {
  TempDir dir;
  FakePlatform fake;
  TDomLen window(dir.path(), fake.platform());
  auto* label = window.findChild<QLabel*>("Label1");
  auto* h1 = window.findChild<QLineEdit*>("MaskEdit1");
  auto* h2 = window.findChild<QLineEdit*>("MaskEdit2");
  auto* d = window.findChild<QLineEdit*>("MaskEdit3");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Расчет длины кабеля между домами");
  EXPECT_EQ(label->text(), "L=102 м");
  EXPECT_EQ(d->displayText(), "100");

  window.show();
  Type(h1, "1");
  EXPECT_EQ(h1->displayText(), "1_");
  Type(h2, "2");
  Type(d, "4");
  EXPECT_EQ(label->text(), "L=5 м");
  Type(h1, "-5");
  Type(h2, "5");
  Type(d, "0");
  EXPECT_EQ(label->text(), "L=30 м");
  Type(d, "12345x");  // three positions, digits and signs only
  EXPECT_EQ(d->text(), "123");
}

TEST(TDomLenWindow, ClosingHidesAndStoresThePlace) {
  TempDir dir;
  FakePlatform fake;
  TDomLen window(dir.path(), fake.platform());
  EXPECT_EQ(window.pos(), QPoint(246, 123));
  EXPECT_EQ(window.size(), QSize(487, 420));
  window.show();
  window.move(300, 200);
  window.close();
  EXPECT_FALSE(window.isVisible());
  const ProfileFile settings = OpenSettingsFile(dir.path());
  EXPECT_EQ(settings.ReadInteger("DomLen", "Left", 0), window.x());
  EXPECT_EQ(settings.ReadInteger("DomLen", "Height", 0), 420);
  EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "L=102 м");
}

}  // namespace
}  // namespace luch
