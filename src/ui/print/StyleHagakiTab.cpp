#include "ui/print/StyleHagakiTab.h"

#include "print/PaperSizes.h"
#include "print/PrintChoices.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "ui/print/StyleFontPopup.h"
#include "ui/print/StyleLengthBox.h"
#include "ui/print/StyleTypesettingBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

StyleHagakiTab::StyleHagakiTab(QWidget *parent)
    : StyleTab(parent)
{
    setObjectName(QStringLiteral("hagakiTab"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->addLayout(form);

    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("hagakiTypePopup"));
    for (const QString &title : PrintChoices::hagakiTypeChoices())
        m_type->addItem(title);
    form->addRow(tr("Card:"), m_type);

    m_font = new StyleFontPopup(this);
    m_font->setObjectName(QStringLiteral("hagakiFontPopup"));
    form->addRow(tr("Vertical font:"), m_font);

    m_autoSender = new QCheckBox(tr("Place the sender automatically"), this);
    m_autoSender->setObjectName(QStringLiteral("autoSenderCheck"));
    form->addRow(m_autoSender);

    auto *zip = new QHBoxLayout;
    m_zipX = new StyleLengthBox(this);
    m_zipX->setObjectName(QStringLiteral("senderZipX"));
    m_zipY = new StyleLengthBox(this);
    m_zipY->setObjectName(QStringLiteral("senderZipY"));
    zip->addWidget(new QLabel(tr("X:"), this));
    zip->addWidget(m_zipX);
    zip->addWidget(new QLabel(tr("Y:"), this));
    zip->addWidget(m_zipY);
    zip->addStretch();
    form->addRow(tr("Sender postal code:"), zip);

    m_typesetting = new StyleTypesettingBox({ PaperSizes::Postcard }, this);
    layout->addWidget(m_typesetting);
    layout->addStretch();

    connect(m_type, &QComboBox::activated, this, &StyleTab::edited);
    connect(m_font, &QComboBox::activated, this, &StyleTab::edited);
    connect(m_autoSender, &QCheckBox::clicked, this, &StyleTab::edited);
    connect(m_typesetting, &StyleTypesettingBox::edited, this, &StyleTab::edited);
    const auto zipEdited = [this] {
        m_zipEdited = true;
        emit edited();
    };
    connect(m_zipX, &StyleLengthBox::pointsEdited, this, zipEdited);
    connect(m_zipY, &StyleLengthBox::pointsEdited, this, zipEdited);
}

void StyleHagakiTab::load(const QVariantMap &options)
{
    const QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    const QSignalBlocker type(m_type);
    m_type->setCurrentIndex(PrintChoices::hagakiTypeChoiceIndex(hagaki));
    m_font->setFontName(PrintOptions::text(hagaki.value(PrintKey::FontName)));
    m_autoSender->setChecked(PrintOptions::flag(hagaki.value(PrintKey::HagakiAutoSenderPosition)));
    m_typesetting->load(hagaki);
    m_zipEdited = false;
    showSenderZip(options);
}

void StyleHagakiTab::store(QVariantMap &options) const
{
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    PrintChoices::applyHagakiTypeChoice(
        hagaki, PrintChoices::hagakiTypeChoices().value(m_type->currentIndex()));
    hagaki.insert(PrintKey::FontName, m_font->fontName());
    hagaki.insert(PrintKey::HagakiAutoSenderPosition, m_autoSender->isChecked());
    if (m_zipEdited) {
        PrintChoices::setSenderZipDisplayPosition(
            hagaki, QPointF(m_zipX->points(), m_zipY->points()), PrintUnits::Unit::Points);
        m_zipEdited = false;
    }
    m_typesetting->store(hagaki);
    options.insert(PrintKey::Hagaki, hagaki);
}

void StyleHagakiTab::stored(const QVariantMap &options)
{
    showSenderZip(options);
}

void StyleHagakiTab::setUnit(PrintUnits::Unit unit)
{
    m_zipX->setUnit(unit);
    m_zipY->setUnit(unit);
}

void StyleHagakiTab::setVerticalFonts(const QList<VerticalFont> &fonts)
{
    m_font->setFonts(fonts);
}

void StyleHagakiTab::showSenderZip(const QVariantMap &options)
{
    QVariantMap hagaki = options.value(PrintKey::Hagaki).toMap();
    const QPointF position = PrintChoices::senderZipDisplayPosition(hagaki, PrintUnits::Unit::Points);
    m_zipX->setPoints(position.x());
    m_zipY->setPoints(position.y());
}
