#pragma once

#include "formats/ContactContainer.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>

// The contacts a file offers for import: one row each, the photo (or a generic person) beside the
// display name. Icons are made when a row is first shown, so a file of many cards opens at once.
class ImportListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 20;

    explicit ImportListModel(QObject *parent = nullptr);

    void setNameTable(const ContactTable &nameTable);
    const ContactTable &nameTable() const { return m_entries; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The name shown for an entry: its display name, or "No name".
    static QString displayName(const ContactEntry &entry);

private:
    QIcon iconFor(int row) const;

    ContactTable m_entries;
    mutable QHash<int, QIcon> m_icons;
};
