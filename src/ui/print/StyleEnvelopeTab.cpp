#include "ui/print/StyleEnvelopeTab.h"

#include "print/PaperSizes.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "ui/print/StyleFontPopup.h"
#include "ui/print/StyleTypesettingBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The envelopes a printer may be fed, each with its own offset.
QStringList envelopePapers()
{
    return { PaperSizes::Naga3, PaperSizes::Naga4, PaperSizes::You2, PaperSizes::Us10, PaperSizes::DL,
        PaperSizes::C5 };
}

} // namespace

StyleEnvelopeTab::StyleEnvelopeTab(QWidget *parent)
    : StyleTab(parent)
{
    setObjectName(QStringLiteral("envelopeTab"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->addLayout(form);

    m_border = addCheckRow(form, tr("Print the envelope's outline"), QStringLiteral("envelopeBorderCheck"));
    m_zip = addCheckRow(form, tr("Print the postal code"), QStringLiteral("envelopeZipCheck"));
    m_country = addCheckRow(form, tr("Print the country"), QStringLiteral("envelopeCountryCheck"));
    m_company = addCheckRow(form, tr("Print the company"), QStringLiteral("envelopeCompanyCheck"));
    m_vertical = addCheckRow(form, tr("Vertical text"), QStringLiteral("envelopeVerticalCheck"));

    m_font = new StyleFontPopup(this);
    m_font->setObjectName(QStringLiteral("envelopeFontPopup"));
    form->addRow(tr("Vertical font:"), m_font);
    m_direction = new QComboBox(this);
    m_direction->setObjectName(QStringLiteral("textDirectionPopup"));
    m_direction->addItem(tr("Left-Right"), PrintValue::DirectionLeftRight);
    m_direction->addItem(tr("Up-Down"), PrintValue::DirectionUpDown);
    form->addRow(tr("Direction:"), m_direction);

    m_typesetting = new StyleTypesettingBox(envelopePapers(), this);
    layout->addWidget(m_typesetting);
    layout->addStretch();

    connect(m_vertical, &QCheckBox::toggled, m_font, &QWidget::setEnabled);
    connect(m_font, &QComboBox::activated, this, &StyleTab::edited);
    connect(m_direction, &QComboBox::activated, this, &StyleTab::edited);
    connect(m_typesetting, &StyleTypesettingBox::edited, this, &StyleTab::edited);
}

void StyleEnvelopeTab::load(const QVariantMap &options)
{
    const QVariantMap envelope = options.value(PrintKey::Envelope).toMap();
    m_border->setChecked(PrintOptions::flag(envelope.value(PrintKey::PrintBorder)));
    m_zip->setChecked(PrintOptions::flag(envelope.value(PrintKey::PrintZIP)));
    m_country->setChecked(PrintOptions::flag(envelope.value(PrintKey::PrintCountry)));
    m_company->setChecked(PrintOptions::flag(envelope.value(PrintKey::PrintCompany), true));
    m_vertical->setChecked(PrintOptions::flag(envelope.value(PrintKey::DrawTextInVertical)));
    m_font->setEnabled(m_vertical->isChecked());
    m_font->setFontName(PrintOptions::text(envelope.value(PrintKey::VerticalFontName)));
    const QSignalBlocker blocker(m_direction);
    const bool leftRight
        = PrintOptions::text(envelope.value(PrintKey::TextDirection)) == PrintValue::DirectionLeftRight;
    m_direction->setCurrentIndex(leftRight ? 0 : 1);
    m_typesetting->load(envelope);
}

void StyleEnvelopeTab::store(QVariantMap &options) const
{
    QVariantMap envelope = options.value(PrintKey::Envelope).toMap();
    envelope.insert(PrintKey::PrintBorder, m_border->isChecked());
    envelope.insert(PrintKey::PrintZIP, m_zip->isChecked());
    envelope.insert(PrintKey::PrintCountry, m_country->isChecked());
    envelope.insert(PrintKey::DrawTextInVertical, m_vertical->isChecked());
    envelope.insert(PrintKey::VerticalFontName, m_font->fontName());
    envelope.insert(PrintKey::TextDirection, m_direction->currentData().toString());
    envelope.insert(PrintKey::PrintCompany, m_company->isChecked());
    m_typesetting->store(envelope);
    options.insert(PrintKey::Envelope, envelope);
}

void StyleEnvelopeTab::setVerticalFonts(const QList<VerticalFont> &fonts)
{
    m_font->setFonts(fonts);
}
