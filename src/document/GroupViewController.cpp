#include "document/GroupViewController.h"

#include "document/ContactTransfer.h"
#include "document/UserDefaults.h"
#include "document/ViewController.h"

#include <QDateTime>
#include <QHash>
#include <QMimeData>
#include <QSet>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The groups a container shows: deleted ones stay in its list, for undo, but are hidden.
QList<ContactGroupPtr> shownGroups(const ContactContainer &container)
{
    QList<ContactGroupPtr> groups;
    for (const ContactGroupPtr &group : container.groups) {
        if (!group->deleted)
            groups.append(group);
    }
    return groups;
}

} // namespace

GroupViewController::GroupViewController(
    ViewController *delegate, std::shared_ptr<ContactStore> store, UserDefaults *defaults, QObject *parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_loader(std::move(store))
    , m_defaults(defaults)
{
    // The window controller changes the group list through its undoable operations.
    connect(
        delegate, &ViewController::groupListNeedsUpdate, this, &GroupViewController::updateTableRequested);
}

const ContainerTable &GroupViewController::containerTable() const
{
    return m_delegate->containerTable();
}

ContactGroupPtr GroupViewController::selectedGroupDict() const
{
    return m_delegate->selectedGroupDict();
}

ContactContainerPtr GroupViewController::containerOfGroup(const ContactGroupPtr &group) const
{
    return m_delegate->containerOfGroup(group);
}

double GroupViewController::rowHeightForMetrics(
    double ascent, double descent, double leading, double pointSize)
{
    double height = std::ceil(ascent + descent + leading);
    height = std::max(height, std::ceil(pointSize * 1.42));
    return std::max(height, MinimumRowHeight);
}

void GroupViewController::setTextMetrics(const TextMetrics &metrics)
{
    m_rowHeight = rowHeightForMetrics(metrics.ascent, metrics.descent, metrics.leading, metrics.pointSize);
    emit updateTableRequested();
}

QStringList GroupViewController::registeredDragTypes()
{
    return { GroupListText::PlainTextType, GroupListText::VCardType, ContactTransfer::RowIndexesMimeType };
}

int GroupViewController::numberOfChildrenOfItem(const GroupListItem &item) const
{
    if (item.isRoot())
        return int(containerTable().size());
    if (item.isContainer())
        return int(shownGroups(*item.container).size());
    return 0;
}

GroupListItem GroupViewController::childOfItem(int index, const GroupListItem &item) const
{
    if (index < 0)
        return {};
    if (item.isRoot()) {
        if (index >= containerTable().size())
            return {};
        return { containerTable().at(index), nullptr };
    }
    if (item.isContainer()) {
        const QList<ContactGroupPtr> groups = shownGroups(*item.container);
        if (index >= groups.size())
            return {};
        return { item.container, groups.at(index) };
    }
    return {};
}

QString GroupViewController::textOfItem(const GroupListItem &item) const
{
    if (item.isGroup())
        return ContainerText::displayName(item.group->name);
    if (item.isContainer())
        return item.container->name;
    return QString();
}

bool GroupViewController::shouldEditTableColumn(const GroupListItem &item) const
{
    return m_editState && item.isGroup() && !item.group->top
        && item.group->name != ContainerText::AllContacts;
}

GroupListItem GroupViewController::itemOfGroup(const ContactGroupPtr &group) const
{
    const auto [containerRow, groupRow] = positionOfGroup(group);
    if (containerRow < 0)
        return {};
    return { containerTable().at(containerRow), group };
}

std::pair<int, int> GroupViewController::positionOfGroup(const ContactGroupPtr &group) const
{
    if (!group || group->deleted)
        return { -1, -1 };
    for (int c = 0; c < containerTable().size(); ++c) {
        const qsizetype g = shownGroups(*containerTable().at(c)).indexOf(group);
        if (g >= 0)
            return { c, int(g) };
    }
    return { -1, -1 };
}

void GroupViewController::outlineWillAppear()
{
    // Only an address book has store groups to fetch. A file's container got its groups (its cards'
    // categories) when the file was read; one holding only its top group has none, and asking the
    // store about a container that is not one of its own can only fail.
    for (const ContactContainerPtr &container : containerTable()) {
        if (container->groups.size() == 1)
            updateGroupTableOfAddressBook(container);
    }
    emit updateTableRequested();
}

void GroupViewController::updateGroupTable(const ContactContainerPtr &container)
{
    if (!container)
        return;
    if (const auto alert = m_loader.updateGroupTable(*container))
        emit alertRequested(alert->message, alert->informativeText);
}

void GroupViewController::updateGroupTableOfAddressBook(const ContactContainerPtr &container)
{
    if (!container || !AddressBookLoader::isAddressBook(*container))
        return;
    updateGroupTable(container);
}

QStringList GroupViewController::changedAddressBooksMissingFrom(ContactStore &store) const
{
    QSet<QString> listed;
    for (const ContactStore::Container &book : store.containers().items)
        listed.insert(book.identifier);
    QStringList names;
    for (const ContactContainerPtr &container : containerTable()) {
        if (AddressBookLoader::isAddressBook(*container) && !listed.contains(container->identifier)
            && AddressBookLoader::hasChanges(*container))
            names.append(container->name);
    }
    return names;
}

void GroupViewController::replaceAddressBooks(std::shared_ptr<ContactStore> store)
{
    m_loader.setStore(std::move(store));
    ContainerTable table;
    QHash<QString, ContactContainerPtr> shownBooks;
    for (const ContactContainerPtr &container : containerTable()) {
        if (AddressBookLoader::isAddressBook(*container))
            shownBooks.insert(container->identifier, container);
        else
            table.append(container);
    }
    for (const ContactContainerPtr &book : m_loader.containersFromStore())
        table.append(shownBooks.value(book->identifier, book));
    m_delegate->setContainerTable(table);
    emit updateTableRequested();
}

bool GroupViewController::selectItem(const GroupListItem &item)
{
    if (!shouldSelectItem(item))
        return false;
    groupSelectionDidChange(item.group);
    return true;
}

void GroupViewController::groupSelectionDidChange(const ContactGroupPtr &group)
{
    if (!group)
        return;
    m_loader.loadContactTable(group, containerTable());
    m_delegate->setSelectedGroupDict(group);
    if (m_defaults)
        m_defaults->setLastContainerIdentifier(group->containerIdentifier);
}

bool GroupViewController::canAddGroup() const
{
    return m_editState && containerOfGroup(selectedGroupDict());
}

QString GroupViewController::newGroupName(const ContactContainer &container)
{
    // Deleted groups count too: undoing their deletion must not give two groups one name.
    QSet<QString> taken;
    for (const ContactGroupPtr &group : container.groups)
        taken.insert(group->name);
    QString name = GroupListText::NewGroupName;
    for (int n = 2; taken.contains(name); ++n)
        name = GroupListText::NumberedNameFormat.arg(GroupListText::NewGroupName).arg(n);
    return name;
}

ContactGroupPtr GroupViewController::addGroup()
{
    if (!canAddGroup())
        return {};
    const ContactContainerPtr container = containerOfGroup(selectedGroupDict());
    auto group = std::make_shared<ContactGroup>();
    group->name = newGroupName(*container);
    group->containerName
        = container->identifier.isEmpty() ? ContainerText::LocalContainerName : container->name;
    group->uniqueId = u"%1-%2"_s.arg(group->name, QDateTime::currentDateTime().toString(Qt::ISODateWithMs));
    group->containerIdentifier = container->identifier;
    // Made here, so it has no members anywhere else to load.
    group->contactTable = ContactTable();
    m_delegate->undoAddGroup(group, container);
    return group;
}

bool GroupViewController::canDeleteGroup(const ContactGroupPtr &group) const
{
    return m_editState && group && !group->top && !group->deleted && containerOfGroup(group);
}

bool GroupViewController::deleteGroup(const ContactGroupPtr &group)
{
    if (!canDeleteGroup(group))
        return false;
    const ContactContainerPtr container = containerOfGroup(group);
    // The container's first group is shown next; it must have its members by then.
    m_loader.loadContactTable(container->groups.first(), containerTable());
    m_delegate->undoDeleteGroup(group, container);
    return true;
}

bool GroupViewController::textFieldCellChanged(const GroupListItem &item, const QString &text)
{
    if (!shouldEditTableColumn(item) || text.isEmpty() || text == item.group->name)
        return false;
    // Renaming shows the group, so a group of an account not chosen yet needs its members first.
    m_loader.loadContactTable(item.group, containerTable());
    m_delegate->undoChangeGroupName(text, item.group);
    return true;
}

bool GroupViewController::validateDrop(
    const QString &stringIndexes, bool fromGroupList, const GroupListItem &item, int childIndex) const
{
    return m_editState && !fromGroupList && !stringIndexes.isEmpty() && item.isGroup() && !item.group->deleted
        && item.group != selectedGroupDict() && childIndex < 0;
}

bool GroupViewController::validateDrop(
    const QMimeData *data, bool fromGroupList, const GroupListItem &item, int childIndex) const
{
    if (!data)
        return false;
    const QString indexes = QString::fromUtf8(data->data(ContactTransfer::RowIndexesMimeType));
    return validateDrop(indexes, fromGroupList, item, childIndex);
}

bool GroupViewController::acceptDrop(const QMimeData *data, bool fromGroupList, const GroupListItem &item,
    int childIndex, const ContactTable &subRows)
{
    if (!validateDrop(data, fromGroupList, item, childIndex))
        return false;
    // An address-book group not chosen yet is loaded first, sharing its account's records.
    m_loader.loadContactTable(item.group, containerTable());
    m_delegate->addContactByStringIndexes(
        QString::fromUtf8(data->data(ContactTransfer::RowIndexesMimeType)), item.group, subRows);
    return true;
}

QList<GroupMenuItem> GroupViewController::groupMenu()
{
    QList<GroupMenuItem> menu;
    menu.append({ GroupListText::GroupMenuTitle, true, false, nullptr, {} });
    const ContactGroupPtr selected = selectedGroupDict();
    for (const ContactContainerPtr &container : containerTable()) {
        if (container->name.isEmpty())
            continue;
        if (container->groups.size() == 1)
            updateGroupTableOfAddressBook(container);
        GroupMenuItem entry { container->name, false, false, nullptr, {} };
        for (const ContactGroupPtr &group : container->groups) {
            // A deleted group is gone for the user until an undo brings it back.
            if (group->name.isEmpty() || group->deleted)
                continue;
            entry.submenu.append({ ContainerText::displayName(group->name), false,
                selected && group->uniqueId == selected->uniqueId, group, {} });
        }
        menu.append(entry);
    }
    return menu;
}

void GroupViewController::selectGroup(const GroupMenuItem &item)
{
    if (item.group)
        groupSelectionDidChange(item.group);
}
