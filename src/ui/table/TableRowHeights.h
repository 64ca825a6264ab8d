#pragma once

#include <vector>

class QHeaderView;
class QAbstractItemModel;

// Row heights of the contact table without measuring every row when a document opens: every row is
// one line tall until it is first shown; then its line count (which the table's controller measures
// once and keeps) sets its height. Rows whose values change are asked again the next time they show.
class TableRowHeights
{
public:
    TableRowHeights(QHeaderView &rows, const QAbstractItemModel &model);

    void setLineHeight(double height);
    // The rows were rebuilt: all are one line tall again, none asked yet.
    void reset();
    // Rows [first, last] show new values.
    void forget(int first, int last);
    // Sizes the rows from first to last that were not asked yet; true when a height changed.
    bool sizeRows(int first, int last);

private:
    QHeaderView &m_rows;
    const QAbstractItemModel &m_model;
    double m_lineHeight = 24;
    std::vector<bool> m_sized;
};
