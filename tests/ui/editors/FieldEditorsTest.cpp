#include "ui/editors/FieldEditors.h"

#include "document/HubTestSupport.h"
#include "document/editors/EditorContext.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/DateEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/editors/MultiValueEditor.h"
#include "ui/editors/NameEditor.h"
#include "ui/editors/RenmeiEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FieldEditorsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hub.open(TestHub::card(u"Ann Lee"_s,
                     u"TEL;TYPE=HOME:111\r\nADR;TYPE=HOME:;;1 Elm St;Springfield;IL;62701;USA\r\n"_s)
            + TestHub::card(u"Bob Ray"_s));
        hub.hub.setEditState(true);
        ann = hub.table().subRows().row(0);
    }

    template <typename Editor>
    Editor *open(const QString &identifier, qsizetype position, bool wholeList = false)
    {
        popover = FieldEditors::openEditorForRow(
            hub.hub, 0, identifier, position, QRect(100, 100, 80, 20), nullptr, wholeList);
        EXPECT_TRUE(popover);
        return popover ? qobject_cast<Editor *>(popover->content()) : nullptr;
    }

    void finish(QPushButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return popover.isNull(); }, 2000));
    }

    int undoCount() { return hub.hub.undoManager().undoCount(); }

    TestHub hub;
    ContactEntryPtr ann;
    QPointer<EditorPopover> popover;
};

TEST_F(FieldEditorsTest, TheNameEditorConfirmsOneUndoableChange)
{
    auto *editor = open<NameEditor>(Ident::Name, 0);
    ASSERT_TRUE(editor);
    EXPECT_EQ(popover->content()->size(), QSize(360, 260));
    // Opened unlocked (the table is in edit mode): "Change" waits for a change.
    EXPECT_EQ(editor->confirmButton()->text(), u"Change"_s);
    EXPECT_FALSE(editor->confirmButton()->isEnabled());
    QLineEdit *first = editor->partField(Ident::FirstName);
    first->selectAll();
    QTest::keyClicks(first, u"Anna"_s);
    EXPECT_TRUE(editor->confirmButton()->isEnabled());
    finish(editor->confirmButton());
    EXPECT_EQ(ann->person->nameValue().value(Ident::FirstName).toString(), u"Anna"_s);
    EXPECT_EQ(undoCount(), 1);
    hub.hub.undo();
    EXPECT_EQ(ann->person->nameValue().value(Ident::FirstName).toString(), u""_s);
}

TEST_F(FieldEditorsTest, EscapeCancelAndLockingLeaveTheRecordAlone)
{
    auto *editor = open<NameEditor>(Ident::Name, 0);
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor->partField(Ident::LastName), u"xyz"_s);
    QTest::keyClick(popover.data(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([this] { return popover.isNull(); }, 2000));

    editor = open<NameEditor>(Ident::Name, 0);
    QTest::keyClicks(editor->partField(Ident::LastName), u"xyz"_s);
    finish(editor->cancelButton());

    editor = open<NameEditor>(Ident::Name, 0);
    QTest::keyClicks(editor->partField(Ident::LastName), u"xyz"_s);
    editor->editButton()->click(); // lock: forgets what was typed
    EXPECT_EQ(editor->partField(Ident::LastName)->text(), u"Ann Lee"_s);
    EXPECT_EQ(editor->confirmButton()->text(), u"Done"_s);
    EXPECT_FALSE(editor->cancelButton()->isVisible());
    finish(editor->confirmButton());

    EXPECT_EQ(ann->person->nameValue().value(Ident::LastName).toString(), u"Ann Lee"_s);
    EXPECT_EQ(undoCount(), 0);
    EXPECT_FALSE(hub.hub.isDocumentEdited());
}

TEST_F(FieldEditorsTest, TheListEditorAddsARowWithACustomLabel)
{
    auto *editor = open<MultiValueEditor>(Ident::Phone, 0);
    ASSERT_TRUE(editor);
    QTest::mouseClick(editor->addButton(), Qt::LeftButton);
    ASSERT_EQ(editor->table()->rowCount(), 2);
    editor->table()->item(1, 1)->setText(u"222"_s);
    editor->customLabelField()->setText(u"cottage"_s);
    QTest::keyClick(editor->customLabelField(), Qt::Key_Return);
    finish(editor->confirmButton());
    const QVariantList phones = *ann->person->labeledValues(Ident::Phone);
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(phones.at(1).toMap().value(Key::Value).toString(), u"222"_s);
    EXPECT_EQ(phones.at(1).toMap().value(Key::Label).toString(), u"cottage"_s);
    EXPECT_EQ(undoCount(), 1);
}

TEST_F(FieldEditorsTest, TheAddressEditorAddsOrReplaces)
{
    auto *editor = open<AddressEditor>(Ident::Address, -1);
    ASSERT_TRUE(editor);
    EXPECT_EQ(popover->content()->size(), QSize(820, 260));
    EXPECT_EQ(editor->partText(Ident::ZIP), u"123"_s);
    editor->setPartText(Ident::City, u"Tokyo"_s);
    editor->fieldChanged();
    finish(editor->confirmButton());
    ASSERT_EQ(ann->person->labeledValues(Ident::Address)->size(), 2);

    editor = open<AddressEditor>(Ident::Street, 0);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->partText(Ident::Street), u"1 Elm St"_s);
    // An address in the United States is written street first.
    EXPECT_EQ(editor->partOrder().first(), Ident::Street);
    editor->setPartText(Ident::Street, u"9 Elm St"_s);
    finish(editor->confirmButton());
    ASSERT_EQ(ann->person->labeledValues(Ident::Address)->size(), 2);
    EXPECT_EQ(ann->person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap().value(Ident::Street),
        u"9 Elm St"_s);
    EXPECT_EQ(undoCount(), 2);
}

TEST_F(FieldEditorsTest, TwoJointNamesBecomeOneValueOnAllSelectedRows)
{
    hub.hub.setSelectedRows({ 0, 1 });
    auto *editor = open<RenmeiEditor>(Ident::Renmei, 0);
    ASSERT_TRUE(editor);
    QTest::mouseClick(editor->addButton(), Qt::LeftButton);
    QTest::mouseClick(editor->addButton(), Qt::LeftButton);
    editor->list()->item(0)->setText(u"Hanako"_s);
    editor->list()->item(1)->setText(u"Taro"_s);
    finish(editor->confirmButton());
    EXPECT_EQ(ann->person->valueForIdentifier(Ident::Renmei).toString(), u"Hanako\nTaro"_s);
    EXPECT_EQ(hub.table().subRows().row(1)->person->valueForIdentifier(Ident::Renmei).toString(),
        u"Hanako\nTaro"_s);
    EXPECT_EQ(undoCount(), 1);
}

TEST_F(FieldEditorsTest, TheFindPanelsDateEditorHandsBackItsResult)
{
    EditorContext context = EditorRoster::contextFor(ann, Ident::Birthday, 0, true);
    std::optional<EditorContext> result;
    popover = FieldEditors::openDateEditor(
        context, QRect(10, 10, 40, 20), nullptr, [&](const EditorContext &confirmed) { result = confirmed; });
    auto *editor = qobject_cast<DateEditor *>(popover->content());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->size(), QSize(340, 284));
    editor->yearField()->setText(u"3000"_s);
    editor->fieldChanged();
    QTest::keyClicks(editor->yearField(), QString()); // refresh
    editor->yearField()->clear();
    QTest::keyClicks(editor->yearField(), u"1990"_s);
    editor->monthCombo()->setCurrentIndex(3);
    editor->dayField()->setValue(2);
    finish(editor->confirmButton());
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->value.toMap().value(Key::StringValue).toString().startsWith(u"1990.04.02("_s));
    EXPECT_EQ(undoCount(), 0); // the find panel applies it

    // A date row of the find panel offers its own label only.
    context = EditorRoster::contextFor(ann, Ident::Dates, EditorContext::NewEntry, true);
    context.value = QVariantMap { { Key::Label, u"anniversary"_s } };
    context.labels = { u"anniversary"_s };
    popover = FieldEditors::openDateEditor(context, QRect(10, 10, 40, 20), nullptr, {});
    editor = qobject_cast<DateEditor *>(popover->content());
    ASSERT_TRUE(editor);
    ASSERT_EQ(editor->labelCombo()->count(), 1);
    EXPECT_EQ(editor->labelCombo()->itemData(0).toString(), u"anniversary"_s);
    finish(editor->cancelButton());
}

TEST(EditorPopoverTest, APopoverNeverLeavesTheScreen)
{
    const QRect screen(0, 0, 1000, 800);
    EXPECT_EQ(EditorPopover::placement(QRect(100, 100, 50, 20), QSize(300, 200), screen),
        QRect(100, 120, 300, 200));
    // No room below: above the anchor.
    EXPECT_EQ(EditorPopover::placement(QRect(100, 700, 50, 20), QSize(300, 200), screen).bottom(), 699);
    // At the right edge: moved left; larger than the screen: cut to it.
    EXPECT_EQ(EditorPopover::placement(QRect(950, 100, 50, 20), QSize(300, 200), screen).right(), 999);
    EXPECT_EQ(EditorPopover::placement(QRect(0, 0, 5, 5), QSize(2000, 2000), screen), screen);
}

// Drags the pop-up by a point of its own (not a control) by the offset, as the pointer does.
void dragPopover(EditorPopover *popover, const QPoint &from, const QPoint &offset)
{
    const auto send = [popover](QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(local), QPointF(popover->mapToGlobal(local)),
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(popover, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, from + offset / 2, Qt::LeftButton);
    if (popover->isVisible())
        send(QEvent::MouseMove, from + offset, Qt::LeftButton);
}

TEST(EditorPopoverTest, DraggingAPopoverAwayTearsItOffAndAWiggleDoesNot)
{
    QWidget owner;
    owner.show();
    const auto makePopover = [&owner](bool detachable) {
        auto *content = new QLabel(u"Ann Lee"_s);
        QPointer<EditorPopover> popover = new EditorPopover(content, &owner);
        popover->setDetachable(detachable);
        popover->showAt(QRect(100, 100, 80, 20), QSize(200, 120));
        return popover;
    };
    const int far = EditorPopover::tearOffDistance() * 2;

    // A wiggle smaller than the tear-off distance leaves the pop-up where it is.
    QPointer<EditorPopover> popover = makePopover(true);
    const QPoint atLabel = popover->content()->geometry().center();
    dragPopover(popover, atLabel, QPoint(EditorPopover::tearOffDistance() / 3, 0));
    EXPECT_TRUE(popover->isVisible());
    EXPECT_TRUE(QApplication::topLevelWidgets().contains(popover.data()));

    // Dragged away by its label: the content moves into a tool window under the pointer; the pop-up
    // closes without asking its opener to apply anything.
    QWidget *torn = nullptr;
    bool closed = false;
    QObject::connect(popover, &EditorPopover::detached, [&](QWidget *window) { torn = window; });
    QObject::connect(popover, &EditorPopover::closed, [&] { closed = true; });
    const QPoint start = popover->pos();
    dragPopover(popover, atLabel, QPoint(far, far));
    ASSERT_NE(torn, nullptr);
    EXPECT_TRUE(torn->isVisible());
    EXPECT_TRUE(torn->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(torn->window(), torn);
    EXPECT_EQ(torn->findChild<QLabel *>()->text(), u"Ann Lee"_s);
    // It tore off at the first move, half way: the grabbed point stays under the pointer.
    EXPECT_EQ(torn->pos(), start + QPoint(far, far) / 2);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));
    delete torn;

    // A pop-up that may not be torn off stays put however far it is dragged.
    popover = makePopover(false);
    dragPopover(popover, popover->content()->geometry().center(), QPoint(far, far));
    EXPECT_TRUE(popover->isVisible());
    EXPECT_EQ(popover->content()->window(), popover.data()); // still the pop-up's own content
    popover->close();
}

} // namespace
