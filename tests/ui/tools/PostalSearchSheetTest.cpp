#include "ui/tools/PostalSearchSheet.h"

#include "document/HubTestSupport.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/tools/PostalDataInstall.h"
#include "ui/tools/PostalDataLoader.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A hub whose one contact has the address given in vCard ADR parts, and a loader over an empty folder:
// no national data, so the searches go over the sample built into the program.
struct PostalFixture
{
    explicit PostalFixture(const QString &adr)
    {
        data.setDataDirectory(empty.path());
        hub.open(TestHub::card(u"山田"_s, adr.isEmpty() ? QString() : u"ADR;TYPE=HOME:"_s + adr + u"\r\n"_s),
            { Ident::Address });
        hub.hub.setSelectedRows({ 0 });
    }
    QVariantMap address() const
    {
        return hub.entry(0)->person->labeledValueForIdentifierAtIndex(Ident::Address, 0).toMap();
    }

    QTemporaryDir empty;
    PostalDataLoader data;
    TestHub hub;
    QWidget window;
};

// Waits for the sheet's search to be shown, as the user waits for the rows.
void waitForRows(PostalSearchSheet *sheet)
{
    EXPECT_TRUE(QTest::qWaitFor([sheet] { return !sheet->isSearching(); }, 10000));
}

// Types into the sheet and waits for the rows.
void type(PostalSearchSheet *sheet, const QString &text)
{
    sheet->setInputText(text);
    waitForRows(sheet);
}

QStringList column(PostalSearchSheet *sheet, int column)
{
    waitForRows(sheet);
    const QAbstractItemModel *model = sheet->resultView()->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

int rowCount(PostalSearchSheet *sheet)
{
    waitForRows(sheet);
    return sheet->resultView()->model()->rowCount();
}

} // namespace

TEST(PostalSearchSheetTest, SearchByCodeFromTheRowAndApplyAsOneUndoStep)
{
    PostalFixture f(u";;;;;1000006;"_s); // a code alone
    PostalSearchSheet *sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->findChild<QLineEdit *>()->text(), u"1000006"_s);
    ASSERT_EQ(column(sheet, 0), QStringList { u"100-0006"_s });
    EXPECT_TRUE(column(sheet, 2).value(0).startsWith(u"東京都千代田区有楽町"_s));
    // The sheet says the national data is missing and how to install it.
    auto *status = sheet->findChildren<QLabel *>().first();
    EXPECT_TRUE(status->text().contains(u"corvanthe postal-data install"_s));

    sheet->selectRow(0);
    sheet->confirm();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(f.address().value(Ident::City).toString(), u"千代田区"_s);
    EXPECT_EQ(f.address().value(Ident::Street).toString(), u"有楽町"_s);
    EXPECT_EQ(f.hub.hub.undoManager().undoCount(), 1);
    EXPECT_TRUE(f.hub.hub.isDocumentEdited());

    f.hub.hub.undo();
    EXPECT_EQ(f.address().value(Ident::City).toString(), QString());
    EXPECT_EQ(f.address().value(Ident::ZIP).toString(), u"1000006"_s);
}

TEST(PostalSearchSheetTest, SearchByAddressTakesOnlyTheCodeAndCancelChangesNothing)
{
    PostalFixture f(u";;内幸町;千代田区;東京都;;"_s);
    PostalSearchSheet *sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QLineEdit *>()->text(), u"東京都千代田区"_s);
    EXPECT_EQ(sheet->controller().zipSearchMode(), ZipSheetController::AddressToCode);
    // Typing narrows the list; many rows leave the confirm button off until one is chosen.
    type(sheet, u"内幸町"_s);
    ASSERT_EQ(column(sheet, 0), QStringList { u"100-0011"_s });

    type(sheet, u"東京都千代田区"_s);
    ASSERT_GT(rowCount(sheet), 1);
    QPushButton *ok = nullptr;
    for (QPushButton *button : sheet->findChildren<QPushButton *>()) {
        if (button->text() == PostalSearchSheet::tr("OK"))
            ok = button;
    }
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->isEnabled());
    type(sheet, u"内幸町"_s);
    sheet->selectRow(0);
    EXPECT_TRUE(ok->isEnabled());

    // Cancel first: nothing changes.
    sheet->reject();
    QPushButton *cancel = nullptr;
    for (QPushButton *button : sheet->findChildren<QPushButton *>()) {
        if (button->text() == PostalSearchSheet::tr("Cancel"))
            cancel = button;
    }
    ASSERT_NE(cancel, nullptr);
    sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    type(sheet, u"内幸町"_s);
    sheet->selectRow(0);
    cancel->click();
    EXPECT_FALSE(f.hub.hub.isDocumentEdited());

    sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    type(sheet, u"内幸町"_s);
    sheet->selectRow(0);
    ok->click();
    EXPECT_EQ(f.address().value(Ident::ZIP).toString(), u"100-0011"_s);
    EXPECT_EQ(f.address().value(Ident::Street).toString(), u"内幸町"_s);
    f.hub.hub.undo();
    EXPECT_EQ(f.address().value(Ident::ZIP).toString(), QString());
}

TEST(PostalSearchSheetTest, ThePlaceholderStreetIsNeverTakenAndARowWithoutAddressGetsOne)
{
    PostalFixture f { QString() };
    PostalSearchSheet *sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    ASSERT_NE(sheet, nullptr);
    type(sheet, u"1000000"_s);
    sheet->selectRow(0);
    sheet->confirm();
    const QVariantMap address = f.address();
    EXPECT_EQ(address.value(Ident::ZIP).toString(), u"100-0000"_s);
    EXPECT_EQ(address.value(Ident::City).toString(), u"千代田区"_s);
    EXPECT_EQ(address.value(Ident::Street).toString(), QString());
    EXPECT_EQ(address.value(Key::Label).toString(), u"home"_s);
}

TEST(PostalSearchSheetTest, InstalledDataLoadsInTheBackgroundAndTheSheetSearchesItWhenReady)
{
    PostalFixture f { QString() };
    // "Installed" data: a copy of the sample in the data folder.
    QFile::copy(u":/postal/ken_all.gzip"_s, f.empty.filePath(u"ken_all.gzip"_s));
    EXPECT_TRUE(f.data.isInstalled());
    f.data.start();
    EXPECT_EQ(f.data.state(), PostalDataLoader::State::Loading);
    PostalSearchSheet sheet(f.data);
    EXPECT_TRUE(sheet.findChildren<QLabel *>().first()->text().contains(u"Loading"_s));
    type(&sheet, u"1000001"_s);
    EXPECT_EQ(sheet.controller().numberOfRowsInTableView(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.data.state() == PostalDataLoader::State::Loaded; }, 20000));
    EXPECT_TRUE(sheet.findChildren<QLabel *>().first()->isHidden());
    waitForRows(&sheet);
    EXPECT_EQ(sheet.controller().numberOfRowsInTableView(), 1); // searched again in the loaded data

    EXPECT_EQ(PostalDataInstall::classify({ u"/a/jigyosyo.zip"_s, u"/a/ken_all.zip"_s }).general,
        u"/a/ken_all.zip"_s);
    EXPECT_EQ(PostalDataInstall::classify({ u"/a/JIGYOSYO.CSV"_s }).general, QString());
}

// Keys typed while a search runs are gathered: only the last text is shown, a search of an earlier one
// never replaces it, and nothing can be confirmed while the rows on screen are not the field's.
TEST(PostalSearchSheetTest, TypingFasterThanTheSearchShowsOnlyTheLastText)
{
    PostalFixture f { QString() };
    PostalSearchSheet *sheet = PostalSearchSheet::open(&f.window, f.hub.hub, f.data);
    ASSERT_NE(sheet, nullptr);
    type(sheet, u"1000006"_s);
    sheet->selectRow(0);
    QPushButton *ok = nullptr;
    for (QPushButton *button : sheet->findChildren<QPushButton *>()) {
        if (button->text() == PostalSearchSheet::tr("OK"))
            ok = button;
    }
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isEnabled());

    int shown = 0;
    QObject::connect(sheet, &PostalSearchSheet::searchShown, [&] { ++shown; });
    for (const QString &text : { u"東"_s, u"東京"_s, u"東京都"_s, u"東京都千代田区"_s, u"内幸町"_s })
        sheet->setInputText(text);
    EXPECT_TRUE(sheet->isSearching());
    EXPECT_FALSE(ok->isEnabled()) << "the row chosen before belongs to another text";
    int mode = 0;
    EXPECT_FALSE(sheet->result(mode).has_value());
    waitForRows(sheet);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(column(sheet, 0), QStringList { u"100-0011"_s });
    EXPECT_EQ(sheet->controller().inputField(), u"内幸町"_s);
    EXPECT_EQ(sheet->controller().zipSearchMode(), ZipSheetController::AddressToCode);
    // A one-row result is the row confirming takes.
    sheet->confirm();
    EXPECT_EQ(f.address().value(Ident::ZIP).toString(), u"100-0011"_s);
}

// Thousands of rows cost the view nothing until painted: each cell is made from the found line.
TEST(PostalSearchSheetTest, ALongResultIsShownThroughTheModelWithoutItems)
{
    PostalFixture f { QString() };
    PostalSearchSheet sheet(f.data);
    type(&sheet, u"10"_s);
    const int rows = sheet.controller().numberOfRowsInTableView();
    ASSERT_GT(rows, 1);
    const QAbstractItemModel *model = sheet.resultView()->model();
    EXPECT_EQ(model->rowCount(), rows);
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->index(rows - 1, 0).data().toString(),
        sheet.controller().tableViewObjectValueForTableColumn(Ident::ZIP, rows - 1));
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"ZIP"_s);
    type(&sheet, QString());
    EXPECT_EQ(model->rowCount(), 0);
}
