// Structured values cut in their UTF-8 bytes must read exactly as when the whole value is decoded
// first and then cut; so must values whose escapes are looked for in their bytes.
#include "model/VCardLineReader.h"
#include "model/VCardSerialization.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The one property of a card holding only the given line.
template <typename F> void withProperty(const QByteArray &line, F &&f)
{
    const QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\n" + line + "\r\nEND:VCARD\r\n";
    int seen = 0;
    VCardLineReader::readCards(text, [&](const VCardCard &card) {
        for (const VCardProperty &property : card.properties) {
            if (!property.nameIs("VERSION")) {
                ++seen;
                f(property);
            }
        }
    });
    ASSERT_EQ(seen, 1) << line.toStdString();
}

QStringList viaWholeText(const VCardProperty &property, int max)
{
    QString parts[8];
    const int count
        = VCardLineReader::splitComponents(VCardLineReader::decodedText(property), u';', parts, max);
    return QStringList(parts, parts + count);
}

QStringList viaBytes(const VCardProperty &property, int max)
{
    QString parts[8];
    const int count = VCardLineReader::structuredComponents(property, parts, max);
    return QStringList(parts, parts + count);
}

} // namespace

TEST(VCardValueSplitTest, BytesAndWholeTextGiveTheSameComponents)
{
    const QList<QByteArray> lines = {
        "ADR:;;1 Main St;Springfield;;12345;USA",
        "ADR:a\\;b;c\\,d;e\\nf;g\\\\;h\\\\\\;i;j\\:k;l",
        "ADR:trailing backslash\\",
        "ADR:\\x;unknown escape\\q kept",
        "N:\xe5\xb1\xb1\xe7\x94\xb0;\xe5\xa4\xaa\xe9\x83\x8e;;;", // Japanese
        "N:\\\xe5\xb1\xb1;x", // an escaped multi-byte character
        "N:\xf0\x9f\x98\x80\\;\xf0\x9f\x98\x80;y", // a character outside the BMP around an escape
        "N:a;\xef\xbb\xbf"
        "b;c", // U+FEFF inside the value is a character
        "N:\xef\xbb\xbf"
        "a;b", // ... and at its start a byte-order mark
        "ADR:1;2;3;4;5;6;7;8;9;10", // more components than asked for
        "ADR:;;;;;;",
        "ADR:",
        "N;CHARSET=SHIFT_JIS:\x95\x5c;\x94\x5c", // not UTF-8: 0x5C is half of a character
        "N:caf\xe9;latin", // invalid UTF-8
        "N:a;b;c;d;caf\xe9", // ... in a later component, after well-formed ones
        "ADR:1;2;3;\xff\\;x;6;7",
        "N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:=E5=B1=B1;a\\;b",
        "N;CHARSET=UTF-8:  spaced ; out  ",
    };
    for (const QByteArray &line : lines) {
        for (int max : { 1, 2, 5, 7 }) {
            withProperty(line, [&](const VCardProperty &property) {
                EXPECT_EQ(viaBytes(property, max), viaWholeText(property, max))
                    << line.toStdString() << " max " << max;
            });
        }
    }
}

TEST(VCardValueSplitTest, EscapesAreUndoneWhateverTheCharset)
{
    auto readOne = [](const QByteArray &body) {
        const QByteArray text = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:X;Y\r\n" + body + "\r\nEND:VCARD\r\n";
        return VCardSerialization::contactsWithData(text).value(0);
    };
    EXPECT_EQ(readOne("NOTE:one\\ntwo\\, three").note, u"one\ntwo, three"_s);
    EXPECT_EQ(readOne("TITLE:plain").jobTitle, u"plain"_s);
    // In EBCDIC the backslash is 0xE0: the escape is only there once the text is decoded.
    EXPECT_EQ(readOne("TITLE;CHARSET=IBM037:\x81\xe0\x95\x82").jobTitle, u"a\nb"_s);
    // In Shift_JIS 0x5C may be half of a character, which is then no escape.
    EXPECT_EQ(readOne("TITLE;CHARSET=SHIFT_JIS:\x95\x5c").jobTitle, u"表"_s);
    const StoreContact org = readOne("ORG:Acme\\, Inc.;Sales;;");
    EXPECT_EQ(org.organizationName, u"Acme, Inc."_s);
    EXPECT_EQ(org.departmentName, u"Sales"_s);
    const StoreContact units = readOne("ORG:Acme;Sales;East; ");
    EXPECT_EQ(units.departmentName, u"Sales;East"_s);
    const StoreContact blank = readOne("ORG:Acme; ");
    EXPECT_EQ(blank.departmentName, u""_s);
}

TEST(VCardValueSplitTest, WholeValuesUnescapedInBytesReadAsTheirText)
{
    const QList<QByteArray> lines = {
        "NOTE:one\\ntwo\\, three\\; four\\\\five\\:six\\Nseven",
        "NOTE:trailing backslash\\",
        "NOTE:\\q unknown escape kept",
        "NOTE:\\\xe5\xb1\xb1 escaped multi-byte character",
        "NOTE:\xef\xbb\xbf"
        "byte-order mark\\nthen an escape",
        "NOTE:\\\xef\xbb\xbf", // a backslash before U+FEFF: no byte-order mark then
        "NOTE:\\\\\xef\xbb\xbf",
        "NOTE;CHARSET=UTF-8:\xf0\x9f\x98\x80\\n\xf0\x9f\x98\x80",
        "NOTE:",
    };
    for (const QByteArray &line : lines) {
        withProperty(line, [&](const VCardProperty &property) {
            const std::optional<QString> bytes = VCardLineReader::unescapedUtf8Value(property.rawValue);
            ASSERT_TRUE(bytes.has_value()) << line.toStdString();
            EXPECT_EQ(*bytes, VCardLineReader::unescape(VCardLineReader::decodedText(property)))
                << line.toStdString();
        });
    }
    // Bytes that are no UTF-8 are left to the charset's own decoding.
    withProperty("NOTE:caf\xe9\\n", [](const VCardProperty &property) {
        EXPECT_FALSE(VCardLineReader::unescapedUtf8Value(property.rawValue).has_value());
    });
}
