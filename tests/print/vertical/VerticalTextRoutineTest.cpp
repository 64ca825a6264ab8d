#include "print/vertical/VerticalTextRoutine.h"

#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <QRawFont>
#include <cmath>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal s = 20;
const QPointF start(100, 50);

QFont testFont()
{
    return QFont(u"Noto Sans CJK JP"_s);
}

using Metrics = VerticalFontCache::EmBox;

Metrics metrics()
{
    return VerticalFontCache::emBox(testFont(), s);
}

VerticalLineLayout setText(const QString &text, VerticalDirection direction = VerticalDirection::TopToBottom,
    bool measureOnly = false, bool uprightNumbers = false)
{
    VerticalTextRoutine::Options options;
    options.direction = direction;
    options.measureOnly = measureOnly;
    options.uprightNumbers = uprightNumbers;
    return VerticalTextRoutine::layout({ { text, testFont(), s } }, start, options);
}

} // namespace

// Where one character lands in a column whose right edge is x 100, starting at y 50, size 20.
TEST(VerticalTextRoutineTest, PlacesEachCharacterClassInItsCell)
{
    const Metrics m = metrics();
    const qreal cx = start.x() - s;
    const qreal fragment = m.ascent + m.descent;
    struct Row
    {
        QString text;
        VerticalGlyphKind kind;
        QPointF origin;
        qreal rotation;
        qreal advance;
    };
    const Row rows[] = {
        // kanji: upright, baseline a descent above the bottom of its em cell
        { u"漢"_s, VerticalGlyphKind::Upright, { cx, 50 + s - m.descent }, 0, s },
        // full-width form: as a kanji
        { u"Ａ"_s, VerticalGlyphKind::Upright, { cx, 50 + s - m.descent }, 0, s },
        // Latin: on its side, baseline a descent right of the column's left edge, half an em
        { u"a"_s, VerticalGlyphKind::Sideways, { cx + m.descent, 50 }, 90, s / 2 },
        // half-width long mark counts with Latin
        { u"ｰ"_s, VerticalGlyphKind::Sideways, { cx + m.descent, 50 }, 90, s / 2 },
        // small kana: a quarter em higher, half an em
        { u"ゃ"_s, VerticalGlyphKind::SmallKana, { cx, 50 - s / 4 + m.ascent - (s - fragment) }, 0, s / 2 },
        // half-width katakana: upright, a quarter em in from the left
        { u"ｱ"_s, VerticalGlyphKind::HalfWidth, { cx + s / 4, 50 + s - m.descent }, 0, s },
        // long mark: turned to run along the column, a full em
        { u"ー"_s, VerticalGlyphKind::LongMark, { cx + m.descent, 50 }, 90, s },
        { u"―"_s, VerticalGlyphKind::LongMark, { cx + m.descent, 50 }, 90, s },
        // brackets turned to open along the column
        { u"「"_s, VerticalGlyphKind::Bracket, { cx + m.descent, 50 }, 90, s },
        // full stop moved half an em right and up, into the cell's upper right
        { u"。"_s, VerticalGlyphKind::Punctuation, { cx + s / 2, 50 + s - m.descent - s / 2 }, 0, s },
        // a kanji outside the basic plane is still a kanji
        { u"𠮷"_s, VerticalGlyphKind::Upright, { cx, 50 + s - m.descent }, 0, s },
        // other scripts lie on their side like Latin
        { u"Ω"_s, VerticalGlyphKind::Sideways, { cx + m.descent, 50 }, 90, s / 2 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        const VerticalLineLayout line = setText(row.text);
        ASSERT_FALSE(line.glyphs.isEmpty());
        const VerticalGlyph &g = line.glyphs.front();
        EXPECT_EQ(g.kind, row.kind);
        EXPECT_NEAR(g.origin.x(), row.origin.x(), 1e-6);
        EXPECT_NEAR(g.origin.y(), row.origin.y(), 1e-6);
        EXPECT_EQ(g.rotation, row.rotation);
        EXPECT_EQ(g.text, row.text);
        EXPECT_NE(g.glyphIndex, 0u);
        EXPECT_DOUBLE_EQ(line.length, row.advance);
        EXPECT_EQ(line.bounds, QRectF(cx, 50, s, row.advance));
    }
}

TEST(VerticalTextRoutineTest, SetsTopToBottomAndStartsColumnsToTheLeft)
{
    const Metrics m = metrics();
    // Two Latin letters share one em; the kanji after them starts a full em down.
    const VerticalLineLayout latin = setText(u"ab漢"_s);
    ASSERT_EQ(latin.glyphs.size(), 3);
    EXPECT_DOUBLE_EQ(latin.glyphs[0].origin.y(), 50);
    EXPECT_DOUBLE_EQ(latin.glyphs[1].origin.y(), 60);
    EXPECT_DOUBLE_EQ(latin.glyphs[2].origin.y(), 70 + s - m.descent);
    EXPECT_DOUBLE_EQ(latin.length, 2 * s);

    // A line feed starts the next column one size to the left, back at the top.
    const VerticalLineLayout columns = setText(u"山田\n花"_s);
    ASSERT_EQ(columns.glyphs.size(), 3);
    EXPECT_DOUBLE_EQ(columns.glyphs[0].origin.x(), 80);
    EXPECT_DOUBLE_EQ(columns.glyphs[1].origin.x(), 80);
    EXPECT_GT(columns.glyphs[1].origin.y(), columns.glyphs[0].origin.y());
    EXPECT_DOUBLE_EQ(columns.glyphs[2].origin.x(), 60);
    EXPECT_DOUBLE_EQ(columns.glyphs[2].origin.y(), columns.glyphs[0].origin.y());
    EXPECT_EQ(columns.bounds, QRectF(60, 50, 40, 2 * s));

    // A composed sequence (kana with a combining sound mark) takes one cell.
    EXPECT_DOUBLE_EQ(setText(u"か\u3099き"_s).length, 2 * s);
}

TEST(VerticalTextRoutineTest, SetsLeftToRightRowsTurnedForAVerticalPage)
{
    const Metrics m = metrics();
    const VerticalLineLayout line = setText(u"漢a\nゃ"_s, VerticalDirection::LeftToRight);
    ASSERT_EQ(line.glyphs.size(), 3);
    // The kanji is turned back a quarter; its row runs from y 50 to 70.
    EXPECT_EQ(line.glyphs[0].rotation, -90);
    EXPECT_DOUBLE_EQ(line.glyphs[0].origin.x(), 100 + s - m.descent);
    EXPECT_DOUBLE_EQ(line.glyphs[0].origin.y(), 50 + s);
    // Latin stays as it is and advances half an em.
    EXPECT_EQ(line.glyphs[1].rotation, 0);
    EXPECT_DOUBLE_EQ(line.glyphs[1].origin.x(), 100 + s);
    EXPECT_DOUBLE_EQ(line.glyphs[1].origin.y(), 50 + s - m.descent);
    // Next row one size down, back at the left.
    EXPECT_EQ(line.glyphs[2].rotation, -90);
    EXPECT_DOUBLE_EQ(line.glyphs[2].origin.y(), 50 + 2 * s);
    EXPECT_EQ(line.bounds, QRectF(100, 50, 1.5 * s, 2 * s));
}

TEST(VerticalTextRoutineTest, MeasuresWithoutGlyphsAndHandlesEmptyText)
{
    const VerticalLineLayout measured = setText(u"東京都a1ゃ"_s, VerticalDirection::TopToBottom, true);
    EXPECT_TRUE(measured.glyphs.isEmpty());
    EXPECT_EQ(measured.bounds, setText(u"東京都a1ゃ"_s).bounds);
    EXPECT_DOUBLE_EQ(measured.length, 3 * s + s / 2 + s / 2 + s / 2);

    for (VerticalDirection direction : { VerticalDirection::TopToBottom, VerticalDirection::LeftToRight }) {
        const VerticalLineLayout empty = setText(QString(), direction);
        EXPECT_TRUE(empty.glyphs.isEmpty());
        EXPECT_EQ(empty.bounds, QRectF(start, QSizeF(0, 0)));
        // A zero or negative size is no text rather than a division by zero.
        EXPECT_TRUE(VerticalTextRoutine::layout({ { u"漢"_s, testFont(), 0 } }, start, {}).glyphs.isEmpty());
    }
}

TEST(VerticalTextRoutineTest, SetsNumbersOfUpToThreeDigitsUprightInOneCell)
{
    const Metrics m = metrics();
    const VerticalLineLayout line
        = setText(u"12番地3号123の1203"_s, VerticalDirection::TopToBottom, false, true);
    // "12", "3" and "123" each take one upright cell; "1203" is too long for one and lies on its side.
    ASSERT_GE(line.glyphs.size(), 2);
    const VerticalGlyph &one = line.glyphs[0];
    const VerticalGlyph &two = line.glyphs[1];
    EXPECT_EQ(one.kind, VerticalGlyphKind::Paired);
    EXPECT_EQ(two.kind, VerticalGlyphKind::Paired);
    EXPECT_EQ(one.rotation, 0);
    EXPECT_DOUBLE_EQ(one.origin.y(), 50 + s - m.descent);
    EXPECT_DOUBLE_EQ(two.origin.y(), one.origin.y());
    EXPECT_LT(one.origin.x(), two.origin.x());
    EXPECT_GE(one.origin.x(), start.x() - s);
    EXPECT_LE(two.origin.x() + (two.origin.x() - one.origin.x()), start.x() + 1e-6);
    EXPECT_DOUBLE_EQ(line.length, s + 2 * s + s + s + s + s + 4 * s / 2);
    QString paired;
    QString sideways;
    for (const VerticalGlyph &g : line.glyphs) {
        if (g.kind == VerticalGlyphKind::Paired)
            paired += g.text;
        else if (g.kind == VerticalGlyphKind::Sideways)
            sideways += g.text;
    }
    EXPECT_EQ(paired, u"123123"_s);
    EXPECT_EQ(sideways, u"1203"_s);
    // Three digits fit their cell's width.
    QRectF three;
    for (const VerticalGlyph &g : line.glyphs.mid(5, 3)) {
        const QRectF ink = g.font.boundingRect(g.glyphIndex).translated(g.origin);
        three = three.isNull() ? ink : three.united(ink);
    }
    EXPECT_LE(three.width(), s + 1e-6);
    EXPECT_GE(three.left(), start.x() - s - 1e-6);

    // Full-width digits pair too, drawn as narrow digits.
    const VerticalLineLayout wide = setText(u"２４"_s, VerticalDirection::TopToBottom, false, true);
    ASSERT_EQ(wide.glyphs.size(), 2);
    EXPECT_EQ(wide.glyphs[0].text, u"2"_s);
    EXPECT_DOUBLE_EQ(wide.length, s);
}

// Text from contact files can hold anything; layout must neither crash nor lose its place.
TEST(VerticalTextRoutineTest, SurvivesMalformedAndOversizedText)
{
    const QString longText = QString(u"東a、ゃ12\n"_s).repeated(2000);
    const QString samples[] = {
        QString(QChar(0xD800)), // lone high surrogate
        QString(QChar(0xDC00)) + u"東"_s, // lone low surrogate
        u"\u3099\u0301"_s, // marks with nothing to combine with
        QString(3, QChar(0)) + u"\r\n\t"_s, // control characters
        QString(QChar(0xFFFF)) + QString(QChar(0xFFFE)), // non-characters
        longText,
    };
    for (const QString &text : samples) {
        for (VerticalDirection direction :
            { VerticalDirection::TopToBottom, VerticalDirection::LeftToRight }) {
            const VerticalLineLayout line = setText(text, direction, false, true);
            EXPECT_TRUE(std::isfinite(line.length));
            EXPECT_GE(line.bounds.width(), 0);
            EXPECT_GE(line.bounds.height(), 0);
        }
        VerticalTextLayout::Options shaped;
        shaped.uprightNumbers = true;
        const VerticalLineLayout viaFont
            = VerticalTextLayout::layoutLine({ { text, testFont(), s } }, start, shaped);
        EXPECT_TRUE(std::isfinite(viaFont.length));
    }
    // 2000 columns of six cells: nothing is dropped on the way.
    EXPECT_EQ(setText(longText, VerticalDirection::TopToBottom, true).bounds.width(), 2001 * s);
}
