// The store contact built from a record's values: to write its card, to duplicate it.

#include "model/ContactDefaults.h"
#include "model/DictionaryKeys.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/StoreKeys.h"
#include "model/VCardSerialization.h"
#include "model/VCardWriter.h"
#include "model/ZRPerson.h"

#include <QHash>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

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

std::optional<DateComponents> componentsOf(const QVariant &value)
{
    if (value.typeId() == qMetaTypeId<DateComponents>())
        return value.value<DateComponents>();
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return DateComponents::fromDate(value.toDate());
    return std::nullopt;
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

// ---- The store contact's fields of a record's values, field family by field family. Each entry's
// keys are read in one walk through its dictionary: a card is written for every record of an export,
// and separate lookups from the root cost several times as much. The lists are walked through const
// references: a walk of a non-const list detaches it, which for an empty list means a reallocation
// every time.

void writeName(const QVariantMap &name, StoreContact &c)
{
    static const QString *const keys[] = { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName,
        &Ident::PreviousFamilyName, &Key::ShowAsPerson, &Key::NameOrdering };
    const QVariant *found[6];
    findKeys(name, keys, found);
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

void writePhoneticName(const QVariantMap &phonetic, StoreContact &c)
{
    static const QString *const keys[] = { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName };
    const QVariant *found[3];
    findKeys(phonetic, keys, found);
    setIfDifferent(c.phoneticGivenName, foundText(found[0]));
    setExtraIfDifferent(c, &StoreContactExtras::phoneticMiddleName, foundText(found[1]));
    setIfDifferent(c.phoneticFamilyName, foundText(found[2]));
}

// Phones, e-mail and web addresses: entries without a value are left out.
void writePlainList(const QVariantList &field, QList<StoreLabeledValue<QString>> &out)
{
    out.clear();
    out.reserve(field.size());
    static const QString *const keys[] = { &Key::Value, &Key::Label };
    const QVariant *found[2];
    for (const QVariant &v : field) {
        findKeys(entryOf(v), keys, found);
        QString value = foundText(found[0]);
        if (!value.isEmpty())
            out.append({ storeLabelOf(foundText(found[1])), std::move(value) });
    }
}

QList<StoreLabeledValue<StorePostalAddress>> postalAddressesOf(const QVariantList &field)
{
    QList<StoreLabeledValue<StorePostalAddress>> addresses;
    addresses.reserve(field.size());
    static const QString *const keys[] = { &Key::PostalAddress, &Ident::ZIP, &Ident::State, &Ident::City,
        &Ident::Street, &Ident::Country, &CN::PostalAddressISOCountryCodeKey, &Key::Label };
    const QVariant *found[8];
    for (const QVariant &v : field) {
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
        addresses.append({ storeLabelOf(foundText(found[7])), std::move(a) });
    }
    return addresses;
}

// A profile without a user name is left out; one without a service is Twitter's. Its label is its
// service.
QList<StoreLabeledValue<StoreSocialProfile>> socialProfilesOf(const QVariantList &field)
{
    QList<StoreLabeledValue<StoreSocialProfile>> profiles;
    static const QString *const keys[] = { &CN::SocialProfileUsernameKey, &CN::SocialProfileServiceKey,
        &CN::SocialProfileURLStringKey, &CN::SocialProfileUserIdentifierKey };
    const QVariant *found[4];
    QVariantMap converted;
    for (const QVariant &v : field) {
        findKeys(convertedEntryOf(v, converted), keys, found);
        const QString user = foundText(found[0]);
        if (user.isEmpty())
            continue;
        QString service = foundText(found[1]);
        if (service.isEmpty())
            service = CN::SocialProfileServiceTwitter;
        profiles.append(
            { service, StoreSocialProfile { foundText(found[2]), user, foundText(found[3]), service } });
    }
    return profiles;
}

// An address without a user name is left out; one without a service is AIM's.
QList<StoreLabeledValue<StoreInstantMessageAddress>> instantMessagesOf(const QVariantList &field)
{
    QList<StoreLabeledValue<StoreInstantMessageAddress>> addresses;
    static const QString *const keys[]
        = { &CN::InstantMessageAddressUsernameKey, &CN::InstantMessageAddressServiceKey, &Key::Label };
    const QVariant *found[3];
    QVariantMap converted;
    for (const QVariant &v : field) {
        findKeys(convertedEntryOf(v, converted), keys, found);
        const QString user = foundText(found[0]);
        if (user.isEmpty())
            continue;
        QString service = foundText(found[1]);
        if (service.isEmpty())
            service = CN::InstantMessageServiceAIM;
        addresses.append({ storeLabelOf(foundText(found[2])), StoreInstantMessageAddress { user, service } });
    }
    return addresses;
}

// A related name or date without a label goes to the store without one: a usual label ("friend",
// "anniversary") put in its place would read back as the user's own choice.
QList<StoreLabeledValue<StoreContactRelation>> relationsOf(const QVariantList &field)
{
    QList<StoreLabeledValue<StoreContactRelation>> relations;
    static const QString *const keys[] = { &Key::Value, &Key::Label };
    const QVariant *found[2];
    QVariantMap converted;
    for (const QVariant &v : field) {
        findKeys(convertedEntryOf(v, converted), keys, found);
        const QString name = foundText(found[0]);
        if (!name.isEmpty())
            relations.append({ storeLabelOf(foundText(found[1])), StoreContactRelation { name } });
    }
    return relations;
}

QList<StoreLabeledValue<DateComponents>> datesOf(const QVariantList &field)
{
    QList<StoreLabeledValue<DateComponents>> dates;
    static const QString *const keys[] = { &Key::Value, &Key::Label };
    const QVariant *found[2];
    QVariantMap converted;
    for (const QVariant &v : field) {
        findKeys(convertedEntryOf(v, converted), keys, found);
        if (const auto date = found[0] ? componentsOf(*found[0]) : std::nullopt)
            dates.append({ storeLabelOf(foundText(found[1])), *date });
    }
    return dates;
}

// The record is the truth: a text it no longer has is cleared in the contact too.
void writeStrings(const QVariantMap &strings, StoreContact &c)
{
    static const QString *const keys[] = { &Ident::Company, &Ident::Department, &Ident::Nickname,
        &Ident::JobTitle, &Ident::Title, &Ident::Note, &Ident::Suffix };
    const QVariant *found[7];
    findKeys(strings, keys, found);
    setIfDifferent(c.organizationName, foundText(found[0]));
    setIfDifferent(c.departmentName, foundText(found[1]));
    setExtraIfDifferent(c, &StoreContactExtras::nickname, foundText(found[2]));
    setIfDifferent(c.jobTitle, foundText(found[3]));
    setExtraIfDifferent(c, &StoreContactExtras::namePrefix, foundText(found[4]));
    setIfDifferent(c.note, foundText(found[5]));
    setExtraIfDifferent(c, &StoreContactExtras::nameSuffix, foundText(found[6]));
}

} // namespace

StoreContact ZRPerson::contactFromCache(const StoreContact *base) const
{
    StoreContact c = base ? *base : StoreContact();
    // Without a base the record's id travels as the contact's, so that it survives a write and read.
    if (c.identifier.isEmpty())
        c.identifier = uniqueId();
    // Each field is written only when the record has made it; lists are replaced whole.
    if (m_nameValue)
        writeName(readNameValue(), c);
    // Values not built yet come from the card as they would have come through the dictionaries; the
    // dictionaries themselves are not made for it, so that writing a file just read stays cheap.
    if (m_unbuilt)
        writeUnbuiltValues(c);
    if (m_phoneticNameValue)
        writePhoneticName(*m_phoneticNameValue, c);
    if (m_phoneValues)
        writePlainList(*m_phoneValues, c.phoneNumbers);
    if (m_emailValues)
        writePlainList(*m_emailValues, c.emailAddresses);
    if (m_urlValues)
        writePlainList(*m_urlValues, c.urlAddresses);
    if (m_addressValues)
        c.postalAddresses = postalAddressesOf(*m_addressValues);
    if (m_snsValues)
        setExtraIfDifferent(c, &StoreContactExtras::socialProfiles, socialProfilesOf(*m_snsValues));
    if (m_imsValues)
        setExtraIfDifferent(c, &StoreContactExtras::instantMessageAddresses, instantMessagesOf(*m_imsValues));
    if (m_relationshipValues)
        setExtraIfDifferent(c, &StoreContactExtras::contactRelations, relationsOf(*m_relationshipValues));
    if (m_datesValues)
        setExtraIfDifferent(c, &StoreContactExtras::dates, datesOf(*m_datesValues));
    if (m_birthdayValue) {
        const auto it = m_birthdayValue->constFind(Key::Value);
        c.birthday = it == m_birthdayValue->cend() ? std::nullopt : componentsOf(*it);
    }
    if (m_stringValues)
        writeStrings(*m_stringValues, c);
    if (!m_imageData.isEmpty())
        setExtraIfDifferent(c, &StoreContactExtras::imageData, QByteArray(m_imageData));
    if (!m_thumbnailImageData.isEmpty())
        setExtraIfDifferent(c, &StoreContactExtras::thumbnailImageData, QByteArray(m_thumbnailImageData));
    if (!m_otherProperties.isEmpty())
        setExtraIfDifferent(c, &StoreContactExtras::otherProperties, QByteArray(m_otherProperties));
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
        QString service = CN::socialProfileService(lv.value.service);
        if (service.isEmpty())
            service = CN::SocialProfileServiceTwitter;
        lv.label = service;
        lv.value.service = service;
    }
    to.socialProfiles = std::move(from.socialProfiles);
}

void ZRPerson::appendVCardData(QByteArray &out) const
{
    VCardWriter::appendCard(out, contactFromCache(nullptr));
}

QByteArray ZRPerson::vCardData() const
{
    QString error;
    const QByteArray data = VCardSerialization::dataWithContacts({ contactFromCache(nullptr) }, &error);
    if (!error.isEmpty() || data.isEmpty()) {
        qWarning("ZRPerson::vCardData: ERROR %s", qUtf8Printable(error));
        return QByteArray();
    }
    return data;
}
