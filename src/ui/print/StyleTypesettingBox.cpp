#include "ui/print/StyleTypesettingBox.h"

#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace {

QDoubleSpinBox *offsetBox(QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(-PrintChoices::MaxPrinterOffset, PrintChoices::MaxPrinterOffset);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

StyleTypesettingBox::StyleTypesettingBox(const QStringList &papers, QWidget *parent)
    : QGroupBox(tr("Vertical addresses"), parent)
    , m_papers(papers)
{
    auto *form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);

    m_numerals = new QComboBox(this);
    m_numerals->setObjectName(QStringLiteral("kanjiNumeralsPopup"));
    m_numerals->addItem(tr("As typed"), PrintValue::Off);
    m_numerals->addItem(tr("Kanji digits (一〇〇)"), PrintValue::KanjiNumeralsDigits);
    m_numerals->addItem(tr("Kanji numbers (百)"), PrintValue::KanjiNumeralsPositional);
    form->addRow(tr("Numbers:"), m_numerals);

    m_hyphen = new QComboBox(this);
    m_hyphen->setObjectName(QStringLiteral("numberHyphenPopup"));
    m_hyphen->addItem(tr("As typed"), PrintValue::Off);
    m_hyphen->addItem(tr("Long bar (ー)"), PrintValue::HyphenChouon);
    m_hyphen->addItem(tr("No (の)"), PrintValue::HyphenNo);
    form->addRow(tr("Hyphens:"), m_hyphen);

    m_tateChuYoko = new QCheckBox(tr("Short numbers upright across the line"), this);
    m_tateChuYoko->setObjectName(QStringLiteral("tateChuYokoCheck"));
    form->addRow(m_tateChuYoko);
    m_upright = new QCheckBox(tr("Latin letters upright"), this);
    m_upright->setObjectName(QStringLiteral("uprightLettersCheck"));
    form->addRow(m_upright);

    auto *offsets = new QHBoxLayout;
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("offsetPaperPopup"));
    for (const QString &paper : m_papers)
        m_paper->addItem(paper, paper);
    m_paper->setVisible(m_papers.size() > 1);
    m_offsetX = offsetBox(this);
    m_offsetX->setObjectName(QStringLiteral("printerOffsetX"));
    m_offsetY = offsetBox(this);
    m_offsetY->setObjectName(QStringLiteral("printerOffsetY"));
    offsets->addWidget(m_paper);
    offsets->addWidget(new QLabel(tr("X:"), this));
    offsets->addWidget(m_offsetX);
    offsets->addWidget(new QLabel(tr("Y:"), this));
    offsets->addWidget(m_offsetY);
    offsets->addStretch();
    form->addRow(tr("Printer offset:"), offsets);

    connect(m_numerals, &QComboBox::activated, this, &StyleTypesettingBox::edited);
    connect(m_hyphen, &QComboBox::activated, this, &StyleTypesettingBox::edited);
    connect(m_tateChuYoko, &QCheckBox::clicked, this, &StyleTypesettingBox::edited);
    connect(m_upright, &QCheckBox::clicked, this, &StyleTypesettingBox::edited);
    connect(m_paper, &QComboBox::activated, this, &StyleTypesettingBox::showOffset);
    const auto offsetEdited = [this] {
        PrintChoices::setPrinterOffset(
            m_offsets, m_paper->currentData().toString(), QPointF(m_offsetX->value(), m_offsetY->value()));
        emit edited();
    };
    connect(m_offsetX, &QDoubleSpinBox::valueChanged, this, offsetEdited);
    connect(m_offsetY, &QDoubleSpinBox::valueChanged, this, offsetEdited);
}

void StyleTypesettingBox::load(const QVariantMap &styleOptions)
{
    const QSignalBlocker numerals(m_numerals);
    const QSignalBlocker hyphen(m_hyphen);
    m_numerals->setCurrentIndex(int(PrintChoices::kanjiNumerals(styleOptions)));
    m_hyphen->setCurrentIndex(int(PrintChoices::numberHyphen(styleOptions)));
    m_tateChuYoko->setChecked(PrintChoices::tateChuYoko(styleOptions));
    m_upright->setChecked(PrintChoices::uprightLetters(styleOptions));
    m_offsets = QVariantMap { { PrintKey::PrinterOffsets, styleOptions.value(PrintKey::PrinterOffsets) } };
    showOffset();
}

void StyleTypesettingBox::store(QVariantMap &styleOptions) const
{
    PrintChoices::setKanjiNumerals(styleOptions, PrintChoices::KanjiNumerals(m_numerals->currentIndex()));
    PrintChoices::setNumberHyphen(styleOptions, PrintChoices::NumberHyphen(m_hyphen->currentIndex()));
    PrintChoices::setTateChuYoko(styleOptions, m_tateChuYoko->isChecked());
    PrintChoices::setUprightLetters(styleOptions, m_upright->isChecked());
    if (m_offsets.value(PrintKey::PrinterOffsets).isValid())
        styleOptions.insert(PrintKey::PrinterOffsets, m_offsets.value(PrintKey::PrinterOffsets));
}

void StyleTypesettingBox::showOffset()
{
    const QPointF offset = PrintChoices::printerOffset(m_offsets, m_paper->currentData().toString());
    const QSignalBlocker x(m_offsetX);
    const QSignalBlocker y(m_offsetY);
    m_offsetX->setValue(offset.x());
    m_offsetY->setValue(offset.y());
}
