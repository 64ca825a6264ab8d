#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/VCardWriter.h"
#include "model/ZRPerson.h"

#include <QHash>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString text(const QVariantMap &entry, const QString &key)
{
    return entry.value(key).toString();
}

// The store label for an entry's label. "No label" is the record's word for "none", not a custom
// label, so it goes back to the store as no label at all.
QString storeLabelOf(const QString &label)
{
    if (label == LabelText::NoLabel)
        return u""_s;
    return Labels::CNLabelFromLabel(label);
}

// The dictionary a list value holds, read in place; anything else reads as an empty dictionary.
const QVariantMap &entryOf(const QVariant &value)
{
    static const QVariantMap empty;
    return value.typeId() == QMetaType::QVariantMap ? *static_cast<const QVariantMap *>(value.constData())
                                                    : empty;
}

// The same for the fields whose entries have always been read through toMap(): another kind of
// dictionary there reads as its conversion, kept in storage.
const QVariantMap &convertedEntryOf(const QVariant &value, QVariantMap &storage)
{
    if (value.typeId() == QMetaType::QVariantMap)
        return *static_cast<const QVariantMap *>(value.constData());
    storage = value.toMap();
    return storage;
}

// The service constant for the lower-case service names some writers use.
QString serviceConstant(const QString &service)
{
    if (service == u"facebook"_s)
        return CN::SocialProfileServiceFacebook;
    if (service == u"twitter"_s)
        return CN::SocialProfileServiceTwitter;
    if (service == u"flickr"_s)
        return CN::SocialProfileServiceFlickr;
    if (service == u"linkedin"_s)
        return CN::SocialProfileServiceLinkedIn;
    return service;
}

std::optional<DateComponents> componentsOf(const QVariant &value)
{
    if (value.typeId() == qMetaTypeId<DateComponents>())
        return value.value<DateComponents>();
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return DateComponents::fromDate(value.toDate());
    return std::nullopt;
}

// A dictionary of the given entries. Keys given in ascending order are placed with one comparison
// each, the end serving as the hint, instead of a search from the root: records made while a file is
// read spent half their time there. Keys out of order still land in the right place.
QVariantMap dictionary(std::initializer_list<std::pair<const QString &, QVariant>> entries)
{
    QVariantMap map;
    for (const auto &[key, value] : entries)
        map.insert(map.cend(), key, value);
    return map;
}

template <typename T> void setIfDifferent(T &field, const T &value)
{
    if (field != value)
        field = value;
}

// The same for the contact's extras, which are made only when something in them changes.
template <typename T> void setExtraIfDifferent(StoreContact &c, T StoreContactExtras::*field, T &&value)
{
    if (c.extras().*field != value)
        c.editExtras().*field = std::move(value);
}

} // namespace

std::shared_ptr<ZRPerson> ZRPerson::fromStoreContact(const StoreContact &contact)
{
    std::shared_ptr<ZRPerson> person(new ZRPerson(NoDefaults {}));
    person->fillFromStoreContact(contact);
    return person;
}

std::shared_ptr<ZRPerson> ZRPerson::fromCard(
    const StoreContact &contact, const QByteArray &text, qsizetype offset, qsizetype length)
{
    if (offset < 0 || length <= 0 || offset + length > text.size())
        return fromStoreContact(contact);
    std::shared_ptr<ZRPerson> person(new ZRPerson(NoDefaults {}));
    person->fillNames(contact);
    person->m_source = text;
    person->m_sourceOffset = offset;
    person->m_sourceLength = length;
    person->m_unbuilt = true;
    person->noteUnbuiltLabels(contact);
    if (person->m_showAsPerson) {
        person->compositeName();
    } else {
        // What compositeName() reads from the strings dictionary, taken from the contact instead.
        person->m_compositeName
            = contact.organizationName.isEmpty() ? LabelText::NoName : contact.organizationName;
        person->m_uniqueId2Owed = true;
    }
    return person;
}

void ZRPerson::fillFromStoreContact(const StoreContact &c)
{
    fillNames(c);
    fillValues(c);
    compositeName();
    if (!m_showAsPerson)
        computeUniqueId2();
}

// The labelled fields in the order their labels are kept while values are unbuilt.
const QString *const UnbuiltLabelFields[] = { &Ident::Phone, &Ident::Email, &Ident::Address, &Ident::URL,
    &Ident::SocialNetwork, &Ident::InstantMessage, &Ident::Relationship, &Ident::Dates };

void ZRPerson::noteUnbuiltLabels(const StoreContact &c)
{
    const StoreContactExtras &extras = c.extras();
    // The labels as the card has them (services for profiles), shared, not converted: reading a file
    // does no more than keep them, and entryLabels puts them in the record's words when asked.
    m_unbuiltLabels.reserve(c.phoneNumbers.size() + c.emailAddresses.size() + c.postalAddresses.size()
        + c.urlAddresses.size() + extras.socialProfiles.size() + extras.instantMessageAddresses.size()
        + extras.contactRelations.size() + extras.dates.size());
    qsizetype field = 0;
    auto start
        = [&] { m_unbuiltLabelStarts[field++] = quint16(qMin<qsizetype>(m_unbuiltLabels.size(), 0xFFFF)); };
    auto add = [&](const auto &list) {
        start();
        for (const auto &lv : list)
            m_unbuiltLabels.append(lv.label);
    };
    add(c.phoneNumbers);
    add(c.emailAddresses);
    add(c.postalAddresses);
    add(c.urlAddresses);
    start();
    for (const auto &lv : extras.socialProfiles)
        m_unbuiltLabels.append(lv.value.service);
    add(extras.instantMessageAddresses);
    add(extras.contactRelations);
    add(extras.dates);
    m_unbuiltLabelStarts[field] = quint16(qMin<qsizetype>(m_unbuiltLabels.size(), 0xFFFF));
}

void ZRPerson::entryLabels(const QString &identifier, QStringList &out)
{
    out.clear();
    // More labels than the starts can count are not kept short: the values are built instead.
    if (m_unbuilt && m_unbuiltLabels.size() < 0xFFFF) {
        for (qsizetype field = 0; field < 8; ++field) {
            if (*UnbuiltLabelFields[field] != identifier)
                continue;
            // The same labels the entries get when they are built (see fillValues).
            const bool services = UnbuiltLabelFields[field] == &Ident::SocialNetwork;
            for (qsizetype i = m_unbuiltLabelStarts[field]; i < m_unbuiltLabelStarts[field + 1]; ++i) {
                const QString &label = m_unbuiltLabels.at(i);
                out.append(services ? serviceConstant(label) : Labels::labelFromCNLabel(label));
            }
            return;
        }
        return;
    }
    const QVariantList *values = labeledValues(identifier);
    if (!values)
        return;
    for (const QVariant &value : *values)
        out.append(entryValue(value, Key::Label).toString());
}

void ZRPerson::buildFromSource()
{
    m_unbuilt = false;
    m_unbuiltLabels = QStringList();
    const StoreContact read = sourceContact();
    m_source = QByteArray();
    fillValues(read);
    if (m_uniqueId2Owed) {
        m_uniqueId2Owed = false;
        computeUniqueId2();
    }
}

StoreContact ZRPerson::sourceContact() const
{
    QString error;
    const QList<StoreContact> read = VCardSerialization::contactsWithData(
        QByteArray::fromRawData(m_source.constData() + m_sourceOffset, m_sourceLength), &error,
        VCardSerialization::Images::Skip); // the record kept the picture when the card was first read
    if (read.isEmpty()) {
        // The same bytes were read once already; failing now would mean the reader is not repeatable.
        qWarning("ZRPerson: the card read before could not be read again: %s", qUtf8Printable(error));
        return StoreContact();
    }
    return read.first();
}

void ZRPerson::fillNames(const StoreContact &c)
{
    m_created = false;
    m_uniqueId = c.identifier;
    m_defaultCountryCode = ContactDefaults::countryCode();
    switch (ContactDefaults::sortOrder()) {
    case ContactDefaults::SortOrder::GivenName:
        m_defaultNameOrdering = 1;
        break;
    case ContactDefaults::SortOrder::FamilyName:
        m_defaultNameOrdering = 2;
        break;
    default:
        m_defaultNameOrdering = 0;
    }

    int order = 0;
    // A contact that carries its order (one built from a record) keeps it; others get the locale's.
    const StoreContact::NameOrder nameOrder = c.nameOrder != StoreContact::NameOrder::Default
        ? c.nameOrder
        : ContactDefaults::nameOrderForContact(c);
    switch (nameOrder) {
    case ContactDefaults::NameOrder::GivenNameFirst:
        order = 1;
        break;
    case ContactDefaults::NameOrder::FamilyNameFirst:
        order = 2;
        break;
    default:
        order = 0;
    }
    const bool person = c.contactType == StoreContact::Type::Person;
    m_nameValue = dictionary({
        { Ident::FirstName, c.givenName },
        { Ident::LastName, c.familyName },
        { Ident::MiddleName, c.extras().middleName },
        { Ident::PreviousFamilyName, c.extras().previousFamilyName },
        { Key::NameOrdering, order },
        { Key::ShowAsPerson, person },
    });
    deriveName();
    m_imageData = c.extras().imageData;
    m_thumbnailImageData = c.extras().thumbnailImageData;
}

void ZRPerson::fillValues(const StoreContact &c)
{
    const StoreContactExtras &extras = c.extras();
    QVariantMap &strings = m_stringValues.emplace();
    const std::pair<const QString &, const QString &> stringFields[] = {
        { Ident::Company, c.organizationName },
        { Ident::Department, c.departmentName },
        { Ident::JobTitle, c.jobTitle },
        { Ident::Nickname, extras.nickname },
        { Ident::Title, extras.namePrefix },
        { Ident::Suffix, extras.nameSuffix },
        { Ident::Note, c.note },
    };
    for (const auto &[id, value] : stringFields) {
        if (!value.isEmpty())
            strings.insert(id, value);
    }

    QVariantMap &phonetic = m_phoneticNameValue.emplace();
    if (!c.phoneticGivenName.isEmpty())
        phonetic.insert(Ident::FirstName, c.phoneticGivenName);
    if (!extras.phoneticMiddleName.isEmpty())
        phonetic.insert(Ident::MiddleName, extras.phoneticMiddleName);
    if (!c.phoneticFamilyName.isEmpty())
        phonetic.insert(Ident::LastName, c.phoneticFamilyName);
    derivePhoneticName();

    QVariantList &phones = m_phoneValues.emplace();
    phones.reserve(c.phoneNumbers.size());
    for (qsizetype i = 0; i < c.phoneNumbers.size(); ++i) {
        const auto &lv = c.phoneNumbers.at(i);
        phones.append(dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i },
            { Key::PhoneNumber, lv.value }, { Key::StringValue, lv.value }, { Key::Value, lv.value } }));
    }

    QVariantList &emails = m_emailValues.emplace();
    emails.reserve(c.emailAddresses.size());
    for (qsizetype i = 0; i < c.emailAddresses.size(); ++i) {
        const auto &lv = c.emailAddresses.at(i);
        QVariantMap entry = dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) },
            { Key::LabelIndex, i }, { Key::Value, lv.value } });
        updateEmailValue(entry);
        emails.append(entry);
    }

    // Every address is derived just below: the table's first read need not derive them all again.
    // The generation is read first so that formats changing meanwhile still count as a change.
    const int addressGeneration = AddressFormats::generation();
    QVariantList &addresses = m_addressValues.emplace();
    addresses.reserve(c.postalAddresses.size());
    for (qsizetype i = 0; i < c.postalAddresses.size(); ++i) {
        const auto &lv = c.postalAddresses.at(i);
        const StorePostalAddress &a = lv.value;
        QVariantMap entry = dictionary({
            { Ident::City, a.city },
            { Ident::Country, a.country },
            { CN::PostalAddressISOCountryCodeKey, a.isoCountryCode },
            { Ident::State, a.state },
            { Ident::Street, a.street },
            { Ident::ZIP, a.postalCode },
            { Key::Label, Labels::labelFromCNLabel(lv.label) },
            { Key::LabelIndex, i },
            { Key::PostalAddress, QVariant::fromValue(a) },
        });
        updateAddressValue(entry, AddressOption);
        addresses.append(entry);
    }
    m_addressGeneration = addressGeneration;

    QVariantList &urls = m_urlValues.emplace();
    urls.reserve(c.urlAddresses.size());
    for (qsizetype i = 0; i < c.urlAddresses.size(); ++i) {
        const auto &lv = c.urlAddresses.at(i);
        urls.append(dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i },
            { Key::StringValue, lv.value }, { Key::Value, lv.value } }));
    }

    QVariantList &sns = m_snsValues.emplace();
    sns.reserve(extras.socialProfiles.size());
    for (qsizetype i = 0; i < extras.socialProfiles.size(); ++i) {
        const StoreSocialProfile &p = extras.socialProfiles.at(i).value;
        const QString service = serviceConstant(p.service);
        sns.append(QVariantMap {
            { Key::SocialProfile, QVariant::fromValue(p) },
            { Key::Label, service },
            { CN::SocialProfileServiceKey, service },
            { CN::SocialProfileUsernameKey, p.username },
            { Key::Value, p.username },
            { Key::StringValue, p.username },
            { CN::SocialProfileURLStringKey, p.urlString },
            { CN::SocialProfileUserIdentifierKey, p.userIdentifier },
            { Key::LabelIndex, i },
        });
    }

    QVariantList &ims = m_imsValues.emplace();
    ims.reserve(extras.instantMessageAddresses.size());
    for (qsizetype i = 0; i < extras.instantMessageAddresses.size(); ++i) {
        const auto &lv = extras.instantMessageAddresses.at(i);
        QVariantMap entry {
            { Key::Label, Labels::labelFromCNLabel(lv.label) },
            { Key::InstantMessageAddress, QVariant::fromValue(lv.value) },
            { CN::InstantMessageAddressServiceKey, lv.value.service },
            { Key::Value, lv.value.username },
            { Key::LabelIndex, i },
        };
        updateIMSValue(entry);
        ims.append(entry);
    }

    QVariantList &relations = m_relationshipValues.emplace();
    relations.reserve(extras.contactRelations.size());
    for (qsizetype i = 0; i < extras.contactRelations.size(); ++i) {
        const auto &lv = extras.contactRelations.at(i);
        relations.append(QVariantMap { { Key::ContactRelation, QVariant::fromValue(lv.value) },
            { Key::Value, lv.value.name }, { Key::StringValue, lv.value.name },
            { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i } });
    }

    QVariantList &dates = m_datesValues.emplace();
    dates.reserve(extras.dates.size());
    for (qsizetype i = 0; i < extras.dates.size(); ++i) {
        const auto &lv = extras.dates.at(i);
        dates.append(QVariantMap { { Key::Value, QVariant::fromValue(lv.value) },
            { Key::StringValue, dateStringFromDateComponents(lv.value) },
            { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i } });
    }

    if (c.birthday)
        m_birthdayValue = QVariantMap { { Key::Value, QVariant::fromValue(*c.birthday) },
            { Key::StringValue, dateStringFromDateComponents(*c.birthday) } };
    else
        m_birthdayValue = QVariantMap { { Key::StringValue, u""_s } };

    QVariantList &layouts = m_hagakiLayouts.emplace();
    for (const QVariant &v : addresses) {
        const QVariantMap entry = v.toMap();
        layouts.append(QVariantMap {
            { Key::LabelIndex, entry.value(Key::LabelIndex) }, { Key::Label, entry.value(Key::Label) } });
    }
    if (layouts.isEmpty())
        layouts.append(QVariantMap { { Key::LabelIndex, qsizetype(0) } });
}

void ZRPerson::computeUniqueId2()
{
    materialize();
    QString id;
    const QVariantMap &strings = stringValues();
    for (const QString &key :
        { Ident::Company, Ident::Department, Ident::JobTitle, Ident::Title, Ident::Suffix, Ident::Note })
        id += strings.value(key).toString();
    for (const std::optional<QVariantList> *field : { &m_phoneValues, &m_emailValues, &m_addressValues,
             &m_imsValues, &m_snsValues, &m_relationshipValues, &m_datesValues }) {
        if (!*field)
            continue;
        for (const QVariant &v : **field) {
            const QVariantMap entry = v.toMap();
            id += text(entry, Key::Label);
            id += text(entry, Key::StringValue);
        }
    }
    if (m_birthdayValue)
        id += text(*m_birthdayValue, Key::StringValue);
    m_uniqueId2 = id;
}

StoreContact ZRPerson::contactFromCache(const StoreContact *base)
{
    StoreContact c = base ? *base : StoreContact();
    // Without a base the record's id travels as the contact's, so that it survives a write and read.
    if (c.identifier.isEmpty())
        c.identifier = uniqueId();

    if (m_nameValue) {
        static const QString *const keys[] = { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName,
            &Ident::PreviousFamilyName, &Key::ShowAsPerson, &Key::NameOrdering };
        const QVariant *found[6];
        findKeys(readNameValue(), keys, found);
        setIfDifferent(c.givenName, foundText(found[0]));
        setExtraIfDifferent(c, &StoreContactExtras::middleName, foundText(found[1]));
        setIfDifferent(c.familyName, foundText(found[2]));
        setExtraIfDifferent(c, &StoreContactExtras::previousFamilyName, foundText(found[3]));
        const bool person = found[4] ? found[4]->toBool() : true;
        setIfDifferent(c.contactType, person ? StoreContact::Type::Person : StoreContact::Type::Organization);
        // The order the display name is composed in, the system's when the record has none.
        int order = found[5] ? found[5]->toInt() : 0;
        if (order == 0)
            order = int(ContactDefaults::sortOrder());
        c.nameOrder
            = order == 2 ? StoreContact::NameOrder::FamilyNameFirst : StoreContact::NameOrder::GivenNameFirst;
    }
    // Values not built yet come from the card as they would have come through the dictionaries; the
    // dictionaries themselves are not made for it, so that writing a file just read stays cheap.
    if (m_unbuilt)
        writeUnbuiltValues(c);
    if (m_phoneticNameValue) {
        static const QString *const keys[] = { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName };
        const QVariant *found[3];
        findKeys(*m_phoneticNameValue, keys, found);
        setIfDifferent(c.phoneticGivenName, foundText(found[0]));
        setExtraIfDifferent(c, &StoreContactExtras::phoneticMiddleName, foundText(found[1]));
        setIfDifferent(c.phoneticFamilyName, foundText(found[2]));
    }
    // Each entry's keys are read in one walk through its dictionary: a card is written for every
    // record of an export, and separate lookups from the root cost several times as much. The lists
    // are walked through const references: a walk of a non-const list detaches it, which for an
    // empty list means a reallocation every time.
    auto plainList = [](const std::optional<QVariantList> &field, QList<StoreLabeledValue<QString>> &out) {
        if (!field)
            return;
        out.clear();
        out.reserve(field->size());
        static const QString *const keys[] = { &Key::Value, &Key::Label };
        const QVariant *found[2];
        for (const QVariant &v : *field) {
            findKeys(entryOf(v), keys, found);
            QString value = foundText(found[0]);
            if (!value.isEmpty())
                out.append({ storeLabelOf(foundText(found[1])), std::move(value) });
        }
    };
    plainList(m_phoneValues, c.phoneNumbers);
    plainList(m_emailValues, c.emailAddresses);
    plainList(m_urlValues, c.urlAddresses);
    if (m_addressValues) {
        c.postalAddresses.clear();
        c.postalAddresses.reserve(m_addressValues->size());
        static const QString *const keys[] = { &Key::PostalAddress, &Ident::ZIP, &Ident::State, &Ident::City,
            &Ident::Street, &Ident::Country, &CN::PostalAddressISOCountryCodeKey, &Key::Label };
        const QVariant *found[8];
        for (const QVariant &v : std::as_const(*m_addressValues)) {
            findKeys(entryOf(v), keys, found);
            // Start from the address as read, so parts the record does not show are not lost. Only
            // those are taken from one held as it is: a copy of the whole would touch the text of
            // every part just to replace it.
            StorePostalAddress a;
            if (found[0] && found[0]->typeId() == qMetaTypeId<StorePostalAddress>()) {
                const auto *read = static_cast<const StorePostalAddress *>(found[0]->constData());
                a.subLocality = read->subLocality;
                a.subAdministrativeArea = read->subAdministrativeArea;
            } else if (found[0]) {
                a = found[0]->value<StorePostalAddress>();
            }
            a.postalCode = foundText(found[1]);
            a.state = foundText(found[2]);
            a.city = foundText(found[3]);
            a.street = foundText(found[4]);
            a.country = foundText(found[5]);
            a.isoCountryCode = foundText(found[6]);
            c.postalAddresses.append({ storeLabelOf(foundText(found[7])), std::move(a) });
        }
    }
    QVariantMap converted;
    if (m_snsValues) {
        QList<StoreLabeledValue<StoreSocialProfile>> socialProfiles;
        static const QString *const keys[] = { &CN::SocialProfileUsernameKey, &CN::SocialProfileServiceKey,
            &CN::SocialProfileURLStringKey, &CN::SocialProfileUserIdentifierKey };
        const QVariant *found[4];
        for (const QVariant &v : std::as_const(*m_snsValues)) {
            findKeys(convertedEntryOf(v, converted), keys, found);
            const QString user = foundText(found[0]);
            if (user.isEmpty())
                continue;
            QString service = foundText(found[1]);
            if (service.isEmpty())
                service = CN::SocialProfileServiceTwitter;
            StoreSocialProfile p { foundText(found[2]), user, foundText(found[3]), service };
            socialProfiles.append({ service, p });
        }
        setExtraIfDifferent(c, &StoreContactExtras::socialProfiles, std::move(socialProfiles));
    }
    if (m_imsValues) {
        QList<StoreLabeledValue<StoreInstantMessageAddress>> instantMessageAddresses;
        static const QString *const keys[]
            = { &CN::InstantMessageAddressUsernameKey, &CN::InstantMessageAddressServiceKey, &Key::Label };
        const QVariant *found[3];
        for (const QVariant &v : std::as_const(*m_imsValues)) {
            findKeys(convertedEntryOf(v, converted), keys, found);
            const QString user = foundText(found[0]);
            if (user.isEmpty())
                continue;
            QString service = foundText(found[1]);
            if (service.isEmpty())
                service = CN::InstantMessageServiceAIM;
            instantMessageAddresses.append(
                { storeLabelOf(foundText(found[2])), StoreInstantMessageAddress { user, service } });
        }
        setExtraIfDifferent(
            c, &StoreContactExtras::instantMessageAddresses, std::move(instantMessageAddresses));
    }
    // An entry without a label gets the field's usual one.
    auto labelOr = [](const QVariant *label, const QString &fallback) {
        const QString text = foundText(label);
        return text.isEmpty() ? fallback : storeLabelOf(text);
    };
    if (m_relationshipValues) {
        QList<StoreLabeledValue<StoreContactRelation>> contactRelations;
        static const QString *const keys[] = { &Key::Value, &Key::Label };
        const QVariant *found[2];
        for (const QVariant &v : std::as_const(*m_relationshipValues)) {
            findKeys(convertedEntryOf(v, converted), keys, found);
            const QString name = foundText(found[0]);
            if (!name.isEmpty())
                contactRelations.append(
                    { labelOr(found[1], CN::LabelContactRelationFriend), StoreContactRelation { name } });
        }
        setExtraIfDifferent(c, &StoreContactExtras::contactRelations, std::move(contactRelations));
    }
    if (m_datesValues) {
        QList<StoreLabeledValue<DateComponents>> dates;
        static const QString *const keys[] = { &Key::Value, &Key::Label };
        const QVariant *found[2];
        for (const QVariant &v : std::as_const(*m_datesValues)) {
            findKeys(convertedEntryOf(v, converted), keys, found);
            if (const auto date = found[0] ? componentsOf(*found[0]) : std::nullopt)
                dates.append({ labelOr(found[1], CN::LabelDateAnniversary), *date });
        }
        setExtraIfDifferent(c, &StoreContactExtras::dates, std::move(dates));
    }
    if (m_birthdayValue) {
        const auto it = m_birthdayValue->constFind(Key::Value);
        c.birthday = it == m_birthdayValue->cend() ? std::nullopt : componentsOf(*it);
    }
    if (m_stringValues) {
        // The record is the truth: a text it no longer has is cleared in the contact too.
        static const QString *const keys[] = { &Ident::Company, &Ident::Department, &Ident::Nickname,
            &Ident::JobTitle, &Ident::Title, &Ident::Note, &Ident::Suffix };
        const QVariant *found[7];
        findKeys(*m_stringValues, keys, found);
        setIfDifferent(c.organizationName, foundText(found[0]));
        setIfDifferent(c.departmentName, foundText(found[1]));
        setExtraIfDifferent(c, &StoreContactExtras::nickname, foundText(found[2]));
        setIfDifferent(c.jobTitle, foundText(found[3]));
        setExtraIfDifferent(c, &StoreContactExtras::namePrefix, foundText(found[4]));
        setIfDifferent(c.note, foundText(found[5]));
        setExtraIfDifferent(c, &StoreContactExtras::nameSuffix, foundText(found[6]));
    }
    if (!m_imageData.isEmpty())
        setExtraIfDifferent(c, &StoreContactExtras::imageData, QByteArray(m_imageData));
    if (!m_thumbnailImageData.isEmpty())
        setExtraIfDifferent(c, &StoreContactExtras::thumbnailImageData, QByteArray(m_thumbnailImageData));
    return c;
}

void ZRPerson::writeUnbuiltValues(StoreContact &c) const
{
    StoreContact read = sourceContact();
    // The label as it comes back from the record: read into the record's words and written back.
    // The store's own constants, which the reader gives for the labels TYPE parameters say, are
    // mapped without hashing; a file uses few distinct other labels, so each of those is worked out
    // once per thread.
    auto label = [](const QString &storeLabel) {
        if (Labels::isSharedTableString(storeLabel))
            return storeLabelOf(Labels::labelFromCNLabel(storeLabel));
        thread_local QHash<QString, QString> written;
        const auto it = written.constFind(storeLabel);
        if (it != written.cend())
            return it.value();
        const QString result = storeLabelOf(Labels::labelFromCNLabel(storeLabel));
        if (written.size() < 4096) // custom labels are unbounded; the table is not
            written.insert(storeLabel, result);
        return result;
    };
    setIfDifferent(c.phoneticGivenName, read.phoneticGivenName);
    setIfDifferent(c.phoneticFamilyName, read.phoneticFamilyName);

    // The lists read are the card's own: they are changed where they lie and moved over, as the
    // record would give them back (labels in its words, entries it drops left out).
    auto relabel = [&](auto &list, auto &&dropped, auto &out) {
        list.removeIf(dropped);
        for (auto &lv : list)
            lv.label = label(lv.label);
        out = std::move(list);
    };
    const auto noValue = [](const StoreLabeledValue<QString> &lv) { return lv.value.isEmpty(); };
    relabel(read.phoneNumbers, noValue, c.phoneNumbers);
    relabel(read.emailAddresses, noValue, c.emailAddresses);
    relabel(read.urlAddresses, noValue, c.urlAddresses);
    relabel(
        read.postalAddresses, [](const auto &) { return false; }, c.postalAddresses);
    c.birthday = read.birthday;
    setIfDifferent(c.organizationName, read.organizationName);
    setIfDifferent(c.departmentName, read.departmentName);
    setIfDifferent(c.jobTitle, read.jobTitle);
    setIfDifferent(c.note, read.note);

    // Most cards have no extras; then there is nothing to carry over, unless the base has some.
    if (!read.hasExtras() && !c.hasExtras())
        return;
    StoreContactExtras &from = read.editExtras();
    StoreContactExtras &to = c.editExtras();
    setIfDifferent(to.phoneticMiddleName, from.phoneticMiddleName);
    setIfDifferent(to.nickname, from.nickname);
    setIfDifferent(to.namePrefix, from.namePrefix);
    setIfDifferent(to.nameSuffix, from.nameSuffix);
    relabel(
        from.contactRelations, [](const auto &lv) { return lv.value.name.isEmpty(); }, to.contactRelations);
    relabel(
        from.dates, [](const auto &) { return false; }, to.dates);

    from.instantMessageAddresses.removeIf([](const auto &lv) { return lv.value.username.isEmpty(); });
    for (auto &lv : from.instantMessageAddresses) {
        lv.label = label(lv.label);
        if (lv.value.service.isEmpty())
            lv.value.service = CN::InstantMessageServiceAIM;
    }
    to.instantMessageAddresses = std::move(from.instantMessageAddresses);

    // A profile's label is its service.
    from.socialProfiles.removeIf([](const auto &lv) { return lv.value.username.isEmpty(); });
    for (auto &lv : from.socialProfiles) {
        QString service = serviceConstant(lv.value.service);
        if (service.isEmpty())
            service = CN::SocialProfileServiceTwitter;
        lv.label = service;
        lv.value.service = service;
    }
    to.socialProfiles = std::move(from.socialProfiles);
}

void ZRPerson::appendVCardData(QByteArray &out)
{
    VCardWriter::appendCard(out, contactFromCache(nullptr));
}

QByteArray ZRPerson::vCardData()
{
    QString error;
    const QByteArray data = VCardSerialization::dataWithContacts({ contactFromCache(nullptr) }, &error);
    if (!error.isEmpty() || data.isEmpty()) {
        qWarning("ZRPerson::vCardData: ERROR %s", qUtf8Printable(error));
        return QByteArray();
    }
    return data;
}
