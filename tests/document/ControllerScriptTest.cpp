// A user's session driven through the controllers: open a real file, choose groups, edit cells in
// several rows, change labels, sort, delete and duplicate contacts, then undo everything. The records must
// come back exactly as freshly read.

#include "HubTestSupport.h"
#include "common/TestPaths.h"
#include "document/DocumentReader.h"
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

    TestHub t;
    DocumentHub &hub = t.hub;
    DocumentError error;
    ASSERT_TRUE(hub.open(std::move(read), path, DocumentText::VCardType, &error));
    const ContactContainerPtr container = hub.viewController().containerTable().first();
    ASSERT_GE(container->groups.size(), 2);
    hub.setColumns({ Ident::Phone, Ident::Email, Ident::ZIP, Ident::Note, Ident::Company });
    ContactsViewController &table = hub.table();

    // Look at a category first, then work in the top group.
    ASSERT_TRUE(hub.selectGroup(container->groups.at(1)));
    ASSERT_TRUE(hub.selectGroup(container->groups.first()));
    ASSERT_GE(table.subContactTable().size(), 5);

    hub.setSelectedRows({ 0, 1, 2, 3, 4 });
    EXPECT_TRUE(table.textFieldCellChanged(Ident::Note, 0, u"checked in 2026"_s));
    EXPECT_TRUE(table.textFieldCellChanged(Ident::Company, 3, u"ACME"_s));
    for (int row = 0; row < table.subContactTable().size(); ++row) {
        if (table.cell(Ident::Phone, row).kind == ContactCell::Kind::PopupAndText) {
            hub.setSelectedRows({ row });
            EXPECT_TRUE(table.popupLabelCellChanged(Ident::Phone, row, u"pager"_s, {}));
            break;
        }
    }
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 1, true));
    EXPECT_TRUE(table.checkBoxCellChanged(u"Sender"_s, 2, true));
    hub.sortBy({ Ident::ZIP, false });
    hub.setSelectedRows({ 0 });
    hub.viewController().duplicateContacts(table.selectedContacts());
    hub.setSelectedRows({ 1, 2 });
    hub.viewController().deleteContacts(table.selectedContacts(), 1);
    EXPECT_TRUE(hub.isDocumentEdited());

    int steps = 0;
    while (hub.undoManager().canUndo() && steps < 1000) {
        hub.undo();
        ++steps;
    }
    EXPECT_FALSE(hub.isDocumentEdited());

    // Sorting ordered the records; they are compared by id, each with the record read afresh.
    QHash<QString, std::shared_ptr<ZRPerson>> original;
    for (const ContactEntryPtr &entry : fresh.contactTable)
        original.insert(entry->uniqueId, entry->person);
    const ContactTable now = visibleEntries(*container->groups.first()->contactTable);
    ASSERT_EQ(now.size(), fresh.contactTable.size());
    for (const ContactEntryPtr &entry : now) {
        ASSERT_TRUE(original.contains(entry->uniqueId));
        ZRPerson &edited = *entry->person;
        ZRPerson &read = *original.value(entry->uniqueId);
        for (const QString &id : comparedIdentifiers())
            EXPECT_EQ(edited.valueForIdentifier(id), read.valueForIdentifier(id))
                << entry->uniqueId.toStdString() << " field " << id.toStdString();
    }
    for (const ContactGroupPtr &group : container->groups)
        EXPECT_EQ(
            visibleEntries(*group->contactTable).size(), group->contactTable->size() - (group->top ? 1 : 0))
            << group->name.toStdString(); // only the duplicate stays behind, marked deleted
}
