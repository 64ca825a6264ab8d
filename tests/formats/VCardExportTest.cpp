#include "formats/VCardExport.h"

#include "common/PinnedDefaultsTest.h"
#include "formats/ZRvCard.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QImage>
#include <QLocale>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class VCardExportTest : public PinnedDefaultsTest
{
protected:
    static std::shared_ptr<ZRPerson> person(const QString &first, const QString &last)
    {
        return personNamed(first, last);
    }

    static ContactEntryPtr entry(const std::shared_ptr<ZRPerson> &p)
    {
        auto e = std::make_shared<ContactEntry>();
        e->person = p;
        e->uniqueId = p->uniqueId();
        return e;
    }

    static void addAddress(ZRPerson &p, const QString &street)
    {
        p.addLabeledValue(QVariantMap { { Key::Label, u"home"_s }, { Ident::Street, street },
                              { Ident::City, u"Chuo"_s }, { Ident::Country, u"Japan"_s } },
            Ident::Address);
    }

    // The one record of a card read back through the document's reader.
    static std::shared_ptr<ZRPerson> readBack(const QByteArray &card, ContainerTable *containers = nullptr)
    {
        auto read = ZRvCard().containersFromVCards(QString::fromUtf8(card));
        if (!read || read->isEmpty())
            return {};
        if (containers)
            *containers = *read;
        const ContactTable *table = ZRvCard::contactsInContainer(*read->first());
        return table && table->size() == 1 ? table->first()->person : nullptr;
    }

    // The names of the properties the writer appended, in order, up to END:VCARD.
    static QStringList propertyNames(const QByteArray &card)
    {
        QStringList names;
        for (const QByteArray &line : card.split('\n')) {
            if (line.isEmpty() || line.startsWith(' '))
                continue;
            const qsizetype end = std::min(line.indexOf(':') < 0 ? line.size() : line.indexOf(':'),
                line.indexOf(';') < 0 ? line.size() : line.indexOf(';'));
            names << QString::fromUtf8(line.first(end));
        }
        return names;
    }

    static QStringList added(const QByteArray &card, const QStringList &candidates)
    {
        QStringList out;
        for (const QString &name : propertyNames(card))
            if (candidates.contains(name))
                out << name;
        return out;
    }

    static void expectLinesWithin75Octets(const QByteArray &card)
    {
        for (const QByteArray &line : card.split('\n'))
            EXPECT_LE(line.endsWith('\r') ? line.size() - 1 : line.size(), 75) << line.constData();
    }

    const QStringList addedNames { u"NOTE"_s, u"X-RENMEI"_s, u"X-HAGAKILAYOUTS"_s, u"PHOTO"_s,
        u"CATEGORIES"_s };
};

} // namespace

TEST_F(VCardExportTest, NotesAndJointNamesReadBackExactly)
{
    const QString longJapanese
        = u"東京都中央区銀座一丁目二番三号、山田ビル五階；担当は佐藤様です。よろしくお願いいたします。"_s;
    const struct
    {
        const char *what;
        QString text;
    } cases[] = {
        { "comma and semicolon", u"Tea, coffee; or water"_s },
        { "backslashes, also before n", u"C:\\new\\path \\\\ end\\"_s },
        { "line breaks, blank line and trailing", u"first line\nsecond\n\nfourth\n"_s },
        { "escape-looking text", u"literally \\n and \\, kept"_s },
        { "long Japanese text folded between characters", longJapanese },
        { "long ASCII", QString(200, u'a') + u",;\\"_s },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto p = person(u"Ann"_s, u"Lee"_s);
        p->setValueForIdentifier(c.text, Ident::Note);
        p->setValueForIdentifier(c.text + u" & 山田"_s, Ident::Renmei);
        const QByteArray card = VCardExport::vCardFromPerson(*p, VCardExport::fileExportOptions());
        expectLinesWithin75Octets(card);
        EXPECT_EQ(added(card, addedNames), (QStringList { u"NOTE"_s, u"X-RENMEI"_s })); // no invented picture
        auto back = readBack(card);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->valueForIdentifier(Ident::Note).toString(), c.text);
        EXPECT_EQ(back->valueForIdentifier(Ident::Renmei).toString(), c.text + u" & 山田"_s);
        EXPECT_EQ(back->valueForIdentifier(Ident::FirstName).toString(), u"Ann"_s);
    }
}

TEST_F(VCardExportTest, OptionsChooseTheAddedPropertiesAndTheirOrder)
{
    auto p = person(u"Ann"_s, u"Lee"_s);
    p->setValueForIdentifier(u"a note"_s, Ident::Note);
    p->setValueForIdentifier(u"Bob"_s, Ident::Renmei);
    addAddress(*p, u"1-2-3 Ginza"_s);
    const QStringList all { u"Photo"_s, u"Note"_s, u"Renmei"_s, u"HagakiLayout"_s, u"Categories"_s };

    const QByteArray withoutPhoto = VCardExport::vCardFromPerson(*p, all, { u"A"_s, u"B"_s });
    EXPECT_FALSE(withoutPhoto.contains("PHOTO")); // an export never invents a picture
    p->setPhoto(QImage(8, 8, QImage::Format_RGB32));
    const QByteArray fromPerson = VCardExport::vCardFromPerson(*p, all, { u"A"_s, u"B"_s });
    EXPECT_EQ(added(fromPerson, addedNames), addedNames);
    p->setPhoto(QImage());
    EXPECT_TRUE(fromPerson.contains("\r\nCATEGORIES:A,B\r\nEND:VCARD\r\n"));
    EXPECT_TRUE(fromPerson.endsWith("END:VCARD\r\n"));

    // From an entry: another order, no categories, and no placeholder picture.
    const QByteArray fromEntry = VCardExport::vCardFromContact(*entry(p), all);
    EXPECT_EQ(added(fromEntry, addedNames), (QStringList { u"NOTE"_s, u"X-RENMEI"_s, u"X-HAGAKILAYOUTS"_s }));
    p->setPhoto(QImage(8, 8, QImage::Format_RGB32));
    EXPECT_EQ(added(VCardExport::vCardFromContact(*entry(p), all), addedNames),
        (QStringList { u"NOTE"_s, u"PHOTO"_s, u"X-RENMEI"_s, u"X-HAGAKILAYOUTS"_s }));

    EXPECT_TRUE(added(VCardExport::vCardFromPerson(*p, { u"Unknown option"_s }), addedNames).isEmpty());
    EXPECT_TRUE(VCardExport::vCardFromContact(ContactEntry(), all).isEmpty());
    EXPECT_EQ(VCardExport::categoriesString({}), u""_s);

    // Without addresses there is no layout property, even when asked for.
    auto noAddress = person(u"Cy"_s, u"Doe"_s);
    EXPECT_TRUE(added(VCardExport::vCardFromPerson(*noAddress, { u"HagakiLayout"_s }), addedNames).isEmpty());
}

TEST_F(VCardExportTest, LayoutsTravelOnePerAddressLine)
{
    auto p = person(u"Ann"_s, u"Lee"_s);
    for (const QString &street : { u"1 First"_s, u"2 Second"_s, u"3 Third"_s })
        addAddress(*p, street);
    QVariantMap second = p->labeledValueForIdentifierAtIndex(Ident::Address, 1).toMap();
    second.insert(Key::Company, true);
    second.insert(Key::ReceiverAddress, u"{{204,75},{46,275}}"_s);
    p->replaceLabeledValueAtIndex(second, Ident::Address, 1);
    QVariantMap third = p->labeledValueForIdentifierAtIndex(Ident::Address, 2).toMap();
    third.insert(Key::Renmei, true);
    p->replaceLabeledValueAtIndex(third, Ident::Address, 2);

    const QByteArray card = VCardExport::vCardFromPerson(*p, { u"HagakiLayout"_s });
    const qsizetype at = card.indexOf("X-HAGAKILAYOUTS:");
    ASSERT_GE(at, 0);
    EXPECT_EQ(card.mid(at, card.indexOf("END:VCARD") - at),
        "X-HAGAKILAYOUTS:0;\r\n 2;ra:{{204.00,75.00},{46.00,275.00}};\r\n 4;\r\n"_ba);

    auto back = readBack(card);
    ASSERT_TRUE(back);
    const QVariantList addresses = back->valueForIdentifier(Ident::Address).toList();
    ASSERT_EQ(addresses.size(), 3);
    EXPECT_TRUE(addresses[1].toMap().value(Key::Company).toBool());
    EXPECT_EQ(
        addresses[1].toMap().value(Key::ReceiverAddress).toString(), u"{{204.00,75.00},{46.00,275.00}}"_s);
    EXPECT_TRUE(addresses[2].toMap().value(Key::Renmei).toBool());
    EXPECT_FALSE(addresses[0].toMap().value(Key::Renmei).toBool());
}

TEST_F(VCardExportTest, CategoriesComeFromTheContainerAndKeepCommasInNames)
{
    auto ann = entry(person(u"Ann"_s, u"Lee"_s));
    auto bob = entry(person(u"Bob"_s, u"Ray"_s));
    ContactContainerPtr container = ZRvCard::makeVCardContainer();
    *container->groups.first()->contactTable = { ann, bob };
    auto group = [&](const QString &name, ContactTable members) {
        auto g = std::make_shared<ContactGroup>();
        g->name = name;
        g->contactTable = members;
        container->groups.append(g);
        return g;
    };
    group(u"Friends, close"_s, { ann });
    group(u"Golf;Tennis\\Club"_s, { ann, bob });
    auto removedFrom = std::make_shared<ContactEntry>(*bob);
    removedFrom->deleted = true;
    group(u"Former"_s, { removedFrom });
    group(u"Deleted group"_s, { ann })->deleted = true;

    const auto text = VCardExport::vCardsFromContacts({ ann, bob }, {}, container.get());
    ASSERT_TRUE(text.has_value());
    ContainerTable containers;
    auto read = ZRvCard().containersFromVCards(QString::fromUtf8(*text));
    ASSERT_TRUE(read.has_value());
    const ContactContainer &back = *read->first();
    QStringList names;
    for (const auto &g : back.groups)
        names << g->name + u'=' + QString::number(g->contactTable->size());
    EXPECT_EQ(names, (QStringList { u"All Contacts=2"_s, u"Friends, close=1"_s, u"Golf;Tennis\\Club=2"_s }));

    // Without a container, no card names a category.
    const auto plain = VCardExport::vCardsFromContacts({ ann, bob }, {});
    ASSERT_TRUE(plain.has_value());
    EXPECT_FALSE(plain->contains("CATEGORIES"));
    EXPECT_EQ(plain->count("BEGIN:VCARD"), 2);
}

TEST_F(VCardExportTest, EachCardNamesItsOwnGroupsWhenContactsShareSomeOfThem)
{
    // Contacts in the same groups, in some of the same groups, and one listed twice in a group: the
    // names each card writes are its own, in the container's order of groups, each once.
    ContactTable people;
    for (const QString &name : { u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Di"_s, u"Ed"_s })
        people << entry(person(name, u"Lee"_s));
    const auto &[ann, bob, cy, di, ed] = std::tie(people[0], people[1], people[2], people[3], people[4]);
    ContactContainerPtr container = ZRvCard::makeVCardContainer();
    *container->groups.first()->contactTable = people;
    for (const auto &[name, members] : { std::pair { u"X"_s, ContactTable { ann, cy, di, ann } },
             std::pair { u"Y"_s, ContactTable { ann, bob, di } },
             std::pair { u"Z"_s, ContactTable { bob } } }) {
        auto group = std::make_shared<ContactGroup>();
        group->name = name;
        group->contactTable = members;
        container->groups.append(group);
    }
    const auto text = VCardExport::vCardsFromContacts(people, {}, container.get());
    ASSERT_TRUE(text.has_value());
    // The cards come in the order of the contacts; each names its categories on a line of its own.
    QStringList categories;
    for (const QByteArray &card : text->split('\n')) {
        if (card.startsWith("BEGIN:VCARD"))
            categories << QString();
        else if (card.startsWith("CATEGORIES:"))
            categories.last() = QString::fromUtf8(card.trimmed().sliced(11));
    }
    EXPECT_EQ(categories, (QStringList { u"X,Y"_s, u"Y,Z"_s, u"X"_s, u"X,Y"_s, QString() }));
}

TEST_F(VCardExportTest, ManyCardsReportProgressAndStopOnRequest)
{
    ContactTable entries { entry(person(u"A"_s, u"a"_s)), entry(person(u"B"_s, u"b"_s)),
        std::make_shared<ContactEntry>(), entry(person(u"C"_s, u"c"_s)) };
    QList<qsizetype> seen;
    const auto all = VCardExport::vCardsFromContacts(entries, {}, nullptr, [&](bool *stop, qsizetype i) {
        EXPECT_FALSE(*stop);
        seen << i;
    });
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->count("END:VCARD"), 3); // the entry without a record writes nothing
    EXPECT_EQ(seen, (QList<qsizetype> { 0, 1, 2, 3 }));

    const auto stopped = VCardExport::vCardsFromContacts(
        entries, {}, nullptr, [](bool *stop, qsizetype i) { *stop = i == 1; });
    EXPECT_FALSE(stopped.has_value());
    const auto none = VCardExport::vCardsFromContacts({}, {});
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->isEmpty());
    EXPECT_EQ(VCardExport::vCardsFromContactsWithoutGroups(entries, {}).count("END:VCARD"), 3);
}

TEST_F(VCardExportTest, PhotoPropertyIsFoldedAndDecodes)
{
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 10; x < 30; ++x)
        image.setPixelColor(x, 15, Qt::red);
    const QByteArray property = VCardExport::encodeVCardPhoto(image);
    ASSERT_TRUE(property.startsWith("PHOTO;ENCODING=b;TYPE=JPEG:"));
    const QList<QByteArray> lines = property.chopped(2).split('\n');
    EXPECT_EQ(lines.first().size(), 75 + 1); // with its CR
    QByteArray base64 = lines.first().mid(27).chopped(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        ASSERT_TRUE(lines[i].startsWith(' '));
        EXPECT_LE(lines[i].size(), 76);
        base64 += lines[i].mid(1).chopped(1);
    }
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(QByteArray::fromBase64(base64), "JPEG"));
    EXPECT_EQ(decoded.size(), image.size());
    // Transparent parts are laid on white, not left black.
    EXPECT_GT(decoded.pixelColor(0, 0).lightness(), 240);

    EXPECT_TRUE(VCardExport::encodeVCardPhoto(QImage()).isEmpty());
    EXPECT_TRUE(VCardExport::jpegDataFromImage(QImage()).isEmpty());

    // A photo written by the writer reads back as a picture of the same size.
    auto p = person(u"Ann"_s, u"Lee"_s);
    p->setPhoto(image);
    auto back = readBack(VCardExport::vCardFromPerson(*p, { u"Photo"_s }));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->photo().size(), image.size());
}

TEST_F(VCardExportTest, MarkersInsideValuesAreNotTakenForProperties)
{
    // What a company name holds is neither the end of the card nor a note already written.
    auto p = person(u"Ann"_s, u"Lee"_s);
    p->setValueForIdentifier(u"x END:VCARD NOTE: Inc"_s, Ident::Company);
    p->setValueForIdentifier(u"kept"_s, Ident::Note);
    const QByteArray card = VCardExport::vCardFromPerson(*p, { u"Note"_s });
    EXPECT_TRUE(card.endsWith("\r\nNOTE:kept\r\nEND:VCARD\r\n")) << card.constData();
    EXPECT_EQ(card.count("NOTE:kept"), 1);
}
