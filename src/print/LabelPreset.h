#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

// One label-sheet preset: a title and the label size and gaps, in points.
struct LabelPreset
{
    QString name;
    double labelWidth = 0.0;
    double labelHeight = 0.0;
    double hGap = 0.0;
    double vGap = 0.0;

    // Reads a record of "presetArray" (lengths as strings or numbers). Nothing for a value that is not a
    // dictionary, has no title, or has a length that is negative or not a number.
    static std::optional<LabelPreset> fromVariant(const QVariant &value);
    // The record as the options keep it, lengths as numbers.
    QVariantMap toVariant() const;

    bool operator==(const LabelPreset &) const = default;
};

namespace LabelPresets {

// More records than this in a stored array are ignored; no sheet has a use for them.
inline constexpr int MaxPresets = 500;

// The six presets the options are created with, lengths as strings as they were first written.
QVariantList defaultPresetArray();
QList<LabelPreset> defaultPresets();

// The readable presets of a stored array, in order; unreadable records are skipped.
QList<LabelPreset> fromVariantList(const QVariantList &array);
QVariantList toVariantList(const QList<LabelPreset> &presets);

// Index of the first preset titled name, or -1.
int indexOfName(const QList<LabelPreset> &presets, const QString &name);

// Makes a preset the current label geometry of the options: its size and gaps go into "Mailing Labels"
// (as numbers) and its title becomes "selectedPreset".
void applyPreset(QVariantMap &options, const LabelPreset &preset);

} // namespace LabelPresets
