#include "reports/paint/pdf_table.h"

#include <QFontMetricsF>
#include <algorithm>

#include "reports/paint/pdf_pages.h"

namespace luch {
namespace {

constexpr double kPadX = Pt(2.5);
constexpr double kPadY = Pt(1.2);
const QColor kRule(165, 165, 165);
const QColor kHeaderFill(232, 234, 238);

double WidestWord(const QString& text, const QFontMetricsF& metrics) {
  double widest = 0.0;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    widest = std::max(widest, metrics.horizontalAdvance(word));
  }
  return widest;
}

// Word wrap, or wrap anywhere when a single word is wider than `width`.
int WrapFlags(const QString& text, double width, const QFontMetricsF& metrics) {
  return WidestWord(text, metrics) > width ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

class TableLayout {
 public:
  TableLayout(const std::vector<PdfColumn>& columns, const std::vector<PdfRow>& rows,
              const QFont& font, double total_width)
      : columns_(columns), rows_(rows), plain_(font), bold_(BoldOf(font)) {
    const size_t n = columns.size();
    advances_.resize(rows.size() * n);
    // Per column the widest text and the widest word.
    std::vector<double> natural(n, 0.0), least(n, 0.0);
    for (size_t c = 0; c < n; ++c) {
      natural[c] = bold_.horizontalAdvance(columns[c].header);
      least[c] = WidestWord(columns[c].header, bold_);
    }
    for (size_t r = 0; r < rows.size(); ++r) {
      for (size_t c = 0; c < n && c < rows[r].size(); ++c) {
        const PdfCell& cell = rows[r][c];
        const QFontMetricsF& metrics = Metrics(cell);
        const double advance = metrics.horizontalAdvance(cell.text) + cell.indent;
        advances_[r * n + c] = advance;
        natural[c] = std::max(natural[c], advance);
        if (advance > least[c])
          least[c] = std::max(least[c], WidestWord(cell.text, metrics) + cell.indent);
      }
    }
    double most = 0.0, fewest = 0.0, growing = 0.0;
    for (size_t c = 0; c < n; ++c) {
      natural[c] += 2 * kPadX;
      least[c] += 2 * kPadX;
      most += natural[c];
      fewest += least[c];
      if (columns[c].flexible) growing += natural[c];
    }
    // Every column as wide as its widest text when there is room, the rest
    // going to the flexible ones; else each at least as wide as its widest
    // word, the rest in proportion to what the column lacks; only when even
    // that is too much do words break.
    widths_ = natural;
    for (size_t c = 0; c < n; ++c) {
      if (most <= total_width) {
        if (columns[c].flexible) widths_[c] += (total_width - most) * natural[c] / growing;
      } else if (fewest <= total_width) {
        widths_[c] = least[c] + (total_width - fewest) * (natural[c] - least[c]) / (most - fewest);
      } else {
        widths_[c] = total_width * least[c] / fewest;
      }
    }
  }

  const std::vector<double>& widths() const { return widths_; }

  // The height of the header row (header true) or of row r.
  double Height(bool header, size_t r) const {
    double height = plain_.height();
    for (size_t c = 0; c < columns_.size(); ++c) {
      const PdfCell* cell = header ? nullptr : &rows_[r][c];
      const QString& text = cell ? cell->text : columns_[c].header;
      const QFontMetricsF& metrics = cell ? Metrics(*cell) : bold_;
      const double indent = cell ? cell->indent : 0.0;
      const double advance =
          cell ? advances_[r * columns_.size() + c] - indent : metrics.horizontalAdvance(text);
      const double room = TextWidth(c, indent);
      if (advance > room) {
        const QRectF box(0, 0, room, 1e6);
        height = std::max(height,
                          metrics.boundingRect(box, WrapFlags(text, room, metrics), text).height());
      }
    }
    return height + 2 * kPadY;
  }

  double TextWidth(size_t c, double indent) const { return widths_[c] - 2 * kPadX - indent; }
  const QFontMetricsF& Metrics(const PdfCell& cell) const { return cell.bold ? bold_ : plain_; }

 private:
  static QFont BoldOf(QFont font) {
    font.setBold(true);
    return font;
  }

  const std::vector<PdfColumn>& columns_;
  const std::vector<PdfRow>& rows_;
  QFontMetricsF plain_, bold_;
  std::vector<double> advances_;  // row-major: the width of every cell's text
  std::vector<double> widths_;
};

void DrawCells(PdfPages& pages, const TableLayout& layout, const std::vector<PdfColumn>& columns,
               const PdfRow& cells, double height, const QFont& font) {
  QPainter& painter = pages.painter();
  double x = pages.left();
  const double y = pages.y();
  for (size_t c = 0; c < columns.size(); ++c) {
    const double width = layout.widths()[c];
    const PdfCell& cell = cells[c];
    if (cell.background.alpha() > 0) painter.fillRect(QRectF(x, y, width, height), cell.background);
    if (!cell.text.isEmpty()) {
      QFont cell_font = font;
      cell_font.setBold(cell.bold);
      painter.setFont(cell_font);
      painter.setPen(cell.colour);
      const double room = layout.TextWidth(c, cell.indent);
      const QRectF box(x + kPadX + cell.indent, y + kPadY, room, height - 2 * kPadY);
      painter.drawText(
          box, columns[c].align | Qt::AlignTop | WrapFlags(cell.text, room, layout.Metrics(cell)),
          cell.text);
    }
    x += width;
  }
  painter.setPen(QPen(kRule, Pt(0.4)));
  painter.drawLine(QPointF(pages.left(), y + height), QPointF(x, y + height));
  pages.Advance(height);
}

// The rules between the columns of one page's part of the table.
void DrawColumnRules(PdfPages& pages, const TableLayout& layout, double top) {
  QPainter& painter = pages.painter();
  painter.setPen(QPen(kRule, Pt(0.4)));
  double x = pages.left();
  painter.drawLine(QPointF(x, top), QPointF(x, pages.y()));
  for (const double width : layout.widths()) {
    x += width;
    painter.drawLine(QPointF(x, top), QPointF(x, pages.y()));
  }
  painter.drawLine(QPointF(pages.left(), top), QPointF(x, top));
}

}  // namespace

void DrawPdfTable(PdfPages& pages, const std::vector<PdfColumn>& columns,
                  const std::vector<PdfRow>& rows, const QFont& font) {
  const TableLayout layout(columns, rows, font, pages.width());
  PdfRow header;
  for (const PdfColumn& column : columns) {
    header.push_back({column.header, kHeaderFill, Qt::black, true, 0.0});
  }
  const bool has_header = std::any_of(columns.begin(), columns.end(), [](const PdfColumn& column) {
    return !column.header.isEmpty();
  });
  const double header_height = has_header ? layout.Height(true, 0) : 0.0;
  const auto start_part = [&] {
    const double top = pages.y();
    if (has_header) DrawCells(pages, layout, columns, header, header_height, font);
    return top;
  };
  // The header never stands alone at the foot of a page.
  pages.Fit(header_height + (rows.empty() ? 0.0 : layout.Height(false, 0)));
  double top = start_part();
  for (size_t r = 0; r < rows.size(); ++r) {
    const double height = layout.Height(false, r);
    if (!pages.Fits(height)) {
      DrawColumnRules(pages, layout, top);
      pages.NewPage();
      top = start_part();
    }
    DrawCells(pages, layout, columns, rows[r], height, font);
  }
  DrawColumnRules(pages, layout, top);
}

}  // namespace luch
