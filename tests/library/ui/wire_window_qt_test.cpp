#include "library/ui/wire_window_qt.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "support/fake_platform.h"

namespace luch {
namespace {

using testing::FakeLocale;

TEST(TWireWindow, TypingTheDiameterShowsTheResult) {
  FakeLocale locale;
  TWire wire(locale);
  auto* label = wire.findChild<QLabel*>("Label1");
  auto* edit_d = wire.findChild<QLineEdit*>("EditD");
  EXPECT_EQ(wire.windowTitle(), "Расчет сопротивления медного провода");
  EXPECT_EQ(edit_d->text(), "0.50");
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 86,6");

  edit_d->clear();
  QTest::keyClicks(edit_d, "1");
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 21,6");
  QTest::keyClicks(edit_d, ",5");  // a typed decimal comma counts
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 9,6");
  const float shown = wire.logic().wire_resistance();
  edit_d->clear();
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): ");
  EXPECT_EQ(wire.logic().wire_resistance(), shown);
}

TEST(TWireWindow, OnlyTheArrowsOfTheCountRecompute) {
  FakeLocale locale;
  TWire wire(locale);
  auto* label = wire.findChild<QLabel*>("Label1");
  auto* count = wire.findChild<QSpinBox*>("UpDownQ");
  auto* edit_q = wire.findChild<QLineEdit*>("EditQ");
  ASSERT_NE(edit_q, nullptr);
  EXPECT_EQ(edit_q->text(), "1");
  QTest::keyClick(count, Qt::Key_Up);
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 43,3");
  edit_q->selectAll();
  QTest::keyClicks(edit_q, "4");
  EXPECT_EQ(wire.logic().wire_count(), 4);
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 43,3");
  QTest::keyClicks(wire.findChild<QLineEdit*>("EditD"), "0");  // "0.500"
  EXPECT_EQ(label->text(), "Сопротивление (Ом/км): 21,6");
}

TEST(TWireWindow, CloseAndEscRejectTheCurrentCableButtonAccepts) {
  FakeLocale locale;
  {
    TWire wire(locale);
    wire.show();
    QTest::mouseClick(wire.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    EXPECT_EQ(wire.result(), QDialog::Rejected);
  }
  {
    TWire wire(locale);
    wire.show();
    QTest::keyClick(wire.findChild<QLineEdit*>("EditD"), Qt::Key_Escape);
    EXPECT_EQ(wire.result(), QDialog::Rejected);
    EXPECT_FALSE(wire.isVisible());
  }
  {
    TWire wire(locale);
    wire.show();
    QTest::mouseClick(wire.findChild<QPushButton*>("Button2"), Qt::LeftButton);
    EXPECT_EQ(wire.result(), QDialog::Accepted);
  }
}

}  // namespace
}  // namespace luch
