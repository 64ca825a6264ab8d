#pragma once

#include "model/DateComponents.h"

#include <QByteArray>
#include <QDataStream>
#include <QList>
#include <QMetaType>
#include <QString>
#include <optional>

// The contact store's object model: what the vCard parser produces and the vCard writer consumes.
// A contact record reads one of these once and builds a new one when asked; plain values throughout.

struct StorePostalAddress
{
    QString street;
    QString city;
    QString state;
    QString postalCode;
    QString country;
    QString isoCountryCode;
    QString subLocality; // kept from ADR's extended part so that nothing read is lost
    QString subAdministrativeArea; // likewise the post-office box
    friend bool operator==(const StorePostalAddress &, const StorePostalAddress &) = default;
};

struct StoreSocialProfile
{
    QString urlString;
    QString username;
    QString userIdentifier;
    QString service;
    friend bool operator==(const StoreSocialProfile &, const StoreSocialProfile &) = default;
};

struct StoreInstantMessageAddress
{
    QString username;
    QString service;
    friend bool operator==(const StoreInstantMessageAddress &, const StoreInstantMessageAddress &) = default;
};

struct StoreContactRelation
{
    QString name;
    friend bool operator==(const StoreContactRelation &, const StoreContactRelation &) = default;
};

// One entry of a labelled list: the store label (e.g. "_$!<Home>!$_" or a custom text) and a value.
template <typename T> struct StoreLabeledValue
{
    QString label;
    T value;
    friend bool operator==(const StoreLabeledValue &, const StoreLabeledValue &) = default;
};

struct StoreContact
{
    enum class Type { Person, Organization };

    QString identifier; // stable id: the vCard's UID when it has one, else a new UUID
    Type contactType = Type::Person;

    QString namePrefix;
    QString givenName;
    QString middleName;
    QString familyName;
    QString previousFamilyName;
    QString nameSuffix;
    QString nickname;
    QString phoneticGivenName;
    QString phoneticMiddleName;
    QString phoneticFamilyName;

    QString organizationName;
    QString departmentName;
    QString jobTitle;
    QString note;

    std::optional<DateComponents> birthday;

    QList<StoreLabeledValue<QString>> phoneNumbers;
    QList<StoreLabeledValue<QString>> emailAddresses;
    QList<StoreLabeledValue<StorePostalAddress>> postalAddresses;
    QList<StoreLabeledValue<QString>> urlAddresses;
    QList<StoreLabeledValue<StoreSocialProfile>> socialProfiles;
    QList<StoreLabeledValue<StoreInstantMessageAddress>> instantMessageAddresses;
    QList<StoreLabeledValue<StoreContactRelation>> contactRelations;
    QList<StoreLabeledValue<DateComponents>> dates;

    QByteArray imageData;
    QByteArray thumbnailImageData;

    friend bool operator==(const StoreContact &, const StoreContact &) = default;
};

// Streaming, so that these values round-trip inside QVariants (clipboard, queued signals).
inline QDataStream &operator<<(QDataStream &out, const StorePostalAddress &a)
{
    return out << a.street << a.city << a.state << a.postalCode << a.country << a.isoCountryCode
               << a.subLocality << a.subAdministrativeArea;
}

inline QDataStream &operator>>(QDataStream &in, StorePostalAddress &a)
{
    return in >> a.street >> a.city >> a.state >> a.postalCode >> a.country >> a.isoCountryCode
        >> a.subLocality >> a.subAdministrativeArea;
}

inline QDataStream &operator<<(QDataStream &out, const StoreSocialProfile &p)
{
    return out << p.urlString << p.username << p.userIdentifier << p.service;
}

inline QDataStream &operator>>(QDataStream &in, StoreSocialProfile &p)
{
    return in >> p.urlString >> p.username >> p.userIdentifier >> p.service;
}

inline QDataStream &operator<<(QDataStream &out, const StoreInstantMessageAddress &a)
{
    return out << a.username << a.service;
}

inline QDataStream &operator>>(QDataStream &in, StoreInstantMessageAddress &a)
{
    return in >> a.username >> a.service;
}

inline QDataStream &operator<<(QDataStream &out, const StoreContactRelation &r)
{
    return out << r.name;
}

inline QDataStream &operator>>(QDataStream &in, StoreContactRelation &r)
{
    return in >> r.name;
}

// Every member is an implicitly shared Qt value or plain data, so lists may move these by memory copy:
// parsing a large file grows its list of contacts without copying each one.
Q_DECLARE_TYPEINFO(StorePostalAddress, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(StoreSocialProfile, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(StoreInstantMessageAddress, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(StoreContactRelation, Q_RELOCATABLE_TYPE);
template <typename T>
class QTypeInfo<StoreLabeledValue<T>> : public QTypeInfoMerger<StoreLabeledValue<T>, QString, T>
{
};
Q_DECLARE_TYPEINFO(StoreContact, Q_RELOCATABLE_TYPE);

Q_DECLARE_METATYPE(StorePostalAddress)
Q_DECLARE_METATYPE(StoreSocialProfile)
Q_DECLARE_METATYPE(StoreInstantMessageAddress)
Q_DECLARE_METATYPE(StoreContactRelation)
