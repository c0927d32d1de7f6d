// Writes that cannot be done: the user is told with the program's message
// ("Unable to write to %s" for a project, "Cannot create file %s" for a report
// or an export) and the file already there keeps its content, byte for byte.
// The tests run as root in CI, where file permissions do not bind: a read-only
// folder is a read-only tmpfs, mounted in a child process with a mount
// namespace of its own (skipped where mounting is not permitted); a full disk
// is a tmpfs filled up, or a file size limit (RLIMIT_FSIZE), which works
// everywhere.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "app/main_state.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "reports/report_commands.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;

constexpr const char* kErrorCaption = "Расчет луча ТЕРН-12";

// The main window's logic over a data folder, with the fakes.
struct Program {
  explicit Program(const std::filesystem::path& data_dir)
      : blocks(data_dir), state(data_dir, fake.platform(), cables, blocks) {}

  void FillRows(int rows) {
    state.SetBlockCount(rows);
    for (int r = 1; r <= rows; ++r) {
      state.mutable_table().SetAddress(
          r, "Подъезд " + std::to_string(r) + ", этаж " + std::to_string(r));
      state.mutable_table().SetCableName(r, "КСПВ 2х0,8");
      state.mutable_table().SetLengthM(r, 10 + r);
      state.mutable_table().SetBlockName(r, "Изолятор короткого замыкания");
    }
  }
  // The one error box shown, "" when none or more.
  std::string OnlyError() const {
    const auto& shown = fake.messages.shown;
    if (shown.size() != 1 || shown[0].caption != kErrorCaption ||
        shown[0].icon != MessageIcon::kStop) {
      return "";
    }
    return shown[0].text;
  }

  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks;
  MainState state;
};

size_t TemporariesIn(const std::filesystem::path& folder) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (PathToUtf8(entry.path().filename()).find(".tmp") != std::string::npos) ++count;
  }
  return count;
}

TEST(WriteFailures, ProjectSaveIsReportedAndTouchesNothing) {
  TempDir dir;
  dir.Write("файл", "a regular file where a folder should be");
  {
    Program program(dir.path());
    const std::string under_file = PathToUtf8(dir / "файл") + "/Дом 5.луч";
    EXPECT_FALSE(program.state.SaveProject(under_file));
    EXPECT_EQ(program.OnlyError(), "Unable to write to " + under_file + ".");
    EXPECT_EQ(dir.Read("файл"), "a regular file where a folder should be");
    EXPECT_TRUE(program.state.ProjectFileName().empty());
  }
  {
    std::filesystem::create_directory(dir / "Папка.луч");
    Program program(dir.path());
    const std::string folder = PathToUtf8(dir / "Папка.луч");
    EXPECT_FALSE(program.state.SaveProject(folder));
    EXPECT_EQ(program.OnlyError(),
              "Unable to write to " + folder + "\n" + NotAFileText(folder) + ".");
    EXPECT_TRUE(std::filesystem::is_empty(dir / "Папка.луч"));
  }
  {
    Program program(dir.path());
    const std::string path = PathToUtf8(dir / "Дом 5.луч");
    program.FillRows(3);
    ASSERT_TRUE(program.state.SaveProject(path));
    const std::string before = dir.Read("Дом 5.луч");
    program.FillRows(30);
    // Each step of the write failing in turn: reported, the old file whole.
    for (const testing::WriteStep step : {testing::WriteStep::kCreate, testing::WriteStep::kWrite,
                                          testing::WriteStep::kSync, testing::WriteStep::kRename}) {
      program.fake.messages.shown.clear();
      program.fake.files.Fail(step);
      EXPECT_FALSE(program.state.SaveProject(path));
      program.fake.files.Heal();
      EXPECT_EQ(program.OnlyError(), "Unable to write to " + path + ".");
      EXPECT_EQ(dir.Read("Дом 5.луч"), before);
    }
  }
  EXPECT_EQ(TemporariesIn(dir.path()), 0u);
}

TEST(WriteFailures, ReportAndExportFailuresAreReported) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Отчет.txt");
  Program program(dir.path());
  program.FillRows(4);
  program.state.mInfoClick();
  const std::string folder = PathToUtf8(dir / "Отчет.txt");
  EXPECT_EQ(program.OnlyError(),
            "Cannot create file " + folder + "\n" + NotAFileText(folder) + ".");
  EXPECT_TRUE(program.fake.launcher.opened.empty());

  dir.Write("файл", "a regular file where a folder should be");
  Program exporting(dir.path());
  const std::string under_file = PathToUtf8(dir / "файл") + "/таблица.csv";
  exporting.fake.dialogs.answers.push_back(under_file);
  exporting.state.mMicrosoftExcelClick();
  EXPECT_EQ(exporting.OnlyError(), "Cannot create file " + under_file + ".");
  EXPECT_EQ(TemporariesIn(dir.path()), 0u);
}

// While it lives, no file of this process may grow beyond `bytes`: a write
// past that fails as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = SIG_DFL;
};

TEST(WriteFailures, AFullDiskKeepsTheOldProjectAndReport) {
  TempDir dir;
  Program program(dir.path());
  const std::string path = PathToUtf8(dir / "Дом 5.луч");
  program.FillRows(2);
  ASSERT_TRUE(program.state.SaveProject(path));
  program.state.mInfoClick();
  ASSERT_TRUE(program.fake.messages.shown.empty());
  const std::string project_before = dir.Read("Дом 5.луч");
  const std::string report_before = dir.Read("Отчет.txt");
  ASSERT_LT(project_before.size(), 4096u);

  program.FillRows(500);  // some 60 KB of project, 40 KB of report
  {
    const FileSizeLimit limit(8192);
    EXPECT_FALSE(program.state.SaveProject(path));
    program.state.mInfoClick();
  }
  ASSERT_EQ(program.fake.messages.shown.size(), 2u);
  EXPECT_EQ(program.fake.messages.shown[0].text, "Unable to write to " + path + ".");
  EXPECT_EQ(program.fake.messages.shown[1].text,
            "Cannot create file " + PathToUtf8(dir / "Отчет.txt") + ".");
  EXPECT_EQ(dir.Read("Дом 5.луч"), project_before);
  EXPECT_EQ(dir.Read("Отчет.txt"), report_before);
  EXPECT_EQ(TemporariesIn(dir.path()), 0u);
}

constexpr int kCannotMount = 77;

// Runs `body` in a child process that has a 64 KiB tmpfs mounted on `folder`
// in a mount namespace of its own; gives the child's exit code (the body's
// result), or kCannotMount where this system does not let the test mount.
int InChildWithSmallTmpfs(const std::filesystem::path& folder, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return kCannotMount;
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("luch-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
      ::_exit(kCannotMount);
    }
    const int result = body();
    std::fflush(nullptr);
    ::_exit(result);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

#define CHILD_CHECK(condition)                                                     \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      return 1;                                                                    \
    }                                                                              \
  } while (false)

TEST(WriteFailures, AFullOrReadOnlyFilesystemKeepsTheOldProject) {
  TempDir dir;
  const std::filesystem::path mounted = dir / "tmpfs";
  std::filesystem::create_directory(mounted);
  const int result = InChildWithSmallTmpfs(mounted, [&mounted]() -> int {
    Program program(mounted);
    const std::string path = PathToUtf8(mounted / Utf8Path("Дом 5.луч"));
    program.FillRows(2);
    CHILD_CHECK(program.state.SaveProject(path));
    std::string before;
    CHILD_CHECK(ReadFileBytes(Utf8Path(path), before));

    // Full: the new project does not fit beside the old one.
    program.FillRows(1000);
    CHILD_CHECK(!program.state.SaveProject(path));
    CHILD_CHECK(program.OnlyError() == "Unable to write to " + path + ".");
    std::string after;
    CHILD_CHECK(ReadFileBytes(Utf8Path(path), after) && after == before);
    CHILD_CHECK(TemporariesIn(mounted) == 0);

    // Read-only: not even a small project can be written. (The project's lock
    // goes first: a file system with a file open for writing stays writable.)
    program.state.mNewClick();
    CHILD_CHECK(::mount(nullptr, mounted.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    program.fake.messages.shown.clear();
    program.FillRows(1);
    CHILD_CHECK(!program.state.SaveProject(path));
    CHILD_CHECK(program.OnlyError() == "Unable to write to " + path + ".");
    CHILD_CHECK(ReadFileBytes(Utf8Path(path), after) && after == before);
    program.fake.messages.shown.clear();
    program.state.mInfoClick();
    CHILD_CHECK(program.OnlyError() ==
                "Cannot create file " + PathToUtf8(mounted / Utf8Path("Отчет.txt")) + ".");
    return 0;
  });
  if (result == kCannotMount) {
    GTEST_SKIP() << "this system does not let the test mount a tmpfs (needs root and a mount "
                    "namespace); the full disk is covered by AFullDiskKeepsTheOldProjectAndReport";
  }
  EXPECT_EQ(result, 0) << "see the child's message above";
}

// Runs `body` in a child process as a user whom rights bind (nobody, when
// the test runs as root); gives its exit code, -1 when it did not exit.
int AsUser(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    ::_exit(body());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// `file` with `bytes`, which the user may write, in its folder, which he may
// not write to; `safety`, a folder he may write to.
void PrepareInPlace(const std::filesystem::path& file, std::string_view bytes,
                    const std::filesystem::path& safety) {
  ASSERT_TRUE(WriteFileAtomic(file, bytes));
  std::filesystem::create_directories(safety);
  ASSERT_EQ(::chmod(safety.c_str(), 0777), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  }
  ASSERT_EQ(::chmod(file.parent_path().c_str(), 0555), 0);
  for (auto up = file.parent_path().parent_path(); up.has_relative_path(); up = up.parent_path()) {
    if (std::filesystem::equivalent(up, std::filesystem::temp_directory_path())) break;
    ::chmod(up.c_str(), 0711);  // the way there, for nobody
  }
}

TEST(WriteFailures, AWritableFileInAFolderWithoutRightsIsSavedInPlace) {
  TempDir dir;
  const std::filesystem::path project = dir / "чужая папка" / Utf8Path("Дом.луч");
  std::filesystem::create_directory(project.parent_path());
  PrepareInPlace(project, "старый", dir / "данные");
  RealFileSystem().SetSafetyCopyFolder(dir / "данные");
  EXPECT_EQ(AsUser([&] { return WriteFileAtomic(project, "новый") ? 0 : 1; }), 0);
  EXPECT_EQ(dir.Read("чужая папка/Дом.луч"), "новый");
  EXPECT_EQ(TemporariesIn(project.parent_path()), 0u);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "данные"));  // the copy went

  // Killed at any moment, the file holds one of the two contents whole, or
  // the copy in the data folder holds the old one.
  const std::string a(3 << 20, 'a'), b(2 << 20, 'b');
  std::mt19937 random(20261209);
  for (int kill = 0; kill < 30; ++kill) {
    const std::string& old = kill % 2 == 0 ? a : b;
    ASSERT_TRUE(WriteFileAtomic(project, old));  // as root, whom the folder lets write
    const pid_t child = ::fork();
    if (child == 0) {
      if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
      WriteFileAtomic(project, kill % 2 == 0 ? b : a);
      ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::string now = dir.Read("чужая папка/Дом.луч");
    const std::filesystem::path copy = dir / "данные" / Utf8Path("Копия до записи - Дом.луч");
    if (now != a && now != b) {
      ASSERT_TRUE(std::filesystem::exists(copy)) << "a torn file and no copy, kill " << kill;
      EXPECT_EQ(dir.Read("данные/Копия до записи - Дом.луч"), old);
    }
    std::filesystem::remove(copy);
  }
  RealFileSystem().SetSafetyCopyFolder({});
}

TEST(WriteFailures, AnInPlaceWriteOnAFullDiskChangesNothing) {
  TempDir dir;
  const std::filesystem::path mounted = dir / "tmpfs";
  std::filesystem::create_directory(mounted);
  const int result = InChildWithSmallTmpfs(mounted, [&]() -> int {
    const std::filesystem::path project = mounted / Utf8Path("Дом.луч");
    const std::string old(20000, 'a');
    PrepareInPlace(project, old, dir / "данные");
    // The rest of the 64 KiB but some 8 KiB taken.
    CHILD_CHECK(WriteFileAtomic(mounted / "заполнитель", std::string(36 << 10, 'z')));
    RealFileSystem().SetSafetyCopyFolder(dir / "данные");
    CHILD_CHECK(AsUser([&] { return WriteFileAtomic(project, std::string(40000, 'b')) ? 1 : 0; }) ==
                0);
    std::string now;
    CHILD_CHECK(ReadFileBytes(project, now) && now == old);
    CHILD_CHECK(std::filesystem::is_empty(dir / "данные"));
    return 0;
  });
  if (result == kCannotMount) GTEST_SKIP() << "this system does not let the test mount a tmpfs";
  EXPECT_EQ(result, 0) << "see the child's message above";
}

TEST(WriteFailures, ALinkIsWrittenThroughAndTheModeAndOwnerAreKept) {
  TempDir dir;
  std::filesystem::create_directory(dir / "проекты");
  std::filesystem::create_directory(dir / "ярлыки");
  const std::filesystem::path real = dir / "проекты/Дом.луч";
  dir.Write("проекты/Дом.луч", "старый");
  ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;  // only the superuser may keep another user's file his
  if (root) {
    ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
  }
  // A chain of relative links, each counted from its own folder.
  std::filesystem::create_symlink(Utf8Path("проекты/Дом.луч"), dir / "ссылка.луч");
  std::filesystem::create_symlink(Utf8Path("../ссылка.луч"), dir / "ярлыки/Дом.луч");
  ASSERT_TRUE(WriteFileAtomic(dir / "ярлыки/Дом.луч", "новый"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "ярлыки/Дом.луч"));
  EXPECT_EQ(dir.Read("проекты/Дом.луч"), "новый");
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 65534u);
  }
  EXPECT_EQ(TemporariesIn(dir / "проекты"), 0u);
  // A link that leads nowhere, or round in a circle, is not written.
  std::filesystem::create_symlink(Utf8Path("нет.луч"), dir / "висит.луч");
  std::filesystem::create_symlink(Utf8Path("петля.луч"), dir / "петля.луч");
  EXPECT_FALSE(WriteFileAtomic(dir / "висит.луч", "новый"));
  EXPECT_FALSE(WriteFileAtomic(dir / "петля.луч", "новый"));
  EXPECT_FALSE(std::filesystem::exists(dir / "нет.луч"));
}

TEST(WriteFailures, AReadOnlyFileIsRefusedAndKept) {
  TempDir dir;
  const std::filesystem::path folder = dir / "проекты";
  std::filesystem::create_directory(folder);
  const std::filesystem::path project = folder / Utf8Path("Дом.луч");
  ASSERT_TRUE(WriteFileAtomic(project, "старый"));
  std::filesystem::permissions(project, std::filesystem::perms::owner_read);
  // The user (nobody, when the test runs as root, whom rights do not bind)
  // owns the file and the folder: he could rename over the file.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(project.c_str(), 65534, 65534), 0);
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
    ::_exit(WriteFileAtomic(project, "новый") ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(dir.Read("проекты/Дом.луч"), "старый");
  EXPECT_EQ(TemporariesIn(folder), 0u);
}

}  // namespace
}  // namespace luch

#endif  // _WIN32
