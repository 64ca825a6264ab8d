#include "formats/TextEncodings.h"

#include <QHash>
#include <QSet>
#include <QtDebug>
#include <unicode/ucnv.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

namespace {

struct KnownEncoding
{
    const char *converter; // ICU canonical name
    Number number; // Automatic when the number comes from the name's hash
    const char *name;
};

// Names in the "Script (Variant)" form the menu and the default list rely on: the default list
// checks every encoding whose name holds "Western" or the user's language name ("Japanese").
constexpr KnownEncoding knownEncodings[] = {
    { "UTF-8", UTF8, "Unicode (UTF-8)" },
    { "UTF-16", UTF16, "Unicode (UTF-16)" },
    { "UTF-16BE", UTF16BigEndian, "Unicode (UTF-16BE)" },
    { "UTF-16LE", UTF16LittleEndian, "Unicode (UTF-16LE)" },
    { "UTF-32", UTF32, "Unicode (UTF-32)" },
    { "UTF-32BE", UTF32BigEndian, "Unicode (UTF-32BE)" },
    { "UTF-32LE", UTF32LittleEndian, "Unicode (UTF-32LE)" },
    { "UTF-7", Automatic, "Unicode (UTF-7)" },
    { "US-ASCII", ASCII, "Western (ASCII)" },
    { "ISO-8859-1", ISOLatin1, "Western (ISO Latin 1)" },
    { "ibm-923_P100-1998", Automatic, "Western (ISO Latin 9)" },
    { "ibm-913_P100-2000", Automatic, "Western (ISO Latin 3)" },
    { "ibm-5348_P100-1997", WindowsCP1252, "Western (Windows Latin 1)" },
    { "macos-0_2-10.2", MacRoman, "Western (Mac OS Roman)" },
    { "ibm-850_P100-1995", Automatic, "Western (DOS Latin 1)" },
    { "ibm-437_P100-1995", Automatic, "Latin-US (DOS)" },
    { "ibm-37_P100-1995", Automatic, "Western (EBCDIC Latin Core)" },
    { "ibm-1047_P100-1995", Automatic, "Western (EBCDIC Latin 1)" },
    { "iso-8859_14-1998", Automatic, "Celtic (ISO Latin 8)" },
    { "iso-8859_10-1998", Automatic, "Nordic (ISO Latin 6)" },
    { "ibm-912_P100-1995", ISOLatin2, "Central European (ISO Latin 2)" },
    { "ibm-914_P100-1995", Automatic, "Central European (ISO Latin 4)" },
    { "ibm-5346_P100-1998", WindowsCP1250, "Central European (Windows Latin 2)" },
    { "ibm-852_P100-1995", Automatic, "Central European (DOS Latin 2)" },
    { "macos-29-10.2", Automatic, "Central European (Mac OS)" },
    { "ibm-915_P100-1995", Automatic, "Cyrillic (ISO 8859-5)" },
    { "ibm-5347_P100-1998", WindowsCP1251, "Cyrillic (Windows)" },
    { "ibm-878_P100-1996", Automatic, "Cyrillic (KOI8-R)" },
    { "ibm-1168_P100-2002", Automatic, "Ukrainian (KOI8-U)" },
    { "ibm-866_P100-1995", Automatic, "Cyrillic (DOS)" },
    { "macos-7_3-10.2", Automatic, "Cyrillic (Mac OS)" },
    { "ibm-9005_X110-2007", Automatic, "Greek (ISO 8859-7)" },
    { "ibm-5349_P100-1998", WindowsCP1253, "Greek (Windows)" },
    { "macos-6_2-10.4", Automatic, "Greek (Mac OS)" },
    { "ibm-920_P100-1995", Automatic, "Turkish (ISO Latin 5)" },
    { "ibm-5350_P100-1998", WindowsCP1254, "Turkish (Windows Latin 5)" },
    { "macos-35-10.2", Automatic, "Turkish (Mac OS)" },
    { "ibm-5012_P100-1999", Automatic, "Hebrew (ISO 8859-8)" },
    { "ibm-9447_P100-2002", Automatic, "Hebrew (Windows)" },
    { "ibm-1089_P100-1995", Automatic, "Arabic (ISO 8859-6)" },
    { "ibm-9448_X100-2005", Automatic, "Arabic (Windows)" },
    { "ibm-921_P100-1995", Automatic, "Baltic (ISO Latin 7)" },
    { "ibm-9449_P100-2002", Automatic, "Baltic (Windows)" },
    { "ibm-5354_P100-1998", Automatic, "Vietnamese (Windows)" },
    { "windows-874-2000", Automatic, "Thai (Windows, DOS)" },
    { "iso-8859_11-2001", Automatic, "Thai (ISO 8859-11)" },
    { "ibm-874_P100-1995", Automatic, "Thai (TIS 620)" },
    { "ibm-943_P15A-2003", ShiftJIS, "Japanese (Shift JIS)" },
    { "euc-jp-2007", JapaneseEUC, "Japanese (EUC)" },
    { "ISO_2022,locale=ja,version=0", ISO2022JP, "Japanese (ISO 2022-JP)" },
    { "ISO_2022,locale=ja,version=1", Automatic, "Japanese (ISO 2022-JP-1)" },
    { "ISO_2022,locale=ja,version=2", Automatic, "Japanese (ISO 2022-JP-2)" },
    { "ibm-943_P130-1999", Automatic, "Japanese (Shift JIS, IBM)" },
    { "ibm-942_P12A-1999", Automatic, "Japanese (Shift JIS, IBM-942)" },
    { "ibm-33722_P12A_P12A-2009_U2", Automatic, "Japanese (EUC, IBM)" },
    { "ibm-954_P101-2007", Automatic, "Japanese (EUC, IBM-954)" },
    { "gb18030", Automatic, "Chinese Simplified (GB 18030)" },
    { "windows-936-2000", Automatic, "Chinese Simplified (GBK)" },
    { "ibm-1383_P110-1999", Automatic, "Chinese Simplified (GB 2312)" },
    { "HZ", Automatic, "Chinese Simplified (HZ GB 2312)" },
    { "ISO_2022,locale=zh,version=0", Automatic, "Chinese Simplified (ISO 2022-CN)" },
    { "windows-950-2000", Automatic, "Chinese Traditional (Big 5)" },
    { "ibm-1375_P100-2008", Automatic, "Chinese Traditional (Big 5 HKSCS)" },
    { "euc-tw-2014", Automatic, "Chinese Traditional (EUC)" },
    { "ibm-970_P110_P110-2006_U2", Automatic, "Korean (EUC)" },
    { "windows-949-2000", Automatic, "Korean (Windows, DOS)" },
    { "ISO_2022,locale=ko,version=0", Automatic, "Korean (ISO 2022-KR)" },
};

Number hashedNumber(QByteArrayView name)
{
    quint32 hash = 2166136261u;
    for (const char c : name) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return OtherEncodingBase | (hash & 0x00FFFFFFu);
}

// A converter without a name of ours shows its IANA name when it has one, else ICU's own.
QString plainName(const char *converter)
{
    for (const char *standard : { "IANA", "MIME" }) {
        UErrorCode status = U_ZERO_ERROR;
        const char *name = ucnv_getStandardName(converter, standard, &status);
        if (U_SUCCESS(status) && name && *name)
            return QString::fromLatin1(name);
    }
    return QString::fromLatin1(converter);
}

QList<EncodingInfo> buildTable()
{
    QHash<QByteArray, const KnownEncoding *> known;
    for (const KnownEncoding &entry : knownEncodings)
        known.insert(QByteArray(entry.converter), &entry);

    QList<EncodingInfo> table;
    QSet<Number> usedNumbers;
    // Reserve the fixed numbers first so a hashed one can never take them.
    for (const KnownEncoding &entry : knownEncodings)
        if (entry.number != Automatic)
            usedNumbers.insert(entry.number);
    QSet<QString> usedNames;

    const int32_t count = ucnv_countAvailable();
    for (int32_t i = 0; i < count; ++i) {
        const char *converter = ucnv_getAvailableName(i);
        if (!converter)
            continue;
        EncodingInfo info;
        info.converterName = QByteArray(converter);
        const KnownEncoding *entry = known.value(info.converterName);
        if (entry && entry->number != Automatic) {
            info.number = entry->number;
        } else {
            Number number = hashedNumber(info.converterName);
            while (usedNumbers.contains(number))
                number = OtherEncodingBase | ((number + 1) & 0x00FFFFFFu);
            info.number = number;
            usedNumbers.insert(number);
        }
        info.name = entry ? QString::fromUtf8(entry->name) : plainName(converter);
        if (usedNames.contains(info.name))
            info.name += u" ["_s + QString::fromLatin1(converter) + u']';
        usedNames.insert(info.name);
        table.append(info);
    }
    return table;
}

bool isPlausibleCharsetName(QByteArrayView charset)
{
    if (charset.isEmpty() || charset.size() > 64)
        return false;
    for (const char c : charset) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
            || c == '_' || c == '.' || c == ':' || c == '+' || c == ',' || c == '=';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

const QList<EncodingInfo> &TextEncodings::available()
{
    static const QList<EncodingInfo> table = buildTable();
    return table;
}

const EncodingInfo *TextEncodings::find(Number number)
{
    static const QHash<Number, qsizetype> index = [] {
        QHash<Number, qsizetype> result;
        const QList<EncodingInfo> &table = available();
        for (qsizetype i = 0; i < table.size(); ++i)
            result.insert(table.at(i).number, i);
        return result;
    }();
    const auto it = index.constFind(number);
    return it == index.cend() ? nullptr : &available().at(*it);
}

const EncodingInfo *TextEncodings::findByName(const QString &name)
{
    for (const EncodingInfo &info : available())
        if (info.name == name)
            return &info;
    return nullptr;
}

std::optional<Number> TextEncodings::numberForCharset(QByteArrayView charset)
{
    if (!isPlausibleCharsetName(charset))
        return std::nullopt;
    const QByteArray name = charset.toByteArray();
    UErrorCode status = U_ZERO_ERROR;
    UConverter *converter = ucnv_open(name.constData(), &status);
    if (U_FAILURE(status) || !converter)
        return std::nullopt;
    const char *canonical = ucnv_getName(converter, &status);
    std::optional<Number> result;
    if (U_SUCCESS(status) && canonical) {
        for (const EncodingInfo &info : available()) {
            if (info.converterName == canonical) {
                result = info.number;
                break;
            }
        }
    }
    ucnv_close(converter);
    return result;
}

QString TextEncodings::nameOf(Number number)
{
    const EncodingInfo *info = find(number);
    return info ? info->name : QString();
}
