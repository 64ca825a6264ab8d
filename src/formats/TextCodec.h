#pragma once

#include "formats/TextEncodings.h"
#include "model/TranslatableText.h"

#include <QByteArrayView>
#include <QString>

// Messages of failed conversions; %1 is the encoding's name, %2 a byte or character offset.
namespace TextCodecMessage {
inline constexpr auto TooLarge
    = TranslatableText("TextCodecMessage", "The file is too large to be read as text.");
inline constexpr auto UnknownEncoding
    = TranslatableText("TextCodecMessage", "The text encoding %1 is not available.");
inline constexpr auto Undetermined
    = TranslatableText("TextCodecMessage", "The text encoding of the file couldn't be determined.");
inline constexpr auto InvalidBytes = TranslatableText(
    "TextCodecMessage", "The file isn't valid %1 text: the bytes at offset %2 can't be read.");
inline constexpr auto Unrepresentable = TranslatableText(
    "TextCodecMessage", "The text can't be written as %1: the character at position %2 has no equivalent.");
} // namespace TextCodecMessage

// The text of a file, or why it could not be read.
struct DecodedText
{
    QString text;
    TextEncoding::Number encoding = TextEncoding::Automatic; // the encoding actually used
    QString error; // empty on success

    bool ok() const { return error.isEmpty(); }
};

// Bytes in a numbered encoding, or why the text could not be written in it.
struct EncodedText
{
    QByteArray bytes;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Strict conversion between bytes and text: a byte sequence the encoding does not define, or a
// character it cannot represent, is an error naming the offset, never a silent substitute.
class TextCodec
{
public:
    // Files larger than this are refused rather than converted into a string Qt cannot hold.
    static constexpr qsizetype MaxInputBytes = qsizetype(1) << 30;

    // The text of bytes in a known encoding; detecting one is EncodingDetector's, and Automatic is
    // no encoding here. A byte-order mark at the start is not part of the text.
    static DecodedText decode(QByteArrayView bytes, TextEncoding::Number encoding);
    // Text for writing; UTF-8 unless another encoding is asked for.
    static EncodedText encode(QStringView text, TextEncoding::Number encoding = TextEncoding::UTF8);
    // Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
    static bool isValidUtf8(QByteArrayView bytes);
};
