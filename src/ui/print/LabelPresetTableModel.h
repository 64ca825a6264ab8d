#pragma once

#include <QAbstractTableModel>

class LabelPresetEditor;

// The preset editor's table: one row per preset, its title and four lengths in the editor's unit.
class LabelPresetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit LabelPresetTableModel(LabelPresetEditor &editor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The presets or the unit changed underneath: shows them again.
    void reload();

private:
    LabelPresetEditor &m_editor;
};
