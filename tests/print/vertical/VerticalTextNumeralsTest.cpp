#include "print/vertical/VerticalNumerals.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using VerticalNumerals::NumberHyphen;
using VerticalNumerals::NumeralStyle;

TEST(VerticalTextNumeralsTest, RewritesNumbersAndHyphensOfAddresses)
{
    struct Row
    {
        QString input;
        NumeralStyle numerals;
        NumberHyphen hyphen;
        QString expected;
    };
    const Row rows[] = {
        // defaults keep the text as it is
        { u"芝公園4-2-8"_s, NumeralStyle::Arabic, NumberHyphen::Keep, u"芝公園4-2-8"_s },
        // one kanji per digit, zeros as 〇
        { u"芝公園4-2-108"_s, NumeralStyle::KanjiDigits, NumberHyphen::Keep, u"芝公園四-二-一〇八"_s },
        // place words, with the silent one before 十, 百 and 千
        { u"1-10-100"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"一-十-百"_s },
        { u"15番地の23"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"十五番地の二十三"_s },
        { u"1001"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"千一"_s },
        { u"2345"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"二千三百四十五"_s },
        { u"10000"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"一万"_s },
        { u"120005"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"十二万五"_s },
        { u"0"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"〇"_s },
        // a leading zero or a very long number keeps its digits one by one
        { u"部屋05"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"部屋〇五"_s },
        { u"1234567890123"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep,
            u"一二三四五六七八九〇一二三"_s },
        // full-width digits count as digits
        { u"３丁目１２"_s, NumeralStyle::KanjiPositional, NumberHyphen::Keep, u"三丁目十二"_s },
        // hyphens between numbers, whatever dash was typed
        { u"4-2-8"_s, NumeralStyle::Arabic, NumberHyphen::LongMark, u"4ー2ー8"_s },
        { u"4−2‐8"_s, NumeralStyle::Arabic, NumberHyphen::No, u"4の2の8"_s },
        { u"４－２"_s, NumeralStyle::KanjiDigits, NumberHyphen::No, u"四の二"_s },
        { u"4-2-8"_s, NumeralStyle::KanjiPositional, NumberHyphen::LongMark, u"四ー二ー八"_s },
        // a hyphen not between two numbers stays
        { u"A-1 -2 3-"_s, NumeralStyle::Arabic, NumberHyphen::No, u"A-1 -2 3-"_s },
        { u"メゾン-ド-1"_s, NumeralStyle::Arabic, NumberHyphen::No, u"メゾン-ド-1"_s },
        { QString(), NumeralStyle::KanjiPositional, NumberHyphen::No, QString() },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.input.toStdString());
        EXPECT_EQ(VerticalNumerals::transform(row.input, { row.numerals, row.hyphen, false }), row.expected);
    }
    // Latin letters stand upright as their full-width forms; nothing else changes with them.
    EXPECT_EQ(VerticalNumerals::transform(
                  u"ビル25F Az-1"_s, { NumeralStyle::KanjiDigits, NumberHyphen::LongMark, true }),
        u"ビル二五Ｆ Ａｚ-一"_s);
    EXPECT_EQ(
        VerticalNumerals::transform(u"3-1-1"_s, { NumeralStyle::KanjiDigits, NumberHyphen::LongMark, true }),
        u"三ー一ー一"_s);
}

TEST(VerticalTextNumeralsTest, FindsNumbersOfUpToThreeDigits)
{
    const QString text = u"1番12号123の４５号6789"_s;
    QList<std::pair<qsizetype, qsizetype>> found;
    for (qsizetype i = -1; i <= text.size(); ++i) {
        if (const qsizetype length = VerticalNumerals::uprightNumberAt(text, i))
            found.append({ i, length });
    }
    // A number of four digits is not one, nor is any tail of it.
    EXPECT_EQ(found, (QList<std::pair<qsizetype, qsizetype>> { { 0, 1 }, { 2, 2 }, { 5, 3 }, { 9, 2 } }));
    EXPECT_EQ(VerticalNumerals::uprightNumberAt(u"7"_s, 0), 1);
    // A postal code is one number, whatever its first group's length.
    EXPECT_EQ(VerticalNumerals::uprightNumberAt(u"〒100-0001"_s, 1), 0);
    EXPECT_EQ(VerticalNumerals::uprightNumberAt(u"〒100-0001"_s, 5), 0);
}
