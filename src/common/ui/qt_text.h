// The program's texts (UTF-8 std::string, string_view and literals) as Qt's.
//   label->setText(Q("Блоков: ") + Q(std::to_string(count)));
#pragma once

#include <QString>
#include <string_view>

namespace luch {

inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A menu caption showing `name` character for character: Qt would take a
// single "&" (as in a library name) for an accelerator mark.
inline QString MenuCaption(std::string_view name) { return Q(name).replace('&', "&&"); }

}  // namespace luch
