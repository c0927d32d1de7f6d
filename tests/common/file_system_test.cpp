#include "common/file_system.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace luch
