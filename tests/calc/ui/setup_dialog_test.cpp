#include "calc/ui/setup_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace luch {
namespace {

// Runs `act` on the dialog once its modal loop is running.
bool RunWith(QWidget* parent, ProjectParameters& params, std::function<void(TSetup&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<TSetup*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();  // never leave the test hanging
  });
  return RunSetupDialog(parent, params);
}

ProjectParameters NewProject() {
  ProjectParameters params;
  params.SetNewProjectValues();
  return params;
}

TEST(SetupDialog, ShowsCaptionsAndValues) {
  TSetup dialog(NewProject());
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Параметры проекта"));
  const QStringList captions = {"Сопротивление блоков грозозащиты (Ом)",
                                "Точность расчета напряжения (Вольт)", "Максимальный ток КМУ (ма)",
                                "Допустимая емкость кабеля (мкФ)",
                                "Допустимая индуктивность кабеля (мГн)"};
  QStringList shown;
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) shown << group->title();
  EXPECT_EQ(shown, captions);
  EXPECT_EQ(dialog.EditRZB->text(), "40.0");
  EXPECT_EQ(dialog.EditStep->text(), "0.050");
  EXPECT_EQ(dialog.EditImax->text(), "1000.0");
  EXPECT_EQ(dialog.EditC->text(), "0.000");
  EXPECT_EQ(dialog.EditL->text(), "0.000");
  EXPECT_EQ(dialog.Button3->text(), QString::fromUtf8("Не проверять"));
  EXPECT_EQ(dialog.Button2->text(), QString::fromUtf8("&ОК"));
  EXPECT_EQ(dialog.Button1->text(), QString::fromUtf8("&Отмена"));
  EXPECT_TRUE(dialog.Button2->isDefault());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(SetupDialog, TabGoesThroughEachGroupThenCancelThenOk) {
  QWidget parent;
  parent.setGeometry(200, 150, 800, 600);
  parent.show();
  TSetup dialog(NewProject(), &parent);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  const QPoint centre = dialog.frameGeometry().center();
  EXPECT_LE((centre - parent.frameGeometry().center()).manhattanLength(), 4);
  // The edit box stands right of its buttons.
  EXPECT_GT(dialog.EditRZB->x(), dialog.ButtonZB3->x() + dialog.ButtonZB3->width());
  EXPECT_GT(dialog.EditC->x(), dialog.Button3->x() + dialog.Button3->width());

  const QWidget* const expected[] = {
      dialog.EditRZB,    dialog.ButtonZB2, dialog.ButtonZB3, dialog.EditStep, dialog.ButtonUsual,
      dialog.ButtonHigh, dialog.EditImax,  dialog.ButtonTok, dialog.EditC,    dialog.Button3,
      dialog.EditL,      dialog.Button4,   dialog.Button1,   dialog.Button2,  dialog.EditRZB};
  dialog.EditRZB->setFocus();
  for (const QWidget* widget : expected) {
    EXPECT_EQ(QApplication::focusWidget(), widget)
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : "none")
        << " instead of " << widget->objectName().toStdString();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
}

TEST(SetupDialog, PresetsAndTypingStoredOnOk) {
  ProjectParameters params = NewProject();
  params.MaxCapacitance = 3.0f;
  const bool ok = RunWith(nullptr, params, [](TSetup& dialog) {
    QTest::mouseClick(dialog.ButtonZB3, Qt::LeftButton);
    QTest::mouseClick(dialog.ButtonHigh, Qt::LeftButton);
    QTest::mouseClick(dialog.Button3, Qt::LeftButton);
    EXPECT_EQ(dialog.EditRZB->text(), "4.0");
    EXPECT_EQ(dialog.EditStep->text(), "0.001");
    EXPECT_EQ(dialog.EditC->text(), "");
    dialog.EditImax->clear();
    QTest::keyClicks(dialog.EditImax, "250.5");
    dialog.EditL->clear();
    QTest::keyClicks(dialog.EditL, "none");
    QTest::mouseClick(dialog.Button2, Qt::LeftButton);
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(params.ZBResistance, 4.0f);
  EXPECT_EQ(params.AccuracyStep, 0.001f);
  EXPECT_EQ(params.MaxCurrent, 250.5f);
  EXPECT_EQ(params.MaxCapacitance, 0.0f);
  EXPECT_EQ(params.MaxInductance, 0.0f);

  // Enter in an edit box is OK too.
  EXPECT_TRUE(RunWith(nullptr, params, [](TSetup& dialog) {
    QTest::mouseClick(dialog.ButtonUsual, Qt::LeftButton);
    QTest::keyClick(dialog.EditStep, Qt::Key_Return);
  }));
  EXPECT_EQ(params.AccuracyStep, 0.01f);
}

TEST(SetupDialog, CancelAndEscChangeNothing) {
  const ProjectParameters before = NewProject();
  ProjectParameters params = before;
  EXPECT_FALSE(RunWith(nullptr, params, [](TSetup& dialog) {
    QTest::mouseClick(dialog.ButtonZB3, Qt::LeftButton);
    QTest::mouseClick(dialog.Button4, Qt::LeftButton);
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  }));
  EXPECT_FALSE(RunWith(nullptr, params, [](TSetup& dialog) {
    QTest::mouseClick(dialog.ButtonTok, Qt::LeftButton);
    dialog.EditImax->setText("7");
    QTest::keyClick(&dialog, Qt::Key_Escape);
  }));
  EXPECT_EQ(params.ZBResistance, before.ZBResistance);
  EXPECT_EQ(params.MaxCurrent, before.MaxCurrent);
  EXPECT_EQ(params.MaxInductance, before.MaxInductance);
}

}  // namespace
}  // namespace luch
