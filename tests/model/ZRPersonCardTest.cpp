// Records made from a card build their values from it on first use: whatever is asked of them, the
// answers are those of a record built whole from the same contact.

#include "PersonTestSupport.h"
#include "common/TestPaths.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"

#include <QDirIterator>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Cards with every kind of value, labels standard, custom, wrapped and missing, and a company.
const QByteArray Cards
    = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Yamada;Taro;Q;Dr.;Jr.\r\nFN:Taro Yamada\r\n"
      "X-PHONETIC-FIRST-NAME:たろう\r\nX-PHONETIC-LAST-NAME:やまだ\r\nNICKNAME:Taa\r\n"
      "ORG:Acme;R&D\r\nTITLE:Chief\r\nNOTE:line 1\\nline 2\r\nBDAY:--0229\r\n"
      "TEL;TYPE=CELL:090-0000-1111\r\nTEL;TYPE=HOME,FAX:03-1\r\nTEL:555\r\n"
      "item1.TEL:777\r\nitem1.X-ABLabel:_$!<Other>!$_\r\n"
      "item2.TEL:888\r\nitem2.X-ABLabel:Ferienhaus\r\n"
      "EMAIL;TYPE=INTERNET,WORK:taro@acme.example\r\nEMAIL:bad-address\r\n"
      "item3.ADR;TYPE=HOME:;Marunouchi;1-2-3 Chiyoda;Chiyoda-ku;Tokyo;100-0001;Japan\r\n"
      "item3.X-ABADR:jp\r\nADR;TYPE=WORK:;;5 Rue;Nice;;;\r\n"
      "URL;TYPE=WORK:https://acme.example\r\n"
      "X-SOCIALPROFILE;type=twitter;x-userid=12345:https://x.example/taro\r\n"
      "IMPP;X-SERVICE-TYPE=Skype;TYPE=WORK:skype:taro.y\r\nX-JABBER:taro@jabber.example\r\n"
      "item4.X-ABRELATEDNAMES:Hanako\r\nitem4.X-ABLabel:_$!<Spouse>!$_\r\n"
      "item5.X-ABDATE:2001-05-06\r\nitem5.X-ABLabel:_$!<Anniversary>!$_\r\n"
      "UID:card-1\r\nEND:VCARD\r\n"
      "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Globex\r\nORG:Globex\\, Inc.;Sales\r\n"
      "X-ABShowAs:COMPANY\r\nTEL;TYPE=WORK:+1-555-0100\r\nNOTE:Main office\r\n"
      "ADR;TYPE=WORK:;;350 Fifth Avenue;New York;NY;10118;USA\r\nEND:VCARD\r\n"
      "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8:表;能\r\nTEL;CELL:1\r\n"
      "END:VCARD\r\n";

// The cards of a text, each with where it lies.
QList<std::pair<qsizetype, qsizetype>> cardSpans(const QByteArray &text)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    const QByteArray lower = text.toLower();
    qsizetype position = 0;
    while (true) {
        const qsizetype begin = lower.indexOf("begin:vcard", position);
        const qsizetype end = begin < 0 ? -1 : lower.indexOf("end:vcard", begin);
        if (end < 0)
            break;
        spans.append({ begin, end + 9 - begin });
        position = end + 9;
    }
    return spans;
}

QStringList everyIdentifier()
{
    return ZRPerson::allIdentifiers() + QStringList { Ident::HagakiLayout, Ident::Renmei };
}

class ZRPersonCardTest : public PersonTest
{
protected:
    // Compares a record read from the card at span of text with one built whole; failures name where.
    static void expectSameAsBuilt(
        const QByteArray &text, std::pair<qsizetype, qsizetype> span, const std::string &where)
    {
        const QList<StoreContact> read
            = VCardSerialization::contactsWithData(text.mid(span.first, span.second));
        if (read.isEmpty())
            return; // a card the parser rejects is no record at all
        const auto lazy = ZRPerson::fromCard(read.first(), text, span.first, span.second);
        const auto built = ZRPerson::fromStoreContact(read.first());
        EXPECT_EQ(lazy->storedCompositeName(), built->storedCompositeName()) << where;
        EXPECT_EQ(lazy->showAsPerson(), built->showAsPerson()) << where;
        // The table's row layout reads labels without building anything.
        QStringList lazyLabels, builtLabels;
        for (const QString &id : ZRPerson::labeledIdentifiers()) {
            lazy->entryLabels(id, lazyLabels);
            built->entryLabels(id, builtLabels);
            EXPECT_EQ(lazyLabels, builtLabels) << where << " " << id.toStdString();
        }
        if (lazy->showAsPerson()) {
            EXPECT_TRUE(lazy->hasUnbuiltValues()) << where;
        }
        // Written out before anything is built, and again after.
        EXPECT_TRUE(lazy->contactFromCache() == built->contactFromCache()) << where;
        EXPECT_EQ(lazy->vCardData(), built->vCardData()) << where;
        EXPECT_EQ(lazy->uniqueId2(), built->uniqueId2()) << where;
        for (const QString &id : everyIdentifier())
            EXPECT_EQ(lazy->valueForIdentifier(id), built->valueForIdentifier(id))
                << where << " " << id.toStdString();
        EXPECT_FALSE(lazy->hasUnbuiltValues()) << where;
        EXPECT_TRUE(lazy->contactFromCache() == built->contactFromCache()) << where;
    }
};

} // namespace

TEST_F(ZRPersonCardTest, AnswersAsARecordBuiltWholeForEveryKindOfValue)
{
    const auto spans = cardSpans(Cards);
    ASSERT_EQ(spans.size(), 3);
    for (qsizetype i = 0; i < spans.size(); ++i)
        expectSameAsBuilt(Cards, spans.at(i), "card " + std::to_string(i + 1));

    // Only people wait: a company's display name and second id read its other values.
    const QList<StoreContact> person
        = VCardSerialization::contactsWithData(Cards.mid(spans[0].first, spans[0].second));
    EXPECT_TRUE(
        ZRPerson::fromCard(person.first(), Cards, spans[0].first, spans[0].second)->hasUnbuiltValues());
    // A span outside the text builds everything at once instead of reading past its end.
    EXPECT_FALSE(ZRPerson::fromCard(person.first(), Cards, Cards.size() - 5, 100)->hasUnbuiltValues());
}

TEST_F(ZRPersonCardTest, ChangesBeforeTheFirstReadKeepEveryOtherValue)
{
    const auto spans = cardSpans(Cards);
    const QList<StoreContact> read
        = VCardSerialization::contactsWithData(Cards.mid(spans[0].first, spans[0].second));
    auto fresh = [&] { return ZRPerson::fromCard(read.first(), Cards, spans[0].first, spans[0].second); };

    // A value set before anything was read must not be overwritten by the card later.
    const auto p = fresh();
    p->setValueForIdentifier(u"Acme Two"_s, Ident::Company);
    p->setValueForIdentifier(QVariantMap { { Ident::FirstName, u"かん"_s } }, Ident::PhoneticName);
    p->setValueForIdentifier(QVariant(), Ident::Birthday);
    StoreContact expected = ZRPerson::fromStoreContact(read.first())->contactFromCache();
    expected.organizationName = u"Acme Two"_s;
    expected.phoneticGivenName = u"かん"_s;
    expected.phoneticFamilyName.clear();
    expected.birthday.reset();
    EXPECT_TRUE(p->contactFromCache() == expected);
    EXPECT_EQ(p->valueForIdentifier(Ident::Phone).toList().size(), 5);

    const auto q = fresh();
    q->deleteValueForIdentifier(Ident::PhoneticName);
    EXPECT_TRUE(q->contactFromCache().phoneticFamilyName.isEmpty());
    EXPECT_EQ(q->contactFromCache().emailAddresses.size(), 2);

    // A name edit leaves the values owed by the card as they are.
    const auto r = fresh();
    r->setValueForIdentifier(u"Jiro"_s, Ident::FirstName);
    EXPECT_EQ(r->contactFromCache().givenName, u"Jiro"_s);
    EXPECT_EQ(r->contactFromCache().phoneNumbers.size(), 5);

    // Written over a base, the card's values replace the base's as built values do.
    StoreContact base;
    base.identifier = u"base-id"_s;
    base.note = u"old note"_s;
    base.phoneNumbers = { { CN::LabelHome, u"1"_s } };
    EXPECT_TRUE(fresh()->contactFromCache(&base)
        == ZRPerson::fromStoreContact(read.first())->contactFromCache(&base));
}

TEST_F(ZRPersonCardTest, ArchivesAndCopiesCarryTheCardsValues)
{
    const auto spans = cardSpans(Cards);
    const QList<StoreContact> read
        = VCardSerialization::contactsWithData(Cards.mid(spans[0].first, spans[0].second));
    const auto built = ZRPerson::fromStoreContact(read.first());

    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        ZRPerson::fromCard(read.first(), Cards, spans[0].first, spans[0].second)->encode(out);
    }
    QDataStream in(bytes);
    const auto restored = ZRPerson::fromArchive(in);
    ASSERT_TRUE(restored);
    for (const QString &id : everyIdentifier())
        EXPECT_EQ(restored->valueForIdentifier(id), built->valueForIdentifier(id)) << id.toStdString();

    const auto copy = ZRPerson::fromCard(read.first(), Cards, spans[0].first, spans[0].second)->copy();
    EXPECT_EQ(copy->valueForIdentifier(Ident::Address), built->copy()->valueForIdentifier(Ident::Address));
    EXPECT_EQ(copy->valueForIdentifier(Ident::Note), built->valueForIdentifier(Ident::Note));
}

TEST_F(ZRPersonCardTest, EveryCorpusCardAnswersAsARecordBuiltWhole)
{
    const QString root = TestPaths::shared(u"corpus/vcard"_s);
    if (!QFileInfo::exists(root))
        GTEST_SKIP() << "no shared corpus at " << root.toStdString();
    QDirIterator it(root, { u"*.vcf"_s, u"*.vcard"_s }, QDir::Files, QDirIterator::Subdirectories);
    int cards = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const auto spans = cardSpans(text);
        for (qsizetype i = 0; i < spans.size(); ++i, ++cards)
            expectSameAsBuilt(text, spans.at(i), path.toStdString() + " card " + std::to_string(i + 1));
    }
    EXPECT_GT(cards, 0);
}
