// The dump shows what a card says that no field holds, as it is written back: a file whose cards lose
// such a property on the way through a conversion shows it in the dumps before and after.

#include "CliTestSupport.h"
#include "cli/DumpJson.h"
#include "document/DocumentReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DumpKeptPropertiesTest, KeptPropertiesAreShownALineEachAndLongOnesInShort)
{
    const QByteArray logo = QByteArray(3000, 'A');
    const QByteArray cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann\r\nX-MYCLIENT-COLOR:teal\r\n"
                             "GEO:35.68;139.76\r\nNOTE:seen\r\nORG:Acme\r\nORG:Globex\r\n"
                             "LOGO;ENCODING=b;TYPE=PNG:"
        + logo
        + "\r\nUID:ann\r\nEND:VCARD\r\n"
          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob\r\nUID:bob\r\nEND:VCARD\r\n";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CliTestSupport::Run run
        = CliTestSupport::run({ u"dump"_s, CliTestSupport::writeFile(dir, u"kept.vcf"_s, cards) });
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    // Streamed as the whole document would print it: the key sits where its name sorts.
    const DocumentReadResult read
        = DocumentReader::readData(cards, InputFormat::VCard, TextEncoding::Automatic);
    EXPECT_EQ(run.outBytes.toStdString(), DumpJson::text(DumpJson::contacts(read)).toStdString());

    const QJsonArray contacts = QJsonDocument::fromJson(run.outBytes).array();
    ASSERT_EQ(contacts.size(), 2);
    const QJsonArray kept = contacts.at(0).toObject().value(u"otherProperties"_s).toArray();
    ASSERT_EQ(kept.size(), 4) << run.outBytes.toStdString();
    EXPECT_EQ(kept.at(0).toString(), u"X-MYCLIENT-COLOR:teal"_s);
    EXPECT_EQ(kept.at(1).toString(), u"GEO:35.68;139.76"_s);
    EXPECT_EQ(kept.at(2).toString(), u"ORG:Globex"_s);
    // A long value shows its start, its size and a checksum that tells two such values apart.
    const QString logoLine = kept.at(3).toString();
    EXPECT_TRUE(logoLine.startsWith(u"LOGO;TYPE=PNG;ENCODING=b:AAAA"_s)) << logoLine.toStdString();
    EXPECT_LT(logoLine.size(), 200);
    EXPECT_TRUE(logoLine.contains(u"(3025 bytes, checksum "_s)) << logoLine.toStdString();
    // A card with nothing of the kind has no such key at all.
    EXPECT_FALSE(contacts.at(1).toObject().contains(u"otherProperties"_s));
}
