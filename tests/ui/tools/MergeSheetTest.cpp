#include "ui/tools/MergeSheet.h"

#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/tools/MergeTableModel.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QTableView>
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
