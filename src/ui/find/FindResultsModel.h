#pragma once

#include <QAbstractTableModel>

class FindPanel;

// The find panel's results as a table: Name, Item, SubItem, Label and Value, one row per field value
// that holds the text. The Value column carries its highlights (every range, the current one apart) and
// is edited in place while the panel edits; a new text is applied to the row's contact, undoably.
class FindResultsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, ItemColumn, SubItemColumn, LabelColumn, ValueColumn, ColumnCount };
    // CellHighlights of the Value column.
    static constexpr int HighlightRole = Qt::UserRole + 1;
    // Lines of the row's value, for its height.
    static constexpr int LineCountRole = Qt::UserRole + 2;

    explicit FindResultsModel(FindPanel &panel, QObject *parent = nullptr);

    // The keys the panel sorts by, in column order.
    static QString keyOfColumn(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order) override;

private:
    FindPanel &m_panel;
};
