#include "reports/document_commands.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

class DocumentCommands : public ::testing::Test {
 protected:
  ~DocumentCommands() override { fake.files.Heal(); }

  // A renderer that gives `bytes` and counts its calls.
  PdfRenderer Render(std::string bytes) {
    return [this, bytes](const DesignDocument&) {
      ++drawn;
      return bytes;
    };
  }

  TempDir dir;
  FakePlatform fake;
  DesignDocument document;
  int drawn = 0;
};

TEST_F(DocumentCommands, PdfWithoutAProgramSaysWhereItWasWritten) {
  fake.launcher.program.reset();
  const std::string target = PathToUtf8(dir / "Дом 5.pdf");
  fake.dialogs.answers.push_back(target);
  ASSERT_TRUE(mPdfClick(document, Render("%PDF"), fake.platform(), ""));
  EXPECT_TRUE(fake.launcher.opened.empty());
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_TRUE(fake.messages.shown[0].text.starts_with("Отчет в PDF записан в файл\n" + target));
  EXPECT_EQ(fake.messages.shown[0].caption, "Сообщение");
  EXPECT_TRUE(fake.messages.shown[0].yes_no);  // and offers the folder
}

TEST_F(DocumentCommands, PdfCancelledOrFailedWritesAndOpensNothing) {
  EXPECT_FALSE(mPdfClick(document, Render("%PDF"), fake.platform(), ""));
  EXPECT_EQ(drawn, 0);  // Cancel: not even drawn

  const std::string target = PathToUtf8(dir / "Дом 5.pdf");
  dir.Write("Дом 5.pdf", "old");
  for (const bool drawn : {false, true}) {
    fake.dialogs.answers.push_back(target);
    if (drawn) fake.files.Fail(testing::WriteStep::kWrite);
    EXPECT_FALSE(mPdfClick(document, Render(drawn ? "%PDF" : ""), fake.platform(), ""));
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
