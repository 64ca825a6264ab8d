// What cards say that has no obvious field of its own (a formatted address without an address,
// newer name components, encoded messaging addresses, links to related people, a role, a position):
// it reaches the record or is kept, and a file exported and read again says the same, twice over.

#include "common/PinnedDefaultsTest.h"
#include "common/TestPaths.h"
#include "formats/VCardExport.h"
#include "formats/VCardFileText.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/UriText.h"
#include "model/ZRPerson.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ReadCards
{
    std::shared_ptr<ContactContainer> container;
    ContactTable entries;
};

ReadCards readBytes(const QByteArray &bytes)
{
    const VCardFileText text = VCardFileText::fromBytes(bytes, TextEncoding::Automatic);
    EXPECT_TRUE(text.ok()) << text.error.toStdString();
    ReadCards result;
    auto containers = ZRvCard().containersFromVCards(text.utf8);
    if (!containers || containers->isEmpty())
        return result;
    result.container = containers->first();
    result.entries = *ZRvCard::contactsInContainer(*result.container);
    return result;
}

QByteArray quirk(const char *name)
{
    QFile file(TestPaths::data(u"vcard/quirks/"_s + QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QByteArray exported(const ReadCards &read)
{
    return VCardExport::vCardsFromContacts(
        read.entries, VCardExport::fileExportOptions(), read.container.get())
        .value_or(QByteArray());
}

QStringList entryTexts(ZRPerson &person, const QString &identifier, const QString &key)
{
    QStringList texts;
    for (const QVariant &entry : person.valueForIdentifier(identifier).toList())
        texts << entry.toMap().value(key).toString();
    return texts;
}

QString text(ZRPerson &person, const QString &identifier)
{
    return person.valueForIdentifier(identifier).toString();
}

class VCardKeptDataTest : public PinnedDefaultsTest
{
protected:
    // Reads the file, checks it, then checks the same of what its export reads back as; the second
    // export must be the first one again.
    template <typename Check> void readWriteRead(const char *file, Check &&check)
    {
        SCOPED_TRACE(file);
        const ReadCards first = readBytes(quirk(file));
        ASSERT_FALSE(first.entries.isEmpty());
        check(first.entries);
        const QByteArray written = exported(first);
        const ReadCards second = readBytes(written);
        ASSERT_EQ(second.entries.size(), first.entries.size()) << written.toStdString();
        {
            SCOPED_TRACE("read back from: " + written.toStdString());
            check(second.entries);
        }
        EXPECT_EQ(exported(second), written);
    }
};

} // namespace

TEST_F(VCardKeptDataTest, ALabelWithoutItsAddressBecomesTheAddress)
{
    readWriteRead("label-without-address.vcf", [](const ContactTable &entries) {
        ZRPerson &p = *entries.first()->person;
        // The home address is only given as its label; the work one has both and is not doubled.
        EXPECT_EQ(entryTexts(p, Ident::Address, Key::Label), (QStringList { u"work"_s, u"home"_s }));
        EXPECT_EQ(entryTexts(p, Ident::Address, Ident::Street),
            (QStringList { u"5 Harbour Road"_s, u"1-2-3 Nishi-Shinjuku\nShinjuku-ku, Tokyo\n160-0023"_s }));
    });
    readWriteRead("label-grouped.vcf", [](const ContactTable &entries) {
        ZRPerson &p = *entries.first()->person;
        // A label with a custom label of its own group; one grouped with its address is that address.
        EXPECT_EQ(entryTexts(p, Ident::Address, Key::Label), (QStringList { u"No label"_s, u"cottage"_s }));
        EXPECT_EQ(entryTexts(p, Ident::Address, Ident::Street),
            (QStringList { u"1 Main St"_s, u"PO Box 12\nSpringfield"_s }));
    });
}

TEST_F(VCardKeptDataTest, SecondarySurnameAndGenerationJoinTheNameOnce)
{
    readWriteRead("name-secondary-surname-generation.vcf", [](const ContactTable &entries) {
        ASSERT_EQ(entries.size(), 2);
        ZRPerson &maria = *entries[0]->person;
        EXPECT_EQ(text(maria, Ident::LastName), u"García López"_s);
        EXPECT_EQ(text(maria, Ident::FirstName), u"María José"_s);
        EXPECT_EQ(text(maria, Ident::Title), u"Dra."_s);
        EXPECT_EQ(text(maria, Ident::Suffix), u"III"_s);
        // A writer that repeats them in the older components, as it is asked to, gives each once.
        ZRPerson &juan = *entries[1]->person;
        EXPECT_EQ(text(juan, Ident::LastName), u"Hernández López"_s);
        EXPECT_EQ(text(juan, Ident::Suffix), u"Jr."_s);
    });
}

TEST_F(VCardKeptDataTest, MessagingAddressesArePercentDecodedAndEncodedAgain)
{
    readWriteRead("impp-percent-encoded.vcf", [](const ContactTable &entries) {
        ZRPerson &p = *entries.first()->person;
        EXPECT_EQ(entryTexts(p, Ident::InstantMessage, Key::Value),
            (QStringList { u"alice@example.com"_s, u"alice example@voip.example.org"_s, u"alice.example"_s,
                u"100%real@example.net"_s, u"broken%zzsequence@example.net"_s }));
    });

    // What a URI cannot hold bare is encoded; the rest, non-ASCII letters too, stands as it is.
    EXPECT_EQ(UriText::percentEncoded(u"a b%c\"d<é>"_s), u"a%20b%25c%22d%3Cé%3E"_s);
    // Decoding gives UTF-8 text, or leaves bytes that are not UTF-8 encoded.
    EXPECT_EQ(UriText::percentDecoded(u"%E5%B1%B1%E7%94%B0"_s), u"山田"_s);
    EXPECT_EQ(UriText::percentDecoded(u"bad%FF"_s), u"bad%FF"_s);
    EXPECT_EQ(UriText::percentDecoded(u"end%4"_s), u"end%4"_s);
}

TEST_F(VCardKeptDataTest, RelatedLinksRoleAndPropertiesWithoutAFieldAreKept)
{
    readWriteRead("related-role-geo.vcf", [](const ContactTable &entries) {
        ASSERT_EQ(entries.size(), 2);
        ZRPerson &bob = *entries[0]->person;
        EXPECT_EQ(entryTexts(bob, Ident::Relationship, Key::Value),
            (QStringList { u"urn:uuid:03a0e51f-d1aa-4385-8a53-e29025acd8af"_s, u"carol@example.com"_s,
                u"+1-555-555-0123"_s, u"Dan Jones"_s }));
        EXPECT_EQ(entryTexts(bob, Ident::Relationship, Key::Label),
            (QStringList { u"spouse"_s, u"friend"_s, u"co-worker"_s, u"child"_s }));
        EXPECT_EQ(text(bob, Ident::JobTitle), u"Engineer"_s);
        // A role beside a title, a position and a client's own property have no field: the card
        // written back still holds them.
        const QByteArray card = VCardExport::vCardFromPerson(bob, {});
        EXPECT_TRUE(card.contains("\r\nROLE:Project Leader\r\n")) << card.toStdString();
        EXPECT_TRUE(card.contains("\r\nGEO:geo:37.386013,-122.082932\r\n")) << card.toStdString();
        EXPECT_TRUE(card.contains("\r\nX-CUSTOM-FIELD;TYPE=work:kept as it stands\\, with a comma\r\n"));
        EXPECT_TRUE(card.contains("\r\nTZ:-05:00\r\n"));
        EXPECT_FALSE(card.contains("VERSION:4.0"));
        // A role alone is the job title.
        EXPECT_EQ(text(*entries[1]->person, Ident::JobTitle), u"Treasurer"_s);
    });
}

TEST_F(VCardKeptDataTest, OrganisationsBesideTheRecordsOneAreWrittenBack)
{
    readWriteRead("several-organisations.vcf", [](const ContactTable &entries) {
        ASSERT_EQ(entries.size(), 2);
        ZRPerson &kenji = *entries[0]->person;
        EXPECT_EQ(text(kenji, Ident::Company), u"Acme Trading"_s);
        EXPECT_EQ(text(kenji, Ident::Department), u"Export"_s);
        // The club is no field of the record, yet goes back with its card; the bare repeat of the
        // first organisation says nothing more and is not kept.
        const QByteArray card = VCardExport::vCardFromPerson(kenji, {});
        EXPECT_TRUE(card.contains("\r\nORG:Tokyo Rowing Club;Treasurer\r\n")) << card.toStdString();
        EXPECT_EQ(card.count("ORG:"), 2) << card.toStdString();
        // An empty organisation first leaves the place to the one that names one.
        EXPECT_EQ(text(*entries[1]->person, Ident::Company), u"Globex, Inc."_s);
        EXPECT_EQ(VCardExport::vCardFromPerson(*entries[1]->person, {}).count("ORG:"), 1);
    });
}

TEST_F(VCardKeptDataTest, RelatedNamesAndDatesKeepAMissingOrUnknownLabel)
{
    readWriteRead("related-names-without-label.vcf", [](const ContactTable &entries) {
        ZRPerson &ann = *entries.first()->person;
        EXPECT_EQ(entryTexts(ann, Ident::Relationship, Key::Value),
            (QStringList { u"Sam Lee"_s, u"Bob Ray"_s, u"Mia Lee"_s, u"Kim Park"_s }));
        // None stays none, rather than becoming some standard kind; a kind the labels have no word
        // for is the label itself.
        EXPECT_EQ(entryTexts(ann, Ident::Relationship, Key::Label),
            (QStringList { u"No label"_s, u"colleague"_s, u"mother"_s, u"Nachbarin"_s }));
        EXPECT_EQ(
            entryTexts(ann, Ident::Dates, Key::Label), (QStringList { u"No label"_s, u"graduation"_s }));
    });
}

TEST_F(VCardKeptDataTest, EveryCopyOfARecordWritesItsKeptProperties)
{
    const ReadCards read = readBytes(quirk("related-role-geo.vcf"));
    ASSERT_FALSE(read.entries.isEmpty());
    ZRPerson &bob = *read.entries.first()->person;
    // Copy and paste, drag and drop between windows: an archive of the record.
    QByteArray archive;
    {
        QDataStream out(&archive, QIODevice::WriteOnly);
        bob.encode(out);
    }
    QDataStream in(archive);
    const auto pasted = ZRPerson::fromArchive(in);
    ASSERT_TRUE(pasted);
    // A working copy (merging), and a duplicate made through the store contact.
    const std::shared_ptr<ZRPerson> copies[]
        = { pasted, bob.copy(), ZRPerson::fromStoreContact(bob.contactFromCache()) };
    for (const auto &copy : copies) {
        const QByteArray card = VCardExport::vCardFromPerson(*copy, {});
        EXPECT_TRUE(card.contains("\r\nGEO:geo:37.386013,-122.082932\r\n")) << card.toStdString();
        EXPECT_TRUE(card.contains("\r\nX-CUSTOM-FIELD;TYPE=work:kept as it stands\\, with a comma\r\n"));
        EXPECT_TRUE(card.contains("\r\nROLE:Project Leader\r\n"));
    }
}

TEST_F(VCardKeptDataTest, PicturesBesideTheRecordsOneAreKeptAfterIt)
{
    const QByteArray second
        = "PHOTO;TYPE=PNG;ENCODING=b:iVBORw0KGgoAAAANSUhEUgAAAAIAAAABCAIAAAB7QOjdAAAADUlEQVR4"
          "nGOQkzsBRAAFzwIJPI7fKQAAAABJRU5ErkJggg==";
    const QByteArray link = "PHOTO;VALUE=uri:https://example.com/photos/ann.jpg";
    readWriteRead("several-photos.vcf", [&](const ContactTable &entries) {
        ZRPerson &ann = *entries.first()->person;
        // The first picture the card holds is the record's: a link to one elsewhere is not.
        EXPECT_EQ(ann.photo().size(), QSize(1, 1));
        const QByteArray card = VCardExport::vCardFromPerson(ann, VCardExport::fileExportOptions());
        QByteArray unfolded = card;
        unfolded.replace("\r\n ", "");
        const qsizetype own = unfolded.indexOf("PHOTO;ENCODING=b;TYPE=JPEG:");
        const qsizetype kept = unfolded.indexOf(second);
        ASSERT_GE(own, 0) << card.toStdString();
        ASSERT_GE(kept, 0) << card.toStdString();
        // After the record's own, so that a reader (this one too) takes the record's first.
        EXPECT_LT(own, kept);
        EXPECT_TRUE(unfolded.contains(link + "\r\n"));
        EXPECT_EQ(unfolded.count("PHOTO"), 3);
    });
}
