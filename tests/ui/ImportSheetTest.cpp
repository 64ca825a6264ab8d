#include "ui/dialogs/ImportSheet.h"

#include "UiTestSupport.h"
#include "model/PlaceholderImages.h"
#include "model/ZRPerson.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/ImportFlow.h"
#include "ui/info/ContactInfoView.h"

#include <QBuffer>
#include <QImage>
#include <QListView>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

// A photo in the vCard's own form: a small red square as base64 JPEG.
QString photoLine()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return u"PHOTO;ENCODING=b;TYPE=JPEG:%1\r\n"_s.arg(QString::fromLatin1(jpeg.toBase64()));
}

class ImportSheetTest : public WidgetTest
{
protected:
    // Runs "Import from vCard…" up to the sheet, on a file of four contacts.
    ImportSheet *importUpToTheSheet()
    {
        const QString text = card(u"Ann"_s, photoLine()) + card(u"Bob"_s) + card(u"Cy"_s) + card(u"Dee"_s);
        const QString path = writeFile(dir, u"four.vcf"_s, text.toUtf8());
        window->show();
        flow.importFromVCard();
        if (!flow.openPanel())
            return nullptr;
        acceptFile(flow.openPanel(), path);
        return waitForWindow<ImportSheet>();
    }
    void clickRow(QListView *view, int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QModelIndex index = view->model()->index(row, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(index).center());
    }

    // The test's window; the fixture's tear-down closes and deletes it with every other window.
    QWidget *window = new QWidget;
    ExportCommands commands;
    ImportFlow flow { window, commands, nullptr };
};

} // namespace

TEST_F(ImportSheetTest, SelectAddsTheChosenRowsInTheirOrder)
{
    QSignalSpy chosen(&flow, &ImportFlow::contactsChosen);
    QSignalSpy finished(&flow, &ImportFlow::finished);
    ImportSheet *sheet = importUpToTheSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    QListView *view = sheet->nameTableView();
    ASSERT_EQ(view->model()->rowCount(), 4);
    EXPECT_EQ(view->sizeHintForRow(0), 20);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);

    // The third first, then the first: the window still gets them in file order.
    clickRow(view, 2);
    clickRow(view, 0, Qt::ControlModifier);
    EXPECT_EQ(sheet->selectedIndexes(), (QList<qsizetype> { 0, 2 }));
    EXPECT_TRUE(commands.isExporting()) << "no other import or export meanwhile";
    QTest::mouseClick(sheet->selectButton(), Qt::LeftButton);

    ASSERT_EQ(chosen.count(), 1);
    const auto entries = chosen.first().first().value<ContactTable>();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0)->person->compositeName(), u"Ann"_s);
    EXPECT_EQ(entries.at(1)->person->compositeName(), u"Cy"_s);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(commands.isExporting());
    EXPECT_TRUE(sheet->nameTable().isEmpty()) << "what was not taken is let go";
}

TEST_F(ImportSheetTest, CancelOrSelectingNothingAddsNothing)
{
    QSignalSpy chosen(&flow, &ImportFlow::contactsChosen);
    QSignalSpy finished(&flow, &ImportFlow::finished);
    ImportSheet *sheet = importUpToTheSheet();
    ASSERT_TRUE(sheet);
    clickRow(sheet->nameTableView(), 1);
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 1);

    // The sheet is kept and offered again for the next import; Select with no row adds nothing.
    ImportSheet *again = importUpToTheSheet();
    ASSERT_EQ(again, sheet);
    EXPECT_TRUE(again->selectedIndexes().isEmpty());
    QTest::mouseClick(again->selectButton(), Qt::LeftButton);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(finished.count(), 2);
    EXPECT_FALSE(commands.isExporting());
}

TEST_F(ImportSheetTest, RowsShowThePhotoOrAGenericPersonAndTellTheDetailViewWhichWasClicked)
{
    ImportSheet *sheet = importUpToTheSheet();
    ASSERT_TRUE(sheet);
    const QAbstractItemModel *model = sheet->nameTableView()->model();
    const QImage withPhoto
        = model->index(0, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(18, 18).toImage();
    const QImage without
        = model->index(1, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(18, 18).toImage();
    ASSERT_FALSE(withPhoto.isNull());
    ASSERT_FALSE(without.isNull());
    EXPECT_EQ(QColor(withPhoto.pixel(9, 9)).red() > 200 && QColor(withPhoto.pixel(9, 9)).green() < 60, true)
        << "Ann's own red photo";
    EXPECT_NE(withPhoto, without);

    // The detail view is placed beside the list and learns of the clicked contact.
    auto *detail = new QWidget;
    sheet->setDetailView(detail);
    EXPECT_EQ(detail->parentWidget() != nullptr, true);
    QSignalSpy clicked(sheet, &ImportSheet::entryClicked);
    clickRow(sheet->nameTableView(), 3);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.first().first().value<ContactEntryPtr>()->person->compositeName(), u"Dee"_s);
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
}

TEST_F(ImportSheetTest, TheClickedContactShowsReadOnlyBesideTheListUntilTheSheetCloses)
{
    ImportSheet *sheet = importUpToTheSheet();
    ASSERT_TRUE(sheet);
    auto *detail = qobject_cast<ContactInfoView *>(sheet->detailView());
    ASSERT_TRUE(detail);
    EXPECT_TRUE(detail->isVisible());
    EXPECT_FALSE(detail->contact()) << "nothing clicked yet";

    clickRow(sheet->nameTableView(), 1);
    ASSERT_TRUE(detail->contact());
    EXPECT_EQ(detail->contact()->person->compositeName(), u"Bob"_s);
    EXPECT_FALSE(detail->isEditable());
    EXPECT_FALSE(detail->openEditorForRow(0)) << "no editor opens on an offered contact";
    clickRow(sheet->nameTableView(), 3);
    EXPECT_EQ(detail->contact()->person->compositeName(), u"Dee"_s);

    // Closing the sheet lets go of the shown contact with the rest of the file; the next offer starts
    // with nothing shown.
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(detail->contact());
    ImportSheet *again = importUpToTheSheet();
    ASSERT_EQ(again, sheet);
    EXPECT_EQ(again->detailView(), detail);
    EXPECT_FALSE(detail->contact());
    QTest::mouseClick(again->cancelButton(), Qt::LeftButton);
}
