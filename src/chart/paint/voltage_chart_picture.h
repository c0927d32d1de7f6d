// The voltage chart as a picture: laid out for a size and a font, painted on
// any QPainter (the chart window's widget, a page of the PDF document). Qt Gui
// only, no windows.
#pragma once

#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <optional>
#include <vector>

#include "chart/chart_layout.h"
#include "chart/voltage_profile.h"

class QPainter;

namespace luch {

// Draws a VoltageProfile: axes, the line voltage at every node, the block
// voltage at every block (green in order, red below Umin, grey for a block
// type not in the library), each block's Umin as a short bar, the supply
// voltage as a dashed line, a legend. Everything that depends on the data,
// the size and the font is computed by Layout, not per paint. Sizes are in
// the painter's units (pixels on a screen).
class VoltageChartPicture {
 public:
  // Shows `profile` (copied). An invalid one shows "Не удается выполнить расчет...".
  void SetProfile(const VoltageProfile& profile);
  // Back to the state before any calculation: "Расчет еще не выполнен".
  void ClearProfile();
  const VoltageProfile& profile() const { return profile_; }
  bool has_profile() const { return has_profile_; }

  // Lays the picture out on (0, 0, size) with `font`; call after every change
  // of the data, the size or the font.
  void Layout(QSizeF size, const QFont& font);
  // Paints it; the block point of `hovered_row` (0: none) gets a ring.
  void Paint(QPainter& painter, int hovered_row = 0) const;

  // The profile's point of table row `row` (1-based); null when not shown.
  const VoltagePoint* PointOfRow(int row) const;
  // Where the block point of `row` is drawn; nothing when it is not shown.
  std::optional<QPointF> BlockPointAt(int row) const;
  // The row whose block or line point is nearest to `pos` within `radius`;
  // 0 when none.
  int RowAt(QPointF pos, double radius) const;

 private:
  struct LegendItem {
    QRectF box;  // the sample and the text
    int kind;
    QString text;
  };
  struct TickText {
    QRectF box;
    QString text;
  };

  double MapX(double metres) const;
  double MapY(double volts) const;
  // Places the legend's entries in centred rows from `top`; returns their bottom.
  double LayoutLegend(double top);
  void DrawAxes(QPainter& painter) const;
  void DrawSeries(QPainter& painter, int hovered_row) const;
  void DrawLegend(QPainter& painter) const;
  void DrawMessage(QPainter& painter, const char* text) const;

  VoltageProfile profile_;
  bool has_profile_ = false;
  QSizeF size_{120, 100};
  QFont font_;

  // The layout of the current data, size and font.
  QRectF plot_;
  bool crowded_ = false;  // more blocks than the width shows one by one
  AxisScale x_scale_, y_scale_;
  QPolygonF line_path_;   // line voltage from the controller to the far end
  QPolygonF block_path_;  // block voltages, thinned to a few points per pixel
  QVector<QPointF> in_order_points_, below_points_, unknown_points_;
  QVector<QLineF> umin_marks_;
  QVector<QLineF> zb_drops_;  // from a node down to its block behind ZB
  QVector<QLineF> grid_lines_;
  std::vector<TickText> x_ticks_, y_ticks_;
  QRectF x_title_;
  QPointF y_title_centre_;
  double supply_y_ = 0.0;
  QString supply_label_;
  QRectF supply_label_box_;
  HitIndex hits_;
  std::vector<LegendItem> legend_;
};

}  // namespace luch
