#include "ui/dialogs/ExportFlow.h"

#include "UiTestSupport.h"
#include "document/DocumentReader.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"
#include "ui/dialogs/ProgressTask.h"
#include "ui/dialogs/ProgressWindow.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

class ExportFlowTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        const DocumentReadResult read
            = DocumentReader::readText(card(u"Ann"_s) + card(u"Bob"_s) + card(u"Cy"_s), InputFormat::VCard);
        table = read.contactTable;
        window->show();
    }
    // Accepts the save dialog with the file name typed in.
    void saveAs(const QString &name)
    {
        ContactFileDialog *panel = flow.savePanel();
        ASSERT_TRUE(panel);
        panel->setDirectory(dir.path());
        acceptFile(panel, name);
    }
    QStringList namesIn(const QString &path)
    {
        const DocumentReadResult read
            = DocumentReader::readFile(path, InputFormat::VCard, TextEncoding::Automatic);
        QStringList names;
        for (const ContactEntryPtr &entry : read.contactTable)
            names << entry->person->compositeName();
        return names;
    }

    // The test's window; the fixture's tear-down closes and deletes it with every other window.
    QWidget *window = new QWidget;
    ExportCommands commands;
    ExportFlow flow { window, commands };
    ContactTable table;
};

} // namespace

TEST_F(ExportFlowTest, SelectedContactsAreWrittenOnceInSelectionOrder)
{
    QSignalSpy finished(&flow, &ExportFlow::finished);
    // Cy selected in two of its rows, then Ann.
    flow.exportToVCard(table, { table.at(2), table.at(2), table.at(0) });
    ASSERT_TRUE(flow.savePanel());
    EXPECT_EQ(QFileInfo(flow.savePanel()->chosenFile()).fileName(), u"Cy.vcf"_s);
    flow.exportToCSV(table, { table.at(0) });
    EXPECT_TRUE(commands.isExporting()) << "the second command did nothing";
    saveAs(u"out.vcf"_s);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(finished.first().at(0).toBool());
    EXPECT_EQ(namesIn(dir.filePath(u"out.vcf"_s)), (QStringList { u"Cy"_s, u"Ann"_s }));
    EXPECT_FALSE(commands.isExporting());
}

TEST_F(ExportFlowTest, SavingEverythingNeedsNoSelection)
{
    QSignalSpy finished(&flow, &ExportFlow::finished);
    flow.exportToVCard(table, {}, ExportFlow::Scope::Everything);
    ASSERT_TRUE(flow.savePanel());
    EXPECT_EQ(QFileInfo(flow.savePanel()->chosenFile()).fileName(), u"Ann.vcf"_s);
    saveAs(u"all.vcf"_s);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(namesIn(dir.filePath(u"all.vcf"_s)).size(), 3);

    // A selection export with nothing selected does nothing at all.
    flow.exportToVCard(table, {});
    EXPECT_EQ(flow.savePanel(), nullptr);
    EXPECT_FALSE(commands.isExporting());
}

TEST_F(ExportFlowTest, CsvGoesOutAsItsOwnFile)
{
    QSignalSpy finished(&flow, &ExportFlow::finished);
    flow.exportToCSV(table, { table.at(1) });
    ASSERT_TRUE(flow.savePanel());
    EXPECT_EQ(flow.savePanel()->labelText(QFileDialog::FileName), u"Export As CSV:"_s);
    EXPECT_EQ(QFileInfo(flow.savePanel()->chosenFile()).fileName(), u"Bob.csv"_s);
    saveAs(u"bob.csv"_s);
    ASSERT_TRUE(finished.wait(5000));
    QFile file(dir.filePath(u"bob.csv"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(u"Bob"_s));
    EXPECT_FALSE(text.contains(u"Ann"_s));
    EXPECT_FALSE(text.contains(u'\r')) << "line-feed line ends";
}

TEST_F(ExportFlowTest, AFileThatCannotBeWrittenIsSaidAndNothingIsLeft)
{
    QSignalSpy finished(&flow, &ExportFlow::finished);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"gone"_s));
    flow.exportToVCard(table, { table.at(0) });
    ContactFileDialog *panel = flow.savePanel();
    ASSERT_TRUE(panel);
    panel->setDirectory(dir.filePath(u"gone"_s));
    acceptFile(panel, u"ann.vcf"_s);
    // The folder goes away while the contacts are being written: no one can write there now.
    ASSERT_TRUE(QDir(dir.filePath(u"gone"_s)).removeRecursively());
    QMessageBox *alert = waitForMessage(u"Can't save the file"_s);
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->informativeText(), u"Something error happened in saving operation."_s);
    EXPECT_TRUE(commands.isExporting()) << "until the alert is read";
    press(alert, u"OK"_s);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(finished.first().at(0).toBool());
    EXPECT_FALSE(commands.isExporting());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"gone"_s))) << "nothing made the folder again";
}

TEST_F(ExportFlowTest, ACancelledExportLeavesNoFile)
{
    // Enough contacts that writing them takes longer than pressing Cancel.
    ContactTable many;
    for (int i = 0; i < 60000; ++i) {
        auto entry = std::make_shared<ContactEntry>();
        entry->person = ZRPerson::create();
        entry->person->setValueForIdentifier(
            QVariantMap { { Ident::FirstName, u"Person"_s }, { Ident::LastName, QString::number(i) } },
            Ident::Name);
        entry->uniqueId = entry->person->uniqueId();
        many.append(entry);
    }
    QSignalSpy finished(&flow, &ExportFlow::finished);
    flow.exportToVCard(many, {}, ExportFlow::Scope::Everything);
    saveAs(u"many.vcf"_s);
    ASSERT_TRUE(flow.progressTask());
    ProgressWindow *progress = flow.progressTask()->progressWindow();
    ASSERT_TRUE(progress->isVisible());
    EXPECT_TRUE(progress->message().startsWith(u"Writing the file: many.vcf"_s));
    QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished.first().at(0).toBool());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"many.vcf"_s)));
    EXPECT_FALSE(commands.isExporting());
}
