#pragma once

#include "print/LabelPreset.h"
#include "print/PrintUnits.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// The label preset editor's data: a table of presets whose columns are "Name", "labelWidth",
// "labelHeight", "hGap" and "vGap", edited in the editor's display unit and kept in points. Every change
// is announced with the preset's name (its name before the change) so that the settings can refresh
// their preset menu and select it.
class LabelPresetEditor : public QObject
{
    Q_OBJECT

public:
    explicit LabelPresetEditor(QObject *parent = nullptr);

    static QStringList columnIdentifiers();

    // The presets of the options' "Mailing Labels" "presetArray" (the defaults when it holds none).
    void loadFromOptions(const QVariantMap &options);
    // Writes the presets back as "presetArray" of "Mailing Labels".
    void storeInOptions(QVariantMap &options) const;

    const QList<LabelPreset> &presets() const { return m_presets; }
    void setPresets(const QList<LabelPreset> &presets);
    int rowCount() const { return int(m_presets.size()); }

    PrintUnits::Unit unit() const { return m_unit; }
    void setUnit(PrintUnits::Unit unit) { m_unit = unit; }

    // The cell of a row and column: the title, or a length in the display unit. Invalid for a row or
    // column that does not exist.
    QVariant valueForColumn(int row, const QString &column) const;
    // Stores an edited cell: a title as typed (not empty), a length in the display unit as points. A
    // length that is not a number, not finite, negative, or zero for a width or height is refused.
    // Returns true when the preset changed.
    bool setValueForColumn(int row, const QString &column, const QVariant &value);

    // Appends the preset { "new", 100 × 50, gaps 5 and 6 } and returns its row; -1 when the table is full.
    int addPreset();
    bool renamePreset(int row, const QString &name);
    bool removePreset(int row);
    // The title of a row, or "" when there is no such row.
    QString presetName(int row) const;

signals:
    // A preset was added or changed; name is the preset's name before the change.
    void labelAttributeChanged(const QString &name);
    // A preset was removed.
    void presetsChanged();

private:
    QList<LabelPreset> m_presets;
    PrintUnits::Unit m_unit = PrintUnits::Unit::Points;
};
