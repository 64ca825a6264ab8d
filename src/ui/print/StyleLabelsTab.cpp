#include "ui/print/StyleLabelsTab.h"

#include "print/LabelPreset.h"
#include "print/LabelPresetEditor.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"
#include "ui/print/LabelPresetPanel.h"
#include "ui/print/LabelPresetTableModel.h"
#include "ui/print/StyleFontPopup.h"
#include "ui/print/StyleLengthBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int MaximumRepeatCount = 1000;

} // namespace

StyleLabelsTab::StyleLabelsTab(QWidget *parent)
    : StyleTab(parent)
    , m_presets(new LabelPresetEditor(this))
{
    setObjectName(QStringLiteral("labelsTab"));
    auto *layout = new QVBoxLayout(this);

    auto *presetRow = new QHBoxLayout;
    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("presetPopup"));
    m_preset->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_preset->setMinimumContentsLength(20);
    m_editPresets = new QPushButton(tr("Edit Presets…"), this);
    m_editPresets->setObjectName(QStringLiteral("editPresetsButton"));
    presetRow->addWidget(new QLabel(tr("Preset:"), this));
    presetRow->addWidget(m_preset, 1);
    presetRow->addWidget(m_editPresets);
    layout->addLayout(presetRow);

    auto *sizes = new QGridLayout;
    const auto length = [this](const QString &name) {
        auto *box = new StyleLengthBox(this);
        box->setObjectName(name);
        connect(box, &StyleLengthBox::pointsEdited, this, &StyleTab::edited);
        return box;
    };
    m_width = length(QStringLiteral("labelWidth"));
    m_height = length(QStringLiteral("labelHeight"));
    m_hGap = length(QStringLiteral("hGap"));
    m_vGap = length(QStringLiteral("vGap"));
    sizes->addWidget(new QLabel(tr("Width:"), this), 0, 0, Qt::AlignRight);
    sizes->addWidget(m_width, 0, 1);
    sizes->addWidget(new QLabel(tr("Height:"), this), 0, 2, Qt::AlignRight);
    sizes->addWidget(m_height, 0, 3);
    sizes->addWidget(new QLabel(tr("Horizontal gap:"), this), 1, 0, Qt::AlignRight);
    sizes->addWidget(m_hGap, 1, 1);
    sizes->addWidget(new QLabel(tr("Vertical gap:"), this), 1, 2, Qt::AlignRight);
    sizes->addWidget(m_vGap, 1, 3);
    sizes->setColumnStretch(4, 1);
    layout->addLayout(sizes);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_frame = addCheckRow(form, tr("Print each label's frame"), QStringLiteral("labelFrameCheck"));
    m_country = addCheckRow(form, tr("Print the country"), QStringLiteral("labelCountryCheck"));
    m_company = addCheckRow(form, tr("Print the company"), QStringLiteral("labelCompanyCheck"));
    m_vertical = addCheckRow(form, tr("Vertical text"), QStringLiteral("labelVerticalCheck"));
    m_font = new StyleFontPopup(this);
    m_font->setObjectName(QStringLiteral("labelFontPopup"));
    form->addRow(tr("Vertical font:"), m_font);
    m_repeat = new QSpinBox(this);
    m_repeat->setObjectName(QStringLiteral("repeatCountBox"));
    m_repeat->setRange(1, MaximumRepeatCount);
    m_repeat->setKeyboardTracking(false);
    form->addRow(tr("Labels per contact:"), m_repeat);
    layout->addLayout(form);
    layout->addStretch();

    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        applyPreset(index);
        emit edited();
    });
    connect(m_editPresets, &QPushButton::clicked, this, &StyleLabelsTab::showPresetEditor);
    connect(m_vertical, &QCheckBox::toggled, m_font, &QWidget::setEnabled);
    connect(m_font, &QComboBox::activated, this, &StyleTab::edited);
    connect(m_repeat, &QSpinBox::valueChanged, this, &StyleTab::edited);
}

void StyleLabelsTab::load(const QVariantMap &options)
{
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    m_presets->loadFromOptions(options);
    if (m_panel)
        m_panel->model()->reload();
    // The pop-up shows the preset chosen last; a title no preset has (the defaults' own) shows the first.
    rebuildPresetPopup(std::max(0,
        LabelPresets::indexOfName(
            m_presets->presets(), PrintOptions::text(labels.value(PrintKey::SelectedPreset)))));

    m_width->setPoints(PrintOptions::number(labels.value(PrintKey::LabelWidth)));
    m_height->setPoints(PrintOptions::number(labels.value(PrintKey::LabelHeight)));
    m_hGap->setPoints(PrintOptions::number(labels.value(PrintKey::HGap)));
    m_vGap->setPoints(PrintOptions::number(labels.value(PrintKey::VGap)));
    m_frame->setChecked(PrintOptions::flag(labels.value(PrintKey::PrintFrame)));
    // The country line is stored under a second spelling until the settings first save it.
    const QVariant country = labels.contains(PrintKey::PrintCountry) ? labels.value(PrintKey::PrintCountry)
                                                                     : labels.value(PrintKey::PrintCounty);
    m_country->setChecked(PrintOptions::flag(country));
    m_company->setChecked(PrintOptions::flag(labels.value(PrintKey::PrintCompany), true));
    m_vertical->setChecked(PrintOptions::flag(labels.value(PrintKey::DrawTextInVertical)));
    m_font->setEnabled(m_vertical->isChecked());
    m_font->setFontName(PrintOptions::text(labels.value(PrintKey::VerticalFontName)));
    const QSignalBlocker blocker(m_repeat);
    m_repeat->setValue(PrintOptions::integer(labels.value(PrintKey::RepeatCount), 1));
}

void StyleLabelsTab::store(QVariantMap &options) const
{
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(PrintKey::LabelHeight, m_height->points());
    labels.insert(PrintKey::LabelWidth, m_width->points());
    labels.insert(PrintKey::VGap, m_vGap->points());
    labels.insert(PrintKey::HGap, m_hGap->points());
    labels.insert(PrintKey::PrintFrame, m_frame->isChecked());
    labels.insert(PrintKey::PrintCountry, m_country->isChecked());
    labels.insert(PrintKey::RepeatCount, m_repeat->value());
    labels.insert(PrintKey::DrawTextInVertical, m_vertical->isChecked());
    labels.insert(PrintKey::VerticalFontName, m_font->fontName());
    labels.insert(PrintKey::PrintCompany, m_company->isChecked());
    options.insert(PrintKey::MailingLabels, labels);
    m_presets->storeInOptions(options);
    labels = options.value(PrintKey::MailingLabels).toMap();
    if (m_preset->currentIndex() >= 0)
        labels.insert(PrintKey::SelectedPreset, m_preset->currentText());
    options.insert(PrintKey::MailingLabels, labels);
}

void StyleLabelsTab::setUnit(PrintUnits::Unit unit)
{
    m_unit = unit;
    for (StyleLengthBox *box : { m_width, m_height, m_hGap, m_vGap })
        box->setUnit(unit);
}

void StyleLabelsTab::setVerticalFonts(const QList<VerticalFont> &fonts)
{
    m_font->setFonts(fonts);
}

LabelPresetPanel *StyleLabelsTab::showPresetEditor()
{
    if (!m_panel) {
        m_panel = new LabelPresetPanel(*m_presets, window());
        connect(m_panel, &LabelPresetPanel::labelAttributeChanged, this, &StyleLabelsTab::handleNameChange);
        connect(m_panel, &LabelPresetPanel::presetsRemoved, this, &StyleLabelsTab::handlePresetsRemoved);
    }
    m_panel->setUnit(m_unit);
    m_panel->show();
    m_panel->raise();
    m_panel->activateWindow();
    return m_panel;
}

void StyleLabelsTab::handleNameChange(const QString &name, int row)
{
    int index = row >= 0 && row < m_presets->rowCount() ? row : -1;
    if (index < 0 && !name.isEmpty())
        index = LabelPresets::indexOfName(m_presets->presets(), name);
    rebuildPresetPopup(index >= 0 ? index : m_preset->currentIndex());
    if (index >= 0)
        applyPreset(index);
    emit edited();
}

void StyleLabelsTab::handlePresetsRemoved()
{
    const int current = LabelPresets::indexOfName(m_presets->presets(), m_preset->currentText());
    rebuildPresetPopup(std::max(0, current));
    emit edited();
}

void StyleLabelsTab::rebuildPresetPopup(int select)
{
    const QSignalBlocker blocker(m_preset);
    m_preset->clear();
    for (const LabelPreset &preset : m_presets->presets())
        m_preset->addItem(preset.name);
    if (m_preset->count() > 0)
        m_preset->setCurrentIndex(std::clamp(select, 0, m_preset->count() - 1));
}

void StyleLabelsTab::applyPreset(int index)
{
    if (index < 0 || index >= m_presets->rowCount())
        return;
    const LabelPreset &preset = m_presets->presets().at(index);
    m_width->setPoints(preset.labelWidth);
    m_height->setPoints(preset.labelHeight);
    m_hGap->setPoints(preset.hGap);
    m_vGap->setPoints(preset.vGap);
}
