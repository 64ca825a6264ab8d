#pragma once

#include "model/TranslatableText.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

class ZRPerson;

// The three shapes every part of the document shares. One record is shared by its entries in the
// top group and in category groups, so an edit shows in every group; entries of different groups
// are matched by unique id, never by identity.

// One contact in one group.
struct ContactEntry
{
    std::shared_ptr<ZRPerson> person;
    QString uniqueId;
    QString uniqueId2; // only where the record has one (address book)
    qsizetype labelIndex = 0; // 0 in an entry; in a sub-row, the position of the value it shows
    bool isNew = false; // created in this window: read, added, duplicated, dropped
    bool deleted = false; // kept in its table, not shown, so that undo can bring it back
    QVariantMap extra; // columns of an imported file that no field of the record takes
};
using ContactEntryPtr = std::shared_ptr<ContactEntry>;
using ContactTable = QList<ContactEntryPtr>;

struct ContactGroup
{
    bool top = false; // the first group of a container: every contact of the container
    QString name;
    QString containerName;
    QString uniqueId;
    QString containerIdentifier; // finds the owning container again
    // Absent for an address-book group until it is first selected.
    std::optional<ContactTable> contactTable;
    QString cnGroup; // the store's group identifier (address-book groups only)
    bool changed = false;
    bool deleted = false;
    bool groupNameChanged = false;
};
using ContactGroupPtr = std::shared_ptr<ContactGroup>;

struct ContactContainer
{
    QString name;
    int type = 1;
    QString identifier; // "" for a file; the store's container identifier for an address book
    QList<ContactGroupPtr> groups;
};
using ContactContainerPtr = std::shared_ptr<ContactContainer>;
using ContainerTable = QList<ContactContainerPtr>;

namespace ContainerText {

inline const QString VCardContainerName = QStringLiteral("vCard");
inline const QString LocalContainerName = QStringLiteral("Local");
// The top group's name as stored and compared; people read it in their language (displayName).
inline const QString AllContacts = QStringLiteral("All Contacts");
inline constexpr auto AllContactsTitle = TranslatableText("ContainerText", "All Contacts");

// The text a group's name is shown with: the top group's in the reader's language, any other as it is.
inline QString displayName(const QString &groupName)
{
    return groupName == AllContacts ? AllContactsTitle.text() : groupName;
}

} // namespace ContainerText
