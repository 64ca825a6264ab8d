// The Find menu and the bar's showing and hiding as the window's controller sees them, without widgets:
// the shared find text is taken first, the bar toggles, and hiding it drops the marks but not the place
// the next search starts from.

#include "FindTestSupport.h"
#include "model/Identifiers.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FindMenuTest : public FindFixture
{
protected:
    void SetUp() override
    {
        load(card(u"Lee;Ann"_s, u"NOTE:tea\r\n"_s) + card(u"Ray;Bob"_s)
                + card(u"Ito;Cy"_s, u"NOTE:more tea\r\n"_s),
            { Ident::Note });
    }
};

} // namespace

TEST_F(FindMenuTest, FindTogglesTheBarAndHidingDropsTheMarksButNotThePlace)
{
    QSignalSpy shown(&find, &FindController::findBarVisibilityChanged);
    QSignalSpy texts(&find, &FindController::findStringChanged);

    find.performFindBarAction(FindMenuItem::Find, u"tea"_s);
    EXPECT_TRUE(find.findBarVisible());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.at(0).at(0).toBool());
    EXPECT_EQ(find.findString(), u"tea"_s) << "the shared text is taken first";
    EXPECT_EQ(table.findString(), u"tea"_s);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last().at(0).toString(), u"tea"_s) << "the bar's field follows";

    find.performFindBarAction(FindMenuItem::FindNext, QString());
    EXPECT_EQ(table.selectedRows(), QList<int> { 0 });
    const auto place = find.selectedItemAndRange();

    // Find and Replace toggles the same bar.
    find.performFindBarAction(FindMenuItem::FindAndReplace, QString());
    EXPECT_FALSE(find.findBarVisible());
    EXPECT_FALSE(shown.last().at(0).toBool());
    EXPECT_TRUE(find.findString().isEmpty());
    EXPECT_TRUE(table.findString().isEmpty()) << "no marks once the bar is gone";
    EXPECT_FALSE(table.selectedItemAndRange()) << "nor the current match's";
    ASSERT_TRUE(find.selectedItemAndRange());
    EXPECT_EQ(find.selectedItemAndRange()->uniqueId, place->uniqueId);

    // Shown again with nothing shared, the search goes on from where it was.
    find.showFindBar(true);
    find.setFindString(u"tea"_s);
    find.findBarButtonDidPress(FindAction::Next);
    EXPECT_EQ(table.selectedRows(), QList<int> { 2 });

    // Done hides the bar as the Find item does.
    find.findBarButtonDidPress(FindAction::Done);
    EXPECT_FALSE(find.findBarVisible());
    EXPECT_FALSE(shown.last().at(0).toBool());
}

TEST_F(FindMenuTest, SharedTextReachesAHiddenBarAndCommittedTextIsShared)
{
    QSignalSpy shared(&find, &FindController::sharedFindTextChanged);
    // Use Selection for Find in another window: Find Next here searches for it without a bar.
    find.performFindBarAction(FindMenuItem::UseSelectionForFind, u"more"_s);
    EXPECT_FALSE(find.findBarVisible());
    EXPECT_TRUE(table.findString().isEmpty()) << "a hidden bar marks nothing";
    find.performFindBarAction(FindMenuItem::FindNext, QString());
    EXPECT_EQ(table.selectedRows(), QList<int> { 2 });
    EXPECT_TRUE(shared.isEmpty()) << "taking the shared text does not share it again";

    find.findStringDidChange(u"tea"_s);
    ASSERT_EQ(shared.size(), 1);
    EXPECT_EQ(shared.at(0).at(0).toString(), u"tea"_s);
    find.findStringDidChange(QString());
    EXPECT_EQ(shared.size(), 1) << "an empty search is never shared";

    // Find Previous with nothing to find leaves the selection alone.
    find.setFindString(QString());
    find.performFindBarAction(FindMenuItem::FindPrevious, QString());
    EXPECT_EQ(table.selectedRows(), QList<int> { 2 });
}
