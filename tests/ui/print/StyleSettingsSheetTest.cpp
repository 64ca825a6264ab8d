#include "ui/print/StyleSettingsSheet.h"

#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "print/PrintOptionsNotice.h"
#include "print/PrintOptionsStore.h"
#include "ui/UiTestSupport.h"
#include "ui/print/StyleAddressListTab.h"
#include "ui/print/StyleEnvelopeTab.h"
#include "ui/print/StyleHagakiTab.h"
#include "ui/print/StyleItemTableModel.h"
#include "ui/print/StyleLabelsTab.h"
#include "ui/print/StyleLengthBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace UiTestSupport;

namespace {

class StyleSettingsSheetTest : public WidgetTest
{
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        // Japanese defaults: the postcard style and its typesetting keys are what most users start with.
        PrintOptionsStore::save(*settings, PrintOptions::initPrintOptions(PrintValue::LanguageJapanese));
        sheet = new StyleSettingsSheet(*settings);
        sheet->setPrintStyle(PrintValue::StyleHagaki);
    }

    template <typename T> T *child(const QString &name) const
    {
        T *found = sheet->findChild<T *>(name);
        EXPECT_TRUE(found) << name.toStdString();
        return found;
    }
    // What a new load of the settings returns: the sheet must have saved everything it shows.
    QVariantMap stored() const { return PrintOptionsStore::load(*reopenedSettings()); }
    QVariantMap stored(const QString &style) const { return stored().value(style).toMap(); }

    void chooseUnit(const QString &name)
    {
        auto *unit = child<QComboBox>(u"unitPopup"_s);
        const int index = unit->findData(name);
        ASSERT_GE(index, 0);
        unit->setCurrentIndex(index);
        emit unit->activated(index);
    }
    static void type(StyleLengthBox *box, double shown) { box->setValue(shown); }
    static void click(QCheckBox *box) { box->click(); }
    static void activate(QComboBox *popup, int index)
    {
        popup->setCurrentIndex(index);
        emit popup->activated(index);
    }

    StyleSettingsSheet *sheet = nullptr;
};

} // namespace

TEST_F(StyleSettingsSheetTest, ChangingTheUnitConvertsEveryLengthAndStoresPointsStill)
{
    const QStringList lengths { u"topMargin"_s, u"leftMargin"_s, u"rightMargin"_s, u"bottomMargin"_s,
        u"labelWidth"_s, u"labelHeight"_s, u"hGap"_s, u"vGap"_s, u"senderZipX"_s, u"senderZipY"_s };
    type(child<StyleLengthBox>(u"topMargin"_s), 36.0);
    QMap<QString, double> points;
    for (const QString &name : lengths)
        points.insert(name, child<StyleLengthBox>(name)->points());
    EXPECT_DOUBLE_EQ(points.value(u"labelWidth"_s), 130.0);
    EXPECT_NEAR(points.value(u"senderZipY"_s), 348.66, 1e-9);

    chooseUnit(u"inches"_s);
    for (const QString &name : lengths) {
        auto *box = child<StyleLengthBox>(name);
        EXPECT_NEAR(box->value(), points.value(name) / 72.0, 0.0005) << name.toStdString();
        EXPECT_DOUBLE_EQ(box->singleStep(), 0.1) << name.toStdString();
    }
    EXPECT_NEAR(child<StyleLengthBox>(u"topMargin"_s)->value(), 0.5, 1e-9);

    chooseUnit(u"mm"_s);
    for (const QString &name : lengths) {
        auto *box = child<StyleLengthBox>(name);
        EXPECT_NEAR(box->value(), points.value(name) * 25.4 / 72.0, 0.005) << name.toStdString();
        EXPECT_DOUBLE_EQ(box->singleStep(), 1.0);
        // Back and forth through the units loses nothing.
        EXPECT_DOUBLE_EQ(box->points(), points.value(name)) << name.toStdString();
    }
    EXPECT_NEAR(child<StyleLengthBox>(u"topMargin"_s)->value(), 12.7, 1e-9);

    // A length typed in millimetres is stored in points.
    type(child<StyleLengthBox>(u"leftMargin"_s), 10.0);
    EXPECT_NEAR(PrintOptions::number(stored().value(PrintKey::LeftMargin)), 28.3465, 1e-3);
    EXPECT_NEAR(PrintOptions::number(stored().value(PrintKey::TopMargin)), 36.0, 1e-9);
}

TEST_F(StyleSettingsSheetTest, EveryChangeIsSavedAndAnnouncedOnce)
{
    QSignalSpy notices(&PrintOptionsNotice::instance(), &PrintOptionsNotice::printOptionsUpdated);
    type(child<StyleLengthBox>(u"bottomMargin"_s), 20.0);
    ASSERT_EQ(notices.count(), 1);
    EXPECT_DOUBLE_EQ(
        PrintOptions::number(notices.first().first().toMap().value(PrintKey::BottomMargin)), 20.0);
    EXPECT_EQ(stored(), notices.first().first().toMap());

    auto *keishou = child<QComboBox>(u"keishouPopup"_s);
    EXPECT_EQ(keishou->currentText(), u"様"_s);
    activate(keishou, 0); // "None"
    EXPECT_EQ(stored().value(PrintKey::Keishou).toString(), QString());
    activate(keishou, keishou->findText(u"Dr."_s));
    EXPECT_EQ(stored().value(PrintKey::Keishou).toString(), u"Dr."_s);
    EXPECT_EQ(notices.count(), 3);
}

TEST_F(StyleSettingsSheetTest, AnHonorificTypedElsewhereSurvivesOtherChanges)
{
    QVariantMap options = PrintOptionsStore::load(*settings);
    options.insert(PrintKey::Keishou, u"先生"_s);
    PrintOptionsStore::save(*settings, options);
    sheet->setPrintStyle(PrintValue::StyleHagaki);
    EXPECT_EQ(child<QComboBox>(u"keishouPopup"_s)->currentText(), u"先生"_s);
    click(child<QCheckBox>(u"autoSenderCheck"_s));
    EXPECT_EQ(stored().value(PrintKey::Keishou).toString(), u"先生"_s);
}

TEST_F(StyleSettingsSheetTest, TheHagakiTabWritesCardTypeSenderPositionAndTypesetting)
{
    EXPECT_EQ(sheet->tabs()->currentWidget(), sheet->hagakiTab());
    auto *card = child<QComboBox>(u"hagakiTypePopup"_s);
    auto *zipY = child<StyleLengthBox>(u"senderZipY"_s);
    EXPECT_NEAR(zipY->points(), 348.66, 1e-9);

    // An ordinary card shows the boxes 15 mm lower but stores the same position.
    activate(card, 2);
    EXPECT_EQ(stored(PrintKey::Hagaki).value(PrintKey::HagakiType).toString(), PrintValue::HagakiTypeGeneral);
    EXPECT_TRUE(PrintOptions::flag(stored(PrintKey::Hagaki).value(PrintKey::ShowBackground)));
    EXPECT_NEAR(zipY->points(), 348.66 + PrintChoices::GeneralCardZipOffset, 1e-9);
    EXPECT_EQ(PrintChoices::parsePointString(
                  stored(PrintKey::Hagaki).value(PrintKey::SenderZIPPositionForNenga).toString()),
        QPointF(15.59, 348.66));

    // Typed on the ordinary card, the offset comes off again.
    type(zipY, 400.0);
    const auto position = PrintChoices::parsePointString(
        stored(PrintKey::Hagaki).value(PrintKey::SenderZIPPositionForNenga).toString());
    ASSERT_TRUE(position);
    EXPECT_NEAR(position->y(), 400.0 - PrintChoices::GeneralCardZipOffset, 1e-9);
    EXPECT_NEAR(position->x(), 15.59, 1e-9);

    activate(card, 0);
    EXPECT_EQ(stored(PrintKey::Hagaki).value(PrintKey::HagakiType).toString(), PrintValue::HagakiTypeNone);
    EXPECT_FALSE(PrintOptions::flag(stored(PrintKey::Hagaki).value(PrintKey::ShowBackground)));
    EXPECT_NEAR(zipY->points(), 400.0 - PrintChoices::GeneralCardZipOffset, 1e-9);

    click(child<QCheckBox>(u"autoSenderCheck"_s));
    EXPECT_TRUE(PrintOptions::flag(stored(PrintKey::Hagaki).value(PrintKey::HagakiAutoSenderPosition)));

    QWidget *hagaki = sheet->hagakiTab();
    auto *numerals = hagaki->findChild<QComboBox *>(u"kanjiNumeralsPopup"_s);
    auto *hyphen = hagaki->findChild<QComboBox *>(u"numberHyphenPopup"_s);
    ASSERT_TRUE(numerals && hyphen);
    activate(numerals, 2);
    activate(hyphen, 2);
    hagaki->findChild<QCheckBox *>(u"tateChuYokoCheck"_s)->click();
    hagaki->findChild<QDoubleSpinBox *>(u"printerOffsetX"_s)->setValue(1.5);
    const QVariantMap hagakiOptions = stored(PrintKey::Hagaki);
    EXPECT_EQ(PrintChoices::kanjiNumerals(hagakiOptions), PrintChoices::KanjiNumerals::Positional);
    EXPECT_EQ(PrintChoices::numberHyphen(hagakiOptions), PrintChoices::NumberHyphen::No);
    EXPECT_FALSE(PrintChoices::tateChuYoko(hagakiOptions));
    EXPECT_EQ(PrintChoices::printerOffset(hagakiOptions, u"Postcard"_s), QPointF(1.5, 0.0));
}

TEST_F(StyleSettingsSheetTest, TheEnvelopeTabWritesItsSwitchesAndAnOffsetPerPaper)
{
    sheet->setPrintStyle(PrintValue::StyleEnvelope);
    EXPECT_EQ(sheet->tabs()->currentWidget(), sheet->envelopeTab());
    auto *font = child<QComboBox>(u"envelopeFontPopup"_s);
    EXPECT_FALSE(font->isEnabled());
    for (const QString &name : { u"envelopeBorderCheck"_s, u"envelopeZipCheck"_s, u"envelopeCountryCheck"_s,
             u"envelopeVerticalCheck"_s })
        click(child<QCheckBox>(name));
    click(child<QCheckBox>(u"envelopeCompanyCheck"_s));
    EXPECT_TRUE(font->isEnabled());
    activate(child<QComboBox>(u"textDirectionPopup"_s), 0);

    QVariantMap envelope = stored(PrintKey::Envelope);
    for (const QString &key :
        { PrintKey::PrintBorder, PrintKey::PrintZIP, PrintKey::PrintCountry, PrintKey::DrawTextInVertical })
        EXPECT_TRUE(PrintOptions::flag(envelope.value(key))) << key.toStdString();
    EXPECT_FALSE(PrintOptions::flag(envelope.value(PrintKey::PrintCompany), true));
    EXPECT_EQ(envelope.value(PrintKey::TextDirection).toString(), PrintValue::DirectionLeftRight);

    // Each envelope keeps its own printer offset.
    QWidget *tab = sheet->envelopeTab();
    auto *paper = tab->findChild<QComboBox *>(u"offsetPaperPopup"_s);
    auto *y = tab->findChild<QDoubleSpinBox *>(u"printerOffsetY"_s);
    activate(paper, paper->findData(u"DL"_s));
    y->setValue(-2.0);
    activate(paper, paper->findData(u"C5"_s));
    EXPECT_DOUBLE_EQ(y->value(), 0.0);
    y->setValue(3.0);
    envelope = stored(PrintKey::Envelope);
    EXPECT_EQ(PrintChoices::printerOffset(envelope, u"DL"_s), QPointF(0.0, -2.0));
    EXPECT_EQ(PrintChoices::printerOffset(envelope, u"C5"_s), QPointF(0.0, 3.0));
}

TEST_F(StyleSettingsSheetTest, TheLabelsTabWritesGeometryPresetAndSwitches)
{
    sheet->setPrintStyle(PrintValue::StyleLabels);
    EXPECT_EQ(sheet->tabs()->currentWidget(), sheet->labelsTab());
    auto *preset = child<QComboBox>(u"presetPopup"_s);
    ASSERT_EQ(preset->count(), 6);
    activate(preset, 2); // 4x2" gap 1/8"
    QVariantMap labels = stored(PrintKey::MailingLabels);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::LabelWidth)), 288.0);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::LabelHeight)), 144.0);
    EXPECT_DOUBLE_EQ(PrintOptions::number(labels.value(PrintKey::HGap)), 9.0);
    EXPECT_EQ(labels.value(PrintKey::SelectedPreset).toString(), preset->itemText(2));
    EXPECT_EQ(labels.value(PrintKey::PresetArray).toList().size(), 6);

    click(child<QCheckBox>(u"labelFrameCheck"_s));
    click(child<QCheckBox>(u"labelCountryCheck"_s));
    click(child<QCheckBox>(u"labelVerticalCheck"_s));
    child<QSpinBox>(u"repeatCountBox"_s)->setValue(3);
    labels = stored(PrintKey::MailingLabels);
    EXPECT_FALSE(PrintOptions::flag(labels.value(PrintKey::PrintFrame)));
    EXPECT_TRUE(PrintOptions::flag(labels.value(PrintKey::PrintCountry)));
    EXPECT_TRUE(PrintOptions::flag(labels.value(PrintKey::DrawTextInVertical)));
    EXPECT_EQ(PrintOptions::integer(labels.value(PrintKey::RepeatCount)), 3);
    EXPECT_TRUE(child<QComboBox>(u"labelFontPopup"_s)->isEnabled());

    // Opened again, the pop-up shows the preset chosen last, not the first.
    sheet->setPrintStyle(PrintValue::StyleLabels);
    EXPECT_EQ(preset->currentIndex(), 2);
}

TEST_F(StyleSettingsSheetTest, TheAddressListTabReordersSwitchesAndFilters)
{
    sheet->setColumnsInMainView({ u"Name"_s, u"Nickname"_s });
    sheet->setPrintStyle(PrintValue::StyleAddressList);
    StyleItemTableModel *items = sheet->addressListTab()->itemModel();
    const auto titles = [](const QVariantList &table) {
        QStringList list;
        for (const QVariant &item : table)
            list << item.toMap().value(PrintKey::ItemTitle).toString();
        return list;
    };
    const auto printed = [&] {
        QStringList list;
        for (const QVariant &item : stored(PrintKey::AddressList).value(PrintKey::ItemTable).toList())
            if (PrintOptions::flag(item.toMap().value(PrintKey::ItemState)))
                list << item.toMap().value(PrintKey::ItemTitle).toString();
        return list;
    };
    // The table's columns print besides the fields printed from the start; the name's box is fixed.
    const int nickname = int(titles(items->items()).indexOf(u"Nickname"_s));
    EXPECT_EQ(items->data(items->index(nickname), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(items->flags(items->index(0)) & Qt::ItemIsEnabled);
    EXPECT_FALSE(items->setData(items->index(0), int(Qt::Unchecked), Qt::CheckStateRole));

    const int email = int(titles(items->items()).indexOf(u"Email"_s));
    ASSERT_TRUE(items->setData(items->index(email), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(printed(), (QStringList { u"Name"_s, u"Address"_s, u"Phone"_s, u"Nickname"_s, u"Company"_s }));

    // Dragging "Nickname" onto "Address" prints it right after the name.
    std::unique_ptr<QMimeData> drag(items->mimeData({ items->index(nickname) }));
    ASSERT_TRUE(items->canDropMimeData(drag.get(), Qt::MoveAction, 1, 0, {}));
    items->dropMimeData(drag.get(), Qt::MoveAction, -1, -1, items->index(1));
    EXPECT_EQ(printed(), (QStringList { u"Name"_s, u"Nickname"_s, u"Address"_s, u"Phone"_s, u"Company"_s }));
    // A drag from elsewhere is refused.
    QMimeData foreign;
    foreign.setText(u"1"_s);
    EXPECT_FALSE(items->canDropMimeData(&foreign, Qt::MoveAction, 0, 0, {}));

    click(child<QCheckBox>(u"listFrameCheck"_s));
    click(child<QCheckBox>(u"alternatingRowCheck"_s));
    EXPECT_TRUE(PrintOptions::flag(stored(PrintKey::AddressList).value(PrintKey::PrintFrame)));
    EXPECT_FALSE(PrintOptions::flag(stored(PrintKey::AddressList).value(PrintKey::AlternatingRow)));

    // The label filter: two labels, then "All" alone again.
    StyleAddressListTab *tab = sheet->addressListTab();
    QList<QAction *> menu = tab->labelMenu()->actions();
    ASSERT_GE(menu.size(), 5);
    EXPECT_TRUE(menu.at(1)->isChecked());
    menu.at(2)->trigger();
    menu.at(3)->trigger();
    EXPECT_EQ(stored(PrintKey::AddressList).value(PrintKey::SelectedLabels).toStringList(),
        (QStringList { u"home"_s, u"work"_s }));
    EXPECT_FALSE(menu.at(1)->isChecked());
    menu.at(1)->trigger();
    EXPECT_EQ(stored(PrintKey::AddressList).value(PrintKey::SelectedLabels).toStringList(),
        (QStringList { u"All"_s }));
    EXPECT_FALSE(menu.at(2)->isChecked());
}

TEST_F(StyleSettingsSheetTest, AVerticalFontTheListLacksFallsToItsFirstEntry)
{
    sheet->setVerticalFonts({ { u"Font A"_s, u"A"_s }, { u"Font B"_s, u"B"_s } });
    auto *font = child<QComboBox>(u"hagakiFontPopup"_s);
    EXPECT_EQ(font->currentText(), u"A"_s);
    activate(font, 1);
    EXPECT_EQ(stored(PrintKey::Hagaki).value(PrintKey::FontName).toString(), u"Font B"_s);
}
