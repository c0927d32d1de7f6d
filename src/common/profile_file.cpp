#include "common/profile_file.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/savable_text.h"

namespace luch {
namespace {

constexpr size_t kMaxValueChars = 2047;

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

// The name of a key line as written: up to its first "=", without blanks
// around it.
std::string_view KeyName(std::string_view line) { return Trim(line.substr(0, line.find('='))); }

// The value part of a key line: trimmed, one pair of enclosing quotes removed.
std::string ValueOf(std::string_view line) {
  const size_t equals = line.find('=');
  std::string_view value = Trim(line.substr(equals + 1));
  if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                            (value.front() == '\'' && value.back() == '\''))) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(Utf8Prefix(value, kMaxValueChars));
}

// The folded form of a key's name. A file repeats a few key names in every
// section: their folded forms are kept (per thread, which may read its own
// files).
const std::string& FoldedKey(std::string_view key) {
  struct Entry {
    std::string key;
    std::string folded;
    bool used = false;
  };
  thread_local std::array<Entry, 16> memo;
  thread_local size_t next = 0;
  for (const Entry& entry : memo) {
    if (entry.used && entry.key == key) return entry.folded;
  }
  Entry& entry = memo[next];
  next = (next + 1) % memo.size();
  entry = Entry{std::string(key), FoldCase(key), true};
  return entry.folded;
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path, FileSystem& files)
    : path_(std::move(path)), files_(&files) {
  std::string bytes;
  existed_ = files.ReadFile(path_, bytes) && Parse(bytes);
  // Anything there that could not be read (a folder, a pipe) is kept too.
  unreadable_ = !existed_ && files.Exists(path_);
}

ProfileFile ProfileFile::FromBytes(std::string_view bytes) {
  ProfileFile file;
  file.Parse(bytes);
  return file;
}

bool ProfileFile::Parse(std::string_view bytes) {
  preamble_.clear();
  sections_.clear();
  index_.clear();
  const size_t line_count = CountLines(bytes);
  if (line_count > kMaxFileLines) return false;
  const std::string text = FileTextToUtf8(bytes);
  // The lines first, so that every section gets room for its lines at once.
  std::vector<std::string_view> lines;
  lines.reserve(line_count);
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(std::string_view(text).substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(std::string_view(text).substr(start));
  const auto header_name = [](std::string_view trimmed) -> std::optional<std::string_view> {
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const size_t close = trimmed.find(']');
    return Trim(
        trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  };
  std::vector<size_t> headers;  // the lines that open a section
  for (size_t k = 0; k < lines.size(); ++k) {
    if (header_name(Trim(lines[k]))) headers.push_back(k);
  }
  sections_.reserve(headers.size());
  preamble_.reserve(headers.empty() ? lines.size() : headers.front());
  size_t next_header = 0;
  for (size_t k = 0; k < lines.size(); ++k) {
    const std::string_view raw = lines[k];
    const std::string_view trimmed = Trim(raw);
    if (next_header < headers.size() && headers[next_header] == k) {
      const std::string_view name = *header_name(trimmed);
      ++next_header;
      const size_t end = next_header < headers.size() ? headers[next_header] : lines.size();
      sections_.push_back(Section{std::string(name), std::string(raw), {}, FoldCase(name)});
      sections_.back().lines.reserve(end - k - 1);
      continue;
    }
    Line line{std::string(raw), {}, false};
    const size_t equals = raw.find('=');
    if (equals != std::string_view::npos && !trimmed.empty() && trimmed.front() != ';') {
      line.is_key = true;
      line.folded = FoldedKey(Trim(raw.substr(0, equals)));
    }
    (sections_.empty() ? preamble_ : sections_.back().lines).push_back(std::move(line));
  }
  Reindex();
  return true;
}

void ProfileFile::Reindex() {
  index_.clear();
  last_index_ = SIZE_MAX;
  for (size_t k = 0; k < sections_.size(); ++k) index_.try_emplace(sections_[k].folded, k);
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view name) const {
  if (last_index_ < sections_.size() && name == last_name_) return &sections_[last_index_];
  const auto it = index_.find(FoldCase(Trim(name)));
  if (it == index_.end()) return nullptr;
  last_name_ = name;
  last_index_ = it->second;
  return &sections_[it->second];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const ProfileFile::Line* ProfileFile::FindKey(const Section& section, std::string_view folded_key) {
  for (const Line& line : section.lines) {
    if (line.is_key && line.folded == folded_key) return &line;
  }
  return nullptr;
}

const ProfileFile::Line* ProfileFile::FindLine(std::string_view section,
                                               std::string_view key) const {
  const Section* s = FindSection(section);
  return s ? FindKey(*s, FoldedKey(Trim(key))) : nullptr;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  const Line* line = FindLine(section, key);
  if (!line) return std::string(Utf8Prefix(fallback, kMaxValueChars));
  return ValueOf(line->text);
}

int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t fallback) const {
  const Line* line = FindLine(section, key);
  if (!line) return fallback;
  int32_t value = 0;
  return ParseInteger(ValueOf(line->text), value) ? value : fallback;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

double ProfileFile::ReadReal(std::string_view section, std::string_view key,
                             double fallback) const {
  const Line* line = FindLine(section, key);
  if (!line) return fallback;
  double value = 0.0;
  return ParseReal(ValueOf(line->text), value) ? value : fallback;
}

bool ProfileFile::SectionExists(std::string_view section) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  for (const Line& line : s->lines) {
    if (line.is_key) return true;
  }
  return false;
}

std::vector<std::pair<std::string, std::string>> ProfileFile::SectionKeys(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> keys;
  const Section* s = FindSection(section);
  if (!s) return keys;
  for (const Line& line : s->lines) {
    // The first line of a key is the one every reader takes.
    if (!line.is_key || FindKey(*s, line.folded) != &line) continue;
    keys.emplace_back(KeyName(line.text), ValueOf(line.text));
  }
  return keys;
}

bool ProfileFile::KeyExists(std::string_view section, std::string_view key) const {
  return FindLine(section, key) != nullptr;
}

std::vector<std::string> ProfileFile::SectionNames() const {
  std::vector<std::string> names;
  for (size_t k = 0; k < sections_.size(); ++k) {
    if (index_.at(sections_[k].folded) == k) names.push_back(sections_[k].name);
  }
  return names;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view raw_value) {
  // A line end inside a value would break the file apart.
  std::string broken;
  // (A plain search: find_first_of asks memchr once per character.)
  if (std::any_of(raw_value.begin(), raw_value.end(),
                  [](char c) { return c == '\r' || c == '\n'; })) {
    broken = raw_value;
    for (char& c : broken) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    raw_value = broken;
  }
  const std::string_view value = raw_value;
  const std::string& folded_key = FoldedKey(Trim(key));
  Section* s = FindSection(section);
  if (!s) {
    // A new section goes at the end, after a blank line.
    const Line* last_line = nullptr;
    if (!sections_.empty() && !sections_.back().lines.empty()) {
      last_line = &sections_.back().lines.back();
    } else if (sections_.empty() && !preamble_.empty()) {
      last_line = &preamble_.back();
    }
    const bool ends_with_header = !sections_.empty() && sections_.back().lines.empty();
    if (ends_with_header || (last_line && !Trim(last_line->text).empty())) {
      (sections_.empty() ? preamble_ : sections_.back().lines).push_back(Line{"", {}, false});
    }
    const std::string name(Trim(section));
    sections_.push_back(Section{name, "[" + name + "]", {}, FoldCase(name)});
    sections_.back().lines.reserve(8);  // a row's keys, without growing step by step
    index_.try_emplace(sections_.back().folded, sections_.size() - 1);
    s = &sections_.back();
  }
  for (Line& line : s->lines) {
    if (line.is_key && line.folded == folded_key) {
      const std::string name(KeyName(line.text));
      line.text.assign(name).append("=").append(value);
      return;
    }
  }
  // A new key goes after the last non-blank line of its section.
  size_t at = s->lines.size();
  while (at > 0 && Trim(s->lines[at - 1].text).empty()) --at;
  const std::string name(Trim(key));
  std::string text;
  text.reserve(name.size() + 1 + value.size());
  text.append(name).append("=").append(value);
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at),
                  Line{std::move(text), folded_key, true});
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::WriteReal(std::string_view section, std::string_view key, double value,
                            char decimal_separator) {
  WriteString(section, key, FormatGeneralReal(value, decimal_separator));
}

void ProfileFile::EraseSection(std::string_view section) {
  const std::string folded = FoldCase(Trim(section));
  std::erase_if(sections_, [&](const Section& s) { return s.folded == folded; });
  Reindex();
}

void ProfileFile::EraseNumberedSections(std::string_view prefix) {
  const std::string folded = FoldCase(prefix);
  const size_t erased = std::erase_if(sections_, [&](const Section& s) {
    const std::string_view name = s.folded;
    return name.size() > folded.size() && name.starts_with(folded) &&
           name.substr(folded.size()).find_first_not_of("0123456789") == std::string_view::npos;
  });
  if (erased > 0) Reindex();
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (!s) return;
  const std::string folded = FoldedKey(Trim(key));
  std::erase_if(s->lines, [&](const Line& line) { return line.is_key && line.folded == folded; });
}

void ProfileFile::Clear() {
  unreadable_ = false;
  preamble_.clear();
  sections_.clear();
  index_.clear();
  last_index_ = SIZE_MAX;
}

size_t ProfileFile::TextSize() const {
  size_t size = 0;
  ForEachLine([&size](const std::string& line) { size += line.size() + 2; });
  return size;
}

std::string ProfileFile::Text() const {
  std::string text;
  text.reserve(TextSize());
  ForEachLine([&text](const std::string& line) {
    text += line;
    text += "\r\n";
  });
  return text;
}

std::string ProfileFile::ToBytes() const { return Utf8ToCp1251(Text()); }

std::string ProfileValue(std::string_view line) { return ValueOf(line); }

std::string QuotedIfNeeded(std::string_view text) {
  if (text.empty()) return std::string(text);
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const char first = text.front();
  const char last = text.back();
  const bool quoted =
      text.size() >= 2 && ((first == '"' && last == '"') || (first == '\'' && last == '\''));
  if (blank(first) || blank(last) || quoted) return "\"" + std::string(text) + "\"";
  return std::string(text);
}

bool ProfileFile::Save() const {
  if (!unreadable_) return SaveAs(path_);
  SetLastWriteNote({});
  return false;
}

bool ProfileFile::SaveAsUtf8(const std::filesystem::path& path) const {
  return WriteFileAtomic(*files_, path, "\xEF\xBB\xBF" + Text());
}

bool ProfileFile::SaveAs(const std::filesystem::path& path) const {
  // Encoded line by line into one buffer; the whole text is formed only to
  // name what cannot be written.
  std::string bytes;
  bytes.reserve(TextSize());
  bool exact = true;
  ForEachLine([&](const std::string& line) {
    exact = AppendCp1251(line, bytes) && exact;
    bytes += "\r\n";
  });
  if (!exact) {
    SetLastWriteNote(UnsavableMessage(Text()));
    return false;
  }
  return WriteFileAtomic(*files_, path, bytes);
}

}  // namespace luch
