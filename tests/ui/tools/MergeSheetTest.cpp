#include "ui/tools/MergeSheet.h"

#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/UiTestSupport.h"
#include "ui/editors/AddressEditor.h"
#include "ui/editors/EditorPopover.h"
#include "ui/info/ContactInfoView.h"
#include "ui/tools/FieldIcons.h"
#include "ui/tools/MergeTableModel.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Side = MergePanelController::Side;

namespace {

struct MergeFixture
{
    MergeFixture()
    {
        hub.open(TestHub::card(u"Ann"_s, u"TEL;TYPE=HOME:03-1111-2222\r\nORG:Acme;\r\n"_s)
                + TestHub::card(u"Bob"_s, u"EMAIL:bob@example.com\r\n"_s) + TestHub::card(u"Cy"_s),
            { Ident::Phone, Ident::Email });
        hub.hub.setEditState(true);
    }
    int rowOf(MergeSheet &sheet, Side side, const QString &type, bool adding = false) const
    {
        const MergeRows &rows = sheet.controller().table(side);
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).type == type && rows.at(i).isAddingRow() == adding)
                return i;
        }
        return -1;
    }
    // Drags a row of one table onto a row of the other through the item models, as the views do.
    bool drag(
        MergeSheet &sheet, Side from, int row, Side to, int onto, Qt::DropAction action = Qt::MoveAction)
    {
        MergeTableModel *source = sheet.model(from);
        MergeTableModel *target = sheet.model(to);
        std::unique_ptr<QMimeData> data(
            source->mimeData({ source->index(row, MergeTableModel::ValueColumn) }));
        if (!data)
            return false;
        const QModelIndex parent = target->index(onto, MergeTableModel::ValueColumn);
        if (!target->canDropMimeData(data.get(), action, -1, -1, parent))
            return false;
        target->dropMimeData(data.get(), action, -1, -1, parent);
        return true;
    }
    QStringList phones(int contact) const
    {
        QStringList out;
        for (const QVariant &v : hub.entry(contact)->person->phoneValues())
            out << v.toMap().value(Key::Value).toString();
        return out;
    }

    TestHub hub;
    QWidget window;
};

} // namespace

TEST(MergeSheetTest, DragRowsUndoInTheSheetConfirmAndUndoInTheWindow)
{
    MergeFixture f;
    f.hub.hub.setSelectedRows({ 0, 1, 2 }); // three contacts: the first two take part
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(MergeSheet::isOpenFor(&f.window));
    EXPECT_EQ(sheet->controller().contact(Side::Right)->person->compositeName(), u"Bob"_s);

    // Ann's phone moves onto Bob's adding row; a phone refuses to land on an e-mail row.
    const int phone = f.rowOf(*sheet, Side::Left, Ident::Phone);
    EXPECT_FALSE(f.drag(*sheet, Side::Left, phone, Side::Right, f.rowOf(*sheet, Side::Right, Ident::Email)));
    ASSERT_TRUE(
        f.drag(*sheet, Side::Left, phone, Side::Right, f.rowOf(*sheet, Side::Right, Ident::Phone, true)));
    EXPECT_TRUE(sheet->controller().contact(Side::Left)->person->phoneValues().isEmpty());
    EXPECT_EQ(sheet->controller().contact(Side::Right)->person->phoneValues().size(), 1);
    // The company is copied (Alt), not moved.
    ASSERT_TRUE(f.drag(*sheet, Side::Left, f.rowOf(*sheet, Side::Left, Ident::Company), Side::Right,
        f.rowOf(*sheet, Side::Right, Ident::Company), Qt::CopyAction));
    EXPECT_EQ(sheet->controller().changeCount(), 2);

    // One undo in the sheet takes back the copy only.
    sheet->undoAction()->trigger();
    EXPECT_EQ(sheet->controller().changeCount(), 1);
    EXPECT_TRUE(sheet->controller()
                    .contact(Side::Right)
                    ->person->valueForIdentifier(Ident::Company)
                    .toString()
                    .isEmpty());
    // The document is untouched until confirmed.
    EXPECT_EQ(f.phones(0), QStringList { u"03-1111-2222"_s });

    sheet->confirm();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(f.phones(0).isEmpty());
    EXPECT_EQ(f.phones(1), QStringList { u"03-1111-2222"_s });
    EXPECT_EQ(f.hub.hub.undoManager().undoCount(), 1);
    EXPECT_TRUE(f.hub.hub.isDocumentEdited());

    f.hub.hub.undo();
    EXPECT_EQ(f.phones(0), QStringList { u"03-1111-2222"_s });
    EXPECT_TRUE(f.phones(1).isEmpty());
}

TEST(MergeSheetTest, AMovedPhotoLeavesTheSourceContactOnConfirming)
{
    MergeFixture f;
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    f.hub.entry(0)->person->setImageData(png);
    f.hub.hub.setSelectedRows({ 0, 1 });
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(f.drag(*sheet, Side::Left, f.rowOf(*sheet, Side::Left, Ident::Photo), Side::Right,
        f.rowOf(*sheet, Side::Right, Ident::Photo)));
    sheet->confirm();
    EXPECT_TRUE(f.hub.entry(0)->person->imageData().isEmpty());
    EXPECT_FALSE(f.hub.entry(1)->person->imageData().isEmpty());
    f.hub.hub.undo();
    EXPECT_EQ(f.hub.entry(0)->person->imageData(), png);
    EXPECT_TRUE(f.hub.entry(1)->person->imageData().isEmpty());
}

TEST(MergeSheetTest, EditingInPlaceLockingAndTheCommandsRules)
{
    MergeFixture f;
    f.hub.hub.setSelectedRows({ 0 });
    EXPECT_EQ(MergeSheet::open(&f.window, f.hub.hub), nullptr); // one contact: nothing to merge

    f.hub.hub.setEditState(false);
    f.hub.hub.setSelectedRows({ 0, 1 });
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    MergeTableModel *right = sheet->model(Side::Right);
    const QModelIndex company
        = right->index(f.rowOf(*sheet, Side::Right, Ident::Company), MergeTableModel::ValueColumn);
    EXPECT_FALSE(right->flags(company).testFlag(Qt::ItemIsEditable)); // locked
    sheet->setEditing(true);
    ASSERT_TRUE(right->flags(company).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(right->setData(company, u"Bob & Co"_s, Qt::EditRole));
    EXPECT_EQ(sheet->controller().changeCount(), 1);
    sheet->setEditing(false); // refused while there are changes
    EXPECT_TRUE(sheet->controller().look().editable);

    // The command again closes the open sheet without touching the document.
    EXPECT_EQ(MergeSheet::open(&f.window, f.hub.hub), nullptr);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(f.hub.hub.isDocumentEdited());
}

TEST(MergeSheetTest, FieldEditorsEditTheWorkingCopyAsStepsOfTheSheetsUndo)
{
    MergeFixture f;
    f.hub.hub.setSelectedRows({ 0, 1 });
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    // Typed in place, not through an editor: the company; the address's adding row opens the editor.
    EXPECT_EQ(sheet->openFieldEditor(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Company)), nullptr);
    QPointer<EditorPopover> popover
        = sheet->openFieldEditor(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Address, true));
    ASSERT_FALSE(popover.isNull());
    auto *editor = qobject_cast<AddressEditor *>(popover->content());
    ASSERT_NE(editor, nullptr);
    editor->setPartText(Ident::Street, u"1 Elm St"_s);
    QTest::mouseClick(editor->confirmButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));

    const auto leftAddresses
        = [&] { return *sheet->controller().contact(Side::Left)->person->labeledValues(Ident::Address); };
    ASSERT_EQ(leftAddresses().size(), 1);
    EXPECT_EQ(leftAddresses().at(0).toMap().value(Ident::Street).toString(), u"1 Elm St"_s);
    EXPECT_EQ(sheet->controller().changeCount(), 1);
    EXPECT_GE(f.rowOf(*sheet, Side::Left, Ident::Address), 0) << "the table shows the new entry";
    EXPECT_TRUE(f.hub.entry(0)->person->labeledValues(Ident::Address)->isEmpty()) << "not yet confirmed";

    // The editor opened on that entry replaces it; the sheet's undo takes the steps back one by one.
    popover = sheet->openFieldEditor(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Address));
    ASSERT_FALSE(popover.isNull());
    editor = qobject_cast<AddressEditor *>(popover->content());
    editor->setPartText(Ident::Street, u"2 Oak Ave"_s);
    QTest::mouseClick(editor->confirmButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));
    ASSERT_EQ(leftAddresses().size(), 1);
    EXPECT_EQ(leftAddresses().at(0).toMap().value(Ident::Street).toString(), u"2 Oak Ave"_s);
    EXPECT_EQ(sheet->controller().changeCount(), 2);
    sheet->undoAction()->trigger();
    EXPECT_EQ(leftAddresses().at(0).toMap().value(Ident::Street).toString(), u"1 Elm St"_s);

    // Cancelling an editor changes nothing.
    popover = sheet->openFieldEditor(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Address));
    editor = qobject_cast<AddressEditor *>(popover->content());
    editor->setPartText(Ident::Street, u"nowhere"_s);
    QTest::mouseClick(editor->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return popover.isNull(); }, 2000));
    EXPECT_EQ(leftAddresses().at(0).toMap().value(Ident::Street).toString(), u"1 Elm St"_s);
    EXPECT_EQ(sheet->controller().changeCount(), 1);

    sheet->confirm();
    const QVariantList stored = *f.hub.entry(0)->person->labeledValues(Ident::Address);
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.at(0).toMap().value(Ident::Street).toString(), u"1 Elm St"_s);

    // A locked sheet opens no editor.
    f.hub.hub.setEditState(false);
    sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->openFieldEditor(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Address)), nullptr);
    sheet->reject();
}

TEST(MergeSheetTest, ImagesDroppedOnTheImageWellBecomeThePhotoAndOtherFilesAreRefused)
{
    MergeFixture f;
    QTemporaryDir dir;
    QImage red(6, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString png = dir.filePath(u"face.png"_s);
    ASSERT_TRUE(red.save(png));
    const QString text = UiTestSupport::writeFile(dir, u"notes.txt"_s, "not a picture");
    f.hub.hub.setSelectedRows({ 0, 1 });
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    const auto dropOn = [&](Side side, int row, QMimeData *data) {
        MergeTableModel *model = sheet->model(side);
        const QModelIndex parent = model->index(row, MergeTableModel::ValueColumn);
        if (!model->canDropMimeData(data, Qt::CopyAction, -1, -1, parent))
            return false;
        model->dropMimeData(data, Qt::CopyAction, -1, -1, parent);
        return true;
    };
    const auto photo
        = [&](Side side) { return QImage::fromData(sheet->controller().contact(side)->person->imageData()); };

    // A file from outside onto the right photo; image data onto the left one.
    QMimeData file;
    file.setUrls({ QUrl::fromLocalFile(png) });
    EXPECT_FALSE(dropOn(Side::Right, f.rowOf(*sheet, Side::Right, Ident::Company), &file));
    ASSERT_TRUE(dropOn(Side::Right, f.rowOf(*sheet, Side::Right, Ident::Photo), &file));
    EXPECT_EQ(photo(Side::Right).size(), QSize(6, 4));
    QMimeData image;
    image.setImageData(red);
    ASSERT_TRUE(dropOn(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Photo), &image));
    EXPECT_EQ(photo(Side::Left).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(sheet->controller().changeCount(), 2);
    sheet->undoAction()->trigger();
    EXPECT_TRUE(photo(Side::Left).isNull());

    // A file that is not an image: a message names it, and nothing changes.
    QMimeData notImage;
    notImage.setUrls({ QUrl::fromLocalFile(text) });
    ASSERT_TRUE(dropOn(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Photo), &notImage));
    QMessageBox *box = UiTestSupport::waitForMessage(ContactInfoView::notAnImageMessage(u"notes.txt"_s));
    ASSERT_NE(box, nullptr);
    box->accept();
    EXPECT_TRUE(photo(Side::Left).isNull());
    EXPECT_EQ(sheet->controller().changeCount(), 1);

    sheet->confirm();
    EXPECT_EQ(QImage::fromData(f.hub.entry(1)->person->imageData()).size(), QSize(6, 4));

    // A locked sheet takes no drops.
    f.hub.hub.setEditState(false);
    sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    EXPECT_FALSE(dropOn(Side::Left, f.rowOf(*sheet, Side::Left, Ident::Photo), &file));
    sheet->reject();
}

TEST(MergeSheetTest, EveryRowTypeHasItsIconAndTheNameRowsTheirTitles)
{
    for (const QString &type : MergeTable::fieldOrder())
        EXPECT_FALSE(FieldIcons::icon(type).isNull()) << type.toStdString();
    MergeFixture f;
    f.hub.hub.setSelectedRows({ 0, 1 });
    MergeSheet *sheet = MergeSheet::open(&f.window, f.hub.hub);
    ASSERT_NE(sheet, nullptr);
    MergeTableModel *left = sheet->model(Side::Left);
    const int ordering = f.rowOf(*sheet, Side::Left, MergeText::NameOrdering);
    EXPECT_EQ(left->index(ordering, MergeTableModel::TypeColumn).data().toString(), u"Name Ordering"_s);
    const int name = f.rowOf(*sheet, Side::Left, Ident::Name);
    EXPECT_FALSE(left->index(name, MergeTableModel::TypeColumn).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(left->index(name + 1, MergeTableModel::TypeColumn).data(Qt::DecorationRole).isNull())
        << "only the first row of a field shows its icon";
    sheet->reject();
}
