#include "formats/EncodingDetector.h"

#include <QChar>
#include <cstring>
#include <memory>
#include <unicode/ucsdet.h>

using namespace TextEncoding;

namespace {

// The detector judges from a sample; the chosen candidate is still checked against every byte.
constexpr qsizetype DetectorSampleBytes = 256 * 1024;
constexpr qsizetype ZeroPatternSampleBytes = 8192;
constexpr qsizetype MaxCharsetNameBytes = 64;
constexpr qsizetype MaxNamedCharsets = 16;

struct DetectorCloser
{
    void operator()(UCharsetDetector *detector) const { ucsdet_close(detector); }
};

// UTF-16 without a mark: text in Latin script has a zero byte in every other position.
Number zeroBytePattern(QByteArrayView bytes)
{
    const qsizetype n = qMin(bytes.size(), ZeroPatternSampleBytes) & ~qsizetype(1);
    if (n < 4)
        return Automatic;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i < n; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const qsizetype units = n / 2;
    if (evenZeros * 10 >= units * 3 && oddZeros * 20 < units)
        return UTF16BigEndian;
    if (oddZeros * 10 >= units * 3 && evenZeros * 20 < units)
        return UTF16LittleEndian;
    return Automatic;
}

bool isCharsetNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
        || c == '.';
}

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// How much a decoded sample reads like Japanese. ICU's detector needs far more text than one
// contact holds to rank the Japanese encodings above the Western ones, so short files are judged
// here: kana count double, ideographs and full-width forms once; a private-use, control or
// unassigned character rules the reading out (std::nullopt); an ideograph or half-width kana glued
// to a Latin letter, what an accented Western letter read as a double-byte lead turns into,
// counts against it.
std::optional<int> japaneseScore(QStringView text)
{
    int score = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            continue;
        if ((c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF) || c == 0xFFFD
            || QChar::category(c) == QChar::Other_NotAssigned)
            return std::nullopt;
        const bool kana = c >= 0x3040 && c <= 0x30FF;
        const bool ideograph = c >= 0x4E00 && c <= 0x9FFF;
        const bool halfWidthKana = c >= 0xFF61 && c <= 0xFF9F;
        const bool other = (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFF5E)
            || (c >= 0x2150 && c <= 0x218F) || (c >= 0x2460 && c <= 0x24FF) || (c >= 0x3200 && c <= 0x33FF);
        score += kana ? 2 : (ideograph || other) ? 1 : 0;
        if (ideograph || halfWidthKana) {
            const bool gluedBefore = i > 0 && isAsciiLetter(text[i - 1].unicode());
            const bool gluedAfter = i + 1 < text.size() && isAsciiLetter(text[i + 1].unicode());
            if (gluedBefore || gluedAfter)
                score -= 2;
        }
    }
    return score;
}

// ISO-2022-JP is seven-bit: without this test it would pass for UTF-8 with its escapes as text.
// Escapes are rare outside it, so each one found is looked at instead of searching three times.
bool looksLikeIso2022Jp(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return false; // an empty view may have no data at all to search
    const char *at = bytes.data();
    const char *const end = at + bytes.size();
    while ((at = static_cast<const char *>(std::memchr(at, 0x1B, size_t(end - at))))) {
        if (end - at >= 3
            && ((at[1] == '$' && (at[2] == 'B' || at[2] == '@')) || (at[1] == '(' && at[2] == 'J')))
            return true;
        ++at;
    }
    return false;
}

} // namespace

std::pair<Number, qsizetype> EncodingDetector::byteOrderMark(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return { UTF8, 3 };
    if (bytes.startsWith(QByteArrayView("\x00\x00\xFE\xFF", 4)))
        return { UTF32BigEndian, 4 };
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\x00\x00", 4)))
        return { UTF32LittleEndian, 4 };
    if (bytes.startsWith("\xFE\xFF"))
        return { UTF16BigEndian, 2 };
    if (bytes.startsWith("\xFF\xFE"))
        return { UTF16LittleEndian, 2 };
    return { Automatic, 0 };
}

QList<QByteArray> EncodingDetector::namedCharsets(QByteArrayView bytes)
{
    static constexpr char key[] = ";charset=";
    constexpr qsizetype keyLength = sizeof key - 1;
    QList<QByteArray> names;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i + keyLength <= n; ++i) {
        if (bytes[i] != ';')
            continue;
        qsizetype k = 1;
        while (k < keyLength) {
            char c = bytes[i + k];
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
            if (c != key[k])
                break;
            ++k;
        }
        if (k < keyLength)
            continue;
        qsizetype start = i + keyLength;
        const bool quoted = start < n && bytes[start] == '"';
        if (quoted)
            ++start;
        qsizetype end = start;
        while (end < n && end - start <= MaxCharsetNameBytes && isCharsetNameByte(bytes[end]))
            ++end;
        // A name cut at the length bound is no charset name.
        if (end == start || end - start > MaxCharsetNameBytes)
            continue;
        // The value ends where the parameter does: at ';', ':', ',', a quote or a line end.
        const QByteArray name = bytes.sliced(start, end - start).toByteArray();
        if (!names.contains(name)) {
            names.append(name);
            if (names.size() >= MaxNamedCharsets)
                break;
        }
        i = end - 1;
    }
    return names;
}

DecodedText EncodingDetector::detectAndDecode(QByteArrayView bytes)
{
    if (bytes.size() > TextCodec::MaxInputBytes) {
        DecodedText result;
        result.error = TextCodecMessage::TooLarge;
        return result;
    }

    const auto [markEncoding, markLength] = byteOrderMark(bytes);
    if (markEncoding != Automatic)
        return TextCodec::decode(bytes.sliced(markLength), markEncoding);

    if (const Number pattern = zeroBytePattern(bytes); pattern != Automatic) {
        DecodedText result = TextCodec::decode(bytes, pattern);
        if (result.ok())
            return result;
    }

    if (looksLikeIso2022Jp(bytes)) {
        DecodedText result = TextCodec::decode(bytes, ISO2022JP);
        if (result.ok())
            return result;
    }

    const bool hasZeroByte = bytes.contains('\0');
    if (!hasZeroByte && TextCodec::isValidUtf8(bytes))
        return TextCodec::decode(bytes, UTF8);

    for (const QByteArray &charset : namedCharsets(bytes)) {
        const std::optional<Number> number = TextEncodings::numberForCharset(charset);
        if (!number || *number == UTF8)
            continue;
        DecodedText result = TextCodec::decode(bytes, *number);
        if (result.ok())
            return result;
    }

    const QByteArrayView sample = bytes.first(qMin(bytes.size(), DetectorSampleBytes));
    Number bestJapanese = Automatic;
    int bestScore = 0;
    for (const Number candidate : { ShiftJIS, JapaneseEUC }) {
        // The sample may end inside a double-byte character; judge it without its last byte then.
        DecodedText decoded = TextCodec::decode(sample, candidate);
        if (!decoded.ok() && sample.size() < bytes.size())
            decoded = TextCodec::decode(sample.chopped(1), candidate);
        if (!decoded.ok())
            continue;
        const std::optional<int> score = japaneseScore(decoded.text);
        if (score && *score > bestScore) {
            bestScore = *score;
            bestJapanese = candidate;
        }
    }
    if (bestJapanese != Automatic) {
        DecodedText result = TextCodec::decode(bytes, bestJapanese);
        if (result.ok())
            return result;
    }

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&status));
    if (U_SUCCESS(status)) {
        ucsdet_setText(detector.get(), sample.data(), int32_t(sample.size()), &status);
        int32_t count = 0;
        const UCharsetMatch **matches = ucsdet_detectAll(detector.get(), &count, &status);
        QList<Number> tried;
        for (int32_t i = 0; U_SUCCESS(status) && matches && i < count; ++i) {
            UErrorCode nameStatus = U_ZERO_ERROR;
            const char *name = ucsdet_getName(matches[i], &nameStatus);
            if (U_FAILURE(nameStatus) || !name)
                continue;
            const std::optional<Number> number = TextEncodings::numberForCharset(name);
            if (!number || tried.contains(*number))
                continue;
            tried.append(*number);
            DecodedText result = TextCodec::decode(bytes, *number);
            if (result.ok())
                return result;
        }
    }

    DecodedText result;
    result.error = TextCodecMessage::Undetermined;
    return result;
}

qsizetype EncodingDetector::utf8TextStart(QByteArrayView bytes)
{
    // The same decisions as detectAndDecode, in its order, for the cases that end in UTF-8.
    const auto [markEncoding, markLength] = byteOrderMark(bytes);
    if (markEncoding == UTF8)
        return TextCodec::isValidUtf8(bytes.sliced(markLength)) ? markLength : -1;
    if (markEncoding != Automatic || looksLikeIso2022Jp(bytes) || bytes.contains('\0'))
        return -1;
    return TextCodec::isValidUtf8(bytes) ? 0 : -1;
}

DecodedText EncodingDetector::decode(QByteArrayView bytes, Number encoding)
{
    return encoding == Automatic ? detectAndDecode(bytes) : TextCodec::decode(bytes, encoding);
}
