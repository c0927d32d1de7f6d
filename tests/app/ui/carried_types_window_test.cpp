// A project received from a colleague, opened as the user opens it: dropped on
// a program whose libraries lack its types, and the real question answered.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDropEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "app/ui/program_fixture.h"
#include "common/file_io.h"
#include "library/carried_types.h"
#include "library/ui/cable_window.h"

namespace luch {
namespace {

std::vector<std::string> Voltages(const ProjectTable& table) {
  std::vector<std::string> column;
  for (int r = 1; r <= table.BlockCount(); ++r) column.push_back(table.GetCell(r, kVoltageV));
  return column;
}

void Drop(QWidget& window, const std::filesystem::path& file) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(file)))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &enter);
  QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(&window, &dropped);
  QApplication::processEvents();
}

TEST_F(ProgramTest, AReceivedProjectBringsItsTypesWhenTheUserSaysYes) {
  const std::vector<std::string> here = Voltages(program->state().table());
  ASSERT_FALSE(here.front().empty());
  QTest::keyClick(&program->main_window(), Qt::Key_S, Qt::ControlModifier);
  ASSERT_FALSE(ReadCarriedTypes(dir / "Дом 5.луч").empty());

  for (const char* answer : {"Нет", "Да"}) {
    SCOPED_TRACE(answer);
    TempDir colleague;  // a machine with empty libraries
    std::filesystem::copy(dir / "Дом 5.луч", colleague / "Дом 5.луч");
    Program there(colleague.path());
    // The start-up step says that the libraries are missing.
    AnswerWhenShown<QMessageBox>([](QMessageBox* box) { box->accept(); });
    there.main_window().show();
    QApplication::processEvents();
    const std::string status_before = there.cables_window().logic().status_text();
    QString question;
    AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
      question = box->text();
      for (QAbstractButton* button : box->buttons()) {
        if (button->text().remove('&') == QString::fromUtf8(answer)) button->click();
      }
    });
    Drop(there.main_window(), colleague / "Дом 5.луч");
    EXPECT_TRUE(question.startsWith(
        QString::fromUtf8("В проекте есть типы, которых нет в библиотеке: кабель «")));
    EXPECT_TRUE(question.endsWith(QString::fromUtf8(". Добавить их в библиотеку?")));
    const bool yes = std::string(answer) == "Да";
    EXPECT_EQ(Voltages(there.state().table()) == here, yes);
    // Without the types the result is not the ray's, and does not say it is.
    const QString panel = there.main_window().statusPanel(1, 4)->text();
    EXPECT_EQ(panel.startsWith(QString::fromUtf8("Расчет выполнен без ")), !yes)
        << panel.toStdString();
    EXPECT_EQ(there.state().ResultTooltip(2, kCurrentMA).empty(), yes);
    EXPECT_FALSE(there.state().modified());
    EXPECT_EQ(std::filesystem::exists(colleague / "Кабель.ini"), yes);
    EXPECT_EQ(std::filesystem::exists(colleague / "Блок.ini"), yes);
    // The library windows show the added types at once.
    EXPECT_EQ(there.cables_window().logic().status_text() != status_before, yes);
  }
}

}  // namespace
}  // namespace luch
