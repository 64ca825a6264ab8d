#include "print/vertical/VerticalFit.h"
#include "print/vertical/VerticalTextLayout.h"

#include <QFont>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QFont testFont()
{
    return QFont(u"Noto Sans CJK JP"_s);
}

// Character by character every kanji is exactly one em long, which makes lengths exact.
VerticalTextLayout::Options perCharacter()
{
    VerticalTextLayout::Options options;
    options.useVerticalForms = false;
    return options;
}

QString kanji(int count)
{
    return QString(count, QChar(u'東'));
}

} // namespace

TEST(VerticalTextBlockTest, SetsColumnsRightToLeftWithLaterLinesEndingAtTheBottom)
{
    const QRectF rect(100, 20, 60, 200);
    const qreal size = 16;
    const QList<VerticalAttributedText> lines {
        { { kanji(5), testFont(), size } },
        { { kanji(4), testFont(), size } },
        { { kanji(2), testFont(), size } },
    };
    const VerticalBlockLayout block = VerticalTextLayout::layoutBlock(lines, rect, 20, perCharacter());
    ASSERT_EQ(block.lines.size(), 3);
    // First column at the right edge from the top; the others 20 apart, ending at y 220.
    EXPECT_EQ(block.lines[0].bounds, QRectF(160 - size, 20, size, 5 * size));
    EXPECT_EQ(block.lines[1].bounds, QRectF(140 - size, 220 - 4 * size, size, 4 * size));
    EXPECT_EQ(block.lines[2].bounds, QRectF(120 - size, 220 - 2 * size, size, 2 * size));
    EXPECT_EQ(block.textRect, QRectF(120 - size, 20, 40 + size, 200));
    for (const VerticalLineLayout &line : block.lines)
        for (const VerticalGlyph &g : line.glyphs)
            EXPECT_TRUE(line.bounds.adjusted(-0.01, -0.01, 0.01, 0.01).contains(g.origin));

    EXPECT_TRUE(VerticalTextLayout::layoutBlock({}, rect, 20).lines.isEmpty());
}

TEST(VerticalTextBlockTest, FitWalksTheSizeIntoTheBandBelowTheBottom)
{
    struct Row
    {
        int characters;
        qreal start;
        qreal cap;
        qreal expected;
        const char *why;
    };
    const Row rows[] = {
        { 10, 20, 30, 10, "too long: shrinks by 0.5 until 10 characters fill 100 points" },
        { 10, 8, 30, 9.2, "too short: grows by 0.4 until it reaches the band from 92 to 100" },
        { 2, 20, 25, 25, "grows no further than the cap" },
        { 40, 20, 30, 2.5, "below 7 points the text would overflow, so it keeps shrinking" },
        { 300, 20, 30, VerticalFit::smallestSize, "text that cannot fit stops at the smallest size" },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.why);
        const QStringList lines { kanji(row.characters) };
        const qreal size = VerticalFit::fitSize(lines, testFont(), row.start, row.cap, 100, perCharacter());
        EXPECT_NEAR(size, row.expected, 1e-6);
        EXPECT_LE(size, row.cap);
    }
    // Nonsense input ends at once instead of looping.
    EXPECT_EQ(VerticalFit::fitSize({ kanji(3) }, testFont(), qQNaN(), 30, 100), 0);
    EXPECT_EQ(VerticalFit::fitSize({ kanji(3) }, testFont(), 12, 30, 0), 12);
}

TEST(VerticalTextBlockTest, AddressFitBreaksLongLinesAndStaysInsideItsRectangle)
{
    const QRectF rect(204, 75, 46, 275);
    // 45 characters in one column would need about 6 points: break after the city.
    const QString city = u"東京都千代田区"_s;
    const QString street = kanji(38);
    const VerticalFit::AddressFit broken
        = VerticalFit::fitAddress(city, street, rect, testFont(), perCharacter());
    ASSERT_EQ(broken.lines, (QStringList { city, street }));
    EXPECT_DOUBLE_EQ(broken.lineHeight, 23);
    EXPECT_LE(broken.fontSize, 23 * 0.9);
    EXPECT_GE(broken.widths[1], 275 - VerticalFit::fitBand);
    EXPECT_LE(broken.widths[1], 275);

    // Minus signs become hyphens before fitting.
    const VerticalFit::AddressFit minus = VerticalFit::fitAddress(u"港区"_s, u"芝1−2−3"_s, rect, testFont());
    EXPECT_EQ(minus.lines.join(u'/'), u"港区芝1-2-3"_s);

    struct Row
    {
        QString first;
        QString street;
        QRectF rect;
    };
    const Row rows[] = {
        { u"東京都港区"_s, u"芝公園4-2-8\n東京タワービル101号室"_s, rect },
        { QString(), QString(), rect }, // nothing to set
        { u"大阪府"_s, kanji(2000), rect }, // far too long
        { u"札幌市"_s, u"北1条西2丁目"_s, QRectF(10, 10, 0, 0) }, // a block not placed yet
        { u"京都市"_s, u"左京区"_s, QRectF(10, 10, 200, 20) }, // wide and very short
    };
    for (const Row &row : rows) {
        for (bool verticalForms : { false, true }) {
            VerticalTextLayout::Options options;
            options.useVerticalForms = verticalForms;
            const VerticalFit::AddressFit fit
                = VerticalFit::fitAddress(row.first, row.street, row.rect, testFont(), options);
            ASSERT_EQ(fit.widths.size(), fit.lines.size());
            EXPECT_GE(fit.fontSize, 0);
            if (row.rect.height() > 1) {
                EXPECT_LE(fit.fontSize, fit.lineHeight * 0.9 + 1e-9);
                for (qreal width : fit.widths)
                    EXPECT_LE(width, row.rect.height());
            }
        }
    }
}

TEST(VerticalTextBlockTest, NameFitSizesCompanyAndNameWithinTheirColumns)
{
    const QRectF rect(108, 80, 90, 270);
    const QStringList name { u"山 田 　 太 郎 様"_s };
    const QStringList company { u"株式会社サンプル商事"_s, u"営業部"_s };
    const VerticalFit::NameFit fit = VerticalFit::fitName(name, company, rect, testFont(), perCharacter());
    EXPECT_DOUBLE_EQ(fit.lineHeight, 30);
    EXPECT_GT(fit.companyFontSize, VerticalFit::minimumSize);
    EXPECT_LE(fit.companyFontSize, 27);
    EXPECT_LE(fit.nameFontSize, 27);
    ASSERT_EQ(fit.companyWidths.size(), 2);
    ASSERT_EQ(fit.nameWidths.size(), 1);
    for (qreal width : fit.companyWidths + fit.nameWidths)
        EXPECT_LE(width, 270);

    const VerticalFit::NameFit alone = VerticalFit::fitName(name, {}, rect, testFont(), perCharacter());
    EXPECT_DOUBLE_EQ(alone.lineHeight, 90);
    EXPECT_EQ(alone.companyFontSize, 0);
    EXPECT_TRUE(alone.companyWidths.isEmpty());

    // An unplaced block (no size) keeps its starting size without fitting.
    const VerticalFit::NameFit unplaced = VerticalFit::fitName(name, {}, QRectF(0, 0, 1, 1), testFont());
    EXPECT_LE(unplaced.nameFontSize, 0.9);
}
