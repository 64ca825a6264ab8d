#include "document/AddressBookLoader.h"

#include "document/VdirContactStore.h"
#include "model/ZRPerson.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

ContactEntryPtr entryForPerson(const std::shared_ptr<ZRPerson> &person)
{
    auto entry = std::make_shared<ContactEntry>();
    entry->person = person;
    entry->uniqueId = person->uniqueId();
    entry->uniqueId2 = person->uniqueId2();
    entry->labelIndex = 0;
    return entry;
}

ContactEntryPtr entrySharing(const ContactEntryPtr &topRow)
{
    auto entry = std::make_shared<ContactEntry>();
    entry->person = topRow->person;
    entry->uniqueId = topRow->uniqueId;
    entry->uniqueId2 = topRow->uniqueId2;
    entry->labelIndex = 0;
    return entry;
}

} // namespace

AddressBookLoader::AddressBookLoader(std::shared_ptr<ContactStore> store)
    : m_store(store ? std::move(store) : std::make_shared<VdirContactStore>(QStringList()))
{
}

void AddressBookLoader::setStore(std::shared_ptr<ContactStore> store)
{
    m_store = store ? std::move(store) : std::make_shared<VdirContactStore>(QStringList());
}

bool AddressBookLoader::isAddressBook(const ContactContainer &container)
{
    return !container.identifier.isEmpty() && container.type != 0;
}

bool AddressBookLoader::hasChanges(const ContactContainer &container)
{
    for (const ContactGroupPtr &group : container.groups) {
        // A group without a store group was made in this window.
        if (group->changed || group->deleted || group->groupNameChanged
            || (!group->top && group->cnGroup.isEmpty()))
            return true;
        if (!group->contactTable)
            continue;
        for (const ContactEntryPtr &entry : *group->contactTable) {
            if (entry->isNew || entry->deleted || (entry->person && entry->person->changed()))
                return true;
        }
    }
    return false;
}

ContainerTable AddressBookLoader::containersFromStore()
{
    ContainerTable table;
    const auto result = m_store->containers();
    if (!result.ok()) {
        qWarning("%s: ERROR can't get containers, %s", Q_FUNC_INFO, qUtf8Printable(result.error));
        return table;
    }
    for (const ContactStore::Container &account : result.items) {
        auto container = std::make_shared<ContactContainer>();
        container->name = account.name;
        container->type = AddressBookContainerType;
        container->identifier = account.identifier;
        auto top = std::make_shared<ContactGroup>();
        top->top = true;
        top->name = ContainerText::AllContacts;
        top->containerName = account.name;
        // Distinct per account, so that a group found by unique id is never another account's top.
        top->uniqueId = account.identifier;
        top->containerIdentifier = account.identifier;
        container->groups.append(top);
        table.append(container);
    }
    return table;
}

std::optional<AddressBookLoader::Alert> AddressBookLoader::updateGroupTable(ContactContainer &container)
{
    const auto result = m_store->groupsInContainer(container.identifier);
    switch (result.status) {
    case ContactStore::Status::Ok:
        break;
    case ContactStore::Status::UnknownContainer:
        qWarning("%s: ERROR can't get predicate for %s", Q_FUNC_INFO, qUtf8Printable(container.name));
        return std::nullopt;
    case ContactStore::Status::Error:
        qWarning("%s: ERROR can't find groups in %s, %s", Q_FUNC_INFO, qUtf8Printable(container.name),
            qUtf8Printable(result.error));
        return std::nullopt;
    case ContactStore::Status::Failure:
        qWarning("%s: Exception ERROR at groupsMatchingPredicate for %s", Q_FUNC_INFO,
            qUtf8Printable(container.name));
        return Alert { AddressBookText::GroupReadErrorFormat.arg(container.name),
            AddressBookText::CheckAccountSettings };
    }
    for (const ContactStore::Group &storeGroup : result.items) {
        auto group = std::make_shared<ContactGroup>();
        group->top = false;
        group->name = storeGroup.name;
        group->containerName = container.name;
        group->uniqueId = storeGroup.identifier;
        group->cnGroup = storeGroup.identifier;
        group->containerIdentifier = container.identifier;
        container.groups.append(group);
    }
    return std::nullopt;
}

QList<StoreContact> AddressBookLoader::cnContactsForGroup(
    const QString &groupIdentifier, const QString &containerIdentifier)
{
    const auto accounts = m_store->containers();
    for (const ContactStore::Container &account : accounts.items) {
        if (account.identifier != containerIdentifier)
            continue;
        const QByteArray accountName = account.name.toUtf8();
        if (groupIdentifier.isEmpty()) {
            auto contacts = m_store->contactsInContainer(account.identifier);
            if (contacts.status == ContactStore::Status::UnknownContainer) {
                qWarning("%s: ERROR can't get preficate2 for %s", Q_FUNC_INFO, accountName.constData());
                continue;
            }
            if (!contacts.ok()) {
                qWarning("%s: ERROR can't get contacts for %s, %s", Q_FUNC_INFO, accountName.constData(),
                    qUtf8Printable(contacts.error));
                continue;
            }
            return contacts.items;
        }
        const auto groups = m_store->groupsInContainer(account.identifier);
        if (groups.status == ContactStore::Status::UnknownContainer) {
            qWarning("%s: ERROR can't get preficate for %s", Q_FUNC_INFO, accountName.constData());
            continue;
        }
        if (!groups.ok()) {
            qWarning("%s: ERROR can't get groups for %s", Q_FUNC_INFO, accountName.constData());
            continue;
        }
        for (const ContactStore::Group &storeGroup : groups.items) {
            if (storeGroup.identifier != groupIdentifier)
                continue;
            auto contacts = m_store->contactsInGroup(account.identifier, storeGroup.identifier);
            if (contacts.status == ContactStore::Status::UnknownContainer) {
                qWarning(
                    "%s: ERROR can't get preficate for %s", Q_FUNC_INFO, qUtf8Printable(storeGroup.name));
                continue;
            }
            if (!contacts.ok()) {
                qWarning("%s: ERROR can't get contacts for %s, %s", Q_FUNC_INFO,
                    qUtf8Printable(storeGroup.name), qUtf8Printable(contacts.error));
                continue;
            }
            return contacts.items;
        }
    }
    return {};
}

void AddressBookLoader::loadContactTable(const ContactGroupPtr &group, const ContainerTable &containers)
{
    if (!group || group->contactTable)
        return;
    ContactContainerPtr container;
    for (const ContactContainerPtr &candidate : containers) {
        if (candidate->identifier == group->containerIdentifier) {
            container = candidate;
            break;
        }
    }
    if (!container || container->groups.isEmpty())
        return;
    const ContactGroupPtr top = container->groups.first();
    if (!top->contactTable) {
        ContactTable rows;
        for (const StoreContact &contact : cnContactsForGroup(top->cnGroup, top->containerIdentifier))
            rows.append(entryForPerson(ZRPerson::fromStoreContact(contact)));
        top->contactTable = rows;
    }

    QHash<QString, ContactEntryPtr> byUniqueId;
    QHash<QString, ContactEntryPtr> byUniqueId2;
    for (const ContactEntryPtr &row : *top->contactTable) {
        byUniqueId.insert(row->uniqueId, row);
        if (!row->uniqueId2.isEmpty())
            byUniqueId2.insert(row->uniqueId2, row);
    }
    for (const ContactGroupPtr &member : container->groups) {
        if (member == top || member->contactTable)
            continue;
        ContactTable rows;
        if (member->cnGroup.isEmpty()) {
            // Made in this window, not by the store: it has no members there to load.
            member->contactTable = rows;
            continue;
        }
        for (const StoreContact &contact : cnContactsForGroup(member->cnGroup, member->containerIdentifier)) {
            ContactEntryPtr found;
            if (contact.contactType == StoreContact::Type::Person)
                found = byUniqueId.value(contact.identifier);
            else
                found = byUniqueId2.value(ZRPerson::fromStoreContact(contact)->uniqueId2());
            // A member the account no longer lists as one of its contacts is not shown.
            if (found)
                rows.append(entrySharing(found));
        }
        member->contactTable = rows;
    }
}
