#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/UiTestSupport.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"
#include "ui/tools/PostalDataLoader.h"
#include "ui/tools/PostalSearchSheet.h"

#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A contact whose one address has only its postal code, opened in the address editor from the table.
// The postal data come from an empty folder: the search looks in the sample built into the program.
class AddressPostalSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.setDataDirectory(empty.path());
        hub.open(TestHub::card(u"山田"_s, u"ADR;TYPE=HOME:;;;;;1000006;Japan\r\n"_s));
        hub.hub.setEditState(true);
        yamada = hub.table().subRows().row(0);
    }

    AddressEditor *openEditor()
    {
        popover = FieldEditors::openEditorForRow(
            hub.hub, 0, Ident::Address, 0, QRect(100, 100, 80, 20), &owner, false);
        auto *editor = popover ? qobject_cast<AddressEditor *>(popover->content()) : nullptr;
        if (editor)
            editor->setPostalData(&data);
        return editor;
    }

    // Presses the editor's search button and takes the sheet's only row for the code, as the user does.
    void searchAndChooseTheRow(AddressEditor *editor)
    {
        QTest::mouseClick(editor->postalSearchButton(), Qt::LeftButton);
        auto *sheet = UiTestSupport::waitForWindow<PostalSearchSheet>();
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([sheet] { return !sheet->isSearching(); }, 10000));
        ASSERT_EQ(sheet->resultView()->model()->rowCount(), 1);
        // Opened over the editor, which is still there to take the row.
        EXPECT_EQ(sheet->parentWidget(), editor->window());
        EXPECT_TRUE(editor->isVisible());
        sheet->selectRow(0);
        sheet->confirm();
        EXPECT_FALSE(sheet->isVisible());
    }

    QVariantMap address() const
    {
        return yamada->person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
    }
    int undoCount() { return hub.hub.undoManager().undoCount(); }

    QTemporaryDir empty;
    PostalDataLoader data;
    TestHub hub;
    QWidget owner;
    ContactEntryPtr yamada;
    QPointer<EditorPopover> popover;
};

TEST_F(AddressPostalSearchTest, AChosenRowFillsTheFieldsAndChangeAppliesThemAsOneStep)
{
    owner.show();
    QPointer<AddressEditor> editor = openEditor();
    ASSERT_TRUE(editor);
    // Without national data the button says how to install it before it is pressed.
    EXPECT_TRUE(editor->postalSearchButton()->toolTip().contains(u"corvanthe postal-data install"_s));
    EXPECT_FALSE(editor->postalSearchButton()->accessibleName().isEmpty());

    searchAndChooseTheRow(editor);
    // The pop-up was torn off into a window for the sheet; the record has not changed yet.
    EXPECT_TRUE(popover.isNull());
    EXPECT_TRUE(editor->window()->isVisible());
    EXPECT_EQ(editor->partText(Ident::ZIP), u"100-0006"_s);
    EXPECT_EQ(editor->partText(Ident::State), u"東京都"_s);
    EXPECT_EQ(editor->partText(Ident::City), u"千代田区"_s);
    EXPECT_EQ(editor->partText(Ident::Street), u"有楽町"_s);
    EXPECT_EQ(editor->partText(Ident::Country), u"Japan"_s) << "parts the row has not are kept";
    EXPECT_EQ(address().value(Ident::ZIP).toString(), u"1000006"_s);
    EXPECT_EQ(undoCount(), 0);

    ASSERT_TRUE(editor->confirmButton()->isEnabled());
    QTest::mouseClick(editor->confirmButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); }, 2000)) << "its window closes";
    EXPECT_EQ(address().value(Ident::ZIP).toString(), u"100-0006"_s);
    EXPECT_EQ(address().value(Ident::City).toString(), u"千代田区"_s);
    EXPECT_EQ(address().value(Ident::Street).toString(), u"有楽町"_s);
    EXPECT_EQ(yamada->person->labeledValues(Ident::Address)->size(), 1) << "replaced, not added";
    EXPECT_EQ(undoCount(), 1);
    hub.hub.undo();
    EXPECT_EQ(address().value(Ident::ZIP).toString(), u"1000006"_s);
    EXPECT_EQ(address().value(Ident::City).toString(), QString());
}

TEST_F(AddressPostalSearchTest, CancelInTheEditorOrTheSheetLeavesTheRecordAlone)
{
    owner.show();
    QPointer<AddressEditor> editor = openEditor();
    ASSERT_TRUE(editor);
    searchAndChooseTheRow(editor);
    ASSERT_EQ(editor->partText(Ident::City), u"千代田区"_s);
    QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); }, 2000));
    EXPECT_EQ(address().value(Ident::City).toString(), QString());
    EXPECT_EQ(undoCount(), 0);
    EXPECT_FALSE(hub.hub.isDocumentEdited());

    // Cancelling the sheet leaves the fields as they were.
    editor = openEditor();
    ASSERT_TRUE(editor);
    QTest::mouseClick(editor->postalSearchButton(), Qt::LeftButton);
    auto *sheet = UiTestSupport::waitForWindow<PostalSearchSheet>();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([sheet] { return !sheet->isSearching(); }, 10000));
    sheet->selectRow(0);
    sheet->reject();
    EXPECT_EQ(editor->partText(Ident::ZIP), u"1000006"_s);
    EXPECT_EQ(editor->partText(Ident::City), QString());
    editor->window()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); }, 2000));
    EXPECT_EQ(undoCount(), 0);
}

TEST_F(AddressPostalSearchTest, ALockedEditorSearchesNothing)
{
    hub.hub.setEditState(false);
    AddressEditor *editor = openEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(editor->postalSearchButton()->isEnabled());
    EXPECT_EQ(editor->searchPostalCode(), nullptr);
    editor->applyPostalResult({ { Ident::ZIP, u"100-0006"_s } }, 2);
    EXPECT_EQ(editor->partText(Ident::ZIP), u"1000006"_s);
    // Unlocked, the button works again.
    editor->setUnlocked(true);
    EXPECT_TRUE(editor->postalSearchButton()->isEnabled());
    popover->close();
}

// Locked, the window's postal search finds but writes nothing, as the locked editor.
TEST_F(AddressPostalSearchTest, TheWindowsSearchHonoursTheLockAsTheEditorDoes)
{
    hub.hub.setEditState(false);
    hub.hub.setSelectedRows({ 0 });
    PostalSearchSheet *sheet = PostalSearchSheet::open(&owner, hub.hub, data);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([sheet] { return !sheet->isSearching(); }, 10000));
    ASSERT_EQ(sheet->resultView()->model()->rowCount(), 1);
    sheet->selectRow(0);
    sheet->confirm();
    EXPECT_EQ(address().value(Ident::City).toString(), QString());
    EXPECT_EQ(undoCount(), 0);
    // Unlocked, the same choice is written.
    hub.hub.setEditState(true);
    sheet = PostalSearchSheet::open(&owner, hub.hub, data);
    ASSERT_TRUE(QTest::qWaitFor([sheet] { return !sheet->isSearching(); }, 10000));
    sheet->selectRow(0);
    sheet->confirm();
    EXPECT_EQ(address().value(Ident::City).toString(), u"千代田区"_s);
    EXPECT_EQ(undoCount(), 1);
}

} // namespace
