// A record from a store contact: its names at once, its other values now or, for a record read from
// a card, when they are first asked for.

#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/ZRPerson.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString text(const QVariantMap &entry, const QString &key)
{
    return entry.value(key).toString();
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

// ---- The record's values of a store contact, field family by field family.

QVariantMap stringValuesOf(const StoreContact &c)
{
    const StoreContactExtras &extras = c.extras();
    const std::pair<const QString &, const QString &> stringFields[] = {
        { Ident::Company, c.organizationName },
        { Ident::Department, c.departmentName },
        { Ident::JobTitle, c.jobTitle },
        { Ident::Nickname, extras.nickname },
        { Ident::Title, extras.namePrefix },
        { Ident::Suffix, extras.nameSuffix },
        { Ident::Note, c.note },
    };
    QVariantMap strings;
    for (const auto &[id, value] : stringFields) {
        if (!value.isEmpty())
            strings.insert(id, value);
    }
    return strings;
}

// The reading's parts; its display text is derived by the record, which knows the name's order.
QVariantMap phoneticNameOf(const StoreContact &c)
{
    QVariantMap phonetic;
    if (!c.phoneticGivenName.isEmpty())
        phonetic.insert(Ident::FirstName, c.phoneticGivenName);
    if (!c.extras().phoneticMiddleName.isEmpty())
        phonetic.insert(Ident::MiddleName, c.extras().phoneticMiddleName);
    if (!c.phoneticFamilyName.isEmpty())
        phonetic.insert(Ident::LastName, c.phoneticFamilyName);
    return phonetic;
}

QVariantList phoneEntries(const StoreContact &c)
{
    QVariantList phones;
    phones.reserve(c.phoneNumbers.size());
    for (qsizetype i = 0; i < c.phoneNumbers.size(); ++i) {
        const auto &lv = c.phoneNumbers.at(i);
        phones.append(dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i },
            { Key::PhoneNumber, lv.value }, { Key::StringValue, lv.value }, { Key::Value, lv.value } }));
    }
    return phones;
}

QVariantList emailEntries(const StoreContact &c)
{
    QVariantList emails;
    emails.reserve(c.emailAddresses.size());
    for (qsizetype i = 0; i < c.emailAddresses.size(); ++i) {
        const auto &lv = c.emailAddresses.at(i);
        QVariantMap entry = dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) },
            { Key::LabelIndex, i }, { Key::Value, lv.value } });
        ZRPerson::updateEmailValue(entry);
        emails.append(entry);
    }
    return emails;
}

QVariantList addressEntries(const StoreContact &c)
{
    QVariantList addresses;
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
        ZRPerson::updateAddressValue(entry, ZRPerson::AddressOption);
        addresses.append(entry);
    }
    return addresses;
}

QVariantList urlEntries(const StoreContact &c)
{
    QVariantList urls;
    urls.reserve(c.urlAddresses.size());
    for (qsizetype i = 0; i < c.urlAddresses.size(); ++i) {
        const auto &lv = c.urlAddresses.at(i);
        urls.append(dictionary({ { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i },
            { Key::StringValue, lv.value }, { Key::Value, lv.value } }));
    }
    return urls;
}

// A profile's label is its service.
QVariantList socialProfileEntries(const StoreContact &c)
{
    const auto &profiles = c.extras().socialProfiles;
    QVariantList sns;
    sns.reserve(profiles.size());
    for (qsizetype i = 0; i < profiles.size(); ++i) {
        const StoreSocialProfile &p = profiles.at(i).value;
        const QString service = CN::socialProfileService(p.service);
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
    return sns;
}

QVariantList instantMessageEntries(const StoreContact &c)
{
    const auto &addresses = c.extras().instantMessageAddresses;
    QVariantList ims;
    ims.reserve(addresses.size());
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const auto &lv = addresses.at(i);
        QVariantMap entry {
            { Key::Label, Labels::labelFromCNLabel(lv.label) },
            { Key::InstantMessageAddress, QVariant::fromValue(lv.value) },
            { CN::InstantMessageAddressServiceKey, lv.value.service },
            { Key::Value, lv.value.username },
            { Key::LabelIndex, i },
        };
        ZRPerson::updateIMSValue(entry);
        ims.append(entry);
    }
    return ims;
}

QVariantList relationEntries(const StoreContact &c)
{
    const auto &contactRelations = c.extras().contactRelations;
    QVariantList relations;
    relations.reserve(contactRelations.size());
    for (qsizetype i = 0; i < contactRelations.size(); ++i) {
        const auto &lv = contactRelations.at(i);
        relations.append(QVariantMap { { Key::ContactRelation, QVariant::fromValue(lv.value) },
            { Key::Value, lv.value.name }, { Key::StringValue, lv.value.name },
            { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i } });
    }
    return relations;
}

QVariantList dateEntries(const StoreContact &c)
{
    const auto &storeDates = c.extras().dates;
    QVariantList dates;
    dates.reserve(storeDates.size());
    for (qsizetype i = 0; i < storeDates.size(); ++i) {
        const auto &lv = storeDates.at(i);
        dates.append(QVariantMap { { Key::Value, QVariant::fromValue(lv.value) },
            { Key::StringValue, ZRPerson::dateStringFromDateComponents(lv.value) },
            { Key::Label, Labels::labelFromCNLabel(lv.label) }, { Key::LabelIndex, i } });
    }
    return dates;
}

QVariantMap birthdayOf(const StoreContact &c)
{
    if (!c.birthday)
        return QVariantMap { { Key::StringValue, u""_s } };
    return QVariantMap { { Key::Value, QVariant::fromValue(*c.birthday) },
        { Key::StringValue, ZRPerson::dateStringFromDateComponents(*c.birthday) } };
}

// One layout entry per address, numbered as the address; one numbered 0 when there is none.
QVariantList layoutsOf(const QVariantList &addresses)
{
    QVariantList layouts;
    for (const QVariant &v : addresses) {
        const QVariantMap entry = v.toMap();
        layouts.append(QVariantMap {
            { Key::LabelIndex, entry.value(Key::LabelIndex) }, { Key::Label, entry.value(Key::Label) } });
    }
    if (layouts.isEmpty())
        layouts.append(QVariantMap { { Key::LabelIndex, qsizetype(0) } });
    return layouts;
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

void ZRPerson::entryLabels(const QString &identifier, QStringList &out) const
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
                out.append(services ? CN::socialProfileService(label) : Labels::labelFromCNLabel(label));
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

void ZRPerson::buildFromSource() const
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
    m_otherProperties = c.extras().otherProperties;
    m_thumbnailImageData = c.extras().thumbnailImageData;
}

void ZRPerson::fillValues(const StoreContact &c) const
{
    m_stringValues = stringValuesOf(c);
    m_phoneticNameValue = phoneticNameOf(c);
    derivePhoneticName();
    m_phoneValues = phoneEntries(c);
    m_emailValues = emailEntries(c);
    // Every address is derived as it is made: the table's first read need not derive them all again.
    // The generation is read first so that formats changing meanwhile still count as a change.
    const int addressGeneration = AddressFormats::generation();
    m_addressValues = addressEntries(c);
    m_addressGeneration = addressGeneration;
    m_urlValues = urlEntries(c);
    m_snsValues = socialProfileEntries(c);
    m_imsValues = instantMessageEntries(c);
    m_relationshipValues = relationEntries(c);
    m_datesValues = dateEntries(c);
    m_birthdayValue = birthdayOf(c);
    m_hagakiLayouts = layoutsOf(*m_addressValues);
}

void ZRPerson::computeUniqueId2() const
{
    materialize();
    QString id;
    const QVariantMap &strings = stringValues();
    for (const QString &key :
        { Ident::Company, Ident::Department, Ident::JobTitle, Ident::Title, Ident::Suffix, Ident::Note })
        id += strings.value(key).toString();
    for (const HeapOptional<QVariantList> *field : { &m_phoneValues, &m_emailValues, &m_addressValues,
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
