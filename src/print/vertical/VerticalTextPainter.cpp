#include "print/vertical/VerticalTextPainter.h"

#include "print/pdf/TextDrawing.h"

#include <QPainter>

namespace VerticalTextPainter {

namespace {

// Offsets from the first glyph of a run, seen from inside the run's turned frame.
QPointF untransformed(QPointF delta, qreal rotation)
{
    if (rotation == 90)
        return { delta.y(), -delta.x() };
    if (rotation == -90)
        return { -delta.y(), delta.x() };
    return delta;
}

} // namespace

void draw(QPainter *painter, const QList<VerticalGlyph> &glyphs)
{
    if (!painter || glyphs.isEmpty())
        return;
    qsizetype first = 0;
    while (first < glyphs.size()) {
        // Neighbouring glyphs from one font turned alike go out as one run.
        const VerticalGlyph &head = glyphs[first];
        qsizetype end = first + 1;
        while (end < glyphs.size() && glyphs[end].rotation == head.rotation && glyphs[end].font == head.font)
            ++end;
        if (head.font.isValid()) {
            QList<quint32> indexes;
            QList<QPointF> positions;
            QStringList texts;
            indexes.reserve(end - first);
            positions.reserve(end - first);
            texts.reserve(end - first);
            for (qsizetype i = first; i < end; ++i) {
                indexes.append(glyphs[i].glyphIndex);
                positions.append(untransformed(glyphs[i].origin - head.origin, head.rotation));
                texts.append(glyphs[i].text);
            }
            painter->save();
            painter->translate(head.origin);
            if (head.rotation != 0)
                painter->rotate(head.rotation);
            TextDrawing::drawGlyphs(painter, QPointF(0, 0), head.font, indexes, positions, texts);
            painter->restore();
        }
        first = end;
    }
}

void draw(QPainter *painter, const VerticalLineLayout &line)
{
    draw(painter, line.glyphs);
}

void draw(QPainter *painter, const VerticalBlockLayout &block)
{
    for (const VerticalLineLayout &line : block.lines)
        draw(painter, line.glyphs);
}

} // namespace VerticalTextPainter
