#include "model/VCardWriter.h"

#include "model/StoreKeys.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxLineOctets = 75;

inline void appendUtf8(QByteArray &out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
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
        out.append('"');
    QString cleaned;
    cleaned.reserve(text.size());
    for (QChar c : text) {
        if (c == u'"')
            continue;
        cleaned.append((c == u'\n' || c == u'\r') ? u' ' : c);
    }
    out.append(cleaned.toUtf8());
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

void appendNumber(QByteArray &out, int value, int width)
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
    CardWriter(QByteArray &out)
        : m_out(out)
    {
        m_line.reserve(256);
    }

    void write(const StoreContact &c)
    {
        m_out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        m_group = 0;

        begin(nullptr, "N");
        value(c.familyName, true);
        m_line.append(';');
        value(c.givenName, true);
        m_line.append(';');
        value(c.middleName, true);
        m_line.append(';');
        value(c.namePrefix, true);
        m_line.append(';');
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
                m_line.append(';');
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
            m_out.append("X-ABShowAs:COMPANY\r\n");
        if (!c.identifier.isEmpty()) {
            begin(nullptr, "UID");
            value(c.identifier, false);
            end();
        }
        m_out.append("END:VCARD\r\n");
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
        m_line.clear();
        if (group) {
            m_line.append(*group);
            m_line.append('.');
        }
        m_line.append(name);
        m_afterParameters = false;
    }

    void startValue()
    {
        if (!m_afterParameters) {
            m_line.append(':');
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
            m_line.append(";TYPE=");
            if (extraType) {
                m_line.append(extraType);
                if (types)
                    m_line.append(',');
            }
            if (types)
                m_line.append(types);
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
            m_line.append(";TYPE=");
            m_line.append(types);
        }
        startValue();
        const QString *parts[] = { &a.subAdministrativeArea, &a.subLocality, &a.street, &a.city, &a.state,
            &a.postalCode, &a.country };
        for (int i = 0; i < 7; ++i) {
            if (i)
                m_line.append(';');
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
            m_line.append(";TYPE=");
            appendParameterValue(m_line, s.service);
        }
        if (!s.username.isEmpty()) {
            m_line.append(";X-USER=");
            appendParameterValue(m_line, s.username);
        }
        if (!s.userIdentifier.isEmpty()) {
            m_line.append(";X-USERID=");
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
        m_line.append(";X-SERVICE-TYPE=");
        appendParameterValue(m_line, im.service);
        startValue();
        m_line.append(schemeForService(im.service));
        m_line.append(':');
        VCardWriter::appendEscaped(m_line, im.username);
        endLabelled(e.label);
    }

    void dateValue(const DateComponents &date)
    {
        if (!date.hasYear()) {
            m_line.append(";X-APPLE-OMIT-YEAR=");
            appendNumber(m_line, VCardWriter::YearlessYear, 4);
        }
        startValue();
        appendNumber(m_line, date.hasYear() ? date.year : VCardWriter::YearlessYear, 4);
        m_line.append('-');
        appendNumber(m_line, date.month, 2);
        m_line.append('-');
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

void VCardWriter::appendEscaped(QByteArray &out, QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end) {
        char16_t c = *p++;
        if (c < 0x80) {
            switch (c) {
            case '\\':
                out.append("\\\\");
                break;
            case ',':
                out.append("\\,");
                break;
            case ';':
                out.append("\\;");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                if (p < end && *p == '\n')
                    break; // CR LF is one line break
                out.append("\\n");
                break;
            default:
                out.append(char(c));
                break;
            }
            continue;
        }
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            cp = QChar::surrogateToUcs4(c, *p++);
        else if (QChar::isSurrogate(c))
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        appendUtf8(out, cp);
    }
}

void VCardWriter::appendFolded(QByteArray &out, QByteArrayView line)
{
    if (line.size() <= MaxLineOctets) {
        out.append(line);
        out.append("\r\n");
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
            out.append(' ');
        out.append(line.sliced(start, cut - start));
        out.append("\r\n");
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
