#include "model/ZRPerson.h"

#include "model/AddressFormats.h"
#include "model/ContactDefaults.h"
#include "model/Identifiers.h"
#include "model/LayoutString.h"
#include "model/StoreKeys.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

struct ClassTables
{
    QStringList all;
    QMap<QString, QString> cn;
    QStringList labeled;
    QStringList address;
    QStringList strings;
};

ClassTables &classTables()
{
    static ClassTables t = [] {
        ClassTables c;
        c.all = { Ident::Name, Ident::Company, Ident::Department, Ident::JobTitle, Ident::Nickname,
            Ident::Title, Ident::Suffix, Ident::Note, Ident::Phone, Ident::Email, Ident::URL, Ident::Address,
            Ident::Relationship, Ident::SocialNetwork, Ident::InstantMessage, Ident::Dates, Ident::Birthday,
            Ident::PhoneticName, Ident::Photo };
        c.cn = {
            { Ident::Department, CN::ContactDepartmentNameKey },
            { Ident::Nickname, CN::ContactNicknameKey },
            { Ident::JobTitle, CN::ContactJobTitleKey },
            { Ident::Title, CN::ContactNamePrefixKey },
            { Ident::Suffix, CN::ContactNameSuffixKey },
            { Ident::Company, CN::ContactOrganizationNameKey },
            { Ident::Phone, CN::ContactPhoneNumbersKey },
            { Ident::Email, CN::ContactEmailAddressesKey },
            { Ident::Address, CN::ContactPostalAddressesKey },
            { Ident::InstantMessage, CN::ContactInstantMessageAddressesKey },
            { Ident::SocialNetwork, CN::ContactSocialProfilesKey },
            { Ident::Relationship, CN::ContactRelationsKey },
            { Ident::URL, CN::ContactUrlAddressesKey },
            { Ident::Birthday, CN::ContactBirthdayKey },
            { Ident::Dates, CN::ContactDatesKey },
            { Ident::PhoneticFirstNameSpaced, CN::ContactPhoneticGivenNameKey },
            { Ident::PhoneticMiddleNameSpaced, CN::ContactPhoneticMiddleNameKey },
            { Ident::PhoneticLastNameSpaced, CN::ContactPhoneticFamilyNameKey },
            { Ident::Photo, CN::ContactImageDataKey },
            { Ident::Note, CN::ContactNoteKey },
        };
        c.labeled = { Ident::Email, Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::Phone,
            Ident::Address, Ident::Relationship, Ident::Dates };
        c.address = { Ident::ZIP, Ident::State, Ident::City, Ident::Street, Ident::Country };
        c.strings = { Ident::Renmei, Ident::Company, Ident::Department, Ident::Nickname, Ident::JobTitle,
            Ident::Title, Ident::Note, Ident::Suffix };
        return c;
    }();
    return t;
}

int orderFromSortOrder(ContactDefaults::SortOrder order)
{
    switch (order) {
    case ContactDefaults::SortOrder::GivenName:
        return 1;
    case ContactDefaults::SortOrder::FamilyName:
        return 2;
    default:
        return 0;
    }
}

} // namespace

void ZRPerson::ensureClassInitialized()
{
    static const bool done = [] {
        registerMetaTypes();
        (void)classTables();
        return true;
    }();
    (void)done;
}

void ZRPerson::registerMetaTypes()
{
    qRegisterMetaType<DateComponents>("DateComponents");
    qRegisterMetaType<StorePostalAddress>("StorePostalAddress");
    qRegisterMetaType<StoreSocialProfile>("StoreSocialProfile");
    qRegisterMetaType<StoreInstantMessageAddress>("StoreInstantMessageAddress");
    qRegisterMetaType<StoreContactRelation>("StoreContactRelation");
}

ZRPerson::ZRPerson(NoDefaults)
{
    ensureClassInitialized();
}

ZRPerson::ZRPerson()
    : ZRPerson(NoDefaults {})
{
    m_created = true;
    m_uniqueId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_defaultCountryCode = ContactDefaults::countryCode();
    m_defaultNameOrdering = orderFromSortOrder(ContactDefaults::sortOrder());
    stringValues();
    hagakiLayouts();
}

// ---- Class tables

const QStringList &ZRPerson::allIdentifiers()
{
    return classTables().all;
}
void ZRPerson::setAllIdentifiers(const QStringList &identifiers)
{
    classTables().all = identifiers;
}
const QStringList &ZRPerson::labeledIdentifiers()
{
    return classTables().labeled;
}
void ZRPerson::setLabeledIdentifiers(const QStringList &identifiers)
{
    classTables().labeled = identifiers;
}
const QStringList &ZRPerson::addressIdentifiers()
{
    return classTables().address;
}
void ZRPerson::setAddressIdentifiers(const QStringList &identifiers)
{
    classTables().address = identifiers;
}
const QStringList &ZRPerson::stringIdentifiers()
{
    return classTables().strings;
}
void ZRPerson::setStringIdentifiers(const QStringList &identifiers)
{
    classTables().strings = identifiers;
}
const QMap<QString, QString> &ZRPerson::CNIdentifiers()
{
    return classTables().cn;
}
void ZRPerson::setCNIdentifiers(const QMap<QString, QString> &table)
{
    classTables().cn = table;
}

QString ZRPerson::typeForIdentifier(const QString &identifier)
{
    if (labeledIdentifiers().contains(identifier))
        return Ident::LabeledValueType;
    if (stringIdentifiers().contains(identifier))
        return Ident::StringValueType;
    if (identifier == Ident::Birthday || identifier == Ident::Name || identifier == Ident::PhoneticName)
        return Ident::DictionaryValueType;
    return QString();
}

QString ZRPerson::localizedIdentifierForKey(const QString &identifier)
{
    const auto cn = CNIdentifiers().constFind(identifier);
    if (cn != CNIdentifiers().cend()) {
        const QString text = Labels::localizedStoreKey(cn.value());
        if (!text.isEmpty())
            return text;
    }
    static const QMap<QString, QString> addressKeys = {
        { Ident::ZIP, CN::PostalAddressPostalCodeKey },
        { Ident::State, CN::PostalAddressStateKey },
        { Ident::City, CN::PostalAddressCityKey },
        { Ident::Street, CN::PostalAddressStreetKey },
        { Ident::Country, CN::PostalAddressCountryKey },
    };
    const auto part = addressKeys.constFind(identifier);
    if (part != addressKeys.cend())
        return Labels::localizedStoreKey(part.value());
    // The application's own names for the fields the store has none for; any other identifier (a part
    // or an option the caller passes through) is shown as it is.
    static const QHash<QString, const char *> ownTexts = {
        { Ident::Name, QT_TRANSLATE_NOOP("Identifiers", "Name") },
        { Ident::Renmei, QT_TRANSLATE_NOOP("Identifiers", "Renmei") },
        { Ident::PhoneticName, QT_TRANSLATE_NOOP("Identifiers", "Phonetic Name") },
        { Ident::FirstName, QT_TRANSLATE_NOOP("Identifiers", "First Name") },
        { Ident::MiddleName, QT_TRANSLATE_NOOP("Identifiers", "Middle Name") },
        { Ident::LastName, QT_TRANSLATE_NOOP("Identifiers", "Last Name") },
        { Ident::PreviousFamilyName, QT_TRANSLATE_NOOP("Identifiers", "Previous Family Name") },
        { Ident::PhoneticFirstName, QT_TRANSLATE_NOOP("Identifiers", "Phonetic First Name") },
        { Ident::PhoneticMiddleName, QT_TRANSLATE_NOOP("Identifiers", "Phonetic Middle Name") },
        { Ident::PhoneticLastName, QT_TRANSLATE_NOOP("Identifiers", "Phonetic Last Name") },
        { AddressFormatKey::CountryCode, QT_TRANSLATE_NOOP("Identifiers", "Country Code") },
        { Key::Sender, QT_TRANSLATE_NOOP("Identifiers", "Sender") },
        { LabelText::All, QT_TRANSLATE_NOOP("Identifiers", "All") },
    };
    const auto own = ownTexts.constFind(identifier);
    if (own != ownTexts.cend())
        return QCoreApplication::translate("Identifiers", own.value());
    return identifier;
}

QString ZRPerson::compositeNameFromNameDict(const QVariantMap &nameDict)
{
    const QString first = nameDict.value(Ident::FirstName).toString();
    const QString middle = nameDict.value(Ident::MiddleName).toString();
    const QString last = nameDict.value(Ident::LastName).toString();
    if (!first.isEmpty() && !last.isEmpty()) {
        int order = nameDict.value(Key::NameOrdering).toInt();
        if (order == 0)
            order = orderFromSortOrder(ContactDefaults::sortOrder());
        return order == 2 ? last + u' ' + first : first + u' ' + last;
    }
    if (!first.isEmpty())
        return first;
    if (!last.isEmpty())
        return last;
    return middle;
}

// ---- Layout strings

QString ZRPerson::layoutStringFromHagakiLayoutDict(const QVariantMap &record)
{
    return LayoutString::layoutStringFromHagakiLayoutDict(record);
}

void ZRPerson::hagakiLayoutFromLayoutString(QVariantMap &record, const QString &layoutString)
{
    LayoutString::hagakiLayoutFromLayoutString(record, layoutString);
}

QString ZRPerson::normarizeRect(const QString &rectText)
{
    return LayoutString::normarizeRect(rectText);
}

// ---- Properties

void ZRPerson::setShowAsPerson(bool person)
{
    // The name dictionary is what the getters read back, so it changes first and the property follows
    // it; deriving from a stale dictionary would put the old value back.
    if (!m_nameValue)
        m_nameValue = QVariantMap();
    m_nameValue->insert(Key::ShowAsPerson, person);
    m_showAsPerson = person;
    deriveName();
    compositeName();
}

void ZRPerson::setNameOrdering(int ordering)
{
    if (!m_nameValue)
        m_nameValue = QVariantMap { { Key::ShowAsPerson, m_showAsPerson } };
    m_nameValue->insert(Key::NameOrdering, ordering);
    m_nameOrdering = ordering;
    deriveName();
    compositeName();
}

QString ZRPerson::compositeName()
{
    // Reading the name first: it brings showAsPerson in line with the name dictionary.
    const QVariantMap &name = readNameValue();
    QString text = m_showAsPerson ? name.value(Key::StringValue).toString()
                                  : stringValues().value(Ident::Company).toString();
    if (text.isEmpty())
        text = LabelText::NoName;
    m_compositeName = text;
    return text;
}

QString ZRPerson::uniqueId() const
{
    if (m_uniqueId.isEmpty()) {
        const QString name = m_compositeName.isEmpty() ? PersonUniqueIdFallbackName : m_compositeName;
        m_uniqueId = name + u'+' + QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    }
    return m_uniqueId;
}

// ---- Containers

void ZRPerson::deriveName() const
{
    QVariantMap &name = *m_nameValue;
    const auto show = name.constFind(Key::ShowAsPerson);
    if (show != name.cend())
        m_showAsPerson = show.value().toBool();
    const auto order = name.constFind(Key::NameOrdering);
    if (order != name.cend())
        m_nameOrdering = order.value().toInt();
    name.insert(Key::StringValue, compositeNameFromNameDict(name));
    m_nameDirty = false;
    m_phoneticDirty = true; // the phonetic name follows the name's order
}

const QVariantMap &ZRPerson::readNameValue() const
{
    if (!m_nameValue) {
        m_nameValue = QVariantMap { { Key::ShowAsPerson, m_showAsPerson } };
        m_nameDirty = true;
    }
    if (m_nameDirty)
        deriveName();
    return *m_nameValue;
}

QVariantMap &ZRPerson::nameValue()
{
    readNameValue();
    m_nameDirty = true; // the caller may change the dictionary through the reference
    return *m_nameValue;
}

void ZRPerson::derivePhoneticName() const
{
    QVariantMap &p = *m_phoneticNameValue;
    const QString first = p.value(Ident::FirstName).toString();
    const QString last = p.value(Ident::LastName).toString();
    QString text;
    if (!first.isEmpty() && !last.isEmpty())
        text = m_nameOrdering == 2 ? last + u' ' + first : first + u' ' + last;
    else
        text = first.isEmpty() ? last : first;
    p.insert(Key::StringValue, text);
    m_phoneticDirty = false;
}

const QVariantMap &ZRPerson::readPhoneticNameValue() const
{
    materialize();
    if (!m_phoneticNameValue) {
        m_phoneticNameValue = QVariantMap();
        m_phoneticDirty = true;
    }
    if (m_nameDirty && m_nameValue)
        deriveName(); // a changed order changes the reading's order too
    if (m_phoneticDirty)
        derivePhoneticName();
    return *m_phoneticNameValue;
}

QVariantMap &ZRPerson::phoneticNameValue()
{
    readPhoneticNameValue();
    m_phoneticDirty = true;
    return *m_phoneticNameValue;
}

bool ZRPerson::valuesReadUnchanged() const
{
    if (m_unbuilt || !nameReadsUnchanged() || !m_phoneticNameValue || m_phoneticDirty)
        return false;
    if (!m_addressValues || m_addressGeneration != AddressFormats::generation())
        return false;
    for (const HeapOptional<QVariantList> *list : { &m_phoneValues, &m_emailValues, &m_urlValues,
             &m_snsValues, &m_imsValues, &m_relationshipValues, &m_datesValues, &m_hagakiLayouts }) {
        if (!*list)
            return false;
    }
    return m_birthdayValue && m_stringValues;
}

const QVariantList &ZRPerson::phoneValues() const
{
    materialize();
    return m_phoneValues ? *m_phoneValues : m_phoneValues.emplace();
}
const QVariantList &ZRPerson::emailValues() const
{
    materialize();
    return m_emailValues ? *m_emailValues : m_emailValues.emplace();
}
const QVariantList &ZRPerson::urlValues() const
{
    materialize();
    return m_urlValues ? *m_urlValues : m_urlValues.emplace();
}
const QVariantList &ZRPerson::snsValues() const
{
    materialize();
    return m_snsValues ? *m_snsValues : m_snsValues.emplace();
}
const QVariantList &ZRPerson::imsValues() const
{
    materialize();
    return m_imsValues ? *m_imsValues : m_imsValues.emplace();
}
const QVariantList &ZRPerson::datesValues() const
{
    materialize();
    return m_datesValues ? *m_datesValues : m_datesValues.emplace();
}
const QVariantMap &ZRPerson::birthdayValue() const
{
    materialize();
    return m_birthdayValue ? *m_birthdayValue : m_birthdayValue.emplace();
}
const QVariantMap &ZRPerson::stringValues() const
{
    materialize();
    return m_stringValues ? *m_stringValues : m_stringValues.emplace();
}

const QVariantList &ZRPerson::relationshipValues() const
{
    materialize();
    return m_relationshipValues ? *m_relationshipValues : m_relationshipValues.emplace();
}

const QVariantList &ZRPerson::addressValues() const
{
    materialize();
    if (!m_addressValues)
        return m_addressValues.emplace();
    // Formatted addresses follow changes of the address formats; every edit of an address derives
    // it already, so the whole list is derived again only when the formats have changed since.
    const int generation = AddressFormats::generation();
    if (generation == m_addressGeneration)
        return *m_addressValues;
    for (QVariant &v : *m_addressValues) {
        if (v.typeId() != QMetaType::QVariantMap)
            continue;
        QVariantMap entry = v.toMap();
        v = QVariant(); // drop the list's reference so the map is modified without a copy
        updateAddressValue(entry, AddressOption);
        v = std::move(entry);
    }
    m_addressGeneration = generation;
    return *m_addressValues;
}

const QVariantList &ZRPerson::hagakiLayouts() const
{
    materialize();
    if (!m_hagakiLayouts)
        m_hagakiLayouts = QVariantList { QVariantMap { { Key::LabelIndex, qsizetype(0) } } };
    return *m_hagakiLayouts;
}

const QVariantList *ZRPerson::labeledValues(const QString &identifier) const
{
    if (identifier == Ident::Phone)
        return &phoneValues();
    if (identifier == Ident::Email)
        return &emailValues();
    if (identifier == Ident::Address)
        return &addressValues();
    if (identifier == Ident::URL)
        return &urlValues();
    if (identifier == Ident::SocialNetwork)
        return &snsValues();
    if (identifier == Ident::InstantMessage)
        return &imsValues();
    if (identifier == Ident::Relationship)
        return &relationshipValues();
    if (identifier == Ident::Dates)
        return &datesValues();
    return nullptr;
}

QVariant ZRPerson::entryValue(const QVariant &entry, const QString &key)
{
    if (entry.typeId() != QMetaType::QVariantMap)
        return entry.toMap().value(key); // other shapes convert as toMap() does
    const QVariantMap &map = *static_cast<const QVariantMap *>(entry.constData());
    const auto it = map.constFind(key);
    return it == map.cend() ? QVariant() : it.value();
}

// ---- Copy

std::shared_ptr<ZRPerson> ZRPerson::copy()
{
    auto other = std::make_shared<ZRPerson>();
    for (const QString &identifier : allIdentifiers()) {
        if (identifier == Ident::Photo) {
            // The stored bytes are the image; decoding and re-encoding them would only lose their format.
            other->m_imageData = m_imageData;
            other->m_thumbnailImageData = m_thumbnailImageData;
            continue;
        }
        const QVariant value = valueForIdentifier(identifier);
        if (!value.isNull())
            other->setValueForIdentifier(value, identifier);
    }
    // What no field holds is still the contact's: a copy written out must say it too.
    other->m_otherProperties = m_otherProperties;
    return other;
}
