#include "UiTestSupport.h"
#include "formats/EncodingMenuModel.h"
#include "formats/TextCodec.h"
#include "model/ZRPerson.h"
#include "ui/dialogs/ContactFileDialog.h"
#include "ui/dialogs/EncodingAccessory.h"
#include "ui/dialogs/EncodingListModel.h"
#include "ui/dialogs/EncodingListPanel.h"
#include "ui/dialogs/ImportFlow.h"
#include "ui/dialogs/ImportSheet.h"

#include <QListView>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

class EncodingDialog : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // A known list, whatever the machine's languages: UTF-8, UTF-16BE and Shift JIS.
        settings->setValue(EncodingMenuModel::EncodingsKey,
            QStringList { TextEncodings::nameOf(TextEncoding::UTF8),
                TextEncodings::nameOf(TextEncoding::UTF16BigEndian), shiftJis() });
    }
    static QString shiftJis() { return TextEncodings::nameOf(TextEncoding::ShiftJIS); }

    QStringList popupTitles(QComboBox *popup) const
    {
        QStringList titles;
        for (int i = 0; i < popup->count(); ++i)
            titles << popup->itemText(i);
        return titles;
    }

    // A vCard file in Shift JIS whose names are Japanese.
    QString shiftJisFile()
    {
        const QString text = card(u"山田 太郎"_s) + card(u"佐藤 花子"_s);
        const EncodedText encoded = TextCodec::encode(text, TextEncoding::ShiftJIS);
        EXPECT_TRUE(encoded.ok());
        return writeFile(dir, u"sjis.vcf"_s, encoded.bytes);
    }
};

} // namespace

TEST_F(EncodingDialog, TheChosenEncodingReadsTheImportedFile)
{
    const QString path = shiftJisFile();
    ExportCommands commands;
    QWidget window;
    window.show();
    ImportFlow flow(&window, commands, settings.get());
    flow.importFromVCard();
    ContactFileDialog *panel = flow.openPanel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal) << "a sheet of the window";

    QComboBox *popup = panel->accessory()->encodingTypePopup();
    EXPECT_EQ(popupTitles(popup),
        (QStringList { EncodingMenuModel::automaticTitle(), TextEncodings::nameOf(TextEncoding::UTF8),
            TextEncodings::nameOf(TextEncoding::UTF16BigEndian), shiftJis(), QString(),
            EncodingMenuModel::customizeTitle() }));
    EXPECT_EQ(popup->currentIndex(), 0) << "Automatic first";
    ASSERT_TRUE(choose(popup, shiftJis()));
    EXPECT_EQ(popup->currentText(), shiftJis());
    EXPECT_EQ(panel->encodingType(), TextEncoding::ShiftJIS);

    acceptFile(panel, path);
    ImportSheet *sheet = waitForWindow<ImportSheet>();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->filename(), u"sjis.vcf"_s);
    ASSERT_EQ(sheet->nameTable().size(), 2);
    const QAbstractItemModel *names = sheet->nameTableView()->model();
    EXPECT_EQ(names->index(0, 0).data().toString(), u"山田 太郎"_s);
    EXPECT_EQ(names->index(1, 0).data().toString(), u"佐藤 花子"_s);
}

TEST_F(EncodingDialog, AnEncodingThatDoesNotFitTheFileIsSaidNotGuessedAround)
{
    const QString path = shiftJisFile();
    ExportCommands commands;
    QWidget window;
    window.show();
    ImportFlow flow(&window, commands, settings.get());
    QSignalSpy finished(&flow, &ImportFlow::finished);
    flow.importFromVCard();
    ContactFileDialog *panel = flow.openPanel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(choose(panel->accessory()->encodingTypePopup(), TextEncodings::nameOf(TextEncoding::UTF8)));
    acceptFile(panel, path);

    QMessageBox *alert = waitForMessage(u"Couldn't read the file."_s);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->parentWidget(), &window);
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(alert->informativeText().contains(u"isn't valid"_s))
        << alert->informativeText().toStdString();
    EXPECT_TRUE(commands.isExporting()) << "the command lasts until the alert is read";
    press(alert, u"OK"_s);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(commands.isExporting());
}

TEST_F(EncodingDialog, CustomizingTheListChangesThePopupAndIsKept)
{
    ContactFileDialog panel(ContactFileDialog::Kind::OpenDocument, settings.get());
    panel.show();
    EncodingAccessory *accessory = panel.accessory();
    QComboBox *popup = accessory->encodingTypePopup();
    const QString eucJp = TextEncodings::nameOf(TextEncoding::JapaneseEUC);
    ASSERT_EQ(popup->findText(eucJp), -1);

    // "Customize Encoding List…" opens the list and is never the choice itself.
    ASSERT_TRUE(choose(popup, EncodingMenuModel::customizeTitle()));
    EXPECT_EQ(popup->currentText(), EncodingMenuModel::automaticTitle());
    EncodingListPanel *list = accessory->encodingListPanel();
    ASSERT_TRUE(list);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
    EXPECT_FALSE(list->windowModality() == Qt::ApplicationModal);

    // Ticking EUC with the keyboard puts it below "Automatic" and chooses it.
    QListView *view = list->tableView();
    const QModelIndexList rows
        = view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, eucJp, 1, Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    view->setCurrentIndex(rows.first());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(rows.first().data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(popup->itemText(1), eucJp);
    EXPECT_EQ(popup->currentText(), eucJp);
    EXPECT_EQ(panel.encodingType(), TextEncoding::JapaneseEUC);

    // Clear All empties the list: only "Automatic" and the customize item stay.
    QTest::mouseClick(list->clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(popupTitles(popup),
        (QStringList {
            EncodingMenuModel::automaticTitle(), QString(), EncodingMenuModel::customizeTitle() }));
    // Revert makes the default list again, which always has UTF-8.
    QTest::mouseClick(list->revertButton(), Qt::LeftButton);
    EXPECT_NE(popup->findText(TextEncodings::nameOf(TextEncoding::UTF8)), -1);
    // Select All lists every encoding.
    QTest::mouseClick(list->selectAllButton(), Qt::LeftButton);
    EXPECT_EQ(popup->count(), view->model()->rowCount() + 3);
    // Untick EUC again, then close: the list is kept under "Encodings" for the next dialog.
    view->setCurrentIndex(rows.first());
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(popup->findText(eucJp), -1);
    list->close();
    const QStringList kept = reopenedSettings()->value(EncodingMenuModel::EncodingsKey).toStringList();
    EXPECT_EQ(kept.size(), view->model()->rowCount() - 1);
    EXPECT_FALSE(kept.contains(eucJp));

    ContactFileDialog next(ContactFileDialog::Kind::ImportCSV, settings.get());
    EXPECT_EQ(next.accessory()->encodingTypePopup()->count(), popup->count());
    EXPECT_EQ(next.accessory()->encodingTypePopup()->currentIndex(), 0) << "each dialog starts at Automatic";
}

TEST_F(EncodingDialog, SaveDialogsSuggestTheContactsNameAndCarryNoPopup)
{
    ContactFileDialog vcard(ContactFileDialog::Kind::ExportVCard, settings.get());
    EXPECT_EQ(vcard.accessory(), nullptr);
    EXPECT_EQ(vcard.labelText(QFileDialog::FileName), u"Export As:"_s);
    EXPECT_EQ(vcard.acceptMode(), QFileDialog::AcceptSave);
    vcard.setDirectory(dir.path());
    vcard.setDefaultName(u"AC/DC"_s);
    // A slash in a name would point the dialog at another folder.
    EXPECT_EQ(QFileInfo(vcard.chosenFile()).fileName(), u"AC-DC.vcf"_s);

    ContactFileDialog csv(ContactFileDialog::Kind::ExportCSV, settings.get());
    EXPECT_EQ(csv.labelText(QFileDialog::FileName), u"Export As CSV:"_s);
    EXPECT_EQ(ContactFileDialog::documentType(u"/tmp/a.CSV"_s), u"CSV"_s);
    EXPECT_NE(ContactFileDialog::documentType(u"/tmp/a.vcf"_s), u"CSV"_s);
}
