#pragma once

#include "tools/MergePanelController.h"

#include <QAbstractTableModel>

// One contact of the merge sheet as a table: the field, the label and the value of each row. Drags
// and drops go to the sheet's controller, which decides what may land where; edits in place go
// through the controller's undoable edits, so the sheet's undo sees them.
class MergeTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TypeColumn, LabelColumn, ValueColumn, ColumnCount };
    // The labels a row's pop-up offers (Qt::UserRole + 1).
    static constexpr int LabelChoicesRole = Qt::UserRole + 1;

    MergeTableModel(
        MergePanelController &controller, MergePanelController::Side side, QObject *parent = nullptr);

    MergePanelController::Side side() const { return m_side; }
    // Whether the cell's value is edited by a field editor rather than typed in place (an address, a
    // chat account, a date...): only in an unlocked sheet.
    bool opensFieldEditor(const QModelIndex &index) const;
    // The controller changed both tables (a drop, undo, redo, a new context).
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction | Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::MoveAction; }
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) override;

signals:
    // Something in the sheet changed through this table.
    void edited();
    // A file dropped on the image well is not an image that can be read.
    void photoRefused(const QString &fileName, const QString &reason);

private:
    bool isTextEditable(const MergeRow &row) const;
    bool writeText(const MergeRow &row, int rowIndex, const QString &text);
    bool writeLabel(const MergeRow &row, const QString &label);
    // Where a drop lands in the controller's terms; false when nowhere.
    bool isPhotoRow(int row, const QModelIndex &parent) const;
    bool dropPhoto(const QMimeData *data);
    bool dropTarget(
        int row, const QModelIndex &parent, int *target, MergePanelController::DropPosition *position) const;

    MergePanelController &m_controller;
    MergePanelController::Side m_side;
};
