#include "print/vertical/VerticalFontCache.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFontDatabase>
#include <QRawFont>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal s = 24;

class VerticalTextShapingTest : public ::testing::TestWithParam<QString>
{
protected:
    void SetUp() override
    {
        if (!QFontDatabase::families().contains(GetParam()))
            GTEST_SKIP() << "font not installed";
        font = QFont(GetParam());
    }

    VerticalLineLayout set(const QString &text, QPointF topRight = { 200, 40 }, bool uprightNumbers = false)
    {
        VerticalTextLayout::Options options;
        options.uprightNumbers = uprightNumbers;
        return VerticalTextLayout::layoutLine({ { text, font, s } }, topRight, options);
    }

    quint32 horizontalGlyph(const QString &text)
    {
        QRawFont raw = QRawFont::fromFont(font);
        const QList<quint32> indexes = raw.glyphIndexesForString(text);
        return indexes.isEmpty() ? 0 : indexes.front();
    }

    QFont font;
};

} // namespace

TEST_P(VerticalTextShapingTest, PunctuationAndSmallKanaTakeTheirVerticalForms)
{
    EXPECT_TRUE(VerticalFontCache::hasVerticalVariant(font));
    for (const QString &text : { u"。"_s, u"、"_s, u"「"_s, u"」"_s, u"ー"_s, u"（"_s, u"ゃ"_s, u"ッ"_s }) {
        SCOPED_TRACE(text.toStdString());
        const VerticalLineLayout line = set(text);
        EXPECT_TRUE(line.usedVerticalForms);
        ASSERT_EQ(line.glyphs.size(), 1);
        EXPECT_EQ(line.glyphs[0].kind, VerticalGlyphKind::VerticalForm);
        EXPECT_NE(line.glyphs[0].glyphIndex, 0u);
        EXPECT_NE(line.glyphs[0].glyphIndex, horizontalGlyph(text));
    }
    // A kanji has no separate vertical form.
    const VerticalLineLayout kanji = set(u"東"_s);
    ASSERT_EQ(kanji.glyphs.size(), 1);
    EXPECT_EQ(kanji.glyphs[0].glyphIndex, horizontalGlyph(u"東"_s));
}

TEST_P(VerticalTextShapingTest, StacksKanjiDownTheColumnAndTurnsLatin)
{
    const VerticalLineLayout line = set(u"東京都ab"_s);
    ASSERT_EQ(line.glyphs.size(), 5);
    const QRawFont raw = line.glyphs[0].font;
    for (int i = 0; i < 3; ++i) {
        const VerticalGlyph &g = line.glyphs[i];
        EXPECT_EQ(g.rotation, 0);
        // Each kanji is centred in the column's em from x 176 to 200 ...
        const qreal advance = raw.advancesForGlyphIndexes({ g.glyphIndex }).front().x();
        EXPECT_NEAR(g.origin.x() + advance / 2, 200 - s / 2, 0.5);
        // ... and a full em below the one before it.
        if (i > 0) {
            EXPECT_NEAR(g.origin.y() - line.glyphs[i - 1].origin.y(), s, 0.01);
        }
    }
    // The baseline sits within the first cell.
    EXPECT_GT(line.glyphs[0].origin.y(), 40);
    EXPECT_LT(line.glyphs[0].origin.y(), 40 + s);
    // Latin letters lie on their side, starting right after the third kanji.
    EXPECT_EQ(line.glyphs[3].rotation, 90);
    EXPECT_EQ(line.glyphs[4].rotation, 90);
    EXPECT_NEAR(line.glyphs[3].origin.y(), 40 + 3 * s, 0.01);
    EXPECT_GT(line.glyphs[4].origin.y(), line.glyphs[3].origin.y());
    EXPECT_GT(line.glyphs[3].origin.x(), 200 - s);
    EXPECT_LT(line.glyphs[3].origin.x(), 200);
    EXPECT_GT(line.length, 3 * s);
    EXPECT_LT(line.length, 4.5 * s);
    EXPECT_DOUBLE_EQ(line.bounds.right(), 200);
    EXPECT_DOUBLE_EQ(line.bounds.left(), 200 - s);
    EXPECT_DOUBLE_EQ(VerticalTextLayout::measureLength(u"東京都ab"_s, font, s), line.length);

    // A line feed moves to the next column, one size to the left.
    const VerticalLineLayout two = set(u"東\n京"_s);
    ASSERT_EQ(two.glyphs.size(), 2);
    EXPECT_NEAR(two.glyphs[0].origin.x() - two.glyphs[1].origin.x(), s, 0.01);
    EXPECT_NEAR(two.glyphs[0].origin.y(), two.glyphs[1].origin.y(), 0.01);
    EXPECT_DOUBLE_EQ(two.bounds.left(), 200 - 2 * s);
}

TEST_P(VerticalTextShapingTest, SetsShortNumbersUprightAndFallsBackForMissingCharacters)
{
    const VerticalLineLayout line = set(u"3丁目12番123号"_s, { 200, 40 }, true);
    EXPECT_TRUE(line.usedVerticalForms);
    QString upright;
    QRectF ink; // of the three digits sharing the last number's cell
    for (const VerticalGlyph &g : line.glyphs) {
        if (g.kind != VerticalGlyphKind::Paired)
            continue;
        upright += g.text;
        EXPECT_EQ(g.rotation, 0);
        EXPECT_GE(g.origin.x(), 200 - s);
        EXPECT_LT(g.origin.x(), 200);
        if (upright.size() > 3) {
            const QRectF box = g.font.boundingRect(g.glyphIndex).translated(g.origin);
            ink = ink.isNull() ? box : ink.united(box);
        }
    }
    EXPECT_EQ(upright, u"312123"_s);
    EXPECT_GE(ink.left(), 200 - s - 0.01);
    EXPECT_LE(ink.right(), 200 + 0.01);
    EXPECT_NEAR(line.length, 7 * s, 0.5) << "each number one cell";

    // A character the font does not have (an emoji) sends the line through the per-character
    // setting, which finds another font for it instead of drawing an empty box.
    const VerticalLineLayout mixed = set(u"東\U0001F600"_s);
    EXPECT_FALSE(mixed.usedVerticalForms);
    ASSERT_FALSE(mixed.glyphs.isEmpty());
    EXPECT_EQ(mixed.glyphs[0].kind, VerticalGlyphKind::Upright);

    // Switching vertical forms off gives the per-character setting.
    VerticalTextLayout::Options off;
    off.useVerticalForms = false;
    EXPECT_FALSE(VerticalTextLayout::layoutLine({ { u"。"_s, font, s } }, { 0, 0 }, off).usedVerticalForms);
}

INSTANTIATE_TEST_SUITE_P(NotoCjk, VerticalTextShapingTest,
    ::testing::Values(u"Noto Serif CJK JP"_s, u"Noto Sans CJK JP"_s),
    [](const auto &info) { return std::string(info.index == 0 ? "Serif" : "Sans"); });
