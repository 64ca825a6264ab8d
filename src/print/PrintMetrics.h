#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

class QPainter;

// Printed text is laid out in points. Fonts are measured against a 72-dpi reference so that a font of
// point size s is s units tall in layout; a painter whose device has another resolution (and whose
// transform scales points to device units) gets the same font with its size adjusted, so that what was
// measured is what is drawn on a screen, a PDF or a printer alike.
namespace PrintMetrics {

// A font of `family` whose size is `size` points; hinting is off so that widths scale linearly.
// An empty family gives the application's default family.
QFont font(const QString &family, double size);

// Metrics of a font made by font(), in points.
QFontMetricsF metrics(const QFont &font);
// The 72-dpi device measurements are taken against (for QTextLayout and friends).
class QPaintDevice *referenceDevice();

// The font to set on `painter` so that it draws at the size measured.
QFont forPainter(const QFont &font, const QPainter *painter);

// Scales a painter that starts in device units so that one unit is one point.
void scaleToPoints(QPainter *painter);

} // namespace PrintMetrics
