#include "formats/VCardFileText.h"

#include "formats/EncodingDetector.h"
#include "formats/TextCodec.h"

using namespace TextEncoding;

namespace {

constexpr QByteArrayView Utf8Mark = "\xEF\xBB\xBF";

bool isFoldSpace(char c)
{
    return c == ' ' || c == '\t';
}

// Whether the encoding writes line breaks, spaces and tabs as ASCII does, so that folds can be
// found in its bytes (not so in UTF-16 or UTF-32, nor in EBCDIC).
bool writesAsciiBreaks(Number encoding)
{
    static constexpr char16_t Probe[] = u"\r\n \t";
    const EncodedText encoded = TextCodec::encode(QStringView(Probe), encoding);
    return encoded.ok() && encoded.bytes == "\r\n \t";
}

VCardFileText failed(const QString &error, Number encoding)
{
    VCardFileText result;
    result.error = error;
    result.encoding = encoding;
    return result;
}

VCardFileText fromDecoded(DecodedText &&decoded)
{
    if (!decoded.ok())
        return failed(decoded.error, decoded.encoding);
    VCardFileText result;
    result.utf8 = decoded.text.toUtf8();
    result.encoding = decoded.encoding;
    return result;
}

VCardFileText fromUtf8(QByteArray &&utf8)
{
    VCardFileText result;
    // Decoding drops a byte-order mark at the start of the text; so does the card reader's input.
    if (utf8.startsWith(Utf8Mark))
        utf8 = utf8.sliced(Utf8Mark.size());
    result.utf8 = std::move(utf8);
    result.encoding = UTF8;
    return result;
}

VCardFileText readExplicitUtf8(const QByteArray &bytes)
{
    const QByteArray body = bytes.startsWith(Utf8Mark) ? bytes.sliced(Utf8Mark.size()) : bytes;
    if (TextCodec::isValidUtf8(body))
        return fromUtf8(QByteArray(body));
    QByteArray unfolded = VCardFileText::unfolded(body);
    if (unfolded.constData() != body.constData() && TextCodec::isValidUtf8(unfolded))
        return fromUtf8(std::move(unfolded));
    // The offset named is that of the file as it lies.
    return fromDecoded(TextCodec::decode(body, UTF8));
}

VCardFileText readExplicit(const QByteArray &bytes, Number encoding)
{
    DecodedText decoded = TextCodec::decode(bytes, encoding);
    if (!decoded.ok() && writesAsciiBreaks(encoding)) {
        const QByteArray unfolded = VCardFileText::unfolded(bytes);
        if (unfolded.constData() != bytes.constData()) {
            DecodedText again = TextCodec::decode(unfolded, encoding);
            if (again.ok())
                decoded = std::move(again);
        }
    }
    return fromDecoded(std::move(decoded));
}

VCardFileText readDetected(const QByteArray &bytes)
{
    if (const qsizetype start = EncodingDetector::utf8TextStart(bytes); start >= 0)
        return fromUtf8(start == 0 ? QByteArray(bytes) : bytes.sliced(start));
    // A mark of UTF-8 says what the text is, cut characters or not.
    const Number mark = EncodingDetector::byteOrderMark(bytes).first;
    if (mark == UTF8)
        return readExplicitUtf8(bytes);
    // Text with zero bytes or a mark of UTF-16 or UTF-32: its folds are not to be found in bytes.
    if (mark != Automatic || bytes.contains('\0'))
        return fromDecoded(EncodingDetector::detectAndDecode(bytes));
    QByteArray unfolded = VCardFileText::unfolded(bytes);
    if (unfolded.constData() == bytes.constData())
        return fromDecoded(EncodingDetector::detectAndDecode(bytes));
    if (const qsizetype start = EncodingDetector::utf8TextStart(unfolded); start >= 0)
        return fromUtf8(unfolded.sliced(start));
    DecodedText decoded = EncodingDetector::detectAndDecode(unfolded);
    if (decoded.ok()) {
        // Read as it lies when the encoding found reads it so: the reader's line numbers then are
        // the file's.
        DecodedText asItLies = TextCodec::decode(bytes, decoded.encoding);
        if (asItLies.ok())
            decoded = std::move(asItLies);
    }
    return fromDecoded(std::move(decoded));
}

} // namespace

VCardFileText VCardFileText::fromBytes(const QByteArray &bytes, Number encoding)
{
    if (bytes.size() > TextCodec::MaxInputBytes)
        return failed(TextCodecMessage::TooLarge, encoding);
    switch (encoding) {
    case Automatic:
        return readDetected(bytes);
    case UTF8:
        return readExplicitUtf8(bytes);
    default:
        return readExplicit(bytes, encoding);
    }
}

QByteArray VCardFileText::unfolded(const QByteArray &bytes)
{
    const char *const begin = bytes.constData();
    const char *const end = begin + bytes.size();
    // The end of the line break at p, which holds CR or LF.
    const auto breakEnd = [end](const char *p) {
        const char *q = p;
        while (q < end && *q == '\r')
            ++q;
        return q < end && *q == '\n' ? q + 1 : p + 1;
    };
    QByteArray out;
    bool folded = false;
    const char *copied = begin; // the bytes before this one are in out already
    const char *p = begin;
    while (p < end) {
        const char *lineBreak = p;
        while (lineBreak < end && *lineBreak != '\n' && *lineBreak != '\r')
            ++lineBreak;
        if (lineBreak == end)
            break;
        p = breakEnd(lineBreak);
        // Empty lines between a line and its continuation go with the fold, as the card reader
        // takes doubled line ends.
        const char *next = p;
        while (next < end && (*next == '\n' || *next == '\r'))
            next = breakEnd(next);
        if (next < end && isFoldSpace(*next)) {
            if (!folded) {
                out.reserve(bytes.size());
                folded = true;
            }
            out.append(copied, lineBreak - copied);
            copied = next + 1;
            p = copied;
        }
    }
    if (!folded)
        return bytes;
    out.append(copied, end - copied);
    return out;
}
