#pragma once

#include "print/vertical/VerticalGlyphs.h"

#include <QString>

// Character classes of vertical setting. They look at whole code points, so a kanji outside the
// basic plane (written as a surrogate pair) is still a kanji.
namespace VerticalCharacters {

bool isJapanese(char32_t codePoint);
bool isSmallKana(char32_t codePoint);
bool isDash(char32_t codePoint);
bool isHalfWidthKatakana(char32_t codePoint);
bool isFullWidthForm(char32_t codePoint);
// 、。，． : in vertical setting they sit in the upper right of their cell.
bool isCornerPunctuation(char32_t codePoint);
// Brackets, wave dashes and ellipses: drawn turned a quarter so that they open along the column.
bool isTurnedPunctuation(char32_t codePoint);
bool isDigit(char32_t codePoint); // ASCII or full-width 0-9

// How the per-character routine places a character (never VerticalForm or Paired).
VerticalGlyphKind classify(char32_t codePoint);

// The first code point of a composed sequence (0 for an empty one).
char32_t firstCodePoint(QStringView text);

} // namespace VerticalCharacters
