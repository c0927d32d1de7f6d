// Colours and sizes of the voltage chart, shared by its layout and painting.
#pragma once

#include <QColor>
#include <QString>

#include "common/ui/qt_text.h"

namespace luch::chart_style {

inline const QColor kBackground(255, 255, 255);
inline const QColor kGrid(228, 230, 234);
inline const QColor kFrame(120, 124, 130);
inline const QColor kText(40, 40, 40);
inline const QColor kLineSeries(25, 95, 200);
inline const QColor kBlockSeries(140, 200,
                                 140);  // opaque: a translucent polyline is stroked slowly
inline const QColor kInOrder(0, 150, 0);
inline const QColor kBelow(220, 0, 0);
inline const QColor kUnknown(140, 140, 140);
inline const QColor kUmin(215, 120, 0);
inline const QColor kSupply(90, 90, 110);
inline const QColor kHover(20, 20, 20);
inline const QColor kFailedText(160, 0, 0);

inline constexpr double kHitRadius = 8.0;  // px: how near the mouse must be to a point
inline constexpr double kPointSize = 7.0;  // px: diameter of a block point
// On a crowded ray (more blocks than a quarter of the plot's width in
// pixels) points of one colour drawn closer than this are left out: green
// ones far enough apart that the line shows between them, red ones only where
// they would cover each other. A shorter ray shows every block.
inline constexpr double kCrowdedPixelsPerBlock = 4.0;
inline constexpr double kPointSpacing = 12.0;
inline constexpr double kBelowSpacing = 5.0;
inline constexpr double kUminHalfWidth = 6.0;
inline constexpr double kLegendSample = 22.0;

enum LegendKind { kLegendLineKind, kLegendInOrderKind, kLegendBelowKind, kLegendUminKind };

}  // namespace luch::chart_style
