// A table on the pages of a PDF document: a shaded header row, thin rules,
// cells of their own colours; texts too wide for their column wrap.
// A table longer than a page goes on over the next ones with its header row
// repeated; a row is never split.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

namespace luch {

class PdfPages;

struct PdfColumn {
  QString header;
  Qt::Alignment align = Qt::AlignLeft;
  // Takes a share of the room that the widest texts leave. Where there is
  // not enough room, every column wraps its texts at blanks.
  bool flexible = false;
};

struct PdfCell {
  QString text;
  QColor background = Qt::transparent;
  QColor colour = Qt::black;
  bool bold = false;
  double indent = 0.0;  // page units before the text
};

using PdfRow = std::vector<PdfCell>;  // one cell per column

// Draws the table in the text area from the current position on and leaves
// the position below it. `font` is the cells' font; the header is in bold.
// A table whose headers are all empty has no header row.
void DrawPdfTable(PdfPages& pages, const std::vector<PdfColumn>& columns,
                  const std::vector<PdfRow>& rows, const QFont& font);

}  // namespace luch
