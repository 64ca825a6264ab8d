#include "model/LayoutString.h"

#include "model/Identifiers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace LayoutString;

TEST(LayoutStringTest, WritesFlagsThenRectanglesInFixedOrder)
{
    const QVariantMap only { { Key::Sender, true } };
    EXPECT_EQ(layoutStringFromHagakiLayoutDict(only), u"1;"_s);
    EXPECT_EQ(layoutStringFromHagakiLayoutDict({}), u""_s);
    const QVariantMap full { { Key::Sender, true }, { Key::Company, true }, { Key::Renmei, true },
        { Key::ReceiverName, u"{{108, 80}, {82, 270}}"_s } };
    EXPECT_EQ(layoutStringFromHagakiLayoutDict(full), u"7;rn:{{108.00,80.00},{82.00,270.00}};"_s);
    const QVariantMap all { { Key::Company, true }, { Key::SenderName, u"{{4,4},{4,4}}"_s },
        { Key::SenderAddress, u"{{3,3},{3,3}}"_s }, { Key::ReceiverName, u"{{2,2},{2,2}}"_s },
        { Key::ReceiverAddress, u"{{1,1},{1,1}}"_s }, { Key::Renmei, false } };
    EXPECT_EQ(layoutStringFromHagakiLayoutDict(all),
        u"2;ra:{{1.00,1.00},{1.00,1.00}};rn:{{2.00,2.00},{2.00,2.00}};sa:{{3.00,3.00},{3.00,3.00}};sn:{{4.00,4.00},{4.00,4.00}};"_s);
}

// An address's dictionary holds its own keys beside the layout's; flags alone, and rectangles that
// are not texts or are empty, give the flags only.
TEST(LayoutStringTest, AddressDictionariesGiveTheirFlagsAndRectangles)
{
    for (int flags = 0; flags < 8; ++flags) {
        QVariantMap address { { Ident::City, u"Chuo"_s }, { Ident::Street, u"1-2-3"_s },
            { Key::Label, u"home"_s }, { Key::LabelIndex, 0 }, { Key::StringValue, u"1-2-3 Chuo"_s } };
        if (flags & 1)
            address.insert(Key::Sender, true);
        else if (flags == 0)
            address.insert(Key::Sender, false);
        if (flags & 2)
            address.insert(Key::Company, u"true"_s);
        if (flags & 4)
            address.insert(Key::Renmei, 1);
        const QString expected = QString::number(flags) + u';';
        EXPECT_EQ(layoutStringFromHagakiLayoutDict(address), expected) << flags;
        address.insert(Key::ReceiverName, QRectF(1, 2, 3, 4));
        address.insert(Key::SenderName, u""_s);
        EXPECT_EQ(layoutStringFromHagakiLayoutDict(address), expected) << flags;
        address.insert(Key::SenderAddress, u"{{1,2},{3,4}}"_s);
        EXPECT_EQ(layoutStringFromHagakiLayoutDict(address), expected + u"sa:{{1.00,2.00},{3.00,4.00}};"_s)
            << flags;
    }
    EXPECT_EQ(layoutStringFromHagakiLayoutDict(QVariantMap { { Key::LabelIndex, 0 } }), u"0;"_s);
}

TEST(LayoutStringTest, ParsesFlagsAndRectanglesIgnoringTheRest)
{
    QVariantMap r { { Key::Sender, true } };
    hagakiLayoutFromLayoutString(r, u"6;ra:{{204.00,75.00},{46.00,275.00}};xx:1;"_s);
    EXPECT_FALSE(r.value(Key::Sender).toBool());
    EXPECT_TRUE(r.value(Key::Company).toBool());
    EXPECT_TRUE(r.value(Key::Renmei).toBool());
    EXPECT_EQ(r.value(Key::ReceiverAddress).toString(), u"{{204.00,75.00},{46.00,275.00}}"_s);
    EXPECT_FALSE(r.contains(u"xx"_s));

    QVariantMap untouched { { Key::Sender, true } };
    hagakiLayoutFromLayoutString(untouched, u""_s);
    EXPECT_EQ(untouched, (QVariantMap { { Key::Sender, true } }));
}

TEST(LayoutStringTest, WriteThenParseGivesTheSameRecord)
{
    const QVariantMap in { { Key::Sender, true }, { Key::Company, false }, { Key::Renmei, true },
        { Key::SenderName, u"{{1.234, -5}, {6.789, 10}}"_s }, { Key::ReceiverAddress, u"{{0,0},{0,0}}"_s } };
    QVariantMap out;
    hagakiLayoutFromLayoutString(out, layoutStringFromHagakiLayoutDict(in));
    EXPECT_EQ(out.value(Key::Sender), true);
    EXPECT_EQ(out.value(Key::Company), false);
    EXPECT_EQ(out.value(Key::Renmei), true);
    EXPECT_EQ(out.value(Key::SenderName).toString(), u"{{1.23,-5.00},{6.79,10.00}}"_s);
    EXPECT_EQ(out.value(Key::ReceiverAddress).toString(), u"{{0.00,0.00},{0.00,0.00}}"_s);
}

TEST(LayoutStringTest, MalformedRectanglesAndStringsNeverFail)
{
    const std::pair<QString, QString> rects[] = {
        { u"{{1,2},{3,4}}"_s, u"{{1.00,2.00},{3.00,4.00}}"_s },
        { u"  {{ 1.5 , 2e1 }, { .5 , -3 }}"_s, u"{{1.50,20.00},{0.50,-3.00}}"_s },
        { u"{{1,2}}"_s, u"{{1.00,2.00},{0.00,0.00}}"_s }, // missing numbers read as 0
        { u"garbage"_s, u"{{0.00,0.00},{0.00,0.00}}"_s },
        { u""_s, u"{{0.00,0.00},{0.00,0.00}}"_s },
        { u"{{1e999,nan},{-,+}}"_s, u"{{0.00,0.00},{0.00,0.00}}"_s }, // out of range numbers read as 0
        { u"1,2,3,4,5,6"_s, u"{{1.00,2.00},{3.00,4.00}}"_s },
    };
    for (const auto &[text, expected] : rects)
        EXPECT_EQ(normarizeRect(text), expected) << text.toStdString();

    for (const QString &s :
        { u";;;"_s, u"x;ra"_s, u"99999999999999999999;rn:;sa::;"_s, u":"_s, QString(10000, u';') }) {
        QVariantMap r;
        hagakiLayoutFromLayoutString(r, s);
        EXPECT_EQ(r.value(Key::Sender), false) << s.left(20).toStdString();
    }
    QVariantMap r;
    hagakiLayoutFromLayoutString(r, u"1;rn:;sn:{{1,1},{1,1}}:extra;"_s);
    EXPECT_EQ(r.value(Key::ReceiverName).toString(), u""_s);
    EXPECT_EQ(r.value(Key::SenderName).toString(), u"{{1,1},{1,1}}"_s);
}
