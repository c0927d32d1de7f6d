// The chart window "График напряжения" (TChart) and its drawing widget
// (VoltageChart): the voltage along the ray after the last calculation.
#pragma once

#include <QPointF>
#include <QWidget>
#include <filesystem>
#include <optional>

#include "chart/paint/voltage_chart_picture.h"
#include "chart/voltage_profile.h"
#include "common/platform.h"

class QPushButton;

namespace luch {

// Shows a VoltageChartPicture of the widget's size and font. Hovering a point
// shows its tooltip; clicking it emits RowClicked.
class VoltageChart : public QWidget {
  Q_OBJECT
 public:
  explicit VoltageChart(QWidget* parent = nullptr);

  // Shows `profile` (copied). An invalid one shows "Не удается выполнить расчет...".
  void SetProfile(const VoltageProfile& profile);
  // Back to the state before any calculation: "Расчет еще не выполнен".
  void ClearProfile();
  const VoltageProfile& profile() const { return picture_.profile(); }
  bool has_profile() const { return picture_.has_profile(); }

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
  void Relayout();

  VoltageChartPicture picture_;
  int hovered_row_ = 0;
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
