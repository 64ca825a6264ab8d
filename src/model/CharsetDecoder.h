#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Turns bytes in a named character set into text through ICU. Converters are opened once per name
// and thread, because opening one costs far more than converting a short value.
class CharsetDecoder
{
public:
    // The text of bytes in the given charset (any name ICU knows; Shift_JIS is read as its
    // Windows superset so that NEC and IBM extensions such as circled digits survive).
    // nullopt when the charset is unknown or the bytes cannot be converted.
    static std::optional<QString> decode(QByteArrayView bytes, QByteArrayView charset);

    // The text of well-formed UTF-8 bytes (no overlongs, surrogates or values past U+10FFFF), leading
    // byte-order marks dropped; nullopt for others.
    // A piece of a value cut at ASCII characters (a component) keeps a leading U+FEFF, which is then
    // no byte-order mark but a character.
    static std::optional<QString> decodeWellFormedUtf8(QByteArrayView bytes, bool dropByteOrderMark = true);

    // Whether the charset writes its text in 7-bit bytes, switching between character sets by escapes
    // (ISO-2022-JP and its kin, UTF-7, HZ): such text always passes for well-formed UTF-8.
    static bool isSevenBitStateful(QByteArrayView charset);

    // UTF-8 when the bytes are well-formed UTF-8, else the charset when one is given and known,
    // else ISO 8859-1 so that no byte is lost. A 7-bit stateful charset is tried before UTF-8.
    static QString decodeUtf8OrCharset(QByteArrayView bytes, QByteArrayView charset);
};
