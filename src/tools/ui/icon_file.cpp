#include "tools/ui/icon_file.h"

#include <QBuffer>
#include <QDataStream>

#include "tools/ui/program_icon.h"

namespace luch {

QByteArray ProgramIconFile(const QList<int>& sizes) {
  if (sizes.isEmpty()) return {};
  QList<QByteArray> images;
  for (const int size : sizes) {
    if (size < 1 || size > 256) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!ProgramIconPixmap(size).toImage().save(&buffer, "PNG")) return {};
    images.append(png);
  }

  // ICONDIR, then one 16-byte ICONDIRENTRY per image, then the images.
  QByteArray file;
  QDataStream out(&file, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out << quint16(0) << quint16(1) << quint16(images.size());
  quint32 offset = 6 + 16 * images.size();
  for (qsizetype i = 0; i < images.size(); ++i) {
    const quint8 side = sizes[i] == 256 ? 0 : quint8(sizes[i]);  // 0 stands for 256
    out << side << side << quint8(0) << quint8(0);               // no palette, reserved
    out << quint16(1) << quint16(32);                            // colour planes, bits per pixel
    out << quint32(images[i].size()) << offset;
    offset += images[i].size();
  }
  for (const QByteArray& png : images) out.writeRawData(png.constData(), int(png.size()));
  return file;
}

}  // namespace luch
