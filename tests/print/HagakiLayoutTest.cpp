#include "print/HagakiLayout.h"

#include "model/Identifiers.h"
#include "model/StoreContact.h"
#include "model/ZRPerson.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QVariantMap options(const QString &keishou = PrintValue::KeishouSama, const QVariantMap &hagakiExtra = {})
{
    QVariantMap hagaki { { PrintKey::FontName, PrintFont::DefaultVerticalFamily },
        { PrintKey::HagakiType, PrintValue::HagakiTypeNenga } };
    for (auto it = hagakiExtra.begin(); it != hagakiExtra.end(); ++it)
        hagaki.insert(it.key(), it.value());
    return { { PrintKey::Keishou, keishou }, { PrintKey::Hagaki, hagaki } };
}

ReceiverRecord record(const QString &last, const QString &first, const QVariantMap &layout = {},
    const QString &renmei = {}, const QString &company = {})
{
    ReceiverRecord r;
    r.name = { { Ident::LastName, last }, { Ident::FirstName, first }, { Ident::Name, last + first } };
    r.renmei = renmei;
    r.company = company;
    r.layoutDict = layout;
    r.address = { { Ident::ZIP, u"1000013"_s }, { Ident::State, u"東京都"_s }, { Ident::City, u"千代田区"_s },
        { Ident::Street, u"霞が関1-2-3"_s } };
    return r;
}

QVariantMap nameObject(const QVariantMap &nameDict, const QStringList &renmei = {})
{
    QVariantMap object { { TextKey::NameDict, nameDict } };
    if (!renmei.isEmpty())
        object.insert(TextKey::Renmei, renmei);
    return object;
}

void expectRect(const QRectF &actual, const QRectF &expected, const char *what)
{
    EXPECT_NEAR(actual.x(), expected.x(), 1e-6) << what;
    EXPECT_NEAR(actual.y(), expected.y(), 1e-6) << what;
    EXPECT_NEAR(actual.width(), expected.width(), 1e-6) << what;
    EXPECT_NEAR(actual.height(), expected.height(), 1e-6) << what;
}

const QVariantMap RenmeiOn { { Key::Renmei, true } };

} // namespace

TEST(HagakiLayoutTest, NameTextSpacesCharactersAndAddsHonorificsAndJointNames)
{
    const QVariantMap yamada { { Ident::LastName, u"山田"_s }, { Ident::FirstName, u"太郎"_s } };
    struct Row
    {
        const char *guards;
        QVariantMap nameDict;
        QStringList renmei;
        QVariantMap layout;
        bool sender;
        QString keishou;
        QString expected;
    } rows[] = {
        { "parts, honorific after", yamada, {}, {}, false, u"様"_s, u"山 田  太 郎 様"_s },
        { "sender: last blank dropped, no honorific", yamada, {}, {}, true, u"様"_s, u"山 田  太 郎"_s },
        { "composite split at the ideographic space", { { Ident::Name, u"山田　太郎"_s } }, {}, {}, false,
            u"様"_s, u"山 田  太 郎 様"_s },
        { "composite split at a blank", { { Ident::Name, u"Ann Lee"_s } }, {}, {}, false, u"殿"_s,
            u"A n n  L e e 殿"_s },
        { "no separator: all last name", { { Ident::Name, u"山田太郎"_s } }, {}, {}, false, u"御中"_s,
            u"山 田 太 郎 御中"_s },
        { "separator first: all last name", { { Ident::Name, u" 山田"_s } }, {}, {}, false, u""_s,
            u"  山 田 "_s },
        { "no name at all", {}, {}, {}, true, u""_s, u"N o   n a m e"_s },
        { "honorific in front, nothing after", yamada, {}, {}, false, u"Mr."_s, u"M r . 山 田  太 郎 "_s },
        { "sender never gets one in front", yamada, {}, {}, true, u"Dr."_s, u"山 田  太 郎"_s },
        { "joint names when the flag is on", yamada, { u"花子"_s }, RenmeiOn, false, u"様"_s,
            u"山 田  太 郎 様\n花 子 様"_s },
        { "joint names ignored when the flag is off", yamada, { u"花子"_s }, {}, false, u"様"_s,
            u"山 田  太 郎 様"_s },
        { "every joint name gets the honorific; lining up is the layout's",
            { { Ident::LastName, u"山田"_s }, { Ident::FirstName, u"一"_s } }, { u"花子"_s, u"次郎"_s },
            RenmeiOn, false, u"様"_s, u"山 田  一 様\n花 子 様\n次 郎 様"_s },
        { "at most three joint names, empty ones skipped", yamada,
            { u"一"_s, u""_s, u"二"_s, u"三"_s, u"四"_s }, RenmeiOn, true, u""_s,
            u"山 田  太 郎\n一\n二\n三"_s },
    };
    for (const Row &row : rows) {
        EXPECT_EQ(HagakiLayout::nameString(
                      nameObject(row.nameDict, row.renmei), row.layout, row.sender, row.keishou),
            row.expected)
            << row.guards;
    }
}

TEST(HagakiLayoutTest, DefaultReceiverBlocksFollowTheNumberOfNameLines)
{
    const QVariantMap company { { Key::Company, true } };
    const QVariantMap companyAndRenmei { { Key::Company, true }, { Key::Renmei, true } };
    struct Row
    {
        const char *guards;
        ReceiverRecord receiver;
        QRectF name;
    } rows[] = {
        { "one line", record(u"山田"_s, u"太郎"_s), { 120, 80, 50, 270 } },
        { "two name lines", record(u"山田"_s, u"太郎"_s, RenmeiOn, u"花子"_s), { 105, 80, 80, 270 } },
        { "company and name", record(u"山田"_s, u"太郎"_s, company, {}, u"山田商店"_s),
            { 125, 80, 80, 270 } },
        { "company flag off", record(u"山田"_s, u"太郎"_s, {}, {}, u"山田商店"_s), { 120, 80, 50, 270 } },
        { "two company lines and a name", record(u"山田"_s, u"太郎"_s, company, {}, u"山田商店\n営業部"_s),
            { 108, 80, 90, 270 } },
        { "four lines", record(u"山田"_s, u"太郎"_s, companyAndRenmei, u"花子\n次郎"_s, u"商店"_s),
            { 108, 80, 90, 270 } },
        { "five lines", record(u"山田"_s, u"太郎"_s, companyAndRenmei, u"花子\n次郎\n三郎"_s, u"商店"_s),
            { 108, 80, 82, 270 } },
    };
    for (const Row &row : rows) {
        HagakiLayout layout;
        layout.setPrintOptions(options());
        layout.setReceiverPersons({ row.receiver });
        expectRect(
            TextObject::rect(layout.objectTable()[HagakiLayout::ReceiverNameSlot]), row.name, row.guards);
        expectRect(TextObject::rect(layout.objectTable()[HagakiLayout::ReceiverAddressSlot]),
            { 204, 75, 46, 275 }, row.guards);
        expectRect(TextObject::rect(
                       layout.objectTable()[HagakiLayout::ReceiverAddressSlot], TextKey::ReceiverZipRect),
            { 125.575, 34.016, 80, 18 }, row.guards);
    }
}

TEST(HagakiLayoutTest, StoredRectanglesAreHonouredAndRepairedOrRefused)
{
    HagakiLayout layout;
    layout.setPrintOptions(options());

    // A stored name block wider than the default pushes the default address block to its right edge.
    layout.setReceiverPersons(
        { record(u"山田"_s, u"太郎"_s, { { Key::ReceiverName, u"{{150.00,80.00},{70.00,270.00}}"_s } }) });
    expectRect(TextObject::rect(layout.objectTable()[0]), { 150, 80, 70, 270 }, "stored name");
    expectRect(TextObject::rect(layout.objectTable()[1]), { 220, 75, 46, 275 }, "address right of the name");

    // An address block stored without a height reaches down to 376.
    layout.setReceiverPersons(
        { record(u"山田"_s, u"太郎"_s, { { Key::ReceiverAddress, u"{{204, 75}, {46, 5}}"_s } }) });
    expectRect(TextObject::rect(layout.objectTable()[1]), { 204, 75, 46, 301 }, "address height repaired");

    // Damaged numbers fall back to the defaults instead of setting type at absurd sizes.
    layout.setReceiverPersons({ record(u"山田"_s, u"太郎"_s,
        { { Key::ReceiverName, u"{{nan, 80}, {1e300, 270}}"_s }, { Key::ReceiverAddress, u"garbage"_s } }) });
    expectRect(TextObject::rect(layout.objectTable()[0]), { 120, 80, 50, 270 }, "damaged name");
    expectRect(TextObject::rect(layout.objectTable()[1]), { 204, 75, 46, 275 }, "unreadable address");

    // Stored sender blocks.
    layout.setSenderPerson(record(u"鈴木"_s, u"一郎"_s,
        { { Key::SenderName, u"{{30,180},{30,150}}"_s }, { Key::SenderAddress, u"{{62,180},{40,160}}"_s } }));
    expectRect(TextObject::rect(layout.objectTable()[2]), { 30, 180, 30, 150 }, "stored sender name");
    expectRect(TextObject::rect(layout.objectTable()[3]), { 62, 180, 40, 160 }, "stored sender address");
}

TEST(HagakiLayoutTest, DefaultSenderBlocksAndPostalCodeRows)
{
    struct Row
    {
        const char *guards;
        ReceiverRecord sender;
        QRectF name;
        QRectF address;
    } rows[] = {
        { "one line", record(u"鈴木"_s, u"一郎"_s), { 20, 175, 36, 175 }, { 59, 175, 40, 175 } },
        { "two lines: address cut at 104", record(u"鈴木"_s, u"一郎"_s, RenmeiOn, u"花子"_s),
            { 18, 175, 48, 175 }, { 69, 175, 35, 175 } },
        { "three lines", record(u"鈴木"_s, u"一郎"_s, RenmeiOn, u"花子\n次郎"_s), { 12, 175, 54, 175 },
            { 69, 175, 35, 175 } },
        { "four lines", record(u"鈴木"_s, u"一郎"_s, RenmeiOn, u"花子\n次郎\n三郎"_s), { 10, 175, 60, 175 },
            { 73, 175, 31, 175 } },
        { "a narrow stored name: the address moves to 75",
            record(u"鈴木"_s, u"一郎"_s, { { Key::SenderName, u"{{5,175},{20,175}}"_s } }),
            { 5, 175, 20, 175 }, { 75, 175, 29, 175 } },
    };
    const QVariantMap general { { PrintKey::HagakiType, PrintValue::HagakiTypeGeneral } };
    for (const Row &row : rows) {
        HagakiLayout layout;
        layout.setPrintOptions(options(u"様"_s, general));
        layout.setSenderPerson(row.sender);
        expectRect(TextObject::rect(layout.objectTable()[2]), row.name, row.guards);
        expectRect(TextObject::rect(layout.objectTable()[3]), row.address, row.guards);

        // A New Year card prints the sender's boxes at 348.66: default blocks end 1.5 mm above them,
        // a stored one stays as the user placed it.
        layout.setPrintOptions(options());
        layout.setSenderPerson(row.sender);
        const bool storedName = row.sender.layoutDict.contains(Key::SenderName);
        QRectF name = row.name;
        QRectF address = row.address;
        if (!storedName)
            name.setBottom(348.66 - 4.25);
        address.setBottom(348.66 - 4.25);
        expectRect(TextObject::rect(layout.objectTable()[2]), name, row.guards);
        expectRect(TextObject::rect(layout.objectTable()[3]), address, row.guards);
    }

    struct ZipRow
    {
        const char *guards;
        QVariantMap hagaki;
        QPointF origin;
    } zips[] = {
        { "default, New Year card", {}, { 15.59, 348.66 } },
        { "old default", { { PrintKey::SenderZIPPositionForNenga, u"(21, 354)"_s } }, { 15.59, 348.66 } },
        { "ordinary card: 15 mm lower", { { PrintKey::HagakiType, PrintValue::HagakiTypeGeneral } },
            { 15.59, 348.66 + 42.51968503937008 } },
        { "moved by the user", { { PrintKey::SenderZIPPositionForNenga, u"{20, 340}"_s } }, { 20, 340 } },
    };
    for (const ZipRow &row : zips) {
        HagakiLayout layout;
        layout.setPrintOptions(options(u"様"_s, row.hagaki));
        layout.setSenderPerson(record(u"鈴木"_s, u"一郎"_s));
        expectRect(TextObject::rect(layout.objectTable()[3], TextKey::SenderZipRect),
            QRectF(row.origin, QSizeF(80, 18)), row.guards);
    }

    // Without a postal code there is no row of boxes to fill.
    ReceiverRecord noZip = record(u"鈴木"_s, u"一郎"_s);
    noZip.address.remove(Ident::ZIP);
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setSenderPerson(noZip);
    layout.setReceiverPersons({ noZip });
    EXPECT_FALSE(layout.objectTable()[3].contains(TextKey::SenderZipRect));
    EXPECT_FALSE(layout.objectTable()[1].contains(TextKey::ReceiverZipRect));
}

TEST(HagakiLayoutTest, AddressFittingStaysInsideItsBlockAndBreaksLongLines)
{
    ReceiverRecord r = record(u"山田"_s, u"太郎"_s);
    r.address.insert(Ident::State, u"北海道"_s);
    r.address.insert(Ident::City, u"札幌市中央区北一条西二丁目"_s);
    r.address.insert(Ident::Street, u"一番地三号札幌中央ビルディング別館第二十五号室"_s);
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setReceiverPersons({ r });
    const QVariantMap &address = layout.objectTable()[1];
    const QStringList lines = address.value(TextKey::AddressArray).toStringList();
    ASSERT_EQ(lines.size(), 2) << "too long for one column: city, then street";
    EXPECT_EQ(lines.at(0), u"北海道札幌市中央区北一条西二丁目"_s);
    const QRectF rect = TextObject::rect(address);
    const qreal size = address.value(TextKey::FontSize).toDouble();
    EXPECT_GE(size, 7);
    EXPECT_LE(size, address.value(TextKey::LineHeight).toDouble() * 0.9 + 1e-9);
    for (const QVariant &width : address.value(TextKey::WidthArray).toList())
        EXPECT_LE(width.toDouble(), rect.height() + 1e-6);

    // The name block: sizes within the column and the longest line within the block.
    const QVariantMap &name = layout.objectTable()[0];
    const QRectF nameRect = TextObject::rect(name);
    EXPECT_LE(name.value(TextKey::NameFontSize).toDouble(), nameRect.width() * 0.9 + 1e-9);
    for (const QVariant &width : name.value(TextKey::NameWidthArray).toList())
        EXPECT_LE(width.toDouble(), nameRect.height() + 1e-6);
}

TEST(HagakiLayoutTest, NumberOptionsRewriteTheAddressOnly)
{
    ReceiverRecord r = record(u"山田"_s, u"太郎"_s);
    r.address.insert(Ident::Street, u"霞が関1−2−3"_s); // minus signs, as some sources type them
    QVariantMap hagaki;
    PrintChoices::setKanjiNumerals(hagaki, PrintChoices::KanjiNumerals::Digits);
    PrintChoices::setNumberHyphen(hagaki, PrintChoices::NumberHyphen::No);
    HagakiLayout layout;
    layout.setPrintOptions(options(u"様"_s, hagaki));
    layout.setReceiverPersons({ r });
    EXPECT_EQ(layout.objectTable()[1].value(TextKey::AddressArray).toStringList().join(u'\n'),
        u"東京都千代田区\n霞が関一の二の三"_s);

    layout.setPrintOptions(options());
    layout.setReceiverPersons({ r });
    EXPECT_EQ(layout.objectTable()[1].value(TextKey::AddressArray).toStringList().join(u'\n'),
        u"東京都千代田区\n霞が関1-2-3"_s);
}

TEST(HagakiLayoutTest, OnlyTheSendersOwnCardLosesItsReceiverBlocks)
{
    const ReceiverRecord me = [] {
        ReceiverRecord r = record(u"鈴木"_s, u"一郎"_s);
        r.person = ZRPerson::create();
        return r;
    }();
    ReceiverRecord friendCard = record(u"山田"_s, u"太郎"_s);
    friendCard.person = ZRPerson::create();
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setSenderPerson(me);
    layout.setReceiverPersons({ me, friendCard });
    EXPECT_TRUE(layout.pageForReceiver(0).senderIsReceiver);
    const HagakiPage second = layout.pageForReceiver(1);
    EXPECT_FALSE(second.senderIsReceiver);
    EXPECT_TRUE(second.hasSender);
    EXPECT_EQ(second.objects[0].value(TextKey::NameDict).toMap().value(Ident::LastName), u"山田"_s);
}

TEST(HagakiLayoutTest, ConvertContactTakesTheAddressAndItsLayoutRecord)
{
    StoreContact contact;
    contact.familyName = u"山田"_s;
    contact.givenName = u"太郎"_s;
    contact.organizationName = u"山田商店"_s;
    StorePostalAddress home;
    home.postalCode = u"100-0013"_s;
    home.state = u"東京都"_s;
    home.city = u"千代田区"_s;
    home.street = u"霞が関1-2-3"_s;
    StorePostalAddress work = home;
    work.city = u"港区"_s;
    contact.postalAddresses = { { u"_$!<Home>!$_"_s, home }, { u"_$!<Work>!$_"_s, work } };
    const std::shared_ptr<ZRPerson> person = ZRPerson::fromStoreContact(contact);
    person->setValueForIdentifier(u"花子\n次郎"_s, Ident::Renmei);
    person->replaceLabeledValueAtLabelIndex(
        u"7;rn:{{108.00,80.00},{82.00,270.00}};"_s, Ident::HagakiLayout, 1);

    const ReceiverRecord first = ReceiverRecord::convertContact(person);
    EXPECT_EQ(first.labelIndex, 0);
    EXPECT_EQ(first.address.value(Ident::City), u"千代田区"_s);
    EXPECT_FALSE(first.isSender());
    EXPECT_EQ(first.company, u"山田商店"_s);
    EXPECT_EQ(first.renmeiList(), QStringList({ u"花子"_s, u"次郎"_s }));

    const ReceiverRecord second = ReceiverRecord::convertContact(person, 1);
    EXPECT_EQ(second.address.value(Ident::City), u"港区"_s);
    EXPECT_TRUE(second.isSender() && second.printsCompany() && second.printsRenmei());
    EXPECT_EQ(ReceiverRecord::senderLabelIndex(person), 1);

    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setReceiverPersons({ second });
    expectRect(TextObject::rect(layout.objectTable()[0]), { 108, 80, 82, 270 }, "record's name block");

    const ReceiverRecord missing = ReceiverRecord::convertContact(person, 9);
    EXPECT_FALSE(missing.hasAddress());
    EXPECT_FALSE(ReceiverRecord::convertContact(nullptr).hasAddress());
}

TEST(HagakiLayoutTest, HugeFieldsAreBoundedBeforeFitting)
{
    ReceiverRecord r
        = record(QString(100000, u'長'), u"太郎"_s, { { Key::Renmei, true }, { Key::Company, true } },
            QString(5000, u'\n') + QString(300, u'花'), QString(100000, u'\n'));
    r.address.insert(Ident::Street, QString(50000, u'1') + QString(2000, u'\n'));
    HagakiLayout layout;
    layout.setPrintOptions(options());
    layout.setReceiverPersons({ r });
    layout.setSenderPerson(r);
    for (const QVariantMap &object : layout.objectTable()) {
        ASSERT_TRUE(TextObject::rect(object).isValid());
        for (const QString &line : object.value(TextKey::AddressArray).toStringList())
            EXPECT_LE(line.size(), TextObject::MaxLineLength);
        EXPECT_LE(object.value(TextKey::AddressArray).toStringList().size(), 16);
    }
    const QString name = HagakiLayout::nameString(layout.objectTable()[0], r.layoutDict, false, u"様"_s);
    EXPECT_LE(name.size(), 8 * TextObject::MaxLineLength);
    EXPECT_LE(HagakiLayout::companyLines(layout.objectTable()[0]).size(), 4);
}
