// Files as they arrive from elsewhere: in every common encoding with the encoding left to
// detection, and damaged in the ways files get damaged. None may crash or hang the reader.
#include "DocumentTestSupport.h"
#include "document/Document.h"
#include "formats/TextCodec.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace DocumentTestSupport;

namespace {

QString firstName(const Document &document)
{
    if (document.contactTable().isEmpty())
        return QString();
    return document.contactTable().first()->person->valueForIdentifier(Ident::LastName).toString();
}

bool hasFamilyName(const Document &document, const QString &name)
{
    for (const ContactEntryPtr &entry : document.contactTable()) {
        if (entry->person->valueForIdentifier(Ident::LastName).toString() == name)
            return true;
    }
    return false;
}

} // namespace

TEST(DocumentMalformedTest, EveryCommonEncodingOpensWithDetection)
{
    const QString japanese = card(u"山田"_s, u"ORG:株式会社サンプル\r\nNOTE:東京都千代田区丸の内\r\n"_s);
    const QString western = card(u"Müller"_s, u"ADR:;;Hauptstraße 5;Köln;;50667;\r\nNOTE:Grüße\r\n"_s);
    const struct
    {
        const char *what;
        QString text;
        TextEncoding::Number encoding;
        QByteArray bom;
        QString family;
    } cases[] = {
        { "Shift_JIS", japanese, TextEncoding::ShiftJIS, {}, u"山田"_s },
        { "EUC-JP", japanese, TextEncoding::JapaneseEUC, {}, u"山田"_s },
        { "UTF-16 with a byte-order mark", japanese, TextEncoding::UTF16LittleEndian, "\xFF\xFE", u"山田"_s },
        { "UTF-16 without a mark", western, TextEncoding::UTF16BigEndian, {}, u"Müller"_s },
        { "Latin-1", western, TextEncoding::ISOLatin1, {}, u"Müller"_s },
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const EncodedText encoded = TextCodec::encode(c.text, c.encoding);
        ASSERT_TRUE(encoded.ok());
        const QString path = writeFile(dir, u"card.vcf"_s, c.bom + encoded.bytes);
        Document document;
        document.setDefaultEncoding(TextEncoding::Automatic);
        DocumentError error;
        ASSERT_TRUE(document.readFromURL(path, DocumentText::VCardType, &error))
            << qPrintable(error.localizedDescription);
        EXPECT_EQ(firstName(document), c.family);
        const QString note
            = document.contactTable().first()->person->valueForIdentifier(Ident::Note).toString();
        EXPECT_TRUE(note == u"東京都千代田区丸の内"_s || note == u"Grüße"_s) << qPrintable(note);
    }
}

TEST(DocumentMalformedTest, DamagedFilesGiveErrorsOrSkippedCardsNeverACrash)
{
    QTemporaryDir dir;
    QByteArray garbage(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20261207);
    for (char &c : garbage)
        c = char(random.bounded(256));
    const QByteArray good = card(u"Good"_s).toUtf8();
    const struct
    {
        const char *what;
        QByteArray bytes;
        bool opens; // a document comes of it, with the good card
    } cases[] = {
        { "binary garbage", garbage, false },
        { "garbage around a good card", garbage.left(3000) + "\r\n" + good + garbage.left(5000), false },
        { "a card cut off in the middle", good + good.left(good.size() / 2), true },
        { "BEGIN without END", good + "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Lost\r\n", true },
        { "END without BEGIN", "END:VCARD\r\n" + good, true },
        { "a 50 MB line", good + "NOTE:" + QByteArray(50 * 1024 * 1024, 'x') + "\r\n", true },
        { "a 50 MB property inside a card",
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Huge\r\nNOTE:" + QByteArray(50 * 1024 * 1024, 'x')
                + "\r\nEND:VCARD\r\n" + good,
            true },
        { "NUL bytes", good + QByteArray(100, '\0') + good, true },
        { "invalid UTF-8 in a value",
            good + card(u"Bad"_s, u"NOTE:"_s).toUtf8().replace("NOTE:", "NOTE:\xC3\x28"), false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = writeFile(dir, u"damaged.vcf"_s, c.bytes);
        Document document;
        document.setDefaultEncoding(TextEncoding::Automatic);
        DocumentError error;
        const bool opened = document.readFromURL(path, DocumentText::VCardType, &error);
        if (c.opens) {
            ASSERT_TRUE(opened) << qPrintable(error.localizedDescription);
            EXPECT_TRUE(hasFamilyName(document, u"Good"_s));
        } else if (!opened) {
            EXPECT_TRUE(error.isSet());
            EXPECT_TRUE(document.contactTable().isEmpty());
        }
    }
}
