// What a record read from a card writes reads back as the same record, and writes what other
// clients show as the user sees it.

#include "PersonTestSupport.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/VCardWriter.h"

using namespace Qt::StringLiterals;

namespace {

std::shared_ptr<ZRPerson> recordOf(const QByteArray &card)
{
    QString error;
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(card, &error);
    EXPECT_EQ(contacts.size(), 1) << error.toStdString();
    return contacts.isEmpty() ? ZRPerson::create() : ZRPerson::fromStoreContact(contacts.first());
}

// The unfolded line of the card that starts with name.
QByteArray lineOf(QByteArray card, const QByteArray &name)
{
    card.replace("\r\n ", "");
    for (const QByteArray &line : card.split('\n')) {
        if (line.startsWith(name))
            return line.trimmed();
    }
    return {};
}

class RecordWriteBackTest : public PersonTest
{
};

} // namespace

TEST_F(RecordWriteBackTest, StreetWithPostOfficeBoxAndExtendedAddressIsStable)
{
    const auto read
        = recordOf("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Hanako;Shibuya\r\n"
                   "ADR;HOME:;Shibuya 26-1;;;;150-8512;\r\n"
                   "ADR;WORK:PO Box 7;Suite 100;1 Main St\\nBack door;Springfield;IL;62701;USA\r\n"
                   "END:VCARD\r\n");
    const QVariantList addresses = read->valueForIdentifier(Ident::Address).toList();
    ASSERT_EQ(addresses.size(), 2);
    EXPECT_EQ(addresses[0].toMap().value(Ident::Street).toString(), u"Shibuya 26-1"_s);
    EXPECT_EQ(
        addresses[1].toMap().value(Ident::Street).toString(), u"PO Box 7\nSuite 100\n1 Main St\nBack door"_s);

    // Written back, the whole street is the street, and reading it again changes nothing.
    const QByteArray written = read->vCardData();
    EXPECT_EQ(lineOf(written, "ADR;TYPE=WORK"),
        "ADR;TYPE=WORK:;;PO Box 7\\nSuite 100\\n1 Main St\\nBack door;Springfield;IL;62701;USA")
        << written.toStdString();
    const auto again = recordOf(written);
    EXPECT_EQ(again->valueForIdentifier(Ident::Address), read->valueForIdentifier(Ident::Address));
    EXPECT_EQ(recordOf(again->vCardData())->valueForIdentifier(Ident::Address),
        read->valueForIdentifier(Ident::Address));
}

TEST_F(RecordWriteBackTest, FormattedNameFollowsTheRecordsNameOrder)
{
    const struct
    {
        QByteArray name;
        int ordering; // -1: as read
        QByteArray fn;
        const char *guards;
    } rows[] = {
        { "N:安藤;ロイド;;;", -1, "FN:安藤 ロイド",
            "a Japanese name reads family name first and is written so" },
        { "N:安藤;ロイド;;;", 1, "FN:ロイド 安藤", "the user chose given name first" },
        { "N:Nagy;János;;Dr.;PhD", 2, "FN:Dr. Nagy János PhD", "a Western name set to family name first" },
        { "N:Doe;John;Q;;", -1, "FN:John Q Doe", "given name first, the middle name between" },
        { "N:Doe;John;Q;;", 0, "FN:John Q Doe", "the system's order, given name first here" },
    };
    for (const auto &row : rows) {
        const auto person = recordOf("BEGIN:VCARD\r\nVERSION:3.0\r\n" + row.name + "\r\nEND:VCARD\r\n");
        if (row.ordering >= 0)
            person->setNameOrdering(row.ordering);
        const QByteArray written = person->vCardData();
        EXPECT_EQ(lineOf(written, "FN:"), row.fn) << row.guards;
        // The order travels with the record's copy of the contact and comes back with it.
        EXPECT_EQ(ZRPerson::fromStoreContact(person->contactFromCache())->nameOrdering(),
            person->nameOrdering() == 0 ? 1 : person->nameOrdering())
            << row.guards;
    }
}

TEST_F(RecordWriteBackTest, ACopyWritesThePropertiesNoFieldHolds)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nFN:Ann Lee\r\n"
                            "X-MYCLIENT-COLOR:teal\r\nGEO:35.68;139.76\r\nORG:Acme\r\nORG:Globex;Sales\r\n"
                            "UID:ann-1\r\nEND:VCARD\r\n";
    QString error;
    const QList<StoreContact> read = VCardSerialization::contactsWithData(card, &error);
    ASSERT_EQ(read.size(), 1) << error.toStdString();
    // Built whole, and still owing its values to the card, as a record of a file just opened is.
    const std::shared_ptr<ZRPerson> originals[] = { ZRPerson::fromStoreContact(read.first()),
        ZRPerson::fromCard(read.first(), card, 0, card.size()) };
    for (const auto &original : originals) {
        const auto copy = original->copy();
        EXPECT_EQ(copy->otherProperties(), original->otherProperties());
        const QByteArray written = copy->vCardData();
        EXPECT_EQ(lineOf(written, "X-MYCLIENT-COLOR"), "X-MYCLIENT-COLOR:teal") << written.toStdString();
        EXPECT_EQ(lineOf(written, "GEO"), "GEO:35.68;139.76");
        EXPECT_EQ(lineOf(written, "ORG:Globex"), "ORG:Globex;Sales");
        // A copy is a contact of its own: its id is new, its values the original's.
        EXPECT_NE(copy->uniqueId(), original->uniqueId());
        EXPECT_EQ(copy->valueForIdentifier(Ident::Company), original->valueForIdentifier(Ident::Company));
    }
}

TEST_F(RecordWriteBackTest, RelatedNamesKeepAMissingOrUnknownLabel)
{
    const auto read = recordOf("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\n"
                               "X-ABRELATEDNAMES:Sam\r\n"
                               "X-ABRELATEDNAMES;TYPE=colleague:Bob\r\n"
                               "X-ABRELATEDNAMES;TYPE=pref;TYPE=mother:Mia\r\n"
                               "item1.X-ABRELATEDNAMES:Kim\r\nitem1.X-ABLabel:Nachbarin\r\n"
                               "X-ABRELATEDNAMES;CHARSET=UTF-8;QUOTED-PRINTABLE:Jo=C3=ABl\r\n"
                               "UID:ann-2\r\nEND:VCARD\r\n");
    QStringList labels;
    for (const QVariant &entry : read->valueForIdentifier(Ident::Relationship).toList())
        labels << entry.toMap().value(Key::Label).toString();
    EXPECT_EQ(labels,
        (QStringList { LabelText::NoLabel, u"colleague"_s,
            Labels::labelFromCNLabel(CN::LabelContactRelationMother), u"Nachbarin"_s, LabelText::NoLabel }));

    // No label is written as none (not as some standard kind), a custom one as itself; twice over.
    const QByteArray written = read->vCardData();
    EXPECT_EQ(lineOf(written, "X-ABRELATEDNAMES:"), "X-ABRELATEDNAMES:Sam") << written.toStdString();
    const auto again = recordOf(written);
    EXPECT_EQ(again->valueForIdentifier(Ident::Relationship), read->valueForIdentifier(Ident::Relationship));
    EXPECT_EQ(again->vCardData(), written);
}

TEST_F(RecordWriteBackTest, EveryOrganisationOfACardIsKept)
{
    const auto read = recordOf("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\n"
                               "ORG:;\r\n" // says nothing: the next one is the record's
                               "ORG:Acme;Sales\r\nORG:Acme\r\nORG:Globex\\, Inc.;R&D\r\nORG:Initech\r\n"
                               "UID:ann-3\r\nEND:VCARD\r\n");
    EXPECT_EQ(read->valueForIdentifier(Ident::Company).toString(), u"Acme"_s);
    EXPECT_EQ(read->valueForIdentifier(Ident::Department).toString(), u"Sales"_s);

    // The record holds one; the others go back as they were, and the same again adds nothing.
    const QByteArray written = read->vCardData();
    QByteArrayList orgs;
    for (const QByteArray &line : written.split('\n')) {
        if (line.startsWith("ORG"))
            orgs << line.trimmed();
    }
    EXPECT_EQ(orgs, (QByteArrayList { "ORG:Acme;Sales", "ORG:Globex\\, Inc.;R&D", "ORG:Initech" }))
        << written.toStdString();
    const auto again = recordOf(written);
    EXPECT_EQ(again->valueForIdentifier(Ident::Company), read->valueForIdentifier(Ident::Company));
    EXPECT_EQ(again->vCardData(), written);
}

TEST_F(RecordWriteBackTest, RelatedNamesAndDatesWhoseLabelWasClearedStayUnlabelled)
{
    // The list editor leaves an empty label where the user clears one; an archived record may hold
    // one too. Neither is some usual kind.
    auto record = recordOf("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nUID:ann-4\r\nEND:VCARD\r\n");
    record->relationshipValues().append(entry(u""_s, u"Pat"_s));
    record->relationshipValues().append(QVariantMap { { Key::Value, u"Sam"_s } });
    record->datesValues().append(entry(u""_s, QVariant::fromValue(DateComponents { 2001, 5, 6 })));
    const QByteArray written = record->vCardData();
    EXPECT_EQ(lineOf(written, "X-ABRELATEDNAMES:Pat"), "X-ABRELATEDNAMES:Pat") << written.toStdString();
    EXPECT_EQ(lineOf(written, "X-ABRELATEDNAMES:Sam"), "X-ABRELATEDNAMES:Sam");
    EXPECT_EQ(lineOf(written, "X-ABDATE"), "X-ABDATE:2001-05-06");
    EXPECT_FALSE(written.contains("X-ABLabel")) << written.toStdString();

    const auto again = recordOf(written);
    for (const QString &field : { Ident::Relationship, Ident::Dates }) {
        for (const QVariant &e : again->valueForIdentifier(field).toList())
            EXPECT_EQ(e.toMap().value(Key::Label).toString(), LabelText::NoLabel) << field.toStdString();
    }
    EXPECT_EQ(recordOf(again->vCardData())->vCardData(), again->vCardData());
}

TEST_F(RecordWriteBackTest, PicturesBesideTheRecordsOneAreKeptWhetherPicturesAreReadOrNot)
{
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\n"
                            "PHOTO;VALUE=uri:https://example.com/ann.jpg\r\n"
                            "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\r\n"
                            "PHOTO:data:image/png\\;base64\\,iVBORw0KGgo=\r\n"
                            "PHOTO;ENCODING=b:\r\n" // nothing in it: nothing to keep
                            "UID:ann-5\r\nEND:VCARD\r\n";
    QString error;
    const QList<StoreContact> read = VCardSerialization::contactsWithData(card, &error);
    ASSERT_EQ(read.size(), 1) << error.toStdString();
    EXPECT_EQ(read.first().extras().imageData, QByteArray::fromBase64("/9j/4AAQ"));
    const QByteArray kept = read.first().extras().otherProperties;
    EXPECT_EQ(kept,
        "PHOTO;VALUE=uri:https://example.com/ann.jpg\r\n"
        "PHOTO:data:image/png\\;base64\\,iVBORw0KGgo=\r\n");
    // A record built again from its card skips the pictures it has: it keeps the same others.
    const QList<StoreContact> skipped
        = VCardSerialization::contactsWithData(card, &error, VCardSerialization::Images::Skip);
    ASSERT_EQ(skipped.size(), 1);
    EXPECT_TRUE(skipped.first().extras().imageData.isEmpty());
    EXPECT_EQ(skipped.first().extras().otherProperties, kept);

    // Written after the record's own picture, they leave it the record's.
    QByteArray out;
    VCardWriter::appendCard(out, read.first(), "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\r\n");
    EXPECT_LT(out.indexOf("TYPE=JPEG"), out.indexOf("VALUE=uri")) << out.toStdString();
    const QList<StoreContact> again = VCardSerialization::contactsWithData(out, &error);
    ASSERT_EQ(again.size(), 1) << error.toStdString();
    EXPECT_EQ(again.first().extras().imageData, read.first().extras().imageData);
    EXPECT_EQ(again.first().extras().otherProperties, kept);

    // A card written without the record's picture has no other picture either (it would read as
    // the record's); a link is no picture and still goes.
    out.clear();
    VCardWriter::appendCard(out, read.first(), "NOTE:no picture\r\n");
    EXPECT_FALSE(out.contains("image/png")) << out.toStdString();
    const QList<StoreContact> without = VCardSerialization::contactsWithData(out, &error);
    ASSERT_EQ(without.size(), 1) << error.toStdString();
    EXPECT_TRUE(without.first().extras().imageData.isEmpty());
    EXPECT_EQ(without.first().extras().otherProperties, "PHOTO;VALUE=uri:https://example.com/ann.jpg\r\n");
}
