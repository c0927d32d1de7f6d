// Files no program of ours wrote: huge, with one endless line, with a million
// sections, with NUL bytes and every other byte value. Each opens, or is
// refused as unreadable, within bounded time and memory; a refused file is
// never overwritten by a command that could not see its content. Time and
// peak memory are measured in a child process (fork, wait4) and printed.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "app/main_state.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/profile_file.h"
#include "common/settings_file.h"
#include "editing/block_replacement.h"
#include "editing/row_commands.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "library/cable_window.h"
#include "library/replacement_rules.h"
#include "project/project_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#if defined(__SANITIZE_ADDRESS__)
#define LUCH_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUCH_SANITIZED 1
#endif
#endif

namespace luch {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using namespace std::string_literals;

#ifdef LUCH_SANITIZED
constexpr double kSlowdown = 8.0;  // sanitizers: slower, with shadow memory
#else
constexpr double kSlowdown = 1.0;
#endif
constexpr double kMaxSeconds = 3.0 * kSlowdown;
constexpr double kMaxExtraMegabytes = 400.0 * kSlowdown;

struct Cost {
  int result = -1;
  double seconds = 0;  // processor time (user + system): the machine may be busy
  double wall_seconds = 0;
  double extra_megabytes = 0;  // peak resident size above the parent's at the fork
};

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// Runs `body` (0: its checks held) in a child process and measures it.
Cost Measure(const char* what, const std::function<int()>& body) {
  Cost cost;
  std::fflush(nullptr);
  const double parent_megabytes = ResidentMegabytes();
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return cost;
  cost.wall_seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  cost.seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  cost.extra_megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0 - parent_megabytes;
  cost.result = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::cout << "[ figures  ] " << what << ": " << cost.seconds << " s of processor ("
            << cost.wall_seconds << " s wall), peak +" << std::max(0.0, cost.extra_megabytes)
            << " MB\n";
  return cost;
}

#define CHILD_CHECK(condition)                                                     \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      return 1;                                                                    \
    }                                                                              \
  } while (false)

void ExpectCheap(const Cost& cost) {
  EXPECT_EQ(cost.result, 0) << "a check in the child failed (see above)";
  EXPECT_LT(cost.seconds, kMaxSeconds);
  EXPECT_LT(cost.extra_megabytes, kMaxExtraMegabytes);
}

// A file of `megabytes` that starts with `head` and reads as that many MB
// without taking the disk space (a sparse file).
void MakeHugeFile(const std::filesystem::path& path, const std::string& head, int megabytes) {
  {
    std::ofstream out(path, std::ios::binary);
    out << head;
  }
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(megabytes) << 20);
}

void WriteBig(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string kProjectHead = Utf8ToCp1251("[Луч]\r\nБлоков=3\r\n[Блок1]\r\nАдрес=Подвал\r\n");

TEST(HostileFiles, A200MegabyteFileIsRefusedUnreadAndNeverOverwritten) {
  TempDir dir;
  for (const char* name : {"Дом 5.луч", "Замена блоков.ini", "Tarvel.ini", "Блок.ini"}) {
    MakeHugeFile(dir / name, kProjectHead, 200);
  }
  const auto size_of = [&](const char* name) { return std::filesystem::file_size(dir / name); };
  const std::uintmax_t huge = std::uintmax_t{200} << 20;

  ExpectCheap(Measure("200 MB project, library, rules and settings", [&]() -> int {
    std::string bytes;
    CHILD_CHECK(!ReadFileBytes(dir / "Дом 5.луч", bytes) && bytes.empty());
    const ProfileFile file(dir / "Дом 5.луч");
    CHILD_CHECK(!file.existed() && file.SectionNames().empty());

    // Opening the project changes nothing; saving over it is refused.
    ProjectTable table;
    ProjectParameters params;
    table.SetAddress(1, "как было");
    CHILD_CHECK(!LoadProjectFile(dir / "Дом 5.луч", table, params));
    CHILD_CHECK(table.Address(1) == "как было" && table.BlockCount() == 5);
    CHILD_CHECK(!SaveProjectFile(dir / "Дом 5.луч", table, params, ','));

    // Block library: read as empty.
    const BlockLibrary blocks(dir.path());
    CHILD_CHECK(blocks.BlockCount() == 0 && blocks.BlockUmin(0) == 8.0);

    // The replacement dialog says it cannot open the list; the block window's
    // rule is not appended over it.
    FakePlatform fake;
    ChangeBlkLogic dialog(dir.path(), blocks, fake.platform());
    dialog.FormCreate();
    CHILD_CHECK(dialog.items().empty());
    CHILD_CHECK(fake.messages.shown.size() == 1 &&
                fake.messages.shown[0].text ==
                    "Cannot open file " + PathToUtf8(dir / "Замена блоков.ini") + ".");
    CHILD_CHECK(!AppendReplacementRule(dir.path(), "Старый", "Новый"));

    // Closing a window does not replace the settings it could not read.
    fake.messages.shown.clear();
    CHILD_CHECK(!StoreWindowGeometry(dir.path(), "Block", {1, 2, 3, 4}, fake.platform()));
    CHILD_CHECK(fake.messages.shown.size() == 1 &&
                fake.messages.shown[0].text ==
                    "Unable to write to " + PathToUtf8(dir / "Tarvel.ini") + ".");
    return 0;
  }));
  for (const char* name : {"Дом 5.луч", "Замена блоков.ini", "Tarvel.ini", "Блок.ini"}) {
    EXPECT_EQ(size_of(name), huge) << name;
  }
}

TEST(HostileFiles, APipeOrAFolderInPlaceOfAFileIsNeverReadNorReplaced) {
  TempDir dir;
  for (const char* pipe : {"Дом 5.луч", "Кабель.ini"}) {
    ASSERT_EQ(::mkfifo((dir / pipe).c_str(), 0600), 0);
  }
  std::filesystem::create_directory(dir / "Блок.ini");
  FakePlatform fake;
  CableLibrary cables;
  BlockLibrary blocks(dir.path());
  CableWindow window(dir.path(), cables, fake.platform());
  window.FormCreate();
  window.FormClose({});
  MainState state(dir.path(), fake.platform(), cables, blocks);
  state.SetNamedProject(PathToUtf8(dir / "Дом 5.луч"));
  state.StartUp();
  std::vector<std::string> said;
  for (const auto& message : fake.messages.shown) said.push_back(message.text);
  const std::string cable_file = PathToUtf8(dir / "Кабель.ini");
  EXPECT_EQ(said, (std::vector<std::string>{NotAFileText(cable_file) + ".",
                                            NotAFileText(PathToUtf8(dir / "Дом 5.луч")) + "."}));
  std::vector<std::string> problems;
  for (const Problem& problem : state.Problems()) problems.push_back(problem.text);
  problems.resize(2);  // the libraries' lines come first
  EXPECT_EQ(problems, (std::vector<std::string>{NotAFileText(cable_file) + ".",
                                                NotAFileText(PathToUtf8(dir / "Блок.ini")) + "."}));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "Кабель.ini"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir / "Дом 5.луч"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Блок.ini"));
}

TEST(HostileFiles, TheSizeLimitLiesJustAboveWhatThePlatformsOwnFilesNeed) {
  TempDir dir;
  std::string at_limit = kProjectHead;
  at_limit.resize(kMaxFileBytes, 'x');
  WriteBig(dir / "на пределе.луч", at_limit);
  ProjectTable table;
  ProjectParameters params;
  EXPECT_TRUE(LoadProjectFile(dir / "на пределе.луч", table, params));
  EXPECT_EQ(table.Address(1), "Подвал");
  at_limit += 'x';
  WriteBig(dir / "за пределом.луч", at_limit);
  EXPECT_FALSE(LoadProjectFile(dir / "за пределом.луч", table, params));
}

TEST(HostileFiles, ATenMegabyteLineOpensAndItsValueIsCut) {
  TempDir dir;
  const std::string line(10u << 20, '\xFF');  // "я" ten million times
  WriteBig(dir / "Кабель.ini", Utf8ToCp1251("[Кабель1]\r\nНазвание=") + line +
                                   Utf8ToCp1251("\r\nСопротивление=92\r\n"));
  ExpectCheap(Measure("10 MB line", [&]() -> int {
    CableLibrary cables;
    CHILD_CHECK(cables.LoadCables(dir.path()) == 1);
    CHILD_CHECK(Utf8Length(cables.CableNameAt(1)) == 2047);
    CHILD_CHECK(cables.CableResistanceAt(1) == 92);
    return 0;
  }));
}

std::string Sections(int count, bool with_key) {
  std::string text;
  text.reserve(static_cast<size_t>(count) * 24);
  for (int k = 0; k < count; ++k) {
    text += "[Блок" + std::to_string(k) + "]\r\n";
    if (with_key) text += "Название=Б" + std::to_string(k) + "\r\n";
  }
  return Utf8ToCp1251(text);
}

TEST(HostileFiles, AMillionSectionsOpenWithinBounds) {
  TempDir dir;
  WriteBig(dir / "миллион.ini", Sections(1000000, false));
  ExpectCheap(Measure("1 000 000 empty sections", [&]() -> int {
    const ProfileFile file(dir / "миллион.ini");
    CHILD_CHECK(file.existed());
    CHILD_CHECK(file.SectionNames().size() == 1000000);
    CHILD_CHECK(!file.SectionExists("Блок999999"));
    return 0;
  }));

  // 400 000 sections of one key each as a block library, of which the
  // program reads the first 1024.
  WriteBig(dir / "Блок.ini", Sections(400000, true));
  ExpectCheap(Measure("400 000 sections with a key", [&]() -> int {
    const BlockLibrary blocks(dir.path());
    CHILD_CHECK(blocks.BlockCount() == kMaxBlockTypes);
    CHILD_CHECK(blocks.BlockIndexByName("Б1023") == 1023);
    const ProfileFile file(dir / "Блок.ini");
    CHILD_CHECK(file.ReadString("Блок399999", "Название", "") == "Б399999");
    return 0;
  }));
}

TEST(HostileFiles, AClipboardOfHalfAMillionRowsPastesWhatFits) {
  TempDir dir;
  std::string text;
  for (int k = 0; k < 500000; ++k)
    text += "[" + std::to_string(k) + "]\r\nДлина=" + std::to_string(k) + "\r\n";
  WriteBig(dir / "Copy.ini", Utf8ToCp1251(text));
  ExpectCheap(Measure("Copy.ini of 500 000 rows, pasted", [&]() -> int {
    ProjectTable table;
    StatusBars status;
    FakePlatform fake;
    int current_row = 1;
    int repeat = 2;
    const CableLibrary cables;
    EditingContext context{table,  status,     current_row,     1,     1,
                           repeat, dir.path(), fake.platform(), cables};
    mPasteClick(context);
    CHILD_CHECK(table.BlockCount() == kMaxBlockCount);
    CHILD_CHECK(table.LengthM(1) == 0 && table.LengthM(4091) == 4090);
    CHILD_CHECK(fake.messages.shown.size() == 1 &&
                fake.messages.shown[0].text.ends_with(": " + std::to_string(500000 - 4091)));
    return 0;
  }));
}

TEST(HostileFiles, MoreLinesThanTheLimitAreRefused) {
  TempDir dir;
  WriteBig(dir / "Замена блоков.ini", std::string(kMaxFileLines + 1, '\n'));
  WriteBig(dir / "Tarvel.ini", std::string(kMaxFileLines, '\n') + "[Main]\r\nTop=5");
  ExpectCheap(Measure("a million and one empty lines", [&]() -> int {
    std::vector<std::string> lines;
    CHILD_CHECK(!ReadTextLines(dir / "Замена блоков.ini", lines) && lines.empty());
    CHILD_CHECK(!ProfileFile(dir / "Замена блоков.ini").existed());
    // One line less than the limit, plus two: over it as well.
    CHILD_CHECK(!ProfileFile(dir / "Tarvel.ini").existed());
    return 0;
  }));
  // At the limit exactly the file reads.
  WriteBig(dir / "Tarvel.ini", std::string(kMaxFileLines - 2, '\n') + "[Main]\r\nTop=5");
  EXPECT_EQ(ProfileFile(dir / "Tarvel.ini").ReadInteger("Main", "Top", 0), 5);
  EXPECT_EQ(CountLines("a\r\nb\rc\n\nd"), 5u);
  EXPECT_EQ(CountLines(""), 0u);
  EXPECT_EQ(CountLines("\r\n"), 1u);
}

TEST(HostileFiles, NulBytesAndEveryByteValueReadBackExactly) {
  TempDir dir;
  std::string every;  // 0x01..0xFF without CR and LF, ending on a non-blank
  for (int b = 1; b < 256; ++b) {
    if (b != '\r' && b != '\n') every += static_cast<char>(b);
  }
  const std::string nul("a\0b", 3);
  const std::string bytes = "[\0\0]\r\nkey="s + nul + "\r\n[s]\r\nall=" + every + "\r\n\0=\0\r\n"s;
  const ProfileFile file = ProfileFile::FromBytes(bytes);
  EXPECT_EQ(file.ReadString("s", "all", ""), Cp1251ToUtf8(every));
  EXPECT_EQ(file.ReadString(std::string(2, '\0'), "key", ""), nul);
  EXPECT_EQ(file.ReadString("s", std::string(1, '\0'), "-"), std::string(1, '\0'));
  // Written back: the same bytes, 0x98 (no character) included.
  EXPECT_EQ(file.ToBytes(), bytes);

  // A project whose texts hold NUL and every byte saves and opens unchanged.
  ProjectTable table;
  ProjectParameters params;
  params.SetNewProjectValues();
  table.SetBlockCount(2);
  const std::string texts = Cp1251ToUtf8(std::string("\x01") + nul + every);
  table.SetAddress(1, texts);
  table.SetBlockName(2, nul);
  ASSERT_TRUE(SaveProjectFile(dir / "байты.луч", table, params, ','));
  ProjectTable reopened;
  ASSERT_TRUE(LoadProjectFile(dir / "байты.луч", reopened, params));
  EXPECT_EQ(reopened.Address(1), texts);
  EXPECT_EQ(reopened.BlockName(2), nul);
}

}  // namespace
}  // namespace luch

#endif  // _WIN32
