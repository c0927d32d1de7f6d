// The program's texts (UTF-8 std::string, string_view and literals) as Qt's.
//   label->setText(Q("Блоков: ") + Q(std::to_string(count)));
#pragma once

#include <QString>
#include <string_view>

namespace luch {

inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace luch
