#include "reports/document_commands.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class DocumentCommands : public ::testing::Test {
 protected:
  DocumentCommands() { document.project = "Проект: Дом 5.луч"; }
  ~DocumentCommands() override { fake.files.Heal(); }

  // A renderer that records what it was given.
  PdfRenderer Render(std::string bytes) {
    return [this, bytes](const DesignDocument& document) {
      rendered = document.project;
      return bytes;
    };
  }

  TempDir dir;
  FakePlatform fake;
  DesignDocument document;
  std::string rendered;
};

TEST_F(DocumentCommands, QuantitiesAreWrittenDatedAndOpened) {
  ProjectTable table;
  CableLibrary cables;
  BlockLibrary blocks(dir.path());
  table.SetBlockCount(1);
  table.SetLengthM(1, 40);
  ASSERT_TRUE(
      mQuantitiesClick(table, cables, blocks, "/дом/Дом 5.луч", fake.platform(), dir.path()));
  ASSERT_EQ(fake.launcher.opened, std::vector{dir / "Спецификация.txt"});
  const std::string text = Cp1251ToUtf8(dir.Read("Спецификация.txt"));
  EXPECT_NE(text.find("Объект:             Дом 5.луч\r\n"), std::string::npos);
  EXPECT_NE(text.find("08.12.2026 21:15:30\r\n"), std::string::npos);
  EXPECT_NE(text.find("(кабель не указан)"), std::string::npos);
}

TEST_F(DocumentCommands, PdfAsksForANameWritesAndOpens) {
  const std::string target = PathToUtf8(dir / "Дом 5.pdf");
  fake.dialogs.answers.push_back(target);
  ASSERT_TRUE(mPdfClick(document, Render("%PDF-1.4 ..."), fake.platform(), dir.path()));
  const FileDialogRequest& request = fake.dialogs.requests.at(0);
  EXPECT_EQ(request.title, "Сохранить отчет в PDF");
  EXPECT_EQ(request.filter, "PDF (*.pdf)|*.pdf");
  EXPECT_EQ(request.default_extension, "pdf");
  EXPECT_EQ(request.initial_directory, PathToUtf8(dir.path()));
  EXPECT_EQ(rendered, "Проект: Дом 5.луч");
  EXPECT_EQ(dir.Read("Дом 5.pdf"), "%PDF-1.4 ...");
  EXPECT_EQ(fake.launcher.opened, std::vector{Utf8Path(target)});
  EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(DocumentCommands, PdfWithoutAProgramSaysWhereItWasWritten) {
  fake.launcher.program.reset();
  const std::string target = PathToUtf8(dir / "Дом 5.pdf");
  fake.dialogs.answers.push_back(target);
  ASSERT_TRUE(mPdfClick(document, Render("%PDF"), fake.platform(), dir.path()));
  EXPECT_TRUE(fake.launcher.opened.empty());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Отчет в PDF записан в файл\n" + target);
  EXPECT_EQ(fake.messages.shown[0].caption, "Сообщение");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kInformation);
}

TEST_F(DocumentCommands, PdfCancelledOrFailedWritesAndOpensNothing) {
  EXPECT_FALSE(mPdfClick(document, Render("%PDF"), fake.platform(), dir.path()));
  EXPECT_TRUE(rendered.empty());  // Cancel: not even drawn

  const std::string target = PathToUtf8(dir / "Дом 5.pdf");
  dir.Write("Дом 5.pdf", "old");
  for (const bool drawn : {false, true}) {
    fake.dialogs.answers.push_back(target);
    if (drawn) fake.files.Fail(testing::WriteStep::kWrite);
    EXPECT_FALSE(mPdfClick(document, Render(drawn ? "%PDF" : ""), fake.platform(), dir.path()));
    fake.files.Heal();
  }
  EXPECT_EQ(dir.Read("Дом 5.pdf"), "old");
  EXPECT_TRUE(fake.launcher.opened.empty());
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  for (const auto& shown : fake.messages.shown) {
    EXPECT_EQ(shown.text, "Cannot create file " + target + ".");
  }
}

}  // namespace
}  // namespace luch
