// The dump is written a contact at a time, straight as text, yet must stay byte for byte the indented
// JSON document of every contact that other tools and the golden files compare.
#include "CliTestSupport.h"
#include "cli/DumpCardJson.h"
#include "cli/DumpJson.h"
#include "cli/JsonText.h"
#include "cli/VariantJson.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
#include "model/DateComponents.h"
#include "model/StoreContact.h"
#include "model/ZRPerson.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What the dump printed before it was streamed: the whole array through QJsonDocument.
QByteArray wholeDocumentDump(const QByteArray &vcards)
{
    const DocumentReadResult read
        = DocumentReader::readData(vcards, InputFormat::VCard, TextEncoding::Automatic);
    return DumpJson::text(DumpJson::contacts(read));
}

// The dump's text without the unique ids a card without UID is given anew on every read.
std::string withoutIds(const QByteArray &json)
{
    static const QRegularExpression id(uR"("uniqueId": "[^"]*")"_s);
    return QString::fromUtf8(json).replace(id, uR"("uniqueId": "")"_s).toStdString();
}

QByteArray streamedDump(const QString &path)
{
    const CliTestSupport::Run run = CliTestSupport::run({ u"dump"_s, path });
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run.outBytes;
}

// A card of each kind the dump shows: names in both orders, several entries per field, escapes, text
// that JSON must escape, joint names, postcard layouts, categories, a photo, dates.
QByteArray card(int i)
{
    QByteArray c = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    const QByteArray n = QByteArray::number(i);
    if (i % 2) {
        c += "N:田中;花子" + n + ";;;\r\nFN:田中 花子" + n + "\r\nX-PHONETIC-LAST-NAME:たなか\r\n";
        c += "ADR;TYPE=HOME:;;丸の内2-7-3\\n東京ビル10階;千代田区;東京都;100-000" + QByteArray::number(i % 10)
            + ";日本\r\n";
        c += "X-RENMEI:太郎\\n次郎\r\nX-HAGAKILAYOUTS:" + QByteArray("1,0,0,0,0,0,0,0,0,0,0,0,0") + "\r\n";
    } else {
        c += "N:O'Neil;Zoë" + n + ";;Dr.;\r\nFN:Zoë O'Neil\r\nORG:Globex\\, Inc.;Sales\r\n";
        c += "ADR;TYPE=WORK:;;42 Elm Road\\nApt 7;Springfield;;12345;USA\r\n";
    }
    c += "TEL;TYPE=CELL:+1-555-" + n + "\r\nTEL;TYPE=HOME,FAX:+81-3-" + n + "\r\n";
    c += "item1.TEL:+81-90-" + n + "\r\nitem1.X-ABLabel:実家\r\n";
    c += "EMAIL;TYPE=INTERNET,HOME:user" + n + "@example.com\r\n";
    c += "NOTE:Quote \" backslash \\\\ tab\t bell\x07 line\\nbreak\r\n";
    if (i % 3 == 0)
        c += "BDAY:1970-0" + QByteArray::number(1 + i % 9) + "-15\r\n";
    if (i % 4 == 0)
        c += "CATEGORIES:Friends,年賀状\r\n";
    else if (i % 4 == 1)
        c += "CATEGORIES:Golf\\, Tennis\r\n";
    if (i % 5 == 0) // a tiny JPEG is not needed: the dump shows the photo's size only
        c += "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAP//\r\n";
    c += "UID:card-" + n + "\r\nEND:VCARD\r\n";
    return c;
}

// Cards with a field of every kind the dump writes from a card, and the edges of the values it
// derives: a company, e-mail addresses without a user or a domain, a reading of one part only or in
// both orders, year-less dates, labels the labels have no word for, no UID, a card of two contacts.
QByteArray everyKindOfField()
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John;Quincy;Mr.;Jr.\r\nFN:John Doe\r\nNICKNAME:Jack\r\n"
           "ORG:Acme;Research\r\nTITLE:Engineer\r\nX-PHONETIC-FIRST-NAME:Jon\r\n"
           "X-PHONETIC-MIDDLE-NAME:Kwin\r\nX-PHONETIC-LAST-NAME:Dough\r\n"
           "EMAIL;TYPE=WORK:@example.com\r\nEMAIL:john@\r\nEMAIL:plain\r\nEMAIL;TYPE=HOME:a@b@c\r\n"
           "TEL:\r\nitem1.TEL:+1 555 0100\r\nitem1.X-ABLabel:_$!<Assistant>!$_\r\n"
           "URL:https://example.com/\r\nitem2.URL:example.org\r\nitem2.X-ABLabel:blog\r\n"
           "ADR;TYPE=HOME:;;1 Main St;Springfield;IL;62701;USA\r\nADR:;;;;;;Japan\r\n"
           "ADR;TYPE=WORK:PO 7;Suite 2;2-7-3 Marunouchi;Chiyoda;Tokyo;100-0005;;jp\r\n"
           "X-SOCIALPROFILE;TYPE=twitter:https://twitter.com/jdoe\r\n"
           "X-SOCIALPROFILE;TYPE=Mastodon;X-USER=jd:https://example.social/@jd\r\n"
           "IMPP;X-SERVICE-TYPE=Jabber:xmpp:john@example.com\r\nX-AIM:johnaim\r\nIMPP:\r\n"
           "item3.X-ABRELATEDNAMES:Jane\r\nitem3.X-ABLabel:_$!<Spouse>!$_\r\nX-ABRELATEDNAMES:Anon\r\n"
           "item4.X-ABDATE:2001-05-20\r\nitem4.X-ABLabel:_$!<Anniversary>!$_\r\nX-ABDATE:--12-24\r\n"
           "BDAY:--02-29\r\nNOTE:a note\\nwith two lines\r\nX-UNKNOWN:kept as it is\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Globex\r\nORG:Globex\r\nX-ABShowAs:COMPANY\r\n"
           "X-PHONETIC-LAST-NAME:Gurobekkusu\r\nBDAY:1999-12-31\r\nUID:company\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nX-ABShowAs:COMPANY\r\nUID:nameless\r\n"
           "X-PHONETIC-MIDDLE-NAME:only\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Outer;Card\r\nAGENT:\r\nBEGIN:VCARD\r\nVERSION:2.1\r\n"
           "N:Inner;Card\r\nTEL:1\r\nEND:VCARD\r\nTEL:2\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Tanaka;Hanako\r\nADR:;;Street;City;;;\r\n"
           "X-RENMEI:Taro\r\nX-HAGAKILAYOUTS:1,0,0,0,0,0,0,0,0,0,0,0,0\r\nCATEGORIES:A,B\r\nEND:VCARD\r\n"_ba;
}

QByteArray cards(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += card(i);
    return text;
}

} // namespace

TEST(DumpStreamTest, JsonTextSpellsValuesAsTheJsonDocumentDoes)
{
    QVariantMap nested { { u"b"_s, QVariantList {} }, { u"a"_s, QVariantMap {} },
        { u"z"_s, QVariantList { 1, u"x"_s, QVariantList { true, QVariant() } } } };
    const QVariantMap values {
        { u"plain"_s, u"Tanaka 田中 Zoë"_s },
        { u"escapes"_s, u"quote \" backslash \\ slash / tab \t cr \r lf \n bell \x07 del \x7F"_s },
        { u"separators"_s, QString(u"line\u2028paragraph\u2029end"_s) },
        { u"emoji"_s, u"😀 and 𠮷"_s },
        { u"lone surrogate"_s, QString(QChar(0xD800)) + u"x"_s },
        { u"empty"_s, QString() },
        { u"numbers"_s,
            QVariantList { 0, -7, qint64(1) << 40, qint64(9007199254740993LL), (qint64(1) << 53) - 1,
                -(qint64(1) << 53) + 1, qint64(1) << 53, 4294967295u, 2.5, 1e21, 0.1 } },
        { u"bytes"_s, QByteArray("12345") },
        { u"flags"_s, QVariantList { true, false } },
        { u"null"_s, QVariant() },
        { u"date"_s, QVariant::fromValue(DateComponents::fromDate(QDate(1970, 1, 15))) },
        { u"address"_s,
            QVariant::fromValue(StorePostalAddress {
                u"1 Main St"_s, u"Springfield"_s, {}, u"12345"_s, u"USA"_s, u"us"_s, {}, {} }) },
        { u"nested"_s, nested },
        { u"ключ"_s, u"non-ASCII key"_s },
        { u"𠮷key"_s, u"a key past U+FFFF"_s },
        { u"\uFF21key"_s, u"a key just below U+FFFF"_s },
    };
    QByteArray ours;
    JsonText::appendValue(ours, values, 0);
    ours += '\n';
    EXPECT_EQ(ours.toStdString(),
        QJsonDocument(VariantJson::toJson(values).toObject()).toJson(QJsonDocument::Indented).toStdString());

    // A later member of the same key replaces the earlier one, as QJsonObject::insert does.
    QByteArray object;
    JsonText::appendObject(object, { { u"b"_s, 1 }, { u"a"_s, u"first"_s }, { u"a"_s, u"second"_s } }, 0);
    EXPECT_EQ(object, "{\n    \"a\": \"second\",\n    \"b\": 1\n}");
}

TEST(DumpStreamTest, JsonTextEscapesEveryCodeUnitAsTheJsonDocumentDoes)
{
    // Every UTF-16 code unit, a run of 128 in each string, among plain letters and the escapes a note
    // holds: each must come out as the JSON writer spells it. The few units the writer is left to
    // spell (DEL, surrogates, the line and paragraph separators) are left out of a second string of
    // each run, so that the rest of the run is written directly.
    const auto spelling = [](const QString &text) {
        const QByteArray whole = QJsonDocument(QJsonArray { text }).toJson(QJsonDocument::Compact);
        return whole.sliced(1, whole.size() - 2).toStdString();
    };
    for (int first = 0; first < 0x10000; first += 128) {
        QString all = u"a\"\n"_s;
        QString direct = all;
        for (int u = first; u < first + 128; ++u) {
            all += QChar(char16_t(u));
            if (u != 0x7F && (u < 0xD800 || u > 0xDFFF) && u != 0x2028 && u != 0x2029)
                direct += QChar(char16_t(u));
        }
        for (const QString &text : { all + u"\\z"_s, direct + u"\\z"_s }) {
            QByteArray ours;
            JsonText::appendString(ours, text);
            ASSERT_EQ(ours.toStdString(), spelling(text)) << "code units from " << first;
        }
    }
    // Text appended after what is already there, and a string's growth past its capacity.
    QByteArray out = "{ ";
    JsonText::appendString(out, QString(5000, u'é'));
    EXPECT_EQ(out.size(), 2 + 2 + 10000);
    EXPECT_TRUE(out.startsWith("{ \"\xc3\xa9") && out.endsWith("\xc3\xa9\""));
}

TEST(DumpStreamTest, StreamedDumpEqualsTheWholeDocumentDump)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Enough cards to be read on several threads and written in several batches.
    const QList<QByteArray> inputs { cards(1), cards(40), cards(4500),
        CliTestSupport::readFile(TestPaths::data(u"convert/friends.vcf"_s)),
        CliTestSupport::readFile(TestPaths::data(u"vcard/address_book.vcf"_s)) };
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        const QString path = CliTestSupport::writeFile(dir, u"in%1.vcf"_s.arg(i), inputs.at(i));
        EXPECT_EQ(withoutIds(streamedDump(path)), withoutIds(wholeDocumentDump(inputs.at(i))));
    }

    // Several files make one array; a file without contacts adds nothing to it.
    const QString empty = CliTestSupport::writeFile(dir, u"empty.vcf"_s, "BEGIN:VCARD\r\nEND:VCARD\r\n");
    const QString some = CliTestSupport::writeFile(dir, u"some.vcf"_s, cards(3));
    const CliTestSupport::Run two = CliTestSupport::run({ u"dump"_s, some, empty, some });
    EXPECT_EQ(two.status, 1);
    QJsonArray both = QJsonDocument::fromJson(wholeDocumentDump(cards(3))).array();
    for (const QJsonValue &contact : QJsonDocument::fromJson(wholeDocumentDump(cards(3))).array())
        both.append(contact);
    EXPECT_EQ(two.outBytes.toStdString(), QJsonDocument(both).toJson(QJsonDocument::Indented).toStdString());
    EXPECT_EQ(CliTestSupport::run({ u"dump"_s, empty }).outBytes, "[\n]\n");
}

TEST(DumpStreamTest, ContactWrittenFromItsCardEqualsTheOneWrittenFromItsRecord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray input = everyKindOfField();
    const QString path = CliTestSupport::writeFile(dir, u"every.vcf"_s, input);
    const QByteArray streamed = streamedDump(path);
    EXPECT_EQ(withoutIds(streamed), withoutIds(wholeDocumentDump(input)));
    // The edges above are there: none of the contacts went missing or came out empty.
    const QJsonArray contacts = QJsonDocument::fromJson(streamed).array();
    ASSERT_EQ(contacts.size(), 6);
    for (const char *field : { "Social Network", "Instant Message", "Relationship", "Dates", "Birthday",
             "Phonetic Name", "URL", "Email", "Address", "HagakiLayout", "Nickname", "Suffix", "Title" })
        EXPECT_TRUE(contacts.at(0).toObject().contains(QLatin1StringView(field))) << field;
}

TEST(DumpStreamTest, OddCardsWrittenFromTheirCardsEqualTheirRecordsValues)
{
    // Each record of the test files (quirks, fuzz findings) and of the corpus, written from its card
    // while its values are unbuilt, then from the values once they are built.
    QStringList folders { TestPaths::data(u"vcard"_s), TestPaths::data(u"convert"_s) };
    if (QFileInfo::exists(TestPaths::shared(u"corpus/vcard"_s)))
        folders << TestPaths::shared(u"corpus/vcard"_s);
    const QStringList groups { u"Friends"_s, u"年賀状"_s };
    int fromCards = 0;
    for (const QString &folder : folders) {
        QDirIterator files(folder, { u"*.vcf"_s }, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            SCOPED_TRACE(path.toStdString());
            const DocumentReadResult read = DocumentReader::readData(
                CliTestSupport::readFile(path), InputFormat::VCard, TextEncoding::Automatic);
            for (const ContactEntryPtr &entry : read.contactTable) {
                QByteArray fromCard;
                if (!DumpCardJson::append(fromCard, *entry->person, groups, 1))
                    continue;
                ++fromCards;
                entry->person->phoneValues();
                QByteArray fromValues;
                JsonText::appendObject(fromValues, DumpJson::fields(*entry, groups), 1);
                EXPECT_EQ(fromCard.toStdString(), fromValues.toStdString());
            }
        }
    }
    EXPECT_GT(fromCards, 100);
}

TEST(DumpStreamTest, StreamedDumpOfTheCorpusEqualsTheWholeDocumentDump)
{
    const QString folder = TestPaths::shared(u"corpus/vcard"_s);
    if (!QFileInfo::exists(folder))
        GTEST_SKIP() << "no shared corpus";
    int compared = 0;
    QDirIterator files(folder, { u"*.vcf"_s }, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QByteArray bytes = CliTestSupport::readFile(path);
        SCOPED_TRACE(path.toStdString());
        const CliTestSupport::Run run = CliTestSupport::run({ u"dump"_s, path });
        if (run.status != 0)
            continue;
        // Cards without UID are given a new unique id on every read: only files with ids compare whole.
        if (bytes.contains("\nUID:") && bytes.count("\nUID:") == bytes.count("BEGIN:VCARD"))
            EXPECT_EQ(run.outBytes.toStdString(), wholeDocumentDump(bytes).toStdString());
        else
            EXPECT_EQ(withoutIds(run.outBytes), withoutIds(wholeDocumentDump(bytes)));
        ++compared;
    }
    EXPECT_GT(compared, 0);
}
