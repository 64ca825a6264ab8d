#include "document/ContactsViewController.h"

#include "HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ContactsViewControllerTest : public ::testing::Test
{
protected:
    void load(const QString &text, const QStringList &columns, const QStringList &labels = { u"All"_s })
    {
        t.open(text, columns, labels);
        top = t.top();
    }
    static QString card(const QString &name, const QString &extra = QString())
    {
        return TestHub::card(name, extra);
    }

    TestHub t;
    ViewController &controller = t.controller();
    ContactsViewController &table = t.table();
    ContactGroupPtr top;
};

const QString ThreePhonesTwoMails = u"TEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nTEL;TYPE=CELL:3\r\n"
                                    "EMAIL;TYPE=HOME:a@x.jp\r\nEMAIL;TYPE=WORK:b@x.jp\r\n"_s;

} // namespace

TEST_F(ContactsViewControllerTest, SubRowsSpreadLabelledValuesSideBySide)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails), { u"Phone"_s, u"Email"_s });
    ASSERT_EQ(table.subContactTable().size(), 3);
    EXPECT_EQ(table.numberOfRows(), 4); // and the summary row
    EXPECT_EQ(table.cell(u"Name"_s, 0).text, u"Ann"_s);
    EXPECT_TRUE(table.cell(u"Name"_s, 1).text.isEmpty());
    EXPECT_TRUE(table.isFirstOfContact(0));
    EXPECT_FALSE(table.isFirstOfContact(2));
    EXPECT_EQ(table.cell(u"Phone"_s, 2).text, u"3"_s);
    EXPECT_EQ(table.cell(u"Phone"_s, 2).label, u"mobile"_s);
    EXPECT_EQ(table.cell(u"Email"_s, 2).kind, ContactCell::Kind::None);
    // The row's facts live beside the entry, not in its open dictionary.
    EXPECT_TRUE(table.subContactTable().at(1)->extra.isEmpty());

    // Only "mobile": the first row for the other columns and the row of the third phone.
    load(card(u"Ann"_s, ThreePhonesTwoMails), { u"Phone"_s }, { u"mobile"_s });
    ASSERT_EQ(table.subContactTable().size(), 2);
    EXPECT_EQ(table.subContactTable().at(1)->labelIndex, 2);
    EXPECT_EQ(table.cell(u"Phone"_s, 0).kind, ContactCell::Kind::None);
    EXPECT_EQ(table.cell(u"Phone"_s, 1).text, u"3"_s);
}

TEST_F(ContactsViewControllerTest, DeletedContactsHaveNoRowsButCountInTheSummary)
{
    load(card(u"Ann"_s) + card(u"Bob"_s), { u"Note"_s });
    controller.deleteContacts({ top->contactTable->first() });
    EXPECT_EQ(table.subContactTable().size(), 1);
    EXPECT_EQ(table.summaryText(), u"All Contacts: total 2 contacts"_s);
}

TEST_F(ContactsViewControllerTest, TypingInOneCellSetsEverySelectedRowInOneStep)
{
    QString text;
    for (int i = 0; i < 5; ++i)
        text += card(u"P%1"_s.arg(i));
    load(text, { u"Note"_s });
    table.setSelectedRows({ 0, 1, 2, 3, 4 });
    EXPECT_TRUE(table.textFieldCellChanged(u"Note"_s, 2, u"hello"_s));
    for (const auto &entry : *top->contactTable)
        EXPECT_EQ(entry->person->valueForIdentifier(Ident::Note).toString(), u"hello"_s);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    EXPECT_TRUE(controller.isDocumentEdited());
    controller.undo();
    for (const auto &entry : *top->contactTable)
        EXPECT_TRUE(entry->person->valueForIdentifier(Ident::Note).toString().isEmpty());

    // Name-like columns are edited in their panels, not in the cell.
    EXPECT_FALSE(table.textFieldCellChanged(u"Name"_s, 0, u"X"_s));
}

TEST_F(ContactsViewControllerTest, LabelledAndAddressPartEditsReplaceTheEntryAtTheRowIndex)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails + u"ADR;TYPE=HOME:;;Main St;Town;;111;\r\n"_s),
        { u"Phone"_s, u"ZIP"_s });
    table.setSelectedRows({ 1 });
    EXPECT_TRUE(table.textFieldCellChanged(u"Phone"_s, 1, u"22"_s));
    ZRPerson &ann = *top->contactTable->first()->person;
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::Phone, 1), u"22"_s);
    table.setSelectedRows({ 0 });
    EXPECT_TRUE(table.textFieldCellChanged(u"ZIP"_s, 0, u"999"_s));
    EXPECT_EQ(ann.stringValueForIdentifierAtLabelIndex(Ident::ZIP, 0), u"999"_s);
    EXPECT_FALSE(table.textFieldCellChanged(u"ZIP"_s, 0, u"999"_s)); // unchanged text does nothing

    int asked = 0;
    table.setSelectedRows({ 0, 1 });
    EXPECT_TRUE(
        table.popupLabelCellChanged(u"Phone"_s, 0, u"pager"_s, [&](const QString &) { return ++asked > 0; }));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ann.labeledValueForIdentifierAtIndex(Ident::Phone, 1).toMap().value(Key::Label), u"pager"_s);
    EXPECT_FALSE(
        table.popupLabelCellChanged(u"Phone"_s, 2, u"other"_s, [](const QString &) { return false; }));
}

TEST_F(ContactsViewControllerTest, OneSenderPerDocumentAndOneUndoRestoresBoth)
{
    load(card(u"Ann"_s, u"ADR;TYPE=HOME:;;1 St;A;;1;\r\n"_s) + card(u"Bob"_s), { u"City"_s });
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 0, true));
    EXPECT_TRUE(table.cell(u"Sender"_s, 0).checked);
    controller.undoManager().removeAllActions();

    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 1, true)); // Bob gets a new home address
    EXPECT_FALSE(table.cell(u"Sender"_s, 0).checked);
    EXPECT_TRUE(table.cell(u"Sender"_s, 1).checked);
    EXPECT_EQ(controller.senderInHagakiView()->uniqueId, top->contactTable->at(1)->uniqueId);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);

    controller.undo();
    EXPECT_TRUE(table.cell(u"Sender"_s, 0).checked);
    EXPECT_FALSE(table.cell(u"Sender"_s, 1).checked);
    EXPECT_TRUE(top->contactTable->at(1)->person->addressValues().isEmpty());
}

TEST_F(ContactsViewControllerTest, ReturnAndTabMoveThroughTheTable)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails) + card(u"Bob"_s, u"TEL:9\r\n"_s),
        { u"Phone"_s, u"Email"_s, u"Note"_s });
    ASSERT_EQ(table.columns(), (QStringList { u"Sender"_s, u"Name"_s, u"Phone"_s, u"Email"_s, u"Note"_s }));
    ASSERT_EQ(table.subContactTable().size(), 4);
    // Return in "Note" goes to the next contact's first row; in "Email" to the next row with an e-mail.
    EXPECT_EQ(table.moveForReturn(4, 0).row, 3);
    EXPECT_EQ(table.moveForReturn(3, 1).row, 0);
    EXPECT_TRUE(table.moveForReturn(2, 3).edit);
    EXPECT_FALSE(table.moveForReturn(1, 0).edit); // "Name" opens its editor
    // Tab from the last column wraps to column 1 of the next row: the name, which opens its editor.
    const auto tab = table.moveForTab(4, 3);
    EXPECT_EQ(tab.row, 0);
    EXPECT_EQ(tab.column, 1);
    EXPECT_FALSE(tab.edit);
    EXPECT_TRUE(table.moveForTab(1, 0).edit) << "from the name into the phone cell";
}

TEST_F(ContactsViewControllerTest, SelectionFollowsTheContactAcrossRebuilds)
{
    load(card(u"Ann"_s) + card(u"Bob"_s) + card(u"Cy"_s), { u"Note"_s });
    table.setSelectedRows({ 2 });
    // Deleting another contact rebuilds the rows; the selection stays on Cy.
    controller.undoDeleteContacts({ top->contactTable->first() }, top, true);
    ASSERT_EQ(table.selectedRows(), QList<int> { 1 });
    EXPECT_EQ(table.selectedContacts().first()->person->compositeName(), u"Cy"_s);
    // The context menu's commands act on the selection plus the clicked row, each contact once.
    EXPECT_EQ(table.selectedContactsWithClickedRowIndex(0).size(), 2);
    EXPECT_EQ(table.selectedContactsWithClickedRowIndex(1).size(), 1);
}

TEST_F(ContactsViewControllerTest, RowsTakeValuePositionsPastTheRowsSoFarAndRegisterTheirLabels)
{
    const QString values = u"TEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nTEL;TYPE=CELL:3\r\n"
                           "EMAIL;TYPE=HOME:a@x.jp\r\nEMAIL;TYPE=WORK:b@x.jp\r\nEMAIL;TYPE=WORK:c@x.jp\r\n"
                           "item1.URL:https://x.jp\r\nitem1.X-ABLabel:Boathouse\r\n"_s;
    auto labelIndexes = [this] {
        QList<qsizetype> out;
        for (const ContactEntryPtr &row : table.subContactTable())
            out << row->labelIndex;
        return out;
    };
    // The work phone takes position 1; the work e-mail at 1 has that row already, the one at 2 adds one.
    load(card(u"Ann"_s, values), { u"Phone"_s, u"Email"_s }, { u"work"_s });
    EXPECT_EQ(labelIndexes(), (QList<qsizetype> { 0, 1, 2 }));
    EXPECT_FALSE(Labels::labelsForIdentifier(Ident::URL).contains(u"Boathouse"_s)) << "not a column yet";
    // Address parts are one field; the URL column offers the label it met from now on.
    load(card(u"Ann"_s, values), { u"ZIP"_s, u"City"_s, u"Email"_s, u"URL"_s }, { u"home"_s });
    EXPECT_EQ(labelIndexes(), (QList<qsizetype> { 0 }));
    EXPECT_TRUE(Labels::labelsForIdentifier(Ident::URL).contains(u"Boathouse"_s));
}

TEST_F(ContactsViewControllerTest, TheFirstSenderRowInDisplayOrderBecomesTheSender)
{
    const QString twoAddresses = u"ADR;TYPE=HOME:;;1 St;A;;1;\r\nADR;TYPE=WORK:;;2 St;B;;2;\r\n"_s;
    load(card(u"Ann"_s, twoAddresses) + card(u"Bob"_s, twoAddresses) + card(u"Cy"_s, twoAddresses),
        { u"City"_s });
    auto markSender = [this](int contact, qsizetype index) {
        ZRPerson &p = *top->contactTable->at(contact)->person;
        QVariantMap address = p.labeledValueForIdentifierAtIndex(Ident::Address, index).toMap();
        address.insert(Key::Sender, true);
        p.replaceLabeledValueAtIndex(address, Ident::Address, index);
    };
    const auto bob = top->contactTable->at(1)->person;
    const auto cy = top->contactTable->at(2)->person;
    markSender(1, 1);
    markSender(2, 0);
    for (bool ascending : { true, false }) {
        t.hub.sortBy(SortDescriptor { Ident::CompositeName, ascending });
        const ContactEntryPtr sender = controller.senderInHagakiView();
        ASSERT_TRUE(sender);
        EXPECT_EQ(sender->person, ascending ? bob : cy) << ascending;
        EXPECT_EQ(sender->labelIndex, ascending ? 1 : 0);
        EXPECT_TRUE(table.cell(u"Sender"_s, int(table.subContactTable().indexOf(sender))).checked);
    }
}

TEST_F(ContactsViewControllerTest, RowHeightsComeFromTheGivenMetricsAndCachedLineCounts)
{
    load(card(u"Ann"_s, u"NOTE:one\\ntwo\\nthree\r\n"_s) + card(u"Bob"_s), { u"Note"_s });
    // A table measured by no font: the estimate gives the minimum height.
    EXPECT_EQ(table.rowHeight(), 24);
    EXPECT_EQ(table.numLines(0), 3);
    EXPECT_EQ(table.heightOfRow(0), 72);
    EXPECT_EQ(table.heightOfRow(2), 24) << "the summary row is one line";

    // The window's font: ceil(ascent + descent + leading) + 4, or 1.42 times the size + 4.
    TextMetrics metrics = TextMetrics::estimate(20);
    metrics.horizontalAdvance = [](const QString &text) { return 10.0 * text.size(); };
    table.setTextMetrics(metrics);
    EXPECT_EQ(table.rowHeight(), 33); // ceil(28.4) + 4
    // While a find text is set, long texts wrap in their column (its width less 72).
    table.setColumnWidth(Ident::Note, 100);
    EXPECT_EQ(table.numLines(1), 1);
    table.setFindString(u"o"_s, false);
    EXPECT_EQ(table.numLines(0), 3);
    controller.undoReplaceValue(u"a note of forty characters, give or take"_s, Ident::Note, t.entry(1));
    EXPECT_EQ(table.numLines(1), 15) << "400 wide in a column of 28: measured again after the edit";
}
