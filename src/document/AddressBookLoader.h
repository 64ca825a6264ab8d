#pragma once

#include "document/ContactStore.h"
#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QString>
#include <memory>

// Messages of address-book loading that reach the user.
namespace AddressBookText {

inline constexpr auto GroupReadErrorFormat
    = TranslatableText("AddressBookText", "Error on reading a group in the '%1'.");
inline constexpr auto CheckAccountSettings
    = TranslatableText("AddressBookText", "Please check the account settings.");

} // namespace AddressBookText

// Brings address-book accounts into a window's containers, on demand: a container's groups when the
// list or menu first needs them, a group's contacts when it is first chosen. Every record exists once
// per container, in its top group; the other groups share those records. Store failures are logged
// and leave the lists as they were; only a store breaking down while listing groups is for the user.
class AddressBookLoader
{
public:
    // Any non-zero type marks an address-book container; files use 1 with an empty identifier.
    static constexpr int AddressBookContainerType = 3;

    struct Alert
    {
        QString message;
        QString informativeText;
    };

    // Without a store, no container is known to it.
    explicit AddressBookLoader(std::shared_ptr<ContactStore> store = nullptr);

    ContactStore &store() { return *m_store; }
    // Another set of address books (the folders in the preferences changed). Containers made from the
    // old store are the caller's to keep or drop.
    void setStore(std::shared_ptr<ContactStore> store);

    // A container of the store's, not a file's: one the loader fetches groups and contacts for.
    static bool isAddressBook(const ContactContainer &container);
    // Whether this window changed anything of the container: a contact, a group, a group's members or
    // name, a group made or deleted here. Undo and redo steps may still refer to what changed.
    static bool hasChanges(const ContactContainer &container);

    // One container per account of the store, each with a top group whose contacts load later.
    ContainerTable containersFromStore();

    // Appends the store's groups of the container to its groups. Returns the alert to show when the
    // store broke down while answering.
    std::optional<Alert> updateGroupTable(ContactContainer &container);

    // The store contacts of a group (by its store identifier), or of the whole container when the
    // group identifier is empty. Nothing on failure.
    QList<StoreContact> cnContactsForGroup(
        const QString &groupIdentifier, const QString &containerIdentifier);

    // Gives the group a contact table when it has none: its container's top group is loaded from the
    // store first, then every group of that container still without a table is built from the top
    // group's rows. Tables that exist are never replaced: they may hold the user's changes.
    void loadContactTable(const ContactGroupPtr &group, const ContainerTable &containers);

private:
    std::shared_ptr<ContactStore> m_store;
};
