#pragma once

#include "model/StoreContact.h"
#include "model/ZRPerson.h"

#include <QString>

// Every text the values of a record built from a contact show: names, readings, the string fields,
// each entry's value and the parts of each address, as the contact holds them, and the dates as the
// record writes them. Whatever is searched of a record is among these, so a contact none of them
// matches needs no record values built to know that it holds no match. Some texts given here are
// not searched (an address's country code): that only costs a contact a closer look.
namespace StoreContactTexts {

// Calls f(text) for each text until it returns true; returns whether it did.
template <typename F> bool anyOf(const StoreContact &c, F &&f)
{
    for (const QString *text : { &c.givenName, &c.familyName, &c.phoneticGivenName, &c.phoneticFamilyName,
             &c.organizationName, &c.departmentName, &c.jobTitle, &c.note }) {
        if (f(*text))
            return true;
    }
    const StoreContactExtras &x = c.extras();
    for (const QString *text : { &x.namePrefix, &x.middleName, &x.previousFamilyName, &x.nameSuffix,
             &x.nickname, &x.phoneticMiddleName }) {
        if (f(*text))
            return true;
    }
    for (const auto *list : { &c.phoneNumbers, &c.emailAddresses, &c.urlAddresses }) {
        for (const auto &entry : *list) {
            if (f(entry.value))
                return true;
        }
    }
    for (const auto &entry : c.postalAddresses) {
        const StorePostalAddress &a = entry.value;
        for (const QString *text : { &a.street, &a.city, &a.state, &a.postalCode, &a.country,
                 &a.isoCountryCode, &a.subLocality, &a.subAdministrativeArea }) {
            if (f(*text))
                return true;
        }
    }
    for (const auto &entry : x.socialProfiles) {
        if (f(entry.value.username) || f(entry.value.urlString) || f(entry.value.userIdentifier))
            return true;
    }
    for (const auto &entry : x.instantMessageAddresses) {
        if (f(entry.value.username))
            return true;
    }
    for (const auto &entry : x.contactRelations) {
        if (f(entry.value.name))
            return true;
    }
    for (const auto &entry : x.dates) {
        if (f(ZRPerson::dateStringFromDateComponents(entry.value)))
            return true;
    }
    return c.birthday && f(ZRPerson::dateStringFromDateComponents(*c.birthday));
}

} // namespace StoreContactTexts
