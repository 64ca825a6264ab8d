#include "document/ContactsViewController.h"

#include "document/ContactTableModel.h"
#include "document/ViewController.h"
#include "formats/ZRvCard.h"
#include "model/Identifiers.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString card(const QString &name, const QString &extra = QString())
{
    return u"BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;;;;\r\nFN:%1\r\n"_s.arg(name) + extra + u"END:VCARD\r\n"_s;
}

class ContactsViewControllerTest : public ::testing::Test
{
protected:
    void load(const QString &text, const QStringList &columns, const QStringList &labels = { u"All"_s })
    {
        controller.setContainerTable(*ZRvCard().containersFromVCards(text));
        top = controller.containerTable().first()->groups.first();
        table.setContactTable(*top->contactTable);
        table.setGroupName(top->name);
        table.setColumns(columns);
        table.setSelectedLabels(labels);
        table.updateTable();
    }

    ViewController controller;
    ContactsViewController table { controller };
    ContactGroupPtr top;
};

const QString ThreePhonesTwoMails = u"TEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nTEL;TYPE=CELL:3\r\n"
                                    "EMAIL;TYPE=HOME:a@x.jp\r\nEMAIL;TYPE=WORK:b@x.jp\r\n"_s;

} // namespace

TEST_F(ContactsViewControllerTest, SubRowsSpreadLabelledValuesSideBySide)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails), { u"Name"_s, u"Phone"_s, u"Email"_s });
    ASSERT_EQ(table.subContactTable().size(), 3);
    EXPECT_EQ(table.numberOfRows(), 4); // and the summary row
    EXPECT_EQ(table.cell(u"Name"_s, 0).text, u"Ann"_s);
    EXPECT_TRUE(table.cell(u"Name"_s, 1).text.isEmpty());
    EXPECT_EQ(table.cell(u"Phone"_s, 2).text, u"3"_s);
    EXPECT_EQ(table.cell(u"Phone"_s, 2).label, u"mobile"_s);
    EXPECT_EQ(table.cell(u"Email"_s, 2).kind, ContactCell::Kind::None);

    // Only "mobile": the first row for the other columns and the row of the third phone.
    load(card(u"Ann"_s, ThreePhonesTwoMails), { u"Name"_s, u"Phone"_s }, { u"mobile"_s });
    ASSERT_EQ(table.subContactTable().size(), 2);
    EXPECT_EQ(table.subContactTable().at(1)->labelIndex, 2);
    EXPECT_EQ(table.cell(u"Phone"_s, 0).kind, ContactCell::Kind::None);
    EXPECT_EQ(table.cell(u"Phone"_s, 1).text, u"3"_s);
}

TEST_F(ContactsViewControllerTest, DeletedContactsHaveNoRowsButCountInTheSummary)
{
    load(card(u"Ann"_s) + card(u"Bob"_s), { u"Name"_s, u"Note"_s });
    controller.deleteContacts({ top->contactTable->first() });
    table.updateTable();
    EXPECT_EQ(table.subContactTable().size(), 1);
    EXPECT_EQ(table.summaryText(), u"All Contacts: total 2 contacts"_s);
}

TEST_F(ContactsViewControllerTest, TypingInOneCellSetsEverySelectedRowInOneStep)
{
    QString text;
    for (int i = 0; i < 5; ++i)
        text += card(u"P%1"_s.arg(i));
    load(text, { u"Name"_s, u"Note"_s });
    table.setSelectedRows({ 0, 1, 2, 3, 4 });
    EXPECT_TRUE(table.textFieldCellChanged(u"Note"_s, 2, u"hello"_s));
    for (const auto &entry : *top->contactTable)
        EXPECT_EQ(entry->person->valueForIdentifier(Ident::Note).toString(), u"hello"_s);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    controller.undo();
    for (const auto &entry : *top->contactTable)
        EXPECT_TRUE(entry->person->valueForIdentifier(Ident::Note).toString().isEmpty());

    // Name-like columns are edited in their panels, not in the cell.
    EXPECT_FALSE(table.textFieldCellChanged(u"Name"_s, 0, u"X"_s));
}

TEST_F(ContactsViewControllerTest, LabelledAndAddressPartEditsReplaceTheEntryAtTheRowIndex)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails + u"ADR;TYPE=HOME:;;Main St;Town;;111;\r\n"_s),
        { u"Name"_s, u"Phone"_s, u"ZIP"_s });
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
    load(card(u"Ann"_s, u"ADR;TYPE=HOME:;;1 St;A;;1;\r\n"_s) + card(u"Bob"_s), { u"Sender"_s, u"Name"_s });
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 0, true));
    EXPECT_TRUE(table.cell(u"Sender"_s, 0).checked);
    controller.undoManager().removeAllActions();

    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 1, true)); // Bob gets a new home address
    EXPECT_FALSE(table.cell(u"Sender"_s, 0).checked);
    EXPECT_TRUE(table.cell(u"Sender"_s, 1).checked);
    EXPECT_EQ(controller.senderInHagakiView()->uniqueId, top->contactTable->at(1)->uniqueId);
    EXPECT_EQ(controller.undoManager().undoCount(), 1);

    controller.undo();
    table.updateTable();
    EXPECT_TRUE(table.cell(u"Sender"_s, 0).checked);
    EXPECT_FALSE(table.cell(u"Sender"_s, 1).checked);
    EXPECT_TRUE(top->contactTable->at(1)->person->addressValues().isEmpty());
}

TEST_F(ContactsViewControllerTest, ReturnAndTabMoveThroughTheTable)
{
    load(card(u"Ann"_s, ThreePhonesTwoMails) + card(u"Bob"_s, u"TEL:9\r\n"_s),
        { u"Name"_s, u"Phone"_s, u"Email"_s, u"Note"_s });
    ASSERT_EQ(table.subContactTable().size(), 4);
    // Return in "Note" goes to the next contact's first row; in "Email" to the next row with an e-mail.
    EXPECT_EQ(table.moveForReturn(3, 0).row, 3);
    EXPECT_EQ(table.moveForReturn(2, 1).row, 0);
    EXPECT_TRUE(table.moveForReturn(1, 3).edit);
    EXPECT_FALSE(table.moveForReturn(0, 0).edit); // "Name" opens its editor
    // Tab from the last column wraps to column 1 of the next row.
    const auto tab = table.moveForTab(3, 3);
    EXPECT_EQ(tab.row, 0);
    EXPECT_EQ(tab.column, 1);
    EXPECT_TRUE(tab.edit);

    EXPECT_GE(ContactsViewController::rowHeightForFont(QFont()), 24.0);
    EXPECT_EQ(table.numLines(0), 1);
}

TEST_F(ContactsViewControllerTest, SelectionFollowsTheContactAcrossRebuilds)
{
    load(card(u"Ann"_s) + card(u"Bob"_s) + card(u"Cy"_s), { u"Name"_s, u"Note"_s });
    table.setSelectedRows({ 2 });
    controller.deleteContacts({ top->contactTable->first() });
    table.updateTable();
    ASSERT_EQ(table.selectedRows(), QList<int> { 1 });
    EXPECT_EQ(table.selectedContacts().first()->person->compositeName(), u"Cy"_s);
}

TEST_F(ContactsViewControllerTest, ItemModelPresentsCellsAndSendsEditsThroughTheController)
{
    load(card(u"Ann"_s) + card(u"Bob"_s), { u"Name"_s, u"Note"_s });
    ContactTableModel model(table);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), u"Ann"_s);
    EXPECT_TRUE(model.data(model.index(0, 0), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), u"All Contacts: total 2 contacts"_s);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);

    EXPECT_TRUE(model.setData(model.index(1, 1), u"note"_s));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), u"note"_s);
    EXPECT_FALSE(model.setData(model.index(1, 1), u"note"_s)); // no change, nothing registered
    EXPECT_EQ(controller.undoManager().undoCount(), 1);
    table.setEditState(false);
    EXPECT_FALSE(model.setData(model.index(0, 1), u"locked"_s));
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
    load(card(u"Ann"_s, values), { u"Name"_s, u"Phone"_s, u"Email"_s }, { u"work"_s });
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
        { u"Sender"_s, u"Name"_s, u"City"_s });
    auto markSender = [this](int contact, qsizetype index) {
        ZRPerson &p = *top->contactTable->at(contact)->person;
        QVariantMap address = p.labeledValueForIdentifierAtIndex(Ident::Address, index).toMap();
        address.insert(Key::Sender, true);
        p.replaceLabeledValueAtIndex(address, Ident::Address, index);
    };
    markSender(1, 1);
    markSender(2, 0);
    for (bool ascending : { true, false }) {
        table.setSortDescriptor(SortDescriptor { Ident::Name, ascending });
        table.updateTable();
        const ContactEntryPtr sender = controller.senderInHagakiView();
        ASSERT_TRUE(sender);
        EXPECT_EQ(sender->person, top->contactTable->at(ascending ? 1 : 2)->person) << ascending;
        EXPECT_EQ(sender->labelIndex, ascending ? 1 : 0);
        EXPECT_TRUE(table.cell(u"Sender"_s, int(table.subContactTable().indexOf(sender))).checked);
    }
}
