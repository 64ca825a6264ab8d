// A field editor edits contacts of the document: when they are deleted it has nothing left to edit and
// closes, in its pop-up or torn off into a window of its own, without applying anything.

#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/FieldEditors.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class EditorContactDeletedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hub.open(TestHub::card(u"Ann Lee"_s, u"ADR;TYPE=HOME:;;1 Elm St;Springfield;IL;62701;USA\r\n"_s)
            + TestHub::card(u"Bob Ray"_s, u"ADR;TYPE=WORK:;;2 Oak St;Shelbyville;IL;62565;USA\r\n"_s));
        hub.hub.setEditState(true);
        owner.show();
    }

    // The address editor of the table's row, its street changed but not yet confirmed.
    AddressEditor *openWithAChange(int row)
    {
        popover = FieldEditors::openEditorForRow(
            hub.hub, row, Ident::Address, 0, QRect(100, 100, 80, 20), &owner, false);
        auto *editor = popover ? qobject_cast<AddressEditor *>(popover->content()) : nullptr;
        if (editor)
            editor->setPartText(Ident::Street, u"99 Changed Rd"_s);
        return editor;
    }

    // The document's entry of a contact (the table's rows are built for the view).
    ContactEntryPtr entryNamed(const QString &name)
    {
        for (const ContactEntryPtr &entry : *hub.top()->contactTable) {
            if (entry->person->compositeName() == name)
                return entry;
        }
        return nullptr;
    }

    QString street(const ContactEntryPtr &entry) const
    {
        return entry->person->labeledValueForIdentifierAtIndex(Ident::Address, 0)
            .toMap()
            .value(Ident::Street)
            .toString();
    }

    TestHub hub;
    QWidget owner;
    QPointer<EditorPopover> popover;
};

} // namespace

TEST_F(EditorContactDeletedTest, ATornOffAddressEditorClosesWhenItsContactIsDeleted)
{
    QPointer<AddressEditor> editor = openWithAChange(0);
    ASSERT_TRUE(editor);
    const ContactEntryPtr ann = entryNamed(u"Ann Lee"_s);
    const ContactEntryPtr bob = entryNamed(u"Bob Ray"_s);
    ASSERT_TRUE(ann && bob);
    QPointer<QWidget> window = popover->tearOff();
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    // Another contact going changes nothing for it.
    hub.controller().deleteContacts({ bob });
    QApplication::processEvents();
    ASSERT_TRUE(window && window->isVisible());

    const int steps = hub.hub.undoManager().undoCount();
    hub.controller().deleteContacts({ ann });
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull() || !window->isVisible(); }, 2000));
    // Closed as a Cancel: the deleted contact's address is as it was, and no step was added.
    EXPECT_EQ(street(ann), u"1 Elm St"_s);
    EXPECT_EQ(hub.hub.undoManager().undoCount(), steps + 1);

    // Undoing the deletion brings the contact back unchanged.
    hub.hub.undo();
    EXPECT_FALSE(ann->deleted);
    EXPECT_EQ(street(ann), u"1 Elm St"_s);
}

TEST_F(EditorContactDeletedTest, AnEditorInItsPopUpClosesAndAppliesNothingToADeletedContact)
{
    QPointer<AddressEditor> editor = openWithAChange(0);
    ASSERT_TRUE(editor);
    const ContactEntryPtr ann = entryNamed(u"Ann Lee"_s);
    const int steps = hub.hub.undoManager().undoCount();
    hub.controller().deleteContacts({ ann });
    EXPECT_TRUE(QTest::qWaitFor([&] { return popover.isNull() || !popover->isVisible(); }, 2000));
    EXPECT_EQ(street(ann), u"1 Elm St"_s);
    EXPECT_EQ(hub.hub.undoManager().undoCount(), steps + 1);

    // An editor whose contact is still there applies its change when confirmed, as ever.
    QPointer<AddressEditor> other = openWithAChange(0);
    ASSERT_TRUE(other);
    const ContactEntryPtr bob = entryNamed(u"Bob Ray"_s);
    other->confirmButton()->click();
    EXPECT_EQ(street(bob), u"99 Changed Rd"_s);
}
