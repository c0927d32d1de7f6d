// The PDF document for the design file, drawn with Qt's own PDF writer.
#pragma once

#include <string>

#include "reports/design_document.h"

namespace luch {

// A4 pages: the caption, the project, its path, the date and time; the
// inputs; the results; the whole table (its header repeated on every page it
// continues onto, the U cells coloured as the grid colours them); the
// problems; the voltage chart; the bill of quantities. Texts are real text in
// an embedded font. Returns the file's bytes, empty when it cannot be drawn.
// REQUIRES: a QGuiApplication exists (for the fonts).
std::string RenderDesignPdf(const DesignDocument& document);

// RenderDesignPdf for a program without windows (luch-calc): makes the
// QGuiApplication first when there is none, on Qt's offscreen platform
// unless QT_QPA_PLATFORM names another, so that it needs no display.
std::string RenderDesignPdfHeadless(const DesignDocument& document);

}  // namespace luch
