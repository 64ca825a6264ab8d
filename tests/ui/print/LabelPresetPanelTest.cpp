#include "ui/print/LabelPresetPanel.h"

#include "document/DocumentReader.h"
#include "print/LabelPresetEditor.h"
#include "print/PaperSizes.h"
#include "print/PrintDocument.h"
#include "print/PrintJob.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsStore.h"
#include "print/ReceiverRecord.h"
#include "ui/UiTestSupport.h"
#include "ui/print/LabelPresetTableModel.h"
#include "ui/print/StyleLabelsTab.h"
#include "ui/print/StyleLengthBox.h"
#include "ui/print/StyleSettingsSheet.h"

#include <QBuffer>
#include <QComboBox>
#include <QPdfWriter>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

class LabelPresetPanelTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        PrintOptionsStore::save(*settings, PrintOptions::initPrintOptions(PrintValue::LanguageEnglish));
        sheet = new StyleSettingsSheet(*settings);
        sheet->setPrintStyle(PrintValue::StyleLabels);
        sheet->show();
        tab = sheet->labelsTab();
        sheet->findChild<QPushButton *>(u"editPresetsButton"_s)->click();
        panel = tab->presetEditor();
        ASSERT_TRUE(panel);
        popup = tab->presetPopup();
    }

    QVariantMap storedLabels() const
    {
        return PrintOptionsStore::load(*reopenedSettings()).value(PrintKey::MailingLabels).toMap();
    }
    void edit(int row, int column, const QVariant &value)
    {
        LabelPresetTableModel *model = panel->model();
        panel->selectRow(row);
        ASSERT_TRUE(model->setData(model->index(row, column), value));
    }

    // Eleven people with an address each.
    static QList<ReceiverRecord> receivers()
    {
        QString text;
        for (int i = 0; i < 11; ++i)
            text += card(
                u"Person %1"_s.arg(i), u"ADR;TYPE=HOME:;;%1 Main St;Springfield;IL;62701;USA\r\n"_s.arg(i));
        QList<ReceiverRecord> list;
        for (const ContactEntryPtr &entry : DocumentReader::readText(text, InputFormat::VCard).contactTable)
            list.append(ReceiverRecord::convertContact(entry->person));
        return list;
    }

    StyleSettingsSheet *sheet = nullptr;
    StyleLabelsTab *tab = nullptr;
    LabelPresetPanel *panel = nullptr;
    QComboBox *popup = nullptr;
};

} // namespace

TEST_F(LabelPresetPanelTest, TheEditorIsAToolWindowUsableOverTheSheet)
{
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->windowFlags() & Qt::Tool);
    EXPECT_EQ(panel->parentWidget(), sheet);
    EXPECT_EQ(panel->model()->rowCount(), 6);
    panel->findChild<QPushButton *>(u"presetDoneButton"_s)->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(LabelPresetPanelTest, AnAddedPresetIsChosenAppliedAndPrintsLabelsToPdf)
{
    panel->findChild<QPushButton *>(u"addPresetButton"_s)->click();
    ASSERT_EQ(popup->count(), 7);
    EXPECT_EQ(popup->currentIndex(), 6);
    EXPECT_EQ(popup->currentText(), u"new"_s);
    EXPECT_EQ(panel->selectedPreset(), u"new"_s);

    // Made a 4 × 2 inch label in the editor's inches: the sheet takes it at once.
    panel->setUnit(PrintUnits::Unit::Inches);
    edit(6, 0, u"Shipping"_s);
    edit(6, 1, u"4"_s);
    edit(6, 2, 2.0);
    edit(6, 3, 0.125);
    edit(6, 4, 0.0);
    EXPECT_EQ(popup->currentText(), u"Shipping"_s);
    EXPECT_DOUBLE_EQ(sheet->findChild<StyleLengthBox *>(u"labelWidth"_s)->points(), 288.0);

    const QVariantMap labels = storedLabels();
    EXPECT_EQ(labels.value(PrintKey::SelectedPreset).toString(), u"Shipping"_s);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::LabelWidth)), 288.0);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::LabelHeight)), 144.0);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::HGap)), 9.0);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::VGap)), 0.0);
    EXPECT_EQ(labels.value(PrintKey::PresetArray).toList().size(), 7);

    // On Letter the sheet holds 2 × 5 labels: eleven people need two pages.
    const PrintDocument document = PrintDocument::make({ PrintValue::StyleLabels,
        PrintOptionsStore::load(*reopenedSettings()), receivers(), std::nullopt, PaperSizes::Letter });
    ASSERT_TRUE(document.isValid()) << document.error().toStdString();
    EXPECT_EQ(document.pageCount(), 2);
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        const PrintJob::Result result = PrintJob::run(&writer, document.pages());
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.pagesPrinted, 2);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

TEST_F(LabelPresetPanelTest, RenamingAPresetKeepsThePopupOnIt)
{
    // Two presets of one title: the row edited is the one followed, not the first of that title.
    edit(4, 0, u"Same"_s);
    edit(5, 0, u"Same"_s);
    EXPECT_EQ(popup->currentIndex(), 5);
    edit(5, 0, u"Renamed"_s);
    EXPECT_EQ(popup->currentIndex(), 5);
    EXPECT_EQ(popup->currentText(), u"Renamed"_s);
    EXPECT_EQ(popup->itemText(4), u"Same"_s);
    EXPECT_EQ(storedLabels().value(PrintKey::SelectedPreset).toString(), u"Renamed"_s);

    // A length the editor refuses changes nothing.
    EXPECT_FALSE(panel->model()->setData(panel->model()->index(5, 1), u"wide"_s));
    EXPECT_FALSE(panel->model()->setData(panel->model()->index(5, 2), -3.0));
}

TEST_F(LabelPresetPanelTest, RemovingPresetsRebuildsThePopupAndStoresTheRest)
{
    panel->selectRow(0);
    panel->findChild<QPushButton *>(u"removePresetButton"_s)->click();
    EXPECT_EQ(popup->count(), 5);
    EXPECT_EQ(storedLabels().value(PrintKey::PresetArray).toList().size(), 5);
    // Nothing selected: Remove does nothing.
    panel->selectRow(-1);
    panel->removePreset();
    EXPECT_EQ(popup->count(), 5);
    while (panel->model()->rowCount() > 0) {
        panel->selectRow(0);
        panel->removePreset();
    }
    EXPECT_EQ(popup->count(), 0);
    // With none left, the next load starts again from the six presets every sheet begins with.
    EXPECT_EQ(storedLabels().value(PrintKey::PresetArray).toList().size(), 6);
}

TEST_F(LabelPresetPanelTest, TheEditorShowsLengthsInItsOwnUnit)
{
    LabelPresetTableModel *model = panel->model();
    panel->setUnit(PrintUnits::Unit::Millimeters);
    EXPECT_NEAR(model->data(model->index(3, 1), Qt::EditRole).toDouble(), 55.5, 0.01);
    panel->setUnit(PrintUnits::Unit::Inches);
    EXPECT_DOUBLE_EQ(model->data(model->index(2, 1), Qt::EditRole).toDouble(), 4.0);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), u"Name"_s);
}
