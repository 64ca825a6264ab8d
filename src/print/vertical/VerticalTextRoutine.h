#pragma once

#include "print/vertical/VerticalGlyphs.h"

// Vertical setting character by character, for fonts without vertical alternates: kanji, kana and
// full-width forms stand upright and advance a full em; Latin letters and digits lie on their side
// and advance half an em; small kana sit a quarter em higher and advance half an em.
namespace VerticalTextRoutine {

struct Options
{
    VerticalDirection direction = VerticalDirection::TopToBottom;
    bool measureOnly = false; // only the rectangle and length, no glyphs
    bool uprightNumbers = false; // numbers of up to three digits upright side by side in one cell
    qreal columnPitch = 1; // how far a line feed moves to the next column (row), in ems
};

// Sets `text` starting at `point`: for top-to-bottom, `point` is the top right corner of the first
// column; for left-to-right, the top left corner of the first row.
VerticalLineLayout layout(const VerticalAttributedText &text, QPointF point, const Options &options);

// Glyphs of one to three digits sharing one upright cell of `size`, left edge at `left`, baseline
// `baseline` (horizontal coordinates; the caller turns them for other directions). Digits too wide
// together for the cell are set smaller.
QList<VerticalGlyph> uprightDigits(
    QStringView digits, const QFont &font, qreal size, qreal left, qreal baseline);

} // namespace VerticalTextRoutine
