#pragma once

#include "model/StoreContact.h"
#include "model/VCardOtherProperties.h"

#include <QByteArray>
#include <QFile>
#include <gtest/gtest.h>

// Shared by the vCard reader and writer tests.
namespace VCardTestSupport {

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Every field the writer promises to carry through a write and a second read: all but the note
// and the pictures (the record's, and others the card held), which go with the document's own
// writer's picture.
inline StoreContact withoutNoteAndImages(StoreContact contact)
{
    contact.note.clear();
    if (contact.hasExtras()) {
        contact.editExtras().imageData.clear();
        contact.editExtras().thumbnailImageData.clear();
        const QByteArray others
            = VCardOtherProperties::withoutEmbeddedPhotos(contact.extras().otherProperties);
        if (others != contact.extras().otherProperties)
            contact.editExtras().otherProperties = others;
    }
    return contact;
}

inline std::string describeDifference(const StoreContact &a, const StoreContact &b)
{
    std::string out;
    auto field = [&](const char *name, bool same) {
        if (!same)
            out += std::string(name) + " ";
    };
    field("identifier", a.identifier == b.identifier);
    field("contactType", a.contactType == b.contactType);
    field("namePrefix", a.extras().namePrefix == b.extras().namePrefix);
    field("givenName", a.givenName == b.givenName);
    field("middleName", a.extras().middleName == b.extras().middleName);
    field("familyName", a.familyName == b.familyName);
    field("previousFamilyName", a.extras().previousFamilyName == b.extras().previousFamilyName);
    field("nameSuffix", a.extras().nameSuffix == b.extras().nameSuffix);
    field("nickname", a.extras().nickname == b.extras().nickname);
    field("phoneticGivenName", a.phoneticGivenName == b.phoneticGivenName);
    field("phoneticMiddleName", a.extras().phoneticMiddleName == b.extras().phoneticMiddleName);
    field("phoneticFamilyName", a.phoneticFamilyName == b.phoneticFamilyName);
    field("organizationName", a.organizationName == b.organizationName);
    field("departmentName", a.departmentName == b.departmentName);
    field("jobTitle", a.jobTitle == b.jobTitle);
    field("birthday", a.birthday == b.birthday);
    field("phoneNumbers", a.phoneNumbers == b.phoneNumbers);
    field("emailAddresses", a.emailAddresses == b.emailAddresses);
    field("postalAddresses", a.postalAddresses == b.postalAddresses);
    field("urlAddresses", a.urlAddresses == b.urlAddresses);
    field("socialProfiles", a.extras().socialProfiles == b.extras().socialProfiles);
    field(
        "instantMessageAddresses", a.extras().instantMessageAddresses == b.extras().instantMessageAddresses);
    field("contactRelations", a.extras().contactRelations == b.extras().contactRelations);
    field("dates", a.extras().dates == b.extras().dates);
    return out;
}

} // namespace VCardTestSupport
