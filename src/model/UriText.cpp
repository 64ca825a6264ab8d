#include "model/UriText.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {

int hexValue(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool needsEncoding(char16_t c)
{
    if (c <= 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case '%':
    case '"':
    case '<':
    case '>':
    case '\\':
    case '^':
    case '`':
    case '{':
    case '|':
    case '}':
        return true;
    default:
        return false;
    }
}

} // namespace

namespace UriText {

QString percentDecoded(QStringView text)
{
    if (!text.contains(u'%'))
        return text.toString();
    QByteArray bytes;
    bytes.reserve(text.size());
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '%' && i + 2 < utf8.size() && hexValue(uchar(utf8[i + 1])) >= 0
            && hexValue(uchar(utf8[i + 2])) >= 0) {
            bytes += char(hexValue(uchar(utf8[i + 1])) * 16 + hexValue(uchar(utf8[i + 2])));
            i += 2;
        } else {
            bytes += c;
        }
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return text.toString();
    return decoded;
}

QString percentEncoded(QStringView text)
{
    QString out;
    out.reserve(text.size());
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (!needsEncoding(c)) {
            out += ch;
            continue;
        }
        out += u'%';
        out += QLatin1Char(hex[c >> 4]);
        out += QLatin1Char(hex[c & 0xF]);
    }
    return out;
}

} // namespace UriText
