#pragma once

#include "print/vertical/VerticalGlyphs.h"

#include <QStringList>

// Lays out vertical text as plain data: a line through the font's vertical alternates when the
// font has them, otherwise character by character; a block as columns from right to left.
namespace VerticalTextLayout {

struct Options
{
    bool uprightNumbers = false; // numbers of up to three digits upright side by side (tate-chu-yoko)
    bool useVerticalForms = true; // false forces character-by-character setting
    qreal columnPitch = 1; // how far a line feed moves to the next column, in ems: above 1 leaves a gap
};

// Sets `text` top to bottom; `topRight` is the top right corner of its first column, and a line
// feed starts a new column one size further left.
VerticalLineLayout layoutLine(
    const VerticalAttributedText &text, QPointF topRight, const Options &options = {});

// The extent of the longest column along the column, without making glyphs.
qreal measureLength(const VerticalAttributedText &text, const Options &options = {});
qreal measureLength(const QString &text, const QFont &font, qreal size, const Options &options = {});

// Columns in `rect`: the first column's right edge is the rectangle's right edge and each next
// one `lineHeight` further left. The first line starts at the top; every later line ends at the
// bottom, which lines up a building or room line, or joint names, at the foot of the block.
VerticalBlockLayout layoutBlock(const QList<VerticalAttributedText> &lines, const QRectF &rect,
    qreal lineHeight, const Options &options = {});

} // namespace VerticalTextLayout
