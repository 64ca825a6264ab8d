// The item model answers what a table view and its delegates ask, cell by cell.

#include "HubTestSupport.h"
#include "document/ContactTransfer.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QBuffer>
#include <QImage>
#include <QMimeData>
#include <QSize>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Role = ContactTableModel::Role;

namespace {

QByteArray pngOf(const QColor &color)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

class ContactTableModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        t.open(TestHub::card(u"Ann"_s,
                   u"ORG:Acme\r\nTEL;TYPE=HOME:03 1234\r\nTEL;TYPE=WORK:03 5678\r\n"
                   "NOTE:a long note about Kyoto and Kobe\r\n"_s)
                + TestHub::card(u"Bob"_s, u"TEL;TYPE=CELL:090\r\n"_s),
            { Ident::Company, Ident::Phone, Ident::Note });
        ASSERT_EQ(model.columnCount(), 5); // Sender, Name, Company, Phone, Note
        ASSERT_EQ(model.rowCount(), 4); // Ann's two rows, Bob's, the summary
    }
    QVariant at(int row, int column, int role = Qt::DisplayRole) const
    {
        return model.data(model.index(row, column), role);
    }

    TestHub t;
    ContactTableModel &model = t.hub.tableModel();
};

} // namespace

TEST_F(ContactTableModelTest, TextCheckBoxesAndTheSummaryRow)
{
    EXPECT_EQ(at(0, 1).toString(), u"Ann"_s);
    EXPECT_TRUE(at(0, 1, Role::BoldRole).toBool());
    EXPECT_TRUE(at(1, 1).toString().isEmpty()) << "the name shows on the first row only";
    EXPECT_FALSE(at(1, 1, Role::FirstRowOfContactRole).toBool());
    EXPECT_TRUE(at(2, 1, Role::FirstRowOfContactRole).toBool());
    // The sender box has no text; company shows its box beside a text only.
    EXPECT_FALSE(at(0, 0).isValid());
    EXPECT_EQ(at(0, 0, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(at(0, 2, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_FALSE(at(2, 2, Qt::CheckStateRole).isValid()) << "Bob has no company";
    EXPECT_EQ(at(0, 0, Role::CellKindRole).toInt(), int(ContactCell::Kind::Checkbox));
    EXPECT_EQ(at(0, 1, Role::CellKindRole).toInt(), int(ContactCell::Kind::ImageAndText));
    EXPECT_EQ(at(0, 3, Role::CellKindRole).toInt(), int(ContactCell::Kind::PopupAndText));
    EXPECT_EQ(at(0, 4, Role::CellKindRole).toInt(), int(ContactCell::Kind::Text));

    EXPECT_TRUE(at(3, 2, Role::SummaryRowRole).toBool());
    EXPECT_EQ(at(3, 0).toString(), u"All Contacts: total 2 contacts"_s);
    EXPECT_EQ(model.flags(model.index(3, 1)), Qt::ItemIsEnabled);
    EXPECT_EQ(
        model.headerData(3, Qt::Horizontal).toString(), ZRPerson::localizedIdentifierForKey(Ident::Phone));
    EXPECT_TRUE(model.headerData(0, Qt::Horizontal).toString().isEmpty());
}

TEST_F(ContactTableModelTest, LabelCellsCarryTheirLabelsAndEditTheValuesOwnText)
{
    EXPECT_EQ(at(1, 3).toString(), t.entry(0)->person->stringValueForIdentifierAtLabelIndex(Ident::Phone, 1));
    EXPECT_EQ(at(1, 3, Qt::EditRole).toString(), u"03 5678"_s);
    EXPECT_EQ(at(1, 3, Role::LabelRole).toString(), u"work"_s);
    const QStringList labels = at(1, 3, Role::LabelListRole).toStringList();
    EXPECT_TRUE(labels.contains(u"mobile"_s));
    EXPECT_EQ(at(1, 3, Role::LocalizedLabelListRole).toStringList().size(), labels.size());
    EXPECT_EQ(labels.value(at(1, 3, Role::CurrentLabelRole).toInt()), u"work"_s);
    EXPECT_EQ(at(1, 3, Role::LabelIndexRole).toLongLong(), 1);
    EXPECT_EQ(at(1, 4, Role::LabelIndexRole).toLongLong(), -1) << "not a label cell";

    // Choosing a label for one row; for several, only after the question is answered.
    t.hub.setSelectedRows({ 0, 2 });
    EXPECT_FALSE(model.setData(model.index(0, 3), u"pager"_s, Role::LabelRole)) << "nobody to ask";
    int asked = 0;
    model.setConfirm([&](const QString &question) {
        ++asked;
        return question.contains(u"same label"_s);
    });
    EXPECT_TRUE(model.setData(model.index(0, 3), u"pager"_s, Role::LabelRole));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(at(0, 3, Role::LabelRole).toString(), u"pager"_s);
    EXPECT_EQ(at(2, 3, Role::LabelRole).toString(), u"pager"_s);
    EXPECT_EQ(t.hub.undoManager().undoCount(), 1);
}

TEST_F(ContactTableModelTest, EditsGoThroughTheControllerAndLockingStopsThem)
{
    EXPECT_TRUE(model.flags(model.index(0, 4)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable) << "names use their editor";
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(model.setData(model.index(2, 4), u"note"_s));
    EXPECT_EQ(at(2, 4).toString(), u"note"_s);
    EXPECT_FALSE(model.setData(model.index(2, 4), u"note"_s)) << "no change, nothing registered";
    EXPECT_TRUE(model.setData(model.index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(at(2, 0, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(t.hub.undoManager().undoCount(), 2);

    t.hub.setEditState(false);
    EXPECT_FALSE(model.flags(model.index(0, 4)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.setData(model.index(0, 4), u"locked"_s));
}

TEST_F(ContactTableModelTest, ThumbnailsSizesAndCutOffTexts)
{
    // A record without a photo shows its placeholder; a new photo shows at once, and undo brings back
    // the old one.
    const QImage placeholder = at(0, 1, Qt::DecorationRole).value<QImage>();
    EXPECT_FALSE(placeholder.isNull());
    EXPECT_FALSE(at(1, 1, Qt::DecorationRole).isValid()) << "continuation rows show no image";
    t.controller().undoReplaceValue(pngOf(Qt::red), Ident::Photo, t.entry(0));
    EXPECT_EQ(at(0, 1, Qt::DecorationRole).value<QImage>().pixelColor(1, 1), QColor(Qt::red));
    t.hub.undo();
    EXPECT_EQ(at(0, 1, Qt::DecorationRole).value<QImage>(), placeholder);

    // Heights from the row's lines; widths as the view reported them.
    model.setColumnWidth(4, 150);
    EXPECT_EQ(at(0, 4, Qt::SizeHintRole).toSize(), QSize(150, 24));
    EXPECT_EQ(at(0, 4, Role::LineCountRole).toInt(), 1);
    // The note is about 200 wide in the estimate: cut off at 150, whole at 400.
    EXPECT_EQ(at(0, 4, Qt::ToolTipRole).toString(), u"a long note about Kyoto and Kobe"_s);
    model.setColumnWidth(4, 400);
    EXPECT_FALSE(at(0, 4, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(at(2, 1, Qt::ToolTipRole).isValid()) << "no width reported, nothing cut off";
}

TEST_F(ContactTableModelTest, FindHighlightsEveryOccurrenceAndTheCurrentHit)
{
    ContactsViewController &table = t.table();
    table.setFindString(u"k"_s, false);
    CellHighlights note = at(0, 4, Role::HighlightRole).value<CellHighlights>();
    EXPECT_EQ(note.occurrences, (QList<TextSpan> { { 18, 1 }, { 28, 1 } }));
    EXPECT_FALSE(note.current);
    EXPECT_TRUE(at(0, 3, Role::HighlightRole).value<CellHighlights>().isEmpty());

    // The hit names the record, the column and the value's position.
    table.selectItemAndRange(FindHit { t.entry(0)->uniqueId, Ident::Note, 0, { 28, 4 } });
    note = at(0, 4, Role::HighlightRole).value<CellHighlights>();
    ASSERT_TRUE(note.current);
    EXPECT_EQ(*note.current, (TextSpan { 28, 4 }));
    EXPECT_EQ(table.selectedRows(), QList<int> { 0 });
    EXPECT_FALSE(at(2, 4, Role::HighlightRole).value<CellHighlights>().current);

    // Case matters only when asked for; no hit clears the current one and keeps the selection.
    table.setFindString(u"k"_s, true);
    EXPECT_TRUE(at(0, 4, Role::HighlightRole).value<CellHighlights>().occurrences.isEmpty());
    table.selectItemAndRange(std::nullopt);
    EXPECT_FALSE(at(0, 4, Role::HighlightRole).value<CellHighlights>().current);
    EXPECT_EQ(table.selectedRows(), QList<int> { 0 });
}

TEST_F(ContactTableModelTest, DraggedRowsCarryTheirIndexesUnderTheOneRowIndexType)
{
    std::unique_ptr<QMimeData> data(
        model.mimeData({ model.index(2, 1), model.index(0, 1), model.index(0, 3) }));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(ContactTransfer::RowIndexesMimeType), QByteArray("0,2"));
    EXPECT_TRUE(model.mimeTypes().contains(ContactTransfer::RowIndexesMimeType));
    EXPECT_EQ(model.mimeData({ model.index(3, 0) }), nullptr) << "the summary row is not a contact";
}
