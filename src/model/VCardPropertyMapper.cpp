#include "model/VCardPropertyMapper.h"

#include "model/CardTextArena.h"
#include "model/CharsetDecoder.h"
#include "model/StoreContactStrings.h"
#include "model/StoreKeys.h"

#include <QCoreApplication>
#include <QUuid>
#include <QVarLengthArray>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

struct GroupExtras
{
    QByteArrayView group;
    QString label;
    QString isoCountryCode;
};

enum TypeFlag : unsigned {
    Home = 1u << 0,
    Work = 1u << 1,
    Other = 1u << 2,
    Cell = 1u << 3,
    Fax = 1u << 4,
    Pager = 1u << 5,
    Main = 1u << 6,
    IPhone = 1u << 7,
};

unsigned typeFlag(QByteArrayView word)
{
    // Every TEL, EMAIL and ADR of a file comes through here: the words are told apart by length first.
    const auto is = [&](QByteArrayView text) { return VCardLineReader::equalsIgnoringCase(word, text); };
    switch (word.size()) {
    case 3:
        return is("FAX") ? Fax : 0u;
    case 4:
        return is("HOME") ? Home : is("WORK") ? Work : is("CELL") ? Cell : is("MAIN") ? Main : 0u;
    case 5:
        return is("OTHER") ? Other : is("PAGER") ? Pager : 0u;
    case 6:
        return is("MOBILE") ? Cell : is("IPHONE") ? IPhone : 0u;
    default:
        return 0;
    }
}

unsigned typeFlags(const VCardProperty &property)
{
    unsigned flags = 0;
    VCardLineReader::forEachParameter(property.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (!VCardLineReader::equalsIgnoringCase(name, "TYPE"))
            return true;
        // A quoted list ("fax,home") arrives as one value.
        qsizetype start = 0;
        while (start <= value.size()) {
            qsizetype comma = start;
            while (comma < value.size() && value[comma] != ',')
                ++comma;
            flags |= typeFlag(VCardLineReader::trimmedBytes(value.sliced(start, comma - start)));
            start = comma + 1;
        }
        return true;
    });
    return flags;
}

QString phoneLabel(unsigned flags)
{
    if (flags & IPhone)
        return CN::LabelPhoneNumberiPhone;
    if (flags & Cell)
        return CN::LabelPhoneNumberMobile;
    if (flags & Fax) {
        if (flags & Home)
            return CN::LabelPhoneNumberHomeFax;
        if (flags & Work)
            return CN::LabelPhoneNumberWorkFax;
        return CN::LabelPhoneNumberOtherFax;
    }
    if (flags & Pager)
        return CN::LabelPhoneNumberPager;
    if (flags & Main)
        return CN::LabelPhoneNumberMain;
    if (flags & Home)
        return CN::LabelHome;
    if (flags & Work)
        return CN::LabelWork;
    if (flags & Other)
        return CN::LabelOther;
    return QString();
}

QString placeLabel(unsigned flags)
{
    if (flags & Home)
        return CN::LabelHome;
    if (flags & Work)
        return CN::LabelWork;
    if (flags & Other)
        return CN::LabelOther;
    return QString();
}

// Relation and date kinds some writers give as TYPE values rather than as X-ABLabel.
QString labelFromTypeWord(const VCardProperty &property)
{
    static const struct
    {
        const char *type;
        const QString *label;
    } table[] = {
        { "father", &CN::LabelContactRelationFather },
        { "mother", &CN::LabelContactRelationMother },
        { "parent", &CN::LabelContactRelationParent },
        { "spouse", &CN::LabelContactRelationSpouse },
        { "child", &CN::LabelContactRelationChild },
        { "brother", &CN::LabelContactRelationBrother },
        { "sister", &CN::LabelContactRelationSister },
        { "friend", &CN::LabelContactRelationFriend },
        { "assistant", &CN::LabelContactRelationAssistant },
        { "manager", &CN::LabelContactRelationManager },
        { "partner", &CN::LabelContactRelationPartner },
        { "son", &CN::LabelContactRelationSon },
        { "daughter", &CN::LabelContactRelationDaughter },
        { "anniversary", &CN::LabelDateAnniversary },
    };
    QString result;
    VCardLineReader::forEachParameter(property.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (!VCardLineReader::equalsIgnoringCase(name, "TYPE"))
            return true;
        for (const auto &entry : table) {
            if (VCardLineReader::equalsIgnoringCase(value, entry.type)) {
                result = *entry.label;
                return false;
            }
        }
        return true;
    });
    return result;
}

QString serviceFromScheme(QStringView scheme)
{
    static const struct
    {
        const char16_t *scheme;
        const QString *service;
    } table[] = {
        { u"aim", &CN::InstantMessageServiceAIM },
        { u"xmpp", &CN::InstantMessageServiceJabber },
        { u"jabber", &CN::InstantMessageServiceJabber },
        { u"msnim", &CN::InstantMessageServiceMSN },
        { u"msn", &CN::InstantMessageServiceMSN },
        { u"ymsgr", &CN::InstantMessageServiceYahoo },
        { u"yahoo", &CN::InstantMessageServiceYahoo },
        { u"icq", &CN::InstantMessageServiceICQ },
        { u"skype", &CN::InstantMessageServiceSkype },
        { u"callto", &CN::InstantMessageServiceSkype },
        { u"qq", &CN::InstantMessageServiceQQ },
        { u"gg", &CN::InstantMessageServiceGaduGadu },
        { u"gadugadu", &CN::InstantMessageServiceGaduGadu },
        { u"gtalk", &CN::InstantMessageServiceGoogleTalk },
        { u"googletalk", &CN::InstantMessageServiceGoogleTalk },
        { u"facebook", &CN::InstantMessageServiceFacebook },
    };
    for (const auto &entry : table) {
        if (scheme.compare(QStringView(entry.scheme), Qt::CaseInsensitive) == 0)
            return *entry.service;
    }
    return QString();
}

// The service of the older one-property-per-service forms (X-AIM, X-JABBER ...); empty for others.
QString serviceFromLegacyName(const VCardProperty &property)
{
    static const struct
    {
        const char *name;
        const QString *service;
    } table[] = {
        { "X-AIM", &CN::InstantMessageServiceAIM },
        { "X-JABBER", &CN::InstantMessageServiceJabber },
        { "X-MSN", &CN::InstantMessageServiceMSN },
        { "X-YAHOO", &CN::InstantMessageServiceYahoo },
        { "X-ICQ", &CN::InstantMessageServiceICQ },
        { "X-SKYPE", &CN::InstantMessageServiceSkype },
        { "X-SKYPE-USERNAME", &CN::InstantMessageServiceSkype },
        { "X-QQ", &CN::InstantMessageServiceQQ },
        { "X-GADUGADU", &CN::InstantMessageServiceGaduGadu },
        { "X-GOOGLE-TALK", &CN::InstantMessageServiceGoogleTalk },
    };
    for (const auto &entry : table) {
        if (property.nameIs(entry.name))
            return *entry.service;
    }
    return QString();
}

// "scheme:rest" when the part before the first colon looks like a URI scheme.
bool splitScheme(QStringView text, QStringView *scheme, QStringView *rest)
{
    qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        char16_t c = text[i].unicode();
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
            || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok)
            return false;
    }
    *scheme = text.first(colon);
    *rest = text.sliced(colon + 1);
    return true;
}

// A quote left inside a parameter value (an unbalanced one) is no part of it: no parameter value
// can hold one when written back, so reading it would make a second reading differ from the first.
QString paramText(QByteArrayView value)
{
    QString text = CharsetDecoder::decodeUtf8OrCharset(value, {});
    text.remove(u'"');
    return text;
}

QByteArray photoBytes(const VCardProperty &property)
{
    if (property.encoding == VCardProperty::Encoding::Base64)
        return VCardLineReader::decodedBytes(property);
    QByteArrayView value = property.rawValue.trimmed();
    if (value.size() > 5 && value.first(5).compare("data:", Qt::CaseInsensitive) == 0) {
        qsizetype comma = value.indexOf(',');
        if (comma < 0)
            return {};
        QByteArrayView header = value.first(comma);
        if (header.size() >= 7 && header.last(7).compare(";base64", Qt::CaseInsensitive) == 0)
            return VCardLineReader::decodeBase64(value.sliced(comma + 1));
    }
    return {}; // a link to a photo elsewhere: nothing is fetched
}

class CardMapper
{
public:
    CardMapper(const VCardCard &card, bool readImages, bool packStrings)
        : m_card(card)
        , m_readImages(readImages)
        , m_packStrings(packStrings)
    {
    }

    StoreContact run()
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

private:
    void collectGroupExtras()
    {
        for (const VCardProperty &property : m_card.properties) {
            if (property.group.isEmpty())
                continue;
            bool isLabel = property.nameIs("X-ABLABEL");
            bool isCountry = !isLabel && property.nameIs("X-ABADR");
            if (!isLabel && !isCountry)
                continue;
            GroupExtras *extras = extrasFor(property.group);
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

    // The lists are given their size at once: growing them entry by entry copied them and left room
    // unused in every contact of a large file.
    void reserveLists()
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

    GroupExtras *extrasFor(QByteArrayView group)
    {
        if (group.isEmpty())
            return nullptr;
        for (GroupExtras &extras : m_extras) {
            if (VCardLineReader::equalsIgnoringCase(extras.group, group))
                return &extras;
        }
        return nullptr;
    }

    QString groupLabel(const VCardProperty &property)
    {
        GroupExtras *extras = extrasFor(property.group);
        return extras ? extras->label : QString();
    }

    // The value's text, escapes undone.
    static QString unescapedText(const VCardProperty &property)
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

    static QString text(const VCardProperty &property)
    {
        return VCardLineReader::trimmedText(unescapedText(property));
    }

    void map(const VCardProperty &p)
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
                if (!m_contact.birthday)
                    m_contact.birthday = date(p);
                return;
            }
            break;
        case 'e':
            if (p.nameIs("EMAIL")) {
                QString value = text(p);
                if (!value.isEmpty())
                    m_contact.emailAddresses.append(
                        { labelOrElse(p, [&] { return placeLabel(typeFlags(p)); }), value });
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
        case 'n':
            if (p.nameIs("N"))
                return mapName(p);
            if (p.nameIs("NICKNAME")) {
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
                if (m_haveOrg)
                    return;
                m_haveOrg = true;
                mapOrganization(p);
                return;
            }
            break;
        case 'p':
            if (p.nameIs("PHOTO")) {
                if (m_readImages && m_contact.extras().imageData.isEmpty()) {
                    if (QByteArray photo = photoBytes(p); !photo.isEmpty())
                        m_contact.editExtras().imageData = std::move(photo);
                }
                return;
            }
            break;
        case 'r':
            if (p.nameIs("RELATED")) {
                if (p.hasParameterValue("VALUE", "text"))
                    mapRelation(p);
                return;
            }
            break;
        case 's':
            if (p.nameIs("SOUND")) {
                if (p.hasType("X-IRMC-N")) {
                    QList<QString> parts = VCardLineReader::components(VCardLineReader::decodedText(p), u';');
                    m_irmcFamily = parts.value(0).trimmed();
                    m_irmcGiven = parts.value(1).trimmed();
                }
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
                        { labelOrElse(p, [&] { return phoneLabel(typeFlags(p)); }), value });
                return;
            }
            if (p.nameIs("TITLE")) {
                setOnce(m_contact.jobTitle, text(p));
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
                        { labelOrElse(p, [&] { return placeLabel(typeFlags(p)); }), value });
                return;
            }
            break;
        case 'x':
            mapExtension(p);
            return;
        default:
            break;
        }
    }

    void mapExtension(const VCardProperty &p)
    {
        if (p.nameIs("X-PHONETIC-FIRST-NAME"))
            return setOnce(m_contact.phoneticGivenName, text(p));
        if (p.nameIs("X-PHONETIC-MIDDLE-NAME"))
            return setExtraOnce(&StoreContactExtras::phoneticMiddleName, text(p));
        if (p.nameIs("X-PHONETIC-LAST-NAME"))
            return setOnce(m_contact.phoneticFamilyName, text(p));
        if (p.nameIs("X-MAIDENNAME"))
            return setExtraOnce(&StoreContactExtras::previousFamilyName, text(p));
        if (p.nameIs("X-ABSHOWAS")) {
            if (text(p).compare(u"COMPANY"_s, Qt::CaseInsensitive) == 0)
                m_contact.contactType = StoreContact::Type::Organization;
            return;
        }
        if (p.nameIs("X-ABRELATEDNAMES"))
            return mapRelation(p);
        if (p.nameIs("X-ABDATE"))
            return mapDate(p, QString());
        if (p.nameIs("X-SOCIALPROFILE"))
            return mapSocialProfile(p);
        QString service = serviceFromLegacyName(p);
        if (!service.isEmpty()) {
            QString user = text(p);
            QStringView scheme, rest;
            if (splitScheme(user, &scheme, &rest) && !serviceFromScheme(scheme).isEmpty())
                user = rest.toString();
            addInstantMessage(labelOrElse(p, [&] { return placeLabel(typeFlags(p)); }), service, user);
        }
    }

    // The organisation, then every further unit joined as the department.
    void mapOrganization(const VCardProperty &p)
    {
        QString parts[3];
        const int count = VCardLineReader::structuredComponents(p, parts, 3);
        m_contact.organizationName = VCardLineReader::trimmedText(std::move(parts[0]));
        if (count < 3) {
            m_contact.departmentName = VCardLineReader::trimmedText(std::move(parts[1]));
            return;
        }
        // Three units or more: rarely written, read as a list so that empty trailing units go.
        QList<QString> units = VCardLineReader::components(VCardLineReader::decodedText(p), u';');
        units.removeFirst();
        while (!units.isEmpty() && units.back().trimmed().isEmpty())
            units.removeLast();
        m_contact.departmentName = units.join(u';').trimmed();
    }

    void mapName(const VCardProperty &p)
    {
        if (m_haveName)
            return;
        m_haveName = true;
        QString parts[5];
        VCardLineReader::structuredComponents(p, parts, 5);
        m_contact.familyName = VCardLineReader::trimmedText(std::move(parts[0]));
        m_contact.givenName = VCardLineReader::trimmedText(std::move(parts[1]));
        setExtraOnce(&StoreContactExtras::middleName, VCardLineReader::trimmedText(std::move(parts[2])));
        setExtraOnce(&StoreContactExtras::namePrefix, VCardLineReader::trimmedText(std::move(parts[3])));
        // Anything past the fifth component is kept with the suffix rather than dropped.
        setExtraOnce(&StoreContactExtras::nameSuffix, VCardLineReader::trimmedText(std::move(parts[4])));
    }

    void mapAddress(const VCardProperty &p)
    {
        QString parts[7];
        const int count = VCardLineReader::structuredComponents(p, parts, 7);
        GroupExtras *extras = extrasFor(p.group);
        bool empty = !extras || extras->isoCountryCode.isEmpty();
        for (int i = 0; i < count; ++i) {
            parts[i] = VCardLineReader::trimmedText(std::move(parts[i]));
            empty = empty && parts[i].isEmpty();
        }
        if (empty)
            return;
        // Filled where it lies in the list: an address is eight strings and a label.
        auto &entry = m_contact.postalAddresses.emplaceBack();
        entry.label = labelOrElse(p, [&] { return placeLabel(typeFlags(p)); });
        StorePostalAddress &address = entry.value;
        address.subAdministrativeArea = std::move(parts[0]);
        address.subLocality = std::move(parts[1]);
        address.street = std::move(parts[2]);
        address.city = std::move(parts[3]);
        address.state = std::move(parts[4]);
        address.postalCode = std::move(parts[5]);
        address.country = std::move(parts[6]);
        if (extras)
            address.isoCountryCode = extras->isoCountryCode;
    }

    void mapImpp(const VCardProperty &p)
    {
        QString value = text(p);
        QString service;
        QString user = value;
        QStringView scheme, rest;
        if (splitScheme(value, &scheme, &rest)) {
            service = serviceFromScheme(scheme);
            if (service.isEmpty())
                service = scheme.toString();
            user = rest.toString();
        }
        if (p.hasParameter("X-SERVICE-TYPE"))
            service = paramText(p.parameter("X-SERVICE-TYPE"));
        if (service.isEmpty())
            service = serviceFromTypes(p);
        addInstantMessage(labelOrElse(p, [&] { return placeLabel(typeFlags(p)); }), service, user);
    }

    // Some servers name the service only as a TYPE (IMPP;TYPE=SKYPE:name): any type that is not a
    // place or a preference is taken as the service, so the address keeps it.
    QString serviceFromTypes(const VCardProperty &p)
    {
        QString service;
        VCardLineReader::forEachParameter(p.parameters, [&](QByteArrayView name, QByteArrayView value) {
            if (!VCardLineReader::equalsIgnoringCase(name, "TYPE"))
                return true;
            for (const char *word :
                { "home", "work", "other", "pref", "internet", "voice", "personal", "business" }) {
                if (VCardLineReader::equalsIgnoringCase(value, word))
                    return true;
            }
            const QString text = paramText(value);
            service = serviceFromScheme(text.toLower());
            if (service.isEmpty())
                service = text;
            return false;
        });
        return service;
    }

    void addInstantMessage(const QString &label, const QString &service, const QString &user)
    {
        if (user.isEmpty())
            return;
        // Real cards hold a handful; the look for duplicates stays bounded on hostile ones.
        const qsizetype checked = std::min<qsizetype>(m_contact.extras().instantMessageAddresses.size(), 64);
        for (qsizetype i = 0; i < checked; ++i) {
            const auto &existing = m_contact.extras().instantMessageAddresses[i];
            if (existing.value.username == user
                && existing.value.service.compare(service, Qt::CaseInsensitive) == 0)
                return; // the same address written twice, in the new and the old form
        }
        m_contact.editExtras().instantMessageAddresses.append({ label, { user, service } });
    }

    void mapSocialProfile(const VCardProperty &p)
    {
        StoreSocialProfile profile;
        profile.urlString = text(p);
        VCardLineReader::forEachParameter(p.parameters, [&](QByteArrayView name, QByteArrayView value) {
            if (VCardLineReader::equalsIgnoringCase(name, "TYPE")) {
                if (profile.service.isEmpty() && !VCardLineReader::equalsIgnoringCase(value, "pref"))
                    profile.service = paramText(value);
            } else if (VCardLineReader::equalsIgnoringCase(name, "X-USER")) {
                profile.username = paramText(value);
            } else if (VCardLineReader::equalsIgnoringCase(name, "X-USERID")) {
                profile.userIdentifier = paramText(value);
            }
            return true;
        });
        if (profile.username.isEmpty()) {
            // The user name is the profile's last path segment when the card gives none.
            QStringView url = profile.urlString;
            while (url.endsWith(u'/'))
                url.chop(1);
            qsizetype slash = url.lastIndexOf(u'/');
            profile.username = (slash >= 0 ? url.sliced(slash + 1) : url).toString();
        }
        if (profile.username.isEmpty() && profile.urlString.isEmpty())
            return;
        m_contact.editExtras().socialProfiles.append({ groupLabel(p), profile });
    }

    void mapRelation(const VCardProperty &p)
    {
        QString name = text(p);
        if (name.isEmpty())
            return;
        m_contact.editExtras().contactRelations.append(
            { labelOrElse(p, [&] { return labelFromTypeWord(p); }), { name } });
    }

    void mapDate(const VCardProperty &p, const QString &fixedLabel)
    {
        std::optional<DateComponents> value = date(p);
        if (!value)
            return;
        QString label
            = fixedLabel.isEmpty() ? labelOrElse(p, [&] { return labelFromTypeWord(p); }) : fixedLabel;
        m_contact.editExtras().dates.append({ label, *value });
    }

    std::optional<DateComponents> date(const VCardProperty &p)
    {
        int omitYear = 0;
        QByteArrayView omit = p.parameter("X-APPLE-OMIT-YEAR");
        if (!omit.isEmpty())
            omitYear = QByteArray(omit.data(), omit.size()).toInt();
        return VCardPropertyMapper::parseDate(text(p), omitYear);
    }

    template <typename F> QString labelOrElse(const VCardProperty &p, F &&fallback)
    {
        QString label = groupLabel(p);
        return label.isEmpty() ? fallback() : label;
    }

    static void setOnce(QString &field, const QString &value)
    {
        if (field.isEmpty())
            field = value;
    }

    // The extras are made only for a value to keep.
    void setExtraOnce(QString StoreContactExtras::*field, QString &&value)
    {
        if (!value.isEmpty() && (m_contact.extras().*field).isEmpty())
            m_contact.editExtras().*field = std::move(value);
    }

    void finish()
    {
        if (m_contact.phoneticFamilyName.isEmpty() && m_contact.phoneticGivenName.isEmpty()) {
            m_contact.phoneticFamilyName = m_irmcFamily;
            m_contact.phoneticGivenName = m_irmcGiven;
        }
        if (!m_haveName && !m_formattedName.isEmpty() && m_formattedName != m_contact.organizationName
            && m_contact.contactType == StoreContact::Type::Person)
            m_contact.givenName = m_formattedName;
        if (m_contact.contactType == StoreContact::Type::Organization && m_contact.organizationName.isEmpty()
            && !m_haveOrg && !m_haveName)
            m_contact.organizationName = m_formattedName;
        if (m_contact.identifier.isEmpty())
            m_contact.identifier = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    }

    const VCardCard &m_card;
    bool m_readImages = true;
    bool m_packStrings = true;
    StoreContact m_contact;
    QVarLengthArray<GroupExtras, 8> m_extras;
    QString m_formattedName;
    QString m_irmcFamily;
    QString m_irmcGiven;
    bool m_haveName = false;
    bool m_haveOrg = false;
};

} // namespace

std::optional<DateComponents> VCardPropertyMapper::parseDate(QStringView text, int omitYear)
{
    text = text.trimmed();
    qsizetype t = text.indexOf(u'T');
    if (t >= 0)
        text = text.first(t);
    bool yearless = text.startsWith(u"--");
    if (yearless)
        text = text.sliced(2);
    char digits[9];
    int count = 0;
    for (QChar c : text) {
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            if (count == 8)
                return std::nullopt;
            digits[count++] = char(c.unicode());
        } else if (c != u'-') {
            return std::nullopt;
        }
    }
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i)
            value = value * 10 + (digits[i] - '0');
        return value;
    };
    DateComponents date;
    if (yearless && count == 4) {
        date = { 0, number(0, 2), number(2, 2) };
    } else if (!yearless && count == 8) {
        date = { number(0, 4), number(4, 2), number(6, 2) };
        if (omitYear != 0 && date.year == omitYear)
            date.year = 0;
    } else {
        return std::nullopt;
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<StoreContact> VCardPropertyMapper::contactFromCard(
    const VCardCard &card, QString *error, bool readImages, bool packStrings)
{
    if (!card.error.isEmpty()) {
        if (error)
            *error = card.error;
        return std::nullopt;
    }
    bool hasContent = false;
    for (const VCardProperty &property : card.properties) {
        if (!property.nameIs("VERSION")) {
            hasContent = true;
            break;
        }
    }
    if (!hasContent) {
        if (error)
            *error = QCoreApplication::translate(
                "VCardReader", "the card that begins on line %1 holds no properties")
                         .arg(card.firstLine);
        return std::nullopt;
    }
    const CardTextArena::Scope arena;
    return CardMapper(card, readImages, packStrings).run();
}
