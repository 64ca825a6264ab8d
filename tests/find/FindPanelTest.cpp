#include "find/FindPanel.h"

#include "FindTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

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
