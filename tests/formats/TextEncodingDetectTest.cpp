#include "formats/EncodingDetector.h"
#include "formats/TextCodec.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

QByteArray card(const QByteArray &nameProperty)
{
    return "BEGIN:VCARD\r\nVERSION:2.1\r\n" + nameProperty + "\r\nTEL;CELL:090-1234-5678\r\nEND:VCARD\r\n";
}

std::string show(const QString &text)
{
    return text.toStdString();
}

const QByteArray yamadaSjis = bytes({ 0x8E, 0x52, 0x93, 0x63, 0x20, 0x91, 0xBE, 0x98, 0x59 });
const QByteArray yamadaEuc = bytes({ 0xBB, 0xB3, 0xC5, 0xC4, 0x20, 0xC2, 0xC0, 0xCF, 0xBA });
const QString yamada = u"山田 太郎"_s;

} // namespace

TEST(TextEncodingDetect, ByteOrderMarksDecideAndAreNotText)
{
    const QString text = u"BEGIN:VCARD\r\nFN:山田\r\nEND:VCARD\r\n"_s;
    const struct
    {
        Number encoding;
        QByteArray mark;
    } cases[] = {
        { UTF8, bytes({ 0xEF, 0xBB, 0xBF }) },
        { UTF16BigEndian, bytes({ 0xFE, 0xFF }) },
        { UTF16LittleEndian, bytes({ 0xFF, 0xFE }) },
        { UTF32BigEndian, bytes({ 0x00, 0x00, 0xFE, 0xFF }) },
        { UTF32LittleEndian, bytes({ 0xFF, 0xFE, 0x00, 0x00 }) },
    };
    for (const auto &c : cases) {
        const EncodedText body = TextCodec::encode(text, c.encoding);
        ASSERT_TRUE(body.ok()) << show(body.error);
        const DecodedText decoded = EncodingDetector::detectAndDecode(c.mark + body.bytes);
        ASSERT_TRUE(decoded.ok()) << show(decoded.error);
        EXPECT_EQ(decoded.encoding, c.encoding) << show(TextEncodings::nameOf(c.encoding));
        EXPECT_EQ(show(decoded.text), show(text)) << show(TextEncodings::nameOf(c.encoding));
        // The mark is dropped also when the encoding is chosen by hand.
        EXPECT_EQ(show(TextCodec::decode(c.mark + body.bytes, c.encoding).text), show(text));
    }
}

TEST(TextEncodingDetect, SmallTextsOfEachFamily)
{
    const QString german
        = u"BEGIN:VCARD\r\nFN:Jürgen Müller\r\nADR:;;Hauptstraße 5;Köln;;50667;\r\nEND:VCARD\r\n"_s;
    const struct
    {
        const char *what;
        QByteArray input;
        QList<Number> accepted;
        QString expected;
    } cases[] = {
        { "ASCII reads as UTF-8", "BEGIN:VCARD\r\nFN:John\r\nEND:VCARD\r\n", { UTF8 },
            u"BEGIN:VCARD\r\nFN:John\r\nEND:VCARD\r\n"_s },
        { "UTF-8 Japanese", card(u"N:山田 太郎"_s.toUtf8()), { UTF8 },
            QString::fromUtf8(card(u"N:山田 太郎"_s.toUtf8())) },
        { "Shift_JIS, kanji only", card("N:" + yamadaSjis), { ShiftJIS },
            QString::fromUtf8(card("N:" + yamada.toUtf8())) },
        { "EUC-JP, kanji only", card("N:" + yamadaEuc), { JapaneseEUC },
            QString::fromUtf8(card("N:" + yamada.toUtf8())) },
        { "Shift_JIS with Windows extensions", card("NOTE:" + bytes({ 0x87, 0x40, 0x87, 0x8A, 0x87, 0x54 })),
            { ShiftJIS }, QString::fromUtf8(card(u"NOTE:①㈱Ⅰ"_s.toUtf8())) },
        { "ISO-2022-JP", card("N:\x1B$B;3ED\x1B(B"), { ISO2022JP },
            QString::fromUtf8(card(u"N:山田"_s.toUtf8())) },
        { "ISO-2022-JP, the Roman escape", card("N:\x1B(J;3ED\x1B(B"), { ISO2022JP },
            QString::fromUtf8(card("N:;3ED")) },
        // An escape that no ISO-2022-JP sequence follows, cut off at the very end.
        { "An escape cut off at the end", "FN:a\x1B$", { UTF8 }, u"FN:a\x1B$"_s },
        { "Latin-1", german.toLatin1(), { ISOLatin1, WindowsCP1252 }, german },
        { "UTF-16LE without a mark",
            QByteArray(reinterpret_cast<const char *>(german.utf16()), german.size() * 2),
            { UTF16LittleEndian }, german },
        { "UTF-16BE without a mark", TextCodec::encode(german, UTF16BigEndian).bytes, { UTF16BigEndian },
            german },
    };
    for (const auto &c : cases) {
        const DecodedText decoded = EncodingDetector::detectAndDecode(c.input);
        ASSERT_TRUE(decoded.ok()) << c.what << ": " << show(decoded.error);
        EXPECT_TRUE(c.accepted.contains(decoded.encoding))
            << c.what << ": got " << show(TextEncodings::nameOf(decoded.encoding));
        EXPECT_EQ(show(decoded.text), show(c.expected)) << c.what;
    }
}

TEST(TextEncodingDetect, CharsetNamedInTheCardsDecides)
{
    // Half-width katakana alone look like Western accented letters; the CHARSET parameter settles it.
    const QByteArray kana = bytes({ 0xD4, 0xCF, 0xC0, 0xDE });
    const QByteArray named
        = card("N;CHARSET=SHIFT_JIS:" + kana) + card("N;charset=\"Shift_JIS\":" + yamadaSjis);
    DecodedText decoded = EncodingDetector::detectAndDecode(named);
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.encoding, ShiftJIS);
    EXPECT_TRUE(decoded.text.contains(u"ﾔﾏﾀﾞ"_s));
    EXPECT_TRUE(decoded.text.contains(yamada));

    EXPECT_EQ(EncodingDetector::namedCharsets(named), QList<QByteArray>({ "SHIFT_JIS", "Shift_JIS" }));
    EXPECT_EQ(EncodingDetector::namedCharsets("NOTE:charset=x;CHARSET=;CHARSET=UTF-8:"),
        QList<QByteArray>({ "UTF-8" }))
        << "only a parameter after ';' with a value counts";
    EXPECT_TRUE(EncodingDetector::namedCharsets(";CHARSET=" + QByteArray(500, 'A')).isEmpty())
        << "an overlong name is no charset";

    // A named charset the bytes do not fit is passed over, not obeyed.
    decoded = EncodingDetector::detectAndDecode(card("N;CHARSET=EUC-KR:" + yamadaSjis));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(decoded.encoding, ShiftJIS);
    // An unknown charset name does not stop detection.
    decoded = EncodingDetector::detectAndDecode(card("N;CHARSET=NO-SUCH-SET:" + yamadaEuc));
    EXPECT_EQ(decoded.encoding, JapaneseEUC);
}

TEST(TextEncodingDetect, ShiftJisIsReadAsItsWindowsSuperset)
{
    const QByteArray extensions = bytes({ 0x87, 0x40, 0x87, 0x8A, 0x87, 0x54, 0xFA, 0x40, 0xED, 0x40 });
    const DecodedText decoded = TextCodec::decode(extensions, ShiftJIS);
    ASSERT_TRUE(decoded.ok()) << show(decoded.error);
    EXPECT_EQ(show(decoded.text), "①㈱Ⅰⅰ纊"); // NEC row 13, IBM extension, NEC-selected IBM extension
    EXPECT_EQ(TextEncodings::numberForCharset("SHIFT_JIS"), ShiftJIS);
    EXPECT_EQ(TextEncodings::numberForCharset("windows-31j"), ShiftJIS);
    EXPECT_EQ(TextEncodings::numberForCharset("cp932"), ShiftJIS);
    const EncodedText back = TextCodec::encode(decoded.text, ShiftJIS);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(TextCodec::decode(back.bytes, ShiftJIS).text, decoded.text);
}

TEST(TextEncodingDetect, ArbitraryBytesNeverCrash)
{
    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray input(random.bounded(0, 600), Qt::Uninitialized);
        for (char &c : input)
            c = char(random.bounded(256));
        if (round % 3 == 0)
            input.prepend(";CHARSET=SHIFT_JIS:");
        if (round % 5 == 0)
            input.prepend("\xFE\xFF");
        const DecodedText decoded = EncodingDetector::detectAndDecode(input);
        // Either text in a named encoding, or an error saying why not.
        EXPECT_TRUE(decoded.ok() ? decoded.encoding != Automatic : !decoded.text.size());
    }
    const DecodedText empty = EncodingDetector::detectAndDecode(QByteArray());
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.text.isEmpty());
}
