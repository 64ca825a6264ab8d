#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QStringView>

struct hb_font_t;

// Fonts as vertical layout needs them: raw fonts at an exact size in painter units, glyphs for a
// composed sequence (with fallback to other fonts when the font lacks a character), and the
// shaping face of a font that carries vertical alternates. Safe to use from several threads.
namespace VerticalFontCache {

// The font's own face (no fallback) at pixel size `size`.
QRawFont rawFont(const QFont &font, qreal size);

// A font's shaping face; `font` is null when the font has no vertical alternates in its GSUB.
struct ShapingFace
{
    hb_font_t *font = nullptr; // scaled to font units
    unsigned unitsPerEm = 1000;
    bool hasVert = false;
    bool hasVrt2 = false;
    bool hasHwid = false; // half-width digits, two to a cell
    bool hasTwid = false; // third-width digits, three to a cell
};
ShapingFace shapingFace(const QFont &font);
bool hasVerticalVariant(const QFont &font);

// Ascent and descent of the font's em box at `size`: the typographic values where the font gives
// them (they add up to one em in CJK fonts), otherwise its line metrics. Vertical cells are one
// em, so line metrics with generous spacing would push glyphs out of their cells.
struct EmBox
{
    qreal ascent = 0;
    qreal descent = 0; // positive, below the baseline
};
EmBox emBox(const QRawFont &font, qreal size);
EmBox emBox(const QFont &font, qreal size);

struct ResolvedGlyph
{
    QRawFont font; // at the requested size
    quint32 glyphIndex = 0;
    QPointF offset; // baseline origin relative to the sequence's origin, horizontal setting
};

struct ResolvedCluster
{
    QList<ResolvedGlyph> glyphs;
    qreal advance = 0; // horizontal advance of the whole sequence
};

// The glyphs that draw `cluster` horizontally in `font` at `size`, falling back to other
// installed fonts for characters the font does not have.
ResolvedCluster resolveCluster(QStringView cluster, const QFont &font, qreal size);

} // namespace VerticalFontCache
