#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Encoding numbers: the one way readers, writers, menus and settings name a text encoding.
//
// 0 is "automatic". The numbers below are the well-known ones that contact files' settings and
// other programs' preferences already use, so they are kept. Every other converter ICU offers gets
// OtherEncodingBase | (24-bit FNV-1a hash of its canonical ICU name): the number depends only on the
// converter's name, so it survives ICU upgrades that add or reorder converters. The rare hash
// collision moves the later converter (in ICU's order) to the next free number.
namespace TextEncoding {

using Number = quint32;

inline constexpr Number Automatic = 0;
inline constexpr Number ASCII = 1;
inline constexpr Number JapaneseEUC = 3;
inline constexpr Number UTF8 = 4;
inline constexpr Number ISOLatin1 = 5;
inline constexpr Number ShiftJIS = 8; // read and written as Windows-31J, its superset
inline constexpr Number ISOLatin2 = 9;
inline constexpr Number UTF16 = 10; // with a byte-order mark
inline constexpr Number WindowsCP1251 = 11;
inline constexpr Number WindowsCP1252 = 12;
inline constexpr Number WindowsCP1253 = 13;
inline constexpr Number WindowsCP1254 = 14;
inline constexpr Number WindowsCP1250 = 15;
inline constexpr Number ISO2022JP = 21;
inline constexpr Number MacRoman = 30;
inline constexpr Number UTF32 = 0x8c000100;
inline constexpr Number UTF16BigEndian = 0x90000100;
inline constexpr Number UTF16LittleEndian = 0x94000100;
inline constexpr Number UTF32BigEndian = 0x98000100;
inline constexpr Number UTF32LittleEndian = 0x9c000100;
inline constexpr Number OtherEncodingBase = 0x40000000;

} // namespace TextEncoding

// One text encoding ICU can convert.
struct EncodingInfo
{
    TextEncoding::Number number = TextEncoding::Automatic;
    QByteArray converterName; // ICU's canonical name, what ucnv_open takes
    QString name; // the name shown to the user and kept in the "Encodings" setting; unique
};

// The table of every converter ICU offers, in ICU's order, built once.
class TextEncodings
{
public:
    static const QList<EncodingInfo> &available();
    static const EncodingInfo *find(TextEncoding::Number number);
    static const EncodingInfo *findByName(const QString &name);
    // The encoding a charset name stands for (any alias ICU knows: "SHIFT_JIS", "cp932", "latin1").
    static std::optional<TextEncoding::Number> numberForCharset(QByteArrayView charset);
    // The encoding's name, or "" when the number is not in the table.
    static QString nameOf(TextEncoding::Number number);
};
