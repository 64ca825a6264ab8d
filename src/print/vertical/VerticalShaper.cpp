#include "print/vertical/VerticalShaper.h"

#include "print/vertical/VerticalCharacters.h"
#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalNumerals.h"
#include "print/vertical/VerticalTextRoutine.h"

#include <algorithm>
#include <hb.h>
#include <memory>

namespace VerticalShaper {

namespace {

enum class Segment { Upright, Turned, Number, LineFeed };

Segment segmentOf(QStringView text, qsizetype pos, char32_t c, bool uprightNumbers)
{
    if (c == u'\n' || c == u'\r')
        return Segment::LineFeed;
    if (uprightNumbers && VerticalNumerals::uprightNumberAt(text, pos) > 0)
        return Segment::Number;
    switch (VerticalCharacters::classify(c)) {
    case VerticalGlyphKind::Sideways:
        return Segment::Turned;
    default:
        return Segment::Upright;
    }
}

// The characters glyph `i` stands for: its whole cluster for the first glyph of a cluster (a cluster
// ends where the next one in the text begins), nothing for the others, which only add to it.
QString clusterText(
    const QString &text, const hb_glyph_info_t *infos, unsigned count, unsigned i, qsizetype end)
{
    const unsigned cluster = infos[i].cluster;
    for (unsigned j = 0; j < i; ++j) {
        if (infos[j].cluster == cluster)
            return QString();
    }
    qsizetype next = end;
    for (unsigned j = 0; j < count; ++j) {
        if (infos[j].cluster > cluster)
            next = std::min<qsizetype>(next, infos[j].cluster);
    }
    const qsizetype pos = qsizetype(cluster);
    return pos < next && next <= text.size() ? text.mid(pos, next - pos) : QString();
}

using Buffer = std::unique_ptr<hb_buffer_t, decltype(&hb_buffer_destroy)>;

Buffer shape(hb_font_t *font, const QString &text, qsizetype start, qsizetype end, hb_direction_t direction,
    bool useVrt2, hb_tag_t extraFeature = 0)
{
    Buffer buffer(hb_buffer_create(), &hb_buffer_destroy);
    hb_buffer_add_utf16(buffer.get(), reinterpret_cast<const uint16_t *>(text.utf16()), int(text.size()),
        unsigned(start), int(end - start));
    hb_buffer_set_direction(buffer.get(), direction);
    hb_buffer_set_language(buffer.get(), hb_language_from_string("ja", -1));
    hb_buffer_guess_segment_properties(buffer.get());
    hb_feature_t features[2];
    unsigned count = 0;
    if (useVrt2)
        features[count++] = { HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END };
    if (extraFeature != 0)
        features[count++] = { extraFeature, 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END };
    hb_shape(font, buffer.get(), count > 0 ? features : nullptr, count);
    return buffer;
}

// A number of up to three digits upright in one cell of `size` whose left edge is `left`: with the
// font's half- or third-width digits when it has them, else its own digits set smaller to fit.
QList<VerticalGlyph> numberGlyphs(const VerticalFontCache::ShapingFace &face, const QRawFont &raw,
    const QFont &font, const QString &text, qsizetype pos, qsizetype length, qreal size, qreal left,
    qreal baseline)
{
    const hb_tag_t narrow = length == 2 && face.hasHwid ? HB_TAG('h', 'w', 'i', 'd')
        : length == 3 && face.hasTwid                   ? HB_TAG('t', 'w', 'i', 'd')
                                                        : 0;
    if (narrow != 0) {
        const qreal k = size / face.unitsPerEm;
        Buffer buffer = shape(face.font, text, pos, pos + length, HB_DIRECTION_LTR, false, narrow);
        unsigned count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer.get(), &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer.get(), &count);
        qreal width = 0;
        bool complete = count == unsigned(length);
        for (unsigned i = 0; i < count; ++i) {
            width += positions[i].x_advance * k;
            complete = complete && infos[i].codepoint != 0;
        }
        if (complete && width <= size * 1.001) {
            QList<VerticalGlyph> glyphs;
            qreal x = left + (size - width) / 2;
            for (unsigned i = 0; i < count; ++i) {
                const QPointF origin(x + positions[i].x_offset * k, baseline - positions[i].y_offset * k);
                glyphs.append({ text.mid(qsizetype(infos[i].cluster), 1), infos[i].codepoint, raw, origin, 0,
                    size, VerticalGlyphKind::Paired });
                x += positions[i].x_advance * k;
            }
            return glyphs;
        }
    }
    return VerticalTextRoutine::uprightDigits(QStringView(text).mid(pos, length), font, size, left, baseline);
}

} // namespace

std::optional<VerticalLineLayout> layout(const VerticalAttributedText &text, QPointF topRight,
    bool uprightNumbers, bool measureOnly, qreal columnPitch)
{
    VerticalLineLayout result;
    const qreal y = topRight.y();
    qreal right = topRight.x();
    qreal cy = y;
    qreal maxY = y;
    qreal lastSize = 0;

    for (const VerticalTextRun &run : text) {
        const qreal s = run.size;
        if (run.text.isEmpty() || !(s > 0))
            continue;
        const VerticalFontCache::ShapingFace face = VerticalFontCache::shapingFace(run.font);
        if (!face.font)
            return std::nullopt;
        const QRawFont raw = VerticalFontCache::rawFont(run.font, s);
        if (!raw.isValid())
            return std::nullopt;
        const qreal k = s / face.unitsPerEm;
        const qreal descent = VerticalFontCache::emBox(raw, s).descent;
        const bool useVrt2 = !face.hasVert;
        lastSize = s;

        qsizetype pos = 0;
        const QString &str = run.text;
        while (pos < str.size()) {
            const char32_t c = VerticalCharacters::firstCodePoint(QStringView(str).mid(pos));
            const Segment kind = segmentOf(str, pos, c, uprightNumbers);
            if (kind == Segment::LineFeed) {
                right -= s * columnPitch;
                cy = y;
                ++pos;
                continue;
            }
            if (kind == Segment::Number) {
                const qsizetype length = VerticalNumerals::uprightNumberAt(str, pos);
                cy += s;
                if (!measureOnly)
                    result.glyphs
                        += numberGlyphs(face, raw, run.font, str, pos, length, s, right - s, cy - descent);
                maxY = std::max(maxY, cy);
                pos += length;
                continue;
            }
            qsizetype end = pos;
            while (end < str.size()) {
                const char32_t next = VerticalCharacters::firstCodePoint(QStringView(str).mid(end));
                if (segmentOf(str, end, next, uprightNumbers) != kind)
                    break;
                end += next > 0xFFFF ? 2 : 1;
            }

            const bool upright = kind == Segment::Upright;
            Buffer buffer
                = shape(face.font, str, pos, end, upright ? HB_DIRECTION_TTB : HB_DIRECTION_LTR, useVrt2);
            unsigned count = 0;
            const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(buffer.get(), &count);
            const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer.get(), &count);
            qreal pen = 0; // font units along the column
            for (unsigned i = 0; i < count; ++i) {
                if (infos[i].codepoint == 0)
                    return std::nullopt; // the font lacks a character: no fallback fonts here
                const hb_glyph_position_t &p = positions[i];
                if (!measureOnly) {
                    VerticalGlyph glyph;
                    glyph.text = clusterText(str, infos, count, i, end);
                    glyph.glyphIndex = infos[i].codepoint;
                    glyph.font = raw;
                    glyph.size = s;
                    if (upright) {
                        // Vertical pen positions count upwards in font units.
                        glyph.origin = QPointF(right - s / 2 + p.x_offset * k, cy - (pen + p.y_offset) * k);
                        glyph.kind = VerticalGlyphKind::VerticalForm;
                    } else {
                        // Horizontal text turned clockwise: along the line is down, up is right.
                        glyph.origin
                            = QPointF(right - s + descent + p.y_offset * k, cy + (pen + p.x_offset) * k);
                        glyph.rotation = 90;
                        glyph.kind = VerticalGlyphKind::Sideways;
                    }
                    result.glyphs.append(glyph);
                }
                pen += upright ? p.y_advance : p.x_advance;
            }
            cy += (upright ? -pen : pen) * k;
            maxY = std::max(maxY, cy);
            pos = end;
        }
    }

    if (lastSize == 0) {
        result.bounds = QRectF(topRight, QSizeF(0, 0));
        return result;
    }
    const qreal left = right - lastSize;
    result.bounds = QRectF(left, y, topRight.x() - left, maxY - y);
    result.length = maxY - y;
    result.usedVerticalForms = true;
    return result;
}

} // namespace VerticalShaper
