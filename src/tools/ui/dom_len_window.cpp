#include "tools/ui/dom_len_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <utility>

#include "common/ui/qt_text.h"
#include "common/ui/window_place.h"

namespace luch {
namespace {

constexpr int kImageLeft = 10, kImageTop = 10, kImageWidth = 400, kImageHeight = 300;
// In picture coordinates.
const QRect kLowHouse(24, 180, 86, 80);
const QRect kTallHouse(320, 36, 72, 224);
constexpr int kGroundTop = 260;
constexpr int kDistanceLineY = 282;

const QColor kSilver(192, 192, 192);
const QColor kSky(255, 255, 255);
const QColor kGround(128, 128, 128);
const QColor kHouse(0, 0, 255);

}  // namespace

QPixmap DrawHousesPicture() {
  QPixmap picture(kImageWidth, kImageHeight);
  picture.fill(kSky);
  QPainter painter(&picture);
  painter.fillRect(0, kGroundTop, kImageWidth, kImageHeight - kGroundTop, kGround);
  painter.fillRect(kLowHouse, kHouse);
  painter.fillRect(kTallHouse, kHouse);
  painter.setRenderHint(QPainter::Antialiasing);
  // The cable: from the roof of the low house to the roof of the tall one.
  painter.setPen(QPen(Qt::black, 2));
  painter.drawLine(QPoint(kLowHouse.right(), kLowHouse.top()),
                   QPoint(kTallHouse.left(), kTallHouse.top()));
  // The distance between the houses, with its end marks.
  painter.setPen(QPen(Qt::black, 1));
  const int from = kLowHouse.right() + 1, to = kTallHouse.left() - 1;
  painter.drawLine(from, kDistanceLineY, to, kDistanceLineY);
  painter.drawLine(from, kDistanceLineY - 5, from, kDistanceLineY + 5);
  painter.drawLine(to, kDistanceLineY - 5, to, kDistanceLineY + 5);
  return picture;
}

TDomLen::TDomLen(std::filesystem::path data_dir, Platform platform, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      logic_(std::move(data_dir), platform) {
  setObjectName("TDomLen");
  setWindowTitle(Q(dom_len_texts::kCaption));
  QPalette background = palette();
  background.setColor(QPalette::Window, kSilver);
  setPalette(background);
  setAutoFillBackground(true);

  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setGeometry(kImageLeft, kImageTop, kImageWidth, kImageHeight);
  image->setPixmap(DrawHousesPicture());

  // Created after the picture, so they lie over it.
  MaskEdit1 = AddMaskEdit("MaskEdit1", "##;_", dom_len_texts::kMaskEdit1, 49, 286, 2);
  MaskEdit2 = AddMaskEdit("MaskEdit2", "##;_", dom_len_texts::kMaskEdit2, 423, 49, 2);
  MaskEdit3 = AddMaskEdit("MaskEdit3", "###;_", dom_len_texts::kMaskEdit3, 226, 305, 3);

  Label1 = new QLabel(Q(dom_len_texts::kLabel1Design), this);
  Label1->setObjectName("Label1");
  QFont font = Label1->font();
  font.setBold(true);
  font.setPixelSize(20);
  Label1->setFont(font);
  Label1->setAttribute(Qt::WA_TranslucentBackground);
  Label1->move(128, 128);

  // FormCreate
  const WindowGeometry geometry = logic_.FormCreate();
  ApplyPlace(*this, geometry, *platform.screen);
  for (QLineEdit* field : {MaskEdit1, MaskEdit2, MaskEdit3}) {
    connect(field, &QLineEdit::textChanged, this, &TDomLen::MaskEdit3Change);
  }
  MaskEdit3Change();
}

QLineEdit* TDomLen::AddMaskEdit(const char* name, const char* mask, const char* text, int left,
                                int top, int positions) {
  auto* field = new QLineEdit(this);
  field->setObjectName(name);
  field->setInputMask(QString::fromLatin1(mask));
  field->setText(Q(text));
  // Room for the positions and the frame, no more: the field sits on the picture.
  const int width = field->fontMetrics().horizontalAdvance(QString(positions + 1, '0')) + 8;
  field->setGeometry(left, top, width, field->sizeHint().height());
  return field;
}

void TDomLen::MaskEdit3Change() {
  // The texts as shown: text() would drop the blanks of unfilled positions.
  logic_.MaskEdit3Change(MaskEdit1->displayText().toStdString(),
                         MaskEdit2->displayText().toStdString(),
                         MaskEdit3->displayText().toStdString());
  Label1->setText(QString::fromStdString(logic_.label1_caption()));
  Label1->adjustSize();
}

void TDomLen::closeEvent(QCloseEvent* event) {
  logic_.FormClose(PlaceOf(*this));
  event->accept();  // hides: the entries stay for the rest of the run
}

}  // namespace luch
