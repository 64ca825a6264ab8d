#pragma once

#include <QAbstractTableModel>

class ContactsViewController;

// The contact table as an item model for a table view. It only presents: every edit is handed to the
// table's controller, which turns it into the window's undoable operations.
class ContactTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ContactTableModel(ContactsViewController &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The column's field identifier.
    QString identifierOfColumn(int column) const;

private:
    ContactsViewController &m_table;
};
