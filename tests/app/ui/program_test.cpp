// The program as it starts: every window created in order, the tool windows
// hidden until their commands, and the block rename reaching the project.
#include "app/ui/program.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/data_folder.h"
#include "app/ui/program_fixture.h"
#include "common/file_io.h"
#include "library/ui/block_window.h"
#include "library/ui/cable_window.h"
#include "tools/ui/dom_len_window.h"

namespace luch {
namespace {

TEST_F(ProgramTest, APromptBelongsToTheWindowWhoseCommandRaisedIt) {
  QTest::keyClick(&program->main_window(), Qt::Key_F4);
  Activate(program->cables_window());
  QWidget* owner = nullptr;
  AnswerPrompt("", false, &owner);  // no name: nothing is added
  QTest::mouseClick(program->cables_window().findChild<QPushButton*>("ButtonAdd"), Qt::LeftButton);
  EXPECT_EQ(owner, &program->cables_window());

  Activate(program->main_window());
  owner = nullptr;
  AnswerWhenShown<QMessageBox>([&owner](QMessageBox* box) {
    owner = box->parentWidget();
    box->accept();
  });
  program->state().SetEditU("2000");  // beyond the supply bound: the failure's message
  program->main_window().action("mStart")->trigger();
  EXPECT_EQ(owner, &program->main_window());
}

TEST_F(ProgramTest, CancelInTheBulkPromptsChangesNothing) {
  TMain& main = program->main_window();
  MainState& state = program->state();
  const int rows = state.table().BlockCount();
  const ProjectTable before = state.table();
  ASSERT_GE(rows, 3);
  state.SetCursor(state.current_row(), 1, 3);
  main.RefreshFromState();
  main.action("mCopy")->trigger();  // "Вставить несколько раз" needs a copy
  for (const char* name : {"pmRename", "mLength", "mMnogo"}) {
    AnswerPrompt("77", false);
    main.action(name)->trigger();
    EXPECT_EQ(state.table(), before) << name;
  }
}

TEST_F(ProgramTest, TheGridIsUsedWithTheKeyboard) {
  TMain& main = program->main_window();
  Activate(main);
  QTableView* grid = main.grid();
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(1, kAddress));
  AnswerPrompt(QString::fromUtf8("Щитовая"), true);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(program->state().table().Address(2), "Щитовая");

  // Tab goes round the grid, the count, the supply voltage and the problems.
  Activate(main);
  grid->setFocus();
  for (QWidget* next : {static_cast<QWidget*>(main.EditVsego), static_cast<QWidget*>(main.EditU),
                        static_cast<QWidget*>(main.problemsView()), static_cast<QWidget*>(grid)}) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus()) << next->objectName().toStdString() << " after "
                                  << QApplication::focusWidget()->objectName().toStdString();
  }
  QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(main.problemsView()->hasFocus());
}

// Rows copied from the window reach the real desktop clipboard with every
// number as the locale's spreadsheet reads one: its separator, a leading zero.
TEST_F(ProgramTest, CopiedRowsReachTheDesktopClipboardAsNumbers) {
  TMain& main = program->main_window();
  MainState& state = program->state();
  main.action("mStart")->trigger();  // I and U as the calculation gives them
  state.SetCursor(1, 1, state.table().BlockCount());
  main.RefreshFromState();
  main.action("mCopy")->trigger();
  const QString sep = QRegularExpression::escape(QLocale::system().decimalPoint());
  const QRegularExpression number("^-?[0-9]+(" + sep + "[0-9]+)?$");
  const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), state.table().BlockCount());
  for (const QString& line : lines) {
    const QStringList cells = line.split('\t');
    ASSERT_EQ(cells.size(), kColumnCount);
    for (const int col : {kLengthM, kResistanceOhm, kCurrentMA, kVoltageV}) {
      EXPECT_TRUE(number.match(cells[col]).hasMatch()) << cells[col].toStdString() << " in " << col;
    }
  }
}

// A row is entered as in a spreadsheet: every answer moves on to the next cell
// to fill, typing opens the prompt or the menu on the names so typed, and Enter
// on ЗБ goes on to a new row.
namespace {

// Types any text, Cyrillic too (QTest's own typing knows only ASCII).
void TypeText(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
  }
}

}  // namespace

TEST_F(ProgramTest, ARowIsEnteredCellAfterCellFromTheKeyboard) {
  TMain& main = program->main_window();
  MainState& state = program->state();
  Activate(main);
  QTableView* grid = main.grid();
  grid->setFocus();
  const int rows = state.table().BlockCount();
  const int last = rows - 1;  // the grid's row of block `rows`
  auto at = [grid] { return std::pair(grid->currentIndex().row(), grid->currentIndex().column()); };
  grid->setCurrentIndex(grid->model()->index(last, kLengthM));
  QTest::keyClick(grid, Qt::Key_Home);
  ASSERT_EQ(at(), std::pair(last, int{kAddress}));

  auto type_on_prompt = [](const char* rest) {
    AnswerWhenShown<TextPromptDialog>([rest](TextPromptDialog* prompt) {
      TypeText(prompt->field(), QString::fromUtf8(rest));
      QTest::keyClick(prompt->field(), Qt::Key_Return);
    });
  };
  type_on_prompt("итовая");
  TypeText(grid, QString::fromUtf8("Щ"));
  EXPECT_EQ(state.table().Address(rows), "Щитовая");
  ASSERT_EQ(at(), std::pair(last, int{kCableName}));

  // A name typed on the menu, blanks and all, is the one chosen: one whose
  // first word an earlier name shares, so that the blank cannot choose it.
  std::string cable;
  for (int i = 2; i <= state.cables().CableCount() && cable.empty(); ++i) {
    const std::string name = state.cables().CableNameAt(i);
    const std::string word = name.substr(0, name.find(' ') + 1);
    for (int j = 1; j < i; ++j) {
      if (state.cables().CableNameAt(j).starts_with(word)) cable = name;
    }
  }
  ASSERT_FALSE(cable.empty());
  AnswerWhenShown<QMenu>([cable](QMenu* menu) {
    QApplication::processEvents();  // the first letter, typed on the grid, reaches the menu
    TypeText(menu, QString::fromStdString(cable).mid(1));
    QTest::keyClick(menu, Qt::Key_Return);
  });
  TypeText(grid, QString::fromStdString(cable).left(1));
  EXPECT_EQ(state.table().CableName(rows), cable);
  ASSERT_EQ(at(), std::pair(last, int{kLengthM}));

  type_on_prompt("7");
  QTest::keyClicks(grid, "3");
  EXPECT_EQ(state.table().LengthM(rows), 37);
  ASSERT_EQ(at(), std::pair(last, int{kBlockName}));

  // Enter opens the block and then the regime menu on what the cell holds.
  for (const int column : {kBlockName, kRegimeName}) {
    QString opened;
    AnswerWhenShown<QMenu>([&opened](QMenu* menu) {
      QApplication::processEvents();
      if (menu->activeAction()) opened = menu->activeAction()->text();
      QTest::keyClick(menu, Qt::Key_Return);
    });
    const QString before = grid->model()->index(last, column).data().toString();
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(opened, before) << column;
  }
  ASSERT_EQ(at(), std::pair(last, int{kHasZB}));

  const bool zb = state.table().HasZB(rows);
  QTest::keyClick(grid, Qt::Key_Space);  // toggles and stays
  EXPECT_NE(state.table().HasZB(rows), zb);
  ASSERT_EQ(at(), std::pair(last, int{kHasZB}));
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(state.table().BlockCount(), rows + 1);
  EXPECT_EQ(at(), std::pair(rows, int{kAddress}));
}

TEST_F(ProgramTest, TypingOnTheLengthStartsItsPromptWithTheTypedCharacter) {
  Activate(program->main_window());
  QTableView* grid = program->main_window().grid();
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(1, kLengthM));
  AnswerWhenShown<TextPromptDialog>([](TextPromptDialog* prompt) {
    QTest::keyClicks(prompt->field(), "5");  // goes on after the "4", which is not selected
    prompt->accept();
  });
  QTest::keyClicks(grid, "4");
  EXPECT_EQ(program->state().table().LengthM(2), 45);
}

// Adding a cable type asks five times in a row: each prompt belongs to the
// tool window, which is the window the user works in afterwards.
TEST_F(ProgramTest, AToolWindowStaysActiveAfterItsPromptsAndQuestions) {
  TCabels& cables = program->cables_window();
  QTest::keyClick(&program->main_window(), Qt::Key_F4);
  Activate(cables);
  std::vector<QWidget*> owners;
  std::function<void()> answer_next = [&] {
    AnswerWhenShown<TextPromptDialog>([&](TextPromptDialog* prompt) {
      owners.push_back(prompt->parentWidget());
      if (owners.size() < 5) answer_next();
      prompt->field()->setText(owners.size() == 1 ? "ШВВП" : "1");
      prompt->accept();
    });
  };
  answer_next();
  QTest::mouseClick(cables.findChild<QPushButton*>("ButtonAdd"), Qt::LeftButton);
  EXPECT_EQ(owners, std::vector<QWidget*>(5, &cables));
  EXPECT_TRUE(QTest::qWaitFor([&cables] { return QApplication::activeWindow() == &cables; }, 1000));
}

TEST(ProgramStartUp, AnEscapingErrorIsShownAndEndsTheProgram) {
  QString text;
  AnswerWhenShown<QMessageBox>([&text](QMessageBox* box) {
    text = box->text();
    box->accept();
  });
  EXPECT_EQ(RunGuarded([]() -> int { throw std::runtime_error("Нет текущей папки"); }), 1);
  EXPECT_EQ(text, QString::fromUtf8("Нет текущей папки."));
}

TEST_F(ProgramTest, ToolWindowsStartHiddenAndOpenByTheirKeys) {
  EXPECT_FALSE(program->cables_window().isVisible());
  EXPECT_FALSE(program->blocks_window().isVisible());
  EXPECT_FALSE(program->house_window().isVisible());
  EXPECT_EQ(program->state().cables().CableCount(), 12);
  QTest::keyClick(&program->main_window(), Qt::Key_F4);
  EXPECT_TRUE(program->cables_window().isVisible());
  Grab(program->cables_window(), "cables.png");
  QTest::keyClick(&program->main_window(), Qt::Key_F5);
  EXPECT_TRUE(program->blocks_window().isVisible());
  Grab(program->blocks_window(), "blocks.png");
  program->main_window().action("mRast")->trigger();
  EXPECT_TRUE(program->house_window().isVisible());
  Grab(program->house_window(), "house.png");
  Grab(program->main_window(), "main.png");
}

TEST_F(ProgramTest, RenamingABlockTypeRenamesTheProjectRows) {
  const std::string old_name = program->state().table().BlockName(3);
  ASSERT_FALSE(old_name.empty());
  const int rows = program->state().table().BlockCount();
  program->main_window().EditVsego->setValue(rows + 1);  // a step to undo after the rename
  program->blocks_window().logic().SetSelected(6);       // the exit sign of row 3
  ASSERT_EQ(program->blocks_window().logic().names()[6], old_name);
  // The rename asks through the program's prompt; answer it from a timer.
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* field = dialog->findChild<QLineEdit*>("PromptField");
    ASSERT_NE(field, nullptr);
    field->setText(QString::fromUtf8("Табло «Выход»"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  QTimer::singleShot(50, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();  // the information box
  });
  program->blocks_window().logic().ListBox1DblClick();
  EXPECT_EQ(program->state().table().BlockName(3), "Табло «Выход»");
  // Undo never brings back a name the library no longer has.
  Activate(program->main_window());
  QTest::keyClick(&program->main_window(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(program->state().table().BlockCount(), rows);
  EXPECT_EQ(program->state().table().BlockName(3), "Табло «Выход»");
}

// The shared prompt of every text that goes to a file, met at the block rename.
TEST_F(ProgramTest, ANameTheFilesCannotHoldIsRefusedAndAskedForAgain) {
  const std::string blocks_before = dir.Read("Блок.ini");
  const ProjectTable table_before = program->state().table();
  program->blocks_window().logic().SetSelected(6);
  QString refusal, asked_again;
  AnswerWhenShown<TextPromptDialog>([&](TextPromptDialog* prompt) {
    AnswerWhenShown<QMessageBox>([&](QMessageBox* box) {
      refusal = box->windowTitle() + "|" + box->text();
      EXPECT_EQ(box->icon(), QMessageBox::Warning);
      AnswerWhenShown<TextPromptDialog>([&](TextPromptDialog* again) {
        asked_again = again->field()->text();
        again->reject();
      });
      box->accept();
    });
    prompt->field()->setText(QString::fromUtf8("Табло 2×2 ×ł€"));  // € is in Windows-1251
    prompt->accept();
  });
  program->blocks_window().logic().ListBox1DblClick();
  EXPECT_EQ(refusal.toStdString(),
            "Сообщение|Символы «×», «ł» нельзя сохранить: файлы проекта пишутся в кодировке "
            "Windows-1251.");
  EXPECT_EQ(asked_again.toStdString(), "Табло 2×2 ×ł€");
  EXPECT_EQ(program->state().table(), table_before);  // Cancel renamed nothing
  EXPECT_EQ(dir.Read("Блок.ini"), blocks_before);
  EXPECT_FALSE(std::filesystem::exists(dir / "Замена блоков.ini"));
}

// Started by a double-click on a mailed project: elsewhere, the project named.
class ProgramFirstStart : public ::testing::Test {
 protected:
  std::filesystem::path Start() {
    const std::filesystem::path folder =
        OpenDataFolder(root / "work", root / "bin" / "luch", root / "home" / "luch");
    program = std::make_unique<Program>(folder);
    std::filesystem::create_directories(root / "mail");
    std::filesystem::copy(kExamples / Utf8Path("Дом 5.луч"), root / "mail");
    program->state().SetNamedProject(PathToUtf8(root / "mail" / Utf8Path("Дом 5.луч")));
    program->main_window().show();
    QApplication::processEvents();
    return folder;
  }

  TempDir root;
  std::unique_ptr<Program> program;
};

TEST_F(ProgramFirstStart, AnUnpackedProgramWorksWithTheLibrariesBesideIt) {
  std::filesystem::create_directories(root / "bin");
  for (const char* name : {"Кабель.ini", "Блок.ini"}) {
    std::filesystem::copy(kExamples / Utf8Path(name), root / "bin");
  }
  EXPECT_EQ(Start(), root / "bin");
  const std::vector<Problem> problems = program->state().Problems();
  EXPECT_TRUE(problems.empty()) << problems.front().text;  // every type known
}

TEST_F(ProgramFirstStart, MissingLibrariesAreSaidInOneBoxAndListed) {
  QString text;
  AnswerWhenShown<QMessageBox>([&text](QMessageBox* box) {
    text = box->text();
    box->accept();
  });
  const std::filesystem::path folder = Start();
  const QString cables = QString::fromUtf8("Библиотека кабелей не найдена: ") +
                         QString::fromStdString(PathToUtf8(folder / Utf8Path("Кабель.ini")));
  EXPECT_EQ(text, cables + QString::fromUtf8("\nБиблиотека блоков не найдена: ") +
                      QString::fromStdString(PathToUtf8(folder / Utf8Path("Блок.ini"))));
  auto* list = program->main_window().findChild<QListView*>("ListBoxProblems");
  EXPECT_EQ(list->model()->index(0, 0).data().toString(), cables);
}

TEST_F(ProgramTest, ALibraryThatCannotBeReadStillLetsTheNamedProjectOpen) {
  program.reset();
  std::filesystem::remove(dir / "Кабель.ini");
  std::filesystem::create_directory(dir / "Кабель.ini");
  std::filesystem::copy_file(dir / "Дом 5.луч", dir / "Школа 3.луч");
  // The library's box comes while the windows are made.
  QString said;
  AnswerWhenShown<QMessageBox>([&said](QMessageBox* box) {
    said = box->text();
    box->accept();
  });
  program = std::make_unique<Program>(dir.path());
  const std::string named = PathToUtf8(dir / "Школа 3.луч");
  program->state().SetNamedProject(named);
  program->main_window().show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return program->state().ProjectFileName() == named; }, 2000));
  EXPECT_TRUE(said.endsWith(QString::fromUtf8("не является обычным файлом.")));
  EXPECT_EQ(program->state().ProjectFileName(), named);
}

}  // namespace
}  // namespace luch
