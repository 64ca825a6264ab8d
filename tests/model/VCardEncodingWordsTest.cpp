#include "common/TestPaths.h"
#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The words that name a transfer encoding (QUOTED-PRINTABLE, BASE64) decide how a property's
// lines join before the property is read whole; they may also stand inside other parameter values,
// or be cut by a fold, or be a service's name.

namespace {

QList<StoreContact> read(const QByteArray &text)
{
    QString error;
    QList<StoreContact> contacts = VCardSerialization::contactsWithData(text, &error);
    EXPECT_FALSE(contacts.isEmpty()) << error.toStdString();
    return contacts;
}

QList<QString> services(const StoreContact &contact)
{
    QList<QString> out;
    for (const auto &profile : contact.extras().socialProfiles)
        out.append(profile.value.service);
    return out;
}

} // namespace

// Words inside a parameter value, a folded header and a value ending in "=": written and read
// again, every field reads as it did, and no line after the property is taken into its value.
TEST(VCardEncodingWordsTest, CardsReadTheSameAfterWriteAndRead)
{
    const QByteArray text
        = VCardTestSupport::readFile(TestPaths::data(u"vcard/quirks/encoding-words-in-parameters.vcf"_s));
    ASSERT_FALSE(text.isEmpty());
    const QList<StoreContact> first = read(text);
    ASSERT_EQ(first.size(), 2);

    ASSERT_EQ(first[0].extras().socialProfiles.size(), 1);
    EXPECT_EQ(first[0].extras().socialProfiles[0].value.urlString, u"Now is the time ="_s);
    EXPECT_EQ(first[0].phoneNumbers.size(), 2);
    EXPECT_EQ(first[1].phoneNumbers.size(), 1);
    EXPECT_EQ(services(first[1]),
        (QList<QString> { u"QUOTED-PRINTABLE"_s, u"base64"_s, u"pref"_s, u" padded "_s }));
    EXPECT_EQ(first[1].extras().socialProfiles[0].value.urlString, u"https://example.com/a=3D="_s);

    const QByteArray written = VCardSerialization::dataWithContacts(first);
    const QList<StoreContact> again = read(written);
    ASSERT_EQ(again.size(), first.size());
    for (qsizetype i = 0; i < first.size(); ++i) {
        const StoreContact a = VCardTestSupport::withoutNoteAndImages(first[i]);
        const StoreContact b = VCardTestSupport::withoutNoteAndImages(again[i]);
        EXPECT_TRUE(a == b) << "card " << i << " differs in: " << VCardTestSupport::describeDifference(a, b)
                            << "\n"
                            << written.toStdString();
    }
}

// The encoding is that of the whole header, wherever the folds fall: a real one after a fold
// joins the soft-broken line, and one cut in two by a fold names nothing.
TEST(VCardEncodingWordsTest, EncodingIsThatOfTheWholeHeader)
{
    const QList<StoreContact> afterFold = read("BEGIN:VCARD\r\nVERSION:2.1\r\nN:A;B\r\n"
                                               "NOTE;CHARSET=UTF-8;\r\n ENCODING=QUOTED-PRINTABLE:come=\r\n"
                                               "=20to=0Athe aid\r\nTEL:1\r\nEND:VCARD\r\n");
    ASSERT_EQ(afterFold.size(), 1);
    EXPECT_EQ(afterFold[0].note, u"come to\nthe aid"_s);
    EXPECT_EQ(afterFold[0].phoneNumbers.size(), 1);

    const QList<StoreContact> cut
        = read("BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;B\r\n"
               "TEL;TYPE=QUOTED-PRINTABLE\r\n X:1=\r\nTEL:2\r\n"
               "NOTE;X-WORD=QUOTED-PRINTABLE;TYPE=\"BASE64\":a=\r\nTEL:3\r\nEND:VCARD\r\n");
    ASSERT_EQ(cut.size(), 1);
    ASSERT_EQ(cut[0].phoneNumbers.size(), 3);
    EXPECT_EQ(cut[0].phoneNumbers[0].value, u"1="_s);
    EXPECT_EQ(cut[0].note, u"a="_s);
}

// A service whose name is a keyword, or has white space at its ends, is written in quotes.
TEST(VCardEncodingWordsTest, KeywordServicesAreWrittenQuoted)
{
    StoreContact c;
    for (const QString &service : { u"Base64"_s, u"quoted-printable"_s, u"PREF"_s, u"\tx"_s, u"x\n"_s })
        c.editExtras().socialProfiles.append(
            { QString(), { u"https://example.com/u"_s, u"u"_s, QString(), service } });
    const QByteArray text = VCardSerialization::dataWithContacts({ c });
    for (const char *written : { "TYPE=\"Base64\";", "TYPE=\"quoted-printable\";", "TYPE=\"PREF\";",
             "TYPE=\"\tx\";", "TYPE=\"x \";" })
        EXPECT_TRUE(text.contains(written)) << written << "\n" << text.toStdString();
    const QList<StoreContact> back = read(text);
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(services(back[0]),
        (QList<QString> { u"Base64"_s, u"quoted-printable"_s, u"PREF"_s, u"\tx"_s, u"x "_s }));
}
