#pragma once

#include "model/DateComponents.h"

#include <QByteArray>
#include <QDataStream>
#include <QList>
#include <QMetaType>
#include <QSharedData>
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

// The fields most contacts leave empty. They live behind one pointer in the contact: a large file
// holds a hundred thousand contacts, and these would take nearly half of each one's room.
struct StoreContactExtras
{
    QString namePrefix;
    QString middleName;
    QString previousFamilyName;
    QString nameSuffix;
    QString nickname;
    QString phoneticMiddleName;

    QList<StoreLabeledValue<StoreSocialProfile>> socialProfiles;
    QList<StoreLabeledValue<StoreInstantMessageAddress>> instantMessageAddresses;
    QList<StoreLabeledValue<StoreContactRelation>> contactRelations;
    QList<StoreLabeledValue<DateComponents>> dates;

    QByteArray imageData;
    QByteArray thumbnailImageData;
    // Properties no field holds, as content lines to write back (see VCardOtherProperties).
    QByteArray otherProperties;

    friend bool operator==(const StoreContactExtras &, const StoreContactExtras &) = default;
};

// Holds a contact's extras: nothing until one is written, shared between copies until one of them
// writes, as the Qt values around it are. Compares by value, an empty box equal to empty extras.
class StoreContactExtrasBox
{
public:
    const StoreContactExtras &get() const { return m_data ? *m_data : empty(); }
    // Makes the extras, or a copy of their own when they are shared.
    StoreContactExtras &edit()
    {
        if (!m_data)
            m_data = new Data;
        return *m_data;
    }
    bool exists() const { return m_data; }

    friend bool operator==(const StoreContactExtrasBox &a, const StoreContactExtrasBox &b)
    {
        return a.m_data == b.m_data || a.get() == b.get();
    }

private:
    struct Data : QSharedData, StoreContactExtras
    {
    };
    static const StoreContactExtras &empty()
    {
        static const StoreContactExtras none;
        return none;
    }
    QSharedDataPointer<Data> m_data;
};

struct StoreContact
{
    enum class Type { Person, Organization };
    // Which name comes first where the name is written whole (the card's FN).
    enum class NameOrder { Default = 0, GivenNameFirst = 1, FamilyNameFirst = 2 };

    QString identifier; // stable id: the vCard's UID when it has one, else a new UUID
    Type contactType = Type::Person;
    // The record's own order, given to the writer; the reader leaves it to the locale (Default).
    NameOrder nameOrder = NameOrder::Default;

    QString givenName;
    QString familyName;
    QString phoneticGivenName;
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

    // Reading never makes the extras; editExtras() does, so ask it only to write.
    const StoreContactExtras &extras() const { return m_extras.get(); }
    StoreContactExtras &editExtras() { return m_extras.edit(); }
    bool hasExtras() const { return m_extras.exists(); }

    friend bool operator==(const StoreContact &, const StoreContact &) = default;

private:
    StoreContactExtrasBox m_extras;
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
Q_DECLARE_TYPEINFO(StoreContactExtrasBox, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(StoreContact, Q_RELOCATABLE_TYPE);

Q_DECLARE_METATYPE(StorePostalAddress)
Q_DECLARE_METATYPE(StoreSocialProfile)
Q_DECLARE_METATYPE(StoreInstantMessageAddress)
Q_DECLARE_METATYPE(StoreContactRelation)
