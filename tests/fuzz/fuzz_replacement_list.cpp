// Замена блоков.ini received from someone else: the block replacement dialog
// loads the list, the user clicks each entry (the line is split at its first
// ">"), deletes one, adds one; the block window appends a rule. The file then
// holds exactly the list.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/headless_platform.h"
#include "editing/block_replacement.h"
#include "fuzz_support.h"
#include "library/block_library.h"
#include "library/replacement_rules.h"

namespace {

using namespace luch;

std::vector<std::string> LinesOnDisk() {
  std::vector<std::string> lines;
  LUCH_FUZZ_CHECK(ReadTextLines(ReplacementListPath(fuzz::DataDir()), lines));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::PutFile(kReplacementFileName, bytes);
  fuzz::PutFile(kBlockFileName, fuzz::ExampleFile(kBlockFileName));

  const BlockLibrary blocks(fuzz::DataDir());
  HeadlessPlatform headless(',');
  ChangeBlkLogic dialog(fuzz::DataDir(), blocks, headless.platform());
  dialog.FormCreate();
  LUCH_FUZZ_CHECK(headless.messages().empty());

  const std::vector<std::string> loaded = dialog.items();
  for (int i = -1; i <= static_cast<int>(loaded.size()); ++i) {
    dialog.ListBox1Click(i);
    if (i < 0 || i >= static_cast<int>(loaded.size())) continue;
    const std::string& line = loaded[static_cast<size_t>(i)];
    const auto split = SplitReplacementLine(line);
    LUCH_FUZZ_CHECK(dialog.edit_from == (split ? split->first : ""));
    LUCH_FUZZ_CHECK(dialog.edit_to == (split ? split->second : ""));
    if (split) {
      // The parts put together are the line's head, cut at a character.
      const std::string joined = split->first + ">" + split->second;
      LUCH_FUZZ_CHECK(line.compare(0, joined.size(), joined) == 0);
      LUCH_FUZZ_CHECK(split->first.find('>') == std::string::npos);
      LUCH_FUZZ_CHECK(Utf8Length(joined) <= 127);
    }
  }

  dialog.pmDelClick(static_cast<int>(size % 5));
  dialog.edit_from = "Старый блок";
  dialog.edit_to = "Новый блок";
  dialog.BitBtnSaveClick();
  std::string written;  // the list as the dialog wrote it
  LUCH_FUZZ_CHECK(ReadFileBytes(ReplacementListPath(fuzz::DataDir()), written));
  LUCH_FUZZ_CHECK(AppendReplacementRule(fuzz::DataDir(), "Ещё", "Другой"));
  LUCH_FUZZ_CHECK(headless.messages().empty());

  // The file holds the dialog's list and the appended rule, in order (a
  // character of a UTF-8 list without a Windows-1251 form as "?"; a written
  // list that happens to begin with the bytes of the UTF-8 mark, "п»ї" in
  // Windows-1251, is read again as UTF-8 by the append).
  std::vector<std::string> expected = dialog.items();
  expected.push_back("Ещё>Другой");
  if (bytes.find('\x98') == std::string_view::npos && fuzz::SurvivesCp1251(FileTextToUtf8(bytes)) &&
      !IsUtf8File(written)) {
    LUCH_FUZZ_CHECK(LinesOnDisk() == expected);
  }

  // Reopened, the dialog lists the same lines.
  ChangeBlkLogic reopened(fuzz::DataDir(), blocks, headless.platform());
  reopened.FormCreate();
  LUCH_FUZZ_CHECK(reopened.items() == LinesOnDisk());
  return 0;
}
