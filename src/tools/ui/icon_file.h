// The program's picture as a Windows icon file, for the .exe's resources.
#pragma once

#include <QByteArray>
#include <QList>

namespace luch {

// An .ico file holding ProgramIconPixmap at each of `sizes` (1..256 pixels,
// in that order), each image stored as PNG. Empty when `sizes` is empty or a
// size is out of range.
QByteArray ProgramIconFile(const QList<int>& sizes);

}  // namespace luch
