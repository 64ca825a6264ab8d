// The find panel as a window opens it (the window's contacts, text, columns and edit state) and its
// date rows, which the date editor changes instead of the replace field.

#include "FindTestSupport.h"
#include "document/editors/DateRules.h"
#include "document/editors/EditorContext.h"
#include "find/FindPanel.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

using namespace Qt::StringLiterals;

namespace {

class FindPanelSetupTest : public FindFixture
{
protected:
    void SetUp() override
    {
        load(card(u"Abe;Ann;;;"_s, u"BDAY:2001-02-03\r\nNOTE:born 2001\r\n"_s)
                + card(u"Bo;Ben;;;"_s, u"X-ABDATE;TYPE=anniversary:2001-05-06\r\n"_s),
            { Ident::Name, Key::Sender, Ident::Note });
    }
    FindPanel panel { &controller };
};

} // namespace

TEST_F(FindPanelSetupTest, TakesTheWindowsContactsTextColumnsAndEditState)
{
    panel.setUpFromWindow(table, u"2001"_s, true);
    EXPECT_EQ(panel.searchString(), u"2001"_s);
    EXPECT_TRUE(panel.editState());
    EXPECT_EQ(panel.selectedItems(), (QStringList { Ident::Name, Ident::Note })) << "never the sender column";
    panel.updateTable();
    ASSERT_EQ(panel.searchResults().size(), 1) << "only the columns shown are searched";
    EXPECT_EQ(panel.searchResults().at(0)->item, Ident::Note);

    panel.itemPopupDidSelect(LabelText::All);
    EXPECT_EQ(panel.searchResults().size(), 3) << "the note, the birthday and the date";
}

TEST_F(FindPanelSetupTest, TheDateEditorsResultChangesTheDateRowAsOneUndoStep)
{
    panel.setUpFromWindow(table, u"2001"_s, true);
    panel.itemPopupDidSelect(LabelText::All);
    int birthdayRow = -1;
    int datesRow = -1;
    for (int i = 0; i < panel.searchResults().size(); ++i) {
        if (panel.searchResults().at(i)->item == Ident::Birthday)
            birthdayRow = i;
        if (panel.searchResults().at(i)->item == Ident::Dates)
            datesRow = i;
    }
    ASSERT_GE(birthdayRow, 0);
    ASSERT_GE(datesRow, 0);
    EXPECT_FALSE(panel.dateEditorContext(0).contact && panel.searchResults().at(0)->item == Ident::Note)
        << "a text row has no date editor";

    EditorContext birthday = panel.dateEditorContext(birthdayRow);
    EXPECT_EQ(birthday.type, Ident::Birthday);
    EXPECT_TRUE(birthday.editEnabled);
    birthday.dirty = true;
    birthday.value = DateRules::birthdayResult({ 1999, 4, 2 });
    const int steps = controller.undoManager().undoCount();
    ASSERT_TRUE(panel.applyEditedDate(birthdayRow, birthday));
    EXPECT_EQ(controller.undoManager().undoCount(), steps + 1);
    const FindResultRow &row = *panel.searchResults().at(birthdayRow);
    EXPECT_TRUE(row.value.contains(u"1999"_s)) << row.value.toStdString();
    EXPECT_TRUE(row.ranges.isEmpty());
    EXPECT_TRUE(
        entry(0)->person->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0).contains(u"1999"_s));

    EditorContext date = panel.dateEditorContext(datesRow);
    EXPECT_EQ(date.type, Ident::Dates);
    date.dirty = true;
    date.value = DateRules::datesResult(u"anniversary"_s, { 2010, 7, 8 }, 0);
    ASSERT_TRUE(panel.applyEditedDate(datesRow, date));
    EXPECT_TRUE(entry(1)->person->stringValueForIdentifierAtLabelIndex(Ident::Dates, 0).contains(u"2010"_s));
    EXPECT_EQ(entry(1)->person->valueForIdentifier(Ident::Dates).toList().size(), 1) << "replaced, not added";

    // An editor closed without a change, or a result for another row, changes nothing.
    EditorContext untouched = panel.dateEditorContext(birthdayRow);
    EXPECT_FALSE(panel.applyEditedDate(birthdayRow, untouched));
    EXPECT_FALSE(panel.applyEditedDate(birthdayRow, date));

    controller.undo();
    controller.undo();
    EXPECT_TRUE(
        entry(0)->person->stringValueForIdentifierAtLabelIndex(Ident::Birthday, 0).contains(u"2001"_s));
    EXPECT_TRUE(panel.searchResults().at(birthdayRow)->value.contains(u"2001"_s));
    EXPECT_FALSE(panel.searchResults().at(birthdayRow)->ranges.isEmpty()) << "the ranges come back too";
}

using FindPanelDateRowTest = FindFixture;

TEST_F(FindPanelDateRowTest, ADateWhoseNumberIsNotItsPositionIsTheOneEdited)
{
    load(card(u"Bo;Ben;;;"_s,
             u"X-ABDATE;TYPE=wedding:1999-01-02\r\nX-ABDATE;TYPE=anniversary:2001-05-06\r\n"
             u"X-ABDATE;TYPE=other:2001-07-08\r\n"_s),
        { Ident::Name, Ident::Dates });
    ZRPerson &person = *entry(0)->person;
    // The first date goes: the others keep their numbers 1 and 2 at positions 0 and 1.
    ASSERT_TRUE(
        controller.undoDeleteLabeledValue(QVariantMap { { Key::LabelIndex, 0 } }, Ident::Dates, entry(0)));
    FindPanel panel { &controller };
    panel.setUpFromWindow(table, u"2001.07"_s, true);
    panel.itemPopupDidSelect(LabelText::All);
    ASSERT_EQ(panel.searchResults().size(), 1);
    ASSERT_EQ(panel.searchResults().at(0)->index, 1);

    const QString label = panel.searchResults().at(0)->label;
    ASSERT_FALSE(label.isEmpty());
    EditorContext date = panel.dateEditorContext(0);
    EXPECT_EQ(date.labelIndex, 2);
    EXPECT_EQ(date.value.toMap().value(Key::Label).toString(), label);
    EXPECT_EQ(date.labels, QStringList { label }) << "the row's label is the only one offered";

    date.dirty = true;
    date.value = DateRules::datesResult(label, { 2010, 7, 8 }, date.labelIndex);
    ASSERT_TRUE(panel.applyEditedDate(0, date));
    const QVariantList dates = person.valueForIdentifier(Ident::Dates).toList();
    ASSERT_EQ(dates.size(), 2);
    EXPECT_TRUE(dates.at(0).toMap().value(Key::StringValue).toString().startsWith(u"2001.05.06"_s))
        << "the anniversary at the row's number is left alone";
    EXPECT_TRUE(dates.at(1).toMap().value(Key::StringValue).toString().startsWith(u"2010.07.08"_s));
    EXPECT_TRUE(panel.searchResults().at(0)->value.startsWith(u"2010.07.08"_s))
        << panel.searchResults().at(0)->value.toStdString();
}
