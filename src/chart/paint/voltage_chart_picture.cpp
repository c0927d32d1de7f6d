#include "chart/paint/voltage_chart_picture.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/paint/voltage_chart_style.h"
#include "common/number_text.h"
#include "common/ui/qt_text.h"

namespace luch {

using namespace chart_style;

namespace {

// The toolkit-free thinning, on Qt's polygons.
QPolygonF Thinned(const QPolygonF& path, double plot_width) {
  std::vector<ChartPoint> points;
  points.reserve(static_cast<size_t>(path.size()));
  for (const QPointF& p : path) points.push_back({p.x(), p.y()});
  QPolygonF thinned;
  for (const ChartPoint& p : ThinPath(points, plot_width)) thinned.append(QPointF(p.x, p.y));
  return thinned;
}

// A point is kept when it lies at least `spacing` pixels away (in x or y)
// from the last kept one.
bool FarFrom(const QPointF& p, const std::optional<QPointF>& last, double spacing) {
  return !last || std::fabs(p.x() - last->x()) >= spacing ||
         std::fabs(p.y() - last->y()) >= spacing;
}

QString TickLabel(double value, int decimals, char separator) {
  if (std::fabs(value) < 1e-12) value = 0.0;  // no "-0"
  return QString::number(value, 'f', decimals).replace('.', QChar(separator));
}

}  // namespace

void VoltageChartPicture::SetProfile(const VoltageProfile& profile) {
  profile_ = profile;
  has_profile_ = true;
}

void VoltageChartPicture::ClearProfile() {
  profile_ = VoltageProfile{};
  has_profile_ = false;
}

void VoltageChartPicture::Layout(QSizeF size, const QFont& font) {
  size_ = size;
  font_ = font;
  crowded_ = false;
  line_path_.clear();
  block_path_.clear();
  in_order_points_.clear();
  below_points_.clear();
  unknown_points_.clear();
  umin_marks_.clear();
  zb_drops_.clear();
  hits_.Clear();
  legend_.clear();
  x_ticks_.clear();
  y_ticks_.clear();
  grid_lines_.clear();
  if (!has_profile_ || !profile_.valid) return;

  const QFontMetricsF metrics(font_);
  const double line_height = metrics.height();
  const double w = std::max(size_.width(), 120.0), h = std::max(size_.height(), 100.0);

  const ChartRanges ranges = ProfileRanges(profile_);

  const double legend_bottom = LayoutLegend(8.0);
  const double top = legend_bottom + 10.0;
  const double bottom = line_height * 2 + 18.0;
  y_scale_ =
      NiceScale(ranges.y_lo, ranges.y_hi, std::max(2, static_cast<int>((h - top - bottom) / 34)));
  const int y_decimals = y_scale_.Decimals();
  double label_width = 0.0;
  for (int k = 0, count = TickCount(y_scale_); k <= count; ++k) {
    const double v = y_scale_.min + k * y_scale_.step;
    label_width =
        std::max(label_width,
                 metrics.horizontalAdvance(TickLabel(v, y_decimals, profile_.decimal_separator)));
  }
  const double left = 10.0 + line_height + 8.0 + label_width + 6.0;
  const double right = 20.0 + metrics.horizontalAdvance(QStringLiteral("00000")) / 2;
  plot_ = QRectF(QPointF(left, top),
                 QPointF(std::max(left + 40.0, w - right), std::max(top + 40.0, h - bottom)));
  const int x_intervals = std::max(2, static_cast<int>(plot_.width() / 90));
  x_scale_ = NiceScale(ranges.x_lo, ranges.x_hi, x_intervals, 1.0);
  const int x_decimals = x_scale_.Decimals();

  // Ticks, their labels and the grid.
  for (int k = 0, count = TickCount(y_scale_); k <= count; ++k) {
    const double v = y_scale_.min + k * y_scale_.step;
    const double y = MapY(v);
    grid_lines_.append(QLineF(plot_.left(), y, plot_.right(), y));
    const QString text = TickLabel(v, y_decimals, profile_.decimal_separator);
    y_ticks_.push_back({QRectF(plot_.left() - 6 - label_width - 4, y - line_height / 2,
                               label_width + 4, line_height),
                        text});
  }
  for (int k = 0, count = TickCount(x_scale_); k <= count; ++k) {
    const double v = x_scale_.min + k * x_scale_.step;
    const double x = MapX(v);
    grid_lines_.append(QLineF(x, plot_.top(), x, plot_.bottom()));
    x_ticks_.push_back({QRectF(x - 60, plot_.bottom() + 5, 120, line_height),
                        TickLabel(v, x_decimals, profile_.decimal_separator)});
  }
  x_title_ = QRectF(plot_.left(), plot_.bottom() + 6 + line_height, plot_.width(), line_height + 6);
  y_title_centre_ = QPointF(10.0 + line_height / 2, plot_.center().y());

  supply_y_ = MapY(profile_.supply_voltage);
  supply_label_ =
      QString::fromStdString(CFormat(chart_texts::kSupplyLabel, {profile_.supply_voltage}))
          .replace('.', QChar(profile_.decimal_separator));
  const double label_w = metrics.horizontalAdvance(supply_label_) + 4;
  const double label_top =
      supply_y_ - plot_.top() >= line_height + 3 ? supply_y_ - line_height - 2 : supply_y_ + 2;
  supply_label_box_ = QRectF(plot_.right() - label_w - 6, label_top, label_w, line_height);

  // The series, the points and the marks, in pixels.
  const qsizetype n = static_cast<qsizetype>(profile_.points.size());
  QPolygonF line, blocks;
  line.reserve(n + 1);
  blocks.reserve(n);
  line.append(QPointF(MapX(0.0), supply_y_));  // the controller gives the supply voltage
  std::optional<QPointF> last_in_order, last_below, last_unknown, last_umin, last_drop;
  crowded_ = n * kCrowdedPixelsPerBlock > plot_.width();
  const bool crowded = crowded_;
  const double spacing = crowded ? kPointSpacing : 0.0;
  const double below_spacing = crowded ? kBelowSpacing : 0.0;
  for (qsizetype i = 0; i < n; ++i) {
    const VoltagePoint& p = profile_.points[i];
    const double x = MapX(p.distance_m);
    const QPointF node(x, MapY(p.line_voltage));
    const QPointF block(x, MapY(p.block_voltage));
    line.append(node);
    blocks.append(block);
    hits_.Add(x, block.y(), node.y(), p.row);
    // Each colour is thinned on its own: a red point is never hidden by green ones.
    auto [points, last] = !p.umin           ? std::pair(&unknown_points_, &last_unknown)
                          : p.below_minimum ? std::pair(&below_points_, &last_below)
                                            : std::pair(&in_order_points_, &last_in_order);
    if (FarFrom(block, *last, p.below_minimum ? below_spacing : spacing)) {
      points->append(block);
      *last = block;
    }
    if (p.umin) {
      const QPointF mark(x, MapY(*p.umin));
      if (FarFrom(mark, last_umin, crowded ? kUminHalfWidth : 0.0)) {
        umin_marks_.append(QLineF(x - kUminHalfWidth, mark.y(), x + kUminHalfWidth, mark.y()));
        last_umin = mark;
      }
    }
    if (p.has_zb && block.y() - node.y() >= 2.0 && FarFrom(node, last_drop, crowded ? 3.0 : 0.0)) {
      zb_drops_.append(QLineF(node, block));
      last_drop = node;
    }
  }
  line_path_ = Thinned(line, plot_.width());
  block_path_ = Thinned(blocks, plot_.width());
  hits_.Finish();
}

double VoltageChartPicture::LayoutLegend(double top) {
  const QFontMetricsF metrics(font_);
  const double row_height = metrics.height() + 4;
  const char* texts[] = {chart_texts::kLegendLine, chart_texts::kLegendInOrder,
                         chart_texts::kLegendBelow, chart_texts::kLegendUmin};
  const double available = std::max(size_.width(), 120.0) - 24.0;
  // Entries in rows, each row centred.
  std::vector<std::vector<LegendItem>> rows(1);
  double row_width = 0.0;
  for (int kind = 0; kind < 4; ++kind) {
    LegendItem item;
    item.kind = kind;
    item.text = Q(texts[kind]);
    const double entry = kLegendSample + 6 + metrics.horizontalAdvance(item.text);
    const double gap = rows.back().empty() ? 0.0 : 18.0;
    if (!rows.back().empty() && row_width + gap + entry > available) {
      rows.emplace_back();
      row_width = 0.0;
    } else {
      row_width += gap;
    }
    item.box = QRectF(row_width, 0, entry, row_height);
    row_width += entry;
    rows.back().push_back(item);
  }
  double y = top;
  for (std::vector<LegendItem>& row : rows) {
    const double used = row.back().box.right();
    const double shift = std::max(12.0, (std::max(size_.width(), 120.0) - used) / 2);
    for (LegendItem& item : row) {
      item.box.translate(shift, y);
      legend_.push_back(item);
    }
    y += row_height;
  }
  return y;
}

double VoltageChartPicture::MapX(double metres) const {
  if (!std::isfinite(metres)) return metres > 0 ? plot_.right() : plot_.left();
  return plot_.left() + (metres - x_scale_.min) / (x_scale_.max - x_scale_.min) * plot_.width();
}

double VoltageChartPicture::MapY(double volts) const {
  if (!std::isfinite(volts)) return volts > 0 ? plot_.top() : plot_.bottom();
  return plot_.bottom() - (volts - y_scale_.min) / (y_scale_.max - y_scale_.min) * plot_.height();
}

const VoltagePoint* VoltageChartPicture::PointOfRow(int row) const {
  if (!has_profile_ || !profile_.valid || row < 1) return nullptr;
  const std::vector<VoltagePoint>& points = profile_.points;
  // Row r is point r - 1 in every profile that BuildVoltageProfile makes.
  if (row <= static_cast<int>(points.size()) && points[row - 1].row == row) {
    return &points[row - 1];
  }
  auto found = std::find_if(points.begin(), points.end(),
                            [row](const VoltagePoint& p) { return p.row == row; });
  return found == points.end() ? nullptr : &*found;
}

std::optional<QPointF> VoltageChartPicture::BlockPointAt(int row) const {
  const VoltagePoint* p = PointOfRow(row);
  if (!p) return std::nullopt;
  return QPointF(MapX(p->distance_m), MapY(p->block_voltage));
}

int VoltageChartPicture::RowAt(QPointF pos, double radius) const {
  return hits_.RowAt(pos.x(), pos.y(), radius);
}

}  // namespace luch
