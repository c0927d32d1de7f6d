// The PDF document as a reader sees it: its text and fonts by poppler's
// pdftotext and pdffonts, its colours by pdftoppm. Skipped where those tools
// are missing (Debian: poppler-utils).
#include "reports/paint/design_pdf.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "app/main_state.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::TempDir;

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
    "examples";

// What `tool` prints on standard output for `arguments`.
std::string RunTool(const char* tool, const QStringList& arguments) {
  QProcess process;
  process.start(QStandardPaths::findExecutable(tool), arguments);
  EXPECT_TRUE(process.waitForFinished(60000)) << tool;
  EXPECT_EQ(process.exitCode(), 0) << tool << ": " << process.readAllStandardError().toStdString();
  return process.readAllStandardOutput().toStdString();
}

QString Native(const std::filesystem::path& path) {
  return QString::fromStdString(PathToUtf8(path));
}

class DesignPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {"pdftotext", "pdffonts", "pdftoppm"}) {
      if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " is missing";
    }
  }

  // The PDF's text, pages separated by form feeds.
  std::string Text(const std::filesystem::path& pdf) {
    return RunTool("pdftotext", {"-enc", "UTF-8", Native(pdf), "-"});
  }

  // Page 1 as a picture.
  QImage Page1(const std::filesystem::path& pdf) {
    RunTool("pdftoppm", {"-png", "-r", "40", "-f", "1", "-l", "1", "-singlefile", Native(pdf),
                         Native(dir / "page")});
    return QImage(Native(dir / "page.png"));
  }

  std::filesystem::path Write(const DesignDocument& document) {
    const std::string bytes = RenderDesignPdf(document);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    const std::filesystem::path pdf = dir / "Отчет.pdf";
    EXPECT_TRUE(WriteFileAtomic(pdf, bytes));
    return pdf;
  }

  TempDir dir;
};

// A document of `rows` rows of a block type with Umin 9 V (Блок.ini in
// `data_dir`), all in order except `low_row` at 8.5 V.
DesignDocument Rows(int rows, const std::filesystem::path& data_dir, int low_row = 0) {
  EXPECT_TRUE(WriteTextLines(data_dir / "Блок.ini", {"[Блок0]", "Название=ДИП", "Umin=9"}));
  ProjectTable table;
  table.SetBlockCount(rows);
  ProjectParameters params;
  params.SetNewProjectValues();
  for (int row = 1; row <= rows; ++row) {
    table.SetAddress(row, "Узел " + std::to_string(row));
    table.SetBlockName(row, "ДИП");
    table.SetVoltageV(row, row == low_row ? 8.5f : 27.0f - 0.001f * static_cast<float>(row));
  }
  CableLibrary cables;
  BlockLibrary blocks(data_dir);
  const StatusBars status;
  const std::vector<Problem> none;
  return BuildDesignDocument({table, params, status, cables, blocks, none, "", "08.12.2026"});
}

TEST_F(DesignPdf, LuchCalcWritesTheSampleProjectWithoutADisplay) {
  for (const char* name : {"Кабель.ini", "Блок.ini", "Дом 5.луч"}) {
    std::filesystem::copy(kExamples / Utf8Path(name), dir / name);
  }
  const std::filesystem::path pdf = dir / "Дом 5.pdf";
  QProcess luch_calc;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    environment.remove(name);
  }
  luch_calc.setProcessEnvironment(environment);
  luch_calc.start(LUCH_CALC, {"pdf", Native(dir / "Дом 5.луч"), "-o", Native(pdf), "--data-dir",
                              Native(dir.path())});
  ASSERT_TRUE(luch_calc.waitForFinished(60000));
  ASSERT_EQ(luch_calc.exitCode(), 0) << luch_calc.readAllStandardError().toStdString();
  EXPECT_TRUE(luch_calc.readAllStandardError().isEmpty());

  // What the window shows after F9.
  testing::FakePlatform fake;
  CableLibrary cables;
  cables.LoadCables(dir.path());
  BlockLibrary blocks(dir.path());
  MainState state(dir.path(), fake.platform(), cables, blocks);
  ASSERT_TRUE(state.LoadProject(PathToUtf8(dir / "Дом 5.луч")));
  ASSERT_TRUE(state.BitBtnStartClick());

  const std::string text = Text(pdf);
  for (const std::string& expected :
       {std::string("Дом 5.луч"), state.status().bar2[0], std::string("0.050"),
        std::string("0.000 (не проверяется)"), std::string("Проблем не найдено.")}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected;
  }
  for (int row = 1; row <= state.table().BlockCount(); ++row) {
    EXPECT_NE(text.find(state.table().GetCell(row, kVoltageV)), std::string::npos) << row;
  }
  for (const QuantityLine& line : state.Document().quantities) {
    EXPECT_NE(text.find(line.name.substr(line.name.find_first_not_of(' '))), std::string::npos)
        << line.name;
  }
  // Every font is embedded: the column "emb" of every font's line says yes.
  const std::string fonts = RunTool("pdffonts", {Native(pdf)});
  const QStringList lines = QString::fromStdString(fonts).split('\n', Qt::SkipEmptyParts);
  ASSERT_GT(lines.size(), 2);
  for (qsizetype k = 2; k < lines.size(); ++k) {
    EXPECT_TRUE(lines[k].contains(QStringLiteral(" yes "))) << lines[k].toStdString();
  }
}

TEST_F(DesignPdf, LongTableGoesOnOverPagesWithItsHeaderQuickly) {
  const DesignDocument document = Rows(kMaxBlockCount, dir.path());
  QElapsedTimer clock;
  clock.start();
  const std::filesystem::path pdf = Write(document);
  EXPECT_LT(clock.elapsed(), 5000);  // about 0.2 s in a release build

  const QStringList pages = QString::fromStdString(Text(pdf)).split('\f');
  int table_pages = 0;
  for (const QString& page : pages) {
    if (!page.contains(QStringLiteral("Узел "))) continue;
    ++table_pages;
    EXPECT_TRUE(page.contains(QStringLiteral("Адрес")) && page.contains(QStringLiteral("U (В)")))
        << "a page of rows without the header: " << table_pages;
  }
  EXPECT_GT(table_pages, 40);
  EXPECT_TRUE(pages.join("").contains(QStringLiteral("Узел 4096")));
}

TEST_F(DesignPdf, AVoltageBelowTheMinimumIsRedAsInTheGrid) {
  const auto red_pixels = [this](int low_row) {
    const QImage page = Page1(Write(Rows(3, dir.path(), low_row)));
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
      for (int x = 0; x < page.width(); ++x) red += page.pixel(x, y) == qRgb(255, 0, 0);
    }
    return red;
  };
  EXPECT_EQ(red_pixels(0), 0);
  EXPECT_GT(red_pixels(2), 20);
}

}  // namespace
}  // namespace luch
