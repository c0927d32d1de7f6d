#include "common/cp1251.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace luch {
namespace {

// Code points of the bytes 0x80..0xFF. The code page has no character at 0x98:
// it stands for the control code U+0098, so that the byte survives a file
// read and written again.
constexpr std::array<char16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

uint32_t HighByteCodePoint(unsigned char byte) {
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);  // А..я in order
  return kHigh[byte - 0x80];
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when the
// bytes there do not form a valid sequence.
size_t DecodeUtf8(std::string_view text, size_t i, uint32_t& cp) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  size_t len = 0;
  uint32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

int EncodeCp1251(uint32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
  for (size_t k = 0; k < kHigh.size(); ++k) {
    if (kHigh[k] == cp) return static_cast<int>(0x80 + k);
  }
  return -1;
}

uint32_t FoldCodePoint(uint32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
  if (cp >= 0x0410 && cp <= 0x042F) return cp + 0x20;  // А..Я
  if (cp >= 0x0400 && cp <= 0x040F) return cp + 0x50;  // Ё, Ђ, Є, І, Ї, Ў ...
  if (cp == 0x0490) return 0x0491;                     // Ґ
  return cp;
}

// The UTF-8 form of every byte, for converting a whole file at once.
struct Utf8Form {
  std::array<char, 3> bytes{};
  unsigned char size = 0;
};
const std::array<Utf8Form, 256>& Utf8Forms() {
  static const std::array<Utf8Form, 256> forms = [] {
    std::array<Utf8Form, 256> made{};
    for (size_t b = 0; b < made.size(); ++b) {
      std::string form;
      AppendUtf8(form, b < 0x80 ? static_cast<uint32_t>(b)
                                : HighByteCodePoint(static_cast<unsigned char>(b)));
      std::copy(form.begin(), form.end(), made[b].bytes.begin());
      made[b].size = static_cast<unsigned char>(form.size());
    }
    return made;
  }();
  return forms;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  const std::array<Utf8Form, 256>& forms = Utf8Forms();
  size_t size = 0;
  for (char c : bytes) size += forms[static_cast<unsigned char>(c)].size;
  std::string out(size, '\0');
  char* to = out.data();
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      *to++ = c;
      continue;
    }
    const Utf8Form& form = forms[b];
    to[0] = form.bytes[0];
    to[1] = form.bytes[1];
    if (form.size == 3) to[2] = form.bytes[2];
    to += form.size;
  }
  return out;
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
}  // namespace

bool IsUtf8File(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return true;
  bool cyrillic = false;
  size_t i = 0;
  while (i < bytes.size()) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(bytes, i, cp);
    if (len == 0) return false;
    cyrillic = cyrillic || (cp >= 0x0400 && cp <= 0x04FF);
    i += len;
  }
  return cyrillic;
}

std::string FileTextToUtf8(std::string_view bytes) {
  if (!IsUtf8File(bytes)) return Cp1251ToUtf8(bytes);
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(bytes, i, cp);
    if (len == 0) {  // a byte >= 0x80 out of place (only after a mark)
      AppendUtf8(out, HighByteCodePoint(static_cast<unsigned char>(bytes[i])));
      ++i;
    } else {
      out.append(bytes.substr(i, len));
      i += len;
    }
  }
  return out;
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendCp1251(text, out);
  return out;
}

// Written through a pointer: no form is longer than its UTF-8 sequence.
bool AppendCp1251(std::string_view text, std::string& out) {
  const size_t start = out.size();
  out.resize(start + text.size());
  char* to = out.data() + start;
  bool exact = true;
  size_t i = 0;
  while (i < text.size()) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
      *to++ = static_cast<char>(b0);
      ++i;
      continue;
    }
    // А..я, most of a Russian text, straight from their two bytes.
    if ((b0 == 0xD0 || b0 == 0xD1) && i + 1 < text.size()) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      const uint32_t letter = ((b0 & 0x1Fu) << 6) | (b1 & 0x3Fu);
      if ((b1 & 0xC0) == 0x80 && letter >= 0x0410 && letter <= 0x044F) {
        *to++ = static_cast<char>(0xC0 + (letter - 0x0410));
        i += 2;
        continue;
      }
    }
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    const int b = len == 0 ? -1 : EncodeCp1251(cp);
    exact = exact && b >= 0;
    *to++ = b < 0 ? '?' : static_cast<char>(b);
    i += len == 0 ? 1 : len;
  }
  out.resize(static_cast<size_t>(to - out.data()));
  return exact;
}

std::optional<std::string> ExactCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  if (!AppendCp1251(text, out)) return std::nullopt;
  return out;
}

bool FitsCp1251(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    if (len == 0 || EncodeCp1251(cp) < 0) return false;
    i += len;
  }
  return true;
}

std::vector<std::string> UnsavableCharacters(std::string_view text) {
  std::vector<std::string> found;
  size_t i = 0;
  while (i < text.size()) {
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    if (len == 0 || EncodeCp1251(cp) < 0) {
      std::string character(text.substr(i, len == 0 ? 1 : len));
      if (std::find(found.begin(), found.end(), character) == found.end()) {
        found.push_back(std::move(character));
      }
    }
    i += len == 0 ? 1 : len;
  }
  return found;
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  size_t i = 0;
  while (i < text.size()) {
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    i += len == 0 ? 1 : len;
    ++count;
  }
  return count;
}

std::string_view Utf8Prefix(std::string_view text, size_t count) {
  if (text.size() <= count) return text;  // no fewer bytes than characters
  size_t i = 0;
  while (i < text.size() && count > 0) {
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    i += len == 0 ? 1 : len;
    --count;
  }
  return text.substr(0, i);
}

std::string FoldCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint32_t cp = 0;
    const size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) {
      out += text[i];
      ++i;
      continue;
    }
    AppendUtf8(out, FoldCodePoint(cp));
    i += len;
  }
  return out;
}

}  // namespace luch
