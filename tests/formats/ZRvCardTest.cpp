#include "formats/ZRvCard.h"

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString card(const QString &name, const QString &extra = QString())
{
    return u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n"_s.arg(name) + extra + u"END:VCARD\r\n"_s;
}

ContainerTable read(const QString &text, QList<ZRvCard::CardProblem> *problems = nullptr)
{
    auto result = ZRvCard().containersFromVCards(text, {}, problems);
    EXPECT_TRUE(result.has_value());
    return result.value_or(ContainerTable());
}

QStringList groupNames(const ContactContainer &container)
{
    QStringList names;
    for (const auto &group : container.groups)
        names << group->name;
    return names;
}

} // namespace

TEST(ZRvCardTest, NoTextGivesTheEmptyVCardContainer)
{
    for (const QString &text : { QString(), u"BEGIN:VCA"_s }) {
        const ContainerTable containers = read(text);
        ASSERT_EQ(containers.size(), 1);
        const ContactContainer &container = *containers.first();
        EXPECT_EQ(container.name, u"vCard"_s);
        EXPECT_EQ(container.type, 1);
        ASSERT_EQ(container.groups.size(), 1);
        EXPECT_TRUE(container.groups.first()->top);
        EXPECT_EQ(container.groups.first()->name, u"All Contacts"_s);
        EXPECT_TRUE(ZRvCard::contactsInContainer(container)->isEmpty());
    }
}

TEST(ZRvCardTest, CategoriesBecomeGroupsSharingOneEntryPerCard)
{
    const QString text = u"junk before\r\n"_s
        + card(u"Ann"_s, u"CATEGORIES:Friends, Work\r\nCATEGORIES:Golf,,\r\n"_s)
        + u"begin:vcard\r\nversion:3.0\r\nN:Bob;;;;\r\nFN:Bob\r\nCATEGORIES:Friends,friends,All Contacts\r\nend:vcard\r\n"_s;
    const ContainerTable containers = read(text);
    const ContactContainer &container = *containers.first();
    EXPECT_EQ(groupNames(container),
        (QStringList { u"All Contacts"_s, u"Friends"_s, u"Work"_s, u"Golf"_s, u"friends"_s }));
    const ContactTable &top = *ZRvCard::contactsInContainer(container);
    ASSERT_EQ(top.size(), 2); // the category named like the top group adds nothing
    EXPECT_TRUE(top.first()->isNew);
    EXPECT_TRUE(top.first()->person->created());
    EXPECT_EQ(top.first()->uniqueId, top.first()->person->uniqueId());

    const ContactTable &friends = *ZRvCard::contactsForGroup(*container.groups[1], container);
    ASSERT_EQ(friends.size(), 2);
    EXPECT_EQ(friends.first()->person, top.first()->person); // one record, an entry per group
    EXPECT_NE(friends.first(), top.first());
    EXPECT_EQ(container.groups[1]->containerName, u"Local"_s);
    EXPECT_TRUE(container.groups[1]->uniqueId.startsWith(u"Friends-"_s));
}

TEST(ZRvCardTest, CardThatFailsStillMakesItsGroupsAndIsReported)
{
    const QString broken
        = u"BEGIN:VCARD\r\nCATEGORIES:Lost\r\nthis is not a property line\r\nEND:VCARD\r\n"_s;
    QList<ZRvCard::CardProblem> problems;
    const ContainerTable containers = read(card(u"Ann"_s) + broken, &problems);
    const ContactContainer &container = *containers.first();
    EXPECT_EQ(groupNames(container), (QStringList { u"All Contacts"_s, u"Lost"_s }));
    if (ZRvCard::contactsInContainer(container)->size() == 1) {
        ASSERT_EQ(problems.size(), 1);
        EXPECT_EQ(problems.first().cardNumber, 2);
        EXPECT_FALSE(problems.first().reason.isEmpty());
    }
}

TEST(ZRvCardTest, JointNamesAndLayoutsAreApplied)
{
    const QString adr = u"ADR;TYPE=HOME:;;1-2-3 Ginza;Chuo;Tokyo;104-0061;Japan\r\n"_s;
    const QString text = card(u"Ann"_s,
        adr + adr + adr + u"X-RENMEI:one\\ntwo\r\n"_s
            + u"X-HAGAKILAYOUTS:1;\r\n 6;ra:{{204.00,75.00},{46.00,275.00}};\r\n 4;\r\n"_s);
    const ContainerTable containers = read(text);
    ZRPerson &person = *ZRvCard::contactsInContainer(*containers.first())->first()->person;
    EXPECT_EQ(person.valueForIdentifier(Ident::Renmei).toString(), u"one\ntwo"_s);
    const QVariantList addresses = person.valueForIdentifier(Ident::Address).toList();
    ASSERT_EQ(addresses.size(), 3);
    EXPECT_TRUE(addresses[0].toMap().value(Key::Sender).toBool());
    EXPECT_TRUE(addresses[1].toMap().value(Key::Company).toBool());
    EXPECT_FALSE(addresses[1].toMap().value(Key::Sender).toBool());
    EXPECT_EQ(
        addresses[1].toMap().value(Key::ReceiverAddress).toString(), u"{{204.00,75.00},{46.00,275.00}}"_s);
    EXPECT_TRUE(addresses[2].toMap().value(Key::Renmei).toBool());

    // An empty X-RENMEI leaves the joint names unset; layouts beyond the last address change nothing.
    const ContainerTable other = read(card(u"Bob"_s, adr + u"X-RENMEI:\r\nX-HAGAKILAYOUTS:1;\r\n 2;\r\n"_s));
    ZRPerson &bob = *ZRvCard::contactsInContainer(*other.first())->first()->person;
    EXPECT_TRUE(bob.valueForIdentifier(Ident::Renmei).toString().isEmpty());
    EXPECT_EQ(bob.valueForIdentifier(Ident::Address).toList().size(), 1);
}

TEST(ZRvCardTest, ProgressReportsPositionsAndStopEndsTheRead)
{
    const QString text = card(u"A"_s) + card(u"B"_s) + card(u"C"_s);
    QList<qsizetype> positions;
    auto all
        = ZRvCard().containersFromVCards(text, [&](bool *, qsizetype position) { positions << position; });
    ASSERT_TRUE(all.has_value());
    ASSERT_EQ(positions.size(), 3);
    EXPECT_EQ(positions.last(), text.size() - 1); // a card keeps only the CR of its final CR LF

    int calls = 0;
    auto stopped = ZRvCard().containersFromVCards(text, [&](bool *stop, qsizetype) { *stop = ++calls == 2; });
    EXPECT_FALSE(stopped.has_value());
    EXPECT_EQ(calls, 2);
}

TEST(ZRvCardTest, CardWordsInsideAValueNeitherEndNorStartACard)
{
    const QString text
        = card(u"Ann"_s, u"NOTE:quoted BEGIN:VCARD and END:VCARD inside\r\n"_s) + card(u"Bob"_s);
    const ContainerTable containers = read(text);
    const ContactTable &top = *ZRvCard::contactsInContainer(*containers.first());
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top.first()->person->valueForIdentifier(Ident::Note).toString(),
        u"quoted BEGIN:VCARD and END:VCARD inside"_s);

    // The words in any case, after any line break a writer uses (CR alone, LF alone, U+2028), and a
    // last card whose END line has no break after it.
    const QString mixed = u"begin:vcard\rVERSION:3.0\rFN:Cy\rN:Cy;;;;\rEnd:VCard\r"_s
        + u"Begin:VCard\nVERSION:3.0\nN:Di;;;;\nNOTE:an END:VCARD inside\nend:vcard\u2028"_s
        + u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ed;;;;\r\nEND:VCARD"_s;
    const ContainerTable mixedRead = read(mixed);
    QStringList names;
    for (const ContactEntryPtr &entry : *ZRvCard::contactsInContainer(*mixedRead.first()))
        names << entry->person->valueForIdentifier(Ident::LastName).toString();
    EXPECT_EQ(names, (QStringList { u"Cy"_s, u"Di"_s, u"Ed"_s }));
}

TEST(ZRvCardTest, JointNamesAndLayoutsReadWithAnyLineEnds)
{
    // The layouts are one per physical line: a line end the reader missed would lose the
    // addresses after it, or glue two layouts into one.
    const QString adr = u"ADR;TYPE=HOME:;;1-2-3 Ginza;Chuo;Tokyo;104-0061;Japan"_s;
    const QStringList lines { u"BEGIN:VCARD"_s, u"VERSION:3.0"_s, u"N:Ann;;;;"_s, adr, adr, adr,
        u"x-renmei;charset=utf-8:one\\n"_s, u" two"_s, u"X-HAGAKILAYOUTS:1;"_s,
        u" 6;ra:{{204.00,75.00},{46.00,275.00}};"_s, u" 4;"_s, u"END:VCARD"_s };
    for (const QString &lineEnd : { u"\r\n"_s, u"\n"_s, u"\r"_s, u"\r\r\n"_s, u"\n\n"_s }) {
        SCOPED_TRACE(QString(lineEnd).replace(u'\r', u"CR "_s).replace(u'\n', u"LF "_s).toStdString());
        const ContainerTable containers = read(lines.join(lineEnd) + lineEnd);
        const ContactTable &table = *ZRvCard::contactsInContainer(*containers.first());
        ASSERT_EQ(table.size(), 1);
        ZRPerson &person = *table.first()->person;
        EXPECT_EQ(person.valueForIdentifier(Ident::Renmei).toString(), u"one\ntwo"_s);
        const QVariantList addresses = person.valueForIdentifier(Ident::Address).toList();
        ASSERT_EQ(addresses.size(), 3);
        EXPECT_TRUE(addresses[0].toMap().value(Key::Sender).toBool());
        EXPECT_TRUE(addresses[1].toMap().value(Key::Company).toBool());
        EXPECT_TRUE(addresses[2].toMap().value(Key::Renmei).toBool());
    }
}

TEST(ZRvCardTest, CardsWithinACardAreEachAContact)
{
    // An outer card ends at the END that closes its own BEGIN: its own properties are kept.
    const QString nested = u"BEGIN:VCARD\r\nVERSION:2.1\r\nN:parent\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
                           "N:inner\r\nEND:VCARD\r\nTEL:1\r\nEND:VCARD\r\n"_s
        + card(u"after"_s);
    QStringList names;
    const ContainerTable containers = read(nested);
    for (const ContactEntryPtr &entry : *ZRvCard::contactsInContainer(*containers.first()))
        names << entry->person->valueForIdentifier(Ident::LastName).toString();
    EXPECT_EQ(names, (QStringList { u"inner"_s, u"parent"_s, u"after"_s }));

    // A card without its END is still ended by the next card's, as before, and nothing after it is lost.
    names.clear();
    const ContainerTable unended
        = read(u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:lost;;;;\r\n"_s + card(u"kept"_s) + card(u"last"_s));
    for (const ContactEntryPtr &entry : *ZRvCard::contactsInContainer(*unended.first()))
        names << entry->person->valueForIdentifier(Ident::LastName).toString();
    EXPECT_TRUE(names.endsWith(u"last"_s)) << names.join(u',').toStdString();
    EXPECT_TRUE(names.contains(u"kept"_s)) << names.join(u',').toStdString();
}
