#include "document/TextMetrics.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MinimumRowHeight = 24;

// Characters set full width in Japanese and Chinese text (and the halves of surrogate pairs, which are
// mostly ideographs of the supplementary planes).
bool isWide(char16_t c)
{
    return (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0xa4cf) || (c >= 0xac00 && c <= 0xd7a3)
        || (c >= 0xd800 && c <= 0xdfff) || (c >= 0xf900 && c <= 0xfaff) || (c >= 0xfe30 && c <= 0xfe4f)
        || (c >= 0xff00 && c <= 0xff60) || (c >= 0xffe0 && c <= 0xffe6);
}

} // namespace

double TextMetrics::width(const QString &text) const
{
    if (horizontalAdvance)
        return horizontalAdvance(text);
    double advance = 0;
    for (const QChar c : text) {
        if (c.isLowSurrogate())
            continue; // a pair is one character
        advance += isWide(c.unicode()) ? pointSize : pointSize * 0.55;
    }
    return advance;
}

TextMetrics TextMetrics::estimate(double pointSize)
{
    TextMetrics metrics;
    metrics.pointSize = pointSize;
    metrics.ascent = pointSize * 0.93;
    metrics.descent = pointSize * 0.24;
    metrics.leading = 0;
    return metrics;
}

double TextMetrics::tableRowHeight() const
{
    double height = std::ceil(ascent + descent + leading) + 4;
    const double bySize = std::ceil(pointSize * 1.42);
    if (bySize > height)
        height = bySize + 4;
    return std::max(MinimumRowHeight, height);
}
