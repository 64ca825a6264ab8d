#include "print/HagakiLayout.h"
#include "print/HagakiRenderer.h"
#include "print/PostalCodeBoxes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// What a card looks like as a whole, read from the glyphs it sets: joint names beside the main name,
// the receiver's text above the sender's in size, and blocks clear of the printed boxes.
namespace {

QVariantMap options(const QString &type = PrintValue::HagakiTypeNenga)
{
    return { { PrintKey::Keishou, PrintValue::KeishouSama },
        { PrintKey::Hagaki,
            QVariantMap { { PrintKey::FontName, PrintFont::DefaultVerticalFamily },
                { PrintKey::HagakiType, type } } } };
}

ReceiverRecord record(const QString &last, const QString &first, const QString &renmei = {},
    const QString &company = {}, const QString &street = u"西新宿三丁目一番一号"_s)
{
    ReceiverRecord r;
    r.name = { { Ident::LastName, last }, { Ident::FirstName, first } };
    r.address = { { Ident::ZIP, u"1631203"_s }, { Ident::State, u"東京都"_s }, { Ident::City, u"新宿区"_s },
        { Ident::Street, street } };
    r.renmei = renmei;
    r.company = company;
    if (!renmei.isEmpty())
        r.layoutDict.insert(Key::Renmei, true);
    if (!company.isEmpty())
        r.layoutDict.insert(Key::Company, true);
    return r;
}

HagakiRenderer::PageGeometry card(const ReceiverRecord &receiver, const std::optional<ReceiverRecord> &sender,
    const QString &type = PrintValue::HagakiTypeNenga)
{
    HagakiLayout layout;
    layout.setPrintOptions(options(type));
    layout.setSenderPerson(sender);
    layout.setReceiverPersons({ receiver });
    return HagakiRenderer::layoutPage(layout.pageForReceiver(0));
}

const HagakiRenderer::Block *block(const HagakiRenderer::PageGeometry &geometry, int slot)
{
    for (const HagakiRenderer::Block &b : geometry.blocks) {
        if (b.slot == slot)
            return &b;
    }
    return nullptr;
}

// The glyphs of one column that show text (blanks left out).
QList<VerticalGlyph> inked(const VerticalLineLayout &column)
{
    QList<VerticalGlyph> glyphs;
    for (const VerticalGlyph &g : column.glyphs) {
        if (!g.text.trimmed().isEmpty())
            glyphs.append(g);
    }
    return glyphs;
}

qreal largestSize(const HagakiRenderer::Block *b, qsizetype fromLine = 0)
{
    qreal size = 0;
    for (qsizetype i = fromLine; b && i < b->layout.lines.size(); ++i) {
        for (const VerticalGlyph &g : b->layout.lines.at(i).glyphs)
            size = std::max(size, g.size);
    }
    return size;
}

} // namespace

TEST(HagakiCardTest, JointNamesLineUpUnderTheGivenNameEachWithTheHonorific)
{
    struct Row
    {
        const char *guards;
        ReceiverRecord receiver;
        QStringList columns; // the characters each column shows
    } rows[] = {
        { "given names of one length", record(u"山田"_s, u"太郎"_s, u"花子\n一郎"_s),
            { u"山田太郎様"_s, u"花子様"_s, u"一郎様"_s } },
        { "a shorter main given name", record(u"木村"_s, u"健"_s, u"花子\n次郎"_s),
            { u"木村健様"_s, u"花子様"_s, u"次郎様"_s } },
        { "a longer main given name", record(u"西田"_s, u"由美子"_s, u"一"_s),
            { u"西田由美子様"_s, u"一様"_s } },
        { "under a company", record(u"山田"_s, u"太郎"_s, u"花子"_s, u"株式会社サンプル商事"_s),
            { u"株式会社サンプル商事"_s, u"山田太郎様"_s, u"花子様"_s } },
    };
    for (const Row &row : rows) {
        const HagakiRenderer::PageGeometry geometry = card(row.receiver, std::nullopt);
        const HagakiRenderer::Block *name = block(geometry, HagakiLayout::ReceiverNameSlot);
        ASSERT_TRUE(name) << row.guards;
        ASSERT_EQ(name->layout.lines.size(), row.columns.size()) << row.guards;
        const qsizetype firstName = row.receiver.company.isEmpty() ? 0 : 1;
        QList<QList<VerticalGlyph>> columns;
        for (qsizetype i = 0; i < row.columns.size(); ++i) {
            columns.append(inked(name->layout.lines.at(i)));
            QString shown;
            for (const VerticalGlyph &g : columns.last())
                shown += g.text;
            EXPECT_EQ(shown, row.columns.at(i)) << row.guards << ": column " << i;
        }
        // Every name column ends with the honorific, and the honorifics stand in one row; the given
        // names end in the row above it.
        const QList<VerticalGlyph> &main = columns.at(firstName);
        ASSERT_GE(main.size(), 2);
        const qreal honorificRow = main.last().origin.y();
        const qreal lastGivenRow = main.at(main.size() - 2).origin.y();
        for (qsizetype i = firstName + 1; i < columns.size(); ++i) {
            ASSERT_GE(columns.at(i).size(), 2) << row.guards;
            EXPECT_EQ(columns.at(i).last().text, u"様"_s) << row.guards;
            EXPECT_NEAR(columns.at(i).last().origin.y(), honorificRow, 0.5) << row.guards << ": column " << i;
            EXPECT_NEAR(columns.at(i).at(columns.at(i).size() - 2).origin.y(), lastGivenRow, 0.5)
                << row.guards << ": column " << i;
            // Beside the main name, one column further left each.
            EXPECT_LT(columns.at(i).first().origin.x(), columns.at(i - 1).first().origin.x()) << row.guards;
        }
    }
}

TEST(HagakiCardTest, TheReceiversNameIsTheLargestTextAndItsAddressOutgrowsTheSenders)
{
    const ReceiverRecord shortSender = record(u"西田"_s, u"一"_s, {}, {}, u"1203"_s);
    const ReceiverRecord familySender = record(u"鈴木"_s, u"一郎"_s, u"花子"_s);
    struct Row
    {
        const char *guards;
        ReceiverRecord receiver;
        ReceiverRecord sender;
    } rows[] = {
        { "a plain card", record(u"木村"_s, u"大子"_s), shortSender },
        { "two joint names against a one-line sender", record(u"山田"_s, u"太郎"_s, u"花子\n一郎"_s),
            shortSender },
        { "three joint names", record(u"山田"_s, u"太郎"_s, u"花子\n一郎\n次郎"_s), familySender },
        { "a company line with a short company", record(u"山田"_s, u"太郎"_s, {}, u"東商"_s), shortSender },
        { "a long name", record(u"ウィリアムズ"_s, u"アレクサンダー"_s, u"エリザベス"_s), shortSender },
        { "a one-word receiver address", record(u"山田"_s, u"太郎"_s, u"花子\n一郎"_s, {}, u"一"_s),
            familySender },
    };
    for (const Row &row : rows) {
        const HagakiRenderer::PageGeometry geometry = card(row.receiver, row.sender);
        const HagakiRenderer::Block *name = block(geometry, HagakiLayout::ReceiverNameSlot);
        const HagakiRenderer::Block *address = block(geometry, HagakiLayout::ReceiverAddressSlot);
        ASSERT_TRUE(name && address && block(geometry, 2) && block(geometry, 3)) << row.guards;
        const qsizetype companyLines = row.receiver.company.isEmpty() ? 0 : 1;
        qreal nameSize = 0;
        for (qsizetype i = companyLines; i < name->layout.lines.size(); ++i)
            nameSize = std::max(nameSize, inked(name->layout.lines.at(i)).first().size);
        ASSERT_GT(nameSize, 0) << row.guards;
        qreal companySize = 0;
        for (qsizetype i = 0; i < companyLines; ++i)
            companySize = std::max(companySize, inked(name->layout.lines.at(i)).first().size);
        EXPECT_LT(companySize, nameSize) << row.guards;
        EXPECT_LT(largestSize(address), nameSize) << row.guards;
        EXPECT_LT(largestSize(block(geometry, 2)), nameSize) << row.guards;
        EXPECT_LT(largestSize(block(geometry, 3)), nameSize) << row.guards;
        EXPECT_LT(largestSize(block(geometry, 3)), largestSize(address)) << row.guards;
        // Smaller text still stays inside its block.
        for (int slot : { 2, 3 }) {
            const HagakiRenderer::Block *b = block(geometry, slot);
            EXPECT_LE(b->layout.textRect.bottom(), b->rect.bottom() + 0.5) << row.guards << " slot " << slot;
        }
    }
}

TEST(HagakiCardTest, DefaultBlocksKeepClearOfEveryRowOfBoxes)
{
    const QList<ReceiverRecord> people { record(u"木村"_s, u"大子"_s),
        record(u"山田"_s, u"太郎"_s, u"花子\n一郎"_s),
        record(u"山田"_s, u"太郎"_s, u"花子"_s, u"株式会社サンプル商事"_s),
        record(u"鈴木"_s, u"一郎"_s, u"花子\n次郎\n三郎"_s, {},
            u"芝公園四丁目二番八号東京タワービルディング二十一階二一〇三号室"_s) };
    for (const QString &type : { PrintValue::HagakiTypeNenga, PrintValue::HagakiTypeGeneral }) {
        const QRectF receiverBoxes = PostalCodeBoxes::rowRect({ 125.575, 34.016 }, false);
        const QRectF senderBoxes = PostalCodeBoxes::rowRect(
            PrintChoices::senderZipOrigin({ { PrintKey::HagakiType, type } }), true);
        for (const ReceiverRecord &receiver : people) {
            for (const ReceiverRecord &sender : people) {
                const HagakiRenderer::PageGeometry geometry = card(receiver, sender, type);
                ASSERT_EQ(geometry.blocks.size(), 4);
                for (const HagakiRenderer::Block &b : geometry.blocks) {
                    for (const QRectF &area : { b.rect, b.layout.textRect }) {
                        EXPECT_FALSE(area.intersects(receiverBoxes))
                            << qPrintable(type) << " slot " << b.slot;
                        EXPECT_FALSE(area.intersects(senderBoxes)) << qPrintable(type) << " slot " << b.slot;
                    }
                }
            }
        }
    }
}

TEST(HagakiCardTest, NumbersInVerticalAddressesStandUprightWithTheJapaneseDefaults)
{
    PrintOptions::FontDefaults fonts;
    fonts.userFontName = PrintFont::DefaultVerticalFamily;
    fonts.verticalFamily = PrintFont::DefaultVerticalFamily;
    const QVariantMap japanese = PrintOptions::initPrintOptions(PrintValue::LanguageJapanese, fonts);
    const auto addressColumns = [](const QVariantMap &options, const QString &street) {
        HagakiLayout layout;
        layout.setPrintOptions(options);
        layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s, {}, {}, street) });
        const HagakiPage page = layout.pageForReceiver(0);
        const HagakiRenderer::PageGeometry geometry = HagakiRenderer::layoutPage(page);
        const HagakiRenderer::Block *address = block(geometry, HagakiLayout::ReceiverAddressSlot);
        QList<VerticalGlyph> glyphs;
        for (const VerticalLineLayout &line : address ? address->layout.lines : QList<VerticalLineLayout>())
            glyphs += inked(line);
        return std::make_pair(page.objects[HagakiLayout::ReceiverAddressSlot]
                                  .value(TextKey::AddressArray)
                                  .toStringList()
                                  .join(QString()),
            glyphs);
    };

    // Kanji digits, a bar for the hyphen, the Latin letter upright: every glyph stands.
    const auto [text, glyphs] = addressColumns(japanese, u"西新宿3-1-1 ビル25F"_s);
    EXPECT_TRUE(text.contains(u"西新宿三ー一ー一 ビル二五Ｆ"_s)) << qPrintable(text);
    for (const VerticalGlyph &g : glyphs) {
        EXPECT_EQ(g.rotation, 0) << qPrintable(g.text);
        if (g.text == u"ー"_s) {
            // The long mark is drawn as a bar along the column.
            const QRectF ink = g.font.boundingRect(g.glyphIndex);
            EXPECT_GT(ink.height(), 2 * ink.width());
        }
    }

    // An address abroad keeps its digits and letters as written.
    HagakiLayout abroad;
    abroad.setPrintOptions(japanese);
    ReceiverRecord anne = record(u"Miller"_s, u"Anne"_s);
    anne.address = { { Ident::ZIP, u"62701"_s }, { Ident::State, u"IL"_s }, { Ident::City, u"Springfield"_s },
        { Ident::Street, u"1600 Amphitheatre Way"_s }, { Ident::Country, u"USA"_s } };
    abroad.setReceiverPersons({ anne });
    const QString abroadText = abroad.objectTable()[HagakiLayout::ReceiverAddressSlot]
                                   .value(TextKey::AddressArray)
                                   .toStringList()
                                   .join(u'|');
    EXPECT_TRUE(abroadText.contains(u"1600 Amphitheatre Way"_s)) << qPrintable(abroadText);
    EXPECT_TRUE(abroadText.contains(u"Springfield, IL 62701"_s))
        << "city and state apart, the postal code after them: " << qPrintable(abroadText);
    // Its postal code is not put in the boxes, where Japanese sorting machines would read it as theirs.
    EXPECT_TRUE(HagakiRenderer::layoutPage(abroad.pageForReceiver(0)).zipDigits.isEmpty());
    HagakiLayout home;
    home.setPrintOptions(japanese);
    home.setReceiverPersons({ record(u"山田"_s, u"太郎"_s) });
    EXPECT_EQ(HagakiRenderer::layoutPage(home.pageForReceiver(0)).zipDigits.size(), 7)
        << "a Japanese postal code still fills its boxes";

    // Without kanji numerals, numbers of up to three digits stand in one cell; longer ones lie on their side.
    QVariantMap digits = japanese;
    QVariantMap hagaki = digits.value(PrintKey::Hagaki).toMap();
    PrintChoices::setKanjiNumerals(hagaki, PrintChoices::KanjiNumerals::Off);
    PrintChoices::setUprightLetters(hagaki, false);
    digits.insert(PrintKey::Hagaki, hagaki);
    const auto [plain, plainGlyphs] = addressColumns(digits, u"目黒4-16-360 1203"_s);
    EXPECT_TRUE(plain.contains(u"目黒4ー16ー360 1203"_s)) << qPrintable(plain);
    QString upright;
    QString sideways;
    QMap<qreal, int> cells; // glyphs per row of the upright digits
    for (const VerticalGlyph &g : plainGlyphs) {
        if (!g.text.at(0).isDigit())
            continue;
        if (g.rotation == 0) {
            upright += g.text;
            ++cells[qRound(g.origin.y() * 10) / 10.0];
        } else {
            sideways += g.text;
        }
    }
    EXPECT_EQ(upright, u"416360"_s);
    EXPECT_EQ(sideways, u"1203"_s);
    EXPECT_EQ(cells.values(), (QList<int> { 1, 2, 3 })) << "4, 16 and 360 each in a cell of its own";
}
