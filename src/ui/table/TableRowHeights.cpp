#include "ui/table/TableRowHeights.h"

#include "document/ContactTableModel.h"

#include <QHeaderView>

TableRowHeights::TableRowHeights(QHeaderView &rows, const QAbstractItemModel &model)
    : m_rows(rows)
    , m_model(model)
{
    m_rows.setSectionResizeMode(QHeaderView::Fixed);
    m_rows.setMinimumSectionSize(1);
}

void TableRowHeights::setLineHeight(double height)
{
    m_lineHeight = height;
    reset();
}

void TableRowHeights::reset()
{
    m_sized.assign(size_t(std::max(0, m_model.rowCount())), false);
    // Sets every section that was not sized since to the new default as well.
    m_rows.setDefaultSectionSize(int(m_lineHeight));
}

void TableRowHeights::forget(int first, int last)
{
    if (m_sized.size() != size_t(std::max(0, m_model.rowCount())))
        m_sized.resize(size_t(std::max(0, m_model.rowCount())), false);
    for (int row = std::max(0, first); row <= last && size_t(row) < m_sized.size(); ++row)
        m_sized[size_t(row)] = false;
}

bool TableRowHeights::sizeRows(int first, int last)
{
    bool changed = false;
    const int count = std::min(int(m_sized.size()), m_model.rowCount());
    for (int row = std::max(0, first); row <= last && row < count; ++row) {
        if (m_sized[size_t(row)])
            continue;
        m_sized[size_t(row)] = true;
        const int lines = std::max(1, m_model.index(row, 0).data(ContactTableModel::LineCountRole).toInt());
        const int height = int(m_lineHeight * lines);
        if (m_rows.sectionSize(row) != height) {
            m_rows.resizeSection(row, height);
            changed = true;
        }
    }
    return changed;
}
