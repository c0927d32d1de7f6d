// The main window's commands on a 4096-row project as the designer gives
// them: a key event sent to the real window (offscreen unless a platform is
// set), timed until every event it caused has run and the window is
// repainted; beside the same command on the window's state alone, in the same
// run. One line each:
//   window_edit_4096 window_ms=X logic_ms=Y
// The project has addresses of 30 characters and block names of about 40, at
// the step 0.001, with live recalculation on.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/ui/analysis_window.h"
#include "app/ui/main_window.h"
#include "app/ui/program.h"
#include "bench_harness.h"
#include "bench_ray.h"
#include "common/file_io.h"
#include "common/ui/text_prompt_dialog.h"
#include "project/project_file.h"

namespace luch::bench {
namespace {

constexpr int kRuns = 11;
constexpr const char* kProjectName = "Бенч 4096.луч";

QApplication& App() {
  static int argc = 1;
  static char name[] = "luch-bench";
  static char* argv[] = {name, nullptr};
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The platform's notes ("This plugin does not support raise()") would
  // come between the lines of the results.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtWarningMsg && type != QtInfoMsg) {
      std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
  });
  // Never destroyed: Qt's own objects of the key events outlive every static.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Every event that the command posted, the repaint included.
void Settle() {
  for (int k = 0; k < 3; ++k) {
    QCoreApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
  }
}

// Answers the next dialog of type T as soon as it is shown (a timer of
// interval 0 runs inside its event loop).
template <typename T>
void WhenShown(std::function<void(T*)> answer) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
        timer->stop();
        timer->deleteLater();
        answer(dialog);
        return;
      }
    }
  });
  timer->start(0);
}

// The data folder with its libraries, the project file, and the program
// opened on it at 1280×900.
class WindowBench {
 public:
  WindowBench() : data_(/*long_names=*/true) {
    App();
    Ray ray = MakeRay(kMaxBlockCount, "Шина 3", 1, 2, 0.001f, 4096, kUsual, /*long_names=*/true);
    for (int r = 1; r <= kMaxBlockCount; ++r) {
      ray.table.SetAddress(r, "Подъезд " + std::to_string(1 + r / 512) + ", этаж " +
                                  std::to_string(1 + r % 17) + ", кв. " +
                                  std::to_string(100 + r % 400));
    }
    SaveProjectFile(ProjectPath(), ray.table, ray.params, ',');
    program_ = std::make_unique<Program>(data_.dir());
    main().resize(1280, 900);
    main().show();
    main().activateWindow();
    if (!QTest::qWaitForWindowActive(&main()))
      std::fprintf(stderr, "the main window is not active\n");
    Settle();
    Reset();
  }

  // The project as its file holds it, unmodified, the grid in the focus.
  void Reset() {
    program_->state().LoadProject(PathToUtf8(ProjectPath()));
    main().RefreshFromState();
    main().activateWindow();
    main().grid()->setFocus();
    Settle();
  }

  Program& program() { return *program_; }
  TMain& main() { return program_->main_window(); }
  MainState& state() { return program_->state(); }
  QTableView& grid() { return *main().grid(); }
  std::filesystem::path ProjectPath() const { return data_.dir() / Utf8Path(kProjectName); }

  // The cursor on `row` (1-based), column `col`, the selection on rows
  // top..bottom.
  void Select(int top, int bottom, int col) {
    grid().setCurrentIndex(grid().model()->index(top - 1, col));
    grid().selectionModel()->select(
        QItemSelection(grid().model()->index(top - 1, 0),
                       grid().model()->index(bottom - 1, kColumnCount - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Settle();
  }

  // Median of the window's time for `key` (after `prepare`, untimed).
  double WindowMs(const std::function<void()>& prepare, const std::function<void()>& key) {
    return MedianMs(
        kRuns,
        [&] {
          prepare();
          // The designer works in the main window (the wait window of a
          // calculation may have taken the activation with it offscreen).
          main().activateWindow();
          Settle();
        },
        [&] {
          key();
          Settle();
        });
  }

  double LogicMs(const std::function<void()>& prepare, const std::function<void()>& command) {
    return MedianMs(kRuns, prepare, [&] {
      state().BeginCommand();
      command();
      state().EndCommand();
    });
  }

 private:
  BenchData data_;
  std::unique_ptr<Program> program_;
};

void Print(const char* name, double window_ms, double logic_ms) {
  std::printf("%s window_ms=%.1f logic_ms=%.1f ratio=%.1f\n", name, window_ms, logic_ms,
              logic_ms > 0 ? window_ms / logic_ms : 0.0);
  std::fflush(stdout);
}

WindowBench& Bench() {
  // Made at the first window scenario, closed before the program ends (Qt
  // cannot close windows while the program's statics go).
  static WindowBench* bench = [] {
    auto* made = new WindowBench;
    AtEnd([made] { delete made; });
    return made;
  }();
  bench->Reset();
  return *bench;
}

const int kMiddle = kMaxBlockCount / 2;

Register window_edit("window_edit_4096", [] {
  WindowBench& b = Bench();
  int length = 0;
  const auto prepare = [&] { b.Select(kMiddle, kMiddle, kLengthM); };
  // A digit typed on the length opens its prompt with it; Enter there.
  const double window = b.WindowMs(prepare, [&] {
    WhenShown<TextPromptDialog>(
        [](TextPromptDialog* prompt) { QTest::keyClick(prompt->field(), Qt::Key_Return); });
    QTest::keyClick(&b.grid(), static_cast<Qt::Key>(Qt::Key_1 + (++length % 2)));
  });
  const double logic =
      b.LogicMs([] {}, [&] { b.state().mutable_table().SetLengthM(kMiddle, 1 + (++length % 2)); });
  Print("window_edit_4096", window, logic);
  b.Reset();
});

Register window_f9("window_f9_4096", [] {
  WindowBench& b = Bench();
  const double window = b.WindowMs([] {}, [&] { QTest::keyClick(&b.grid(), Qt::Key_F9); });
  const double logic = b.LogicMs([] {}, [&] { b.state().BitBtnStartClick(); });
  Print("window_f9_4096", window, logic);
  const double window_f10 = b.WindowMs([] {}, [&] { QTest::keyClick(&b.grid(), Qt::Key_F10); });
  const double logic_f10 = b.LogicMs([] {}, [&] { b.state().mFindUKMUClick(); });
  Print("window_f10_4096", window_f10, logic_f10);
  b.Reset();
});

Register window_delete("window_delete_4096", [] {
  WindowBench& b = Bench();
  // Del of one row, then Ctrl+Z gives it back (each timed on its own).
  std::vector<double> undo_times;
  const double window = b.WindowMs([&] { b.Select(kMiddle, kMiddle, kAddress); },
                                   [&] { QTest::keyClick(&b.grid(), Qt::Key_Delete); });
  const double undo =
      b.WindowMs([&] { QTest::keyClick(&b.grid(), Qt::Key_Delete); },
                 [&] { QTest::keyClick(&b.grid(), Qt::Key_Z, Qt::ControlModifier); });
  b.Reset();
  const double logic = b.LogicMs([&] { b.state().SetCursor(kMiddle, kMiddle, kMiddle); },
                                 [&] { b.state().mDeleteClick(); });
  const double logic_undo = b.LogicMs(
      [&] {
        b.state().BeginCommand();
        b.state().mDeleteClick();
        b.state().EndCommand();
      },
      [&] { b.state().Undo(); });
  b.Reset();
  Print("window_delete_4096", window, logic);
  Print("window_undo_4096", undo, logic_undo);
});

Register window_paste("window_paste_4096", [] {
  WindowBench& b = Bench();
  constexpr int kRows = 4080;
  const auto select = [&] { b.Select(1, kRows, kAddress); };
  const double copy =
      b.WindowMs(select, [&] { QTest::keyClick(&b.grid(), Qt::Key_C, Qt::ControlModifier); });
  const double logic_copy =
      b.LogicMs([&] { b.state().SetCursor(1, 1, kRows); }, [&] { b.state().mCopyClick(); });
  Print("window_copy_4096", copy, logic_copy);
  // The copied rows pasted into the 16 that are left, and taken out again.
  const auto cut_down = [&] {
    b.Select(17, kMaxBlockCount, kAddress);
    b.state().BeginCommand();
    b.state().SetCursor(17, 17, kMaxBlockCount);
    b.state().mDeleteClick();
    b.state().EndCommand();
    b.main().RefreshFromState();
    b.Select(1, 1, kAddress);
  };
  const double paste =
      b.WindowMs(cut_down, [&] { QTest::keyClick(&b.grid(), Qt::Key_V, Qt::ControlModifier); });
  const double logic_paste = b.LogicMs(
      [&] {
        cut_down();
        b.state().SetCursor(1, 1, 1);
      },
      [&] { b.state().mPasteClick(); });
  Print("window_paste_4096", paste, logic_paste);
  b.Reset();
});

Register window_save("window_save_4096", [] {
  WindowBench& b = Bench();
  const std::string name = PathToUtf8(b.ProjectPath());
  const double window = b.WindowMs([] {}, [&] { QTest::keyClick(&b.grid(), Qt::Key_F2); });
  const double logic = b.LogicMs([] {}, [&] { b.state().SaveProject(name); });
  Print("window_save_4096", window, logic);
  // The window's thread takes a copy; a worker writes it.
  std::vector<double> copy_times;
  std::vector<double> write_times;
  for (int k = 0; k < kRuns; ++k) {
    b.state().BeginCommand();
    b.state().mutable_table().SetLengthM(kMiddle, b.state().table().LengthM(kMiddle) % 2 + 1);
    b.state().EndCommand();
    std::optional<RecoveryWrite> write;
    copy_times.push_back(Ms([&] { write = b.state().BeginRecoveryWrite(); }));
    if (!write) continue;
    bool written = false;
    write_times.push_back(Ms([&] { written = write->Run(); }));
    b.state().RecoveryWriteDone(*write, written);
  }
  std::printf("window_recovery_4096 window_ms=%.1f worker_ms=%.1f\n", Median(copy_times),
              Median(write_times));
  std::fflush(stdout);
  b.Reset();
});

Register window_open("window_open_4096", [] {
  WindowBench& b = Bench();
  const QString path = QString::fromStdString(PathToUtf8(b.ProjectPath()));
  // F3, the real dialog answered with the project, which is then loaded.
  const double window = b.WindowMs(
      [] {},
      [&] {
        WhenShown<QFileDialog>([path](QFileDialog* dialog) {
          dialog->selectFile(path);
          static_cast<QDialog*>(dialog)->accept();  // QFileDialog's own, which opens the file
        });
        QTest::keyClick(&b.grid(), Qt::Key_F3);
      });
  const std::string name = PathToUtf8(b.ProjectPath());
  const double logic = b.LogicMs([] {}, [&] { b.state().LoadProject(name); });
  b.Reset();
  Print("window_open_4096", window, logic);
});

Register window_analysis("window_analysis_4096", [] {
  WindowBench& b = Bench();
  TAnalysis& analysis = b.program().analysis_window();
  // F8 until the first complete answers are shown; closed between the runs.
  std::vector<double> times;
  for (int k = 0; k < 3; ++k) {
    analysis.close();
    b.state().BeginCommand();  // a new input each time: no answers kept
    b.state().mutable_table().SetLengthM(kMiddle, b.state().table().LengthM(kMiddle) % 2 + 1);
    b.state().EndCommand();
    b.main().RefreshFromState();
    b.main().activateWindow();
    Settle();
    times.push_back(Ms([&] {
      QTest::keyClick(&b.grid(), Qt::Key_F8);
      while (analysis.busy() || analysis.logic().stale()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      }
      Settle();
    }));
  }
  analysis.close();
  const AnalysisSources sources = b.state().AnalysisInput();
  const double logic = MedianMs(3, [&] { AnalyseRay(sources); });
  Print("window_analysis_4096", Median(times), logic);
});

}  // namespace
}  // namespace luch::bench
