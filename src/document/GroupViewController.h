#pragma once

#include "document/AddressBookLoader.h"
#include "document/TextMetrics.h"
#include "formats/ContactContainer.h"
#include "model/TranslatableText.h"

#include <QObject>
#include <QStringList>

class QMimeData;
class UserDefaults;
class ViewController;

// Names and texts of the group list.
namespace GroupListText {

inline const QString PlainTextType = QStringLiteral("text/plain");
inline const QString VCardType = QStringLiteral("text/vcard");
inline const QString GroupsColumn = QStringLiteral("Groups");
inline const QString TextCellView = QStringLiteral("TextCell");
inline constexpr auto GroupMenuTitle = TranslatableText("GroupListText", "Group");
// A group the user adds starts with this name, numbered when the container already has it.
inline constexpr auto NewGroupName = TranslatableText("GroupListText", "New Group");
inline const QString NumberedNameFormat = QStringLiteral("%1 %2");

} // namespace GroupListText

// One row of the outline: a container (root level) or one of its groups.
struct GroupListItem
{
    ContactContainerPtr container; // the container, or the group's container
    ContactGroupPtr group; // empty for a container row

    bool isRoot() const { return !container && !group; }
    bool isContainer() const { return container && !group; }
    bool isGroup() const { return bool(group); }
    friend bool operator==(const GroupListItem &, const GroupListItem &) = default;
};

// One entry of the group menu; a container entry has no group and lists its groups below it.
struct GroupMenuItem
{
    QString title;
    bool isTitle = false; // the menu's heading: no action
    bool checked = false;
    ContactGroupPtr group;
    QList<GroupMenuItem> submenu;
};

// The group list without its widget: which containers and groups the outline shows, what may be
// selected, renamed, deleted and dropped on, group choice with on-demand address-book loading, and
// the group menu. Every change goes through the window controller's undoable operations.
class GroupViewController : public QObject
{
    Q_OBJECT

public:
    static constexpr double InitialRowHeight = 20;
    static constexpr double MinimumRowHeight = 24;

    // The defaults, when given, receive the last chosen container.
    GroupViewController(ViewController *delegate, std::shared_ptr<ContactStore> store = nullptr,
        UserDefaults *defaults = nullptr, QObject *parent = nullptr);

    ViewController *delegate() const { return m_delegate; }
    AddressBookLoader &loader() { return m_loader; }
    const ContainerTable &containerTable() const;
    ContactGroupPtr selectedGroupDict() const;
    ContactContainerPtr containerOfGroup(const ContactGroupPtr &group) const;

    bool editState() const { return m_editState; }
    void setEditState(bool on) { m_editState = on; }
    bool outlineViewHidden() const { return m_outlineViewHidden; }
    void setOutlineViewHidden(bool hidden) { m_outlineViewHidden = hidden; }
    // The list's font, measured by the window; the row height follows it.
    void setTextMetrics(const TextMetrics &metrics);
    double rowHeight() const { return m_rowHeight; }
    static double rowHeightForMetrics(double ascent, double descent, double leading, double pointSize);
    // The drag types the list takes.
    static QStringList registeredDragTypes();

    // ---- Outline: a root item is GroupListItem{}.
    int numberOfChildrenOfItem(const GroupListItem &item) const;
    GroupListItem childOfItem(int index, const GroupListItem &item) const;
    bool isItemExpandable(const GroupListItem &item) const { return item.isContainer(); }
    QString textOfItem(const GroupListItem &item) const;
    bool shouldSelectItem(const GroupListItem &item) const { return item.isGroup(); }
    bool shouldEditTableColumn(const GroupListItem &item) const;
    double heightOfRowByItem(const GroupListItem &) const { return m_rowHeight; }
    // Whether a double click starts editing the row's name.
    bool outlineViewDoubleAction(const GroupListItem &item) const { return shouldEditTableColumn(item); }
    // The item of a group, as the outline shows it; empty when the group is not shown.
    GroupListItem itemOfGroup(const ContactGroupPtr &group) const;
    // Row of the container and of the group within it, for selecting and scrolling; {-1, -1} if hidden.
    std::pair<int, int> positionOfGroup(const ContactGroupPtr &group) const;

    // The list is about to be shown: address books holding only their top group get their store groups.
    void outlineWillAppear();
    // Asks the store for the container's groups, whatever the container.
    void updateGroupTable(const ContactContainerPtr &container);
    // Only for address-book containers (a non-empty identifier and a non-zero type): the group list
    // and the group menu fetch through here.
    void updateGroupTableOfAddressBook(const ContactContainerPtr &container);

    // ---- The set of address books
    // The names of the books shown here that the store would no longer list and that hold changes
    // made in this window (see AddressBookLoader::hasChanges): they can't go without losing them.
    QStringList changedAddressBooksMissingFrom(ContactStore &store) const;
    // Shows the books of another store after the file's containers: books it still lists stay as they
    // are (loaded groups, changes and all), new ones come in the store's order, the others go. When
    // the group shown goes with its book, the first group is shown.
    void replaceAddressBooks(std::shared_ptr<ContactStore> store);

    // ---- Group choice
    // Selecting a row: only groups can be chosen.
    bool selectItem(const GroupListItem &item);
    void groupSelectionDidChange(const ContactGroupPtr &group);

    // ---- Editing groups
    bool canAddGroup() const;
    // The first of "New Group", "New Group 2", ... that no group of the container is called.
    static QString newGroupName(const ContactContainer &container);
    // Adds a new empty group to the container of the group shown; it is returned so that the view can
    // start editing its name. Nothing while editing is off.
    ContactGroupPtr addGroup();
    bool canDeleteGroup(const ContactGroupPtr &group) const;
    bool deleteGroup(const ContactGroupPtr &group);
    // An edited name: applied (undoably) when it is not empty and differs from the old one.
    bool textFieldCellChanged(const GroupListItem &item, const QString &text);

    // ---- Drops of contact-table rows onto a group
    bool validateDrop(const QString &stringIndexes, bool fromGroupList, const GroupListItem &item,
        int childIndex = -1) const;
    bool validateDrop(
        const QMimeData *data, bool fromGroupList, const GroupListItem &item, int childIndex = -1) const;
    // subRows are the contact table's sub-rows the indexes count in.
    bool acceptDrop(const QMimeData *data, bool fromGroupList, const GroupListItem &item, int childIndex,
        const ContactTable &subRows);

    // ---- Group menu, rebuilt each time it opens
    QList<GroupMenuItem> groupMenu();
    void selectGroup(const GroupMenuItem &item);

signals:
    // Reload the outline, expand the selected group's container, select the group and scroll to it.
    void updateTableRequested();
    void alertRequested(const QString &message, const QString &informativeText);

private:
    ViewController *m_delegate;
    AddressBookLoader m_loader;
    UserDefaults *m_defaults;
    bool m_editState = true;
    bool m_outlineViewHidden = false;
    double m_rowHeight = InitialRowHeight;
};
