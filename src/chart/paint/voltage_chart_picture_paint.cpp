// Painting of the voltage chart: everything here draws what Layout placed.
#include <QPainter>

#include "chart/paint/voltage_chart_picture.h"
#include "chart/paint/voltage_chart_style.h"
#include "common/ui/qt_text.h"

namespace luch {

using namespace chart_style;

void VoltageChartPicture::Paint(QPainter& painter, int hovered_row) const {
  painter.save();
  painter.setFont(font_);
  painter.fillRect(QRectF(QPointF(0, 0), size_), kBackground);
  if (!has_profile_) {
    DrawMessage(painter, chart_texts::kNoData);
  } else if (!profile_.valid) {
    DrawMessage(painter, chart_texts::kFailed);
  } else {
    DrawAxes(painter);
    DrawSeries(painter, hovered_row);
    DrawLegend(painter);
  }
  painter.restore();
}

void VoltageChartPicture::DrawMessage(QPainter& painter, const char* text) const {
  painter.setPen(has_profile_ ? kFailedText : kFrame);
  QFont big = font_;
  if (big.pointSizeF() > 0) {
    big.setPointSizeF(big.pointSizeF() * 1.3);
  } else {
    big.setPixelSize(big.pixelSize() * 13 / 10);
  }
  painter.setFont(big);
  painter.drawText(QRectF(QPointF(0, 0), size_), Qt::AlignCenter, Q(text));
}

void VoltageChartPicture::DrawAxes(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(kGrid, 1));
  painter.drawLines(grid_lines_);
  painter.setPen(QPen(kFrame, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot_);
  painter.setPen(kText);
  for (const TickText& tick : y_ticks_) {
    painter.drawText(tick.box, Qt::AlignRight | Qt::AlignVCenter, tick.text);
  }
  for (const TickText& tick : x_ticks_) {
    painter.drawText(tick.box, Qt::AlignHCenter | Qt::AlignTop, tick.text);
  }
  QFont bold = font_;
  bold.setBold(true);
  painter.setFont(bold);
  painter.drawText(x_title_, Qt::AlignHCenter | Qt::AlignBottom, Q(chart_texts::kAxisX));
  painter.save();
  painter.translate(y_title_centre_);
  painter.rotate(-90);
  painter.drawText(QRectF(-plot_.height() / 2, -20, plot_.height(), 40), Qt::AlignCenter,
                   Q(chart_texts::kAxisY));
  painter.restore();
  painter.setFont(font_);
}

void VoltageChartPicture::DrawSeries(QPainter& painter, int hovered_row) const {
  painter.save();
  painter.setClipRect(plot_.adjusted(-kPointSize, -kPointSize, kPointSize, kPointSize));

  // The supply voltage, dashed, with its label.
  painter.setPen(QPen(kSupply, 1.5, Qt::DashLine));
  painter.drawLine(QLineF(plot_.left(), supply_y_, plot_.right(), supply_y_));
  painter.setPen(kSupply);
  painter.drawText(supply_label_box_, Qt::AlignRight | Qt::AlignVCenter, supply_label_);

  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kUmin, 2.5, Qt::SolidLine, Qt::FlatCap));
  painter.drawLines(umin_marks_);
  painter.setPen(QPen(kLineSeries, 1, Qt::DotLine));
  painter.drawLines(zb_drops_);
  painter.setPen(QPen(kBlockSeries, 1));
  painter.drawPolyline(block_path_);

  // Points get a white halo so that neighbours stay apart. On a crowded ray
  // the line goes over the green and grey points (they only mark where blocks
  // are), never over the red ones.
  auto draw_points = [&painter](const QVector<QPointF>& points, const QColor& colour) {
    painter.setPen(QPen(kBackground, kPointSize + 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoints(points.constData(), static_cast<int>(points.size()));
    painter.setPen(QPen(colour, kPointSize, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoints(points.constData(), static_cast<int>(points.size()));
  };
  auto draw_line = [&painter, this] {
    painter.setPen(QPen(kLineSeries, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line_path_);
  };
  if (!crowded_) draw_line();
  draw_points(unknown_points_, kUnknown);
  draw_points(in_order_points_, kInOrder);
  if (crowded_) draw_line();
  draw_points(below_points_, kBelow);
  if (const std::optional<QPointF> hovered = BlockPointAt(hovered_row)) {
    painter.setPen(QPen(kHover, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(*hovered, kPointSize, kPointSize);
  }
  painter.restore();
}

void VoltageChartPicture::DrawLegend(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (const LegendItem& item : legend_) {
    const double y = item.box.center().y();
    const double x = item.box.left();
    switch (item.kind) {
      case kLegendLineKind:
        painter.setPen(QPen(kLineSeries, 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QLineF(x + 1, y, x + kLegendSample - 1, y));
        break;
      case kLegendInOrderKind:
      case kLegendBelowKind:
        painter.setPen(QPen(item.kind == kLegendBelowKind ? kBelow : kInOrder, kPointSize,
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawPoint(QPointF(x + kLegendSample / 2, y));
        break;
      default:
        painter.setPen(QPen(kUmin, 2.5, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QLineF(x + kLegendSample / 2 - kUminHalfWidth, y,
                                x + kLegendSample / 2 + kUminHalfWidth, y));
        break;
    }
    painter.setPen(kText);
    painter.drawText(item.box.adjusted(kLegendSample + 6, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, item.text);
  }
}

}  // namespace luch
