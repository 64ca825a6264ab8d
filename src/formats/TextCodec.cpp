#include "formats/TextCodec.h"

#include <memory>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

using namespace Qt::StringLiterals;
using namespace TextEncoding;

namespace {

struct ConverterCloser
{
    void operator()(UConverter *converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

constexpr int32_t ChunkUnits = 1 << 16;

// Offset of the first byte that breaks UTF-8, or -1 when the bytes are well-formed.
qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // overlong
            else if (c == 0xED)
                high = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90; // overlong
            else if (c == 0xF4)
                high = 0x8F; // past U+10FFFF
        } else {
            return i;
        }
        if (i + length > n)
            return i;
        if (p[i + 1] < low || p[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return i;
        i += length;
    }
    return -1;
}

bool isUnicodeEncoding(Number encoding)
{
    switch (encoding) {
    case UTF8:
    case UTF16:
    case UTF16BigEndian:
    case UTF16LittleEndian:
    case UTF32:
    case UTF32BigEndian:
    case UTF32LittleEndian:
        return true;
    default:
        return false;
    }
}

ConverterPtr openConverter(const EncodingInfo &info)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(info.converterName.constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return nullptr;
    return converter;
}

DecodedText failure(const QString &error, Number encoding = Automatic)
{
    DecodedText result;
    result.encoding = encoding;
    result.error = error;
    return result;
}

DecodedText decodeWithIcu(QByteArrayView bytes, const EncodingInfo &info)
{
    ConverterPtr converter = openConverter(info);
    if (!converter)
        return failure(TextCodecMessage::UnknownEncoding.arg(info.name), info.number);

    QString text;
    text.reserve(qMin<qsizetype>(bytes.size() + 1, ChunkUnits * 16));
    const char *source = bytes.data();
    const char *sourceEnd = source + bytes.size();
    std::unique_ptr<UChar[]> buffer(new UChar[ChunkUnits]);
    for (;;) {
        UChar *target = buffer.get();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(
            converter.get(), &target, buffer.get() + ChunkUnits, &source, sourceEnd, nullptr, true, &status);
        text.append(reinterpret_cast<const QChar *>(buffer.get()), target - buffer.get());
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(status)) {
            char invalid[32];
            int8_t invalidLength = sizeof invalid;
            UErrorCode ignored = U_ZERO_ERROR;
            ucnv_getInvalidChars(converter.get(), invalid, &invalidLength, &ignored);
            const qsizetype offset = (source - bytes.data()) - (U_SUCCESS(ignored) ? invalidLength : 0);
            return failure(
                TextCodecMessage::InvalidBytes.arg(info.name).arg(qMax<qsizetype>(offset, 0)), info.number);
        }
        break;
    }
    DecodedText result;
    result.text = std::move(text);
    result.encoding = info.number;
    return result;
}

} // namespace

bool TextCodec::isValidUtf8(QByteArrayView bytes)
{
    return firstInvalidUtf8(bytes) < 0;
}

DecodedText TextCodec::decode(QByteArrayView bytes, Number encoding)
{
    if (bytes.size() > MaxInputBytes)
        return failure(TextCodecMessage::TooLarge, encoding);
    const EncodingInfo *info = TextEncodings::find(encoding);
    if (!info)
        return failure(TextCodecMessage::UnknownEncoding.arg(encoding), encoding);

    DecodedText result;
    if (encoding == UTF8) {
        const qsizetype invalid = firstInvalidUtf8(bytes);
        if (invalid >= 0)
            return failure(TextCodecMessage::InvalidBytes.arg(info->name).arg(invalid), encoding);
        result.text = QString::fromUtf8(bytes);
        result.encoding = UTF8;
    } else {
        result = decodeWithIcu(bytes, *info);
    }
    if (result.ok() && isUnicodeEncoding(encoding) && result.text.startsWith(QChar(0xFEFF)))
        result.text.remove(0, 1);
    return result;
}

EncodedText TextCodec::encode(QStringView text, Number encoding)
{
    EncodedText result;
    const EncodingInfo *info = TextEncodings::find(encoding);
    if (!info) {
        result.error = TextCodecMessage::UnknownEncoding.arg(encoding);
        return result;
    }
    ConverterPtr converter = openConverter(*info);
    if (!converter) {
        result.error = TextCodecMessage::UnknownEncoding.arg(info->name);
        return result;
    }
    const UChar *source = reinterpret_cast<const UChar *>(text.utf16());
    const UChar *sourceEnd = source + text.size();
    const UChar *const sourceBegin = source;
    std::unique_ptr<char[]> buffer(new char[ChunkUnits]);
    result.bytes.reserve(text.size() + 16);
    for (;;) {
        char *target = buffer.get();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(
            converter.get(), &target, buffer.get() + ChunkUnits, &source, sourceEnd, nullptr, true, &status);
        result.bytes.append(buffer.get(), target - buffer.get());
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(status)) {
            UChar invalid[4];
            int8_t invalidLength = 4;
            UErrorCode ignored = U_ZERO_ERROR;
            ucnv_getInvalidUChars(converter.get(), invalid, &invalidLength, &ignored);
            const qsizetype position = (source - sourceBegin) - (U_SUCCESS(ignored) ? invalidLength : 0);
            result.bytes.clear();
            result.error
                = TextCodecMessage::Unrepresentable.arg(info->name).arg(qMax<qsizetype>(position, 0));
            return result;
        }
        break;
    }
    return result;
}
