#include "chart/ui/voltage_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "chart/paint/voltage_chart_style.h"

namespace luch {

// --- VoltageChart ----------------------------------------------------------

VoltageChart::VoltageChart(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  Relayout();
}

void VoltageChart::SetProfile(const VoltageProfile& profile) {
  picture_.SetProfile(profile);
  hovered_row_ = 0;
  Relayout();
  update();
}

void VoltageChart::ClearProfile() {
  picture_.ClearProfile();
  hovered_row_ = 0;
  Relayout();
  update();
}

void VoltageChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void VoltageChart::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) Relayout();
}

void VoltageChart::Relayout() { picture_.Layout(QSizeF(size()), font()); }

void VoltageChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  picture_.Paint(painter, hovered_row_);
}

std::optional<QPointF> VoltageChart::BlockPointAt(int row) const {
  return picture_.BlockPointAt(row);
}

int VoltageChart::RowAt(QPointF pos) const { return picture_.RowAt(pos, chart_style::kHitRadius); }

void VoltageChart::mouseMoveEvent(QMouseEvent* event) {
  const int row = RowAt(event->position());
  if (row != hovered_row_) {
    hovered_row_ = row;
    setCursor(row ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
  if (const VoltagePoint* point = picture_.PointOfRow(row)) {
    QToolTip::showText(
        event->globalPosition().toPoint(),
        QString::fromStdString(PointToolTip(*point, picture_.profile().decimal_separator)), this);
  } else {
    QToolTip::hideText();
  }
}

void VoltageChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const int row = RowAt(event->position());
  if (row) emit RowClicked(row);
}

void VoltageChart::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (hovered_row_) {
    hovered_row_ = 0;
    update();
  }
}

}  // namespace luch
