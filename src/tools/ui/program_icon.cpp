#include "tools/ui/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace luch {

QPixmap ProgramIconPixmap(int size) {
  size = std::max(size, 1);
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  // Drawn on a 32 x 32 grid, scaled to the asked size.
  painter.scale(size / 32.0, size / 32.0);

  const QColor outline(0x20, 0x30, 0x48);
  const QColor line_colour(0x1E, 0x5A, 0xA8);

  // The ray: two wires leaving the controller to the right.
  painter.setPen(QPen(line_colour, 1.6, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QPointF(10, 22), QPointF(31, 22));
  painter.drawLine(QPointF(10, 26), QPointF(31, 26));

  // The controller unit at the root of the ray.
  painter.setPen(QPen(outline, 1.2));
  painter.setBrush(QColor(0x6F, 0x8F, 0xB8));
  painter.drawRoundedRect(QRectF(1, 17, 10, 13), 1.5, 1.5);
  painter.setBrush(QColor(0x7C, 0xE0, 0x6A));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(4, 20.5), 1.3, 1.3);

  // Addressable blocks along the line.
  painter.setPen(QPen(outline, 1.0));
  painter.setBrush(QColor(0xF2, 0xC1, 0x4E));
  for (const qreal x : {14.0, 20.5, 27.0}) painter.drawRect(QRectF(x - 2, 21, 4, 6));

  // The lightning bolt over the line.
  QPainterPath bolt;
  bolt.moveTo(20, 1);
  bolt.lineTo(12, 11);
  bolt.lineTo(17, 11);
  bolt.lineTo(13, 19);
  bolt.lineTo(24, 8);
  bolt.lineTo(18.5, 8);
  bolt.lineTo(23, 1);
  bolt.closeSubpath();
  painter.setPen(QPen(QColor(0xA0, 0x50, 0x00), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(QColor(0xFF, 0xD2, 0x1F));
  painter.drawPath(bolt);
  painter.end();
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 256}) icon.addPixmap(ProgramIconPixmap(size));
  return icon;
}

}  // namespace luch
