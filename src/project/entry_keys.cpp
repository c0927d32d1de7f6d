#include "project/entry_keys.h"

#include <string>

#include "common/cp1251.h"

namespace luch {
namespace {

std::string Folded(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  return FoldCase(first == std::string_view::npos ? std::string_view() : text.substr(first));
}

}  // namespace

int NextEntryColumn(int col) {
  for (const int entry : kEntryColumns) {
    if (entry > col) return entry;
  }
  return -1;
}

int OpeningItem(const ChoiceMenu& menu, std::string_view cell_text) {
  for (size_t k = 0; k < menu.items.size(); ++k) {
    if (menu.items[k].caption == cell_text) return static_cast<int>(k);
  }
  return menu.items.empty() ? -1 : 0;
}

int TypeAheadItem(const ChoiceMenu& menu, std::string_view typed, int from) {
  const int count = static_cast<int>(menu.items.size());
  if (count == 0 || typed.empty()) return -1;
  const std::string wanted = Folded(typed);
  const int start = from >= 0 && from < count ? from : 0;
  for (int step = 0; step < count; ++step) {
    const int k = (start + step) % count;
    if (Folded(menu.items[static_cast<size_t>(k)].caption).starts_with(wanted)) return k;
  }
  return -1;
}

}  // namespace luch
