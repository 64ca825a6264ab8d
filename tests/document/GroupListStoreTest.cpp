#include "GroupListTestSupport.h"
#include "HubTestSupport.h"
#include "document/ContactTransfer.h"
#include "document/GroupViewController.h"
#include "document/UserDefaults.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QMimeData>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// One account "Work" holding Ann, Bob and an organisation; group "Team" lists Ann, the organisation
// and Zed, whom the account's own contact list does not hold; group "Empty" has no name.
class GroupListStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        StoreContact org;
        org.identifier = u"org-1"_s;
        org.contactType = StoreContact::Type::Organization;
        org.organizationName = u"Acme"_s;
        org.phoneNumbers.append({ u"_$!<Work>!$_"_s, u"555"_s });
        // Listed in a group, the store hands out an organisation under another identifier.
        StoreContact orgInGroup = org;
        orgInGroup.identifier = u"org-unified"_s;

        MemoryContactStore::Account &work = store->addAccount(u"acc-work"_s, u"Work"_s);
        work.contacts
            = { storePerson(u"ann"_s, u"Ann"_s, u"Lee"_s), storePerson(u"bob"_s, u"Bob"_s, u"Ray"_s), org };
        work.groups = { { u"g-team"_s, u"Team"_s }, { u"g-empty"_s, QString() } };
        work.members[u"g-team"_s] = { storePerson(u"ann"_s, u"Ann"_s, u"Lee"_s), orgInGroup,
            storePerson(u"zed"_s, u"Zed"_s, u"Do"_s) };

        ContainerTable table = *ZRvCard().containersFromVCards(QString());
        table.append(list.loader().containersFromStore());
        DocumentWindowData data;
        data.containerTable = table;
        data.selectedGroupDict = table.first()->groups.first();
        data.contactTable = *data.selectedGroupDict->contactTable;
        t.hub.open(data);
        file = table.at(0);
        account = table.at(1);
    }

    static QStringList familyNames(const ContactTable &rows)
    {
        QStringList names;
        for (const ContactEntryPtr &row : rows)
            names << (row->person->valueForIdentifier(u"LastName"_s).toString()
                + row->person->valueForIdentifier(u"Company"_s).toString());
        return names;
    }

    static DocumentHub::Options withStore(std::shared_ptr<ContactStore> store)
    {
        DocumentHub::Options options;
        options.store = std::move(store);
        return options;
    }

    std::shared_ptr<MemoryContactStore> store = std::make_shared<MemoryContactStore>();
    TestHub t { withStore(store) };
    UserDefaults &defaults = t.defaults;
    ViewController &controller = t.controller();
    GroupViewController &list = t.hub.groupList();
    ContactContainerPtr file, account;
};

} // namespace

TEST_F(GroupListStoreTest, AnAccountBecomesAContainerWhoseGroupsLoadWhenTheListAppears)
{
    EXPECT_EQ(account->name, u"Work"_s);
    EXPECT_NE(account->type, 0);
    EXPECT_EQ(account->identifier, u"acc-work"_s);
    ASSERT_EQ(account->groups.size(), 1);
    const ContactGroupPtr top = account->groups.first();
    EXPECT_TRUE(top->top);
    EXPECT_EQ(top->containerIdentifier, u"acc-work"_s);
    EXPECT_FALSE(top->contactTable.has_value());
    EXPECT_EQ(store->contactFetches, 0); // nothing is read before it is needed

    LogCapture log;
    list.outlineWillAppear();
    ASSERT_EQ(account->groups.size(), 3);
    const ContactGroupPtr team = account->groups.at(1);
    EXPECT_EQ(team->name, u"Team"_s);
    EXPECT_EQ(team->containerName, u"Work"_s);
    EXPECT_EQ(team->uniqueId, u"g-team"_s);
    EXPECT_EQ(team->cnGroup, u"g-team"_s);
    EXPECT_FALSE(team->top);
    EXPECT_EQ(account->groups.at(2)->name, QString()); // shown as an empty name
    // The file's own container, with only its top group, is not the store's to answer for: nothing is
    // asked and nothing logged on a normal open.
    EXPECT_EQ(file->groups.size(), 1);
    EXPECT_EQ(store->groupFetches, 1);
    EXPECT_EQ(LogCapture::count(u"ERROR"_s), 0);

    // Once a container has groups it is not asked again.
    list.outlineWillAppear();
    EXPECT_EQ(account->groups.size(), 3);

    // The menu leaves out the group without a name.
    const QList<GroupMenuItem> menu = list.groupMenu();
    ASSERT_EQ(menu.size(), 3);
    EXPECT_EQ(menu.at(2).submenu.size(), 2);
}

TEST_F(GroupListStoreTest, ChoosingAGroupLoadsTheAccountOnceAndSharesItsRecords)
{
    list.outlineWillAppear();
    const ContactGroupPtr top = account->groups.at(0);
    const ContactGroupPtr team = account->groups.at(1);
    QSignalSpy shown(&controller, &ViewController::groupSelectionChanged);

    list.groupSelectionDidChange(team);
    EXPECT_EQ(controller.selectedGroupDict(), team);
    EXPECT_EQ(shown.size(), 1);
    ASSERT_TRUE(top->contactTable.has_value());
    EXPECT_EQ(familyNames(*top->contactTable), (QStringList { u"Lee"_s, u"Ray"_s, u"Acme"_s }));
    for (const ContactEntryPtr &row : *top->contactTable) {
        EXPECT_EQ(row->labelIndex, 0);
        EXPECT_FALSE(row->isNew);
        EXPECT_EQ(row->uniqueId, row->person->uniqueId());
    }
    EXPECT_FALSE(top->contactTable->at(2)->uniqueId2.isEmpty()); // organisations carry a second id

    // Zed is no contact of the account and is left out; the organisation is found by its second id.
    ASSERT_TRUE(team->contactTable.has_value());
    EXPECT_EQ(familyNames(*team->contactTable), (QStringList { u"Lee"_s, u"Acme"_s }));
    EXPECT_EQ(team->contactTable->at(0)->person, top->contactTable->at(0)->person);
    EXPECT_EQ(team->contactTable->at(1)->person, top->contactTable->at(2)->person);
    EXPECT_NE(team->contactTable->at(0), top->contactTable->at(0)); // an entry of its own
    EXPECT_TRUE(account->groups.at(2)->contactTable->isEmpty());
    EXPECT_EQ(defaults.lastContainerIdentifier(), u"acc-work"_s);

    // A group already loaded keeps its table, changes included, when the account is read again.
    controller.undoDeleteContacts({ team->contactTable->at(0) }, team, true);
    const int fetches = store->contactFetches;
    list.groupSelectionDidChange(top);
    list.groupSelectionDidChange(team);
    EXPECT_EQ(store->contactFetches, fetches);
    EXPECT_TRUE(team->contactTable->at(0)->deleted);

    list.groupSelectionDidChange(file->groups.first());
    EXPECT_EQ(defaults.lastContainerIdentifier(), QString());
    EXPECT_EQ(controller.selectedGroupDict(), file->groups.first());
}

TEST_F(GroupListStoreTest, StoreFailuresAreLoggedAndOnlyABreakdownReachesTheUser)
{
    QSignalSpy alerts(&list, &GroupViewController::alertRequested);
    {
        LogCapture log;
        store->groupsStatus = ContactStore::Status::Error;
        list.updateGroupTable(account);
        EXPECT_EQ(LogCapture::count(u"ERROR can't find groups in Work, offline"_s), 1);
        EXPECT_EQ(account->groups.size(), 1);
        EXPECT_EQ(alerts.size(), 0);
    }
    {
        LogCapture log;
        store->groupsStatus = ContactStore::Status::Failure;
        list.updateGroupTable(account);
        EXPECT_EQ(LogCapture::count(u"Exception ERROR at groupsMatchingPredicate for Work"_s), 1);
        EXPECT_EQ(account->groups.size(), 1);
        ASSERT_EQ(alerts.size(), 1);
        EXPECT_EQ(alerts.at(0).at(0).toString(), u"Error on reading a group in the 'Work'."_s);
        EXPECT_EQ(alerts.at(0).at(1).toString(), u"Please check the account settings."_s);
    }
    {
        // The window's own fetch skips file containers without asking anything.
        LogCapture log;
        const int before = store->groupFetches;
        list.updateGroupTableOfAddressBook(file);
        EXPECT_EQ(store->groupFetches, before);
        EXPECT_TRUE(LogCapture::messages().isEmpty());
    }
    {
        // Contacts that can't be fetched give an empty table, not a crash or a stale one.
        LogCapture log;
        store->groupsStatus = ContactStore::Status::Ok;
        list.updateGroupTable(account);
        store->contactsStatus = ContactStore::Status::Error;
        list.groupSelectionDidChange(account->groups.at(1));
        EXPECT_TRUE(account->groups.at(0)->contactTable->isEmpty());
        EXPECT_TRUE(account->groups.at(1)->contactTable->isEmpty());
        EXPECT_GE(LogCapture::count(u"ERROR can't get contacts for Work, offline"_s), 1);
    }
    {
        LogCapture log;
        AddressBookLoader loader(store);
        EXPECT_TRUE(loader.cnContactsForGroup(QString(), u"no-such-account"_s).isEmpty());
        store->accounts.remove(u"acc-work"_s); // listed, but no longer answering for it
        EXPECT_TRUE(loader.cnContactsForGroup(QString(), u"acc-work"_s).isEmpty());
        EXPECT_EQ(LogCapture::count(u"ERROR can't get preficate2 for"_s), 1);
        EXPECT_TRUE(loader.cnContactsForGroup(u"g-team"_s, u"acc-work"_s).isEmpty());
        EXPECT_EQ(LogCapture::count(u"ERROR can't get preficate for"_s), 1);
    }
}

TEST_F(GroupListStoreTest, RowsDroppedOnAGroupNotYetChosenJoinItsLoadedMembers)
{
    list.outlineWillAppear();
    const ContactGroupPtr team = account->groups.at(1);
    list.groupSelectionDidChange(file->groups.first());
    ASSERT_TRUE(
        controller.addContactByVCardString(u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kim;Mo;;;\r\nFN:Mo Kim\r\n"
                                           "END:VCARD\r\n"_s));
    const ContactTable subRows = *file->groups.first()->contactTable;

    QMimeData data;
    data.setData(ContactTransfer::RowIndexesMimeType, "0");
    ASSERT_TRUE(list.acceptDrop(&data, false, { account, team }, -1, subRows));
    // The group's members came from the account first, then the dropped contact joined them, and the
    // account's top group received it too.
    EXPECT_EQ(familyNames(*team->contactTable), (QStringList { u"Lee"_s, u"Acme"_s, u"Kim"_s }));
    EXPECT_EQ(familyNames(*account->groups.at(0)->contactTable),
        (QStringList { u"Lee"_s, u"Ray"_s, u"Acme"_s, u"Kim"_s }));
    EXPECT_EQ(team->contactTable->at(0)->person, account->groups.at(0)->contactTable->at(0)->person);
}

TEST_F(GroupListStoreTest, RenamingOrDeletingAGroupNotYetChosenShowsLoadedMembers)
{
    list.outlineWillAppear();
    const ContactGroupPtr top = account->groups.at(0);
    const ContactGroupPtr team = account->groups.at(1);
    QSignalSpy shown(&controller, &ViewController::groupSelectionChanged);

    ASSERT_TRUE(list.textFieldCellChanged({ account, team }, u"Crew"_s));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(controller.selectedGroupDict(), team);
    ASSERT_TRUE(team->contactTable.has_value());
    EXPECT_EQ(familyNames(*team->contactTable), (QStringList { u"Lee"_s, u"Acme"_s }));

    // Deleting a group of an account never chosen shows the account's top group, loaded.
    list.groupSelectionDidChange(file->groups.first());
    top->contactTable.reset();
    ASSERT_TRUE(list.deleteGroup(account->groups.at(2)));
    EXPECT_EQ(controller.selectedGroupDict(), top);
    ASSERT_TRUE(top->contactTable.has_value());
    EXPECT_EQ(top->contactTable->size(), 3);
}

TEST_F(GroupListStoreTest, AnotherSetOfBooksKeepsTheBooksStillListedAndDropsTheOthers)
{
    list.outlineWillAppear();
    const ContactGroupPtr top = account->groups.at(0);
    const ContactGroupPtr team = account->groups.at(1);
    list.groupSelectionDidChange(team);

    // Work stays as it is (its groups and loaded members too), Home comes in after it.
    auto both = std::make_shared<MemoryContactStore>(*store);
    both->addAccount(u"acc-home"_s, u"Home"_s).contacts = { storePerson(u"cy"_s, u"Cy"_s, u"Ito"_s) };
    auto homeOnly = std::make_shared<MemoryContactStore>();
    homeOnly->addAccount(u"acc-home"_s, u"Home"_s);
    QSignalSpy shown(&controller, &ViewController::groupSelectionChanged);
    list.replaceAddressBooks(both);
    ASSERT_EQ(controller.containerTable().size(), 3);
    EXPECT_EQ(controller.containerTable().at(0), file);
    EXPECT_EQ(controller.containerTable().at(1), account);
    EXPECT_EQ(controller.containerTable().at(2)->name, u"Home"_s);
    EXPECT_EQ(controller.selectedGroupDict(), team);
    EXPECT_EQ(shown.size(), 0);
    EXPECT_EQ(familyNames(*team->contactTable), (QStringList { u"Lee"_s, u"Acme"_s }));
    // New books load from the new store.
    list.groupSelectionDidChange(controller.containerTable().at(2)->groups.first());
    EXPECT_EQ(familyNames(t.table().subContactTable()), QStringList { u"Ito"_s });
    list.groupSelectionDidChange(team);

    // Only a book with changes made here holds its place, and only against folders that drop it.
    EXPECT_TRUE(list.changedAddressBooksMissingFrom(*homeOnly).isEmpty());
    ASSERT_TRUE(controller.undoReplaceValue(u"Ada"_s, Ident::FirstName, team->contactTable->at(0)));
    EXPECT_EQ(list.changedAddressBooksMissingFrom(*homeOnly), QStringList { u"Work"_s });
    EXPECT_TRUE(list.changedAddressBooksMissingFrom(*both).isEmpty());
    // Undone, the change is still a step of Redo.
    controller.undo();
    EXPECT_EQ(list.changedAddressBooksMissingFrom(*homeOnly), QStringList { u"Work"_s });

    // Other changes that count: a group made, renamed or deleted here, a member added or removed.
    const auto untouchedBook = [] {
        auto member = std::make_shared<ContactEntry>();
        member->person = ZRPerson::fromStoreContact(storePerson(u"p"_s, u"Pat"_s, u"Poe"_s));
        auto all = std::make_shared<ContactGroup>();
        all->top = true;
        all->contactTable = ContactTable { member };
        auto storeGroup = std::make_shared<ContactGroup>();
        storeGroup->cnGroup = u"g"_s;
        ContactContainer book;
        book.identifier = u"b"_s;
        book.groups = { all, storeGroup };
        return book;
    };
    EXPECT_FALSE(AddressBookLoader::hasChanges(untouchedBook()));
    for (const auto &change : std::vector<std::function<void(ContactContainer &)>> {
             [](ContactContainer &c) { c.groups.append(std::make_shared<ContactGroup>()); },
             [](ContactContainer &c) { c.groups.at(1)->groupNameChanged = true; },
             [](ContactContainer &c) { c.groups.at(1)->deleted = true; },
             [](ContactContainer &c) { c.groups.at(1)->changed = true; },
             [](ContactContainer &c) { c.groups.at(0)->contactTable->first()->deleted = true; } }) {
        ContactContainer book = untouchedBook();
        change(book);
        EXPECT_TRUE(AddressBookLoader::hasChanges(book));
    }

    // A book dropped while its group is shown: the file's first group is shown, Undo is kept.
    list.replaceAddressBooks(homeOnly);
    ASSERT_EQ(controller.containerTable().size(), 2);
    EXPECT_EQ(controller.containerTable().at(1)->name, u"Home"_s);
    EXPECT_EQ(controller.selectedGroupDict(), file->groups.first());
    EXPECT_TRUE(controller.undoManager().canRedo());
}
