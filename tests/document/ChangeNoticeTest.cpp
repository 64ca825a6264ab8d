// One user action, one notice, one table update: counted at the hub's signal and at the item model.

#include "HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// What the views hear while one action runs.
class Counts
{
public:
    explicit Counts(DocumentHub &hub)
        : notices(&hub, &DocumentHub::contactsChanged)
        , dataChanged(&hub.tableModel(), &QAbstractItemModel::dataChanged)
        , resets(&hub.tableModel(), &QAbstractItemModel::modelReset)
    {
    }
    ChangeNotice notice(int i = 0) const { return notices.at(i).at(0).value<ChangeNotice>(); }
    // The rows [first, last] of the one dataChanged.
    std::pair<int, int> changedRows() const
    {
        const auto first = dataChanged.at(0).at(0).value<QModelIndex>();
        const auto last = dataChanged.at(0).at(1).value<QModelIndex>();
        return { first.row(), last.row() };
    }

    QSignalSpy notices;
    QSignalSpy dataChanged;
    QSignalSpy resets;
};

class ChangeNoticeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString text;
        for (const QString &name : { u"Ann"_s, u"Bob"_s, u"Cy"_s, u"Dee"_s, u"Eve"_s })
            text += TestHub::card(name, u"TEL;TYPE=HOME:1\r\n"_s);
        t.open(text, { Ident::Phone, Ident::Note });
    }

    TestHub t;
    DocumentHub &hub = t.hub;
    ContactsViewController &table = t.table();
};

} // namespace

TEST_F(ChangeNoticeTest, OneTextEditOverThreeRowsIsOneNoticeAndOneRowUpdate)
{
    hub.setSelectedRows({ 0, 2, 3 });
    Counts counts(hub);
    ASSERT_TRUE(hub.tableModel().setData(hub.tableModel().index(2, 3), u"met in Kyoto"_s));

    ASSERT_EQ(counts.notices.size(), 1);
    const ChangeNotice notice = counts.notice();
    EXPECT_EQ(notice.cause, ChangeNotice::Cause::Edit);
    EXPECT_EQ(notice.records.size(), 3u);
    EXPECT_EQ(notice.fields, QSet<QString> { Ident::Note });
    EXPECT_FALSE(notice.changesRows());
    // The rows stay where they are: one dataChanged spanning them, no reset.
    EXPECT_EQ(counts.resets.size(), 0);
    ASSERT_EQ(counts.dataChanged.size(), 1);
    EXPECT_EQ(counts.changedRows(), std::make_pair(0, 3));
    EXPECT_EQ(hub.tableModel().data(hub.tableModel().index(3, 3)).toString(), u"met in Kyoto"_s);
    EXPECT_TRUE(hub.isDocumentEdited());
}

TEST_F(ChangeNoticeTest, UndoAndRedoAreOneNoticeEachAndSayWhatTheyChanged)
{
    hub.setSelectedRows({ 0, 1, 2 });
    table.textFieldCellChanged(Ident::Note, 0, u"x"_s);
    Counts counts(hub);
    hub.undo();
    hub.redo();
    ASSERT_EQ(counts.notices.size(), 2);
    EXPECT_EQ(counts.notice(0).cause, ChangeNotice::Cause::Undo);
    EXPECT_EQ(counts.notice(1).cause, ChangeNotice::Cause::Redo);
    EXPECT_EQ(counts.notice(0).records.size(), 3u);
    EXPECT_TRUE(counts.notice(0).touches(Ident::Note));
    EXPECT_EQ(counts.dataChanged.size(), 2);
    EXPECT_EQ(counts.resets.size(), 0);
}

TEST_F(ChangeNoticeTest, ChangesOfRowsRebuildTheTableOnce)
{
    struct Case
    {
        const char *what;
        std::function<void()> act;
        ChangeNotice::Structure expected;
    };
    const Case cases[] = {
        { "a second phone adds a row",
            [&] {
                t.controller().undoAddLabeledValue(
                    QVariantMap { { Key::Label, u"work"_s }, { Key::Value, u"2"_s } }, Ident::Phone,
                    t.entry(1));
            },
            ChangeNotice::Structure::None },
        { "deleting two contacts", [&] { t.controller().deleteContacts(table.selectedContacts(), 1); },
            ChangeNotice::Structure::RowsRemoved },
        { "duplicating", [&] { t.controller().duplicateContacts({ t.entry(0) }); },
            ChangeNotice::Structure::RowsAdded },
        { "another view type", [&] { hub.selectViewType(u"Address Detail"_s); },
            ChangeNotice::Structure::ViewChanged },
        { "a label filter", [&] { hub.selectLabel(u"home"_s); }, ChangeNotice::Structure::ViewChanged },
        { "a header click",
            [&] {
                hub.sortBy({ Ident::CompositeName, false });
            },
            ChangeNotice::Structure::Resorted },
    };
    for (const Case &c : cases) {
        hub.setSelectedRows({ 1, 2 });
        Counts counts(hub);
        c.act();
        ASSERT_EQ(counts.notices.size(), 1) << c.what;
        if (c.expected != ChangeNotice::Structure::None) {
            EXPECT_TRUE(counts.notice().structure & c.expected) << c.what;
        }
        EXPECT_EQ(counts.resets.size(), 1) << c.what;
        EXPECT_EQ(counts.dataChanged.size(), 0) << c.what;
    }
}

TEST_F(ChangeNoticeTest, AnEditThatMovesARowInTheSortOrderRebuildsAndKeepsTheSelection)
{
    hub.sortBy({ Ident::CompositeName, true });
    hub.setSelectedRows({ 1 }); // Bob
    const auto bob = table.subContactTable().at(1)->person;
    Counts counts(hub);
    // Bob becomes Zed: his row must move to the end.
    t.controller().undoReplaceValue(u"Zed"_s, Ident::LastName, table.subContactTable().at(1));
    EXPECT_EQ(counts.notices.size(), 1);
    EXPECT_EQ(counts.resets.size(), 1);
    EXPECT_EQ(table.subContactTable().at(4)->person, bob);
    EXPECT_EQ(table.selectedRows(), QList<int> { 4 });

    // A note does not order anything: that row is updated where it is.
    Counts more(hub);
    t.controller().undoReplaceValue(u"n"_s, Ident::Note, table.subContactTable().at(0));
    EXPECT_EQ(more.resets.size(), 0);
    EXPECT_EQ(more.dataChanged.size(), 1);
}

TEST_F(ChangeNoticeTest, AddedContactsAreSortedInAndSelectedDeletedOnesSelectTheRowBefore)
{
    hub.sortBy({ Ident::CompositeName, true });
    ASSERT_TRUE(t.controller().addContactByVCardString(TestHub::card(u"Cal"_s)));
    ASSERT_EQ(table.selectedRows().size(), 1);
    EXPECT_EQ(table.cell(Ident::Name, table.selectedRows().first()).text, u"Cal"_s);
    EXPECT_EQ(table.selectedRows().first(), 2) << "between Bob and Cy";
    // Records themselves are in order after an add.
    EXPECT_EQ(t.top()->contactTable->at(2)->person->compositeName(), u"Cal"_s);

    hub.setSelectedRows({ 3, 4 });
    t.controller().deleteContacts(table.selectedContacts(), 3);
    EXPECT_EQ(table.selectedRows(), QList<int> { 2 });
}

TEST_F(ChangeNoticeTest, EditsInsideAnOuterGroupAreToldWhenTheOuterGroupCloses)
{
    Counts counts(hub);
    {
        UndoManager::Group step(hub.undoManager());
        t.controller().undoReplaceValue(u"a"_s, Ident::Note, t.entry(0));
        t.controller().undoReplaceValue(u"b"_s, Ident::Note, t.entry(1));
        EXPECT_EQ(counts.notices.size(), 0) << "nothing is told while the action runs";
    }
    ASSERT_EQ(counts.notices.size(), 1);
    EXPECT_EQ(counts.notice().records.size(), 2u);
    // An edit that changes nothing tells nothing.
    Counts none(hub);
    EXPECT_FALSE(t.controller().undoReplaceValue(u"Ann"_s, Ident::LastName, t.entry(0)));
    EXPECT_EQ(none.notices.size(), 0);
}
