// Windows-1251 <-> UTF-8 at the file boundary. Inside the program every string
// is UTF-8; every file on disk is Windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace luch {

// Every byte of the code page has a character; the one unassigned byte (0x98)
// maps to U+FFFD so that nothing is lost silently on reading.
std::string Cp1251ToUtf8(std::string_view bytes);

// A character without a Windows-1251 form, and a malformed UTF-8 sequence,
// is written as "?".
std::string Utf8ToCp1251(std::string_view text);

// Number of characters (code points) of a UTF-8 text; a malformed byte counts
// as one character.
size_t Utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string_view Utf8Prefix(std::string_view text, size_t count);

// Folds Latin and Cyrillic capitals to small letters, as the platform's
// case-insensitive comparison of profile section and key names does.
std::string FoldCase(std::string_view text);

}  // namespace luch
