#include "model/VCardCardMapper.h"

#include "model/StoreContactStrings.h"
#include "model/StoreKeys.h"
#include "model/VCardOtherProperties.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardVocabulary.h"

#include <QRegularExpression>
#include <QUuid>
#include <algorithm>

using namespace Qt::StringLiterals;

// The card as a whole, names, organisation, addresses, telephones, e-mail, web addresses, the photo.

namespace {

// The street of an address whose post-office box or extended address is not empty: each of the
// three that has text, on a line of its own, in that order.
QString streetOf(const QString &poBox, const QString &extended, QString &&street)
{
    if (poBox.isEmpty() && extended.isEmpty())
        return std::move(street);
    QString joined;
    for (const QString *line : std::initializer_list<const QString *> { &poBox, &extended, &street }) {
        if (line->isEmpty())
            continue;
        if (!joined.isEmpty())
            joined += u'\n';
        joined += *line;
    }
    return joined;
}

bool isDataUri(QByteArrayView value)
{
    return value.size() > 5 && value.first(5).compare("data:", Qt::CaseInsensitive) == 0;
}

QByteArray photoBytes(const VCardProperty &property)
{
    QByteArrayView value = property.rawValue.trimmed();
    // Some servers say base64 and give a data: URI all the same (ENCODING=b:data:image/png;base64,...):
    // decoded as base64 it would be noise.
    if (property.encoding == VCardProperty::Encoding::Base64 && !isDataUri(value))
        return VCardLineReader::decodedBytes(property);
    // vCard 4.0 writers escape the URI's ";" and "," as in any text value.
    QByteArray unescaped;
    if (value.contains('\\')) {
        unescaped = VCardLineReader::unescapeBytes(value);
        value = unescaped;
    }
    if (isDataUri(value)) {
        qsizetype comma = value.indexOf(',');
        if (comma < 0)
            return {};
        QByteArrayView header = value.first(comma);
        if (header.size() >= 7 && header.last(7).compare(";base64", Qt::CaseInsensitive) == 0)
            return VCardLineReader::decodeBase64(value.sliced(comma + 1));
    }
    return {}; // a link to a photo elsewhere: nothing is fetched
}

// Whether a PHOTO holds its picture (in base64, or in a base64 data: URI) rather than a link to one.
bool holdsPicture(const VCardProperty &property)
{
    const QByteArrayView value = property.rawValue.trimmed();
    if (property.encoding == VCardProperty::Encoding::Base64)
        return !value.isEmpty();
    if (!isDataUri(value))
        return false;
    const qsizetype comma = value.indexOf(',');
    if (comma < 0)
        return false;
    // The escapes vCard 4.0 writers put before ";" and "," (data:image/jpeg\;base64\,...).
    QByteArrayView header = value.first(comma);
    if (header.endsWith('\\'))
        header.chop(1);
    return header.size() >= 7 && header.last(7).compare(";base64", Qt::CaseInsensitive) == 0;
}

// Appends word to text after a space, unless text already holds it as a word of its own.
void joinWord(QString &text, const QString &word)
{
    if (word.isEmpty())
        return;
    if (text.isEmpty()) {
        text = word;
        return;
    }
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
        const qsizetype end = at + word.size();
        const bool starts = at == 0 || text.at(at - 1).isSpace() || text.at(at - 1) == u',';
        const bool ends = end == text.size() || text.at(end).isSpace() || text.at(end) == u',';
        if (starts && ends)
            return;
    }
    text += u' ';
    text += word;
}

} // namespace

StoreContact VCardCardMapper::run()
{
    collectGroupExtras();
    reserveLists();
    for (const VCardProperty &property : m_card.properties)
        map(property);
    finish();
    // Before the card's arena is emptied: the contact's text moves into blocks of its own.
    if (m_packStrings)
        StoreContactStrings::pack(m_contact);
    else
        StoreContactStrings::separate(m_contact);
    return std::move(m_contact);
}

void VCardCardMapper::collectGroupExtras()
{
    for (const VCardProperty &property : m_card.properties) {
        if (property.group.isEmpty())
            continue;
        bool isLabel = property.nameIs("X-ABLABEL");
        bool isCountry = !isLabel && property.nameIs("X-ABADR");
        if (!isLabel && !isCountry)
            continue;
        VCardGroupExtras *extras = extrasFor(property.group);
        if (!extras) {
            if (m_extras.size() >= 512) // bounds the lookups below on hostile cards
                continue;
            m_extras.append({ property.group, {}, {} });
            extras = &m_extras.back();
        }
        QString text = unescapedText(property);
        if (isLabel) {
            if (extras->label.isEmpty())
                extras->label = text;
        } else {
            const QString code = VCardLineReader::trimmedText(std::move(text));
            bool letters = code.size() >= 2 && code.size() <= 3;
            for (QChar c : code)
                letters = letters && c.unicode() < 128 && c.isLetter();
            if (letters && extras->isoCountryCode.isEmpty())
                extras->isoCountryCode = code;
        }
    }
}

void VCardCardMapper::reserveLists()
{
    qsizetype phones = 0, emails = 0, addresses = 0, urls = 0;
    for (const VCardProperty &property : m_card.properties) {
        const qsizetype size = property.name.size();
        if (size == 3) {
            if (property.nameIs("TEL"))
                ++phones;
            else if (property.nameIs("ADR"))
                ++addresses;
            else if (property.nameIs("URL"))
                ++urls;
        } else if (size == 5 && property.nameIs("EMAIL")) {
            ++emails;
        }
    }
    m_contact.phoneNumbers.reserve(phones);
    m_contact.emailAddresses.reserve(emails);
    m_contact.postalAddresses.reserve(addresses);
    m_contact.urlAddresses.reserve(urls);
}

VCardGroupExtras *VCardCardMapper::extrasFor(QByteArrayView group)
{
    if (group.isEmpty())
        return nullptr;
    for (VCardGroupExtras &extras : m_extras) {
        if (VCardLineReader::equalsIgnoringCase(extras.group, group))
            return &extras;
    }
    return nullptr;
}

QString VCardCardMapper::unescapedText(const VCardProperty &property)
{
    // Escapes in UTF-8 are undone in the bytes, before the text is made once; their bytes also
    // tell sooner than the text would that most values have none. Other charsets may spell a
    // backslash otherwise, and are decoded first.
    const QByteArrayView raw = property.rawValue;
    const bool bytesTell = property.encoding == VCardProperty::Encoding::None
        && (property.charset.isEmpty() || VCardLineReader::equalsIgnoringCase(property.charset, "UTF-8"));
    if (bytesTell) {
        if (std::optional<QString> unescaped = VCardLineReader::unescapedUtf8Value(raw))
            return std::move(*unescaped);
    }
    return VCardLineReader::unescape(VCardLineReader::decodedText(property));
}

void VCardCardMapper::map(const VCardProperty &p)
{
    if (p.name.isEmpty())
        return;
    switch (p.name[0] | 0x20) {
    case 'a':
        if (p.nameIs("ADR"))
            return mapAddress(p);
        if (p.nameIs("ANNIVERSARY"))
            return mapDate(p, CN::LabelDateAnniversary);
        break;
    case 'b':
        if (p.nameIs("BDAY")) {
            // A birthday that is no date ("BDAY:circa 1970"), or a second one, is kept as it stands.
            if (m_contact.birthday)
                break;
            m_contact.birthday = date(p);
            if (!m_contact.birthday)
                break;
            return;
        }
        break;
    case 'e':
        if (p.nameIs("EMAIL")) {
            QString value = text(p);
            if (!value.isEmpty())
                m_contact.emailAddresses.append(
                    { labelOrElse(p, [&] { return VCardVocabulary::placeLabel(p); }), value });
            return;
        }
        break;
    case 'f':
        if (p.nameIs("FN")) {
            m_formattedName = text(p);
            return;
        }
        break;
    case 'i':
        if (p.nameIs("IMPP"))
            return mapImpp(p);
        break;
    case 'k':
        if (p.nameIs("KIND")) {
            QString kind = text(p);
            if (kind.compare(u"org"_s, Qt::CaseInsensitive) == 0
                || kind.compare(u"organization"_s, Qt::CaseInsensitive) == 0)
                m_contact.contactType = StoreContact::Type::Organization;
            return;
        }
        break;
    case 'l':
        if (p.nameIs("LABEL")) {
            if (m_labels.size() < 64)
                m_labels.append(&p);
            return;
        }
        break;
    case 'n':
        if (p.nameIs("N"))
            return mapName(p);
        if (p.nameIs("NICKNAME")) {
            if (!m_contact.extras().nickname.isEmpty())
                break; // a second one is kept as it stands
            setExtraOnce(&StoreContactExtras::nickname, text(p));
            return;
        }
        if (p.nameIs("NOTE")) {
            QString note = unescapedText(p);
            if (m_contact.note.isEmpty())
                m_contact.note = note;
            else if (!note.isEmpty())
                m_contact.note += u'\n' + note;
            return;
        }
        break;
    case 'o':
        if (p.nameIs("ORG")) {
            if (mapOrganization(p))
                return;
            break; // an organisation besides the record's one is kept as it stands
        }
        break;
    case 'p':
        if (p.nameIs("PHOTO")) {
            // The first picture the card holds is the record's. Any other (a second picture, a
            // link to one elsewhere) is kept to go back as it stood. Which one is the record's is
            // decided without decoding, so a reading that skips pictures keeps the same others.
            if (m_photoTaken || !holdsPicture(p)) {
                m_otherPhotos.append(&p);
                return;
            }
            m_photoTaken = true;
            if (m_readImages) {
                if (QByteArray photo = photoBytes(p); !photo.isEmpty())
                    m_contact.editExtras().imageData = std::move(photo);
            }
            return;
        }
        break;
    case 'r':
        if (p.nameIs("RELATED"))
            return mapRelated(p);
        if (p.nameIs("ROLE")) {
            // A role is the nearest thing to a job title a card without one has; beside a title it
            // is kept as it stands.
            if (m_role || !m_contact.jobTitle.isEmpty())
                break;
            if (!text(p).isEmpty()) // an empty one says nothing, and must not hide one that does
                m_role = &p;
            return;
        }
        break;
    case 's':
        if (p.nameIs("SOUND")) {
            if (!p.hasType("X-IRMC-N"))
                break;
            QList<QString> parts = VCardLineReader::components(VCardLineReader::decodedText(p), u';');
            m_readingFamily = parts.value(0).trimmed();
            m_readingGiven = parts.value(1).trimmed();
            return;
        }
        break;
    case 't':
        if (p.nameIs("TEL")) {
            QString value = text(p);
            if (value.startsWith(u"tel:"_s, Qt::CaseInsensitive))
                value = value.sliced(4).trimmed();
            if (!value.isEmpty())
                m_contact.phoneNumbers.append(
                    { labelOrElse(p, [&] { return VCardVocabulary::phoneLabel(p); }), value });
            return;
        }
        if (p.nameIs("TITLE")) {
            if (!m_contact.jobTitle.isEmpty())
                break;
            m_contact.jobTitle = text(p);
            return;
        }
        break;
    case 'u':
        if (p.nameIs("UID")) {
            setOnce(m_contact.identifier, text(p));
            return;
        }
        if (p.nameIs("URL")) {
            QString value = text(p);
            if (!value.isEmpty())
                m_contact.urlAddresses.append(
                    { labelOrElse(p, [&] { return VCardVocabulary::urlLabel(p); }), value });
            return;
        }
        break;
    case 'x':
        mapExtension(p);
        return;
    default:
        break;
    }
    keepOther(p);
}

void VCardCardMapper::keepOther(const VCardProperty &p)
{
    if (!VCardOtherProperties::keeps(p))
        return;
    // Bounded like the card itself; a hostile card cannot make the kept text outgrow its own.
    QByteArray &lines = m_contact.editExtras().otherProperties;
    if (lines.size() < 16 * 1024 * 1024)
        VCardOtherProperties::append(lines, p);
}

bool VCardCardMapper::mapOrganization(const VCardProperty &p)
{
    QString parts[3];
    const int count = VCardLineReader::structuredComponents(p, parts, 3);
    QString name = VCardLineReader::trimmedText(std::move(parts[0]));
    QString department;
    if (count < 3) {
        department = VCardLineReader::trimmedText(std::move(parts[1]));
    } else {
        // Three units or more: rarely written, read as a list so that empty trailing units go.
        QList<QString> units = VCardLineReader::components(VCardLineReader::decodedText(p), u';');
        units.removeFirst();
        while (!units.isEmpty() && units.back().trimmed().isEmpty())
            units.removeLast();
        department = units.join(u';').trimmed();
    }
    if (m_haveOrg) {
        // The record has one organisation. Another that names one is not the record's, and is lost
        // unless kept; one that says nothing new (the same again, or empty) is nothing to keep.
        if (name.isEmpty() && department.isEmpty())
            return true;
        if (name == m_contact.organizationName && (department.isEmpty() || department == m_orgDepartment))
            return true;
        if (!m_contact.organizationName.isEmpty() || !m_orgDepartment.isEmpty())
            return false;
    }
    m_haveOrg = true;
    m_contact.organizationName = std::move(name);
    m_orgDepartment = department;
    // A department of its own, read before, stays when the organisation names none.
    if (!department.isEmpty())
        m_contact.departmentName = std::move(department);
    return true;
}

void VCardCardMapper::mapName(const VCardProperty &p)
{
    if (m_haveName)
        return;
    QString parts[8];
    VCardLineReader::structuredComponents(p, parts, 8);
    // An empty N (N:;;;;) names nobody: the card's FN or organisation does.
    if (std::all_of(
            std::begin(parts), std::end(parts), [](const QString &part) { return part.trimmed().isEmpty(); }))
        return;
    m_haveName = true;
    m_contact.familyName = VCardLineReader::trimmedText(std::move(parts[0]));
    m_contact.givenName = VCardLineReader::trimmedText(std::move(parts[1]));
    setExtraOnce(&StoreContactExtras::middleName, VCardLineReader::trimmedText(std::move(parts[2])));
    setExtraOnce(&StoreContactExtras::namePrefix, VCardLineReader::trimmedText(std::move(parts[3])));
    QString suffix = VCardLineReader::trimmedText(std::move(parts[4]));
    QString sixth = VCardLineReader::trimmedText(std::move(parts[5]));
    QString seventh = VCardLineReader::trimmedText(std::move(parts[6]));
    QString rest = VCardLineReader::trimmedText(std::move(parts[7]));
    const bool version4 = m_card.version.size() == 3 && m_card.version[0] == '4';
    if (version4) {
        // vCard 4.0 writers add a secondary surname and a generation (Jr., III) as the sixth and
        // seventh components, and are asked to repeat them in the family name and the suffix for
        // readers that stop at five. Each joins its older place unless it is there already, so that
        // the name reads whole and a card written back with five components reads the same.
        joinWord(m_contact.familyName, sixth);
        joinWord(suffix, seventh);
        joinWord(suffix, rest);
    } else {
        // Older versions define five components: anything past them is kept with the suffix rather
        // than dropped; empty ones (N:Holmes;Sherlock;;Mr;;) are nothing to keep.
        for (const QString *extra : { &sixth, &seventh, &rest }) {
            if (!extra->isEmpty())
                suffix += u';' + *extra;
        }
    }
    setExtraOnce(&StoreContactExtras::nameSuffix, std::move(suffix));
    // vCard 4.0 writers give the name's reading as how it sorts: SORT-AS="family,given" (some part
    // them with ";"). A reading of the name's own comes first.
    if (m_readingFamily.isEmpty() && m_readingGiven.isEmpty()) {
        QStringList reading;
        VCardLineReader::forEachParameter(p.parameters, [&](QByteArrayView name, QByteArrayView value) {
            if (VCardLineReader::equalsIgnoringCase(name, "SORT-AS")) {
                const QString text = QString::fromUtf8(value);
                for (const QString &part : text.split(QRegularExpression(u"[,;]"_s)))
                    reading.append(part.trimmed());
            }
            return true;
        });
        m_readingFamily = reading.value(0);
        m_readingGiven = reading.value(1);
    }
}

void VCardCardMapper::mapAddress(const VCardProperty &p)
{
    QString parts[7];
    const int count = VCardLineReader::structuredComponents(p, parts, 7);
    VCardGroupExtras *extras = extrasFor(p.group);
    bool empty = !extras || extras->isoCountryCode.isEmpty();
    for (int i = 0; i < count; ++i) {
        parts[i] = VCardLineReader::trimmedText(std::move(parts[i]));
        empty = empty && parts[i].isEmpty();
    }
    if (empty)
        return;
    if (m_addressGroups.size() < 512)
        m_addressGroups.append(p.group);
    // Filled where it lies in the list: an address is eight strings and a label.
    auto &entry = m_contact.postalAddresses.emplaceBack();
    entry.label = labelOrElse(p, [&] { return VCardVocabulary::placeLabel(p); });
    StorePostalAddress &address = entry.value;
    // The post-office box and the extended address belong to the street as every view shows it
    // (feature phones put the whole street in the extended address): one line each, before it.
    address.street = streetOf(parts[0], parts[1], std::move(parts[2]));
    address.city = std::move(parts[3]);
    address.state = std::move(parts[4]);
    address.postalCode = std::move(parts[5]);
    address.country = std::move(parts[6]);
    if (extras)
        address.isoCountryCode = extras->isoCountryCode;
}

void VCardCardMapper::mapLabel(const VCardProperty &p)
{
    QStringList lines = unescapedText(p).split(QRegularExpression(u"\\r\\n|\\r|\\n"_s));
    for (QString &line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    if (lines.isEmpty())
        return;
    const QString text = lines.join(u'\n');
    QString label = labelOrElse(p, [&] { return VCardVocabulary::placeLabel(p); });
    // A label is the printed form of an address beside it: of the one in its group, of the one
    // with its type, or of one whose street or postal code it shows.
    const qsizetype read = std::min(m_addressGroups.size(), m_contact.postalAddresses.size());
    for (qsizetype i = 0; i < read; ++i) {
        const auto &address = m_contact.postalAddresses.at(i);
        if (!p.group.isEmpty() && VCardLineReader::equalsIgnoringCase(p.group, m_addressGroups.at(i)))
            return;
        if (address.label == label)
            return;
        const QString street = address.value.street.section(u'\n', -1).trimmed();
        if ((!street.isEmpty() && text.contains(street))
            || (!address.value.postalCode.isEmpty() && text.contains(address.value.postalCode)))
            return;
    }
    // Without one the label is all the card says of the address: its lines become the street.
    auto &entry = m_contact.postalAddresses.emplaceBack();
    entry.label = std::move(label);
    entry.value.street = text;
}

void VCardCardMapper::finish()
{
    for (const VCardProperty *label : m_labels)
        mapLabel(*label);
    if (m_role) {
        QString role = text(*m_role);
        if (m_contact.jobTitle.isEmpty())
            m_contact.jobTitle = std::move(role);
        else if (role != m_contact.jobTitle)
            keepOther(*m_role);
    }
    if (m_contact.phoneticFamilyName.isEmpty() && m_contact.phoneticGivenName.isEmpty()) {
        m_contact.phoneticFamilyName = m_readingFamily;
        m_contact.phoneticGivenName = m_readingGiven;
    }
    if (!m_haveName && !m_formattedName.isEmpty() && m_formattedName != m_contact.organizationName
        && m_contact.contactType == StoreContact::Type::Person)
        m_contact.givenName = m_formattedName;
    if (m_contact.contactType == StoreContact::Type::Organization && m_contact.organizationName.isEmpty()
        && !m_haveOrg && !m_haveName)
        m_contact.organizationName = m_formattedName;
    // A card that names nobody but an organisation is the organisation's: shown as "No Name" it
    // would hide the one name it has.
    if (m_contact.contactType == StoreContact::Type::Person
        && (m_formattedName.isEmpty() || m_formattedName == m_contact.organizationName)
        && m_contact.givenName.isEmpty() && m_contact.familyName.isEmpty()
        && m_contact.extras().middleName.isEmpty() && !m_contact.organizationName.isEmpty())
        m_contact.contactType = StoreContact::Type::Organization;
    if (m_contact.identifier.isEmpty())
        m_contact.identifier = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    // Last, as the writer puts them (after the record's own picture): read again, the kept lines
    // are the same in the same order.
    for (const VCardProperty *photo : m_otherPhotos)
        keepOther(*photo);
}
