#pragma once

#include "model/StoreContact.h"

// Every string a store contact holds, its labels and the parts of its listed values included.
// Reading a large file makes tens of strings per contact; most are a few characters long, so what
// the allocator adds to each costs more memory than their text. Packing keeps one block per contact.
namespace StoreContactStrings {

// Writable extras for a writable contact, so that its strings can be replaced where they lie.
inline const StoreContactExtras &extrasOf(const StoreContact &contact)
{
    return contact.extras();
}
inline StoreContactExtras &extrasOf(StoreContact &contact)
{
    return contact.editExtras();
}

template <typename Contact, typename Visit> void forEach(Contact &contact, Visit &&visit)
{
    for (auto *text : { &contact.identifier, &contact.givenName, &contact.familyName,
             &contact.phoneticGivenName, &contact.phoneticFamilyName, &contact.organizationName,
             &contact.departmentName, &contact.jobTitle, &contact.note })
        visit(*text);
    const auto strings = [&](auto &list) {
        for (auto &entry : list) {
            visit(entry.label);
            visit(entry.value);
        }
    };
    strings(contact.phoneNumbers);
    strings(contact.emailAddresses);
    strings(contact.urlAddresses);
    for (auto &entry : contact.postalAddresses) {
        visit(entry.label);
        auto &a = entry.value;
        for (auto *part : { &a.street, &a.city, &a.state, &a.postalCode, &a.country, &a.isoCountryCode,
                 &a.subLocality, &a.subAdministrativeArea })
            visit(*part);
    }
    // Most contacts have no extras, and asking to write them would make some.
    if (!contact.hasExtras())
        return;
    auto &extras = extrasOf(contact);
    for (auto *text : { &extras.namePrefix, &extras.middleName, &extras.previousFamilyName,
             &extras.nameSuffix, &extras.nickname, &extras.phoneticMiddleName })
        visit(*text);
    for (auto &entry : extras.socialProfiles) {
        visit(entry.label);
        auto &p = entry.value;
        for (auto *part : { &p.urlString, &p.username, &p.userIdentifier, &p.service })
            visit(*part);
    }
    for (auto &entry : extras.instantMessageAddresses) {
        visit(entry.label);
        visit(entry.value.username);
        visit(entry.value.service);
    }
    for (auto &entry : extras.contactRelations) {
        visit(entry.label);
        visit(entry.value.name);
    }
    for (auto &entry : extras.dates)
        visit(entry.label);
}

// Whoever adds a string to these types must visit it above, or reading a card would leave it over
// the card's arena; the sizes are checked to remind them.
static_assert(QT_POINTER_SIZE != 8 || sizeof(StoreContact) == 344, "visit the new field in forEach");
// The extras' byte arrays (images, kept properties) are never over the arena: they are not visited.
static_assert(QT_POINTER_SIZE != 8 || sizeof(StoreContactExtras) == 312, "visit the new field in forEach");
static_assert(sizeof(StorePostalAddress) == 8 * sizeof(QString), "visit the new field in forEach");
static_assert(sizeof(StoreSocialProfile) == 4 * sizeof(QString), "visit the new field in forEach");
static_assert(sizeof(StoreInstantMessageAddress) == 2 * sizeof(QString), "visit the new field in forEach");
static_assert(sizeof(StoreContactRelation) == sizeof(QString), "visit the new field in forEach");

// Moves the text of every string the contact alone holds, and of every string over the card's
// arena, into one shared block. The strings stay ordinary strings: changing one copies it out, as
// changing any shared string does.
void pack(StoreContact &contact);

// Gives every string over the card's arena a block of its own, for a reader that keeps only a few
// of them (a record whose values are built later): one shared block would keep the whole card's
// text alive with them.
void separate(StoreContact &contact);

} // namespace StoreContactStrings
