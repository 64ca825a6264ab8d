#include "model/VCardLineReader.h"

#include "model/CharsetDecoder.h"
#include "model/VCardHeaderScan.h"

#include <QCoreApplication>
#include <QVarLengthArray>
#include <cctype>
#include <cstring>
#include <functional>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::StringLiterals;

namespace {

bool equalsIgnoringCase(QByteArrayView a, QByteArrayView b)
{
    return VCardLineReader::equalsIgnoringCase(a, b);
}

// What a backslash followed by next stands for (\n \N \\ \, \; \: and \", which one web address
// book writes for a quotation mark); 0 when it is no escape and the backslash stays.
constexpr char16_t unescapedCharacter(char16_t next)
{
    switch (next) {
    case 'n':
    case 'N':
        return '\n';
    case '\\':
    case ',':
    case ';':
    case ':':
    case '"':
        return next;
    default:
        return 0;
    }
}

bool isBase64Line(QByteArrayView line)
{
    for (char c : line) {
        bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+'
            || c == '/' || c == '=' || c == ' ' || c == '\t';
        if (!ok)
            return false;
    }
    return true;
}

// The first CR or LF from p on, or end. Lines are short: one inline scan for both, sixteen bytes at
// a time, costs less than a search call for each.
inline const char *firstLineBreak(const char *p, const char *end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int found
            = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (found)
            return p + __builtin_ctz(unsigned(found));
        p += 16;
    }
#endif
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

bool isBlank(QByteArrayView line)
{
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\v' && c != '\f' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

// Odd number of trailing backslashes: the line break itself is escaped.
bool endsWithEscape(QByteArrayView text)
{
    qsizetype n = 0;
    while (n < text.size() && text[text.size() - 1 - n] == '\\')
        ++n;
    return n % 2 == 1;
}

bool isVCardMarker(QByteArrayView value)
{
    // Some phones end a card with "END:VCARD." and the like.
    value = value.trimmed();
    return value.size() >= 5 && equalsIgnoringCase(value.first(5), "VCARD")
        && (value.size() == 5 || !std::isalnum(uchar(value[5])));
}

bool isEndLine(QByteArrayView line)
{
    line = line.trimmed();
    return line.size() >= 9 && equalsIgnoringCase(line.first(4), "END:") && isVCardMarker(line.sliced(4));
}

// Splits one unfolded line into group, name, parameters and value, setting every field of the
// property but its line. False when it has no colon or no name.
bool parseProperty(QByteArrayView line, VCardProperty &property)
{
    const char *begin = line.data();
    const char *end = begin + line.size();
    const char *p = begin;
    while (p < end && *p != ';' && *p != ':')
        ++p;
    if (p == end)
        return false;
    QByteArrayView fullName(begin, p - begin);
    fullName = VCardLineReader::trimmedBytes(fullName);
    qsizetype dot = fullName.size() - 1;
    while (dot >= 0 && fullName[dot] != '.')
        --dot;
    if (dot >= 0) {
        property.group = fullName.first(dot);
        property.name = fullName.sliced(dot + 1);
    } else {
        property.group = {};
        property.name = fullName;
    }
    if (property.name.isEmpty())
        return false;
    const char *colon = p;
    if (*p == ';') {
        bool quoted = false;
        const char *q = p + 1;
        for (; q < end; ++q) {
            if (*q == '"')
                quoted = !quoted;
            else if (!quoted && *q == ':')
                break;
        }
        if (q == end) {
            // An unbalanced quote: take the first colon after all.
            q = static_cast<const char *>(memchr(p, ':', size_t(end - p)));
            if (!q)
                return false;
        }
        property.parameters = QByteArrayView(p + 1, q - p - 1);
        colon = q;
    } else {
        property.parameters = {};
    }
    property.rawValue = QByteArrayView(colon + 1, end - colon - 1);
    property.encoding = VCardProperty::Encoding::None;
    property.charset = {};
    if (!property.parameters.isEmpty()) {
        VCardLineReader::forEachParameter(
            property.parameters, [&](QByteArrayView name, QByteArrayView value) {
                if (equalsIgnoringCase(name, "CHARSET")) {
                    property.charset = value;
                } else if (const VCardProperty::Encoding named
                           = VCardHeaderScan::encodingNamedBy(property.parameters, name, value);
                           named != VCardProperty::Encoding::None) {
                    property.encoding = named;
                }
                return true;
            });
    }
    return true;
}

class CardCutter
{
public:
    CardCutter(
        QByteArrayView data, const std::function<void(const VCardCard &)> &onCard, QList<VCardCard> &stack)
        : m_data(data)
        , m_onCard(onCard)
        , m_stack(stack)
    {
    }

    int run(QString *error)
    {
        const char *p = m_data.data();
        const char *end = p + m_data.size();
        int lineNumber = 0;
        // A line ends at LF, at a lone CR, or at CRs followed by LF: some phones end every line with
        // CR CR LF, which must not leave an empty line between a property and its continuation.
        while (p < end) {
            const char *lineStart = p;
            const char *lineEnd = firstLineBreak(p, end);
            p = lineEnd;
            if (p < end) {
                const char *q = p;
                while (q < end && *q == '\r')
                    ++q;
                p = (q < end && *q == '\n') ? q + 1 : p + 1;
            }
            ++lineNumber;
            physicalLine(QByteArrayView(lineStart, lineEnd - lineStart), lineNumber);
        }
        finishPending();
        // Cards still open at the end are reported, innermost first, like cards that end.
        while (m_depth > 0) {
            VCardCard &card = m_stack[m_depth - 1];
            if (card.error.isEmpty())
                card.error = QCoreApplication::translate(
                    "VCardReader", "the card that begins on line %1 has no END:VCARD")
                                 .arg(card.firstLine);
            endCard();
        }
        if (m_emitted == 0 && error)
            *error = m_sawAnyText ? QCoreApplication::translate("VCardReader", "no BEGIN:VCARD")
                                  : QCoreApplication::translate("VCardReader", "no vCard data");
        return m_emitted;
    }

private:
    VCardCard *currentCard() { return m_depth == 0 ? nullptr : &m_stack[m_depth - 1]; }

    void physicalLine(QByteArrayView line, int lineNumber)
    {
        if (m_hasPending) {
            const bool softBreak = m_header.encoding() == VCardProperty::Encoding::QuotedPrintable
                && !m_blankAfterPending && pendingText().endsWith('=');
            // After a quoted-printable soft break the next line goes on as it is, a space at its
            // start included ("come=" and " to" give "come to").
            if (softBreak && !isEndLine(line)) {
                chopPending(1);
                appendToPending(line);
                return;
            }
            if (!line.isEmpty() && (line.front() == ' ' || line.front() == '\t')) {
                appendToPending(line.sliced(1));
                m_blankAfterPending = false;
                return;
            }
            if (!m_blankAfterPending) {
                if (m_header.encoding() == VCardProperty::Encoding::Base64 && !line.isEmpty()
                    && isBase64Line(line)) {
                    appendToPending(line);
                    return;
                }
                VCardCard *card = currentCard();
                if (card && card->isVersion21() && !line.isEmpty() && line.indexOf(':') < 0
                    && endsWithEscape(pendingText())) {
                    // A 2.1 value continued after an escaped line break.
                    appendToPending("n");
                    appendToPending(line);
                    return;
                }
                if (line.isEmpty()) {
                    // Line ends doubled on the way (LF LF, CR CR): an empty line does not end the
                    // property before its continuation lines, which are never dropped.
                    m_blankAfterPending = true;
                    return;
                }
            }
            finishPending();
        }
        if (isBlank(line))
            return;
        m_sawAnyText = true;
        m_hasPending = true;
        m_pendingLine = lineNumber;
        m_pendingView = line;
        m_pendingBuffer.clear();
        m_pendingJoined = false;
        m_pendingTooLong = false;
        m_blankAfterPending = false;
        m_header.start(line);
    }

    QByteArrayView pendingText() const
    {
        return m_pendingJoined ? QByteArrayView(m_pendingBuffer) : m_pendingView;
    }

    void appendToPending(QByteArrayView more)
    {
        if (m_pendingTooLong)
            return;
        if (!m_pendingJoined) {
            m_pendingBuffer = m_pendingView.toByteArray();
            m_pendingJoined = true;
        }
        if (m_pendingBuffer.size() + more.size() > VCardLineReader::MaxLogicalLineLength) {
            m_pendingTooLong = true;
            return;
        }
        m_pendingBuffer.append(more);
        if (!m_header.isComplete())
            m_header.scan(m_pendingBuffer);
    }

    void chopPending(qsizetype n)
    {
        if (!m_pendingJoined) {
            m_pendingView.chop(n);
        } else {
            m_pendingBuffer.chop(n);
        }
        m_header.truncate(pendingText().size());
    }

    void finishPending()
    {
        if (!m_hasPending)
            return;
        m_hasPending = false;
        VCardCard *card = currentCard();
        if (m_pendingTooLong) {
            if (card && card->error.isEmpty())
                card->error
                    = QCoreApplication::translate("VCardReader", "line %1: a property longer than %2 bytes")
                          .arg(m_pendingLine)
                          .arg(VCardLineReader::MaxLogicalLineLength);
            return;
        }
        // One property object serves every line: parseProperty sets each of its fields, and zeroing a
        // fresh one for every line of a file showed in profiles.
        VCardProperty &property = m_property;
        QByteArrayView text = pendingText();
        if (!parseProperty(text, property))
            return; // a stray line, such as a comment some phones write: nothing to read in it
        property.line = m_pendingLine;
        if (property.group.isEmpty() && property.parameters.isEmpty()) {
            if (equalsIgnoringCase(property.name, "BEGIN") && isVCardMarker(property.rawValue)) {
                beginCard(m_pendingLine);
                return;
            }
            if (equalsIgnoringCase(property.name, "END") && isVCardMarker(property.rawValue)) {
                if (m_depth > 0)
                    endCard();
                return;
            }
        }
        if (!card || !card->error.isEmpty())
            return;
        if (card->properties.size() >= VCardLineReader::MaxPropertiesPerCard) {
            card->error = QCoreApplication::translate("VCardReader", "more than %1 properties in one card")
                              .arg(VCardLineReader::MaxPropertiesPerCard);
            return;
        }
        if (m_pendingJoined) {
            // Keep the joined bytes alive with the card; the views already point into them.
            card->storage.append(std::move(m_pendingBuffer));
            m_pendingBuffer = QByteArray();
        }
        if (card->version.isEmpty() && property.group.isEmpty()
            && equalsIgnoringCase(property.name, "VERSION"))
            card->version = property.rawValue.trimmed();
        card->properties.append(property);
    }

    void beginCard(int lineNumber)
    {
        if (m_depth >= VCardLineReader::MaxNesting) {
            if (VCardCard *card = currentCard(); card && card->error.isEmpty())
                card->error = QCoreApplication::translate("VCardReader", "line %1: cards nested too deeply")
                                  .arg(lineNumber);
            return;
        }
        // Card objects are reused from card to card so that their lists keep their capacity.
        if (m_depth == m_stack.size())
            m_stack.append(VCardCard());
        VCardCard &card = m_stack[m_depth++];
        card.properties.clear();
        card.storage.clear();
        card.version = {};
        card.error.clear();
        card.firstLine = lineNumber;
    }

    void endCard()
    {
        VCardCard &card = m_stack[--m_depth];
        ++m_emitted;
        m_onCard(card);
    }

    QByteArrayView m_data;
    const std::function<void(const VCardCard &)> &m_onCard;
    QList<VCardCard> &m_stack; // the cards begun and not yet ended, innermost last, up to m_depth
    qsizetype m_depth = 0;
    int m_emitted = 0;
    bool m_sawAnyText = false;

    bool m_hasPending = false;
    bool m_pendingJoined = false;
    bool m_pendingTooLong = false;
    bool m_blankAfterPending = false; // an empty line came after the pending property
    int m_pendingLine = 0;
    QByteArrayView m_pendingView;
    QByteArray m_pendingBuffer;
    VCardHeaderScan m_header; // where the pending property's header ends, and its encoding
    VCardProperty m_property;
};

} // namespace

bool VCardProperty::groupIs(QByteArrayView otherGroup) const
{
    return equalsIgnoringCase(group, otherGroup);
}

bool VCardProperty::hasParameterValue(QByteArrayView parameterName, QByteArrayView value) const
{
    bool found = false;
    VCardLineReader::forEachParameter(parameters, [&](QByteArrayView n, QByteArrayView v) {
        if (equalsIgnoringCase(v, value) && equalsIgnoringCase(n, parameterName))
            found = true;
        return !found;
    });
    return found;
}

QByteArrayView VCardProperty::parameter(QByteArrayView parameterName) const
{
    QByteArrayView result;
    VCardLineReader::forEachParameter(parameters, [&](QByteArrayView n, QByteArrayView v) {
        if (equalsIgnoringCase(n, parameterName)) {
            result = v;
            return false;
        }
        return true;
    });
    return result;
}

bool VCardProperty::hasParameter(QByteArrayView parameterName) const
{
    bool found = false;
    VCardLineReader::forEachParameter(parameters, [&](QByteArrayView n, QByteArrayView) {
        found = equalsIgnoringCase(n, parameterName);
        return !found;
    });
    return found;
}

int VCardLineReader::readCards(
    QByteArrayView data, const std::function<void(const VCardCard &)> &onCard, QString *error)
{
    // A file is read one card at a time, each through a call of its own: the card objects and their
    // property lists are kept from call to call on each thread, since growing them anew for every
    // card made allocations large enough to have the allocator sort its free lists each time.
    thread_local QList<VCardCard> kept;
    thread_local bool keptInUse = false;
    QList<VCardCard> own;
    const bool useKept = !keptInUse; // a reader called from inside onCard gets cards of its own
    QList<VCardCard> &stack = useKept ? kept : own;
    keptInUse = true;
    const int cards = CardCutter(data, onCard, stack).run(error);
    if (useKept) {
        keptInUse = false;
        for (VCardCard &card : kept) {
            // Nothing read may outlive the call; a huge card's room is not kept either.
            card.storage.clear();
            if (card.properties.capacity() > 1024)
                card.properties = QList<VCardProperty>();
            else
                card.properties.clear();
        }
    }
    return cards;
}

QByteArray VCardLineReader::decodeQuotedPrintable(QByteArrayView bytes)
{
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '=' && i + 2 < bytes.size() && hex(bytes[i + 1]) >= 0 && hex(bytes[i + 2]) >= 0) {
            out.append(char(hex(bytes[i + 1]) * 16 + hex(bytes[i + 2])));
            i += 2;
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray VCardLineReader::decodeBase64(QByteArrayView bytes)
{
    QByteArray compact;
    compact.reserve(bytes.size());
    for (char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            compact.append(c);
    }
    return QByteArray::fromBase64(compact);
}

QByteArray VCardLineReader::decodedBytes(const VCardProperty &property)
{
    switch (property.encoding) {
    case VCardProperty::Encoding::QuotedPrintable:
        return decodeQuotedPrintable(property.rawValue);
    case VCardProperty::Encoding::Base64:
        return decodeBase64(property.rawValue);
    case VCardProperty::Encoding::None:
        break;
    }
    return property.rawValue.toByteArray();
}

QString VCardLineReader::decodedText(const VCardProperty &property)
{
    if (property.encoding == VCardProperty::Encoding::None) {
        QString text = CharsetDecoder::decodeUtf8OrCharset(property.rawValue, property.charset);
        // A line holds no line break, but a charset may spell one in other bytes (UTF-7's "+AA0-"):
        // the contact holds LF only, or the value would change when written and read again.
        if (!property.charset.isEmpty() && text.contains(u'\r')) {
            text.replace(u"\r\n"_s, u"\n"_s);
            text.replace(u'\r', u'\n');
        }
        return text;
    }
    QByteArray bytes = decodedBytes(property);
    QString text;
    if (!property.charset.isEmpty() && !equalsIgnoringCase(property.charset, "UTF-8")) {
        if (auto decoded = CharsetDecoder::decode(bytes, property.charset))
            text = *decoded;
        else
            text = CharsetDecoder::decodeUtf8OrCharset(bytes, {});
    } else {
        text = CharsetDecoder::decodeUtf8OrCharset(bytes, {});
    }
    // Encoded values carry their own line breaks, usually CR LF; the contact holds LF only.
    if (text.contains(u'\r')) {
        text.replace(u"\r\n"_s, u"\n"_s);
        text.replace(u'\r', u'\n');
    }
    return text;
}

QString VCardLineReader::unescape(QString text)
{
    // Most values have no escape at all; a plain loop finds that sooner than a search call would.
    qsizetype slash = 0;
    const QChar *units = text.constData();
    while (slash < text.size() && units[slash] != u'\\')
        ++slash;
    if (slash == text.size())
        return text;
    QString out;
    out.reserve(text.size());
    out.append(QStringView(text).first(slash));
    for (qsizetype i = slash; i < text.size(); ++i) {
        QChar c = units[i];
        if (c != u'\\' || i + 1 == text.size()) {
            out.append(c);
            continue;
        }
        if (const char16_t unescaped = unescapedCharacter(units[i + 1].unicode())) {
            out.append(QChar(unescaped));
            ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

int VCardLineReader::splitComponents(QStringView text, QChar separator, QString *out, int maxComponents)
{
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size() && count + 1 < maxComponents; ++i) {
        QChar c = text[i];
        if (c == u'\\') {
            ++i;
        } else if (c == separator) {
            out[count++] = unescape(text.sliced(start, i - start).toString());
            start = i + 1;
        }
    }
    out[count++] = unescape(text.sliced(start).toString());
    return count;
}

namespace {

using UnescapedBytes = QVarLengthArray<char, 256>;

// The bytes of a value or part as unescape() would leave its text; escapes are ASCII, so undoing
// them in UTF-8 bytes gives the same text.
void unescapeInto(QByteArrayView part, UnescapedBytes &out)
{
    out.reserve(part.size());
    for (qsizetype i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c != '\\' || i + 1 == part.size()) {
            out.append(c);
            continue;
        }
        if (const char16_t unescaped = unescapedCharacter(uchar(part[i + 1]))) {
            out.append(char(unescaped));
            ++i;
        } else {
            out.append(c);
        }
    }
}

} // namespace

QByteArray VCardLineReader::unescapeBytes(QByteArrayView bytes)
{
    UnescapedBytes out;
    unescapeInto(bytes, out);
    return QByteArray(out.data(), out.size());
}

std::optional<QString> VCardLineReader::unescapedUtf8Value(QByteArrayView bytes, bool dropByteOrderMark)
{
    if (bytes.isEmpty() || !memchr(bytes.data(), '\\', size_t(bytes.size())))
        return CharsetDecoder::decodeWellFormedUtf8(bytes, dropByteOrderMark);
    UnescapedBytes out;
    unescapeInto(bytes, out);
    return CharsetDecoder::decodeWellFormedUtf8(QByteArrayView(out.data(), out.size()), dropByteOrderMark);
}

int VCardLineReader::structuredComponents(const VCardProperty &property, QString *out, int maxComponents)
{
    // Cut at every ';' no backslash escapes: ';' is ASCII, so no UTF-8 character is cut, and the
    // components of well-formed UTF-8 are well-formed. A component that is not sends the whole value
    // the long way, which also decides what its bytes are; so does a 7-bit charset, whose
    // characters may be written with the bytes of ';' and '\\'.
    const QByteArrayView raw = property.rawValue;
    if (property.encoding == VCardProperty::Encoding::None
        && !(raw.size() >= 3 && raw.startsWith("\xEF\xBB\xBF"))
        && !CharsetDecoder::isSevenBitStateful(property.charset)) {
        int count = 0;
        qsizetype start = 0;
        const auto cut = [&](qsizetype end) {
            std::optional<QString> part = unescapedUtf8Value(raw.sliced(start, end - start), false);
            if (!part)
                return false;
            out[count++] = std::move(*part);
            return true;
        };
        bool wellFormed = true;
        for (qsizetype i = 0; wellFormed && i < raw.size() && count + 1 < maxComponents; ++i) {
            const char c = raw[i];
            if (c == '\\') {
                ++i;
            } else if (c == ';') {
                wellFormed = cut(i);
                start = i + 1;
            }
        }
        if (wellFormed && cut(raw.size()))
            return count;
        std::fill(out, out + count, QString()); // callers may read past the count they are given
    }
    return splitComponents(decodedText(property), u';', out, maxComponents);
}

QList<QString> VCardLineReader::components(QStringView text, QChar separator, qsizetype maxComponents)
{
    QList<QString> result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\\') {
            ++i;
        } else if (c == separator && result.size() + 1 < maxComponents) {
            result.append(unescape(text.sliced(start, i - start).toString()));
            start = i + 1;
        }
    }
    result.append(unescape(text.sliced(start).toString()));
    return result;
}
