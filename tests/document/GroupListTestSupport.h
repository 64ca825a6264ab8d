#pragma once

#include "document/ContactStore.h"

#include <QMap>
#include <QStringList>
#include <QtGlobal>

// An address book in memory whose every answer a test can set, and which counts what it is asked.
class MemoryContactStore : public ContactStore
{
public:
    struct Account
    {
        QString name;
        QList<StoreContact> contacts;
        QList<Group> groups;
        QMap<QString, QList<StoreContact>> members; // by group identifier
    };

    QMap<QString, Account> accounts; // by container identifier
    QStringList order;
    Status groupsStatus = Status::Ok;
    Status contactsStatus = Status::Ok;
    int groupFetches = 0;
    int contactFetches = 0;

    Account &addAccount(const QString &identifier, const QString &name)
    {
        order.append(identifier);
        Account &account = accounts[identifier];
        account.name = name;
        return account;
    }

    Result<Container> containers() override
    {
        Result<Container> result;
        for (const QString &id : std::as_const(order))
            result.items.append({ id, accounts.value(id).name });
        return result;
    }

    Result<Group> groupsInContainer(const QString &containerIdentifier) override
    {
        ++groupFetches;
        if (!accounts.contains(containerIdentifier))
            return { Status::UnknownContainer, QStringLiteral("unknown"), {} };
        if (groupsStatus != Status::Ok)
            return { groupsStatus, QStringLiteral("offline"), {} };
        return { Status::Ok, {}, accounts.value(containerIdentifier).groups };
    }

    Result<StoreContact> contactsInContainer(const QString &containerIdentifier) override
    {
        ++contactFetches;
        if (!accounts.contains(containerIdentifier))
            return { Status::UnknownContainer, QStringLiteral("unknown"), {} };
        if (contactsStatus != Status::Ok)
            return { contactsStatus, QStringLiteral("offline"), {} };
        return { Status::Ok, {}, accounts.value(containerIdentifier).contacts };
    }

    Result<StoreContact> contactsInGroup(
        const QString &containerIdentifier, const QString &groupIdentifier) override
    {
        ++contactFetches;
        if (!accounts.contains(containerIdentifier))
            return { Status::UnknownContainer, QStringLiteral("unknown"), {} };
        if (contactsStatus != Status::Ok)
            return { contactsStatus, QStringLiteral("offline"), {} };
        return { Status::Ok, {}, accounts.value(containerIdentifier).members.value(groupIdentifier) };
    }
};

inline StoreContact storePerson(const QString &id, const QString &given, const QString &family)
{
    StoreContact c;
    c.identifier = id;
    c.givenName = given;
    c.familyName = family;
    return c;
}

// Collects what the code under test logs, for as long as it lives.
class LogCapture
{
public:
    LogCapture()
    {
        messages().clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { messages().append(text); });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
    // How many logged lines contain the text.
    static int count(const QString &text)
    {
        int n = 0;
        for (const QString &m : std::as_const(messages()))
            n += m.contains(text) ? 1 : 0;
        return n;
    }

private:
    QtMessageHandler m_previous;
};
