#pragma once

#include "model/StoreContact.h"

#include <QList>
#include <QString>

// A source of address-book contacts outside any document: accounts (containers), their groups and
// their contacts. Stores are only ever read; nothing in the program writes to one.
class ContactStore
{
public:
    struct Container
    {
        QString identifier;
        QString name;
    };

    struct Group
    {
        QString identifier;
        QString name; // may be empty
    };

    // How a fetch ended. The loader logs each kind in its own way and only a Failure reaches the
    // user: it means the store itself broke while answering, not that an account has no such thing.
    enum class Status {
        Ok,
        UnknownContainer, // no way to ask about this container (not one of the store's)
        Error, // the store answered with an error
        Failure, // the store broke down while answering
    };

    template <typename T> struct Result
    {
        Status status = Status::Ok;
        QString error;
        QList<T> items;

        bool ok() const { return status == Status::Ok; }
    };

    virtual ~ContactStore() = default;

    virtual Result<Container> containers() = 0;
    virtual Result<Group> groupsInContainer(const QString &containerIdentifier) = 0;
    virtual Result<StoreContact> contactsInContainer(const QString &containerIdentifier) = 0;
    virtual Result<StoreContact> contactsInGroup(
        const QString &containerIdentifier, const QString &groupIdentifier)
        = 0;
};
