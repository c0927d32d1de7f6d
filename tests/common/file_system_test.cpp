#include "common/file_system.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "support/fake_files.h"

namespace luch {
namespace {

using testing::FaultyFileSystem;
using testing::MemoryFileSystem;
using testing::WriteStep;
using Files = std::map<std::filesystem::path, std::string>;

TEST(WriteFileAtomic, AFailureAtAnyStepKeepsTheOldFileAndLeavesNoTemporary) {
  for (const WriteStep step :
       {WriteStep::kCreate, WriteStep::kWrite, WriteStep::kSync, WriteStep::kRename}) {
    MemoryFileSystem memory;
    memory.Put("/данные/Блок.ini", "старый");
    FaultyFileSystem files(memory);
    files.Fail(step);
    EXPECT_FALSE(WriteFileAtomic(files, "/данные/Блок.ini", "новый"));
    EXPECT_EQ(memory.files(), (Files{{"/данные/Блок.ini", "старый"}})) << int(step);
    EXPECT_EQ(files.writes_failed(), 1);
  }
  MemoryFileSystem memory;
  FaultyFileSystem files(memory);
  files.Fail(WriteStep::kRename, 2);  // the second write's rename
  EXPECT_TRUE(WriteFileAtomic(files, "/данные/Блок.ini", "первый"));
  EXPECT_FALSE(WriteFileAtomic(files, "/данные/Блок.ini", "второй"));
  EXPECT_EQ(memory.files(), (Files{{"/данные/Блок.ini", "первый"}}));
}

TEST(WriteFileAtomic, InAFolderWithoutRightsTheOldContentStaysUntilTheNewIsOnDisk) {
  const std::filesystem::path project = Utf8Path("/чужая папка/Дом.луч");
  const std::filesystem::path copy = Utf8Path("/данные") / Utf8Path("Копия до записи - Дом.луч");
  struct Case {
    WriteStep step;
    int nth;  // of that step: 1 is the safety copy's, 2 the file's
    bool once;
    bool written, kept_old, copy_kept;  // kept_old: the file holds its old content
  };
  for (const Case& c : {
           Case{WriteStep::kCreate, 0, false, true, false, false},   // nothing fails
           Case{WriteStep::kReserve, 1, false, false, true, false},  // a full disk
           Case{WriteStep::kWrite, 2, true, false, true, false},     // put back after a failure
           Case{WriteStep::kWrite, 2, false, false, false, true},    // not even that
       }) {
    MemoryFileSystem memory;
    memory.Put(project, "старое содержимое, длиннее нового");
    FaultyFileSystem files(memory);
    files.SetSafetyCopyFolder(copy.parent_path());
    files.DenyFolder(project.parent_path());
    files.Fail(c.step, c.nth, c.once);
    EXPECT_EQ(WriteFileAtomic(files, project, "новое"), c.written) << c.nth << c.once;
    std::string now;
    ASSERT_TRUE(memory.ReadFile(project, now));
    EXPECT_EQ(now == "новое", c.written);
    if (c.kept_old) {
      EXPECT_EQ(now, "старое содержимое, длиннее нового");
    }
    std::string kept;
    EXPECT_EQ(memory.ReadFile(copy, kept), c.copy_kept);
    if (c.copy_kept) {
      EXPECT_EQ(kept, "старое содержимое, длиннее нового");
    }
    EXPECT_EQ(LastWriteNote(),
              c.copy_kept ? "Прежнее содержимое файла сохранено в " + PathToUtf8(copy) : "");
  }
}

}  // namespace
}  // namespace luch
