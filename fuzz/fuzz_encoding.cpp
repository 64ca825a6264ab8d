// Detection and strict decoding of arbitrary bytes: every input gives text or an error, and text
// that came out of a decoding must encode back in the same encoding. A vCard file's text is UTF-8 or
// an error, and unfolding leaves no fold behind.
#include "formats/EncodingDetector.h"
#include "formats/TextCodec.h"
#include "formats/VCardFileText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace TextEncoding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const DecodedText detected = EncodingDetector::detectAndDecode(bytes);
    if (detected.ok() == !detected.error.isEmpty())
        std::abort();
    EncodingDetector::namedCharsets(bytes);

    const QByteArray owned = bytes.toByteArray();
    const VCardFileText file = VCardFileText::fromBytes(owned, Automatic);
    if (file.ok() == !file.error.isEmpty() || (file.ok() && !TextCodec::isValidUtf8(file.utf8)))
        std::abort();
    const QByteArray unfolded = VCardFileText::unfolded(owned);
    for (qsizetype i = 0; i + 1 < unfolded.size(); ++i) {
        const bool lineEnd = unfolded[i] == '\r' || unfolded[i] == '\n';
        if (lineEnd && (unfolded[i + 1] == ' ' || unfolded[i + 1] == '\t'))
            std::abort();
    }

    // The first byte picks a forced encoding, the rest is decoded in it.
    if (size > 0) {
        static const Number forced[] = { UTF8, ShiftJIS, JapaneseEUC, ISO2022JP, ISOLatin1, WindowsCP1252,
            UTF16BigEndian, UTF16LittleEndian, UTF32, ASCII };
        const Number encoding = forced[data[0] % (sizeof forced / sizeof forced[0])];
        const VCardFileText chosen = VCardFileText::fromBytes(owned.sliced(1), encoding);
        if (chosen.ok() && !TextCodec::isValidUtf8(chosen.utf8))
            std::abort();
        const DecodedText decoded = TextCodec::decode(bytes.sliced(1), encoding);
        if (decoded.ok()) {
            const EncodedText back = TextCodec::encode(decoded.text, encoding);
            if (!back.ok() && encoding != ISO2022JP)
                std::abort();
        }
    }
    return 0;
}
