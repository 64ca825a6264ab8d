#include "print/AddressListItems.h"
#include "print/LabelFilter.h"
#include "print/PaperSizes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintUnits.h"
#include "print/VerticalFontList.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using PrintUnits::Unit;

TEST(PrintOptionsUnitsTest, ConversionsBetweenPointsInchesAndMillimetres)
{
    struct Case
    {
        double value;
        Unit from, to;
        double expected;
    };
    const Case cases[] = {
        { 36, Unit::Points, Unit::Inches, 0.5 },
        { 36, Unit::Points, Unit::Millimeters, 12.7 },
        { 10, Unit::Millimeters, Unit::Points, 28.346456692913385 },
        { 1, Unit::Inches, Unit::Points, 72 },
        { 1, Unit::Inches, Unit::Millimeters, 25.4 },
        { 25.4, Unit::Millimeters, Unit::Inches, 1 },
        { 15, Unit::Points, Unit::Points, 15 },
    };
    for (const Case &c : cases) {
        EXPECT_NEAR(PrintUnits::changeValue(c.value, c.from, c.to), c.expected, 1e-9)
            << c.value << " " << int(c.from) << "->" << int(c.to);
        // And back again.
        EXPECT_NEAR(PrintUnits::changeValue(c.expected, c.to, c.from), c.value, 1e-9);
    }
    EXPECT_EQ(PrintUnits::stepIncrement(Unit::Inches), 0.1);
    EXPECT_EQ(PrintUnits::stepIncrement(Unit::Millimeters), 1.0);
    EXPECT_EQ(PrintUnits::unitFromName(u"mm"_s), Unit::Millimeters);
    EXPECT_EQ(PrintUnits::unitFromName(u"inches"_s), Unit::Inches);
    EXPECT_EQ(PrintUnits::unitFromName(u"furlongs"_s), Unit::Points);
    EXPECT_EQ(PrintUnits::unitName(Unit::Millimeters), u"mm"_s);
}

TEST(PrintOptionsChoicesTest, HonorificChoices)
{
    EXPECT_EQ(PrintChoices::keishouChoices(),
        (QStringList { u"None"_s, u"様"_s, u"殿"_s, u"御中"_s, u"Mr."_s, u"Mrs."_s, u"Ms."_s, u"Dr."_s }));
    EXPECT_EQ(PrintChoices::keishouForChoice(u"None"_s), QString());
    EXPECT_EQ(PrintChoices::keishouForChoice(QString()), QString());
    EXPECT_EQ(PrintChoices::keishouForChoice(u"御中"_s), u"御中"_s);
    EXPECT_EQ(PrintChoices::keishouChoiceIndex(QString()), 0);
    EXPECT_EQ(PrintChoices::keishouChoiceIndex(u"None"_s), 0);
    EXPECT_EQ(PrintChoices::keishouChoiceIndex(u"Ms."_s), 6);
    EXPECT_EQ(PrintChoices::keishouChoiceIndex(u"先生"_s), -1);
}

TEST(PrintOptionsChoicesTest, PostcardTypeChoiceSetsBackgroundAndType)
{
    struct Case
    {
        QString title;
        bool background;
        QString type;
        int index;
    };
    const Case cases[] = {
        { u"ハガキのイメージを表示しない"_s, false, u"None"_s, 0 },
        { u"年賀ハガキのイメージを表示する"_s, true, u"Nenga"_s, 1 },
        { u"普通ハガキのイメージを表示する"_s, true, u"General"_s, 2 },
    };
    for (const Case &c : cases) {
        QVariantMap hagaki;
        ASSERT_TRUE(PrintChoices::applyHagakiTypeChoice(hagaki, c.title));
        EXPECT_EQ(PrintOptions::flag(hagaki.value(PrintKey::ShowBackground)), c.background);
        EXPECT_EQ(hagaki.value(PrintKey::HagakiType).toString(), c.type);
        EXPECT_EQ(PrintChoices::hagakiTypeChoiceIndex(hagaki), c.index);
    }
    QVariantMap untouched { { PrintKey::HagakiType, u"General"_s } };
    EXPECT_FALSE(PrintChoices::applyHagakiTypeChoice(untouched, u"something else"_s));
    EXPECT_EQ(untouched.size(), 1);
}

TEST(PrintOptionsChoicesTest, SenderPostalCodePosition)
{
    EXPECT_EQ(PrintChoices::parsePointString(u"(15.59, 348.66)"_s), QPointF(15.59, 348.66));
    EXPECT_EQ(PrintChoices::parsePointString(u"{-2, 3e1}"_s), QPointF(-2, 30));
    EXPECT_FALSE(PrintChoices::parsePointString(u"(15.59)"_s));
    EXPECT_FALSE(PrintChoices::parsePointString(u"{1e999, 2}"_s));
    EXPECT_FALSE(PrintChoices::parsePointString(QString(100000, u'(') + u"1, 2"_s)); // bounded, not scanned

    // Missing: shown as the default, which is stored.
    QVariantMap hagaki { { PrintKey::HagakiType, u"Nenga"_s } };
    const QPointF shown = PrintChoices::senderZipDisplayPosition(hagaki, Unit::Points);
    EXPECT_EQ(shown, QPointF(15.59, 348.66));
    EXPECT_EQ(hagaki.value(PrintKey::SenderZIPPositionForNenga).toString(), u"(15.59, 348.66)"_s);

    // An ordinary card shows and lays out the boxes 15 mm lower, but stores the New Year position.
    hagaki.insert(PrintKey::HagakiType, u"General"_s);
    const QPointF mm = PrintChoices::senderZipDisplayPosition(hagaki, Unit::Millimeters);
    EXPECT_NEAR(mm.y(), (348.66 + 42.51968503937008) * 25.4 / 72, 1e-9);
    PrintChoices::setSenderZipDisplayPosition(hagaki, QPointF(10, 140), Unit::Millimeters);
    const auto stored
        = PrintChoices::parsePointString(hagaki.value(PrintKey::SenderZIPPositionForNenga).toString());
    ASSERT_TRUE(stored);
    EXPECT_NEAR(stored->x(), 28.346456692913385, 1e-9);
    EXPECT_NEAR(stored->y(), 140 * 72 / 25.4 - 42.51968503937008, 1e-9);
    EXPECT_TRUE(hagaki.value(PrintKey::SenderZIPPositionForNenga).toString().startsWith(u'{'));
    EXPECT_NEAR(PrintChoices::senderZipOrigin(hagaki).y(), 140 * 72 / 25.4, 1e-9);

    // The old default origin counts as today's.
    const QVariantMap legacy { { PrintKey::SenderZIPPositionForNenga, u"(21, 354)"_s } };
    EXPECT_EQ(PrintChoices::senderZipOrigin(legacy), QPointF(15.59, 348.66));
    const QVariantMap damaged { { PrintKey::SenderZIPPositionForNenga, u"nowhere"_s } };
    EXPECT_EQ(PrintChoices::senderZipOrigin(damaged), QPointF(15.59, 348.66));
}

TEST(PrintOptionsChoicesTest, TypesettingChoicesAndPrinterOffsets)
{
    QVariantMap style;
    EXPECT_EQ(PrintChoices::kanjiNumerals(style), PrintChoices::KanjiNumerals::Off);
    EXPECT_EQ(PrintChoices::numberHyphen(style), PrintChoices::NumberHyphen::Off);
    EXPECT_FALSE(PrintChoices::tateChuYoko(style));
    PrintChoices::setKanjiNumerals(style, PrintChoices::KanjiNumerals::Positional);
    PrintChoices::setNumberHyphen(style, PrintChoices::NumberHyphen::No);
    PrintChoices::setTateChuYoko(style, true);
    EXPECT_EQ(style.value(PrintKey::KanjiNumerals).toString(), u"百"_s);
    EXPECT_EQ(style.value(PrintKey::NumberHyphen).toString(), u"の"_s);
    EXPECT_EQ(PrintChoices::kanjiNumerals(style), PrintChoices::KanjiNumerals::Positional);
    EXPECT_EQ(PrintChoices::numberHyphen(style), PrintChoices::NumberHyphen::No);
    EXPECT_TRUE(PrintChoices::tateChuYoko(style));
    style.insert(PrintKey::KanjiNumerals, u"Roman"_s); // unknown values keep the address as typed
    EXPECT_EQ(PrintChoices::kanjiNumerals(style), PrintChoices::KanjiNumerals::Off);

    // Offsets are kept per paper, bounded, and dropped when back at zero.
    PrintChoices::setPrinterOffset(style, u"Postcard"_s, QPointF(1.5, -2));
    PrintChoices::setPrinterOffset(
        style, u"Letter"_s, QPointF(500, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(PrintChoices::printerOffset(style, u"Postcard"_s), QPointF(1.5, -2));
    EXPECT_EQ(PrintChoices::printerOffset(style, u"Letter"_s), QPointF(50, 0));
    EXPECT_EQ(PrintChoices::printerOffset(style, u"A4"_s), QPointF(0, 0));
    EXPECT_NEAR(PrintChoices::printerOffsetInPoints(style, u"Postcard"_s).x(), 1.5 * 72 / 25.4, 1e-9);
    PrintChoices::setPrinterOffset(style, u"Postcard"_s, QPointF(0, 0));
    EXPECT_FALSE(style.value(PrintKey::PrinterOffsets).toMap().contains(u"Postcard"_s));
    // A damaged stored offset reads as bounded numbers.
    style.insert(PrintKey::PrinterOffsets,
        QVariantMap {
            { u"DL"_s, QVariantMap { { u"x"_s, u"1e9"_s }, { u"y"_s, u"abc"_s } } }, { u"C5"_s, 7 } });
    EXPECT_EQ(PrintChoices::printerOffset(style, u"DL"_s), QPointF(50, 0));
    EXPECT_EQ(PrintChoices::printerOffset(style, u"C5"_s), QPointF(0, 0));
}

TEST(PrintOptionsChoicesTest, PaperSizesCarryTheirNamesAndExactDimensions)
{
    struct Case
    {
        QString name;
        double widthMm, heightMm;
    };
    const Case cases[] = {
        { u"Postcard"_s, 100, 148 },
        { u"Letter"_s, 215.9, 279.4 },
        { u"A4"_s, 210, 297 },
        { u"長形3号"_s, 120, 235 },
        { u"長形4号"_s, 90, 205 },
        { u"洋形2号"_s, 114, 162 },
        { u"US #10"_s, 104.775, 241.3 },
        { u"DL"_s, 110, 220 },
        { u"C5"_s, 162, 229 },
    };
    EXPECT_EQ(PaperSizes::names().size(), std::size(cases));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto size = PaperSizes::pageSize(c.name);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->name(), c.name);
        const QSizeF points = PaperSizes::sizeInPoints(c.name);
        EXPECT_NEAR(points.width(), c.widthMm * 72 / 25.4, 1e-9);
        EXPECT_NEAR(points.height(), c.heightMm * 72 / 25.4, 1e-9);
        EXPECT_NEAR(size->size(QPageSize::Millimeter).width(), c.widthMm, 0.2);
        EXPECT_EQ(PaperSizes::nameForSize(points), c.name);
        EXPECT_EQ(PaperSizes::nameForSize(points.transposed()), c.name);
    }
    EXPECT_EQ(PaperSizes::sizeInPoints(u"Letter"_s), QSizeF(612, 792));
    EXPECT_FALSE(PaperSizes::pageSize(u"Napkin"_s));
    EXPECT_TRUE(PaperSizes::sizeInPoints(u"Napkin"_s).isEmpty());
    EXPECT_TRUE(PaperSizes::nameForSize(QSizeF(1, 1)).isEmpty());
}

TEST(PrintOptionsChoicesTest, VerticalFontListFiltersFamilies)
{
    const QStringList families { u".Hidden JP"_s, u"Noto Sans CJK JP"_s, u"DejaVu Sans"_s, u"MS Mincho"_s,
        u"EPSON-KAISHO"_s, u"Noto Sans CJK JP"_s, u"Osaka"_s };
    const auto japanese = [](const QString &family) {
        return family.contains(u"JP"_s) || family == u"MS Mincho"_s || family == u"Osaka"_s;
    };
    const QList<VerticalFont> fonts
        = VerticalFontList::makeVerticalFontList(families, japanese, u"Fallback"_s);
    // Hidden and excluded families are left out; printer fonts are always offered; no duplicates.
    EXPECT_EQ(fonts,
        (QList<VerticalFont> {
            { u"Noto Sans CJK JP"_s, u"Noto Sans CJK JP"_s }, { u"EPSON-KAISHO"_s, u"EPSON-KAISHO"_s } }));
    EXPECT_EQ(VerticalFontList::indexOfFont(fonts, u"EPSON-KAISHO"_s), 1);
    EXPECT_EQ(VerticalFontList::indexOfFont(fonts, u"Gone"_s), 0);
    EXPECT_EQ(VerticalFontList::indexOfFont({}, u"Gone"_s), -1);

    const auto none = VerticalFontList::makeVerticalFontList({ u"DejaVu Sans"_s }, japanese, u"Fallback"_s);
    EXPECT_EQ(none, (QList<VerticalFont> { { u"Fallback"_s, u"Fallback"_s } }));
    const QVariantList records = VerticalFontList::toVariantList(none);
    EXPECT_EQ(records.first().toMap().value(u"displayName"_s).toString(), u"Fallback"_s);

    // Built from the installed fonts off the GUI thread.
    auto future = VerticalFontList::start();
    future.waitForFinished();
    const QList<VerticalFont> installed = future.result();
    ASSERT_FALSE(installed.isEmpty());
    if (QFontDatabase::families().contains(u"Noto Sans CJK JP"_s)) {
        EXPECT_GE(VerticalFontList::indexOfFont(installed, u"Noto Sans CJK JP"_s), 0);
    }
}

TEST(PrintOptionsAddressListTest, ItemTableFollowsColumnsAndMoves)
{
    QVariantList items = PrintOptions::defaultItemTable();
    // A fresh list prints more than names.
    EXPECT_EQ(AddressListItems::printedItems(items),
        (QStringList { u"Address"_s, u"Email"_s, u"Phone"_s, u"Company"_s }));
    for (int row = 1; row < items.size(); ++row)
        AddressListItems::setItemState(items, row, false);
    EXPECT_TRUE(AddressListItems::printedItems(items).isEmpty());
    EXPECT_TRUE(
        AddressListItems::updateItemTable(items, { u"Name"_s, u"Phone"_s, u"Email"_s, u"Unknown"_s }));
    EXPECT_EQ(AddressListItems::printedItems(items), (QStringList { u"Email"_s, u"Phone"_s }));
    EXPECT_FALSE(AddressListItems::updateItemTable(items, { u"Phone"_s })); // already on

    // The name row cannot be switched off.
    EXPECT_FALSE(AddressListItems::setItemState(items, 0, false));
    EXPECT_TRUE(AddressListItems::setItemState(items, 1, true)); // Address
    EXPECT_FALSE(AddressListItems::setItemState(items, 17, true));

    // Drop positions are between rows: moving "Phone" (row 5) above "Address" (row 1).
    EXPECT_TRUE(AddressListItems::moveItemFromDrag(items, u"5"_s, 1));
    EXPECT_EQ(AddressListItems::printedItems(items), (QStringList { u"Phone"_s, u"Address"_s, u"Email"_s }));
    // Below the last row.
    EXPECT_TRUE(AddressListItems::moveItem(items, 1, 17));
    EXPECT_EQ(items.last().toMap().value(u"Title"_s).toString(), u"Phone"_s);
    // Refused: onto itself, outside the table, not a row number.
    EXPECT_FALSE(AddressListItems::moveItem(items, 3, 3));
    EXPECT_FALSE(AddressListItems::moveItem(items, 3, 4));
    EXPECT_FALSE(AddressListItems::moveItem(items, -1, 0));
    EXPECT_FALSE(AddressListItems::moveItem(items, 0, 18));
    for (const QString &drag : { u"x"_s, u""_s, u"99999999999999"_s, u"-1"_s, u"3.5"_s })
        EXPECT_FALSE(AddressListItems::moveItemFromDrag(items, drag, 0)) << drag.toStdString();
    EXPECT_EQ(items.size(), 17);
}

TEST(PrintOptionsAddressListTest, LabelFilterMarks)
{
    const QStringList modelLabels { u"home"_s, u"work"_s, u"other"_s, u"mobile"_s, u"home page"_s,
        u"mobile"_s, u"All"_s };
    LabelFilter filter(modelLabels);
    EXPECT_EQ(filter.titles(),
        (QStringList {
            u"Label"_s, u"All"_s, u"home"_s, u"work"_s, u"other"_s, u"mobile"_s, u"home page"_s }));
    EXPECT_EQ(filter.selectedLabels(), QStringList { u"All"_s });

    filter.chooseTitle(u"home"_s);
    filter.chooseTitle(u"work"_s);
    EXPECT_EQ(filter.selectedLabels(), (QStringList { u"home"_s, u"work"_s }));
    EXPECT_FALSE(filter.items().at(1).marked);
    // "All" after "home" and "work" leaves only "All".
    filter.chooseTitle(u"All"_s);
    EXPECT_EQ(filter.selectedLabels(), QStringList { u"All"_s });
    EXPECT_FALSE(filter.items().at(2).marked);
    EXPECT_FALSE(filter.items().at(3).marked);
    // Unmarking the last marked label returns to "All".
    filter.chooseTitle(u"mobile"_s);
    EXPECT_EQ(filter.selectedLabels(), QStringList { u"mobile"_s });
    filter.chooseTitle(u"mobile"_s);
    EXPECT_EQ(filter.selectedLabels(), QStringList { u"All"_s });
    EXPECT_TRUE(filter.items().at(1).marked);
    // The heading and out-of-range choices do nothing.
    filter.choose(0);
    filter.choose(100);
    EXPECT_EQ(filter.selectedLabels(), QStringList { u"All"_s });

    // Marks come back from a stored filter; labels no longer offered are dropped.
    const LabelFilter restored(modelLabels, { u"work"_s, u"gone"_s });
    EXPECT_EQ(restored.selectedLabels(), QStringList { u"work"_s });
    const LabelFilter nothingKnown(modelLabels, { u"gone"_s });
    EXPECT_EQ(nothingKnown.selectedLabels(), QStringList { u"All"_s });

    EXPECT_TRUE(LabelFilter::passes({}, u"home"_s));
    EXPECT_TRUE(LabelFilter::passes({ u"All"_s }, u"home"_s));
    EXPECT_TRUE(LabelFilter::passes({ u"work"_s, u"home"_s }, u"home"_s));
    EXPECT_FALSE(LabelFilter::passes({ u"work"_s }, u"home"_s));
}
