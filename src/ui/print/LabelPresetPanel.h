#pragma once

#include "print/PrintUnits.h"

#include <QWidget>

class LabelPresetEditor;
class LabelPresetTableModel;
class QComboBox;
class QPushButton;
class QTableView;

// The label preset editor: a small tool window over the style settings, usable while they are up. It
// edits the presets' titles, sizes and gaps in a unit of its own and announces each change, with the
// row it happened in, so the settings' pop-up can follow.
class LabelPresetPanel : public QWidget
{
    Q_OBJECT

public:
    LabelPresetPanel(LabelPresetEditor &editor, QWidget *parent = nullptr);

    // The title of the selected preset, or "" when none is selected.
    QString selectedPreset() const;
    int selectedRow() const;
    void selectRow(int row);

    void setUnit(PrintUnits::Unit unit);
    PrintUnits::Unit unit() const;

    // The buttons' work: Add appends a preset and selects it; Remove deletes the selected one; Done closes.
    void addPreset();
    void removePreset();

    QTableView *table() const { return m_table; }
    LabelPresetTableModel *model() const { return m_model; }

signals:
    // A preset was added or edited; name is its title before the change.
    void labelAttributeChanged(const QString &name, int row);
    void presetsRemoved();

private:
    LabelPresetEditor &m_editor;
    LabelPresetTableModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QComboBox *m_unit = nullptr;
    QString m_changedName;
    bool m_adding = false;
};
