// The hub as a window uses it: opening, choosing what the table shows, commands and their rules,
// rows dragged onto a group, editors opened by double clicks, closing.

#include "document/DocumentHub.h"

#include "DocumentTestSupport.h"
#include "HubTestSupport.h"
#include "document/DefaultsKeys.h"
#include "document/WorkerPool.h"
#include "document/editors/DateRules.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QThreadPool>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Ann (two phones, in Friends), Bob (in Friends and Golf), Cy (no phone).
const QString Cards
    = TestHub::card(u"Ann"_s, u"TEL;TYPE=HOME:1\r\nTEL;TYPE=WORK:2\r\nCATEGORIES:Friends\r\n"_s)
    + TestHub::card(u"Bob"_s, u"TEL;TYPE=HOME:3\r\nCATEGORIES:Friends,Golf\r\n"_s) + TestHub::card(u"Cy"_s);

class DocumentHubTest : public ::testing::Test
{
protected:
    void SetUp() override { t.open(Cards, { Ident::Phone, Ident::Note }); }

    CommandState state(Command command, const QString &parameter = {}, const WindowState &window = {})
    {
        return hub.validateCommand({ command, parameter, {} }, window);
    }

    TestHub t;
    DocumentHub &hub = t.hub;
    ContactsViewController &table = t.table();
};

} // namespace

TEST_F(DocumentHubTest, OpensWithTheStoredChoicesAndTheLastSort)
{
    EXPECT_EQ(hub.documentName(), u"test.vcf"_s);
    EXPECT_EQ(hub.selectedGroup(), t.top());
    EXPECT_EQ(table.columns(), (QStringList { u"Sender"_s, Ident::Name, Ident::Phone, Ident::Note }));
    ASSERT_TRUE(hub.sortDescriptor());
    EXPECT_EQ(hub.sortDescriptor()->key, Ident::CompositeName);
    EXPECT_EQ(table.subContactTable().size(), 4);
    EXPECT_FALSE(hub.isDocumentEdited());
    EXPECT_TRUE(hub.editState());

    // A sort is remembered for the next window.
    hub.sortBy({ Ident::Phone, false });
    EXPECT_EQ(t.defaults.lastSortDesc(), (SortDescriptor { Ident::Phone, false }));
    TestHub next;
    next.settings.setValue(DefaultsKey::LastSortDesc, t.settings.value(DefaultsKey::LastSortDesc));
    next.open(Cards);
    EXPECT_EQ(next.hub.sortDescriptor()->key, Ident::Phone);
}

TEST_F(DocumentHubTest, AGroupShowsItsRowsAndItsNameInTheSummary)
{
    const ContactGroupPtr golf = hub.groupNamed(u"Golf"_s);
    ASSERT_TRUE(golf);
    QSignalSpy resets(&hub.tableModel(), &QAbstractItemModel::modelReset);
    EXPECT_TRUE(hub.selectGroup(golf));
    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(table.subContactTable().size(), 1);
    EXPECT_EQ(table.summaryText(), u"Golf: total 1 contacts"_s);
    EXPECT_FALSE(hub.selectGroup(golf)) << "already shown";

    QSignalSpy changed(&hub.tableModel(), &QAbstractItemModel::dataChanged);
    hub.viewController().undoChangeGroupName(u"Tennis"_s, golf);
    EXPECT_EQ(hub.tableModel().data(hub.tableModel().index(1, 0)).toString(), u"Tennis: total 1 contacts"_s);
    EXPECT_EQ(changed.size(), 1) << "only the summary row";
}

TEST_F(DocumentHubTest, ViewChoicesAreWrittenForOtherWindowsAndReadBackOnRebuild)
{
    EXPECT_TRUE(hub.toggleColumn(Ident::Email));
    EXPECT_EQ(table.columns().at(2), Ident::Email) << "inserted after the fixed columns";
    EXPECT_TRUE(t.defaults.viewTypeDict().value(t.defaults.selectedViewType()).contains(Ident::Email));
    EXPECT_TRUE(hub.selectViewType(u"Name Only"_s));
    EXPECT_EQ(table.columns(), (QStringList { u"Sender"_s, Ident::Name }));
    EXPECT_EQ(t.defaults.selectedViewType(), u"Name Only"_s);

    // Another window chose "work": the next rebuild of this table follows.
    hub.setColumns({ Ident::Phone });
    t.defaults.setSelectedLabels({ u"work"_s });
    table.updateTable();
    EXPECT_EQ(table.selectedLabels(), QStringList { u"work"_s });
    EXPECT_EQ(table.subContactTable().size(), 4) << "Ann's work phone on its own row";

    // A hub that writes nothing keeps its choices to itself.
    DocumentHub::Options options;
    options.writesDefaults = false;
    TestHub quiet(options);
    quiet.open(Cards, { Ident::URL }, { u"home"_s });
    EXPECT_TRUE(quiet.hub.selectViewType(u"Address Detail"_s));
    quiet.hub.sortBy({ Ident::ZIP, true });
    quiet.settings.sync();
    EXPECT_FALSE(quiet.settings.contains(DefaultsKey::LastSortDesc));
    EXPECT_NE(quiet.defaults.selectedViewType(), u"Address Detail"_s);
    EXPECT_NE(quiet.defaults.selectedLabels(), QStringList { u"home"_s });
    quiet.table().updateTable();
    EXPECT_EQ(quiet.table().selectedLabels(), QStringList { u"home"_s });
}

TEST_F(DocumentHubTest, CommandRulesAnswerForTheDocumentTheControllerAndTheWindow)
{
    // Never offered: the document is not written back.
    for (Command c : { Command::SaveDocument, Command::RevertDocumentToSaved, Command::DuplicateDocument,
             Command::BrowseDocumentVersions })
        EXPECT_FALSE(state(c).enabled);
    EXPECT_TRUE(state(Command::SaveDocumentAs).enabled);

    hub.setSelectedRows({});
    EXPECT_FALSE(state(Command::Undo).enabled);
    EXPECT_FALSE(state(Command::DeleteContacts).enabled) << "nothing selected";
    EXPECT_FALSE(state(Command::MergeContacts).enabled);
    hub.setSelectedRows({ 0, 1 }); // both of Ann's rows: one contact
    EXPECT_TRUE(state(Command::DeleteContacts).enabled);
    EXPECT_FALSE(state(Command::MergeContacts).enabled) << "one contact";
    hub.setSelectedRows({ 0, 2 });
    EXPECT_TRUE(state(Command::MergeContacts).enabled);
    WindowState window;
    window.mergePanelOpen = true;
    EXPECT_FALSE(state(Command::MergeContacts, {}, window).enabled);
    EXPECT_TRUE(state(Command::NormalizePhoneNumber).enabled) << "contacts selected and a phone column";
    window = {};
    window.contactInfoVisible = true;
    EXPECT_FALSE(state(Command::NormalizePhoneNumber, {}, window).enabled) << "the pane's contact has none";
    EXPECT_EQ(state(Command::ToggleContactInfo, {}, window).title, u"Hide Contact Info"_s);
    window.findBarVisible = true;
    EXPECT_EQ(state(Command::ToggleFindBar, {}, window).title, u"✓Find"_s);
    EXPECT_EQ(state(Command::ToggleGroupView).title, u"Hide Groups"_s);

    EXPECT_TRUE(state(Command::SelectViewType, t.defaults.selectedViewType()).checked);
    EXPECT_TRUE(state(Command::SelectColumn, Ident::Phone).checked);
    EXPECT_FALSE(state(Command::SelectColumn, Ident::Email).checked);
    EXPECT_TRUE(state(Command::SelectLabel, u"All"_s).checked);
    EXPECT_TRUE(
        hub.validateCommand({ Command::SelectSortOption, Ident::CompositeName, Ident::Name }).checked);
    EXPECT_TRUE(state(Command::SelectGroup, t.top()->uniqueId).checked);
    EXPECT_TRUE(state(Command::ToggleEdit).checked);

    hub.setEditState(false);
    EXPECT_FALSE(state(Command::DeleteContacts).enabled);
    EXPECT_FALSE(state(Command::DuplicateContacts).enabled);
    EXPECT_FALSE(state(Command::ToggleEdit).checked);
    table.textFieldCellChanged(Ident::Note, 0, u"x"_s);
    EXPECT_FALSE(state(Command::Undo).enabled) << "locked: the cell did not change";
    hub.setEditState(true);
    table.textFieldCellChanged(Ident::Note, 0, u"x"_s);
    EXPECT_TRUE(state(Command::Undo).enabled);
    EXPECT_FALSE(state(Command::Redo).enabled);
}

TEST_F(DocumentHubTest, RowsDraggedFromTheTableJoinTheGroupTheyAreDroppedOn)
{
    const ContactGroupPtr golf = hub.groupNamed(u"Golf"_s);
    const ContactContainerPtr container = hub.viewController().containerTable().first();
    const GroupListItem golfItem { container, golf };
    ContactTableModel &model = hub.tableModel();
    // Cy's row, as the table drags it.
    std::unique_ptr<QMimeData> payload(model.mimeData({ model.index(3, 1) }));
    ASSERT_TRUE(payload);

    GroupViewController &list = hub.groupList();
    EXPECT_FALSE(list.validateDrop(payload.get(), false, { container, t.top() })) << "the group shown";
    hub.setEditState(false);
    EXPECT_FALSE(list.validateDrop(payload.get(), false, golfItem)) << "locked";
    hub.setEditState(true);
    EXPECT_FALSE(list.validateDrop(payload.get(), true, golfItem)) << "from the group list itself";
    ASSERT_TRUE(list.validateDrop(payload.get(), false, golfItem));
    ASSERT_TRUE(list.acceptDrop(payload.get(), false, golfItem, -1, table.subContactTable()));
    ASSERT_EQ(golf->contactTable->size(), 2);
    EXPECT_EQ(golf->contactTable->last()->person->compositeName(), u"Cy"_s);
    hub.undo();
    EXPECT_TRUE(golf->contactTable->last()->deleted);
}

TEST_F(DocumentHubTest, DoubleClicksOpenTheRightEditorForTheRightRows)
{
    // Locked: the name opens the contact's information, an address its editor (all of them with
    // Command), and a phone nothing.
    hub.setEditState(false);
    EXPECT_EQ(table.doubleClick(Ident::Name, 0, false, {}).panel, EditorPanel::ContactInfo);
    EXPECT_EQ(table.doubleClick(Ident::Phone, 0, false, {}).kind, CellAction::Kind::Nothing);
    hub.setColumns({ Ident::Phone, Ident::Address });
    t.controller().undoAddLabeledValue(
        QVariantMap { { Key::Label, u"home"_s }, { Ident::City, u"Kyoto"_s } }, Ident::Address, t.entry(0));
    EXPECT_EQ(table.doubleClick(Ident::Address, 0, false, {}).panel, EditorPanel::Address);
    EXPECT_EQ(table.doubleClick(Ident::Address, 0, true, {}).panel, EditorPanel::MultiValue);
    EXPECT_EQ(table.doubleClick(Ident::Address, 2, false, {}).kind, CellAction::Kind::Nothing) << "no text";

    // Editing: one row edits in place; several rows holding a value are asked about first.
    hub.setEditState(true);
    hub.setSelectedRows({ 1 });
    CellAction one = table.doubleClick(Ident::Phone, 1, false, {});
    EXPECT_EQ(one.kind, CellAction::Kind::EditInPlace);
    EXPECT_EQ(one.rows, QList<int> { 1 });
    hub.setSelectedRows({ 0, 2, 3 }); // Cy (row 3) has no phone
    QString asked;
    const CellAction refused = table.doubleClick(Ident::Phone, 1, false, [&](const QString &q) {
        asked = q;
        return false;
    });
    EXPECT_EQ(refused.kind, CellAction::Kind::Nothing);
    EXPECT_EQ(asked, u"Do you want to set the same value in the selected rows"_s);
    const CellAction all = table.doubleClick(Ident::Phone, 1, false, [](const QString &) { return true; });
    EXPECT_EQ(all.kind, CellAction::Kind::EditInPlace);
    EXPECT_EQ(all.rows, (QList<int> { 0, 1, 2 }));
    EXPECT_EQ(table.selectedRows(), (QList<int> { 0, 1, 2 }));

    // A contact without an address gets a new one to fill in.
    const CellAction fresh = table.editTableViewCellOrShowPopover(Ident::ZIP, 3);
    EXPECT_EQ(fresh.panel, EditorPanel::Address);
    EXPECT_EQ(fresh.labelIndex, -1);
    EXPECT_EQ(fresh.labeledValue.value(Ident::ZIP), u"123"_s);
    EXPECT_EQ(fresh.labeledValue.value(Key::Label), u"home"_s);
    EXPECT_EQ(fresh.labeledValue.value(Key::LabelIndex), -1);
}

TEST_F(DocumentHubTest, EditorsAndTheSimpleInformationSheetApplyAsOneStep)
{
    QVariantMap address = ContactsViewController::newAddressValue();
    address.insert(Ident::City, u"Nara"_s);
    const int steps = hub.undoManager().undoCount();
    EXPECT_TRUE(table.applyEditorResult({ Ident::Address, address, {}, true }, { 0, 2, 3 }));
    EXPECT_TRUE(table.applyEditorResult({ Ident::Renmei, {}, { u"花子"_s, u"太郎"_s }, true }, { 3 }));
    EXPECT_FALSE(table.applyEditorResult({ Ident::Note, u"x"_s, {}, false }, { 0 })) << "not dirty";
    EXPECT_EQ(hub.undoManager().undoCount(), steps + 2);
    EXPECT_EQ(t.entry(2)->person->valueForIdentifier(Ident::Renmei), u"花子\n太郎"_s);
    for (int i : { 0, 1, 2 })
        EXPECT_EQ(t.entry(i)->person->stringValueForIdentifierAtLabelIndex(Ident::City, 0), u"Nara"_s);

    // The sheet's row gives first and last name, company, joint names, addresses and note at once.
    auto edited = std::make_shared<ContactEntry>(*t.entry(1));
    edited->person = t.entry(1)->person->copy();
    edited->person->setValueForIdentifier(u"Robert"_s, Ident::FirstName);
    edited->person->setValueForIdentifier(u"Acme"_s, Ident::Company);
    edited->person->setValueForIdentifier(u"Kei"_s, Ident::Renmei);
    edited->person->setValueForIdentifier(u"met at golf"_s, Ident::Note);
    EXPECT_TRUE(hub.viewController().showContact(t.entry(1), edited));
    EXPECT_EQ(hub.undoManager().undoCount(), steps + 3);
    EXPECT_EQ(t.entry(1)->person->valueForIdentifier(Ident::Note), u"met at golf"_s);
    hub.undo();
    EXPECT_EQ(t.entry(1)->person->valueForIdentifier(Ident::Company), u""_s);
    EXPECT_EQ(t.entry(1)->person->valueForIdentifier(Ident::FirstName), u""_s);

    // A new contact joins the group shown and is selected.
    auto person = ZRPerson::create();
    person->setValueForIdentifier(u"Dan"_s, Ident::LastName);
    auto row = std::make_shared<ContactEntry>();
    row->person = person;
    EXPECT_TRUE(hub.viewController().addContact(row));
    EXPECT_EQ(table.selectedContacts().value(0), row);
}

TEST_F(DocumentHubTest, AnEditorResultChangesASharedRecordOnceAndAddsANewDate)
{
    // Rows 0 and 1 are both Ann's: a new address chosen for both is added to her once.
    const std::shared_ptr<ZRPerson> ann = table.subContactTable().at(0)->person;
    ASSERT_EQ(table.subContactTable().at(1)->person, ann);
    const qsizetype addresses = ann->labeledValues(Ident::Address)->size();
    QVariantMap address = ContactsViewController::newAddressValue();
    address.insert(Ident::City, u"Nara"_s);
    const int steps = hub.undoManager().undoCount();
    EXPECT_TRUE(table.applyEditorResult({ Ident::Address, address, {}, true }, { 0, 1 }));
    EXPECT_EQ(ann->labeledValues(Ident::Address)->size(), addresses + 1);

    // A date for a new entry is added, not dropped as a replacement of nothing.
    const std::shared_ptr<ZRPerson> cy = table.subContactTable().at(3)->person;
    const QVariantMap date = DateRules::datesResult(u"anniversary"_s, { 2001, 12, 24 }, -1);
    EXPECT_TRUE(table.applyEditorResult({ Ident::Dates, date, {}, true }, { 3 }));
    ASSERT_EQ(cy->labeledValues(Ident::Dates)->size(), 1);
    EXPECT_TRUE(cy->labeledValueForIdentifierAtIndex(Ident::Dates, 0)
                    .toMap()
                    .value(Key::StringValue)
                    .toString()
                    .startsWith(u"2001.12.24"_s));
    EXPECT_EQ(hub.undoManager().undoCount(), steps + 2);
    hub.undo();
    hub.undo();
    EXPECT_EQ(ann->labeledValues(Ident::Address)->size(), addresses);
    EXPECT_TRUE(cy->labeledValues(Ident::Dates)->isEmpty());
}

TEST_F(DocumentHubTest, ACsvDocumentShowsItsEntriesLockedAndClosingLetsGoOfEverything)
{
    QTemporaryDir dir;
    const QString path = DocumentTestSupport::writeFile(dir, u"list.csv"_s, "Ann Lee,,,,,\nCy Ito,,,,,\n");
    Document document;
    DocumentError error;
    ASSERT_TRUE(document.readFromURL(path, DocumentText::CSVType, &error));
    hub.open(document.makeWindowData());
    EXPECT_TRUE(hub.isCSV());
    EXPECT_EQ(table.subContactTable().size(), 2);
    EXPECT_FALSE(hub.editState());
    EXPECT_FALSE(state(Command::ToggleEdit).enabled);
    EXPECT_FALSE(state(Command::ImportFromVCard).enabled);
    EXPECT_EQ(hub.saveDocumentAs(), Document::SaveAsAction::ExportToVCard);

    std::weak_ptr<ZRPerson> record = t.entry(0)->person;
    QSignalSpy closed(&hub, &DocumentHub::closed);
    hub.close();
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(hub.tableModel().rowCount(), 0);
    EXPECT_TRUE(hub.viewController().containerTable().isEmpty());
    EXPECT_FALSE(hub.undoManager().canUndo());
    WorkerPool::instance()->waitForDone();
    EXPECT_TRUE(record.expired()) << "nothing kept a record alive";
}
