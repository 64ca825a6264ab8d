#include "print/LabelPreset.h"

#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QVariantMap presetRecord(const QString &name, const QString &width, const QString &height,
    const QString &hGap, const QString &vGap)
{
    return QVariantMap { { PrintKey::PresetName, name }, { PrintKey::LabelWidth, width },
        { PrintKey::LabelHeight, height }, { PrintKey::HGap, hGap }, { PrintKey::VGap, vGap } };
}

std::optional<double> length(const QVariantMap &record, const QString &key)
{
    const double value = PrintOptions::number(record.value(key), -1.0);
    if (value < 0.0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<LabelPreset> LabelPreset::fromVariant(const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QVariantMap && value.metaType().id() != QMetaType::QVariantHash)
        return std::nullopt;
    const QVariantMap record = value.toMap();
    LabelPreset preset;
    preset.name = PrintOptions::text(record.value(PrintKey::PresetName));
    if (preset.name.isEmpty())
        preset.name = PrintOptions::text(record.value(PrintKey::EditorPresetName));
    const auto width = length(record, PrintKey::LabelWidth);
    const auto height = length(record, PrintKey::LabelHeight);
    const auto hGap = length(record, PrintKey::HGap);
    const auto vGap = length(record, PrintKey::VGap);
    if (preset.name.isEmpty() || !width || !height || !hGap || !vGap)
        return std::nullopt;
    preset.labelWidth = *width;
    preset.labelHeight = *height;
    preset.hGap = *hGap;
    preset.vGap = *vGap;
    return preset;
}

QVariantMap LabelPreset::toVariant() const
{
    return QVariantMap { { PrintKey::PresetName, name }, { PrintKey::LabelWidth, labelWidth },
        { PrintKey::LabelHeight, labelHeight }, { PrintKey::HGap, hGap }, { PrintKey::VGap, vGap } };
}

namespace LabelPresets {

QVariantList defaultPresetArray()
{
    // The metric sizes are the millimetre sizes times 72 / 25.4, kept to two decimals.
    return QVariantList {
        presetRecord(u"130x60 points gap 5 point"_s, u"130"_s, u"60"_s, u"5"_s, u"5"_s),
        presetRecord(u"2-5/8x1\" gap 1/8\""_s, u"189"_s, u"72"_s, u"9"_s, u"0"_s),
        presetRecord(u"4x2\" gap 1/8\""_s, u"288"_s, u"144"_s, u"9"_s, u"0"_s),
        presetRecord(u"55.5x29.7mm gap 0"_s, u"157.32"_s, u"84.19"_s, u"0"_s, u"0"_s),
        presetRecord(u"66x33.9mm gap 0"_s, u"187.1"_s, u"96.1"_s, u"0"_s, u"0"_s),
        presetRecord(u"70x37mm gap 0"_s, u"198.4"_s, u"104.88"_s, u"0"_s, u"0"_s),
    };
}

QList<LabelPreset> defaultPresets()
{
    return fromVariantList(defaultPresetArray());
}

QList<LabelPreset> fromVariantList(const QVariantList &array)
{
    QList<LabelPreset> presets;
    for (const QVariant &value : array) {
        if (presets.size() >= MaxPresets)
            break;
        if (auto preset = LabelPreset::fromVariant(value))
            presets.append(*preset);
    }
    return presets;
}

QVariantList toVariantList(const QList<LabelPreset> &presets)
{
    QVariantList array;
    array.reserve(presets.size());
    for (const LabelPreset &preset : presets)
        array.append(preset.toVariant());
    return array;
}

int indexOfName(const QList<LabelPreset> &presets, const QString &name)
{
    for (qsizetype i = 0; i < presets.size(); ++i) {
        if (presets.at(i).name == name)
            return int(i);
    }
    return -1;
}

void applyPreset(QVariantMap &options, const LabelPreset &preset)
{
    QVariantMap labels = options.value(PrintKey::MailingLabels).toMap();
    labels.insert(PrintKey::LabelWidth, preset.labelWidth);
    labels.insert(PrintKey::LabelHeight, preset.labelHeight);
    labels.insert(PrintKey::HGap, preset.hGap);
    labels.insert(PrintKey::VGap, preset.vGap);
    labels.insert(PrintKey::SelectedPreset, preset.name);
    options.insert(PrintKey::MailingLabels, labels);
}

} // namespace LabelPresets
