#include "reports/paint/pdf_pages.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cmath>
#include <utility>

#include "common/number_text.h"
#include "common/ui/qt_text.h"
#include "reports/document_texts.h"

namespace luch {

QString PdfFontFamily() {
  // Loaded once from the program's resources (a QGuiApplication must exist).
  static const QString family = [] {
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(regular);
    return families.isEmpty() ? QString() : families.front();
  }();
  return family;
}

QFont PdfFont(double points, bool bold) {
  QFont font(PdfFontFamily());
  font.setStyleHint(QFont::SansSerif, QFont::PreferMatch);
  // A pixel size in the page's units: the same size on any writer resolution.
  font.setPixelSize(static_cast<int>(std::lround(Pt(points))));
  font.setBold(bold);
  return font;
}

PdfPages::PdfPages(QPdfWriter& writer, QString footer)
    : writer_(writer), footer_(std::move(footer)) {
  writer_.setResolution(static_cast<int>(kPdfDpi));
  writer_.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  if (!painter_.begin(&writer_)) return;
  left_ = Mm(18);
  width_ = writer_.width() - left_ - Mm(12);
  top_ = Mm(14);
  bottom_ = writer_.height() - Mm(16);
  y_ = top_;
}

bool PdfPages::Fit(double height) {
  if (Fits(height) || y_ <= top_) return false;
  NewPage();
  return true;
}

void PdfPages::NewPage() {
  DrawFooter();
  writer_.newPage();
  ++page_;
  y_ = top_;
}

void PdfPages::Finish() {
  if (!painter_.isActive()) return;
  DrawFooter();
  painter_.end();
}

double PdfPages::Paragraph(const QString& text, const QFont& font, const QColor& colour,
                           double indent) {
  const QRectF box(left_ + indent, 0, width_ - indent, 1e6);
  const double height =
      QFontMetricsF(font).boundingRect(box, Qt::TextWordWrap, text).height() + Pt(1.5);
  Fit(height);
  painter_.setFont(font);
  painter_.setPen(colour);
  painter_.drawText(box.translated(0, y_), Qt::TextWordWrap, text);
  y_ += height;
  return height;
}

void PdfPages::DrawFooter() {
  const QFont font = PdfFont(7.5);
  const double line = QFontMetricsF(font).height();
  const QRectF box(left_, bottom_ + Mm(5), width_, line);
  painter_.setFont(font);
  painter_.setPen(QColor(90, 90, 90));
  painter_.drawLine(QPointF(left_, box.top() - Pt(2)), QPointF(left_ + width_, box.top() - Pt(2)));
  painter_.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, footer_);
  painter_.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                    Q(CFormat(document_texts::kPage, {page_})));
}

}  // namespace luch
