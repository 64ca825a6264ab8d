// Whatever line ends a writer uses, and however it folds, a card reads as the same contact.

#include "model/VCardSerialization.h"
#include "model/VCardTestSupport.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The card's lines; folded values continue on lines that begin with a space.
const QList<QByteArray> CardLines = {
    "BEGIN:VCARD",
    "VERSION:3.0",
    "N:Tanaka;Ichiro;;;",
    "UID:line-ends-1",
    "NOTE:first line",
    "  and the second",
    "TEL;TYPE=CELL:090-1234",
    " -5678",
    "PHOTO;ENCODING=b;TYPE=PNG:iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUl",
    " EQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==",
    "END:VCARD",
};

StoreContact readWith(const QByteArray &lineEnd)
{
    QString error;
    const QList<StoreContact> contacts
        = VCardSerialization::contactsWithData(CardLines.join(lineEnd) + lineEnd, &error);
    EXPECT_EQ(contacts.size(), 1) << error.toStdString();
    return contacts.value(0);
}

} // namespace

TEST(VCardLineEndsTest, EveryLineEndGivesTheSameContact)
{
    const StoreContact expected = readWith("\r\n");
    EXPECT_EQ(expected.note, u"first line and the second"_s);
    ASSERT_EQ(expected.phoneNumbers.size(), 1);
    EXPECT_EQ(expected.phoneNumbers.first().value, u"090-1234-5678"_s);
    EXPECT_EQ(expected.extras().imageData.size(), 70);

    const struct
    {
        QByteArray lineEnd;
        const char *guards;
    } rows[] = {
        { "\n", "LF alone" },
        { "\r", "CR alone" },
        { "\r\r\n", "CR CR LF, as some phones write: no empty line before a continuation" },
        { "\r\r\r\n", "any run of CRs before the LF" },
        { "\n\n", "line ends doubled on the way: empty lines do not end a folded value" },
        { "\r\n\r\n", "CR LF doubled" },
    };
    for (const auto &row : rows) {
        const StoreContact read = readWith(row.lineEnd);
        EXPECT_TRUE(read == expected)
            << row.guards << ": " << VCardTestSupport::describeDifference(read, expected);
    }
}

TEST(VCardLineEndsTest, SoftLineBreaksAndEmptyLinesKeepTheirMeaning)
{
    // After a quoted-printable soft break the next line is text, its first space included; an empty
    // line after a soft break ends the value; a 2.1 base64 photo still ends at its empty line.
    const QByteArray card
        = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Gump;Forrest\r\n"
          "NOTE;ENCODING=QUOTED-PRINTABLE:come=\r\n to the aid=\r\n\r\n"
          "PHOTO;ENCODING=BASE64;TYPE=PNG:\r\n    iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJ\r\n"
          "    AAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==\r\n\r\n"
          "TEL;HOME:123\r\nEND:VCARD\r\n";
    QString error;
    const QList<StoreContact> contacts = VCardSerialization::contactsWithData(card, &error);
    ASSERT_EQ(contacts.size(), 1) << error.toStdString();
    EXPECT_EQ(contacts[0].note, u"come to the aid"_s);
    EXPECT_EQ(contacts[0].extras().imageData.size(), 70);
    ASSERT_EQ(contacts[0].phoneNumbers.size(), 1);
    EXPECT_EQ(contacts[0].phoneNumbers[0].value, u"123"_s);
}
