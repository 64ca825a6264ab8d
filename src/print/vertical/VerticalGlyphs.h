#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>

// Plain data passed between vertical layout and painting. Layout produces these as numbers so that
// geometry can be checked without pixels; the painter adapter only replays them.

// One run of an attributed line: its text in one font at one size (points, i.e. painter units).
struct VerticalTextRun
{
    QString text;
    QFont font;
    qreal size = 0;
};

using VerticalAttributedText = QList<VerticalTextRun>;

// How a string is set: 1 sets top to bottom in columns moving left; 2 sets left to right in rows
// moving down, with every glyph turned so that the result reads vertically once the page is turned.
enum class VerticalDirection { TopToBottom = 1, LeftToRight = 2 };

// How one glyph was placed; tests and the fitting read this, the painter ignores it.
enum class VerticalGlyphKind {
    Upright, // kanji, kana, full-width forms: upright, a full em
    Sideways, // Latin letters, digits and other narrow text: turned a quarter, half an em
    SmallKana, // raised a quarter em, half an em
    HalfWidth, // half-width katakana: upright, a full em
    LongMark, // dashes and the long vowel mark: turned a quarter, a full em
    Punctuation, // 、。，．: upright, moved into the upper right of their cell
    Bracket, // brackets and wave dashes: turned a quarter, a full em
    Paired, // one of two digits set upright side by side in one cell
    VerticalForm // shaped with the font's own vertical alternates
};

// One glyph: drawn with its baseline origin at `origin`, turned `rotation` degrees clockwise
// (y grows downwards) around that origin, from `font`, whose pixel size is `size`.
struct VerticalGlyph
{
    QString text; // the character (or composed sequence) this glyph belongs to
    quint32 glyphIndex = 0;
    QRawFont font;
    QPointF origin;
    qreal rotation = 0;
    qreal size = 0;
    VerticalGlyphKind kind = VerticalGlyphKind::Upright;
};

// A laid-out string: its glyphs and the rectangle it occupies (for direction 1: from the left edge
// of the last column to the starting point's x, and from the top down to the furthest the cursor
// went). `length` is the extent along the column of the longest column.
struct VerticalLineLayout
{
    QList<VerticalGlyph> glyphs;
    QRectF bounds;
    qreal length = 0;
    bool usedVerticalForms = false;
};

// Several lines set as columns in a rectangle.
struct VerticalBlockLayout
{
    QList<VerticalLineLayout> lines;
    QRectF textRect; // the union of the lines' rectangles
};
