// Windows-style INI files ("profile files") in Windows-1251. A file that is
// UTF-8 (IsUtf8File) is read as UTF-8; every file is written in Windows-1251.
//
// The file is read whole when the object is made and written whole, atomically,
// by Save(); a failed write leaves the file on disk as it was. A file larger
// than kMaxFileBytes or of more than kMaxFileLines lines (file_io.h) is not
// read: it counts as unreadable. Section and key
// names compare case-insensitively (Latin and Cyrillic letters alike); values
// are read with blanks around them removed, up to 2047 characters. Writing a
// key keeps every other section, key, comment and blank line in place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/file_system.h"

namespace luch {

class ProfileFile {
 public:
  // An empty file that Save() writes at `path`.
  ProfileFile() = default;
  // Reads the file at `path` from `files`, which Save() writes too; a missing
  // or unreadable file reads as empty.
  explicit ProfileFile(std::filesystem::path path, FileSystem& files = RealFileSystem());
  // A file from its bytes (as a file on disk), not bound to any path; empty for
  // bytes of more than kMaxFileLines lines.
  static ProfileFile FromBytes(std::string_view bytes);

  const std::filesystem::path& path() const { return path_; }
  bool existed() const { return existed_; }  // the file was there when read
  // A file was at path() but could not be read (too large, too many lines,
  // no access, held by another program): Save() refuses to replace it.
  bool unreadable() const { return unreadable_; }

  // The key's text, or `fallback` when the section or the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // A whole number (decimal, or hexadecimal after "0x"); `fallback` for
  // anything else.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  // True for any whole number but 0; `fallback` when the text is not a number.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // A real with "," or "." as separator; `fallback` when it does not parse.
  double ReadReal(std::string_view section, std::string_view key, double fallback) const;

  // True when the section exists and holds at least one key.
  bool SectionExists(std::string_view section) const;
  bool KeyExists(std::string_view section, std::string_view key) const;
  // The keys of a section in file order (each once, as first written) with
  // the values ReadString gives for them.
  std::vector<std::pair<std::string, std::string>> SectionKeys(std::string_view section) const;
  // Section names in file order (each once, as first written).
  std::vector<std::string> SectionNames() const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // General form, up to 15 significant digits, with the given separator.
  void WriteReal(std::string_view section, std::string_view key, double value,
                 char decimal_separator);

  void EraseSection(std::string_view section);
  // Erases every section named `prefix` followed by a number ("Тип1",
  // "Тип12", not "Тип" or "Тип1а"), in one pass.
  void EraseNumberedSections(std::string_view prefix);
  void DeleteKey(std::string_view section, std::string_view key);
  // Forgets every line, as a deleted file (Save may then replace a file that
  // could not be read).
  void Clear();

  // The whole file as Windows-1251 bytes with CR LF line ends.
  std::string ToBytes() const;
  // Writes the whole file to path() atomically. False when it cannot, when a
  // text holds a character that Windows-1251 lacks (it would come back as
  // "?"; LastWriteNote then names it), and when a file was at path() but
  // could not be read: saving would replace its unseen sections by the few
  // keys written since.
  bool Save() const;
  bool SaveAs(const std::filesystem::path& path) const;
  // SaveAs in UTF-8 with its byte-order mark, which keeps every character:
  // for the program's own files that must hold whatever the user typed or
  // pasted (the recovery file), never for the files users exchange.
  bool SaveAsUtf8(const std::filesystem::path& path) const;

 private:
  // The file's lines as UTF-8, each ended by CR LF.
  std::string Text() const;
  size_t TextSize() const;  // of Text(), in bytes
  // Calls `fn` with every line of the file (headers too) in file order.
  template <typename Fn>
  void ForEachLine(Fn fn) const {
    for (const Line& line : preamble_) fn(line.text);
    for (const Section& section : sections_) {
      fn(section.header);
      for (const Line& line : section.lines) fn(line.text);
    }
  }

  struct Line {
    std::string text;    // the line as it stands (UTF-8), rewritten on change
    std::string folded;  // for a key line: the folded name (KeyName gives it as written)
    bool is_key = false;
  };
  struct Section {
    std::string name;    // as written
    std::string header;  // the header line as it stands
    std::vector<Line> lines;
    std::string folded;  // the folded name
  };

  // False, leaving the file empty, for more than kMaxFileLines lines.
  bool Parse(std::string_view bytes);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  static const Line* FindKey(const Section& section, std::string_view folded_key);
  const Line* FindLine(std::string_view section, std::string_view key) const;
  void Reindex();

  std::filesystem::path path_;
  FileSystem* files_ = &RealFileSystem();
  bool existed_ = false;
  bool unreadable_ = false;     // a file was at path_ but could not be read
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> index_;  // folded name -> first section
  // The section last found, by the name as asked for: a file is mostly read
  // and written section after section, key after key.
  mutable std::string last_name_;
  mutable size_t last_index_ = SIZE_MAX;
};

// `text` as a value that ReadString gives back unchanged: inside quotes when
// it has a blank at an end or is itself enclosed in quotes (reading drops the
// blanks and one pair of enclosing quotes), else as it is.
//   QuotedIfNeeded(" x") == "\" x\"";  QuotedIfNeeded("\"x\"") == "\"\"x\"\""
std::string QuotedIfNeeded(std::string_view text);

// The value that ReadString gives for a key line ("Адрес = \"x \"" gives "x "):
// after the first "=", blanks around it removed, one pair of enclosing quotes
// removed, at most 2047 characters.
std::string ProfileValue(std::string_view line);

}  // namespace luch
