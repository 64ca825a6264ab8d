// UTF-8 vCard files are read as the bytes they are, without a string of the whole file: the result
// must be the one reading the decoded text gives, marks, line breaks and damage included.
#include "DocumentTestSupport.h"
#include "document/DocumentReader.h"
#include "formats/VCardExport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

QStringList familyNames(const DocumentReadResult &result)
{
    QStringList names;
    for (const ContactEntryPtr &entry : result.contactTable)
        names << entry->person->valueForIdentifier(Ident::LastName).toString();
    return names;
}

QStringList groupNames(const DocumentReadResult &result)
{
    QStringList names;
    if (result.containers) {
        for (const ContactGroupPtr &group : result.containers->first()->groups)
            names << group->name + u':' + QString::number(group->contactTable->size());
    }
    return names;
}

// The export without its UID lines: a card without one is given a new id on every read.
QByteArray exported(const DocumentReadResult &result)
{
    QByteArray out;
    const QByteArray text
        = VCardExport::vCardsFromContacts(result.contactTable, VCardExport::fileExportOptions())
              .value_or("?");
    for (const QByteArray &line : text.split('\n')) {
        if (!line.startsWith("UID:"))
            out += line + '\n';
    }
    return out;
}

} // namespace

TEST(DocumentReaderUtf8Test, ReadsWhatTheDecodedTextGives)
{
    const QString cards = card(u"Ünal"_s, u"CATEGORIES:Friends,Work\r\nTEL;TYPE=CELL:1\r\n"_s)
        + u"BEGIN:VCARD\u2028VERSION:3.0\u2028N:Line;;;;\u2028END:VCARD\u2029"_s
        + u"begin:vcard\u0085version:3.0\u0085n:Nel;;;;\u0085end:vcard\r"_s
        + card(u"山田"_s,
            u"X-RENMEI:花子\r\nADR:;;1-1;千代田区;東京都;100-0001;\r\nX-HAGAKILAYOUTS:"
            u"{{10,20},{30,40}}\r\nCATEGORIES:Work\r\nNOTE:See END:VCARD\\, twice\r\n"_s)
        + u"BEGIN:VCARD\r\nN:Cut;;;;\r\n"_s;
    const DocumentReadResult fromText = DocumentReader::readText(cards, InputFormat::VCard);

    QTemporaryDir dir;
    const struct
    {
        const char *what;
        QByteArray bytes;
        TextEncoding::Number encoding;
    } cases[] = {
        { "detected", cards.toUtf8(), TextEncoding::Automatic },
        { "detected with a mark", "\xEF\xBB\xBF" + cards.toUtf8(), TextEncoding::Automatic },
        { "detected with two marks", "\xEF\xBB\xBF\xEF\xBB\xBF" + cards.toUtf8(), TextEncoding::Automatic },
        { "chosen", cards.toUtf8(), TextEncoding::UTF8 },
        { "chosen with a mark", "\xEF\xBB\xBF" + cards.toUtf8(), TextEncoding::UTF8 },
    };
    for (const auto &c : cases) {
        const QString path = writeFile(dir, u"cards.vcf"_s, c.bytes);
        const DocumentReadResult fromFile = DocumentReader::readFile(path, InputFormat::VCard, c.encoding);
        ASSERT_TRUE(fromFile.ok()) << c.what;
        EXPECT_EQ(fromFile.encoding, TextEncoding::UTF8) << c.what;
        EXPECT_EQ(familyNames(fromFile), familyNames(fromText)) << c.what;
        EXPECT_EQ(groupNames(fromFile), groupNames(fromText)) << c.what;
        EXPECT_EQ(fromFile.notices.size(), fromText.notices.size()) << c.what;
        EXPECT_EQ(exported(fromFile), exported(fromText)) << c.what;
    }
    // The cards broken by LS and NEL are found as cards but not understood: lines of a property end
    // at CR or LF only. They are skipped and reported, and the cut-off card at the end is reported.
    EXPECT_EQ(familyNames(fromText), (QStringList { u"Ünal"_s, u"山田"_s }));
    EXPECT_EQ(groupNames(fromText), (QStringList { u"All Contacts:2"_s, u"Friends:1"_s, u"Work:2"_s }));
    EXPECT_EQ(fromText.notices.size(), 2);
    EXPECT_TRUE(exported(fromText).contains("X-RENMEI:花子\r\n"));

    // Invalid UTF-8 chosen as UTF-8 is the decoder's error, not a half-read document.
    const QString bad = writeFile(dir, u"bad.vcf"_s, card(u"Bad"_s).toUtf8() + "\xC3\x28");
    const DocumentReadResult failed = DocumentReader::readFile(bad, InputFormat::VCard, TextEncoding::UTF8);
    EXPECT_EQ(failed.status, DocumentReadResult::Status::ReadError);
    EXPECT_FALSE(failed.readError.isEmpty());
}

TEST(DocumentReaderUtf8Test, ARecordExportsTheSameBeforeAndAfterItsValuesAreBuilt)
{
    QString cards;
    for (int i = 0; i < 30; ++i) {
        cards += card(u"Name%1"_s.arg(i),
            u"TEL;TYPE=HOME:%1\r\nitem1.EMAIL:a%1@example.com\r\nitem1.X-ABLabel:Club\r\n"
            u"ADR;TYPE=WORK:;;%1 Main St;Springfield;;%1;USA\r\nNOTE:note %1\\nmore\r\n"
            u"BDAY:19%1-01-02\r\nCATEGORIES:Group%2\r\n"_s.arg(10 + i)
                .arg(i % 3));
    }
    const DocumentReadResult read = DocumentReader::readText(cards, InputFormat::VCard);
    ASSERT_EQ(read.contactTable.size(), 30);
    EXPECT_TRUE(read.contactTable.first()->person->hasUnbuiltValues());
    const QByteArray before = exported(read);
    for (const ContactEntryPtr &entry : read.contactTable)
        entry->person->phoneValues();
    EXPECT_FALSE(read.contactTable.first()->person->hasUnbuiltValues());
    const QByteArray after = exported(read);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(before.contains("NOTE:note 10\\nmore\r\n"));
}
