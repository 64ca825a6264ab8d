#include "model/CharsetDecoder.h"

#include "model/CardTextArena.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>
#include <unicode/ucnv.h>
#include <unordered_map>

namespace {

// Names whose ICU default lacks the vendor extensions that phones actually write.
std::string canonicalCharsetName(QByteArrayView charset)
{
    std::string name(charset.data(), size_t(charset.size()));
    for (char &c : name)
        c = char((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
    if (name == "SHIFT_JIS" || name == "SHIFT-JIS" || name == "SJIS" || name == "X-SJIS" || name == "MS_KANJI"
        || name == "CSSHIFTJIS")
        return "windows-31j";
    return name;
}

class ConverterCache
{
public:
    ~ConverterCache() { clear(); }

    void clear()
    {
        for (auto &entry : m_converters) {
            if (entry.second)
                ucnv_close(entry.second);
        }
        m_converters.clear();
    }

    // nullptr when ICU knows no such charset; the miss is cached too.
    UConverter *converter(QByteArrayView charset)
    {
        std::string name = canonicalCharsetName(charset);
        auto it = m_converters.find(name);
        if (it != m_converters.end())
            return it->second;
        if (m_converters.size() >= 64) // a hostile file could name endless charsets
            clear();
        UErrorCode status = U_ZERO_ERROR;
        UConverter *converter = ucnv_open(name.c_str(), &status);
        if (U_FAILURE(status)) {
            if (converter)
                ucnv_close(converter);
            converter = nullptr;
        }
        m_converters.emplace(std::move(name), converter);
        return converter;
    }

private:
    std::unordered_map<std::string, UConverter *> m_converters;
};

ConverterCache &cache()
{
    thread_local ConverterCache instance;
    return instance;
}

// The open converter for a charset name; nullptr when ICU knows no such charset.
UConverter *converterFor(QByteArrayView charset)
{
    if (charset.isEmpty() || charset.size() > 64)
        return nullptr;
    return cache().converter(charset);
}

bool namesUtf8(QByteArrayView charset)
{
    return charset.compare("UTF-8", Qt::CaseInsensitive) == 0;
}

bool isSevenBitStatefulType(UConverter *converter)
{
    switch (ucnv_getType(converter)) {
    case UCNV_ISO_2022:
    case UCNV_UTF7:
    case UCNV_HZ:
    case UCNV_IMAP_MAILBOX:
        return true;
    default:
        return false;
    }
}

std::optional<QString> convert(UConverter *converter, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (bytes.size() > (1 << 28))
        return std::nullopt;
    ucnv_reset(converter);
    // No charset ICU knows expands one byte into more than two UTF-16 units.
    QString text(qsizetype(bytes.size()) * 2 + 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar *>(text.data()), int32_t(text.size()),
        bytes.data(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    text.truncate(length);
    // Byte-order marks at the start are no part of a value in any charset, as the UTF-8 reader has it
    // (ICU keeps them for UTF-8 and for a second mark in UTF-16).
    qsizetype marks = 0;
    while (marks < text.size() && text.at(marks) == QChar::ByteOrderMark)
        ++marks;
    text.remove(0, marks);
    length -= int32_t(marks);
    // Some charsets (UTF-7, UTF-16 and kin) can carry unpaired surrogates, which no UTF-8 text
    // can hold: make them replacement characters so that what is read can be written back.
    char16_t *units = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < length; ++i) {
        if (!QChar::isSurrogate(units[i]))
            continue;
        if (QChar::isHighSurrogate(units[i]) && i + 1 < length && QChar::isLowSurrogate(units[i + 1]))
            ++i;
        else
            units[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

std::optional<QString> CharsetDecoder::decode(QByteArrayView bytes, QByteArrayView charset)
{
    UConverter *converter = converterFor(charset);
    if (!converter)
        return std::nullopt;
    return convert(converter, bytes);
}

namespace {

// Strict UTF-8 in one pass: overlong forms, surrogates and code points past U+10FFFF are invalid,
// and a leading byte-order mark is no part of the text, as Qt's own decoder has it. The UTF-16 text
// is written to dst as it goes (never more units than there are bytes); returns the units
// written, or -1 at the first invalid sequence. Values are decoded one by one
// while a file is read, so this is a hot path.
qsizetype strictUtf8(QByteArrayView bytes, char16_t *dst, bool dropByteOrderMark = true)
{
    char16_t *const start = dst;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    // Every mark at the start goes: one kept as a character would be taken for the mark, and
    // dropped, when the value is written and read again.
    while (dropByteOrderMark && end - p >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        p += 3;
    while (p < end) {
        // ASCII runs are the common case: sixteen bytes at a time, then eight, each byte widened to
        // its UTF-16 unit by interleaving it with zeros.
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        while (end - p >= 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            if (_mm_movemask_epi8(chunk))
                break;
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + 8), _mm_unpackhi_epi8(chunk, zero));
            dst += 16;
            p += 16;
        }
        if (end - p >= 8) {
            const __m128i chunk = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(p));
            if (!_mm_movemask_epi8(chunk)) {
                _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), _mm_unpacklo_epi8(chunk, zero));
                dst += 8;
                p += 8;
            }
        }
#else
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ULL)
                break;
            for (int i = 0; i < 8; ++i)
                dst[i] = p[i];
            dst += 8;
            p += 8;
        }
#endif
        if (p >= end)
            break;
        unsigned char c = *p;
        if (c < 0x80) {
            *dst++ = c;
            ++p;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return -1;
        }
        if (end - p <= extra)
            return -1;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return -1;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)))
            || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return -1;
        if (cp >= 0x10000) {
            *dst++ = QChar::highSurrogate(cp);
            *dst++ = QChar::lowSurrogate(cp);
        } else {
            *dst++ = char16_t(cp);
        }
        p += extra + 1;
    }
    return dst - start;
}

// The text is given exactly the room it needs. Decoding straight into a string sized for the bytes
// left Japanese text holding three times its size for as long as the contact lived; values are
// short, so they are decoded on the stack and copied once.
bool decodeStrictUtf8(QByteArrayView bytes, QString &out, bool dropByteOrderMark = true)
{
    if (char16_t *room = CardTextArena::room(bytes.size())) {
        const qsizetype count = strictUtf8(bytes, room, dropByteOrderMark);
        if (count < 0)
            return false;
        out = CardTextArena::take(room, count);
        return true;
    }
    constexpr qsizetype OnStack = 512;
    if (bytes.size() <= OnStack) {
        char16_t units[OnStack];
        const qsizetype count = strictUtf8(bytes, units, dropByteOrderMark);
        if (count < 0)
            return false;
        out = QString(reinterpret_cast<const QChar *>(units), count);
        return true;
    }
    out = QString(bytes.size(), Qt::Uninitialized);
    const qsizetype count = strictUtf8(bytes, reinterpret_cast<char16_t *>(out.data()), dropByteOrderMark);
    if (count < 0)
        return false;
    out.truncate(count);
    if (count < bytes.size() / 2)
        out.squeeze();
    return true;
}

} // namespace

std::optional<QString> CharsetDecoder::decodeWellFormedUtf8(QByteArrayView bytes, bool dropByteOrderMark)
{
    QString text;
    if (!decodeStrictUtf8(bytes, text, dropByteOrderMark))
        return std::nullopt;
    return text;
}

bool CharsetDecoder::isSevenBitStateful(QByteArrayView charset)
{
    if (charset.isEmpty() || namesUtf8(charset))
        return false;
    UConverter *converter = converterFor(charset);
    return converter && isSevenBitStatefulType(converter);
}

QString CharsetDecoder::decodeUtf8OrCharset(QByteArrayView bytes, QByteArrayView charset)
{
    // The charset is looked up once: many files name one on every value. Text in a 7-bit charset
    // always passes for UTF-8, escapes and all, so its own charset comes first.
    UConverter *converter = charset.isEmpty() || namesUtf8(charset) ? nullptr : converterFor(charset);
    const bool sevenBit = converter && isSevenBitStatefulType(converter);
    if (sevenBit) {
        if (auto decoded = convert(converter, bytes))
            return *decoded;
    }
    QString text;
    if (decodeStrictUtf8(bytes, text))
        return text;
    if (!sevenBit) {
        if (!converter)
            converter = converterFor(charset); // UTF-8 named, and the bytes are not
        if (converter) {
            if (auto decoded = convert(converter, bytes))
                return *decoded;
        }
    }
    return QString::fromLatin1(bytes);
}
