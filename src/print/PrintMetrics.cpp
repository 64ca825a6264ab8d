#include "print/PrintMetrics.h"

#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double PointsPerInch = 72.0;
// Sizes beyond these are damaged options, not fonts anyone prints with.
constexpr double MinimumSize = 0.1;
constexpr double MaximumSize = 2000.0;

QImage makeReference()
{
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    // 72 dpi in dots per metre; the device reports its resolution rounded to whole dots per inch.
    const int dotsPerMetre = int(std::lround(PointsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

double clampedSize(double size)
{
    if (!std::isfinite(size))
        return MinimumSize;
    return std::clamp(size, MinimumSize, MaximumSize);
}

} // namespace

namespace PrintMetrics {

QPaintDevice *referenceDevice()
{
    static QImage reference = makeReference();
    return &reference;
}

QFont font(const QString &family, double size)
{
    QFont result = family.isEmpty() ? QGuiApplication::font() : QFont(family);
    result.setPointSizeF(clampedSize(size));
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

QFontMetricsF metrics(const QFont &font)
{
    return QFontMetricsF(font, referenceDevice());
}

QFont forPainter(const QFont &font, const QPainter *painter)
{
    const QPaintDevice *device = painter ? painter->device() : nullptr;
    const int dpi = device ? device->logicalDpiY() : int(PointsPerInch);
    if (dpi <= 0 || dpi == int(PointsPerInch))
        return font;
    QFont scaled = font;
    scaled.setPointSizeF(font.pointSizeF() * PointsPerInch / dpi);
    return scaled;
}

void scaleToPoints(QPainter *painter)
{
    const QPaintDevice *device = painter ? painter->device() : nullptr;
    if (!device)
        return;
    const double sx = device->logicalDpiX() / PointsPerInch;
    const double sy = device->logicalDpiY() / PointsPerInch;
    if (sx > 0 && sy > 0)
        painter->scale(sx, sy);
}

} // namespace PrintMetrics
