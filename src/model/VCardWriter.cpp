#include "model/VCardWriter.h"

#include "model/StoreKeys.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxLineOctets = 75;

// QByteArray::append goes through the general insert path; cards are built from many short
// pieces, so these append straight into the (geometrically growing) buffer.
inline void put(QByteArray &out, QByteArrayView bytes)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    std::memcpy(out.data() + at, bytes.data(), size_t(bytes.size()));
}

inline void put(QByteArray &out, char c)
{
    const qsizetype at = out.size();
    out.resize(at + 1);
    out.data()[at] = c;
}

// Parameter values cannot be escaped in 3.0: quotes are dropped, line breaks become spaces, and
// the value is quoted when it holds a separator.
void appendParameterValue(QByteArray &out, QStringView text)
{
    bool needsQuotes = false;
    for (QChar c : text) {
        if (c == u',' || c == u';' || c == u':') {
            needsQuotes = true;
            break;
        }
    }
    if (needsQuotes)
        put(out, '"');
    QString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (c == u'"')
            continue;
        cleaned.append((c == u'\n' || c == u'\r') ? u' ' : c);
    }
    put(out, cleaned.toUtf8());
    if (needsQuotes)
        put(out, '"');
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

void appendNumber(QByteArray &out, int value, int width)
{
    char buffer[16];
    int n = 0;
    do {
        buffer[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < 15);
    for (int i = n; i < width; ++i)
        put(out, '0');
    while (n > 0)
        put(out, buffer[--n]);
}

bool writableDate(const DateComponents &date)
{
    return date.isValid() && date.year >= 0 && date.year <= 9999;
}

class CardWriter
{
public:
    CardWriter(QByteArray &out)
        : m_out(out)
    {
        m_line.reserve(256);
    }

    void write(const StoreContact &c)
    {
        put(m_out, "BEGIN:VCARD\r\nVERSION:3.0\r\n");
        m_group = 0;

        begin(nullptr, "N");
        value(c.familyName, true);
        put(m_line, ';');
        value(c.givenName, true);
        put(m_line, ';');
        value(c.middleName, true);
        put(m_line, ';');
        value(c.namePrefix, true);
        put(m_line, ';');
        value(c.nameSuffix, true);
        end();
        begin(nullptr, "FN");
        value(formattedName(c), false);
        end();
        simple("NICKNAME", c.nickname);
        simple("X-PHONETIC-FIRST-NAME", c.phoneticGivenName);
        simple("X-PHONETIC-MIDDLE-NAME", c.phoneticMiddleName);
        simple("X-PHONETIC-LAST-NAME", c.phoneticFamilyName);
        simple("X-MAIDENNAME", c.previousFamilyName);
        if (!c.organizationName.isEmpty() || !c.departmentName.isEmpty()) {
            begin(nullptr, "ORG");
            value(c.organizationName, true);
            if (!c.departmentName.isEmpty()) {
                put(m_line, ';');
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
            begin(nullptr, "BDAY");
            dateValue(*c.birthday);
            end();
        }
        for (const auto &e : c.dates) {
            if (!writableDate(e.value))
                continue;
            labelled("X-ABDATE", e.label, nullptr, nullptr);
            dateValue(e.value);
            endLabelled(e.label);
        }
        for (const auto &e : c.contactRelations) {
            if (e.value.name.isEmpty())
                continue;
            labelled("X-ABRELATEDNAMES", e.label, nullptr, nullptr);
            value(e.value.name, false);
            endLabelled(e.label);
        }
        for (const auto &e : c.socialProfiles)
            socialProfile(e);
        for (const auto &e : c.instantMessageAddresses)
            instantMessage(e);
        if (c.contactType == StoreContact::Type::Organization)
            put(m_out, "X-ABShowAs:COMPANY\r\n");
        if (!c.identifier.isEmpty()) {
            begin(nullptr, "UID");
            value(c.identifier, false);
            end();
        }
        put(m_out, "END:VCARD\r\n");
    }

private:
    static QString formattedName(const StoreContact &c)
    {
        if (c.contactType == StoreContact::Type::Organization && !c.organizationName.isEmpty())
            return c.organizationName;
        QString name;
        for (const QString *part :
            { &c.namePrefix, &c.givenName, &c.middleName, &c.familyName, &c.nameSuffix }) {
            if (part->isEmpty())
                continue;
            if (!name.isEmpty())
                name.append(u' ');
            name.append(*part);
        }
        return name.isEmpty() ? c.organizationName : name;
    }

    void begin(const QByteArray *group, const char *name)
    {
        m_line.truncate(0); // clear() would give the buffer back, and every line would grow one anew
        if (group) {
            put(m_line, *group);
            put(m_line, '.');
        }
        put(m_line, name);
        m_afterParameters = false;
    }

    void startValue()
    {
        if (!m_afterParameters) {
            put(m_line, ':');
            m_afterParameters = true;
        }
    }

    void value(QStringView text, bool structured)
    {
        startValue();
        Q_UNUSED(structured); // commas and semicolons are escaped in every value alike
        VCardWriter::appendEscaped(m_line, text);
    }

    void end() { VCardWriter::appendFolded(m_out, m_line); }

    void simple(const char *name, const QString &text)
    {
        if (text.isEmpty())
            return;
        begin(nullptr, name);
        value(text, false);
        end();
    }

    // Starts a property whose label is said either by TYPE or by a grouped X-ABLabel.
    void labelled(const char *name, const QString &label, const char *types, const char *extraType)
    {
        m_needsLabel = !label.isEmpty() && !types;
        if (m_needsLabel) {
            m_currentGroup = "item";
            m_currentGroup.append(QByteArray::number(++m_group));
            begin(&m_currentGroup, name);
        } else {
            begin(nullptr, name);
        }
        if (types || extraType) {
            put(m_line, ";TYPE=");
            if (extraType) {
                put(m_line, extraType);
                if (types)
                    put(m_line, ',');
            }
            if (types)
                put(m_line, types);
        }
    }

    void endLabelled(const QString &label)
    {
        end();
        if (m_needsLabel) {
            begin(&m_currentGroup, "X-ABLabel");
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
            m_currentGroup = "item";
            m_currentGroup.append(QByteArray::number(++m_group));
            begin(&m_currentGroup, "ADR");
        } else {
            begin(nullptr, "ADR");
        }
        if (types) {
            put(m_line, ";TYPE=");
            put(m_line, types);
        }
        startValue();
        const QString *parts[] = { &a.subAdministrativeArea, &a.subLocality, &a.street, &a.city, &a.state,
            &a.postalCode, &a.country };
        for (int i = 0; i < 7; ++i) {
            if (i)
                put(m_line, ';');
            VCardWriter::appendEscaped(m_line, *parts[i]);
        }
        end();
        if (!e.label.isEmpty() && !types) {
            begin(&m_currentGroup, "X-ABLabel");
            value(e.label, false);
            end();
        }
        if (!a.isoCountryCode.isEmpty()) {
            begin(&m_currentGroup, "X-ABADR");
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
            put(m_line, ";TYPE=");
            appendParameterValue(m_line, s.service);
        }
        if (!s.username.isEmpty()) {
            put(m_line, ";X-USER=");
            appendParameterValue(m_line, s.username);
        }
        if (!s.userIdentifier.isEmpty()) {
            put(m_line, ";X-USERID=");
            appendParameterValue(m_line, s.userIdentifier);
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
        put(m_line, ";X-SERVICE-TYPE=");
        appendParameterValue(m_line, im.service);
        startValue();
        put(m_line, schemeForService(im.service));
        put(m_line, ':');
        VCardWriter::appendEscaped(m_line, im.username);
        endLabelled(e.label);
    }

    void dateValue(const DateComponents &date)
    {
        if (!date.hasYear()) {
            put(m_line, ";X-APPLE-OMIT-YEAR=");
            appendNumber(m_line, VCardWriter::YearlessYear, 4);
        }
        startValue();
        appendNumber(m_line, date.hasYear() ? date.year : VCardWriter::YearlessYear, 4);
        put(m_line, '-');
        appendNumber(m_line, date.month, 2);
        put(m_line, '-');
        appendNumber(m_line, date.day, 2);
    }

    QByteArray &m_out;
    QByteArray m_line;
    QByteArray m_currentGroup;
    int m_group = 0;
    bool m_needsLabel = false;
    bool m_afterParameters = false;
};

} // namespace

namespace {

// An ASCII unit that is written as it is: not one that needs a backslash, not a line break.
inline bool plainAscii(char16_t c)
{
    return c != '\\' && c != ',' && c != ';' && c != '\n' && c != '\r';
}

} // namespace

void VCardWriter::appendEscaped(QByteArray &out, QStringView text)
{
    // Each UTF-16 unit becomes at most three bytes (an escape is two, a surrogate pair four for
    // two units), so write into room made once and trim afterwards.
    const qsizetype start = out.size();
    out.resize(start + text.size() * 3);
    char *w = out.data() + start;
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        // Runs of plain ASCII (no escape, no line break) are copied without looking at each case.
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
    out.truncate(w - out.constData());
}

void VCardWriter::appendFolded(QByteArray &out, QByteArrayView line)
{
    if (line.size() <= MaxLineOctets) {
        put(out, line);
        put(out, "\r\n");
        return;
    }
    qsizetype start = 0;
    qsizetype room = MaxLineOctets;
    while (start < line.size()) {
        qsizetype cut = std::min(line.size(), start + room);
        // Never end a line inside a UTF-8 sequence: back up to the sequence's lead byte.
        while (cut < line.size() && cut > start + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (start > 0)
            put(out, ' ');
        put(out, line.sliced(start, cut - start));
        put(out, "\r\n");
        start = cut;
        room = MaxLineOctets - 1;
    }
}

void VCardWriter::appendCard(QByteArray &out, const StoreContact &contact)
{
    CardWriter(out).write(contact);
}

QByteArray VCardWriter::write(const QList<StoreContact> &contacts, QString *error)
{
    if (error)
        error->clear();
    QByteArray out;
    out.reserve(contacts.size() * 512);
    CardWriter writer(out);
    for (const StoreContact &contact : contacts)
        writer.write(contact);
    return out;
}
