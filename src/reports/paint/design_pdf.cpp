#include "reports/paint/design_pdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdio>

#include "chart/paint/voltage_chart_picture.h"
#include "common/file_system.h"
#include "common/ui/qt_text.h"
#include "reports/document_texts.h"
#include "reports/paint/pdf_pages.h"
#include "reports/paint/pdf_table.h"

namespace luch {

namespace t = document_texts;

namespace {

const QColor kInk(20, 20, 20);
const QColor kGrey(95, 95, 95);
constexpr double kBody = 9.0;   // points
constexpr double kTable = 7.5;  // points

QColor ToQt(const Rgb& rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

// A heading stays on one page with the first `keep` of what it heads.
void Heading(PdfPages& pages, const char* text, double keep = Mm(20)) {
  const QFont font = PdfFont(11.5, true);
  pages.Fit(Mm(5) + QFontMetricsF(font).height() + keep);
  pages.Advance(Mm(4));
  pages.Paragraph(Q(text), font, kInk);
  pages.Advance(Mm(1));
}

void TitleBlock(PdfPages& pages, const DesignDocument& doc) {
  pages.Paragraph(Q(doc.caption), PdfFont(15, true), kInk);
  pages.Advance(Mm(1.5));
  pages.Paragraph(Q(doc.project), PdfFont(11, true), kInk);
  if (!doc.project_path.empty()) pages.Paragraph(Q(doc.project_path), PdfFont(kBody), kGrey);
  pages.Paragraph(Q(t::kDate + doc.date_time), PdfFont(kBody), kGrey);
}

// Label and value side by side, in a table without a header of its own.
void Pairs(PdfPages& pages, const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<PdfRow> rows;
  for (const auto& [label, value] : pairs) {
    PdfCell shown{Q(value)};
    shown.bold = true;
    rows.push_back({{Q(label)}, shown});
  }
  const std::vector<PdfColumn> columns = {{QString(), Qt::AlignLeft, true},
                                          {QString(), Qt::AlignLeft, true}};
  DrawPdfTable(pages, columns, rows, PdfFont(kBody));
}

void Results(PdfPages& pages, const std::vector<std::string>& results) {
  for (const std::string& text : results) pages.Paragraph(Q(text), PdfFont(kBody), kInk);
}

void RayTable(PdfPages& pages, const DesignDocument& doc) {
  std::vector<PdfColumn> columns;
  for (size_t c = 0; c < doc.headers.size(); ++c) {
    const bool text = c == kAddress || c == kCableName || c == kBlockName || c == kRegimeName;
    columns.push_back({Q(doc.headers[c]),
                       text ? Qt::AlignLeft : (c == kHasZB ? Qt::AlignHCenter : Qt::AlignRight),
                       text});
  }
  std::vector<PdfRow> rows;
  rows.reserve(doc.rows.size());
  for (size_t r = 0; r < doc.rows.size(); ++r) {
    PdfRow& row = rows.emplace_back();
    for (int c = 0; c < kColumnCount; ++c) row.push_back({Q(doc.rows[r][static_cast<size_t>(c)])});
    const VoltageCellLook& look = doc.voltage[r];
    if (!look.standard) {
      PdfCell& u = row[kVoltageV];
      u.background = ToQt(look.background);
      u.colour = ToQt(look.text);
      u.bold = look.below_minimum;
    }
  }
  DrawPdfTable(pages, columns, rows, PdfFont(kTable));
}

void Problems(PdfPages& pages, const std::vector<std::string>& problems) {
  for (const std::string& text : problems) {
    pages.Paragraph(QStringLiteral("• ") + Q(text), PdfFont(kBody), kInk, Mm(2));
  }
}

// Laid out as a window of 900 × 500 pixels with a 12-pixel font, then scaled
// onto the width of the page.
constexpr QSizeF kChartPixels(900, 500);

double ChartHeight(const PdfPages& pages) {
  return kChartPixels.height() * pages.width() / kChartPixels.width();
}

void Chart(PdfPages& pages, const VoltageProfile& profile) {
  const QSizeF size = kChartPixels;
  const double scale = pages.width() / size.width();
  pages.Fit(ChartHeight(pages));
  VoltageChartPicture picture;
  picture.SetProfile(profile);
  QFont font = PdfFont(kBody);
  font.setPixelSize(12);
  picture.Layout(size, font);
  QPainter& painter = pages.painter();
  painter.save();
  painter.translate(pages.left(), pages.y());
  painter.scale(scale, scale);
  picture.Paint(painter);
  painter.restore();
  pages.Advance(size.height() * scale);
}

void QuantityTable(PdfPages& pages, const DesignDocument& doc) {
  const std::vector<PdfColumn> columns = {{Q(t::kColumnPosition), Qt::AlignRight, false},
                                          {Q(t::kColumnName), Qt::AlignLeft, true},
                                          {Q(t::kColumnUnit), Qt::AlignLeft, false},
                                          {Q(t::kColumnAmount), Qt::AlignRight, false}};
  std::vector<PdfRow> rows;
  for (const QuantityLine& line : doc.quantities) {
    using Kind = QuantityLine::Kind;
    const bool strong = line.kind == Kind::kHeading || line.kind == Kind::kTotal;
    const QColor fill = line.kind == Kind::kHeading ? QColor(245, 246, 248) : Qt::transparent;
    const double indent = line.kind == Kind::kPart ? Mm(4) : 0.0;
    PdfRow& row = rows.emplace_back();
    for (const std::string* text : {&line.position, &line.name, &line.unit, &line.amount}) {
      row.push_back({Q(*text), fill, kInk, strong, 0.0});
    }
    row[1].text = row[1].text.trimmed();
    row[1].indent = indent;
  }
  DrawPdfTable(pages, columns, rows, PdfFont(kBody));
  if (doc.quantities_marked) pages.Paragraph(Q(t::kUnknownNote), PdfFont(kBody), kGrey);
}

}  // namespace

std::string RenderDesignPdf(const DesignDocument& doc) {
  // Without its font every glyph would be an empty box: no PDF at all.
  if (PdfFontFamily().isEmpty()) {
    SetLastWriteNote("Шрифт для PDF не загружается: PDF не записан");
    return {};
  }
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QPdfWriter writer(&buffer);
    writer.setTitle(Q(doc.caption + " — " + doc.project));
    writer.setCreator(QStringLiteral("Луч"));
    PdfPages pages(writer, Q(doc.caption + " — " + doc.project));
    if (!pages.active()) return {};
    TitleBlock(pages, doc);
    Heading(pages, t::kInputsHeading);
    Pairs(pages, doc.inputs);
    Heading(pages, t::kResultsHeading);
    Results(pages, doc.results);
    Heading(pages, t::kTableHeading);
    RayTable(pages, doc);
    Heading(pages, t::kProblemsHeading);
    Problems(pages, doc.problems);
    Heading(pages, t::kChartHeading, ChartHeight(pages));
    Chart(pages, doc.profile);
    Heading(pages, t::kQuantitiesHeading);
    QuantityTable(pages, doc);
    pages.Finish();
  }
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

namespace {

// Qt's notes about its surroundings (no runtime folder, no display) are no
// business of a user of luch-calc; its errors are.
void OnlyQtErrors(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  }
}

}  // namespace

std::string RenderDesignPdfHeadless(const DesignDocument& document) {
  if (!QGuiApplication::instance()) {
    qInstallMessageHandler(OnlyQtErrors);
    // luch-calc never shows a window: no display is needed, whatever there is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "luch-calc";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
  }
  return RenderDesignPdf(document);
}

}  // namespace luch
