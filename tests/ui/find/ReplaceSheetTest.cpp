// The context menu's replace sheet and the delete question, over a document window's table.

#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/table/ItemOperationDialog.h"
#include "ui/window/WindowTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;
using namespace WindowTestSupport;

namespace {

class ReplaceSheetTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = openWindow(writeFile(dir, u"phones.vcf"_s,
            card(u"Ann Able"_s, u"TEL;TYPE=HOME:555-0100\r\nTEL;TYPE=WORK:0200\r\n"_s).toUtf8()));
        ASSERT_TRUE(window);
        QStringList columns = window->hub().table().columns();
        if (!columns.contains(Ident::Phone))
            window->hub().setColumns(columns << Ident::Phone);
        phoneColumn = int(window->hub().table().columns().indexOf(Ident::Phone));
    }
    // Chooses the context menu entry of the first phone cell.
    void runEntry(const QString &title)
    {
        std::unique_ptr<QMenu> menu(window->tableView()->contextMenuForCell(0, phoneColumn));
        ASSERT_TRUE(menu);
        for (QAction *action : menu->actions()) {
            if (action->text() == title) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no entry " << title.toStdString();
    }
    QString phone(qsizetype index) const
    {
        return window->hub().table().contactTable().first()->person->stringValueForIdentifierAtLabelIndex(
            Ident::Phone, index);
    }
    QVariantMap phoneEntry(qsizetype index) const
    {
        return window->hub()
            .table()
            .contactTable()
            .first()
            ->person->valueForIdentifier(Ident::Phone)
            .toList()
            .value(int(index))
            .toMap();
    }

    DocumentWindow *window = nullptr;
    int phoneColumn = -1;
};

} // namespace

TEST_F(ReplaceSheetTest, ReplaceLabelAndTextOffersTheLabelsAndStoresTheChosenOne)
{
    window->tableView()->selectRow(0);
    runEntry(u"Replace Label and Text"_s);
    auto *sheet = waitForWindow<ItemOperationDialog>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->findChild<QLabel *>(u"replaceSheetMessage"_s)->text(),
        u"In order to replace the label and text Phone"_s);
    auto *column = sheet->findChild<QComboBox *>(u"replaceSheetColumn"_s);
    EXPECT_EQ(column->currentText(), ZRPerson::localizedIdentifierForKey(Ident::Phone));
    auto *label = sheet->findChild<QComboBox *>(u"replaceSheetLabel"_s);
    ASSERT_TRUE(label->isEnabled());
    EXPECT_EQ(label->currentData().toString(), u"home"_s) << "the row's label is chosen";
    EXPECT_EQ(label->findData(u"All"_s), -1);
    label->setCurrentIndex(label->findData(u"work"_s));
    auto *text = sheet->findChild<QLineEdit *>(u"replaceSheetText"_s);
    EXPECT_EQ(text->text(), u"555-0100"_s);
    text->setText(u"777"_s);
    sheet->accept();
    EXPECT_EQ(phone(0), u"777"_s);
    EXPECT_EQ(phoneEntry(0).value(Key::Label).toString(), u"work"_s);
}

TEST_F(ReplaceSheetTest, TextModesKeepTheLabelAndPrependAddsBeforeTheText)
{
    window->tableView()->selectRow(0);
    runEntry(u"Replace Text"_s);
    auto *sheet = waitForWindow<ItemOperationDialog>();
    ASSERT_TRUE(sheet);
    auto *label = sheet->findChild<QComboBox *>(u"replaceSheetLabel"_s);
    EXPECT_FALSE(label->isEnabled());
    EXPECT_EQ(label->count(), 0);
    sheet->findChild<QLineEdit *>(u"replaceSheetText"_s)->setText(u"123"_s);
    sheet->accept();
    EXPECT_EQ(phone(0), u"123"_s);
    EXPECT_EQ(phoneEntry(0).value(Key::Label).toString(), u"home"_s);
    QApplication::processEvents();

    runEntry(u"Prepend Text"_s);
    sheet = waitForWindow<ItemOperationDialog>();
    ASSERT_TRUE(sheet);
    sheet->findChild<QLineEdit *>(u"replaceSheetText"_s)->setText(u"+81 "_s);
    sheet->reject();
    EXPECT_EQ(phone(0), u"123"_s) << "Cancel changes nothing";
}

TEST_F(ReplaceSheetTest, DeleteItemAsksFirstAndOneUndoBringsItBack)
{
    window->tableView()->selectRow(0);
    runEntry(u"Delete Item"_s);
    QMessageBox *box = waitForMessage(
        u"Do you want to delete the item(label and text) in the selected cells in column:Phone ?"_s);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->informativeText(), u"This operation can be undone."_s);
    press(box, u"OK"_s);
    const ContactsViewController &table = window->hub().table();
    ASSERT_EQ(table.subContactTable().size(), 1) << "only the selected row's number goes";
    EXPECT_EQ(table.cellText(Ident::Phone, 0), u"0200"_s);
    window->hub().undo();
    ASSERT_EQ(table.subContactTable().size(), 2);
    EXPECT_EQ(table.cellText(Ident::Phone, 0), u"555-0100"_s);
}
