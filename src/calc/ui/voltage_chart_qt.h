// The chart window "График напряжения" (TChart) and its drawing widget
// (VoltageChart): the voltage along the ray after the last calculation.
#pragma once

#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "calc/chart_layout.h"
#include "calc/voltage_profile.h"
#include "common/platform.h"

class QPushButton;
class QPainter;

namespace luch {

// Draws a VoltageProfile with QPainter: axes, the line voltage at every node,
// the block voltage at every block (green in order, red below Umin, grey for
// a block type not in the library), each block's Umin as a short bar, the
// supply voltage as a dashed line, a legend. Everything that depends on the
// data and the size is computed once per change, not per paint. Hovering a
// point shows its tooltip; clicking it emits RowClicked.
class VoltageChart : public QWidget {
  Q_OBJECT
 public:
  explicit VoltageChart(QWidget* parent = nullptr);

  // Shows `profile` (copied). An invalid one shows "Не удается выполнить расчет...".
  void SetProfile(const VoltageProfile& profile);
  // Back to the state before any calculation: "Расчет еще не выполнен".
  void ClearProfile();
  const VoltageProfile& profile() const { return profile_; }
  bool has_profile() const { return has_profile_; }

  // Where the block point of table row `row` (1-based) is drawn, in widget
  // coordinates; nothing when the row is not in a valid profile.
  std::optional<QPointF> BlockPointAt(int row) const;
  // The row whose block or line point is nearest to `pos` within 8 pixels; 0
  // when none.
  int RowAt(QPointF pos) const;
  // The row under the mouse (0: none), as the tooltip shows it.
  int hovered_row() const { return hovered_row_; }

  QSize sizeHint() const override { return QSize(680, 360); }
  QSize minimumSizeHint() const override { return QSize(320, 200); }

 signals:
  // A click on a point: the table row of that block, 1-based.
  void RowClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

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

  const VoltagePoint* PointOfRow(int row) const;  // null when the row is not shown
  // Recomputes everything drawn from the data and the size.
  void Relayout();
  double MapX(double metres) const;
  double MapY(double volts) const;
  // Places the legend's entries in centred rows from `top`; returns their bottom.
  double LayoutLegend(double top);
  void DrawAxes(QPainter& painter) const;
  void DrawSeries(QPainter& painter) const;
  void DrawLegend(QPainter& painter) const;
  void DrawMessage(QPainter& painter, const char* text) const;

  VoltageProfile profile_;
  bool has_profile_ = false;
  int hovered_row_ = 0;

  // The layout of the current data and size.
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

// The window "График напряжения": the chart and the button
// "Сохранить как PNG...". Modeless; closing or Esc hides it and stores its
// place in Tarvel.ini, section "Chart".
class TChart : public QWidget {
  Q_OBJECT
 public:
  // Reads the window's place from Tarvel.ini in `data_dir`; the window starts
  // hidden and shows "Расчет еще не выполнен" until SetProfile. File dialogs
  // and errors go through `platform`.
  TChart(std::filesystem::path data_dir, Platform platform, QWidget* parent = nullptr);

  // Shows the result of a calculation (see BuildVoltageProfile).
  void SetProfile(const VoltageProfile& profile);
  // Forgets the shown result (a new or another project was opened).
  void ClearProfile();

  VoltageChart* chart() const { return chart_; }
  ChartWindow& logic() { return logic_; }

  // "Сохранить как PNG...": asks for a file name and writes the chart into it.
  void ButtonSaveClick();

 signals:
  // A click on a block's point: its table row, 1-based.
  void RowClicked(int row);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ChartWindow logic_;
  VoltageChart* chart_;
  QPushButton* button_save_;
};

}  // namespace luch
