#pragma once

#include "formats/TextCodec.h"
#include "formats/TextEncodings.h"

#include <QByteArrayView>
#include <QList>
#include <utility>

// Decides the encoding of a contact file whose encoding the user left on "Automatic":
// a byte-order mark decides; text whose zero bytes fall on every other byte is UTF-16; seven-bit
// text with JIS escapes is ISO-2022-JP; valid UTF-8 is UTF-8; a vCard whose properties name a
// CHARSET is read in that charset when the whole file fits it; text that reads as Japanese in
// Shift_JIS or EUC-JP is read so (ICU's detector misjudges the short texts contact files are);
// otherwise ICU's charset detector ranks candidates and the first that reads the whole file wins.
// Shift_JIS is always read as its Windows superset, so ①, ㈱ and Ⅰ survive.
class EncodingDetector
{
public:
    // Detects and reads in one pass over the candidates (each candidate is tried by reading it).
    static DecodedText detectAndDecode(QByteArrayView bytes);
    // The text in the encoding the user chose: TextEncoding::Automatic detects, any other decodes.
    static DecodedText decode(QByteArrayView bytes, TextEncoding::Number encoding);

    // Where the text starts when detectAndDecode would read the bytes as UTF-8 (past a byte-order
    // mark), -1 otherwise: readers of UTF-8 then take the bytes as they are, without a string.
    static qsizetype utf8TextStart(QByteArrayView bytes);
    // The encoding a byte-order mark at the start names, and the mark's length.
    static std::pair<TextEncoding::Number, qsizetype> byteOrderMark(QByteArrayView bytes);
    // The charsets the vCard properties name ("N;CHARSET=SHIFT_JIS:..."), first seen first.
    static QList<QByteArray> namedCharsets(QByteArrayView bytes);
};
