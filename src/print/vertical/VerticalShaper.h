#pragma once

#include "print/vertical/VerticalGlyphs.h"

#include <optional>

// Vertical setting with a font's own vertical alternates ('vert'/'vrt2'): kana, kanji and
// punctuation are shaped top to bottom, so that 、。「」ー and the small kana take the forms the
// font designed for columns; Latin text is shaped horizontally and turned a quarter.
namespace VerticalShaper {

// Sets `text` top to bottom with the first column's top right corner at `topRight`; a line feed
// starts the next column to the left. Returns nothing when a run's font has no vertical
// alternates or lacks one of the characters, so that the caller can set it character by character.
std::optional<VerticalLineLayout> layout(const VerticalAttributedText &text, QPointF topRight,
    bool uprightNumbers, bool measureOnly, qreal columnPitch = 1);

} // namespace VerticalShaper
