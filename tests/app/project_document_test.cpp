// The project document: open, save, new, the questions before a project is
// dropped or saved over, and the recovery file.
#include "app/project_document.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/recovery_file.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/project_file.h"
#include "support/fake_files.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

// Says what the document told its window, in order.
class Told : public ProjectDocument::Observer {
 public:
  void ProjectReplaced() override { events += "replaced "; }
  void ProjectShown() override { events += "shown "; }
  std::string events;
};

class ProjectDocumentTest : public ::testing::Test {
 protected:
  // A copy of the program over the same folder, platform and libraries.
  struct Panels {
    StatusBars status;
  };
  struct Document : Told, Panels, ProjectDocument {
    explicit Document(ProjectDocumentTest& test)
        : ProjectDocument(test.dir.path(), test.fake.platform(), test.cables, test.blocks, status,
                          *this) {}
  };

  ProjectDocumentTest() : blocks(dir.path()), doc(*this) {}

  std::string ProjectPath(const char* name) { return PathToUtf8(dir / name); }
  // A change as a command makes it.
  static void Edit(ProjectDocument& copy, const std::function<void()>& change) {
    change();
    copy.MarkChanged();
  }

  TempDir dir;
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks;
  Document doc;
  StatusBars& status = doc.status;
};

TEST_F(ProjectDocumentTest, SaveWithoutANameAsksForOneAndCancelSavesNothing) {
  doc.Save();
  ASSERT_EQ(fake.dialogs.requests.size(), 1u);
  EXPECT_EQ(fake.dialogs.requests[0].title, "Задайте имя файла для сохранения проекта");
  EXPECT_EQ(fake.dialogs.requests[0].filter, "Проект луча (*.луч)|*.луч");
  EXPECT_EQ(fake.dialogs.requests[0].default_extension, "луч");
  EXPECT_EQ(doc.ProjectFileName(), "");
  fake.dialogs.answers.push_back(ProjectPath("новый.луч"));
  doc.Save();
  EXPECT_EQ(doc.ProjectFileName(), ProjectPath("новый.луч"));
  EXPECT_EQ(status.bar1[0], "Проект: новый.луч");
  EXPECT_TRUE(FileExists(dir / "новый.луч"));
}

TEST_F(ProjectDocumentTest, OpenUsesItsDialogAndAVanishedFileChangesNothing) {
  fake.dialogs.answers.push_back(ProjectPath("пропал.луч"));
  doc.Unname();  // no project remembered: "Проект: "
  doc.Open();
  EXPECT_EQ(fake.dialogs.requests[0].title, "Выберите проект  для загрузки");
  EXPECT_EQ(doc.ProjectFileName(), "");
  EXPECT_EQ(status.bar1[0], "Проект: ");
}

TEST_F(ProjectDocumentTest, AProjectThatCannotBeReadIsReportedAndChangesNothing) {
  doc.mutable_table().SetAddress(1, "прежний");
  dir.Write("огромный.луч", "[Луч]\r\nБлоков=3\r\n" + std::string(kMaxFileBytes, ';'));
  fake.dialogs.answers.push_back(ProjectPath("огромный.луч"));
  doc.Open();
  ASSERT_EQ(fake.messages.shown.size(), 1u);
  EXPECT_EQ(fake.messages.shown[0].text, "Cannot open file " + ProjectPath("огромный.луч") + ".");
  EXPECT_EQ(doc.table().Address(1), "прежний");
  EXPECT_EQ(doc.ProjectFileName(), "");
  EXPECT_EQ(doc.events, "");
}

TEST_F(ProjectDocumentTest, ANonProjectIsSaidSoAndAProjectCutTo4096BlocksToo) {
  ASSERT_TRUE(doc.SaveProject(ProjectPath("a.луч")));
  dir.Write("заметки.txt", "Заметки к проекту\r\n");
  EXPECT_FALSE(doc.LoadProject("заметки.txt"));  // named as given, found in the data folder
  EXPECT_EQ(doc.ProjectFileName(), ProjectPath("a.луч"));
  dir.Write("большой.луч", Utf8ToCp1251("[Луч]\r\nБлоков=5000\r\n"));
  ASSERT_TRUE(doc.LoadProject(ProjectPath("большой.луч")));
  EXPECT_EQ(doc.table().BlockCount(), 4096);
  EXPECT_EQ(doc.events, "replaced shown ");
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, "Файл заметки.txt не является проектом луча.");
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(fake.messages.shown[1].text, "Блоков в проекте: 5000; открыты первые 4096.");
  EXPECT_EQ(fake.messages.shown[1].icon, MessageIcon::kInformation);
  for (const auto& message : fake.messages.shown) EXPECT_EQ(message.caption, "Сообщение");
}

TEST_F(ProjectDocumentTest, AFailedSaveKeepsTheNameAndTheOldFile) {
  ASSERT_TRUE(doc.SaveProject(ProjectPath("a.луч")));
  const std::string before = dir.Read("a.луч");
  doc.mutable_table().SetAddress(1, "изменено");
  fake.files.Fail(testing::WriteStep::kWrite);
  fake.dialogs.answers.push_back(ProjectPath("b.луч"));
  doc.SaveAs();
  doc.Save();
  fake.files.Heal();
  EXPECT_EQ(doc.ProjectFileName(), ProjectPath("a.луч"));
  EXPECT_EQ(status.bar1[0], "Проект: a.луч");
  EXPECT_EQ(dir.Read("a.луч"), before);
  EXPECT_FALSE(FileExists(dir / "b.луч"));
  ASSERT_EQ(fake.messages.shown.size(), 2u);
  EXPECT_EQ(fake.messages.shown[0].text, "Unable to write to " + ProjectPath("b.луч") + ".");
  EXPECT_EQ(fake.messages.shown[1].text, "Unable to write to " + ProjectPath("a.луч") + ".");
}

TEST_F(ProjectDocumentTest, TheRecoveryFileBringsBackAKilledRunsEdits) {
  // A folder name Windows-1251 cannot hold comes back whole, and so do texts
  // that a project file cannot hold.
  std::filesystem::create_directory(dir / "Объект №2 — ×");
  const std::string project = ProjectPath("Объект №2 — ×/Дом 5.луч");
  std::filesystem::path written;
  {
    Document killed(*this);
    ASSERT_TRUE(killed.SaveProject(project));
    EXPECT_FALSE(killed.RecoveryDue());
    Edit(killed, [&] {
      killed.mutable_table().SetAddress(1, "КСПВ 2×0,5");
      killed.mutable_params().EditU = "26,5";
    });
    ASSERT_TRUE(killed.RecoveryDue());
    killed.WriteRecovery();
    EXPECT_FALSE(killed.RecoveryDue());
    written = killed.recovery_path();
    ASSERT_TRUE(FileExists(written));
    // Held by its copy while that runs: never offered to another one.
    EXPECT_FALSE(doc.OfferRecovery());
  }  // killed here: its lock goes with it, its file stays

  Document next(*this);
  fake.messages.answers = {true};
  ASSERT_TRUE(next.OfferRecovery());
  EXPECT_EQ(fake.messages.shown.back().text,
            "Найдены несохраненные изменения проекта «Дом 5.луч», записанные " +
                fake.locale.date_time + ".\nВосстановить их?");
  EXPECT_EQ(next.table().Address(1), "КСПВ 2×0,5");
  EXPECT_EQ(next.params().EditU, "26,5");
  EXPECT_EQ(next.ProjectFileName(), project);
  EXPECT_TRUE(next.modified());
  EXPECT_EQ(next.recovery_path(), written);  // now the file of this copy
  Edit(next, [&] { next.mutable_table().SetAddress(1, "КСПВ 2х0,5"); });
  next.Save();
  EXPECT_FALSE(FileExists(written));
  EXPECT_FALSE(next.OfferRecovery());
}

TEST_F(ProjectDocumentTest, EveryCopyHasItsOwnRecoveryFileAndRemovesOnlyThat) {
  doc.New();
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "первая копия"); });
  doc.WriteRecovery();
  auto second = std::make_unique<Document>(*this);
  second->New();
  Edit(*second, [&] { second->mutable_table().SetAddress(1, "вторая копия"); });
  second->WriteRecovery();
  const std::filesystem::path second_file = second->recovery_path();
  ASSERT_NE(second_file, doc.recovery_path());
  ASSERT_TRUE(FileExists(second_file));

  // Нет at the close of one copy removes its file alone.
  fake.messages.choices = {Answer::kNo};
  EXPECT_TRUE(doc.ConfirmDiscard());
  doc.Close();
  EXPECT_FALSE(FileExists(doc.recovery_path()));
  EXPECT_TRUE(FileExists(second_file));

  // Left by a killed copy, a file is offered once; Нет deletes that one.
  second = std::make_unique<Document>(*this);
  fake.messages.answers = {false};
  EXPECT_FALSE(second->OfferRecovery());
  EXPECT_FALSE(FileExists(second_file));
}

TEST_F(ProjectDocumentTest, AProjectAnotherCopyHasOpenIsSavedOverOnlyWhenTheUserSaysSo) {
  const std::string project = ProjectPath("Дом 5.луч");
  ASSERT_TRUE(doc.SaveProject(project));  // this copy has it open
  Document other(*this);
  fake.messages.picks = {0};  // Только для чтения
  ASSERT_TRUE(other.LoadProject(project));
  other.Save();  // a name of its own, proposed beside the project
  EXPECT_EQ(fake.dialogs.requests.back().title, "Задайте имя файла для сохранения проекта");
  EXPECT_EQ(fake.dialogs.requests.back().initial_directory, PathToUtf8(dir.path()));
  EXPECT_EQ(fake.dialogs.requests.back().initial_name, "Дом 5.луч");
  fake.messages.picks = {1};  // Открыть для правки
  ASSERT_TRUE(other.LoadProject(project));
  Edit(other, [&] { other.mutable_table().SetAddress(1, "вторая копия"); });
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "первая копия"); });
  ASSERT_TRUE(doc.SaveProject(project));
  fake.messages.picks = {1};  // Не записывать, while the first copy has it
  EXPECT_FALSE(other.SaveProject(project));
  doc.New();  // let go, but changed since the second copy opened it
  fake.messages.picks = {1, 0};
  EXPECT_FALSE(other.SaveProject(project));
  EXPECT_TRUE(fake.messages.shown.back().text.starts_with("Файл проекта «Дом 5.луч» изменен"));
  EXPECT_NE(dir.Read("Дом 5.луч").find(Utf8ToCp1251("первая копия")), std::string::npos);
  EXPECT_TRUE(other.SaveProject(project));
  EXPECT_NE(dir.Read("Дом 5.луч").find(Utf8ToCp1251("вторая копия")), std::string::npos);
  EXPECT_TRUE(other.SaveProject(project));  // its own file now: no question
  EXPECT_TRUE(fake.messages.picks.empty());
}

TEST_F(ProjectDocumentTest, ARecoveryWriteOnAnotherThreadNeverOutlivesASave) {
  const std::string project = ProjectPath("Дом 5.луч");
  ASSERT_TRUE(doc.SaveProject(project));
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "изменено"); });
  std::optional<RecoveryWrite> write = doc.BeginRecoveryWrite();
  ASSERT_TRUE(write);
  EXPECT_FALSE(doc.BeginRecoveryWrite()) << "one write at a time";
  // Written from its copy while the project went on and was saved.
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "сохранено"); });
  ASSERT_TRUE(doc.SaveProject(project));
  ASSERT_TRUE(write->Run());
  EXPECT_TRUE(FileExists(write->path));
  doc.RecoveryWriteDone(*write, true);
  EXPECT_FALSE(FileExists(write->path));
  // A write that ends in time counts, and holds the copy it was given.
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "снова"); });
  write = doc.BeginRecoveryWrite();
  ASSERT_TRUE(write);
  Edit(doc, [&] { doc.mutable_table().SetAddress(1, "еще раз"); });
  doc.RecoveryWriteDone(*write, write->Run());
  EXPECT_TRUE(doc.RecoveryDue()) << "the change made meanwhile is not in the file";
  ProjectTable restored;
  ProjectParameters params;
  ASSERT_TRUE(LoadRecoveryFile(write->path, restored, params, RealFileSystem()));
  EXPECT_EQ(restored.Address(1), "снова");
}

}  // namespace
}  // namespace luch
