#include "model/VCardWriter.h"

#include "model/StoreKeys.h"
#include "model/UriText.h"
#include "model/VCardOtherProperties.h"

#include <algorithm>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxLineOctets = 75;

// A card is built from many short pieces. They go into a plain buffer that grows like a vector and
// is appended to inline, where QByteArray::resize is a library call with its checks for every piece;
// the finished card goes to the output in one copy.
class CardBuffer
{
public:
    qsizetype size() const { return m_size; }
    const char *data() const { return m_data.get(); }
    QByteArrayView view(qsizetype from = 0) const
    {
        return QByteArrayView(m_data.get() + from, m_size - from);
    }
    void clear() { m_size = 0; }
    void truncate(qsizetype size) { m_size = size; }

    // Room for n more bytes, counted as written; truncate() gives back what is not used.
    char *extend(qsizetype n)
    {
        if (n > m_capacity - m_size)
            grow(m_size + n);
        char *at = m_data.get() + m_size;
        m_size += n;
        return at;
    }
    void append(QByteArrayView bytes)
    {
        if (!bytes.isEmpty())
            std::memcpy(extend(bytes.size()), bytes.data(), size_t(bytes.size()));
    }
    void append(char c) { *extend(1) = c; }
    // Ends the buffer at w, a point inside the room extend() gave.
    void endAt(const char *w) { m_size = w - m_data.get(); }

private:
    void grow(qsizetype needed)
    {
        const qsizetype capacity = std::max(needed, std::max<qsizetype>(1024, m_capacity * 2));
        std::unique_ptr<char[]> data(new char[size_t(capacity)]);
        if (m_size > 0)
            std::memcpy(data.get(), m_data.get(), size_t(m_size));
        m_data = std::move(data);
        m_capacity = capacity;
    }

    std::unique_ptr<char[]> m_data;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

// An ASCII unit that is written as it is: not one that needs a backslash, not a line break.
inline bool plainAscii(char16_t c)
{
    return c != '\\' && c != ',' && c != ';' && c != '\n' && c != '\r';
}

// Writes text as escaped UTF-8 from w on and returns the end. Each UTF-16 unit becomes at most three
// bytes (an escape is two, a surrogate pair four for two units), so w needs room for three per unit.
char *writeEscaped(char *w, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        // Runs of plain ASCII (no escape, no line break) are copied without looking at each case.
#if defined(__SSE2__)
        while (end - p >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const __m128i ascii
                = _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(short(0xFF80))), _mm_setzero_si128());
            const __m128i special = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16('\\')),
                                                     _mm_cmpeq_epi16(units, _mm_set1_epi16(','))),
                _mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16(';')),
                    _mm_or_si128(_mm_cmpeq_epi16(units, _mm_set1_epi16('\n')),
                        _mm_cmpeq_epi16(units, _mm_set1_epi16('\r')))));
            if (_mm_movemask_epi8(_mm_andnot_si128(special, ascii)) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(w), _mm_packus_epi16(units, units));
            w += 8;
            p += 8;
        }
#endif
        while (end - p >= 4) {
            const char16_t a = p[0], b = p[1], d = p[2], e = p[3];
            if (((a | b | d | e) >= 0x80) || !plainAscii(a) || !plainAscii(b) || !plainAscii(d)
                || !plainAscii(e))
                break;
            w[0] = char(a);
            w[1] = char(b);
            w[2] = char(d);
            w[3] = char(e);
            w += 4;
            p += 4;
        }
        if (p == end)
            break;
        char16_t c = *p++;
        if (c < 0x80) {
            switch (c) {
            case '\\':
            case ',':
            case ';':
                *w++ = '\\';
                *w++ = char(c);
                break;
            case '\n':
                *w++ = '\\';
                *w++ = 'n';
                break;
            case '\r':
                if (p < end && *p == '\n')
                    break; // CR LF is one line break
                *w++ = '\\';
                *w++ = 'n';
                break;
            default:
                *w++ = char(c);
                break;
            }
            continue;
        }
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            cp = QChar::surrogateToUcs4(c, *p++);
        else if (QChar::isSurrogate(c))
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        if (cp < 0x800) {
            *w++ = char(0xC0 | (cp >> 6));
            *w++ = char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *w++ = char(0xE0 | (cp >> 12));
            *w++ = char(0x80 | ((cp >> 6) & 0x3F));
            *w++ = char(0x80 | (cp & 0x3F));
        } else {
            *w++ = char(0xF0 | (cp >> 18));
            *w++ = char(0x80 | ((cp >> 12) & 0x3F));
            *w++ = char(0x80 | ((cp >> 6) & 0x3F));
            *w++ = char(0x80 | (cp & 0x3F));
        }
    }
    return w;
}

void appendEscapedTo(CardBuffer &out, QStringView text)
{
    out.endAt(writeEscaped(out.extend(text.size() * 3), text));
}

// Hands a line longer than MaxLineOctets to put piece by piece, folded, with CR LF after each
// physical line.
template <typename Put> void fold(QByteArrayView line, Put &&put)
{
    qsizetype start = 0;
    qsizetype room = MaxLineOctets;
    while (start < line.size()) {
        qsizetype cut = std::min(line.size(), start + room);
        // Never end a line inside a UTF-8 sequence: back up to the sequence's lead byte.
        while (cut < line.size() && cut > start + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (start > 0)
            put(QByteArrayView(" "));
        put(line.sliced(start, cut - start));
        put(QByteArrayView("\r\n"));
        start = cut;
        room = MaxLineOctets - 1;
    }
}

// Whether a parameter value written bare would read back as something else: white space at its
// ends is trimmed, and a TYPE of QUOTED-PRINTABLE or BASE64 names an encoding and "pref" a
// preference. In quotes each is text.
bool needsQuotesToReadBack(QStringView text)
{
    const auto trimmed = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    if (trimmed(text.front()) || trimmed(text.back()))
        return true;
    if (text.size() != 4 && text.size() != 6 && text.size() != 16)
        return false;
    return text.compare(u"pref", Qt::CaseInsensitive) == 0
        || text.compare(u"BASE64", Qt::CaseInsensitive) == 0
        || text.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0;
}

// Parameter values cannot be escaped in 3.0: quotes are dropped, line breaks become spaces, and
// the value is quoted when it holds a separator or would not read back as it stands.
void appendParameterValue(CardBuffer &out, QStringView text)
{
    bool needsQuotes = false;
    bool needsCleaning = false;
    bool ascii = true;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        needsQuotes = needsQuotes || u == u',' || u == u';' || u == u':';
        needsCleaning = needsCleaning || u == u'"' || u == u'\n' || u == u'\r';
        ascii = ascii && u < 0x80;
    }
    QString cleaned;
    if (needsCleaning) {
        cleaned.reserve(text.size());
        for (QChar c : text) {
            if (c == u'"')
                continue;
            cleaned.append((c == u'\n' || c == u'\r') ? u' ' : c);
        }
        text = cleaned;
    }
    needsQuotes = needsQuotes || (!text.isEmpty() && needsQuotesToReadBack(text));
    if (needsQuotes)
        out.append('"');
    if (ascii) {
        char *w = out.extend(text.size());
        for (QChar c : text)
            *w++ = char(c.unicode());
    } else {
        out.append(text.toUtf8());
    }
    if (needsQuotes)
        out.append('"');
}

struct TypeForLabel
{
    const QString *label;
    const char *types;
};

// Labels a TYPE parameter can say; the rest need X-ABLabel.
const char *phoneTypes(const QString &label)
{
    static const TypeForLabel table[] = {
        { &CN::LabelHome, "HOME" },
        { &CN::LabelWork, "WORK" },
        { &CN::LabelOther, "OTHER" },
        { &CN::LabelPhoneNumberMobile, "CELL" },
        { &CN::LabelPhoneNumberMain, "MAIN" },
        { &CN::LabelPhoneNumberPager, "PAGER" },
        { &CN::LabelPhoneNumberiPhone, "IPHONE" },
        { &CN::LabelPhoneNumberHomeFax, "HOME,FAX" },
        { &CN::LabelPhoneNumberWorkFax, "WORK,FAX" },
        { &CN::LabelPhoneNumberOtherFax, "OTHER,FAX" },
    };
    for (const auto &entry : table) {
        if (*entry.label == label)
            return entry.types;
    }
    return nullptr;
}

const char *placeTypes(const QString &label)
{
    if (label == CN::LabelHome)
        return "HOME";
    if (label == CN::LabelWork)
        return "WORK";
    if (label == CN::LabelOther)
        return "OTHER";
    return nullptr;
}

const char *schemeForService(const QString &service)
{
    static const struct
    {
        const QString *service;
        const char *scheme;
    } table[] = {
        { &CN::InstantMessageServiceAIM, "aim" },
        { &CN::InstantMessageServiceJabber, "xmpp" },
        { &CN::InstantMessageServiceMSN, "msnim" },
        { &CN::InstantMessageServiceYahoo, "ymsgr" },
        { &CN::InstantMessageServiceICQ, "icq" },
        { &CN::InstantMessageServiceSkype, "skype" },
        { &CN::InstantMessageServiceQQ, "qq" },
        { &CN::InstantMessageServiceGaduGadu, "gg" },
        { &CN::InstantMessageServiceGoogleTalk, "gtalk" },
        { &CN::InstantMessageServiceFacebook, "facebook" },
    };
    for (const auto &entry : table) {
        if (entry.service->compare(service, Qt::CaseInsensitive) == 0)
            return entry.scheme;
    }
    return "x-apple";
}

void appendNumber(CardBuffer &out, int value, int width)
{
    char buffer[16];
    int n = 0;
    do {
        buffer[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 15);
    for (int i = n; i < width; ++i)
        out.append('0');
    while (n > 0)
        out.append(buffer[--n]);
}

bool writableDate(const DateComponents &date)
{
    return date.isValid() && date.year >= 0 && date.year <= 9999;
}

class CardWriter
{
public:
    CardWriter(QByteArray &out, CardBuffer &card)
        : m_out(out)
        , m_card(card)
    {
    }

    void write(const StoreContact &c, QByteArrayView beforeEnd = {})
    {
        const StoreContactExtras &extras = c.extras();
        m_card.clear();
        m_card.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        m_group = 0;

        begin(0, "N");
        value(c.familyName, true);
        m_card.append(';');
        value(c.givenName, true);
        m_card.append(';');
        value(extras.middleName, true);
        m_card.append(';');
        value(extras.namePrefix, true);
        m_card.append(';');
        value(extras.nameSuffix, true);
        end();
        begin(0, "FN");
        formattedName(c);
        end();
        simple("NICKNAME", extras.nickname);
        simple("X-PHONETIC-FIRST-NAME", c.phoneticGivenName);
        simple("X-PHONETIC-MIDDLE-NAME", extras.phoneticMiddleName);
        simple("X-PHONETIC-LAST-NAME", c.phoneticFamilyName);
        simple("X-MAIDENNAME", extras.previousFamilyName);
        if (!c.organizationName.isEmpty() || !c.departmentName.isEmpty()) {
            begin(0, "ORG");
            value(c.organizationName, true);
            if (!c.departmentName.isEmpty()) {
                m_card.append(';');
                // A department read from several units keeps its separators as escapes.
                value(c.departmentName, true);
            }
            end();
        }
        simple("TITLE", c.jobTitle);

        for (const auto &e : c.emailAddresses) {
            if (e.value.isEmpty())
                continue;
            labelled("EMAIL", e.label, placeTypes(e.label), "INTERNET");
            value(e.value, false);
            endLabelled(e.label);
        }
        for (const auto &e : c.phoneNumbers) {
            if (e.value.isEmpty())
                continue;
            labelled("TEL", e.label, phoneTypes(e.label), nullptr);
            value(e.value, false);
            endLabelled(e.label);
        }
        for (const auto &e : c.postalAddresses)
            address(e);
        for (const auto &e : c.urlAddresses) {
            if (e.value.isEmpty())
                continue;
            labelled("URL", e.label, placeTypes(e.label), nullptr);
            value(e.value, false);
            endLabelled(e.label);
        }
        if (c.birthday && writableDate(*c.birthday)) {
            begin(0, "BDAY");
            dateValue(*c.birthday);
            end();
        }
        for (const auto &e : extras.dates) {
            if (!writableDate(e.value))
                continue;
            labelled("X-ABDATE", e.label, nullptr, nullptr);
            dateValue(e.value);
            endLabelled(e.label);
        }
        for (const auto &e : extras.contactRelations) {
            if (e.value.name.isEmpty())
                continue;
            labelled("X-ABRELATEDNAMES", e.label, nullptr, nullptr);
            value(e.value.name, false);
            endLabelled(e.label);
        }
        for (const auto &e : extras.socialProfiles)
            socialProfile(e);
        for (const auto &e : extras.instantMessageAddresses)
            instantMessage(e);
        if (c.contactType == StoreContact::Type::Organization)
            m_card.append("X-ABShowAs:COMPANY\r\n");
        if (!c.identifier.isEmpty()) {
            begin(0, "UID");
            value(c.identifier, false);
            end();
        }
        otherLines(extras.otherProperties, false);
        // A kept picture goes after the record's own (in beforeEnd): a reader takes the first, so
        // the record's stays the record's. Without the record's, a kept one would be read as the
        // record's, so only links to pictures go (a card written without pictures has none).
        const qsizetype keptPhotosAt = m_card.size();
        const bool ownPhoto = beforeEnd.startsWith("PHOTO") || beforeEnd.indexOf("\r\nPHOTO") >= 0;
        otherLines(extras.otherProperties, true, ownPhoto);

        // What goes before the end (a photo, say) is copied once, straight into the output.
        const QByteArrayView endLine("END:VCARD\r\n");
        const qsizetype at = m_out.size();
        m_out.resize(at + m_card.size() + beforeEnd.size() + endLine.size());
        char *w = m_out.data() + at;
        std::memcpy(w, m_card.data(), size_t(keptPhotosAt));
        w += keptPhotosAt;
        if (!beforeEnd.isEmpty())
            std::memcpy(w, beforeEnd.data(), size_t(beforeEnd.size()));
        w += beforeEnd.size();
        if (keptPhotosAt < m_card.size())
            std::memcpy(w, m_card.data() + keptPhotosAt, size_t(m_card.size() - keptPhotosAt));
        w += m_card.size() - keptPhotosAt;
        std::memcpy(w, endLine.data(), size_t(endLine.size()));
    }

private:
    // The kept lines that are pictures (with embedded ones only if withEmbedded), or all the others.
    void otherLines(QByteArrayView lines, bool photos, bool withEmbedded = false)
    {
        VCardOtherProperties::forEachLine(lines, [this, photos, withEmbedded](QByteArrayView line) {
            if (VCardOtherProperties::isPhotoLine(line) != photos)
                return;
            if (photos && !withEmbedded && VCardOtherProperties::isEmbeddedPhotoLine(line))
                return;
            if (line.size() <= MaxLineOctets) {
                m_card.append(line);
                m_card.append("\r\n");
                return;
            }
            fold(line, [this](QByteArrayView piece) { m_card.append(piece); });
        });
    }

    // The organisation's name for a company, else the name's parts with spaces between them.
    void formattedName(const StoreContact &c)
    {
        startValue();
        if (c.contactType == StoreContact::Type::Organization && !c.organizationName.isEmpty()) {
            appendEscapedTo(m_card, c.organizationName);
            return;
        }
        bool any = false;
        // In the record's own order: a name written family name first is shown so by readers that
        // show FN as it stands.
        const bool familyFirst = c.nameOrder == StoreContact::NameOrder::FamilyNameFirst;
        const QString *first = familyFirst ? &c.familyName : &c.givenName;
        const QString *second = familyFirst ? &c.givenName : &c.familyName;
        const QString *middle = &c.extras().middleName;
        for (const QString *part : { &c.extras().namePrefix, first, familyFirst ? second : middle,
                 familyFirst ? middle : second, &c.extras().nameSuffix }) {
            if (part->isEmpty())
                continue;
            if (any)
                m_card.append(' ');
            appendEscapedTo(m_card, *part);
            any = true;
        }
        if (!any)
            appendEscapedTo(m_card, c.organizationName);
    }

    // Starts a content line; group 0 is none, n is "itemn.".
    void begin(int group, const char *name)
    {
        m_lineStart = m_card.size();
        if (group > 0) {
            m_card.append("item");
            appendNumber(m_card, group, 1);
            m_card.append('.');
        }
        m_card.append(name);
        m_afterParameters = false;
    }

    void startValue()
    {
        if (!m_afterParameters) {
            m_card.append(':');
            m_afterParameters = true;
        }
    }

    void value(QStringView text, bool structured)
    {
        startValue();
        Q_UNUSED(structured); // commas and semicolons are escaped in every value alike
        appendEscapedTo(m_card, text);
    }

    // Ends the line begun last, folded where it is too long. Few lines are: a long one is copied out
    // and written back folded.
    void end()
    {
        if (m_card.size() - m_lineStart <= MaxLineOctets) {
            m_card.append("\r\n");
            return;
        }
        m_long.clear();
        m_long.append(m_card.view(m_lineStart));
        m_card.truncate(m_lineStart);
        fold(m_long.view(), [this](QByteArrayView piece) { m_card.append(piece); });
    }

    void simple(const char *name, const QString &text)
    {
        if (text.isEmpty())
            return;
        begin(0, name);
        value(text, false);
        end();
    }

    // Starts a property whose label is said either by TYPE or by a grouped X-ABLabel.
    void labelled(const char *name, const QString &label, const char *types, const char *extraType)
    {
        m_needsLabel = !label.isEmpty() && !types;
        if (m_needsLabel) {
            m_currentGroup = ++m_group;
            begin(m_currentGroup, name);
        } else {
            begin(0, name);
        }
        if (types || extraType) {
            m_card.append(";TYPE=");
            if (extraType) {
                m_card.append(extraType);
                if (types)
                    m_card.append(',');
            }
            if (types)
                m_card.append(types);
        }
    }

    void endLabelled(const QString &label)
    {
        end();
        if (m_needsLabel) {
            begin(m_currentGroup, "X-ABLabel");
            value(label, false);
            end();
        }
    }

    void address(const StoreLabeledValue<StorePostalAddress> &e)
    {
        const StorePostalAddress &a = e.value;
        if (a == StorePostalAddress())
            return;
        const char *types = placeTypes(e.label);
        bool needsGroup = (!e.label.isEmpty() && !types) || !a.isoCountryCode.isEmpty();
        if (needsGroup) {
            m_currentGroup = ++m_group;
            begin(m_currentGroup, "ADR");
        } else {
            begin(0, "ADR");
        }
        if (types) {
            m_card.append(";TYPE=");
            m_card.append(types);
        }
        startValue();
        const QString *parts[] = { &a.subAdministrativeArea, &a.subLocality, &a.street, &a.city, &a.state,
            &a.postalCode, &a.country };
        for (int i = 0; i < 7; ++i) {
            if (i)
                m_card.append(';');
            appendEscapedTo(m_card, *parts[i]);
        }
        end();
        if (!e.label.isEmpty() && !types) {
            begin(m_currentGroup, "X-ABLabel");
            value(e.label, false);
            end();
        }
        if (!a.isoCountryCode.isEmpty()) {
            begin(m_currentGroup, "X-ABADR");
            value(a.isoCountryCode, false);
            end();
        }
    }

    void socialProfile(const StoreLabeledValue<StoreSocialProfile> &e)
    {
        const StoreSocialProfile &s = e.value;
        if (s.username.isEmpty() && s.urlString.isEmpty())
            return;
        labelled("X-SOCIALPROFILE", e.label, nullptr, nullptr);
        if (!s.service.isEmpty()) {
            m_card.append(";TYPE=");
            appendParameterValue(m_card, s.service);
        }
        if (!s.username.isEmpty()) {
            m_card.append(";X-USER=");
            appendParameterValue(m_card, s.username);
        }
        if (!s.userIdentifier.isEmpty()) {
            m_card.append(";X-USERID=");
            appendParameterValue(m_card, s.userIdentifier);
        }
        value(s.urlString, false);
        endLabelled(e.label);
    }

    void instantMessage(const StoreLabeledValue<StoreInstantMessageAddress> &e)
    {
        const StoreInstantMessageAddress &im = e.value;
        if (im.username.isEmpty())
            return;
        const char *types = placeTypes(e.label);
        labelled("IMPP", e.label, types, nullptr);
        m_card.append(";X-SERVICE-TYPE=");
        appendParameterValue(m_card, im.service);
        startValue();
        m_card.append(schemeForService(im.service));
        m_card.append(':');
        // The address is a URI: what it cannot hold bare is percent-encoded, as readers undo it.
        appendEscapedTo(m_card, UriText::percentEncoded(im.username));
        endLabelled(e.label);
    }

    void dateValue(const DateComponents &date)
    {
        if (!date.hasYear()) {
            m_card.append(";X-APPLE-OMIT-YEAR=");
            appendNumber(m_card, VCardWriter::YearlessYear, 4);
        }
        startValue();
        appendNumber(m_card, date.hasYear() ? date.year : VCardWriter::YearlessYear, 4);
        m_card.append('-');
        appendNumber(m_card, date.month, 2);
        m_card.append('-');
        appendNumber(m_card, date.day, 2);
    }

    QByteArray &m_out;
    CardBuffer &m_card;
    CardBuffer m_long;
    qsizetype m_lineStart = 0;
    int m_currentGroup = 0;
    int m_group = 0;
    bool m_needsLabel = false;
    bool m_afterParameters = false;
};

// The card being written, kept from card to card: an export writes one per record.
CardBuffer &threadCardBuffer()
{
    thread_local CardBuffer buffer;
    return buffer;
}

} // namespace

void VCardWriter::appendEscaped(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * 3);
    char *end = writeEscaped(out.data() + start, text);
    out.truncate(end - out.constData());
}

void VCardWriter::appendFolded(QByteArray &out, QByteArrayView line)
{
    if (line.size() <= MaxLineOctets) {
        const qsizetype at = out.size();
        out.resize(at + line.size() + 2);
        char *w = out.data() + at;
        if (!line.isEmpty())
            std::memcpy(w, line.data(), size_t(line.size()));
        w[line.size()] = '\r';
        w[line.size() + 1] = '\n';
        return;
    }
    fold(line, [&out](QByteArrayView piece) { out.append(piece); });
}

void VCardWriter::appendCard(QByteArray &out, const StoreContact &contact, QByteArrayView beforeEnd)
{
    CardWriter(out, threadCardBuffer()).write(contact, beforeEnd);
}

QByteArray VCardWriter::write(const QList<StoreContact> &contacts, QString *error)
{
    if (error)
        error->clear();
    QByteArray out;
    out.reserve(contacts.size() * 512);
    CardBuffer card;
    CardWriter writer(out, card);
    for (const StoreContact &contact : contacts)
        writer.write(contact);
    return out;
}
