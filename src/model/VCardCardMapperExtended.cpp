#include "model/CharsetDecoder.h"
#include "model/StoreKeys.h"
#include "model/UriText.h"
#include "model/VCardCardMapper.h"
#include "model/VCardPropertyMapper.h"
#include "model/VCardVocabulary.h"

using namespace Qt::StringLiterals;

// Messaging addresses, social profiles, related names and dates, and the properties other clients
// write for them.

namespace {

// A quote left inside a parameter value (an unbalanced one) is no part of it: no parameter value
// can hold one when written back, so reading it would make a second reading differ from the first.
QString paramText(QByteArrayView value)
{
    QString text = CharsetDecoder::decodeUtf8OrCharset(value, {});
    text.remove(u'"');
    return text;
}

} // namespace

void VCardCardMapper::mapExtension(const VCardProperty &p)
{
    if (p.nameIs("X-PHONETIC-FIRST-NAME"))
        return setOnce(m_contact.phoneticGivenName, text(p));
    if (p.nameIs("X-PHONETIC-MIDDLE-NAME"))
        return setExtraOnce(&StoreContactExtras::phoneticMiddleName, text(p));
    if (p.nameIs("X-PHONETIC-LAST-NAME"))
        return setOnce(m_contact.phoneticFamilyName, text(p));
    if (p.nameIs("X-MAIDENNAME"))
        return setExtraOnce(&StoreContactExtras::previousFamilyName, text(p));
    // One address book's release wrote the name twice over.
    if (p.nameIs("X-ABSHOWAS") || p.nameIs("X-ABSHOWAS-ABSHOWAS")) {
        if (text(p).compare(u"COMPANY"_s, Qt::CaseInsensitive) == 0)
            m_contact.contactType = StoreContact::Type::Organization;
        return;
    }
    if (p.nameIs("X-ABRELATEDNAMES"))
        return mapRelation(p, QString());
    if (p.nameIs("X-ABDATE"))
        return mapDate(p, QString());
    if (p.nameIs("X-SOCIALPROFILE"))
        return mapSocialProfile(p);
    if (p.nameIs("X-ANDROID-CUSTOM"))
        return mapAndroidCustom(p);
    const VCardVocabulary::Extension meaning = VCardVocabulary::extension(p);
    using Kind = VCardVocabulary::Extension::Kind;
    switch (meaning.kind) {
    case Kind::Relation:
        return mapRelation(p, meaning.label);
    case Kind::Date:
        return mapDate(p, meaning.label);
    case Kind::InstantMessage:
        return mapLegacyInstantMessage(p, meaning.service);
    case Kind::SocialProfile: {
        StoreSocialProfile profile;
        profile.username = text(p);
        profile.service = meaning.service;
        if (!profile.username.isEmpty())
            m_contact.editExtras().socialProfiles.append({ meaning.service, profile });
        return;
    }
    case Kind::Url:
        return addPlain(m_contact.urlAddresses, p, labelOrElse(p, [&] { return meaning.label; }));
    case Kind::Phone:
        return addPlain(
            m_contact.phoneNumbers, p, labelOrElse(p, [&] { return VCardVocabulary::phoneLabel(p); }));
    case Kind::Department:
        return setOnce(m_contact.departmentName, text(p));
    case Kind::None:
        break;
    }
    keepOther(p);
}

void VCardCardMapper::mapAndroidCustom(const VCardProperty &p)
{
    // mime type;data1;data2;data3;...: the phone's own row, exported as it lies in its database.
    QString parts[5];
    const int count = VCardLineReader::structuredComponents(p, parts, 5);
    if (count < 2)
        return;
    const QString kind = parts[0].trimmed();
    QString value = parts[1].trimmed();
    const int type = parts[2].trimmed().toInt();
    const QString custom = parts[3].trimmed();
    if (kind == u"vnd.android.cursor.item/nickname"_s) {
        setExtraOnce(&StoreContactExtras::nickname, std::move(value));
    } else if (kind == u"vnd.android.cursor.item/relation"_s) {
        if (!value.isEmpty())
            m_contact.editExtras().contactRelations.append(
                { VCardVocabulary::androidRelationLabel(type, custom), { value } });
    } else if (kind == u"vnd.android.cursor.item/contact_event"_s) {
        const std::optional<DateComponents> date = VCardPropertyMapper::parseDate(value);
        if (!date)
            return;
        if (type == VCardVocabulary::AndroidBirthdayType) {
            if (!m_contact.birthday)
                m_contact.birthday = date;
            return;
        }
        m_contact.editExtras().dates.append({ VCardVocabulary::androidEventLabel(type, custom), *date });
    } else {
        keepOther(p); // a row of a kind the phone keeps to itself goes back to it
    }
}

void VCardCardMapper::mapLegacyInstantMessage(const VCardProperty &p, const QString &fixedService)
{
    const QString label = labelOrElse(p, [&] { return VCardVocabulary::placeLabel(p); });
    // One address book keeps several addresses in one value, parted by U+E000.
    for (QString user : text(p).split(QChar(0xE000), Qt::SkipEmptyParts)) {
        QString service = fixedService;
        QStringView scheme, rest;
        if (VCardVocabulary::splitScheme(user, &scheme, &rest)) {
            // The URI's scheme says the service again (X-SIP:sip:...) or names it.
            const QString schemeService = VCardVocabulary::serviceFromScheme(scheme);
            if (!schemeService.isEmpty() || scheme.compare(service, Qt::CaseInsensitive) == 0) {
                if (service.isEmpty())
                    service = schemeService;
                user = UriText::percentDecoded(rest);
            }
        }
        addInstantMessage(label, service, user.trimmed());
    }
}

void VCardCardMapper::addPlain(
    QList<StoreLabeledValue<QString>> &list, const VCardProperty &p, QString &&label)
{
    QString value = text(p);
    if (!value.isEmpty())
        list.append({ std::move(label), std::move(value) });
}

void VCardCardMapper::mapImpp(const VCardProperty &p)
{
    QString value = text(p);
    QString service;
    QString user = value;
    QStringView scheme, rest;
    if (VCardVocabulary::splitScheme(value, &scheme, &rest)) {
        service = VCardVocabulary::serviceFromScheme(scheme);
        if (service.isEmpty())
            service = scheme.toString();
        // A URI: what it could not hold bare is percent-encoded (xmpp:alice%40example.com).
        user = UriText::percentDecoded(rest);
    }
    if (p.hasParameter("X-SERVICE-TYPE")) {
        // Writers spell the services in any case (gadugadu, GoogleTalk): the store's own spelling
        // where it has one.
        service = paramText(p.parameter("X-SERVICE-TYPE"));
        if (const QString known = VCardVocabulary::serviceFromScheme(service); !known.isEmpty())
            service = known;
    }
    if (service.isEmpty())
        service = serviceFromTypes(p);
    addInstantMessage(labelOrElse(p, [&] { return VCardVocabulary::placeLabel(p); }), service, user);
}

QString VCardCardMapper::serviceFromTypes(const VCardProperty &p)
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
        service = VCardVocabulary::serviceFromScheme(text.toLower());
        if (service.isEmpty())
            service = text;
        return false;
    });
    return service;
}

void VCardCardMapper::addInstantMessage(const QString &label, const QString &service, const QString &user)
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

void VCardCardMapper::mapSocialProfile(const VCardProperty &p)
{
    StoreSocialProfile profile;
    profile.urlString = text(p);
    VCardLineReader::forEachParameter(p.parameters, [&](QByteArrayView name, QByteArrayView value) {
        if (VCardLineReader::equalsIgnoringCase(name, "TYPE")) {
            // A quoted "pref" is a service of that name, which is how one is written.
            if (profile.service.isEmpty()
                && (!VCardLineReader::equalsIgnoringCase(value, "pref")
                    || VCardLineReader::isQuotedParameterValue(p.parameters, value)))
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
        // It is written back as a parameter, which holds no quote or line break: it is read as
        // it will read back.
        profile.username.remove(u'"');
        profile.username.replace(u'\r', u' ').replace(u'\n', u' ');
    }
    if (profile.username.isEmpty() && profile.urlString.isEmpty())
        return;
    m_contact.editExtras().socialProfiles.append({ groupLabel(p), profile });
}

void VCardCardMapper::mapRelation(const VCardProperty &p, const QString &fixedLabel)
{
    QString name = text(p);
    if (name.isEmpty())
        return;
    QString label = fixedLabel.isEmpty() ? labelOrElse(p, [&] { return typeLabel(p); })
                                         : labelOrElse(p, [&] { return fixedLabel; });
    m_contact.editExtras().contactRelations.append({ std::move(label), { name } });
}

QString VCardCardMapper::typeLabel(const VCardProperty &p)
{
    // A kind the labels have no word for (co-worker, neighbor) is the label itself: read as none,
    // it would come back under whatever label the record gives an entry without one.
    QString word = VCardVocabulary::labelFromTypeWord(p);
    VCardLineReader::forEachParameter(p.parameters, [&](QByteArrayView param, QByteArrayView value) {
        if (!word.isEmpty())
            return false;
        if (!VCardLineReader::equalsIgnoringCase(param, "TYPE"))
            return true;
        // vCard 2.1 writes its encodings as bare words, read as types: they name no kind.
        for (const char *none : { "pref", "quoted-printable", "base64", "b", "8bit", "7bit" }) {
            if (VCardLineReader::equalsIgnoringCase(value, none))
                return true;
        }
        word = paramText(value);
        return true;
    });
    return word;
}

void VCardCardMapper::mapRelated(const VCardProperty &p)
{
    QString name = text(p);
    // vCard 4.0 gives a link unless VALUE=text says otherwise. A mail or phone link names the
    // person by the address it holds; any other (urn:uuid:, a web page) is kept as it stands, the
    // only name the card gives.
    QStringView scheme, rest;
    if (!p.hasParameterValue("VALUE", "text") && VCardVocabulary::splitScheme(name, &scheme, &rest)
        && (scheme.compare(u"mailto", Qt::CaseInsensitive) == 0
            || scheme.compare(u"tel", Qt::CaseInsensitive) == 0))
        name = UriText::percentDecoded(rest).trimmed();
    if (name.isEmpty())
        return;
    QString label = labelOrElse(p, [&] { return typeLabel(p); });
    m_contact.editExtras().contactRelations.append({ std::move(label), { std::move(name) } });
}

void VCardCardMapper::mapDate(const VCardProperty &p, const QString &fixedLabel)
{
    std::optional<DateComponents> value = date(p);
    if (!value)
        return;
    QString label = fixedLabel.isEmpty() ? labelOrElse(p, [&] { return typeLabel(p); }) : fixedLabel;
    m_contact.editExtras().dates.append({ std::move(label), *value });
}

std::optional<DateComponents> VCardCardMapper::date(const VCardProperty &p)
{
    int omitYear = 0;
    QByteArrayView omit = p.parameter("X-APPLE-OMIT-YEAR");
    if (!omit.isEmpty())
        omitYear = QByteArray(omit.data(), omit.size()).toInt();
    return VCardPropertyMapper::parseDate(text(p), omitYear);
}
