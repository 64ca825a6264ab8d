#pragma once

#include <QAbstractListModel>
#include <QVariantList>

// The address list's item table as a list: a check box per field (the name's is fixed on), in print
// order, reordered by dragging a row; the dragged row's index travels as text.
class StyleItemTableModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static inline const QString RowMimeType = QStringLiteral("application/x-corvanthe-print-item-row");

    using QAbstractListModel::QAbstractListModel;

    void setItems(const QVariantList &items);
    const QVariantList &items() const { return m_items; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) override;

    // The field title as the reader's language shows it.
    static QString displayTitle(const QString &title);

signals:
    // The user switched an item or moved a row.
    void itemsEdited();

private:
    QVariantList m_items;
};
