#include "document/SubRowSort.h"

#include "document/SortKeys.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

// One key of the entry at a position of a multi-valued field; nothing when there is no such entry.
QVariant entryAt(ZRPerson &person, const QString &identifier, qsizetype index, const QString &key)
{
    const QVariantList *list = person.labeledValues(identifier);
    if (!list || index < 0 || index >= list->size())
        return QVariant();
    return ZRPerson::entryValue(list->at(index), key);
}

QString textOf(const QVariantMap &entry, const QString &key)
{
    return entry.value(key).toString();
}

QString textAt(ZRPerson &person, const QString &identifier, qsizetype index, const QString &key)
{
    return entryAt(person, identifier, index, key).toString();
}

// Names sort as one word: first name directly followed by last name (or the reverse); a record shown
// as a company sorts by its company.
QString nameText(ZRPerson &person, const QString &firstKey, const QString &secondKey)
{
    // Reading the name first brings the shown-as-person flag in line with the name dictionary.
    const QVariantMap &name = person.readNameValue();
    if (!person.showAsPerson())
        return person.stringValues().value(Ident::Company).toString();
    return textOf(name, firstKey) + textOf(name, secondKey);
}

QString phoneticText(ZRPerson &person, const QString &firstKey, const QString &secondKey)
{
    const QVariantMap &name = person.readPhoneticNameValue();
    return textOf(name, firstKey) + textOf(name, secondKey);
}

} // namespace

namespace SubRowSort {

QString sortText(const ContactEntry &row, const QString &key)
{
    if (!row.person)
        return QString();
    ZRPerson &person = *row.person;
    const qsizetype index = row.labelIndex;
    if (key == SortKey::CompositeName)
        return person.storedCompositeName();
    if (key == Ident::FirstName)
        return nameText(person, Ident::FirstName, Ident::LastName);
    if (key == Ident::LastName)
        return nameText(person, Ident::LastName, Ident::FirstName);
    if (key == Ident::PhoneticFirstName)
        return phoneticText(person, Ident::FirstName, Ident::LastName);
    if (key == Ident::PhoneticLastName)
        return phoneticText(person, Ident::LastName, Ident::FirstName);
    if (ZRPerson::labeledIdentifiers().contains(key))
        return textAt(person, key, index, Key::StringValue);
    if (ZRPerson::addressIdentifiers().contains(key))
        return textAt(person, Ident::Address, index, key);
    if (key == SortKey::AddressLabel)
        return textAt(person, Ident::Address, index, Key::Label);
    if (key == SortKey::EmailDomain || key == SortKey::EmailUsername) {
        const QString address = textAt(person, Ident::Email, index, Key::Value);
        const qsizetype at = address.indexOf(u'@');
        if (key == SortKey::EmailUsername)
            return at < 0 ? address : address.left(at);
        return at < 0 || at == address.size() - 1 ? QString() : address.mid(at + 1);
    }
    if (key == SortKey::InstantMessageType)
        return textAt(person, Ident::InstantMessage, index, CN::InstantMessageAddressServiceKey);
    if (key == SortKey::InstantMessageUsername)
        return textAt(person, Ident::InstantMessage, index, CN::InstantMessageAddressUsernameKey);
    if (key == SortKey::SocialNetworkType)
        return textAt(person, Ident::SocialNetwork, index, CN::SocialProfileServiceKey);
    if (key == SortKey::SocialNetworkUsername)
        return textAt(person, Ident::SocialNetwork, index, CN::SocialProfileUsernameKey);
    // The name dictionaries sort by the text they show, read in place.
    if (key == Ident::Name)
        return person.readNameValue().value(Key::StringValue).toString();
    if (key == Ident::PhoneticName)
        return person.readPhoneticNameValue().value(Key::StringValue).toString();
    const QVariant value = person.valueForIdentifier(key);
    // Structured fields (the name, the birthday) sort by the text they show.
    if (value.typeId() == QMetaType::QVariantMap)
        return value.toMap().value(Key::StringValue).toString();
    return value.toString();
}

bool dependsOnRowPosition(const QString &key)
{
    static const QStringList partKeys { SortKey::AddressLabel, SortKey::EmailDomain, SortKey::EmailUsername,
        SortKey::InstantMessageType, SortKey::InstantMessageUsername, SortKey::SocialNetworkType,
        SortKey::SocialNetworkUsername, Ident::Birthday, Ident::Dates };
    return partKeys.contains(key) || ZRPerson::labeledIdentifiers().contains(key)
        || ZRPerson::addressIdentifiers().contains(key);
}

SortValues::Rule ruleForKey(const QString &key)
{
    return key == Ident::Dates || key == Ident::Birthday ? SortValues::Rule::DatesMissingSmallest
                                                         : SortValues::Rule::Text;
}

SortValue sortValue(const ContactEntry &row, const QString &key)
{
    if (key == Ident::Dates) {
        if (!row.person)
            return SortValue::missing();
        return SortValue::fromDateValue(entryAt(*row.person, Ident::Dates, row.labelIndex, Key::Value));
    }
    if (key == Ident::Birthday) {
        // The birthday belongs to the contact's first row; later rows have none.
        if (!row.person || row.labelIndex != 0)
            return SortValue::missing();
        return SortValue::fromDateValue(row.person->birthdayValue().value(Key::Value));
    }
    return SortValue::fromText(sortText(row, key));
}

int compare(const ContactEntry &a, const ContactEntry &b, const SortDescriptor &descriptor)
{
    return SortValues::compare(sortValue(a, descriptor.key), sortValue(b, descriptor.key),
        ruleForKey(descriptor.key), descriptor.ascending);
}

void sort(QList<ContactEntry> &rows, const SortDescriptor &descriptor)
{
    sortBy(
        rows, [](const ContactEntry &row) -> const ContactEntry & { return row; }, descriptor);
}

} // namespace SubRowSort
