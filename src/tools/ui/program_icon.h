// The program's own picture: a controller box feeding a ray, a line with small
// block squares along it, and a lightning bolt above. Drawn, not loaded.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace luch {

// The picture at `size` x `size` device-independent pixels (size >= 1), on a
// transparent background.
QPixmap ProgramIconPixmap(int size);

// The window icon: the picture at 16, 24, 32, 48, 64 and 256 pixels.
QIcon ProgramIcon();

}  // namespace luch
