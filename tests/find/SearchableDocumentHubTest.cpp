// The find bar's controller inside the window's hub: matches land in the table, the user's selection
// is where the next search starts, and Replace All is one action for the views.

#include "FindTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SearchableDocumentHubTest : public FindFixture
{
protected:
    void SetUp() override
    {
        load(card(u"Lee;Ann"_s, u"NOTE:tea in Kyoto\r\n"_s) + card(u"Ray;Bob"_s, u"NOTE:no tea\r\n"_s)
                + card(u"Ito;Cy"_s, u"NOTE:tea and tea\r\n"_s),
            { Ident::Note });
    }
    CellHighlights highlightsOfNote(int row)
    {
        ContactTableModel &model = t.hub.tableModel();
        return model.data(model.index(row, 2), ContactTableModel::HighlightRole).value<CellHighlights>();
    }
};

} // namespace

TEST_F(SearchableDocumentHubTest, MatchesAreSelectedAndMarkedInTheTableOneAfterAnother)
{
    find.findStringDidChange(u"tea"_s);
    ASSERT_EQ(table.selectedRows(), QList<int> { 0 });
    ASSERT_TRUE(highlightsOfNote(0).current);
    EXPECT_EQ(*highlightsOfNote(0).current, (TextSpan { 0, 3 }));
    EXPECT_EQ(highlightsOfNote(2).occurrences.size(), 2) << "every occurrence is marked";

    // Selecting the match did not move the start: the next search goes on to Bob's note.
    find.findBarButtonDidPress(FindAction::Next);
    EXPECT_EQ(table.selectedRows(), QList<int> { 1 });
    EXPECT_EQ(*highlightsOfNote(1).current, (TextSpan { 3, 3 }));
    EXPECT_FALSE(highlightsOfNote(0).current) << "one current hit";

    // The user selects Cy: the next search starts at the beginning of that row.
    t.hub.setSelectedRows({ 2 });
    find.findBarButtonDidPress(FindAction::Next);
    EXPECT_EQ(table.selectedRows(), QList<int> { 2 });
    EXPECT_EQ(*highlightsOfNote(2).current, (TextSpan { 0, 3 }));

    find.findBarButtonDidPress(FindAction::Done);
    EXPECT_TRUE(highlightsOfNote(2).occurrences.isEmpty());
}

TEST_F(SearchableDocumentHubTest, ReplaceAllIsOneNoticeAndOneTableUpdate)
{
    find.setFindString(u"tea"_s);
    find.setReplaceString(u"coffee"_s);
    QSignalSpy notices(&t.hub, &DocumentHub::contactsChanged);
    QSignalSpy dataChanged(&t.hub.tableModel(), &QAbstractItemModel::dataChanged);
    QSignalSpy resets(&t.hub.tableModel(), &QAbstractItemModel::modelReset);
    EXPECT_EQ(find.replaceAll(), 3);
    EXPECT_EQ(notices.size(), 1);
    EXPECT_EQ(dataChanged.size() + resets.size(), 1);
    EXPECT_EQ(entry(2)->person->valueForIdentifier(Ident::Note), u"coffee and coffee"_s);
    EXPECT_TRUE(t.hub.isDocumentEdited());
    t.hub.undo();
    EXPECT_EQ(entry(2)->person->valueForIdentifier(Ident::Note), u"tea and tea"_s);
}
