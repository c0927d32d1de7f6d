// Windows-1251 <-> UTF-8 at the file boundary. Inside the program every string
// is UTF-8; every file on disk is Windows-1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace luch {

// Every byte has a code point of its own, so that a file read and written
// again keeps every byte: the one byte without a character (0x98) reads as the
// control code U+0098.
std::string Cp1251ToUtf8(std::string_view bytes);

// A character without a Windows-1251 form (one the user typed), and a
// malformed UTF-8 sequence, is written as "?".
std::string Utf8ToCp1251(std::string_view text);

// The characters of a UTF-8 text that Windows-1251 cannot hold (Utf8ToCp1251
// would write them as "?"), each once, in the order of first appearance; a
// malformed byte counts as such a character. Empty when the whole text fits.
//   UnsavableCharacters("2×2 ×€ł") == {"×", "ł"}
std::vector<std::string> UnsavableCharacters(std::string_view text);

// Number of characters (code points) of a UTF-8 text; a malformed byte counts
// as one character.
size_t Utf8Length(std::string_view text);

// The first `count` characters of a UTF-8 text.
std::string_view Utf8Prefix(std::string_view text, size_t count);

// Folds Latin and Cyrillic capitals to small letters, as the platform's
// case-insensitive comparison of profile section and key names does.
std::string FoldCase(std::string_view text);

}  // namespace luch
