// A user's session driven through the controllers: open a real file, choose groups, edit cells in
// several rows, change labels, delete and duplicate contacts, then undo everything. The records must
// come back exactly as freshly read.

#include "common/TestPaths.h"
#include "document/ContactsViewController.h"
#include "document/DocumentReader.h"
#include "document/ViewController.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QStringList comparedIdentifiers()
{
    QStringList ids = ZRPerson::allIdentifiers();
    ids << Ident::Renmei << Ident::HagakiLayout;
    return ids;
}

ContactTable visibleEntries(const ContactTable &table)
{
    ContactTable rows;
    for (const ContactEntryPtr &entry : table) {
        if (!entry->deleted)
            rows.append(entry);
    }
    return rows;
}

} // namespace

TEST(ControllerScriptTest, EditingAndUndoingEverythingGivesBackTheFileAsRead)
{
    const QString path = TestPaths::shared(u"corpus/vcard/syncevolution/eds_contact.vcf"_s);
    if (!QFileInfo::exists(path))
        GTEST_SKIP() << "no shared corpus";
    DocumentReadResult read = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
    const DocumentReadResult fresh
        = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
    ASSERT_TRUE(read.ok() && read.containers);
    ASSERT_GE(read.contactTable.size(), 10);

    ViewController controller;
    controller.setContainerTable(*read.containers);
    const ContactContainerPtr container = controller.containerTable().first();
    ASSERT_GE(container->groups.size(), 2);
    ContactsViewController table(controller);
    table.setColumns(
        { u"Sender"_s, Ident::Name, Ident::Phone, Ident::Email, Ident::ZIP, Ident::Note, Ident::Company });
    table.setSelectedLabels({ LabelText::All });

    // Look at a category first, then work in the top group.
    controller.setSelectedGroupDict(container->groups.at(1));
    table.setContactTable(*container->groups.at(1)->contactTable);
    table.updateTable();
    controller.setSelectedGroupDict(container->groups.first());
    table.setContactTable(*container->groups.first()->contactTable);
    table.updateTable();
    ASSERT_GE(table.subContactTable().size(), 5);

    table.setSelectedRows({ 0, 1, 2, 3, 4 });
    EXPECT_TRUE(table.textFieldCellChanged(Ident::Note, 0, u"checked in 2026"_s));
    EXPECT_TRUE(table.textFieldCellChanged(Ident::Company, 3, u"ACME"_s));
    for (int row = 0; row < table.subContactTable().size(); ++row) {
        if (table.cell(Ident::Phone, row).kind == ContactCell::Kind::PopupAndText) {
            table.setSelectedRows({ row });
            EXPECT_TRUE(table.popupLabelCellChanged(Ident::Phone, row, u"pager"_s, {}));
            break;
        }
    }
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 1, true));
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 2, true));
    table.setSelectedRows({ 0 });
    controller.duplicateContacts(table.selectedContacts());
    table.setSelectedRows({ 1, 2 });
    controller.deleteContacts(table.selectedContacts(), 1);
    table.updateTable();
    EXPECT_TRUE(controller.isDocumentEdited());

    int steps = 0;
    while (controller.undoManager().canUndo() && steps < 1000) {
        controller.undo();
        ++steps;
    }
    EXPECT_FALSE(controller.isDocumentEdited());

    const ContactTable now = visibleEntries(*container->groups.first()->contactTable);
    ASSERT_EQ(now.size(), fresh.contactTable.size());
    for (qsizetype i = 0; i < now.size(); ++i) {
        ZRPerson &edited = *now.at(i)->person;
        ZRPerson &original = *fresh.contactTable.at(i)->person;
        for (const QString &id : comparedIdentifiers())
            EXPECT_EQ(edited.valueForIdentifier(id), original.valueForIdentifier(id))
                << "contact " << i + 1 << " field " << id.toStdString();
    }
    for (const ContactGroupPtr &group : container->groups)
        EXPECT_EQ(
            visibleEntries(*group->contactTable).size(), group->contactTable->size() - (group->top ? 1 : 0))
            << group->name.toStdString(); // only the duplicate stays behind, marked deleted
}
