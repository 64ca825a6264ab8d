#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/info/ContactInfoModel.h"
#include "ui/info/ContactInfoPanels.h"
#include "ui/info/ContactInfoView.h"
#include "ui/info/SimpleInfoSheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ContactInfoPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        hub.open(
            TestHub::card(u"Ann Lee"_s,
                u"TEL;TYPE=HOME:111\r\nTEL;TYPE=WORK:222\r\nADR;TYPE=HOME:;;1 Elm St;Springfield;IL;62701;USA\r\n"_s)
            + TestHub::card(u"Bob Ray"_s));
        hub.hub.setEditState(true);
        ann = hub.entry(0);
    }

    static int rowOf(ContactInfoView *panel, const QString &type, int nth = 0)
    {
        const QList<InfoRow> &rows = panel->model()->rows();
        for (int r = 0; r < rows.size(); ++r) {
            if (rows.at(r).type == type && nth-- == 0)
                return r;
        }
        return -1;
    }

    // Types into the row's value cell and presses Return, as a person does.
    static void typeInto(ContactInfoView *panel, int row, const QString &text)
    {
        // Editors of earlier edits are deleted first, so the one found is this edit's.
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTableView *table = panel->tableView();
        const QModelIndex index = panel->model()->index(row, ContactInfoModel::ValueColumn);
        table->setCurrentIndex(index);
        table->edit(index);
        auto *line = table->findChild<QLineEdit *>();
        ASSERT_TRUE(line);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();
    }

    TestHub hub;
    ContactEntryPtr ann;
};

TEST_F(ContactInfoPanelTest, ThePaneFollowsTheSelectionAndTypingIsOneUndoStep)
{
    std::unique_ptr<ContactInfoView> pane(ContactInfoPanels::makePane(hub.hub, nullptr));
    pane->show();
    hub.controller().rowSelectionDidChange({ ann });
    ASSERT_EQ(pane->contact(), ann);
    EXPECT_EQ(rowOf(pane.get(), Ident::Phone, 1) - rowOf(pane.get(), Ident::Phone), 1);
    typeInto(pane.get(), rowOf(pane.get(), Ident::Phone, 1), u"333"_s);
    EXPECT_EQ(
        ann->person->labeledValueForIdentifierAtIndex(Ident::Phone, 1).toMap().value(Key::Value), u"333"_s);
    typeInto(pane.get(), rowOf(pane.get(), Ident::Company), u"Acme"_s);
    EXPECT_EQ(ann->person->valueForIdentifier(Ident::Company).toString(), u"Acme"_s);
    EXPECT_EQ(hub.hub.undoManager().undoCount(), 2);
    hub.hub.undo();
    QApplication::processEvents();
    EXPECT_EQ(
        pane->model()->data(pane->model()->index(rowOf(pane.get(), Ident::Company), 1)).toString(), u""_s);

    // Locked, nothing is editable.
    hub.hub.setEditState(false);
    EXPECT_FALSE(pane->model()->flags(pane->model()->index(rowOf(pane.get(), Ident::Company), 1))
        & Qt::ItemIsEditable);
}

TEST_F(ContactInfoPanelTest, DoubleClickOpensTheFieldsEditorAndContextMenuAddsItems)
{
    std::unique_ptr<ContactInfoView> panel(ContactInfoPanels::makePanel(hub.hub));
    panel->setContact(ann);
    panel->show();
    QPointer<EditorPopover> popover = panel->openEditorForRow(rowOf(panel.get(), Ident::Address));
    ASSERT_TRUE(popover);
    auto *editor = qobject_cast<AddressEditor *>(popover->content());
    ASSERT_TRUE(editor);
    editor->setPartText(Ident::City, u"Shelbyville"_s);
    editor->fieldChanged();
    QTest::mouseClick(editor->confirmButton(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));
    EXPECT_EQ(ann->person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap().value(Ident::City),
        u"Shelbyville"_s);

    std::unique_ptr<QMenu> menu(panel->menuForRow(rowOf(panel.get(), Ident::Phone), nullptr));
    QStringList titles;
    for (QAction *action : menu->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList { u"Call Phone"_s, u"Add/Delete Phone Item"_s }));
    panel->insertItem(rowOf(panel.get(), Ident::Phone));
    EXPECT_EQ(ann->person->labeledValues(Ident::Phone)->size(), 3);
    EXPECT_EQ(hub.hub.undoManager().undoCount(), 2);
}

TEST_F(ContactInfoPanelTest, AfterDeletingTheFirstPhoneTheOtherIsEditedAndDeleted)
{
    std::unique_ptr<ContactInfoView> pane(ContactInfoPanels::makePane(hub.hub, nullptr));
    pane->show();
    hub.controller().rowSelectionDidChange({ ann });
    pane->deleteItem(rowOf(pane.get(), Ident::Phone));
    QApplication::processEvents();
    ASSERT_EQ(ann->person->labeledValues(Ident::Phone)->size(), 1);
    ASSERT_EQ(rowOf(pane.get(), Ident::Phone, 1), -1) << "one phone row is left";
    const int phone = rowOf(pane.get(), Ident::Phone);
    EXPECT_EQ(
        pane->model()->data(pane->model()->index(phone, ContactInfoModel::ValueColumn)).toString(), u"222"_s);

    typeInto(pane.get(), phone, u"333"_s);
    EXPECT_EQ(
        ann->person->labeledValueForIdentifierAtIndex(Ident::Phone, 0).toMap().value(Key::Value), u"333"_s);
    pane->deleteItem(rowOf(pane.get(), Ident::Phone));
    QApplication::processEvents();
    EXPECT_TRUE(ann->person->labeledValues(Ident::Phone)->isEmpty());
    EXPECT_EQ(hub.hub.undoManager().undoCount(), 3);
}

TEST_F(ContactInfoPanelTest, ADetachedWindowEditsAndClosesWhenItsContactIsDeleted)
{
    QPointer<EditorPopover> popover
        = ContactInfoPanels::openPopover(hub.hub, ann, QRect(50, 50, 100, 20), nullptr);
    ASSERT_TRUE(popover);
    QPointer<QWidget> window = popover->detach();
    ASSERT_TRUE(window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));
    EXPECT_EQ(window->windowTitle(), ann->person->compositeName());
    ContactInfoView *panel = ContactInfoPanels::panelOf(window);
    ASSERT_TRUE(panel);
    typeInto(panel, rowOf(panel, Ident::Nickname), u"Annie"_s);
    EXPECT_EQ(ann->person->valueForIdentifier(Ident::Nickname).toString(), u"Annie"_s);

    // It follows its contact when the table edits it.
    hub.controller().undoReplaceValue(u"Lee Inc."_s, Ident::Company, ann);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return panel->model()->data(panel->model()->index(rowOf(panel, Ident::Company), 1)).toString()
                == u"Lee Inc."_s;
        },
        2000));

    hub.controller().deleteContacts({ ann });
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull() || !window->isVisible(); }, 2000));
}

// The table opens the popover for one of its rows, which are built for the view and never marked
// deleted themselves: the popover must still see its contact go, whichever way it goes.
TEST_F(ContactInfoPanelTest, APopoverOpenedFromATableRowClosesWhenItsContactGoes)
{
    QWidget owner;
    owner.show();
    const auto tableRowOf = [&](const ContactEntryPtr &entry) -> ContactEntryPtr {
        for (const ContactEntryPtr &row : hub.hub.table().subContactTable()) {
            if (row->person == entry->person)
                return row;
        }
        return nullptr;
    };
    const auto open = [&](const ContactEntryPtr &row) {
        return QPointer<EditorPopover>(
            ContactInfoPanels::openPopover(hub.hub, row, QRect(50, 50, 100, 20), &owner));
    };
    const auto closes = [](const QPointer<EditorPopover> &popover) {
        return QTest::qWaitFor([&] { return popover.isNull() || popover->isHidden(); }, 2000);
    };

    const ContactEntryPtr annRow = tableRowOf(ann);
    ASSERT_TRUE(annRow);
    ASSERT_NE(annRow, ann);
    QPointer<EditorPopover> popover = open(annRow);
    ASSERT_TRUE(popover && popover->isVisible());
    // Another contact going leaves it open.
    hub.controller().deleteContacts({ hub.entry(1) });
    QApplication::processEvents();
    EXPECT_TRUE(popover && popover->isVisible());
    hub.controller().deleteContacts({ ann });
    EXPECT_TRUE(closes(popover));

    // A contact added, shown, and taken away again by undoing the addition.
    auto kato = std::make_shared<ContactEntry>();
    kato->person = ZRPerson::create();
    ASSERT_TRUE(hub.controller().addContact(kato));
    const ContactEntryPtr katoRow = tableRowOf(kato);
    ASSERT_TRUE(katoRow);
    popover = open(katoRow);
    ASSERT_TRUE(popover && popover->isVisible());
    hub.hub.undo();
    EXPECT_TRUE(closes(popover));
}

TEST_F(ContactInfoPanelTest, AFileThatIsNotAnImageIsRefusedWithAMessage)
{
    std::unique_ptr<ContactInfoView> panel(ContactInfoPanels::makePanel(hub.hub));
    panel->setContact(ann);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"notes.png"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text, not a picture");
    file.close();
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(panel->setImageFromFile(path));
    EXPECT_EQ(shown, ContactInfoView::notAnImageMessage(u"notes.png"_s));
    EXPECT_EQ(hub.hub.undoManager().undoCount(), 0);

    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString picture = dir.filePath(u"red.png"_s);
    ASSERT_TRUE(image.save(picture));
    EXPECT_TRUE(panel->setImageFromFile(picture));
    EXPECT_FALSE(ann->person->imageData().isEmpty());
}

TEST_F(ContactInfoPanelTest, ReorderingRowsIsStored)
{
    std::unique_ptr<ContactInfoView> panel(ContactInfoPanels::makePanel(hub.hub));
    panel->setContact(ann);
    panel->moveRowField(rowOf(panel.get(), Ident::Email), rowOf(panel.get(), Ident::Name));
    EXPECT_EQ(panel->model()->rows().first().type, Ident::Email);
    EXPECT_EQ(hub.defaults.lastRowOrder().first(), Ident::Email);

    // The read-only panel (the import sheet's) edits nothing.
    std::unique_ptr<ContactInfoView> readOnly(ContactInfoPanels::makeReadOnlyPanel(nullptr));
    readOnly->setContact(ann);
    readOnly->setEditable(true);
    EXPECT_FALSE(readOnly->isEditable());
    EXPECT_GT(readOnly->model()->rowCount(), 20);
}

TEST_F(ContactInfoPanelTest, TheSimpleSheetsChangeOrAddAContactInOneStep)
{
    // Ann has two addresses; the sheet shows the first and keeps the second.
    hub.controller().undoAddLabeledValue(
        QVariantMap { { Key::Label, u"work"_s }, { Ident::City, u"Capital"_s } }, Ident::Address, ann);
    const int before = hub.hub.undoManager().undoCount();
    QPointer<SimpleInfoSheet> sheet = SimpleInfoSheet::showContact(hub.hub, ann, nullptr);
    EXPECT_EQ(sheet->field(Ident::City)->text(), u"Springfield"_s);
    sheet->field(Ident::FirstName)->setText(u"Anne"_s);
    sheet->field(Ident::City)->setText(u"Shelbyville"_s);
    sheet->jointNamesField()->setPlainText(u"Hanako\n\nTaro"_s);
    sheet->accept();
    EXPECT_EQ(ann->person->nameValue().value(Ident::FirstName).toString(), u"Anne"_s);
    EXPECT_EQ(ann->person->valueForIdentifier(Ident::Renmei).toString(), u"Hanako\nTaro"_s);
    ASSERT_EQ(ann->person->labeledValues(Ident::Address)->size(), 2);
    EXPECT_EQ(ann->person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap().value(Ident::City),
        u"Shelbyville"_s);
    EXPECT_EQ(ann->person->labeledValueForIdentifierAtIndex(Ident::Address, 1).toMap().value(Ident::City),
        u"Capital"_s);
    EXPECT_EQ(hub.hub.undoManager().undoCount(), before + 1);

    // Locked, the sheet only shows.
    hub.hub.setEditState(false);
    sheet = SimpleInfoSheet::showContact(hub.hub, ann, nullptr);
    EXPECT_TRUE(sheet->field(Ident::FirstName)->isReadOnly());
    sheet->reject();

    hub.hub.setEditState(true);
    const qsizetype rows = hub.top()->contactTable->size();
    sheet = SimpleInfoSheet::addContact(hub.hub, nullptr);
    sheet->field(Ident::LastName)->setText(u"Kato"_s);
    sheet->accept();
    ASSERT_EQ(hub.top()->contactTable->size(), rows + 1);
    EXPECT_EQ(hub.top()->contactTable->last()->person->compositeName(), u"Kato"_s);
    EXPECT_TRUE(hub.top()->contactTable->last()->person->labeledValues(Ident::Address)->isEmpty());
}

} // namespace
