#include <QBuffer>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/paint/voltage_chart_style.h"
#include "chart/ui/voltage_chart.h"
#include "common/ui/window_place.h"

namespace luch {

using namespace chart_style;

TChart::TChart(std::filesystem::path data_dir, Platform platform, QWidget* parent)
    : QWidget(parent, Qt::Window), logic_(std::move(data_dir), platform) {
  setObjectName("TChart");
  setWindowTitle(Q(chart_texts::kCaption));

  chart_ = new VoltageChart(this);
  chart_->setObjectName("VoltageChart1");
  button_save_ = new QPushButton(Q(chart_texts::kButtonSave), this);
  button_save_->setObjectName("ButtonSave");
  button_save_->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button_save_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 8);
  layout->setSpacing(6);
  layout->addWidget(chart_, 1);
  layout->addLayout(buttons);

  connect(chart_, &VoltageChart::RowClicked, this, &TChart::RowClicked);
  connect(button_save_, &QPushButton::clicked, this, &TChart::ButtonSaveClick);

  // FormCreate
  const WindowGeometry geometry = logic_.FormCreate();
  ApplyPlace(*this, geometry, *platform.screen);
}

void TChart::SetProfile(const VoltageProfile& profile) { chart_->SetProfile(profile); }

void TChart::ClearProfile() { chart_->ClearProfile(); }

void TChart::ButtonSaveClick() {
  logic_.ButtonSaveClick([this] {
    const QImage image = chart_->grab().toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
      return std::string();
    }
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
  });
}

void TChart::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TChart::closeEvent(QCloseEvent* event) {
  logic_.FormClose(PlaceOf(*this));
  event->accept();  // hides; the main window keeps the window for the rest of the run
}

}  // namespace luch
