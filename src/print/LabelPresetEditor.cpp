#include "print/LabelPresetEditor.h"

#include "print/PrintOptionKeys.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

double *lengthOf(LabelPreset &preset, const QString &column)
{
    if (column == PrintKey::LabelWidth)
        return &preset.labelWidth;
    if (column == PrintKey::LabelHeight)
        return &preset.labelHeight;
    if (column == PrintKey::HGap)
        return &preset.hGap;
    if (column == PrintKey::VGap)
        return &preset.vGap;
    return nullptr;
}

// Cells come from typing; only a whole number text or a number counts.
std::optional<double> numberFromCell(const QVariant &value)
{
    bool ok = false;
    double number = 0.0;
    if (value.metaType().id() == QMetaType::QString)
        number = value.toString().trimmed().toDouble(&ok);
    else if (value.canConvert<double>())
        number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

} // namespace

LabelPresetEditor::LabelPresetEditor(QObject *parent)
    : QObject(parent)
{
}

QStringList LabelPresetEditor::columnIdentifiers()
{
    return { PrintKey::EditorPresetName, PrintKey::LabelWidth, PrintKey::LabelHeight, PrintKey::HGap,
        PrintKey::VGap };
}

void LabelPresetEditor::loadFromOptions(const QVariantMap &options)
{
    const QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    QList<LabelPreset> presets = LabelPresets::fromVariantList(labels.value(PrintKey::PresetArray).toList());
    if (presets.isEmpty())
        presets = LabelPresets::defaultPresets();
    setPresets(presets);
}

void LabelPresetEditor::storeInOptions(QVariantMap &options) const
{
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(PrintKey::PresetArray, LabelPresets::toVariantList(m_presets));
    options.insert(PrintKey::MailingLabels, labels);
}

void LabelPresetEditor::setPresets(const QList<LabelPreset> &presets)
{
    m_presets = presets.mid(0, LabelPresets::MaxPresets);
}

QVariant LabelPresetEditor::valueForColumn(int row, const QString &column) const
{
    if (row < 0 || row >= m_presets.size())
        return QVariant();
    LabelPreset preset = m_presets.at(row);
    if (column == PrintKey::EditorPresetName)
        return preset.name;
    if (const double *length = lengthOf(preset, column))
        return PrintUnits::fromPoints(*length, m_unit);
    return QVariant();
}

bool LabelPresetEditor::setValueForColumn(int row, const QString &column, const QVariant &value)
{
    if (row < 0 || row >= m_presets.size())
        return false;
    LabelPreset &preset = m_presets[row];
    const QString oldName = preset.name;
    if (column == PrintKey::EditorPresetName) {
        const QString name = value.toString().trimmed();
        if (name.isEmpty() || name == preset.name)
            return false;
        preset.name = name;
    } else if (double *length = lengthOf(preset, column)) {
        const auto typed = numberFromCell(value);
        if (!typed || *typed < 0.0)
            return false;
        const bool isSize = column == PrintKey::LabelWidth || column == PrintKey::LabelHeight;
        if (isSize && *typed == 0.0)
            return false;
        const double points = PrintUnits::toPoints(*typed, m_unit);
        if (points == *length)
            return false;
        *length = points;
    } else {
        return false;
    }
    emit labelAttributeChanged(oldName);
    return true;
}

int LabelPresetEditor::addPreset()
{
    if (m_presets.size() >= LabelPresets::MaxPresets)
        return -1;
    m_presets.append(LabelPreset { PrintValue::NewPresetName, 100.0, 50.0, 5.0, 6.0 });
    emit labelAttributeChanged(PrintValue::NewPresetName);
    return int(m_presets.size() - 1);
}

bool LabelPresetEditor::renamePreset(int row, const QString &name)
{
    return setValueForColumn(row, PrintKey::EditorPresetName, name);
}

bool LabelPresetEditor::removePreset(int row)
{
    if (row < 0 || row >= m_presets.size())
        return false;
    m_presets.removeAt(row);
    emit presetsChanged();
    return true;
}

QString LabelPresetEditor::presetName(int row) const
{
    return row >= 0 && row < m_presets.size() ? m_presets.at(row).name : QString();
}
