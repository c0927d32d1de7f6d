// A4 pages of a PDF document filled from top to bottom: where the next thing
// goes, a new page when it does not fit, a footer on every page. Lengths are
// in the painter's units, 1/720 inch (a tenth of a point).
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

class QPdfWriter;

namespace luch {

// Lengths in the page's units.
inline constexpr double kPdfDpi = 720.0;
inline constexpr double Mm(double mm) { return mm * kPdfDpi / 25.4; }
inline constexpr double Pt(double points) { return points * kPdfDpi / 72.0; }

// The family of the font the program carries for its PDFs (DejaVu Sans);
// empty when it cannot be loaded: no PDF is then written.
QString PdfFontFamily();

// The document's font in `points`: the carried face, which holds Cyrillic.
QFont PdfFont(double points, bool bold = false);

class PdfPages {
 public:
  // Sets `writer` to A4 portrait at kPdfDpi without margins of its own and
  // starts painting on its first page. `footer` is written at the foot of
  // every page, left, with "Страница N" on the right.
  PdfPages(QPdfWriter& writer, QString footer);
  PdfPages(const PdfPages&) = delete;
  PdfPages& operator=(const PdfPages&) = delete;

  // False when the writer could not be painted on (nothing is drawn then).
  bool active() const { return painter_.isActive(); }
  QPainter& painter() { return painter_; }

  // The text area: left edge, width, and the current position from the top.
  double left() const { return left_; }
  double width() const { return width_; }
  double y() const { return y_; }
  void Advance(double height) { y_ += height; }

  // Whether `height` fits below the current position on this page.
  bool Fits(double height) const { return y_ + height <= bottom_; }
  // Makes room for `height` below the current position: starts a new page
  // when it does not fit, unless nothing is on this page yet. True when a new
  // page was started.
  bool Fit(double height);
  void NewPage();
  // Writes the last footer and closes the document.
  void Finish();

  // A paragraph wrapped to the text area (from `indent`); returns its height.
  double Paragraph(const QString& text, const QFont& font, const QColor& colour,
                   double indent = 0.0);

 private:
  void DrawFooter();

  QPdfWriter& writer_;
  QPainter painter_;
  QString footer_;
  int page_ = 1;
  double left_ = 0.0, width_ = 0.0, top_ = 0.0, bottom_ = 0.0, y_ = 0.0;
};

}  // namespace luch
