#include "document/ContactSort.h"

#include "document/SortKeys.h"
#include "document/TextRanks.h"
#include "model/Identifiers.h"
#include "model/StoreKeys.h"
#include "model/ZRPerson.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

const QHash<QString, ContactSort::IdentifierAndKey> &splitTable()
{
    static const QHash<QString, ContactSort::IdentifierAndKey> table = [] {
        QHash<QString, ContactSort::IdentifierAndKey> t;
        auto add = [&t](const QString &sortKey, const QString &identifier, const QString &key) {
            t.insert(sortKey, { identifier, key });
        };
        add(Ident::Phone, Ident::Phone, Key::StringValue);
        add(SortKey::PhoneLabel, Ident::Phone, Key::Label);
        add(Ident::Email, Ident::Email, Key::StringValue);
        add(SortKey::EmailLabel, Ident::Email, Key::Label);
        add(SortKey::EmailDomain, Ident::Email, Key::Domain);
        add(SortKey::EmailUsername, Ident::Email, Key::Username);
        add(Ident::Address, Ident::Address, Key::StringValue);
        add(SortKey::AddressLabel, Ident::Address, Key::Label);
        for (const QString &part : { Ident::ZIP, Ident::State, Ident::City, Ident::Street, Ident::Country })
            add(part, Ident::Address, part);
        add(Ident::URL, Ident::URL, Key::StringValue);
        add(SortKey::URLLabel, Ident::URL, Key::Label);
        add(Ident::InstantMessage, Ident::InstantMessage, Key::StringValue);
        add(SortKey::InstantMessageLabel, Ident::InstantMessage, Key::Label);
        add(SortKey::InstantMessageServiceName, Ident::InstantMessage, CN::InstantMessageAddressServiceKey);
        add(SortKey::InstantMessageUsername, Ident::InstantMessage, CN::InstantMessageAddressUsernameKey);
        add(Ident::SocialNetwork, Ident::SocialNetwork, Key::StringValue);
        add(SortKey::SocialNetworkServiceName, Ident::SocialNetwork, CN::SocialProfileServiceKey);
        add(SortKey::SocialNetworkUsername, Ident::SocialNetwork, CN::SocialProfileUsernameKey);
        add(Ident::Relationship, Ident::Relationship, Key::StringValue);
        add(SortKey::RelationshipLabel, Ident::Relationship, Key::Label);
        add(Ident::Dates, Ident::Dates, Key::StringValue);
        add(SortKey::DatesLabel, Ident::Dates, Key::Label);
        add(Ident::PhoneticName, Ident::PhoneticName, Key::StringValue);
        add(Ident::PhoneticFirstNameSpaced, Ident::PhoneticName, Ident::PhoneticFirstName);
        add(Ident::PhoneticLastNameSpaced, Ident::PhoneticName, Ident::PhoneticLastName);
        add(SortKey::CompositeName, Ident::Name, SortKey::CompositeName);
        add(Ident::FirstName, Ident::Name, Ident::FirstName);
        add(Ident::LastName, Ident::Name, Ident::LastName);
        return t;
    }();
    return table;
}

QVariantMap firstEntry(ZRPerson &person, const QString &identifier)
{
    const QVariantList *list = person.labeledValues(identifier);
    return list && !list->isEmpty() ? list->first().toMap() : QVariantMap();
}

bool comparesDates(const ContactSort::IdentifierAndKey &split)
{
    return split.identifier == Ident::Dates && split.key != Key::Label;
}

// Two words joined by a blank, the blank only when both are there.
QString joined(const QString &first, const QString &second)
{
    if (first.isEmpty())
        return second;
    if (second.isEmpty())
        return first;
    return first + u' ' + second;
}

} // namespace

namespace ContactSort {

std::optional<IdentifierAndKey> separateSortKeyIntoIdentifierAndKey(const QString &sortKey)
{
    const auto it = splitTable().constFind(sortKey);
    if (it == splitTable().cend())
        return std::nullopt;
    return it.value();
}

QString sortText(ZRPerson &person, const IdentifierAndKey &split)
{
    if (ZRPerson::labeledIdentifiers().contains(split.identifier))
        return firstEntry(person, split.identifier).value(split.key).toString();
    if (split.identifier == Ident::Name) {
        if (split.key == SortKey::CompositeName)
            return person.storedCompositeName();
        // Reading the name first brings the shown-as-person flag in line with the name dictionary.
        const QVariantMap &name = person.readNameValue();
        if (!person.showAsPerson())
            return person.stringValues().value(Ident::Company).toString();
        const QString first = name.value(Ident::FirstName).toString();
        const QString last = name.value(Ident::LastName).toString();
        return split.key == Ident::LastName ? last + first : first + last;
    }
    if (split.identifier == Ident::PhoneticName) {
        const QVariantMap &phonetic = person.readPhoneticNameValue();
        const QString first = phonetic.value(Ident::FirstName).toString();
        const QString last = phonetic.value(Ident::LastName).toString();
        if (split.key == Ident::PhoneticFirstName)
            return joined(first, last);
        if (split.key == Ident::PhoneticLastName)
            return joined(last, first);
        return phonetic.value(Key::StringValue).toString();
    }
    return person.valueForIdentifier(split.identifier).toString();
}

SortValue sortValue(const ContactEntry &entry, const IdentifierAndKey &split)
{
    if (!entry.person)
        return SortValue::missing();
    if (comparesDates(split))
        return SortValue::fromDateValue(firstEntry(*entry.person, Ident::Dates).value(Key::Value));
    return SortValue::fromText(sortText(*entry.person, split));
}

int compareDateComponents(const QVariant &a, const QVariant &b, bool ascending)
{
    return SortValue::compareDatesMissingLast(
        SortValue::fromDateValue(a), SortValue::fromDateValue(b), ascending);
}

int compare(const ContactEntry &a, const ContactEntry &b, const SortDescriptor &descriptor)
{
    const auto split = separateSortKeyIntoIdentifierAndKey(descriptor.key);
    if (!split)
        return 0;
    const auto rule = comparesDates(*split) ? SortValues::Rule::DatesMissingLast : SortValues::Rule::Text;
    return SortValues::compare(sortValue(a, *split), sortValue(b, *split), rule, descriptor.ascending);
}

void sortContactTable(ContactTable &table, const SortDescriptor &descriptor)
{
    const auto split = separateSortKeyIntoIdentifierAndKey(descriptor.key);
    if (!split)
        return;
    if (!comparesDates(*split)) {
        TextRanks ranks;
        std::vector<qsizetype> rowSlots;
        rowSlots.reserve(size_t(table.size()));
        for (const ContactEntryPtr &entry : table) {
            rowSlots.push_back(
                entry && entry->person ? ranks.slotOf(sortText(*entry->person, *split)) : TextRanks::Missing);
        }
        SortValues::applyOrder(table, ranks.stableOrder(rowSlots, descriptor.ascending));
        return;
    }
    std::vector<SortValue> values;
    values.reserve(size_t(table.size()));
    for (const ContactEntryPtr &entry : table)
        values.push_back(entry ? sortValue(*entry, *split) : SortValue::missing());
    SortValues::applyOrder(
        table, SortValues::stableOrder(values, SortValues::Rule::DatesMissingLast, descriptor.ascending));
}

} // namespace ContactSort
