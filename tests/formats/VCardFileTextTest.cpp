#include "formats/VCardFileText.h"

#include "formats/TextCodec.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

namespace {

std::string show(const QByteArray &bytes)
{
    return bytes.toPercentEncoding(" :;=,.-").toStdString();
}

} // namespace

TEST(VCardFileTextTest, UnfoldingTakesOutEveryKindOfFold)
{
    const struct
    {
        QByteArray in;
        QByteArray out;
        const char *guards;
    } rows[] = {
        { "A:1\r\n 2\r\nB:3\r\n", "A:12\r\nB:3\r\n", "CR LF and a space" },
        { "A:1\n\t2\n", "A:12\n", "LF and a tab" },
        { "A:1\r 2\r", "A:12\r", "a lone CR" },
        { "A:1\r\r\n 2\r\r\n", "A:12\r\r\n", "CR CR LF is one line end" },
        { "A:1\n\n 2\n", "A:12\n", "empty lines before a continuation go with the fold" },
        { "A:1\r\n  2\r\n", "A:1 2\r\n", "only the first space marks the fold" },
        { "A:1=\r\nB:2\r\n\r\nC:3\r\n", "A:1=\r\nB:2\r\n\r\nC:3\r\n", "no fold, no change" },
        { "A:\xd0\r\n \x94\r\n", "A:\xd0\x94\r\n", "a character cut in two is whole again" },
        { "\r\n x", "x", "a fold at the very start" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(show(VCardFileText::unfolded(row.in)), show(row.out)) << row.guards;

    // Without a fold the bytes are handed back, not copied.
    const QByteArray plain = "BEGIN:VCARD\r\nN:a;b\r\nEND:VCARD\r\n";
    EXPECT_EQ(VCardFileText::unfolded(plain).constData(), plain.constData());
}

TEST(VCardFileTextTest, DetectionAndDecodingJudgeTheUnfoldedText)
{
    // The example: "Длин" with the fold inside the second letter.
    const QByteArray cut
        = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ivan\r\nNOTE:\xd0\x94\xd0\r\n \xbb\xd0\xb8\xd0\xbd\r\n"
          "END:VCARD\r\n";
    for (const Number encoding : { Automatic, UTF8 }) {
        const VCardFileText text = VCardFileText::fromBytes(cut, encoding);
        ASSERT_TRUE(text.ok()) << text.error.toStdString();
        EXPECT_EQ(text.encoding, UTF8);
        EXPECT_TRUE(QString::fromUtf8(text.utf8).contains(u"NOTE:Длин"_s));
    }

    // Well-formed UTF-8 is handed over as it lies, folds and all, without a copy.
    const QByteArray whole = "BEGIN:VCARD\r\nNOTE:\xd0\x94\xd0\xbb\r\n \xd0\xb8\r\nEND:VCARD\r\n";
    const VCardFileText shared = VCardFileText::fromBytes(whole, Automatic);
    EXPECT_EQ(shared.utf8.constData(), whole.constData());

    // A byte-order mark is no text; what follows it may be cut as well.
    const VCardFileText marked = VCardFileText::fromBytes("\xEF\xBB\xBF" + cut, Automatic);
    EXPECT_TRUE(marked.utf8.startsWith("BEGIN:VCARD"));
    EXPECT_TRUE(QString::fromUtf8(marked.utf8).contains(u"Длин"_s));

    // Shift_JIS cut inside 郎 (0x98 0x59): detected and read whole, chosen or automatic.
    const QByteArray sjis
        = "BEGIN:VCARD\r\nN;CHARSET=SHIFT_JIS:\x8e\x52\x93\x63;\x91\xbe\x98\r\n \x59;;;\r\nEND:VCARD\r\n";
    for (const Number encoding : { Automatic, ShiftJIS }) {
        const VCardFileText text = VCardFileText::fromBytes(sjis, encoding);
        ASSERT_TRUE(text.ok()) << text.error.toStdString();
        EXPECT_EQ(text.encoding, ShiftJIS);
        EXPECT_TRUE(QString::fromUtf8(text.utf8).contains(u"山田;太郎"_s));
    }
}

TEST(VCardFileTextTest, WhatNoEncodingReadsIsStillRefused)
{
    // Bytes that are no UTF-8, folded or not: the offset named is that of the file.
    const VCardFileText bad = VCardFileText::fromBytes("BEGIN:VCARD\r\nNOTE:\xff\xfe\r\n \x41\r\n", UTF8);
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error.contains(u"18"_s)) << bad.error.toStdString();
    EXPECT_TRUE(bad.utf8.isEmpty());

    // UTF-16's line breaks are not ASCII's: its bytes are never unfolded, and still read.
    const EncodedText utf16
        = TextCodec::encode(u"BEGIN:VCARD\r\nN:Ann\r\n ette;;;;\r\nEND:VCARD\r\n", UTF16LittleEndian);
    const VCardFileText wide = VCardFileText::fromBytes("\xFF\xFE" + utf16.bytes, Automatic);
    ASSERT_TRUE(wide.ok()) << wide.error.toStdString();
    EXPECT_EQ(wide.utf8, "BEGIN:VCARD\r\nN:Ann\r\n ette;;;;\r\nEND:VCARD\r\n");
}
