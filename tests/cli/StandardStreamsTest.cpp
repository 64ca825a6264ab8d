// "-" reads standard input where a subcommand reads a file, and writes standard output where it writes
// one; what the subcommand tells the user then goes to standard error, never into the data.
#include "CliTestSupport.h"
#include "cli/DumpJson.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
#include "model/ZRPerson.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray friends()
{
    return CliTestSupport::readFile(TestPaths::data(u"convert/friends.vcf"_s));
}

QStringList namesIn(const QByteArray &vcards)
{
    QStringList names;
    for (const ContactEntryPtr &entry :
        DocumentReader::readData(vcards, InputFormat::VCard, TextEncoding::Automatic).contactTable)
        names << entry->person->compositeName();
    return names;
}

// The dump without the unique ids a card without UID is given anew on every read.
QJsonArray withoutIds(const QByteArray &json)
{
    QJsonArray contacts = QJsonDocument::fromJson(json).array();
    for (QJsonValueRef contact : contacts) {
        QJsonObject object = contact.toObject();
        object.remove(u"uniqueId"_s);
        contact = object;
    }
    return contacts;
}

} // namespace

TEST(StandardStreamsTest, ConvertAndDumpReadAndWriteTheStreams)
{
    const CliTestSupport::Run converted = CliTestSupport::run({ u"convert"_s, u"-"_s, u"-"_s }, friends());
    ASSERT_EQ(converted.status, 0) << converted.err.toStdString();
    EXPECT_TRUE(converted.err.isEmpty());
    EXPECT_EQ(namesIn(converted.outBytes), namesIn(friends()));
    // Categories travel with the cards.
    EXPECT_TRUE(converted.out.contains(u"CATEGORIES:"_s));

    // Standard output has no extension: --to chooses CSV.
    const CliTestSupport::Run csv
        = CliTestSupport::run({ u"convert"_s, u"-"_s, u"-"_s, u"--to"_s, u"csv"_s }, friends());
    ASSERT_EQ(csv.status, 0);
    EXPECT_FALSE(csv.out.contains(u"BEGIN:VCARD"_s));
    EXPECT_EQ(csv.lines().size(), 4); // the header and three contacts

    // dump of standard input is the dump of the file, and the JSON of DumpJson.
    const CliTestSupport::Run piped = CliTestSupport::run({ u"dump"_s, u"-"_s }, friends());
    const CliTestSupport::Run file
        = CliTestSupport::run({ u"dump"_s, TestPaths::data(u"convert/friends.vcf"_s) });
    ASSERT_EQ(piped.status, 0) << piped.err.toStdString();
    EXPECT_EQ(withoutIds(piped.outBytes), withoutIds(file.outBytes));
    const DocumentReadResult read
        = DocumentReader::readData(friends(), InputFormat::VCard, TextEncoding::Automatic);
    EXPECT_EQ(withoutIds(file.outBytes), withoutIds(DumpJson::text(DumpJson::contacts(read))));
    const QJsonArray contacts = QJsonDocument::fromJson(file.outBytes).array();
    ASSERT_EQ(contacts.size(), 3);
    EXPECT_EQ(
        contacts.at(0).toObject().value(u"groups"_s).toArray(), (QJsonArray { u"Family"_s, u"Golf"_s }));

    // Two files: one array; an unreadable one is told and counted in the status, the rest still dumped.
    const CliTestSupport::Run two = CliTestSupport::run(
        { u"dump"_s, u"-"_s, u"/no/such/file.vcf"_s, TestPaths::data(u"convert/friends.vcf"_s) }, friends());
    EXPECT_EQ(two.status, 2);
    EXPECT_EQ(QJsonDocument::fromJson(two.outBytes).array().size(), 6);
    EXPECT_TRUE(two.err.startsWith(u"file.vcf: Couldn't read the file."_s)) << two.err.toStdString();
}

TEST(StandardStreamsTest, FindReplaceAndPhonesKeepTheirCountsOutOfTheData)
{
    const QByteArray cards = CliTestSupport::readFile(TestPaths::data(u"find/contacts.vcf"_s));
    const CliTestSupport::Run found = CliTestSupport::run({ u"find"_s, u"-"_s, u"Abbey"_s }, cards);
    ASSERT_EQ(found.status, 0);
    EXPECT_EQ(found.lines().size(), 2);

    const CliTestSupport::Run replaced
        = CliTestSupport::run({ u"replace"_s, u"-"_s, u"Abbey"_s, u"Abbot"_s, u"-o"_s, u"-"_s }, cards);
    ASSERT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_TRUE(replaced.out.startsWith(u"BEGIN:VCARD"_s));
    EXPECT_TRUE(replaced.out.contains(u"Abbot Road"_s));
    EXPECT_EQ(replaced.err.trimmed(), u"2 values changed"_s);

    const QByteArray phone
        = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nN:;Ann;;;\r\nTEL:0312345678\r\nEND:VCARD\r\n";
    const CliTestSupport::Run phones
        = CliTestSupport::run({ u"phones"_s, u"-"_s, u"--layout"_s, u"2+4"_s, u"-o"_s, u"-"_s }, phone);
    ASSERT_EQ(phones.status, 0) << phones.err.toStdString();
    EXPECT_TRUE(phones.out.contains(u"TEL"_s));
    EXPECT_FALSE(phones.out.contains(u"changed"_s));
    EXPECT_TRUE(phones.err.contains(u"phone numbers changed"_s));
}

TEST(StandardStreamsTest, QrWritesItsImageOrPayloadToStandardOutput)
{
    const CliTestSupport::Run image
        = CliTestSupport::run({ u"qr"_s, u"-"_s, u"-o"_s, u"-"_s, u"--contact"_s, u"2"_s }, friends());
    ASSERT_EQ(image.status, 0) << image.err.toStdString();
    const QImage png = QImage::fromData(image.outBytes, "PNG");
    EXPECT_FALSE(png.isNull());
    EXPECT_GT(png.width(), 20);

    const CliTestSupport::Run payload = CliTestSupport::run({ u"qr"_s, u"-"_s, u"--payload"_s }, friends());
    ASSERT_EQ(payload.status, 0);
    EXPECT_TRUE(payload.out.startsWith(u"BEGIN:VCARD"_s)) << payload.out.toStdString();

    const CliTestSupport::Run missing
        = CliTestSupport::run({ u"qr"_s, u"-"_s, u"--payload"_s, u"--contact"_s, u"4"_s }, friends());
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(u"standard input: there is no contact 4; the file holds 3"_s))
        << missing.err.toStdString();
}
