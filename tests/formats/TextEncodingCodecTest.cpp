#include "formats/TextCodec.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

namespace {

std::string show(const QString &text)
{
    return text.toStdString();
}

} // namespace

TEST(TextEncodingCodec, TableKeepsTheWellKnownNumbersAndUniqueNames)
{
    const QList<EncodingInfo> &table = TextEncodings::available();
    ASSERT_GT(table.size(), 100);
    QSet<Number> numbers;
    QSet<QString> names;
    for (const EncodingInfo &info : table) {
        EXPECT_NE(info.number, Automatic) << info.converterName.constData();
        EXPECT_FALSE(numbers.contains(info.number)) << info.converterName.constData();
        EXPECT_FALSE(names.contains(info.name)) << show(info.name);
        numbers.insert(info.number);
        names.insert(info.name);
    }
    EXPECT_EQ(show(TextEncodings::nameOf(UTF8)), "Unicode (UTF-8)");
    EXPECT_EQ(show(TextEncodings::nameOf(UTF16BigEndian)), "Unicode (UTF-16BE)");
    EXPECT_EQ(show(TextEncodings::nameOf(ShiftJIS)), "Japanese (Shift JIS)");
    EXPECT_EQ(TextEncodings::nameOf(0x12345678), QString());
    EXPECT_EQ(TextEncodings::numberForCharset("utf-8"), UTF8);
    EXPECT_EQ(TextEncodings::numberForCharset("EUC-JP"), JapaneseEUC);
    EXPECT_EQ(TextEncodings::numberForCharset("latin1"), ISOLatin1);
    EXPECT_EQ(TextEncodings::numberForCharset("no-such-charset"), std::nullopt);
    EXPECT_EQ(TextEncodings::numberForCharset("bad name;"), std::nullopt);
    EXPECT_EQ(TextEncodings::numberForCharset(""), std::nullopt);
    // Other converters get a number from their name alone.
    const std::optional<Number> koi8 = TextEncodings::numberForCharset("KOI8-R");
    ASSERT_TRUE(koi8.has_value());
    EXPECT_EQ(*koi8 & 0xFF000000u, OtherEncodingBase);
    const EncodingInfo *byName = TextEncodings::findByName(u"Japanese (EUC)"_s);
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(byName->number, JapaneseEUC);
}

TEST(TextEncodingCodec, BytesThatDoNotFitAForcedEncodingAreAnError)
{
    const struct
    {
        const char *what;
        QByteArray input;
        Number encoding;
        const char *offset; // where the error message must point
    } cases[] = {
        { "lone continuation byte", "abc\x80xyz", UTF8, "offset 3" },
        { "overlong slash", "ab\xC0\xAF", UTF8, "offset 2" },
        { "encoded surrogate", "\xED\xA0\x80", UTF8, "offset 0" },
        { "truncated sequence at the end", "abcd\xE3\x81", UTF8, "offset 4" },
        { "Shift_JIS lead without trail", "ab\x82", ShiftJIS, "offset 2" },
        { "Shift_JIS invalid trail", "ab\x82\x20", ShiftJIS, "offset 2" },
        { "EUC-JP with Shift_JIS bytes", "\x8E\x52\x93\x63", JapaneseEUC, "offset" },
        { "eight bits in ASCII", "ab\xE9", ASCII, "offset 2" },
        { "odd length UTF-16", QByteArray("\x00\x41\x00", 3), UTF16BigEndian, "offset 2" },
        { "unpaired surrogate in UTF-16", QByteArray("\xD8\x00\x00\x41", 4), UTF16BigEndian, "offset 0" },
    };
    for (const auto &c : cases) {
        const DecodedText decoded = TextCodec::decode(c.input, c.encoding);
        EXPECT_FALSE(decoded.ok()) << c.what;
        EXPECT_TRUE(decoded.text.isEmpty()) << c.what;
        EXPECT_TRUE(decoded.error.contains(QLatin1StringView(c.offset)))
            << c.what << ": " << show(decoded.error);
        EXPECT_TRUE(decoded.error.contains(TextEncodings::nameOf(c.encoding))) << c.what;
    }
    EXPECT_FALSE(TextCodec::decode("abc", 0x7777).ok()) << "an unknown number";
}

TEST(TextEncodingCodec, EncodingForWritingRoundTripsOrRefuses)
{
    const QString japanese = u"山田 太郎 ①㈱Ⅰ ｶﾀｶﾅ\r\n"_s;
    for (const Number encoding : { UTF8, UTF16, UTF16BigEndian, UTF16LittleEndian, UTF32, ShiftJIS }) {
        const EncodedText encoded = TextCodec::encode(japanese, encoding);
        ASSERT_TRUE(encoded.ok()) << show(TextEncodings::nameOf(encoding)) << show(encoded.error);
        EXPECT_EQ(show(TextCodec::decode(encoded.bytes, encoding).text), show(japanese))
            << show(TextEncodings::nameOf(encoding));
    }
    EXPECT_EQ(TextCodec::encode(u"héllo"_s).bytes, QByteArray("h\xC3\xA9llo")) << "UTF-8 is the default";

    const EncodedText latin = TextCodec::encode(u"Müller 山田"_s, ISOLatin1);
    EXPECT_FALSE(latin.ok());
    EXPECT_TRUE(latin.bytes.isEmpty());
    EXPECT_TRUE(latin.error.contains(u"position 7"_s)) << show(latin.error);

    const QString loneSurrogate = u"ab"_s + QChar(0xD800) + u"c"_s;
    EXPECT_FALSE(TextCodec::encode(loneSurrogate, UTF8).ok());

    // Longer than one conversion chunk, so the chunk boundaries are crossed both ways.
    QString longText;
    for (int i = 0; i < 40000; ++i)
        longText += u"東京都Ａ"_s;
    const EncodedText longBytes = TextCodec::encode(longText, JapaneseEUC);
    ASSERT_TRUE(longBytes.ok());
    EXPECT_EQ(TextCodec::decode(longBytes.bytes, JapaneseEUC).text, longText);
}
