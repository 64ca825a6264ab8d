#include "print/vertical/VerticalTextRoutine.h"

#include "print/vertical/VerticalCharacters.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalNumerals.h"

#include <QTextBoundaryFinder>
#include <algorithm>

namespace VerticalTextRoutine {

namespace {

// Corner punctuation is drawn from its horizontal glyph, moved by this share of an em right and up.
constexpr qreal cornerShift = 0.5;

bool sitsOnCellBottom(VerticalGlyphKind kind)
{
    return kind == VerticalGlyphKind::Upright || kind == VerticalGlyphKind::HalfWidth
        || kind == VerticalGlyphKind::Punctuation;
}

QPointF turned(QPointF p, qreal rotation)
{
    if (rotation == 90)
        return { -p.y(), p.x() };
    if (rotation == -90)
        return { p.y(), -p.x() };
    return p;
}

void addGlyphs(QList<VerticalGlyph> &out, QStringView cluster, const QFont &font, qreal size, QPointF origin,
    qreal rotation, VerticalGlyphKind kind, qreal descent)
{
    const VerticalFontCache::ResolvedCluster resolved
        = VerticalFontCache::resolveCluster(cluster, font, size);
    for (const auto &g : resolved.glyphs) {
        QPointF offset = g.offset;
        // A glyph found in another font stands on that font's em box, not on the requested one's.
        if (sitsOnCellBottom(kind) && g.font != VerticalFontCache::rawFont(font, size))
            offset.ry() += descent - VerticalFontCache::emBox(g.font, size).descent;
        out.append({ cluster.toString(), g.glyphIndex, g.font, origin + turned(offset, rotation), rotation,
            size, kind });
    }
}

QString asciiDigits(QStringView digits)
{
    QString out;
    for (QChar c : digits)
        out += (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) ? QChar(c.unicode() - 0xFF10 + u'0') : c;
    return out;
}

} // namespace

QList<VerticalGlyph> uprightDigits(
    QStringView digits, const QFont &font, qreal size, qreal left, qreal baseline)
{
    const QString ascii = asciiDigits(digits);
    qreal width = 0;
    for (QChar c : ascii)
        width += VerticalFontCache::resolveCluster(QStringView(&c, 1), font, size).advance;
    // The digits must fit the em of the column: narrow them by setting them smaller when needed.
    const qreal pairSize = width > size && width > 0 ? size * size / width : size;
    const qreal pairWidth = width > size ? size : width;
    qreal x = left + (size - pairWidth) / 2;
    QList<VerticalGlyph> out;
    for (QChar c : ascii) {
        const auto resolved = VerticalFontCache::resolveCluster(QStringView(&c, 1), font, pairSize);
        for (const auto &g : resolved.glyphs)
            out.append({ QString(c), g.glyphIndex, g.font, QPointF(x, baseline) + g.offset, 0, pairSize,
                VerticalGlyphKind::Paired });
        x += resolved.advance;
    }
    return out;
}

VerticalLineLayout layout(const VerticalAttributedText &text, QPointF point, const Options &options)
{
    VerticalLineLayout result;
    const auto firstRun = std::find_if(text.begin(), text.end(),
        [](const VerticalTextRun &run) { return !run.text.isEmpty() && run.size > 0; });
    if (firstRun == text.end()) {
        result.bounds = QRectF(point, QSizeF(0, 0));
        return result;
    }

    const bool down = options.direction == VerticalDirection::TopToBottom;
    const qreal x = point.x();
    const qreal y = point.y();
    qreal cx = down ? x - firstRun->size : x;
    qreal cy = down ? y : y + firstRun->size;
    qreal maxX = cx;
    qreal maxY = cy;

    for (const VerticalTextRun &run : text) {
        const qreal s = run.size;
        if (run.text.isEmpty() || !(s > 0))
            continue;
        const VerticalFontCache::EmBox m = VerticalFontCache::emBox(run.font, s);
        const qreal a = m.ascent;
        const qreal dsc = m.descent;
        const qreal fragment = a + dsc;

        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, run.text);
        qsizetype start = 0;
        while (start < run.text.size()) {
            qsizetype end = finder.toNextBoundary();
            if (end <= start)
                end = run.text.size();
            const QStringView cluster = QStringView(run.text).mid(start, end - start);
            const char32_t c = VerticalCharacters::firstCodePoint(cluster);

            QPointF origin;
            qreal rotation = 0;
            VerticalGlyphKind kind = VerticalCharacters::classify(c);
            bool paired = false;
            if (c == u'\n' || c == u'\r') {
                if (down) {
                    cx -= s * options.columnPitch;
                    cy = y;
                } else {
                    cx = x;
                    cy += s * options.columnPitch;
                }
                start = end;
                maxX = std::max(maxX, cx);
                maxY = std::max(maxY, cy);
                continue;
            }
            const qsizetype number
                = options.uprightNumbers ? VerticalNumerals::uprightNumberAt(run.text, start) : 0;
            if (number > 0) {
                paired = true;
                end = start + number;
                finder.setPosition(end);
            }

            if (paired) {
                const QStringView digits = QStringView(run.text).mid(start, number);
                if (down) {
                    cy += s;
                    if (!options.measureOnly)
                        result.glyphs += uprightDigits(digits, run.font, s, cx, cy - dsc);
                } else {
                    cx += s;
                    if (!options.measureOnly) {
                        // Set as in a column, then turned a quarter back around the cell's corner.
                        for (VerticalGlyph g : uprightDigits(digits, run.font, s, 0, 0)) {
                            g.origin = QPointF(cx - dsc, cy) + turned(g.origin, -90);
                            g.rotation = -90;
                            result.glyphs.append(g);
                        }
                    }
                }
            } else if (down) {
                switch (kind) {
                case VerticalGlyphKind::LongMark:
                case VerticalGlyphKind::Bracket:
                    origin = { cx + dsc, cy };
                    rotation = 90;
                    cy += s;
                    break;
                case VerticalGlyphKind::SmallKana:
                    origin = { cx, cy - s / 4 + a - (s - fragment) };
                    cy += s / 2;
                    break;
                case VerticalGlyphKind::HalfWidth:
                    cy += s;
                    origin = { cx + s / 4, cy - dsc };
                    break;
                case VerticalGlyphKind::Upright:
                    cy += s;
                    origin = { cx, cy - dsc };
                    break;
                case VerticalGlyphKind::Punctuation:
                    cy += s;
                    origin = { cx + s * cornerShift, cy - dsc - s * cornerShift };
                    break;
                default:
                    kind = VerticalGlyphKind::Sideways;
                    origin = { cx + dsc, cy };
                    rotation = 90;
                    cy += s / 2;
                    break;
                }
            } else {
                switch (kind) {
                case VerticalGlyphKind::LongMark:
                case VerticalGlyphKind::Bracket:
                    origin = { cx, cy - dsc };
                    cx += s;
                    break;
                case VerticalGlyphKind::SmallKana:
                    origin = { cx - s / 4 + a - (s - fragment), cy };
                    rotation = -90;
                    cx += s / 2;
                    break;
                case VerticalGlyphKind::HalfWidth:
                    cx += s;
                    origin = { cx - dsc, cy - s / 4 };
                    rotation = -90;
                    break;
                case VerticalGlyphKind::Upright:
                    cx += s;
                    origin = { cx - dsc, cy };
                    rotation = -90;
                    break;
                case VerticalGlyphKind::Punctuation:
                    cx += s;
                    origin = { cx - dsc - s * cornerShift, cy - s * cornerShift };
                    rotation = -90;
                    break;
                default:
                    kind = VerticalGlyphKind::Sideways;
                    origin = { cx, cy - dsc };
                    cx += s / 2;
                    break;
                }
            }
            if (!paired && !options.measureOnly)
                addGlyphs(result.glyphs, cluster, run.font, s, origin, rotation, kind, dsc);
            maxX = std::max(maxX, cx);
            maxY = std::max(maxY, cy);
            start = end;
        }
    }

    if (down) {
        result.bounds = QRectF(cx, y, x - cx, maxY - y);
        result.length = maxY - y;
    } else {
        result.bounds = QRectF(x, y, maxX - x, maxY - y);
        result.length = maxX - x;
    }
    return result;
}

} // namespace VerticalTextRoutine
