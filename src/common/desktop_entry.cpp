#include "common/desktop_entry.h"

#include <utility>
#include <vector>

namespace luch {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kExecKey = "Exec";

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The value of the Exec key in the entry's own group, as written.
std::string_view ExecValue(std::string_view content) {
  bool in_entry = false;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    const std::string_view line = Trimmed(content.substr(0, end));
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    if (line.starts_with('[')) {
      in_entry = line == kGroup;
    } else if (in_entry && line.starts_with(kExecKey)) {
      const std::string_view rest = Trimmed(line.substr(kExecKey.size()));
      if (rest.starts_with('=')) return Trimmed(rest.substr(1));
    }
  }
  return {};
}

// The words of an Exec value: blanks separate them; a double-quoted word may
// hold blanks, and "\" takes the next character as it stands.
std::vector<std::string> ExecWords(std::string_view value) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, in_word = false;
  for (size_t k = 0; k < value.size(); ++k) {
    const char c = value[k];
    if (c == '\\' && k + 1 < value.size()) {
      word += value[++k];
      in_word = true;
    } else if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

bool IsAssignment(const std::string& word) {
  const size_t equals = word.find('=');
  return equals != std::string::npos && equals > 0;
}

}  // namespace

std::string DesktopExecProgram(std::string_view content) {
  const std::vector<std::string> words = ExecWords(ExecValue(content));
  size_t k = 0;
  if (k < words.size() && words[k] == "env") {
    ++k;
    while (k < words.size() && IsAssignment(words[k])) ++k;
  }
  return k < words.size() ? words[k] : std::string();
}

}  // namespace luch
