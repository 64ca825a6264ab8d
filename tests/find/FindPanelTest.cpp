#include "find/FindPanel.h"

#include "FindTestSupport.h"
#include "document/SortValue.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

class FindPanelTest : public FindFixture
{
protected:
    void SetUp() override
    {
        load(card(u"Abab;Ann;;;"_s, u"TEL;TYPE=HOME:ab-ab-ab\r\nTEL;TYPE=WORK:ab 1\r\nBDAY:2001-02-03\r\n"_s)
                + card(u"Zed;Ab;;;"_s, u"NOTE:no match\r\nADR;TYPE=HOME:;;Abbey Road;London;;;\r\n"_s),
            { u"Name"_s });
        panel.setContacts(*top->contactTable);
    }

    QStringList rows() const
    {
        QStringList out;
        for (const auto &r : panel.searchResults()) {
            QString ranges;
            for (const FindRange &range : r->ranges)
                ranges += u"%1:%2,"_s.arg(range.location).arg(range.length);
            out.append(u"%1/%2/%3/%4"_s.arg(r->item, r->subItem, r->label, ranges));
        }
        return out;
    }

    FindPanel panel { &controller };
};

TEST_F(FindPanelTest, RowsRangesAndFilters)
{
    panel.textDidEnter(u"ab"_s);
    EXPECT_EQ(rows(),
        (QStringList { u"Name/LastName//0:2,2:2,"_s, u"Phone//home/0:2,3:2,6:2,"_s, u"Phone//work/0:2,"_s,
            u"Name/FirstName//0:2,"_s, u"Address/Street/home/0:2,"_s }));
    EXPECT_EQ(panel.selectedRow(), 0);

    // A label filter drops the work phone and every unlabelled field.
    panel.labelPopupDidSelect(u"home"_s);
    EXPECT_EQ(rows(), (QStringList { u"Phone//home/0:2,3:2,6:2,"_s, u"Address/Street/home/0:2,"_s }));
    EXPECT_EQ(panel.labelTitle().left(9), u"Labels - "_s);
    panel.labelPopupDidSelect(u"home"_s); // the only choice again: unchanged
    EXPECT_EQ(panel.selectedLabels(), QStringList { u"home"_s });
    panel.labelPopupDidSelect(u"All"_s);
    EXPECT_EQ(panel.labelTitle(), u"Labels - All"_s);

    // A sub-item filter keeps only fields with parts.
    panel.subItemPopupDidSelect(Ident::Street);
    EXPECT_EQ(rows(), QStringList { u"Address/Street/home/0:2,"_s });
    panel.subItemPopupDidSelect(u"All"_s);

    panel.itemPopupDidSelect(Ident::Phone);
    panel.itemPopupDidSelect(Ident::Note);
    EXPECT_EQ(panel.selectedItems(), (QStringList { Ident::Phone, Ident::Note }));
    EXPECT_TRUE(panel.itemTitle().contains(ZRPerson::localizedIdentifierForKey(Ident::Note)));
    EXPECT_EQ(rows().size(), 2);

    // Modes: case-sensitive finds nothing in "Abab"'s capital; a pattern; a broken pattern.
    panel.itemPopupDidSelect(u"All"_s);
    panel.searchModePopupDidSelect(1);
    EXPECT_FALSE(rows().contains(u"Name/FirstName//0:2,"_s));
    panel.setSearchString(u"a[bB]-?"_s);
    panel.searchModePopupDidSelect(2);
    EXPECT_TRUE(rows().contains(u"Phone//home/0:3,3:3,6:2,"_s));
    panel.setSearchString(u"(ab"_s);
    panel.updateTable();
    EXPECT_TRUE(panel.searchResults().isEmpty());
    EXPECT_FALSE(panel.errorString().isEmpty());
}

TEST_F(FindPanelTest, SteppingWrapsAndReplaceAllUndoes)
{
    panel.textDidEnter(u"ab"_s);
    const int n = int(panel.searchResults().size());
    // Previous from the first range of row 0 goes to the last range of the last row, and back.
    panel.directionButtonDidClick(0);
    EXPECT_EQ(panel.selectedRow(), n - 1);
    EXPECT_EQ(panel.selectedRangeIndex(), int(panel.searchResults().last()->ranges.size()) - 1);
    panel.directionButtonDidClick(1);
    EXPECT_EQ(panel.selectedRow(), 0);
    EXPECT_EQ(panel.selectedRangeIndex(), 0);

    // Replace the middle range of the home phone, then move on to its third.
    panel.selectRow(1);
    panel.directionButtonDidClick(1);
    ASSERT_EQ(panel.selectedRow(), 1);
    ASSERT_EQ(panel.selectedRangeIndex(), 1);
    EXPECT_TRUE(panel.replace(u"X"_s));
    ZRPerson &ann = *entry(0)->person;
    EXPECT_EQ(ann.valueForIdentifier(Ident::Phone).toList().at(0).toMap().value(Key::Value).toString(),
        u"ab-X-ab"_s);
    EXPECT_EQ(
        ann.valueForIdentifier(Ident::Phone).toList().at(1).toMap().value(Key::Value).toString(), u"ab 1"_s);
    EXPECT_EQ(panel.selectedRangeIndex(), 1); // "ab" at 5 in the new value

    // Birthday rows cannot be replaced.
    FindPanel dates(&controller);
    dates.setContacts(*top->contactTable);
    dates.textDidEnter(u"2001"_s);
    ASSERT_EQ(dates.searchResults().size(), 1);
    EXPECT_FALSE(dates.selectRow(0));
    EXPECT_FALSE(dates.replace(u"1999"_s));

    // Replace All (case-insensitive ranges) in one step; one undo restores everything.
    const int steps = controller.undoManager().undoCount();
    EXPECT_EQ(panel.replaceAll(u"Q"_s), n);
    EXPECT_EQ(controller.undoManager().undoCount(), steps + 1);
    EXPECT_EQ(ann.valueForIdentifier(Ident::LastName).toString(), u"QQ"_s);
    EXPECT_EQ(entry(1)->person->valueForIdentifier(Ident::FirstName).toString(), u"Q"_s);
    controller.undo();
    EXPECT_EQ(ann.valueForIdentifier(Ident::LastName).toString(), u"Abab"_s);
    EXPECT_EQ(entry(1)->person->stringValueForIdentifierAtLabelIndex(Ident::Street, 0), u"Abbey Road"_s);
    EXPECT_EQ(panel.searchResults().at(0)->value, u"Abab"_s);
}

// The window's panel searches in slices from the event loop; what it finds must be what a search in
// one go finds, whatever the user does while the rows arrive.
class FindPanelInSlicesTest : public FindFixture
{
protected:
    static constexpr int Contacts = 300; // several slices of the smallest size

    void SetUp() override
    {
        QString text;
        for (int i = 0; i < Contacts; ++i)
            text += card(u"Name%1;Given;;;"_s.arg(i, 3, 10, QLatin1Char('0')),
                u"NOTE:alpha beta alpha\r\nORG:Beta %1\r\n"_s.arg(i));
        load(text, { u"Name"_s });
        sliced.setContacts(*top->contactTable);
        sliced.setSelectedItems({ LabelText::All });
        // No time budget: each slice searches the smallest batch of contacts.
        sliced.setSearchInSlices(true, std::chrono::nanoseconds(0));
        connect();
    }

    void connect()
    {
        QObject::connect(&sliced, &FindPanel::rowsAppended, [this](int first, int last) {
            ++batches;
            EXPECT_EQ(first, rowsSeen) << "batches arrive in order, at the end";
            rowsSeen = last + 1;
        });
        QObject::connect(
            &sliced, &FindPanel::tableReloaded, [this] { rowsSeen = int(sliced.searchResults().size()); });
        QObject::connect(&sliced, &FindPanel::searchFinished, [this] { ++finished; });
    }

    // One turn of the event loop: one slice.
    void turn() { QCoreApplication::processEvents(); }
    bool runToEnd()
    {
        for (int i = 0; i < 10 * Contacts && sliced.isSearching(); ++i)
            turn();
        return !sliced.isSearching();
    }
    static QStringList describe(const FindPanel &panel)
    {
        QStringList out;
        for (const auto &r : panel.searchResults())
            out << r->name + u'/' + r->item + u'/' + r->value + u'/' + QString::number(r->ranges.size());
        return out;
    }
    QStringList inOneGo(const QString &text)
    {
        FindPanel whole;
        whole.setContacts(*top->contactTable);
        whole.setSelectedItems({ LabelText::All });
        whole.textDidEnter(text);
        return describe(whole);
    }

    FindPanel sliced { &controller };
    int batches = 0;
    int rowsSeen = 0;
    int finished = 0;
};

TEST_F(FindPanelInSlicesTest, RowsArriveInBatchesAndEndAsASearchInOneGo)
{
    sliced.textDidEnter(u"alpha"_s);
    EXPECT_TRUE(sliced.isSearching());
    EXPECT_TRUE(sliced.searchResults().isEmpty()) << "nothing is searched before the event loop turns";
    turn();
    ASSERT_FALSE(sliced.searchResults().isEmpty());
    EXPECT_TRUE(sliced.isSearching());
    EXPECT_EQ(sliced.selectedRow(), 0) << "the first match is current as soon as it is found";
    EXPECT_EQ(sliced.selectedRangeIndex(), 0);
    ASSERT_TRUE(runToEnd());
    EXPECT_GT(batches, 2);
    EXPECT_EQ(rowsSeen, Contacts);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(describe(sliced), inOneGo(u"alpha"_s));
    EXPECT_EQ(sliced.selectedRow(), 0);
}

TEST_F(FindPanelInSlicesTest, ANewSearchDropsTheStaleOneAndTheUsersOrderIsKept)
{
    sliced.textDidEnter(u"alpha"_s);
    turn();
    ASSERT_TRUE(sliced.isSearching());
    // The user sorts the rows so far by name, descending, then searches for something else.
    sliced.sortResults(u"Name"_s, false);
    sliced.textDidEnter(u"beta 1"_s);
    turn();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(finished, 1) << "the stale search never finishes";
    const auto &rows = sliced.searchResults();
    ASSERT_EQ(rows.size(), 111); // Beta 1, Beta 10..19, Beta 100..199
    for (const auto &row : rows)
        EXPECT_TRUE(row->value.startsWith(u"Beta 1"_s)) << row->value.toStdString();
    for (qsizetype i = 1; i < rows.size(); ++i)
        EXPECT_GE(SortValue::collator().compare(rows.at(i - 1)->name, rows.at(i)->name), 0) << i;
    EXPECT_EQ(sliced.selectedRow(), 0);
    EXPECT_EQ(sliced.selectedRangeIndex(), 0);

    // Cancelled mid-way, the rows found stay and nothing more arrives.
    sliced.textDidEnter(u"alpha"_s);
    turn();
    sliced.cancelSearch();
    const qsizetype kept = sliced.searchResults().size();
    EXPECT_GT(kept, 0);
    for (int i = 0; i < 5; ++i)
        turn();
    EXPECT_EQ(sliced.searchResults().size(), kept);
    EXPECT_EQ(finished, 1);
    // The text set while a search runs is for the next search: this one goes on with its own.
    sliced.textDidEnter(u"beta 1"_s);
    turn();
    ASSERT_TRUE(sliced.isSearching());
    sliced.setSearchString(u"zzz"_s);
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(sliced.searchResults().size(), 111);
}

TEST_F(FindPanelInSlicesTest, ReplaceAllMidSearchReplacesInEveryContact)
{
    sliced.textDidEnter(u"alpha"_s);
    turn();
    ASSERT_TRUE(sliced.isSearching());
    const int steps = controller.undoManager().undoCount();
    EXPECT_EQ(sliced.replaceAll(u"omega"_s), Contacts);
    EXPECT_FALSE(sliced.isSearching());
    EXPECT_EQ(controller.undoManager().undoCount(), steps + 1);
    EXPECT_EQ(entry(Contacts - 1)->person->valueForIdentifier(Ident::Note).toString(), u"omega beta omega"_s);
    controller.undo();
    EXPECT_EQ(entry(Contacts - 1)->person->valueForIdentifier(Ident::Note).toString(), u"alpha beta alpha"_s);
}

// Rows, filters and titles name fields and parts as the user knows them, never by their keys.
TEST_F(FindPanelTest, ItemsAndPartsShowTheUsersNames)
{
    // One word with a capital inside is a key, not a name.
    const QRegularExpression key(u"^[A-Za-z]*[a-z][A-Z][A-Za-z]*$"_s);
    panel.setSelectedItems({ LabelText::All });
    for (const QString &identifier : panel.items() + panel.subItemChoices())
        EXPECT_FALSE(key.match(FindPanel::displayName(identifier)).hasMatch()) << identifier.toStdString();
    EXPECT_EQ(FindPanel::displayName(Ident::FirstName), u"First Name"_s);
    EXPECT_EQ(FindPanel::displayName(Ident::Phone), ZRPerson::localizedIdentifierForKey(Ident::Phone))
        << "a field is named as the table's column names it";
    panel.subItemPopupDidSelect(Ident::LastName);
    EXPECT_EQ(panel.subItemTitle(), u"Sub Items - Last Name"_s);
    panel.subItemPopupDidSelect(Ident::FirstName);
    EXPECT_EQ(panel.subItemTitle(), u"Sub Items - Last Name + First Name"_s);
    panel.setSelectedSubItems({});
    EXPECT_EQ(panel.subItemTitle(), u"Sub Items"_s) << "no entry, no dangling dash";
}
