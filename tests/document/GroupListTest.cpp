#include "GroupListTestSupport.h"
#include "HubTestSupport.h"
#include "document/ContactTransfer.h"
#include "document/GroupViewController.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"

#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A vCard document: Ann in Friends and Golf, Bob in Friends, Cy in Chess.
class GroupListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString text = u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                             "CATEGORIES:Friends,Golf\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\n"
                             "CATEGORIES:Friends\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ito;Cy;;;\r\nFN:Cy Ito\r\n"
                             "CATEGORIES:Chess\r\nEND:VCARD\r\n"_s;
        t.open(text);
        container = controller.containerTable().first();
        top = container->groups.at(0);
        friends = container->groups.at(1);
        golf = container->groups.at(2);
        chess = container->groups.at(3);
    }

    QStringList shownNames() const
    {
        QStringList names;
        const GroupListItem root;
        for (int c = 0; c < list.numberOfChildrenOfItem(root); ++c) {
            const GroupListItem item = list.childOfItem(c, root);
            for (int g = 0; g < list.numberOfChildrenOfItem(item); ++g)
                names << list.textOfItem(list.childOfItem(g, item));
        }
        return names;
    }

    static QMimeData *rows(const QString &indexes)
    {
        auto *data = new QMimeData;
        data->setData(ContactTransfer::RowIndexesMimeType, indexes.toUtf8());
        return data;
    }

    static DocumentHub::Options withStore(std::shared_ptr<ContactStore> store)
    {
        DocumentHub::Options options;
        options.store = std::move(store);
        return options;
    }

    std::shared_ptr<MemoryContactStore> store = std::make_shared<MemoryContactStore>();
    TestHub t { withStore(store) };
    ViewController &controller = t.controller();
    GroupViewController &list = t.hub.groupList();
    ContactContainerPtr container;
    ContactGroupPtr top, friends, golf, chess;
};

} // namespace

TEST_F(GroupListTest, OutlineShowsContainersWithTheirGroupsAndHidesDeletedOnes)
{
    const GroupListItem root;
    ASSERT_EQ(list.numberOfChildrenOfItem(root), 1);
    const GroupListItem vcard = list.childOfItem(0, root);
    EXPECT_TRUE(vcard.isContainer());
    EXPECT_TRUE(list.isItemExpandable(vcard));
    EXPECT_EQ(list.textOfItem(vcard), u"vCard"_s);
    EXPECT_EQ(shownNames(), (QStringList { u"All Contacts"_s, u"Friends"_s, u"Golf"_s, u"Chess"_s }));
    const GroupListItem first = list.childOfItem(0, vcard);
    EXPECT_FALSE(list.isItemExpandable(first));
    EXPECT_EQ(list.numberOfChildrenOfItem(first), 0);
    // Indexes outside the lists give no item rather than reaching past them.
    EXPECT_TRUE(list.childOfItem(4, vcard).isRoot());
    EXPECT_TRUE(list.childOfItem(-1, vcard).isRoot());
    EXPECT_TRUE(list.childOfItem(1, root).isRoot());

    // Two deletions: the deleted groups move to the end and are hidden; each other one shows once.
    ASSERT_TRUE(list.deleteGroup(friends));
    ASSERT_TRUE(list.deleteGroup(golf));
    EXPECT_EQ(container->groups.size(), 4);
    EXPECT_EQ(shownNames(), (QStringList { u"All Contacts"_s, u"Chess"_s }));
    EXPECT_EQ(list.positionOfGroup(chess), std::make_pair(0, 1));
    EXPECT_EQ(list.positionOfGroup(golf), std::make_pair(-1, -1));

    // Undo brings the group back, at the end of the list.
    controller.undo();
    EXPECT_EQ(shownNames(), (QStringList { u"All Contacts"_s, u"Chess"_s, u"Golf"_s }));
}

TEST_F(GroupListTest, SelectionEditingAndDeletionFollowTheGroupsRules)
{
    const GroupListItem vcard { container, nullptr };
    const GroupListItem topItem { container, top };
    const GroupListItem golfItem { container, golf };

    EXPECT_FALSE(list.shouldSelectItem(vcard));
    EXPECT_FALSE(list.selectItem(vcard));
    EXPECT_TRUE(list.selectItem(golfItem));
    EXPECT_EQ(controller.selectedGroupDict(), golf);

    EXPECT_FALSE(list.shouldEditTableColumn(vcard));
    EXPECT_FALSE(list.shouldEditTableColumn(topItem));
    EXPECT_TRUE(list.shouldEditTableColumn(golfItem));
    EXPECT_TRUE(list.outlineViewDoubleAction(golfItem));
    EXPECT_FALSE(list.canDeleteGroup(top));
    EXPECT_TRUE(list.canDeleteGroup(golf));
    // A category that happens to carry the top group's name is not renamed either.
    golf->name = ContainerText::AllContacts;
    EXPECT_FALSE(list.shouldEditTableColumn(golfItem));
    golf->name = u"Golf"_s;

    list.setEditState(false);
    EXPECT_FALSE(list.shouldEditTableColumn(golfItem));
    EXPECT_FALSE(list.outlineViewDoubleAction(golfItem));
    EXPECT_FALSE(list.canDeleteGroup(golf));
    EXPECT_FALSE(list.deleteGroup(golf));
    EXPECT_FALSE(list.canAddGroup());
    EXPECT_EQ(list.addGroup(), nullptr);
    EXPECT_FALSE(list.textFieldCellChanged(golfItem, u"Tennis"_s));
    EXPECT_EQ(golf->name, u"Golf"_s);
    EXPECT_FALSE(controller.isDocumentEdited());
}

TEST_F(GroupListTest, RenamingAppliesOnlyARealChangeAndUndoes)
{
    const GroupListItem golfItem { container, golf };
    EXPECT_FALSE(list.textFieldCellChanged(golfItem, QString()));
    EXPECT_FALSE(list.textFieldCellChanged(golfItem, u"Golf"_s));
    EXPECT_FALSE(list.textFieldCellChanged({ container, top }, u"Everyone"_s));
    EXPECT_FALSE(controller.undoManager().canUndo());

    EXPECT_TRUE(list.textFieldCellChanged(golfItem, u"Tennis"_s));
    EXPECT_EQ(golf->name, u"Tennis"_s);
    EXPECT_TRUE(golf->groupNameChanged);
    EXPECT_TRUE(controller.isDocumentEdited());
    controller.undo();
    EXPECT_EQ(golf->name, u"Golf"_s);
}

TEST_F(GroupListTest, NewGroupsGetAFreeNameAndUndoHidesThem)
{
    ContactGroupPtr first = list.addGroup();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->name, u"New Group"_s);
    EXPECT_FALSE(first->top);
    EXPECT_EQ(first->containerName, u"Local"_s);
    EXPECT_EQ(first->containerIdentifier, container->identifier);
    ASSERT_TRUE(first->contactTable.has_value());
    EXPECT_TRUE(first->contactTable->isEmpty());
    EXPECT_EQ(container->groups.last(), first);
    EXPECT_TRUE(controller.isDocumentEdited());

    // A deleted group keeps its name taken: undoing the deletion must not make two of one name.
    ASSERT_TRUE(list.deleteGroup(first));
    EXPECT_EQ(list.addGroup()->name, u"New Group 2"_s);
    EXPECT_EQ(list.addGroup()->name, u"New Group 3"_s);
    EXPECT_NE(container->groups.at(4)->uniqueId, container->groups.at(5)->uniqueId);

    controller.undo();
    EXPECT_EQ(shownNames().count(u"New Group 3"_s), 0);
    controller.redo();
    EXPECT_EQ(shownNames().count(u"New Group 3"_s), 1);
}

TEST_F(GroupListTest, RowHeightComesFromTheFontAndNeverDropsBelowTheMinimum)
{
    struct Row
    {
        double ascent, descent, leading, pointSize, expected;
    };
    const Row rows[] = {
        { 10, 3, 0, 12, 24 }, // small fonts get the minimum
        { 20, 6, 1.2, 18, 28 }, // line metrics, rounded up
        { 20, 5, 0, 30, 43 }, // a size whose 1.42 times exceeds the metrics
        { 28.2, 0, 0, 10, 29 }, // fractions round up
    };
    for (const Row &r : rows)
        EXPECT_EQ(
            GroupViewController::rowHeightForMetrics(r.ascent, r.descent, r.leading, r.pointSize), r.expected)
            << r.ascent << " " << r.pointSize;

    EXPECT_EQ(list.rowHeight(), GroupViewController::InitialRowHeight);
    list.setTextMetrics(TextMetrics::estimate(40));
    EXPECT_GE(list.rowHeight(), 57); // ceil(40 * 1.42)
    EXPECT_EQ(list.heightOfRowByItem({ container, top }), list.rowHeight());
}

TEST_F(GroupListTest, DropsAreTakenOnlyOnAnotherGroupWhileEditing)
{
    const GroupListItem golfItem { container, golf };
    const GroupListItem topItem { container, top };
    const QString indexes = u"0,1"_s;
    struct Row
    {
        const char *why;
        bool editing;
        bool fromGroupList;
        QString text;
        GroupListItem item;
        int childIndex;
        bool accepted;
    };
    const Row rows[] = {
        { "a group other than the one shown", true, false, indexes, golfItem, -1, true },
        { "the group shown", true, false, indexes, topItem, -1, false },
        { "editing is off", false, false, indexes, golfItem, -1, false },
        { "dragged from the group list itself", true, true, indexes, golfItem, -1, false },
        { "no row indexes", true, false, QString(), golfItem, -1, false },
        { "a container, not a group", true, false, indexes, { container, nullptr }, -1, false },
        { "between rows, not on the group", true, false, indexes, golfItem, 0, false },
    };
    for (const Row &r : rows) {
        list.setEditState(r.editing);
        EXPECT_EQ(list.validateDrop(r.text, r.fromGroupList, r.item, r.childIndex), r.accepted) << r.why;
    }
    EXPECT_FALSE(list.validateDrop(static_cast<const QMimeData *>(nullptr), false, golfItem));
    QMimeData plain;
    plain.setText(indexes);
    list.setEditState(true);
    EXPECT_FALSE(list.validateDrop(&plain, false, golfItem)); // plain text alone is not rows
}

TEST_F(GroupListTest, DroppingRowsAddsTheirContactsOnceAndUndoes)
{
    const ContactTable subRows = *top->contactTable; // Ann, Bob, Cy as the table shows them
    const GroupListItem golfItem { container, golf };
    std::unique_ptr<QMimeData> data(rows(u"1,2"_s));
    ASSERT_TRUE(list.acceptDrop(data.get(), false, golfItem, -1, subRows));
    ASSERT_EQ(golf->contactTable->size(), 3);
    EXPECT_EQ(golf->contactTable->at(1)->person, subRows.at(1)->person); // shared, not copied
    EXPECT_EQ(top->contactTable->size(), 3);
    EXPECT_TRUE(controller.isDocumentEdited());

    // The same rows again: nothing is appended twice.
    std::unique_ptr<QMimeData> again(rows(u"2"_s));
    ASSERT_TRUE(list.acceptDrop(again.get(), false, golfItem, -1, subRows));
    EXPECT_EQ(golf->contactTable->size(), 3);

    // Refused drops change nothing; indexes outside the table are ignored.
    std::unique_ptr<QMimeData> onShown(rows(u"0"_s));
    EXPECT_FALSE(list.acceptDrop(onShown.get(), false, { container, top }, -1, subRows));
    std::unique_ptr<QMimeData> stale(rows(u"7,-1,x"_s));
    list.acceptDrop(stale.get(), false, { container, chess }, -1, subRows);
    EXPECT_EQ(chess->contactTable->size(), 1);

    controller.undo();
    controller.undo();
    int shown = 0;
    for (const ContactEntryPtr &entry : *golf->contactTable)
        shown += entry->deleted ? 0 : 1;
    EXPECT_EQ(shown, 1); // Ann only, as read
}

TEST_F(GroupListTest, GroupMenuListsNamedGroupsAndNeverAsksTheStoreForAFile)
{
    auto empty = std::make_shared<ContactGroup>();
    empty->containerIdentifier = container->identifier;
    empty->contactTable = ContactTable();
    container->groups.append(empty); // a group without a name
    ASSERT_TRUE(list.deleteGroup(chess));
    list.groupSelectionDidChange(friends);

    // A document with only its top group: the menu leaves the store alone.
    ViewController lone;
    lone.setContainerTable(*ZRvCard().containersFromVCards(QString()));
    GroupViewController loneList(&lone, store);
    (void)loneList.groupMenu();
    EXPECT_EQ(store->groupFetches, 0);

    const QList<GroupMenuItem> menu = list.groupMenu();
    ASSERT_EQ(menu.size(), 2);
    EXPECT_TRUE(menu.at(0).isTitle);
    EXPECT_EQ(menu.at(0).title, u"Group"_s);
    EXPECT_EQ(menu.at(1).title, u"vCard"_s);
    QStringList titles;
    for (const GroupMenuItem &item : menu.at(1).submenu)
        titles << item.title + (item.checked ? u"*"_s : QString());
    EXPECT_EQ(titles, (QStringList { u"All Contacts"_s, u"Friends*"_s, u"Golf"_s }));

    QSignalSpy chosen(&controller, &ViewController::groupSelectionChanged);
    list.selectGroup(menu.at(1).submenu.at(2));
    EXPECT_EQ(controller.selectedGroupDict(), golf);
    EXPECT_EQ(chosen.size(), 1);
    list.selectGroup(menu.at(1)); // a container entry chooses nothing
    EXPECT_EQ(controller.selectedGroupDict(), golf);
}
