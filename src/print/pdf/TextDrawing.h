#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QStringList>

class QPainter;

// Every piece of printed text is drawn through here, as glyph runs with the painter's pen. When the painter
// paints into a TextMappedPdfWriter, the text each glyph stands for is recorded, so that the PDF's text
// reads back as the characters drawn.
namespace TextDrawing {

// Draws `glyphs` of `font` at `positions` (relative to `origin`, in the painter's units). `texts` runs
// parallel to `glyphs`: the characters each glyph shows ("" for a glyph that only adds to the one before).
void drawGlyphs(QPainter *painter, QPointF origin, const QRawFont &font, const QList<quint32> &glyphs,
    const QList<QPointF> &positions, const QStringList &texts);

// Draws one line of horizontal text with its baseline starting at `baseline`. `font` is measured against
// the 72-dpi reference (PrintMetrics), so one unit of the painter must be a point. Returns the line's
// advance, where the next piece of the line starts.
qreal drawLine(QPainter *painter, QPointF baseline, const QString &text, const QFont &font);

// The advance of `text` as drawLine() sets it.
qreal lineWidth(const QString &text, const QFont &font);

} // namespace TextDrawing
