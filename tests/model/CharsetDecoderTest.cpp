#include "model/CharsetDecoder.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Property values are decoded one at a time as UTF-8 when they are valid UTF-8, in the named
// charset when they are not, and as Latin-1 as the last resort; every byte must come out as some
// character.
TEST(CharsetDecoderTest, ValidUtf8DecodesToTheSameTextQtWouldGive)
{
    const QByteArray samples[] = {
        "", "plain ASCII longer than eight bytes", "Zoë Müller", "佐藤 太郎 東京都千代田区丸の内2-7-3",
        "emoji \xF0\x9F\x98\x80 and 𠮷野家", // four-byte sequences become surrogate pairs
        "\xEF\xBB\xBF"
        "a leading BOM is dropped",
        "\xF4\x8F\xBF\xBF", // the last code point
    };
    for (const QByteArray &bytes : samples) {
        EXPECT_TRUE(CharsetDecoder::decodeWellFormedUtf8(bytes).has_value()) << bytes.constData();
        EXPECT_EQ(CharsetDecoder::decodeUtf8OrCharset(bytes, {}), QString::fromUtf8(bytes))
            << bytes.constData();
    }
}

// ASCII is decoded in blocks of sixteen and eight bytes: a character other than ASCII, or an invalid
// byte, at every position around those blocks must be found where it is.
TEST(CharsetDecoderTest, CharactersAroundAsciiBlocksAreFoundWhereTheyAre)
{
    for (int length = 0; length <= 40; ++length) {
        for (int at = 0; at <= length; ++at) {
            QByteArray bytes(length, 'a');
            for (int i = 0; i < length; ++i)
                bytes[i] = char('A' + i % 26);
            bytes.insert(at, "\xC3\xA9"); // é
            EXPECT_EQ(CharsetDecoder::decodeWellFormedUtf8(bytes), QString::fromUtf8(bytes))
                << length << " " << at;
            bytes[at + 1] = 'x'; // the lead byte now starts no character
            EXPECT_FALSE(CharsetDecoder::decodeWellFormedUtf8(bytes).has_value()) << length << " " << at;
        }
    }
}

TEST(CharsetDecoderTest, InvalidUtf8FallsBackToTheCharsetThenLatin1)
{
    const QByteArray invalid[] = {
        "caf\xE9", // Latin-1 é
        "\xC0\xAF", // overlong
        "\xED\xA0\x80", // a surrogate
        "\xF4\x90\x80\x80", // past U+10FFFF
        "ends inside \xE3\x81", // truncated sequence
        "\x80 lone continuation",
    };
    for (const QByteArray &bytes : invalid) {
        EXPECT_FALSE(CharsetDecoder::decodeWellFormedUtf8(bytes).has_value()) << bytes.toHex().constData();
        EXPECT_EQ(CharsetDecoder::decodeUtf8OrCharset(bytes, {}), QString::fromLatin1(bytes))
            << bytes.toHex().constData();
    }
    // Shift_JIS bytes for 東京 are not UTF-8; the charset decides.
    EXPECT_EQ(CharsetDecoder::decodeUtf8OrCharset("\x93\x8C\x8B\x9E", "Shift_JIS"), u"東京"_s);
}
